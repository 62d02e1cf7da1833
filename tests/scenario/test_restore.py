"""The SourcePath restore cycle on the real platform: a run repoints
SourcePath and leaves the "Quorvel" RunOnce entry; Wine's restart
processing then runs the program copy the entry names, which writes the old
path back."""

import shutil
import time

from bench import DELETE, KEEP, RUNONCE_KEY, ScenarioTest, main
from messages import BADARG, COPYING, FAILED, HELP, NOINF, NORESTORE, NOT_USEABLE, UPDATED, USEABLE

WIN98 = r"D:\WIN98"


def text(value):
    return value.encode("latin-1") + b"\0"


def entry(new_path, old_path=WIN98):
    return new_path + "\\Drivewright -X=" + old_path


def installed(new_path, made=True, stored=True):
    """What a quiet run logs after repointing, for a package holding only the
    program: its copy of the program, unless the directory is missing or the
    destination too long for its 127 characters. The running program is then
    put where a stored restore entry runs it."""
    join = new_path + "\\"
    copied = made and len(join + "Drivewright.exe") <= 127
    lines = [FAILED % (".", join + "."), FAILED % ("..", join + ".."),
             (COPYING if copied else FAILED) % ("Drivewright.exe", join + "Drivewright.exe"),
             NOINF]
    if stored and not copied:
        lines.append((COPYING if made else FAILED) %
                     (r"C:\PKG\Drivewright.exe", join + "Drivewright.exe"))
    return lines


class RestoreTest(ScenarioTest):

    def repoint(self, new_path, source_path=WIN98, earlier=DELETE, quiet="-q -c", fresh=True):
        return self.world.run(f"{quiet} -s={new_path}", source_path=source_path,
                              registry={(RUNONCE_KEY, "Quorvel"): earlier}, fresh=fresh)


class RestoreCycle(RestoreTest):

    def test_quiet_run_then_restart_restores_the_source_path(self):
        new = r"C:\QVDRV"
        first = self.repoint(new)
        self.assertRun(first, 0, "\n", [NOT_USEABLE % WIN98, UPDATED % new] + installed(new))
        self.assertEqual({"SourcePath": text(new), "Quorvel": text(entry(new))}, first.registry)

        # The copy of the package put the program where the entry runs it.
        self.world.restart()
        self.assertEqual({"SourcePath": text(WIN98), "Quorvel": None}, self.world.watched())
        log = self.world.log_path.read_bytes()
        self.assertSections(log, ("\n", [NOT_USEABLE % WIN98, UPDATED % new] + installed(new)),
                            ("\n", [USEABLE % new, UPDATED % WIN98]))

        # The same command line as the entry's, run again: its exit code.
        again = self.world.run("-X=" + WIN98, exe=new + r"\Drivewright.exe", source_path=new,
                               fresh=False)
        self.assertEqual(0, again.exit_code)
        self.assertEqual(text(WIN98), again.registry["SourcePath"])

    def test_two_repointing_runs_before_the_restart_keep_the_first_old_path(self):
        old = r"D:\WIN 98-SE"
        self.repoint(r"C:\QUORVEL\DRIVERS", source_path=old)
        second = self.repoint(r"C:\DRV2", source_path=KEEP, earlier=KEEP, fresh=False)
        self.assertEqual(0, second.exit_code)
        self.assertSections(second.log,
                            ("\n", [NOT_USEABLE % old, UPDATED % r"C:\QUORVEL\DRIVERS"] +
                             installed(r"C:\QUORVEL\DRIVERS", made=False)),
                            # -s makes one level only: C:\QUORVEL is missing.
                            ("\n", [NOT_USEABLE % r"C:\QUORVEL\DRIVERS", UPDATED % r"C:\DRV2"] +
                             installed(r"C:\DRV2")))
        self.assertEqual({"SourcePath": text(r"C:\DRV2"),
                          "Quorvel": text(entry(r"C:\DRV2", old))}, second.registry)

        self.world.restart()
        self.assertEqual({"SourcePath": text(old), "Quorvel": None}, self.world.watched())

    def test_quiet_run_that_restarts_restores_by_itself(self):
        new = r"C:\QVDRV"
        result = self.repoint(new, quiet="-q")
        self.assertEqual(1, result.exit_code)
        first = ("\n", [NOT_USEABLE % WIN98, UPDATED % new] + installed(new))
        self.assertSections(result.stdout, first)
        # Wine answers the restart request by running the RunOnce commands, at
        # once: the log may hold the restore already when the run is collected.
        deadline = time.monotonic() + 60
        while self.world.watched()["SourcePath"] != text(WIN98) and time.monotonic() < deadline:
            time.sleep(0.5)
        self.assertEqual({"SourcePath": text(WIN98), "Quorvel": None}, self.world.watched())
        self.assertSections(self.world.log_path.read_bytes(), first,
                            ("\n", [USEABLE % new, UPDATED % WIN98]))


class ProgramPlaced(RestoreTest):
    """Windows removes the entry before it runs it: a run that stored one and
    copied no Drivewright.exe there leaves the running program in its place,
    or the old path is lost at the restart."""

    def test_the_restart_finds_the_program_whatever_the_run_copied(self):
        new = r"C:\QVDRV"
        placed = COPYING % (r"C:\PKG\Drivewright.exe", new + r"\Drivewright.exe")
        skipped = [NOINF, placed]
        cases = [
            # what, command line, program, old path, exit code, messages after the repointing
            ("-d copies nothing", r"-q -c -d -s=C:\QVDRV", r"C:\PKG\Drivewright.exe",
             r"D:\WIN 98", 0, skipped, ""),
            ("a dash ends the path and starts -d", r"-q -c -s=C:\QVDRV-DRIVERS",
             r"C:\PKG\Drivewright.exe", r"D:\WIN98-SE", 0, skipped, ""),
            ("-f names a package without the program", r"-q -c -f=C:\ELSE -s=C:\QVDRV",
             r"C:\PKG\Drivewright.exe", r"D:\WIN 98-SE", 0,
             [FAILED % (".", new + r"\."), FAILED % ("..", new + r"\.."),
              COPYING % ("QV.VXD", new + r"\QV.VXD"), NOINF, placed], ""),
            ("-? ends the run", r"-s=C:\QVDRV -?", r"C:\PKG\Drivewright.exe", WIN98, 0,
             [placed], HELP),
            ("the program under another name", r"-q -c -s=C:\QVDRV", r"C:\PKG\SETUP.EXE",
             WIN98, 0,
             [FAILED % (".", new + r"\."), FAILED % ("..", new + r"\.."),
              COPYING % ("SETUP.EXE", new + r"\SETUP.EXE"), NOINF,
              COPYING % (r"C:\PKG\SETUP.EXE", new + r"\Drivewright.exe")], ""),
        ]
        for what, command_line, program, old, exit_code, messages, stdout_only in cases:
            with self.subTest(what):
                self.world.reset()
                shutil.copyfile(self.world.exe, self.world.make_dir(r"C:\PKG") /
                                program.rsplit("\\", 1)[1])
                self.world.write_file(r"C:\ELSE\QV.VXD", b"vxd")
                result = self.world.run(command_line, exe=program, source_path=old,
                                        fresh=False)
                self.assertRun(result, exit_code, "\n",
                               [NOT_USEABLE % old, UPDATED % new] + messages, stdout_only)
                self.world.restart()
                self.assertEqual({"SourcePath": text(old), "Quorvel": None},
                                 self.world.watched())


class EarlierEntries(RestoreTest):

    def test_an_earlier_entry_is_taken_back_and_replaced(self):
        stored_length = "C:\\" + "z" * 130 + "\\Drivewright -X=D:\\OLDEST"
        too_long = "C:\\" + "z" * 240 + "\\Drivewright -X=D:\\OLDEST"
        cases = [
            ("from an earlier run", entry(r"C:\QUORVEL\DRIVERS"), WIN98),
            ("without the marker", r"C:\OTHER\tool.exe -y", r"C:\windows"),
            ("marker in another case", r"C:\Q\DRIVEWRIGHT -x=D:\OLD", r"C:\windows"),
            ("old path with blanks and dashes",
             entry(r"C:\QUORVEL\DRIVERS", r"D:\WIN 98-SE -q"), r"D:\WIN 98-SE -q"),
            ("longer than SourcePath may be", stored_length, r"D:\OLDEST"),
            ("longer than an entry is written", too_long, r"C:\windows"),
        ]
        for what, earlier, old_path in cases:
            with self.subTest(what):
                result = self.repoint(r"C:\DRV2", source_path=r"C:\windows", earlier=earlier)
                self.assertRun(result, 0, "\n", [USEABLE % r"C:\windows", UPDATED % r"C:\DRV2"] +
                               installed(r"C:\DRV2"))
                self.assertEqual({"SourcePath": text(r"C:\DRV2"),
                                  "Quorvel": text(entry(r"C:\DRV2", old_path))}, result.registry)


class Failures(RestoreTest):

    def test_missing_run_once_key(self):
        result = self.world.run(r"-q -c -s=C:\DRV2", source_path=WIN98,
                                registry={(RUNONCE_KEY, None): DELETE})
        self.assertRun(result, 0, "\n",
                       [NOT_USEABLE % WIN98, UPDATED % r"C:\DRV2", NORESTORE % WIN98] +
                       installed(r"C:\DRV2", stored=False))
        self.assertEqual({"SourcePath": text(r"C:\DRV2"), "Quorvel": None}, result.registry)

    def test_restore_command_too_long_for_its_buffer_is_not_stored(self):
        old = "C:\\" + "o" * 124                       # 127 characters
        new = "C:\\" + "n" * 112                       # 115 + 16 + 127 = 258
        fits = "C:\\" + "n" * 109                      # 112 + 16 + 127 = 255
        for new_path, stored in ((new, False), (fits, True)):
            with self.subTest(length=len(new_path)):
                result = self.repoint(new_path, source_path=old)
                messages = [NOT_USEABLE % old, UPDATED % new_path]
                if not stored:
                    messages.append(NORESTORE % old)
                self.assertRun(result, 0, "\n", messages + installed(new_path, stored=stored))
                self.assertEqual({"SourcePath": text(new_path),
                                  "Quorvel": text(entry(new_path, old)) if stored else None},
                                 result.registry)

    def test_restore_mode_without_a_path(self):
        result = self.world.run("-x", source_path=WIN98)
        self.assertRun(result, 87, "\n", [NOT_USEABLE % WIN98, BADARG % "-x"])
        self.assertEqual(text(WIN98), result.registry["SourcePath"])


if __name__ == "__main__":
    main()
