"""Checks the built Drivewright.exe as Windows 95 will see it: a 32-bit GUI
program for subsystem 4.0, at most 64 KB, importing only KERNEL32, USER32,
ADVAPI32 and CRTDLL (Windows 95 has no MSVCRT), with no Unicode entry points."""
import re
import subprocess
import sys
import unittest

EXE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/Drivewright.exe"


class Executable(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", EXE], check=True,
                                  capture_output=True, text=True).stdout

    def field(self, name):
        match = re.search(rf"^{name}\s+(\S+)", self.dump, re.M)
        self.assertIsNotNone(match, name)
        return match.group(1)

    def test_imports_only_what_windows_95_has(self):
        dlls = {d.upper() for d in re.findall(r"DLL Name: (\S+)", self.dump)}
        self.assertEqual({"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL", "CRTDLL.DLL"}, dlls)

    def test_ansi_calls_only(self):
        names = re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", self.dump, re.M)
        self.assertTrue(names)
        self.assertEqual([], [n for n in names if n.endswith("W") and n[-2].islower()])

    def test_gui_program_for_subsystem_4(self):
        self.assertIn("file format pei-i386", self.dump)
        self.assertEqual("00000002", self.field("Subsystem"))
        self.assertEqual("4", self.field("MajorSubsystemVersion"))
        self.assertEqual("0", self.field("MinorSubsystemVersion"))

    def test_small_and_stripped(self):
        with open(EXE, "rb") as f:
            data = f.read()
        self.assertLessEqual(len(data), 64 * 1024)
        self.assertNotIn(b".debug_info", data)


if __name__ == "__main__":
    unittest.main(verbosity=2)
