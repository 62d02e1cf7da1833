"""The headers, sections and imports of a 32-bit Windows executable, read
from the file itself."""
import struct
from dataclasses import dataclass

IMAGE_DIRECTORY_IMPORT, IMAGE_DIRECTORY_TLS = 1, 9


@dataclass
class Section:
    name: str
    virtual_address: int
    virtual_size: int
    raw_offset: int
    raw_size: int
    characteristics: int


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        if self.magic != 0x10B:
            raise ValueError("not a 32-bit image")
        (self.entry_point,) = struct.unpack_from("<I", data, opt + 16)
        (self.image_base, self.section_alignment, self.file_alignment,
         os_major, os_minor, image_major, image_minor, sub_major, sub_minor,
         ) = struct.unpack_from("<IIIHHHHHH", data, opt + 28)
        self.os_version = (os_major, os_minor)
        self.image_version = (image_major, image_minor)
        self.subsystem_version = (sub_major, sub_minor)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        count = struct.unpack_from("<I", data, opt + 92)[0]
        self.directories = [struct.unpack_from("<II", data, opt + 96 + 8 * n)
                            for n in range(count)]
        table = opt + optional_size
        self.sections = []
        for n in range(sections):
            at = table + 40 * n
            name = data[at:at + 8].rstrip(b"\0").decode("latin-1")
            vsize, vaddr, rsize, roffset = struct.unpack_from("<IIII", data, at + 8)
            flags = struct.unpack_from("<I", data, at + 36)[0]
            self.sections.append(Section(name, vaddr, vsize, roffset, rsize, flags))

    def offset(self, rva):
        for s in self.sections:
            if s.virtual_address <= rva < s.virtual_address + max(s.virtual_size, s.raw_size):
                return s.raw_offset + rva - s.virtual_address
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def text(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("latin-1")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        """{DLL name: [function names]} in the order of the import tables."""
        rva, _ = self.directory(IMAGE_DIRECTORY_IMPORT)
        found = {}
        at = self.offset(rva)
        while True:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                return found
            names = []
            entry = self.offset(lookup or thunks)
            while True:
                (value,) = struct.unpack_from("<I", self.data, entry)
                if value == 0:
                    break
                names.append(f"#{value & 0xFFFF}" if value & 0x80000000 else self.text(value + 2))
                entry += 4
            found[self.text(name)] = names
            at += 20

    def tls_callbacks(self):
        """The TLS callbacks the image asks the loader to run (addresses)."""
        rva, size = self.directory(IMAGE_DIRECTORY_TLS)
        if size == 0:
            return []
        callbacks_va = struct.unpack_from("<I", self.data, self.offset(rva) + 12)[0]
        if callbacks_va == 0:
            return []
        at, found = self.offset(callbacks_va - self.image_base), []
        while struct.unpack_from("<I", self.data, at)[0]:
            found.append(struct.unpack_from("<I", self.data, at)[0])
            at += 4
        return found
