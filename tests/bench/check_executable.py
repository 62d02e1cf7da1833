"""Checks the built Drivewright.exe as Windows 95 will see it: a 32-bit GUI
program whose headers the Windows 95 loader accepts, at most 35 KB besides its
logo bitmap, importing
only functions that Windows 95's KERNEL32, USER32, ADVAPI32 and CRTDLL export
(Windows 95 has no MSVCRT), with no Unicode entry points."""
import sys
import unittest
from pathlib import Path

from pe_image import Image

sys.path.append(str(Path(__file__).resolve().parents[1] / "resources"))
import pe_resources  # noqa: E402

EXE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/Drivewright.exe"
ALLOWED = Path(__file__).with_name("win95-imports.txt")

# Functions that came after retail Windows 95 (with Windows 95 OSR2, Windows 98
# or NT 4): none of them may ever enter the list of allowed imports.
LATER = {"GetFileAttributesExA", "IsDebuggerPresent", "GetLongPathNameA", "CopyFileExA",
         "GetDiskFreeSpaceExA", "FindFirstFileExA", "InterlockedCompareExchange",
         "CreateWaitableTimerA", "SetWaitableTimer", "GetFileSizeEx", "SetFilePointerEx",
         "MoveFileExA", "ReadDirectoryChangesW", "SwitchToThread", "TryEnterCriticalSection",
         "InitializeCriticalSectionAndSpinCount", "GetTickCount64", "RegOpenCurrentUser",
         "AllowSetForegroundWindow", "LockSetForegroundWindow", "GetAncestor",
         "GetTitleBarInfo", "SendInput", "_vsnprintf_s", "strcpy_s"}

# The most the image may take besides the logo bitmap IDB_LOGO (15,664 bytes of
# plain pixels and their colour table): code, data, imports and the other
# resources, 40,144 bytes today.
CEILING_BESIDES_LOGO = 40 * 1024
IDB_LOGO, LANG_EN_US = 102, 1033

# The most initialised writable data the file may carry. The imports, the few
# initialised variables and the C runtime's tables take 2,860 bytes today; 4 KB
# leaves room for a few more imports and variables, and stays well under the
# run record (over 6 KB of buffers, all zero at start), which therefore cannot
# move out of .bss unnoticed.
WRITABLE_DATA_CEILING = 4096

# Section flags of an image that the loader knows: contents, memory access
# and discarding. Object-file flags (alignment, linker info) have no place.
SECTION_FLAGS = 0x20 | 0x40 | 0x80 | 0x02000000 | 0x20000000 | 0x40000000 | 0x80000000


def allowed_imports():
    allowed = {}
    for number, line in enumerate(ALLOWED.read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        dll, function, *reason = line.split()
        if not reason:
            raise ValueError(f"{ALLOWED.name}:{number}: {function} has no reason")
        allowed.setdefault(dll.upper(), set()).add(function)
    return allowed


class Executable(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.image = Image(EXE)

    def test_imports_only_what_windows_95_exports(self):
        imports = {dll.upper(): set(names) for dll, names in self.image.imports().items()}
        allowed = allowed_imports()
        self.assertEqual({"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL", "CRTDLL.DLL"},
                         set(imports))
        for dll, names in imports.items():
            with self.subTest(dll):
                self.assertEqual(set(), names - allowed.get(dll, set()),
                                 f"imports not in {ALLOWED.name}: add each with its reason")
                self.assertEqual(set(), allowed.get(dll, set()) - names,
                                 f"{ALLOWED.name} lists functions no longer imported")

    def test_allowed_list_holds_nothing_that_came_after_windows_95(self):
        listed = set().union(*allowed_imports().values())
        self.assertEqual(set(), listed & LATER)
        self.assertEqual([], sorted(n for n in listed if n.endswith("W") and n[-2].islower()),
                         "Windows 95 has no Unicode entry points")

    def test_headers_that_windows_95_accepts(self):
        image = self.image
        self.assertEqual(0x14C, image.machine, "i386")
        self.assertTrue(image.characteristics & 0x0002, "executable image")
        self.assertTrue(image.characteristics & 0x0100, "32-bit machine")
        self.assertFalse(image.characteristics & 0x2000, "not a DLL")
        self.assertEqual(2, image.subsystem, "Windows GUI")
        self.assertEqual((4, 0), image.os_version)
        self.assertEqual((4, 0), image.image_version)
        self.assertEqual((4, 0), image.subsystem_version)
        self.assertEqual(0x1000, image.section_alignment)
        self.assertEqual(0x200, image.file_alignment)
        self.assertEqual(0, image.dll_characteristics, "no flags that Windows 95 lacks")

    def test_no_tls_callbacks(self):
        self.assertEqual([], self.image.tls_callbacks())
        self.assertEqual((0, 0), self.image.directory(9), "no TLS directory at all")

    def test_section_flags(self):
        for section in self.image.sections:
            with self.subTest(section.name):
                self.assertEqual(0, section.characteristics & ~SECTION_FLAGS,
                                 f"{section.characteristics:#x}")
                self.assertEqual(0, section.raw_offset % self.image.file_alignment)
                self.assertEqual(0, section.virtual_address % self.image.section_alignment)

    def test_small(self):
        logo = pe_resources.read_resources(EXE)[(pe_resources.RT_BITMAP, IDB_LOGO, LANG_EN_US)]
        self.assertLessEqual(len(self.image.data) - len(logo), CEILING_BESIDES_LOGO,
                             f"{len(self.image.data)} bytes, the logo's {len(logo)} among them")
        self.assertNotIn(b".debug_info", self.image.data)

    def test_no_relocations(self):
        self.assertEqual([], [s.name for s in self.image.sections if s.name == ".reloc"])
        self.assertEqual((0, 0), self.image.directory(5), "no base relocation directory")

    def test_run_record_takes_no_room_in_the_file(self):
        """The record's buffers are zero at start: they belong in .bss, not
        in the initialised data the file carries."""
        written = [s for s in self.image.sections
                   if s.characteristics & 0x40 and s.characteristics & 0x80000000
                   and s.name != ".rsrc"]
        self.assertLessEqual(sum(s.virtual_size for s in written), WRITABLE_DATA_CEILING,
                             [(s.name, s.virtual_size) for s in written])


if __name__ == "__main__":
    unittest.main(verbosity=2)
