"""The command line of the real program: how it is cut into options, what each
option does, and what is logged, printed, returned and left in the registry.

A quiet run that is allowed to restart ends with the result of the restart
request, which Wine accepts (1); a quiet run with -c, and an interactive run
whose dialogs are not shown, end with 0."""

from bench import ScenarioTest, main
from messages import BADARG, HELP, NOINF, UPDATED, USEABLE, copies, copy, entry, repointed

WINDIR = r"C:\windows"
UNCHANGED = (WINDIR, None)

# What a quiet run installs from a package that holds only the program, with
# SourcePath the Windows directory.
INSTALLED = copies(WINDIR, []) + [copy(WINDIR, "Drivewright.exe"), NOINF]


class OptionTable(ScenarioTest):

    def check(self, cases):
        """cases: (command line, exit code, header line, messages after the
        SourcePath line, standard output only, (SourcePath, Quorvel) after,
        directories the run creates)."""
        for command_line, exit_code, header, messages, stdout_only, after, made in cases:
            with self.subTest(command_line=command_line):
                self.world.reset()
                for path in made:
                    self.world.made.append(self.world.host(path))
                result = self.world.run(command_line, source_path=WINDIR, fresh=False)
                self.assertRun(result, exit_code, header, [USEABLE % WINDIR] + messages,
                               stdout_only)
                source_path, restore_entry = after
                self.assertEqual(source_path.encode("latin-1") + b"\0",
                                 result.registry["SourcePath"])
                self.assertEqual(None if restore_entry is None
                                 else restore_entry.encode("latin-1") + b"\0",
                                 result.registry["Quorvel"])
                for path in made:
                    self.assertTrue(self.world.host(path).is_dir(), path)

    def test_letters_in_any_case_and_order(self):
        self.check([
            ("-q -c -r", 1, "\n", INSTALLED, "", UNCHANGED, []),     # the later option wins
            ("-q -r -c", 0, "\n", INSTALLED, "", UNCHANGED, []),
            ("-q -c", 0, "\n", INSTALLED, "", UNCHANGED, []),
            ("-c -r", 0, "\n", [], "", UNCHANGED, []),
            ("SETUP -q", 1, "\n", INSTALLED, "", UNCHANGED, []),     # text before the first option
            ("-quiet", 1, "\n", INSTALLED, "", UNCHANGED, []),
            ("/Q", 1, "\n", INSTALLED, "", UNCHANGED, []),
            ("-Debug", 0, "\n", [], "", UNCHANGED, []),
            ("-d -H", 0, " \n", [], "", UNCHANGED, []),
        ])

    def test_options_that_are_not_in_the_table(self):
        self.check([
            ("-z -q", 1, "\n", [BADARG % "-z  "] + INSTALLED, "", UNCHANGED, []),
            ("-c -", 0, "\n", [BADARG % "-"], "", UNCHANGED, []),
            ("- -c", 0, "\n", [BADARG % "-  "], "", UNCHANGED, []),
            ("-1 /%s%n", 0, "\n", [BADARG % "-1  ", BADARG % "/%s%n"], "", UNCHANGED, []),
            ('-h="12/05/98" -c', 0, "12/05/98\n",
             [BADARG % '/05 ', BADARG % '/98"  '], "", UNCHANGED, []),
            ("-f -c", 0, "\n", [BADARG % "-f  "], "", UNCHANGED, []),
            ("-c -s", 0, "\n", [BADARG % "-s"], "", UNCHANGED, []),
            ("-x -q", 87, "\n", [BADARG % "-x  "], "", UNCHANGED, []),
        ])

    def test_source_path_option(self):
        longest = "C:\\" + "L" * 121           # the option is 127 characters: it fits
        too_long = longest + "L"
        # A quiet run repoints once it knows that it can finish, -? and -x
        # before they end the run; a run whose dialogs are not shown never.
        self.check([
            (r"-q -c -d -s=C:\MY DRIVERS", 0, "\n", repointed(r"C:\MY") + [NOINF], "",
             (r"C:\MY", entry(r"C:\MY", WINDIR)), [r"C:\MY"]),
            (r"-q -c -s=C:\NEW-DRV", 0, "\n", repointed(r"C:\NEW") + [NOINF], "",
             (r"C:\NEW", entry(r"C:\NEW", WINDIR)), [r"C:\NEW"]),
            (r"-s=C:\NEW -?", 0, "\n", repointed(r"C:\NEW"), HELP,
             (r"C:\NEW", entry(r"C:\NEW", WINDIR)), [r"C:\NEW"]),
            (r"-s=C:\NEW", 0, "\n", [], "", UNCHANGED, []),
            # Every missing level of the path is made.
            (r"-q -c -d -s=C:\NO\SUCH", 0, "\n", repointed(r"C:\NO\SUCH") + [NOINF],
             "", (r"C:\NO\SUCH", entry(r"C:\NO\SUCH", WINDIR)), [r"C:\NO\SUCH"]),
            ("-q -c -d -s=" + longest, 0, "\n", repointed(longest) + [NOINF], "",
             (longest, entry(longest, WINDIR)), [longest]),
            ("-q -c -d -s=" + too_long, 0, "\n", [BADARG % ("-s=" + too_long)[:127], NOINF],
             "", UNCHANGED, []),
        ])

    def test_help(self):
        self.check([
            ("-?", 0, "\n", [], HELP, UNCHANGED, []),
            ("-z -? -y", 0, "\n", [BADARG % "-z  "], HELP, UNCHANGED, []),
            ("-? -q", 0, "\n", [], HELP, UNCHANGED, []),
        ])

    def test_restore_option(self):
        self.check([
            (r"-x=D:\WIN95", 0, "\n", [UPDATED % r"D:\WIN95"], "", (r"D:\WIN95", None), []),
            (r"-X=D:\WIN95 -q", 0, "\n", [UPDATED % r"D:\WIN95 -q"], "", (r"D:\WIN95 -q", None), []),
            (r"-x=D:\WIN 95", 0, "\n", [UPDATED % r"D:\WIN 95"], "", (r"D:\WIN 95", None), []),
            ("-x=", 0, "\n", [UPDATED % ""], "", ("", None), []),
            (r"-x=D:\WIN-95", 0, "\n", [UPDATED % r"D:\WIN-95"], "", (r"D:\WIN-95", None), []),
        ])

    def test_program_directory_option_is_seen_by_the_remover(self):
        cases = [
            (r"-f=C:\DRV -q -c -d", r"C:\DRV"),
            (r"-q -c -d -f=C:\DRV", r"C:\DRV"),
            (r"-q -c -d -f=C:\NOPE", r"C:\PKG"),     # no such directory: the start one stays
        ]
        for command_line, where in cases:
            with self.subTest(command_line=command_line):
                self.world.reset()
                self.world.package(r"C:\PKG")
                self.world.remover(r"C:\PKG")
                self.world.remover(r"C:\DRV")
                result = self.world.run(command_line, source_path=WINDIR, fresh=False)
                self.assertRun(result, 0, "\n", [USEABLE % WINDIR, NOINF])
                self.assertEqual([("uninstal.exe -C", where, WINDIR)],
                                 [start[:3] for start in self.world.remover_record()])


if __name__ == "__main__":
    main()
