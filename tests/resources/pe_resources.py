"""Reads the resources of a 32-bit Windows executable without any tool:
the resource directory of the PE file, dialog templates (classic and
extended) and the version record."""
import struct
from dataclasses import dataclass, field

RT_BITMAP, RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION = 2, 3, 5, 6, 14, 16

# The predefined window classes that a dialog item may name by atom.
CLASS_ATOMS = {0x0080: "BUTTON", 0x0081: "EDIT", 0x0082: "STATIC",
               0x0083: "LISTBOX", 0x0084: "SCROLLBAR", 0x0085: "COMBOBOX"}

DS_SETFONT = 0x40


def _u16(data, offset):
    return struct.unpack_from("<H", data, offset)[0]


def _u32(data, offset):
    return struct.unpack_from("<I", data, offset)[0]


def _sz(data, offset):
    """A NUL-terminated UTF-16 string; returns (text, offset after the NUL)."""
    end = offset
    while _u16(data, end) != 0:
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def _align(offset, size=4):
    return (offset + size - 1) & ~(size - 1)


# --- The resource directory ------------------------------------------------

def read_resources(path):
    """All resources of the file as {(type, name, language): bytes}; type and
    name are ints for numbered entries and strs for named ones."""
    with open(path, "rb") as f:
        pe = f.read()
    if pe[:2] != b"MZ":
        raise ValueError("not an MZ executable")
    header = _u32(pe, 0x3C)
    if pe[header:header + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    coff = header + 4
    sections_count = _u16(pe, coff + 2)
    optional_size = _u16(pe, coff + 16)
    optional = coff + 20
    magic = _u16(pe, optional)
    if magic == 0x10B:
        dirs_count, dirs = _u32(pe, optional + 92), optional + 96
    elif magic == 0x20B:
        dirs_count, dirs = _u32(pe, optional + 108), optional + 112
    else:
        raise ValueError("unknown optional header magic 0x%x" % magic)
    if dirs_count <= 2:
        return {}
    rsrc_rva, rsrc_size = struct.unpack_from("<II", pe, dirs + 2 * 8)
    if rsrc_rva == 0 or rsrc_size == 0:
        return {}

    sections = []
    for i in range(sections_count):
        s = optional + optional_size + 40 * i
        vsize, va, raw_size, raw_ptr = struct.unpack_from("<IIII", pe, s + 8)
        sections.append((va, max(vsize, raw_size), raw_size, raw_ptr))

    def file_offset(rva, length):
        for va, span, raw_size, raw_ptr in sections:
            if va <= rva < va + span:
                if rva + length > va + raw_size:
                    raise ValueError("RVA 0x%x+%d beyond the section's file data" % (rva, length))
                return raw_ptr + rva - va
        raise ValueError("RVA 0x%x in no section" % rva)

    base = file_offset(rsrc_rva, 16)

    def entry_key(word):
        if word & 0x80000000:
            at = base + (word & 0x7FFFFFFF)
            length = _u16(pe, at)
            return pe[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return word

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", pe, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", pe, base + directory + 16 + 8 * i)
            yield entry_key(name), target

    result = {}
    for rtype, to_names in entries(0):
        if not to_names & 0x80000000:
            raise ValueError("type entry %r is not a directory" % (rtype,))
        for name, to_langs in entries(to_names & 0x7FFFFFFF):
            if not to_langs & 0x80000000:
                raise ValueError("name entry %r/%r is not a directory" % (rtype, name))
            for lang, to_data in entries(to_langs & 0x7FFFFFFF):
                if to_data & 0x80000000 or isinstance(lang, str):
                    raise ValueError("bad language entry under %r/%r" % (rtype, name))
                data_rva, size = struct.unpack_from("<II", pe, base + to_data)
                at = file_offset(data_rva, size)
                result[(rtype, name, lang)] = pe[at:at + size]
    return result


# --- Dialog templates ------------------------------------------------------

@dataclass
class Control:
    help_id: object        # None in a classic template, which has no such field
    ex_style: int
    style: int
    x: int
    y: int
    cx: int
    cy: int
    id: int                # as stored: 32 bits (extended) or 16 bits (classic)
    cls: object            # class name, e.g. "STATIC", or an unknown atom as int
    text: object           # str, or int for an ordinal (e.g. a bitmap number)
    extra: bytes


@dataclass
class Dialog:
    extended: bool
    help_id: object
    ex_style: int
    style: int
    x: int
    y: int
    cx: int
    cy: int
    menu: object           # None, str or ordinal
    window_class: object   # None, str or ordinal
    title: str
    point_size: object = None  # font: all None without DS_SETFONT; the
    weight: object = None      # classic template has only point size and
    italic: object = None      # typeface
    charset: object = None
    typeface: object = None
    controls: list = field(default_factory=list)
    end: int = 0           # offset just after the last control


def _sz_or_ord(data, offset):
    """A name-or-ordinal field: (None | int | str, next offset)."""
    first = _u16(data, offset)
    if first == 0x0000:
        return None, offset + 2
    if first == 0xFFFF:
        return _u16(data, offset + 2), offset + 4
    return _sz(data, offset)


def parse_dialog(data):
    """A DLGTEMPLATE or DLGTEMPLATEEX with its items."""
    extended = _u16(data, 0) == 1 and _u16(data, 2) == 0xFFFF
    if extended:
        help_id, ex_style, style, count, x, y, cx, cy = struct.unpack_from("<IIIHhhhh", data, 4)
        at = 26
    else:
        style, ex_style, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
        help_id, at = None, 18
    menu, at = _sz_or_ord(data, at)
    window_class, at = _sz_or_ord(data, at)
    title, at = _sz_or_ord(data, at)
    dialog = Dialog(extended, help_id, ex_style, style, x, y, cx, cy, menu, window_class,
                    "" if title is None else title)
    if style & DS_SETFONT:
        dialog.point_size = _u16(data, at)
        if extended:
            dialog.weight, dialog.italic, dialog.charset = struct.unpack_from("<HBB", data, at + 2)
            at += 4
        dialog.typeface, at = _sz(data, at + 2)

    for _ in range(count):
        at = _align(at)
        if extended:
            c_help, c_ex, c_style, *rect, c_id = struct.unpack_from("<IIIhhhhI", data, at)
            at += 24
        else:
            c_style, c_ex, *rect, c_id = struct.unpack_from("<IIhhhhH", data, at)
            c_help, at = None, at + 18
        cls, at = _sz_or_ord(data, at)
        if isinstance(cls, int):
            cls = CLASS_ATOMS.get(cls, cls)
        text, at = _sz_or_ord(data, at)
        extra_size = _u16(data, at)
        extra = data[at + 2:at + 2 + extra_size]
        at += 2 + extra_size
        dialog.controls.append(Control(c_help, c_ex, c_style, *rect, c_id, cls,
                                       "" if text is None else text, extra))
    dialog.end = at
    if at > len(data):
        raise ValueError("dialog template is cut short")
    return dialog


# --- Version record --------------------------------------------------------

FIXED_FILE_INFO_FIELDS = (
    "signature", "struc_version", "file_version_ms", "file_version_ls",
    "product_version_ms", "product_version_ls", "file_flags_mask", "file_flags",
    "file_os", "file_type", "file_subtype", "file_date_ms", "file_date_ls")


def _version_node(data, at):
    """One node of the version tree: (key, type, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key, pos = _sz(data, at + 6)
    pos = _align(pos)
    value_bytes = value_length * 2 if kind == 1 else value_length
    # Tools disagree on whether a text's length counts its NUL; take what is
    # there and cut at the NUL.
    value = data[pos:min(pos + value_bytes, end)]
    pos = _align(pos + value_bytes)
    children = []
    while pos + 6 <= end:
        child = _version_node(data, pos)
        children.append(child)
        pos = _align(child[4])
    return key, kind, value, children, end


def _text(value):
    text = value.decode("utf-16-le", errors="strict") if len(value) % 2 == 0 else None
    return text.split("\0", 1)[0] if text is not None else None


def parse_version(data):
    """VS_VERSIONINFO as a dict: key, fixed (field name → int), string_tables
    (list of (block name, [(key, value), ...]) in order) and translations
    (list of (language, code page))."""
    key, _, value, children, _ = _version_node(data, 0)
    result = {"key": key, "fixed": None, "string_tables": [], "translations": [],
              "other_blocks": []}
    if len(value) >= 52:
        result["fixed"] = dict(zip(FIXED_FILE_INFO_FIELDS, struct.unpack_from("<13I", value)))
    for child_key, _, _, grandchildren, _ in children:
        if child_key == "StringFileInfo":
            for table_key, _, _, strings, _ in grandchildren:
                result["string_tables"].append(
                    (table_key, [(k, _text(v)) for k, _, v, _, _ in strings]))
        elif child_key == "VarFileInfo":
            for var_key, _, var_value, _, _ in grandchildren:
                if var_key == "Translation":
                    result["translations"] += [struct.unpack_from("<HH", var_value, i)
                                               for i in range(0, len(var_value) - 3, 4)]
        else:
            result["other_blocks"].append(child_key)
    return result
