"""Checks the README.TXT that ships beside Drivewright.exe: plain ASCII that
Notepad shows without wrapping, and every option of the program's help and
every file a package needs named in it."""
import re
import sys
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
TEXT = Path(sys.argv.pop(1)) if len(sys.argv) > 1 else REPO / "release" / "README.TXT"


class ReleaseReadme(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.data = TEXT.read_bytes()
        cls.text = cls.data.decode("ascii")

    def test_plain_ascii_in_short_lines(self):
        for number, line in enumerate(self.text.splitlines(), 1):
            self.assertLessEqual(len(line), 78, f"line {number}")
            self.assertNotIn("\t", line, f"line {number}")

    def test_every_option_of_the_help(self):
        strings = (REPO / "res" / "strings.rc").read_text(encoding="cp1252")
        help_text = strings[strings.index("IDS_HELP"):strings.index("IDS_BADARG")]
        letters = set(re.findall(r'"  -(\S)', help_text)) | {"q", "r", "x"}
        for letter in sorted(letters):
            self.assertRegex(self.text, rf"(?m)^  -{re.escape(letter)}[ =]", letter)

    def test_package_files_log_and_exit_codes(self):
        for needed in ("QV*.DRV", "QV*.VXD", "*.INF", "UNINSTAL.EXE", "QUORVEL.LOG",
                       "EXIT CODES", "  87 "):
            self.assertIn(needed, self.text)


if __name__ == "__main__":
    unittest.main(verbosity=2)
