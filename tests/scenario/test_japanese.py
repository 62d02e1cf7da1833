"""Japanese Windows, whose ANSI code page 932 has double-byte characters: the
second byte of 表 and ソ is a backslash's code, that of ニ a lower-case
letter's. The quiet run into a directory whose name ends in 表, its restore
through Wine's restart processing and an INF whose provider is ソニー, all
compared byte for byte in code page 932."""

from bench import NOTICE, ScenarioTest, main
from messages import (NOINF, NOT_USEABLE, UPDATED, USEABLE, SectionChecks, copies, copy, entry,
                      inf_lines, registry_values, repointed, section_lines, text)

PACKAGE = "C:\\表"
NEW = "C:\\新表"
OLD = "D:\\表"
OTHER = r"C:\windows\INF\OTHER"
DRIVER = b"driver\x00\xff\r\n"
INF_TEXT = '[Version]\r\nSignature="$CHICAGO$"\r\nProvider="ソニー"\r\n'.encode("cp932")


def cp932(lines):
    return [line.encode("cp932") for line in lines]


class JapaneseWindows(SectionChecks, ScenarioTest):

    # Code page 932 has no "\xa9": the string table's copyright sign comes as a "c".
    notice = NOTICE.replace(b"\xa9", b"c")

    def test_quiet_run_into_a_name_ending_in_hyo_then_the_restart_restores(self):
        world = self.world
        world.reset()
        world.package(PACKAGE, {"QVAUDIO.DRV": DRIVER, "QVAUDIO.INF": INF_TEXT})
        world.make_dir(OTHER)
        result = world.run("-q -c -s=" + NEW, exe=PACKAGE + r"\Drivewright.exe",
                           source_path=text(OLD, "cp932"), fresh=False)

        lines = section_lines(result.log, "cp932")
        program = PACKAGE + r"\Drivewright.exe"
        self.assertLines(lines, [NOT_USEABLE % OLD] + repointed(NEW, program),
                         copies(NEW, ["QVAUDIO.DRV", "QVAUDIO.INF"]),
                         inf_lines("QVAUDIO.INF", "ソニー"), result.log)
        first = ("\n", cp932(lines))
        self.assertRun(result, 0, *first)
        self.assertEqual(registry_values(NEW, entry(NEW, OLD), "cp932"), result.registry)

        # Everything in the new directory, nothing beside it (no C:\新, no
        # C:\新表Drivewright.exe).
        self.assertEqual(world.exe.read_bytes(),
                         world.host(NEW + r"\Drivewright.exe").read_bytes())
        self.assertEqual(DRIVER, world.host(NEW + r"\QVAUDIO.DRV").read_bytes())
        self.assertEqual(INF_TEXT, world.host(OTHER + "\\ソニーQVAUDIO.INF").read_bytes())
        fresh = {e.name for e in (world.template / "drive_c").iterdir()}
        made = {e.name for e in (world.prefix / "drive_c").iterdir()} - fresh
        self.assertEqual({"表", "新表"}, made)

        world.restart()
        self.assertEqual(registry_values(OLD, encoding="cp932"), world.watched())
        self.assertSections(world.log_path.read_bytes(), first,
                            ("\n", cp932([USEABLE % NEW, UPDATED % OLD])))

    def test_a_relative_path_is_made_full_in_the_package_whose_name_ends_in_hyo(self):
        world = self.world
        world.reset()
        program = world.package(PACKAGE)
        result = world.run("-q -c -d -s=新表", exe=program, source_path=text(OLD, "cp932"),
                           fresh=False)
        full = PACKAGE + "\\新表"
        self.assertRun(result, 0, "\n",
                       cp932([NOT_USEABLE % OLD] + repointed(full, program) + [NOINF]))
        self.assertEqual(registry_values(full, entry(full, OLD), "cp932"), result.registry)

    def test_an_unquoted_program_path_with_a_dash_after_hyo_holds_no_option(self):
        # A batch file starts the program by its path, unquoted: the folder's
        # "-q" or "-d" after 表 is part of the name, not an option.
        windir = r"C:\windows"
        cases = [
            # folder, options, exit code, header line, messages after the SourcePath line
            ("C:\\表-q", "", 0, None, []),       # no display: the dialogs are not shown
            ("C:\\表-d", "-q -c", 0, "\n",
             copies(windir, []) + [copy(windir, "Drivewright.exe"), NOINF]),
        ]
        world = self.world
        for folder, options, exit_code, header, messages in cases:
            with self.subTest(folder):
                world.reset()
                program = world.package(folder)
                result = world.run(options, exe=program, named=program,
                                   source_path=text(windir), fresh=False)
                self.assertRun(result, exit_code, header, cp932([USEABLE % windir] + messages))
                self.assertEqual(registry_values(windir), result.registry)


if __name__ == "__main__":
    main()
