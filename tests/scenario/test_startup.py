"""Start-up of the real program: the log, the banner, the header line, and
the judgement of SourcePath, with the exit codes that follow from them."""

from bench import DELETE, ScenarioTest, main
from messages import NO_SOURCE_PATH, NOINF, NOT_USEABLE, USEABLE

CABS = r"C:\WINDOWS\OPTIONS\CABS"


class LogFile(ScenarioTest):

    def test_first_run_creates_the_log_and_a_second_run_appends(self):
        self.world.reset()
        self.world.make_dir(CABS)
        first = self.world.run("", source_path=CABS, fresh=False)
        self.assertRun(first, 0, None, [USEABLE % CABS])
        self.assertTrue(first.log.startswith(b"\r\n-----"), "the first line is empty")

        second = self.world.run("", source_path=CABS, fresh=False)
        self.assertEqual(0, second.exit_code)
        self.assertTrue(second.log.startswith(first.log), "earlier text is kept byte for byte")
        self.assertSections(second.log, (None, [USEABLE % CABS]), (None, [USEABLE % CABS]))
        self.assertEqual(second.log[len(first.log):], second.stdout)

    def test_banner_shape(self):
        result = self.world.run("", source_path=r"C:\windows")
        lines = result.log.split(b"\r\n")
        self.assertEqual(b"", lines[0])
        self.assertEqual(b"-" * 58, lines[1])
        self.assertRegex(lines[2], rb"\A\d\d:\d\d:\d\d\t\d\d/\d\d/\d\d\Z")
        hh, mm, ss = (int(x) for x in lines[2][:8].split(b":"))
        month, day, _ = (int(x) for x in lines[2][9:].split(b"/"))
        self.assertTrue(hh < 24 and mm < 60 and ss < 60 and 1 <= month <= 12 and 1 <= day <= 31)
        self.assertEqual(b"", lines[3])
        self.assertEqual(b"QuorvelWare(tm) Audio Driver Installation Utility, Version  0.2 Beta ",
                         lines[4])
        self.assertEqual(b" ", lines[6])
        self.assertNotRegex(result.log, rb"[^\r]\n", "every line ends in CR LF")

    def test_a_log_that_cannot_be_created_ends_the_run_silently(self):
        self.world.reset()
        self.world.make_dir(r"C:\windows\Quorvel.log")
        result = self.world.run("-h=\"x\"", source_path=r"C:\windows", fresh=False)
        self.assertEqual(1, result.exit_code)
        self.assertEqual(b"", result.stdout)
        self.assertIsNone(result.log)
        self.assertEqual([], list(self.world.log_path.iterdir()))


class HeaderLine(ScenarioTest):

    def test_header_line_from_the_command_line(self):
        long_text = "L" + "o" * 150
        cases = [
            ("-c", "\n"),
            ("-h=\"xxx\"", "xxx\n"),
            ("-h=\"\"", "\n\n"),
            ("-h=\"no closing quote", " \n"),
            ("-h=none", " \n"),
            ("-c \"quoted\" -h", "quoted\n"),             # the first quoted text, not the header's
            ("-f=\"C:\\DRV\" -h=\"Title\"", "C:\\DRV\n"),
            ("-d=C:\\SETUP-HELP", " \n"),                 # -h inside a value asks for a header
            ("-h=\"%s%n%x\"", "%s%n%x\n"),                 # written as it stands
            ("-h=\"" + long_text + "\"", long_text[:123] + "\n"),  # cut to what the line holds
            ("junk -h=\"ok\"", "ok\n"),
        ]
        for command_line, header in cases:
            with self.subTest(command_line=command_line):
                result = self.world.run(command_line, source_path=r"C:\windows")
                self.assertRun(result, 0, header, [USEABLE % r"C:\windows"])

    def test_empty_command_line_writes_no_header(self):
        result = self.world.run("", source_path=r"C:\windows")
        self.assertRun(result, 0, None, [USEABLE % r"C:\windows"])


class NoDisplay(ScenarioTest):

    def test_without_a_display_the_dialogs_cannot_open_and_nothing_is_installed(self):
        # The main dialog fails to open (-1): that is no finished installation,
        # so there is neither the 2 s pause nor a finish dialog. The pause is
        # seen in Wine's trace of Sleep, which the quiet run shows it takes.
        for command_line, messages, pauses in (
                ("", [USEABLE % r"C:\QVDEST"], []),
                ("-q -c -d", [USEABLE % r"C:\QVDEST", NOINF], [2000])):
            with self.subTest(command_line=command_line):
                self.world.reset()
                self.world.package(r"C:\PKG", {"QVAUDIO.DRV": b"driver"})
                self.world.make_dir(r"C:\QVDEST")
                result = self.world.run(command_line, source_path=r"C:\QVDEST", fresh=False,
                                        pauses=True)
                self.assertRun(result, 0, "\n" if command_line else None, messages)
                self.assertEqual([], list(self.world.host(r"C:\QVDEST").iterdir()))
                self.assertEqual(pauses, result.pauses)


class SourcePath(ScenarioTest):

    def test_judgement_of_the_source_path(self):
        cases = [
            # (SourcePath, what to lay out, useable)
            (CABS, "hd", True),
            (r"C:\NO\SUCH\DIR", None, False),
            (r"D:\WIN98", "cd", False),
            (r"D:\WIN98", "no disc", False),
            ("CABS", "relative", True),      # no colon: drive C: of the package's directory
            ("WIN98", None, False),          # no colon: drive W: does not exist
            ("\\\\SERVER\\SHARE", None, False),
        ]
        for path, layout, useable in cases:
            with self.subTest(path=path, layout=layout):
                self.world.reset()
                if layout == "hd":
                    self.world.make_dir(path)
                elif layout in ("cd", "no disc"):
                    (self.world.prefix / "cdrom-d" / "WIN98").mkdir()
                    self.world.insert_disc(layout == "cd")
                elif layout == "relative":
                    self.world.make_dir(r"C:\PKG\CABS")
                result = self.world.run("", source_path=path, fresh=False)
                self.assertRun(result, 0, None, [(USEABLE if useable else NOT_USEABLE) % path])
                self.assertEqual(path.encode() + b"\0", result.registry["SourcePath"])
        self.world.insert_disc(True)

    def test_missing_or_unreadable_source_path_ends_with_exit_code_1(self):
        cases = [
            ("missing", DELETE, "", None),
            ("missing, with -?", DELETE, "-?", "\n"),
            ("128 characters", "C:\\" + "x" * 125, "", None),
            ("128 characters, with a header", "C:\\" + "x" * 125, "-h=\"t\"", "t\n"),
        ]
        for what, value, command_line, header in cases:
            with self.subTest(what):
                result = self.world.run(command_line, source_path=value)
                self.assertRun(result, 1, header, [NO_SOURCE_PATH])
                expected = None if value is DELETE else value.encode() + b"\0"
                self.assertEqual(expected, result.registry["SourcePath"], "registry unchanged")
                self.assertIsNone(result.registry["Quorvel"])

    def test_127_characters_are_read_whole(self):
        path = "C:\\" + "y" * 124
        result = self.world.run("", source_path=path)
        self.assertRun(result, 0, None, [NOT_USEABLE % path])


class ProgramDirectory(ScenarioTest):

    def test_program_in_the_root_of_a_drive(self):
        self.world.reset()
        exe = self.world.host("C:\\") / "Drivewright.exe"
        exe.write_bytes(self.world.exe.read_bytes())
        self.world.made.append(exe)
        result = self.world.run("", exe=r"C:\Drivewright.exe", source_path=r"C:\windows",
                                fresh=False)
        self.assertRun(result, 0, None, [USEABLE % r"C:\windows"])

    def test_program_started_from_another_directory(self):
        self.world.reset()
        self.world.package(r"C:\PKG")
        result = self.world.run("", cwd=r"C:\windows", source_path="CABS", fresh=False)
        self.assertRun(result, 0, None, [NOT_USEABLE % "CABS"])
        self.world.make_dir(r"C:\PKG\CABS")
        self.world.log_path.unlink()
        result = self.world.run("", cwd=r"C:\windows", source_path="CABS", fresh=False)
        # Relative paths are judged from the package's directory, not the start directory.
        self.assertRun(result, 0, None, [USEABLE % "CABS"])


if __name__ == "__main__":
    main()
