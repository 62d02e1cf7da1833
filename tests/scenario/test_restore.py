"""The SourcePath restore cycle on the real platform: a run repoints
SourcePath and leaves the "Quorvel" RunOnce entry; Wine's restart
processing then runs the program copy the entry names, which writes the old
path back."""

import shutil

from bench import DELETE, KEEP, RUN_KEY, RUNONCE_KEY, SETUP_KEY, ScenarioTest, main
from gui import poll
from messages import (BADARG, HELP, NO_SOURCE_PATH, NOINF, NORESTORE, NOT_UPDATED, NOT_USEABLE,
                      UPDATED, USEABLE, copies, copy, entry, placed, registry_values, repointed,
                      text)

WIN98 = r"D:\WIN98"


def installed(new_path):
    """What a quiet run logs after repointing, for a package holding only the
    program: nothing of the program, which the repointing put in place and
    the driver copy leaves alone, also where its path is too long for a copy."""
    return copies(new_path, []) + [NOINF]


class RestoreTest(ScenarioTest):

    def repoint(self, new_path, source_path=WIN98, earlier=DELETE, quiet="-q -c", fresh=True):
        return self.world.run(f"{quiet} -s={new_path}", source_path=source_path,
                              registry={(RUNONCE_KEY, "Quorvel"): earlier}, fresh=fresh)


class RestoreCycle(RestoreTest):

    def test_quiet_run_then_restart_restores_the_source_path(self):
        new = r"C:\QVDRV"
        first = self.repoint(new)
        self.assertRun(first, 0, "\n", [NOT_USEABLE % WIN98] + repointed(new) + installed(new))
        self.assertEqual(registry_values(new, entry(new, WIN98)), first.registry)

        # The repointing put the program where the entry runs it.
        self.world.restart()
        self.assertEqual(registry_values(WIN98), self.world.watched())
        log = self.world.log_path.read_bytes()
        self.assertSections(log, ("\n", [NOT_USEABLE % WIN98] + repointed(new) + installed(new)),
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
                            ("\n", [NOT_USEABLE % old] + repointed(r"C:\QUORVEL\DRIVERS") +
                             installed(r"C:\QUORVEL\DRIVERS")),
                            ("\n", [USEABLE % r"C:\QUORVEL\DRIVERS"] + repointed(r"C:\DRV2") +
                             installed(r"C:\DRV2")))
        self.assertEqual(registry_values(r"C:\DRV2", entry(r"C:\DRV2", old)), second.registry)

        self.world.restart()
        self.assertEqual(registry_values(old), self.world.watched())

    def test_quiet_run_that_restarts_restores_by_itself(self):
        new = r"C:\QVDRV"
        result = self.repoint(new, quiet="-q")
        self.assertEqual(1, result.exit_code)
        first = ("\n", [NOT_USEABLE % WIN98] + repointed(new) + installed(new))
        self.assertSections(result.stdout, first)
        # Wine answers the restart request by running the RunOnce commands, at
        # once: the log may hold the restore already when the run is collected.
        poll("the restore", lambda: self.world.watched()["SourcePath"] == text(WIN98),
             interval=0.5)
        self.assertEqual(registry_values(WIN98), self.world.watched())
        self.assertSections(self.world.log_path.read_bytes(), first,
                            ("\n", [USEABLE % new, UPDATED % WIN98]))


class PathNotFull(RestoreTest):
    """The restore entry runs at the next start of Windows, where a relative
    path means nothing: an -s path is made full against the working
    directory of the moment it is applied."""

    def test_made_full_against_the_working_directory(self):
        cases = [
            # command line, the full path
            ("-s=QVDRV", r"C:\PKG\QVDRV"),
            (r"-s=\QVDRV", r"C:\QVDRV"),
            ("-s=C:QVDRV", r"C:\PKG\QVDRV"),
            (r"-f=C:\ELSE -s=QVDRV", r"C:\ELSE\QVDRV"),
            (r"-s=QVDRV -f=C:\ELSE", r"C:\PKG\QVDRV"),
        ]
        for command_line, full in cases:
            with self.subTest(command_line):
                self.world.reset()
                self.world.make_dir(r"C:\ELSE")
                result = self.world.run("-q -c -d " + command_line, source_path=WIN98,
                                        fresh=False)
                self.assertRun(result, 0, "\n", [NOT_USEABLE % WIN98] + repointed(full) +
                               [NOINF])
                self.assertEqual(registry_values(full, entry(full, WIN98)), result.registry)
                self.world.restart()
                self.assertEqual(registry_values(WIN98), self.world.watched())

    def test_a_full_path_that_source_path_cannot_hold_or_that_has_a_blank_is_refused(self):
        long = "C:\\" + "P" * 110                     # 113 characters
        cases = [(long, "Q" * 13, True),              # 113 + 1 + 13 = 127: it fits
                 (long, "Q" * 14, False),
                 # The restore entry's command would hold the blank unquoted.
                 (r"C:\QV SETUP", "QVDRV", False)]
        for package, name, fits in cases:
            with self.subTest(package + "\\" + name):
                self.world.reset()
                program = self.world.package(package)
                result = self.world.run("-q -c -d -s=" + name, exe=program, source_path=WIN98,
                                        fresh=False)
                full = package + "\\" + name
                messages = repointed(full, program) if fits else [BADARG % ("-s=" + name)]
                self.assertRun(result, 0, "\n", [NOT_USEABLE % WIN98] + messages + [NOINF])
                self.assertEqual(registry_values(full, entry(full, WIN98)) if fits
                                 else registry_values(WIN98), result.registry)


class ProgramPlaced(RestoreTest):
    """Windows removes the entry before it runs it: the running program is put
    where the entry runs it before the entry is stored, whatever the run
    copies afterwards, or the old path is lost at the restart."""

    def test_the_restart_finds_the_program_whatever_the_run_copied(self):
        new = r"C:\QVDRV"
        cases = [
            # what, command line, program, old path, exit code, messages after the repointing
            ("-d copies nothing", r"-q -c -d -s=C:\QVDRV", r"C:\PKG\Drivewright.exe",
             r"D:\WIN 98", 0, [NOINF], ""),
            ("a dash ends the path and starts -d", r"-q -c -s=C:\QVDRV-DRIVERS",
             r"C:\PKG\Drivewright.exe", r"D:\WIN98-SE", 0, [NOINF], ""),
            ("-f names a package without the program", r"-q -c -f=C:\ELSE -s=C:\QVDRV",
             r"C:\PKG\Drivewright.exe", r"D:\WIN 98-SE", 0,
             copies(new, []) + [copy(new, "QV.VXD"), NOINF], ""),
            ("-? ends the run", r"-s=C:\QVDRV -?", r"C:\PKG\Drivewright.exe", WIN98, 0,
             [], HELP),
            ("the program under another name", r"-q -c -s=C:\QVDRV", r"C:\PKG\SETUP.EXE",
             WIN98, 0, copies(new, []) + [copy(new, "SETUP.EXE"), NOINF], ""),
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
                               [NOT_USEABLE % old] + repointed(new, program) + messages,
                               stdout_only)
                self.world.restart()
                self.assertEqual(registry_values(old), self.world.watched())


    def test_the_driver_copy_leaves_the_restore_program_alone(self):
        # -f takes the package from elsewhere, with a Drivewright.exe of its
        # own: the restore program must stay the running one.
        new, old = r"C:\QVDRV", r"D:\WIN98"
        self.world.reset()
        self.world.package(r"C:\PKG")
        self.world.write_file(r"C:\ELSE\Drivewright.exe", b"not the program")
        result = self.world.run(r"-q -c -f=C:\ELSE -s=C:\QVDRV", source_path=old, fresh=False)
        self.assertRun(result, 0, "\n", [NOT_USEABLE % old] + repointed(new) + installed(new))
        self.assertEqual(self.world.exe.read_bytes(),
                         self.world.host(new + r"\Drivewright.exe").read_bytes())
        self.world.restart()
        self.assertEqual(registry_values(old), self.world.watched())


class StandingEntry(RestoreTest):
    """Windows removes the RunOnce entry before it runs it; the same command
    stands under Run until a restore has written the old path back."""

    def run_entry(self):
        line = self.world.bench("get", RUN_KEY, "Quorvel")[0]
        return None if line == "MISSING" else bytes.fromhex(line.split(" ")[2])

    def test_a_start_of_windows_restores_once(self):
        new = r"C:\QVDRV"
        self.repoint(new)
        self.assertEqual(text(entry(new, WIN98)), self.run_entry())
        self.world.restart(run=True)
        self.assertEqual((registry_values(WIN98), None), (self.world.watched(), self.run_entry()))
        self.assertSections(self.world.log_path.read_bytes(),
                            ("\n", [NOT_USEABLE % WIN98] + repointed(new) + installed(new)),
                            ("\n", [USEABLE % new, UPDATED % WIN98]))

    def test_a_restore_ended_before_its_write_runs_again_at_the_next_start(self):
        self.repoint(r"C:\QVDRV")
        # The start of Windows took the RunOnce entry; its restore was ended.
        self.world.bench("del", RUNONCE_KEY, "Quorvel")
        self.world.restart(run=True)
        self.assertEqual((registry_values(WIN98), None), (self.world.watched(), self.run_entry()))

    def test_a_restore_that_runs_twice_does_no_harm(self):
        new = r"C:\QVDRV"
        later = entry(r"C:\DRV2", r"D:\OTHER")
        # what, the Run entry, the Run entry after the two runs
        cases = [("its own entry", entry(new, WIN98), None),
                 ("an entry of a later repointing", later, text(later))]
        for what, standing, left in cases:
            with self.subTest(what):
                self.world.reset()
                self.world.package(new)
                runs = [self.world.run("-X=" + WIN98, exe=new + r"\Drivewright.exe",
                                       source_path=source_path, fresh=False,
                                       registry={(RUN_KEY, "Quorvel"): earlier})
                        for source_path, earlier in ((new, standing), (KEEP, KEEP))]
                self.assertEqual([(0, text(WIN98))] * 2,
                                 [(r.exit_code, r.registry["SourcePath"]) for r in runs])
                self.assertEqual(left, self.run_entry())

    def test_a_repointing_after_an_ended_restore_keeps_the_path_from_before(self):
        result = self.world.run(r"-q -c -s=C:\DRV2", source_path=r"C:\QVDRV",
                                registry={(RUN_KEY, "Quorvel"): entry(r"C:\QVDRV", WIN98)})
        self.assertEqual(registry_values(r"C:\DRV2", entry(r"C:\DRV2", WIN98)), result.registry)
        self.assertEqual(text(entry(r"C:\DRV2", WIN98)), self.run_entry())


class EarlierEntries(RestoreTest):

    def test_an_earlier_entry_is_taken_back_and_replaced(self):
        stored_length = "C:\\" + "z" * 130 + "\\Drivewright -X=D:\\OLDEST"
        too_long = "C:\\" + "z" * 240 + "\\Drivewright -X=D:\\OLDEST"
        cases = [
            ("from an earlier run", entry(r"C:\QUORVEL\DRIVERS", WIN98), WIN98),
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
                self.assertRun(result, 0, "\n", [USEABLE % r"C:\windows"] + repointed(r"C:\DRV2") +
                               installed(r"C:\DRV2"))
                self.assertEqual(registry_values(r"C:\DRV2", entry(r"C:\DRV2", old_path)),
                                 result.registry)


class Failures(RestoreTest):

    def test_an_entry_that_cannot_be_stored_leaves_source_path_as_it_is(self):
        old = "C:\\" + "o" * 124                       # 127 characters
        too_long = "C:\\" + "n" * 112                  # 115 + 16 + 127 = 258
        fits = "C:\\" + "n" * 109                      # 112 + 16 + 127 = 255
        earlier = entry(r"C:\QVDRV", old)
        cases = [
            # what, new path, registry laid down, entry left
            ("no RunOnce key", r"C:\DRV2", {(RUNONCE_KEY, None): DELETE}, None),
            ("no Run key", r"C:\DRV2", {(RUN_KEY, None): DELETE}, None),
            ("a command too long", too_long, {}, None),
            ("an earlier entry stays", too_long, {(RUNONCE_KEY, "Quorvel"): earlier}, earlier),
        ]
        for what, new_path, registry, left in cases:
            with self.subTest(what):
                result = self.world.run(f"-q -c -s={new_path}", source_path=old,
                                        registry=registry)
                self.assertRun(result, 0, "\n",
                               [NOT_USEABLE % old, placed(new_path), NORESTORE % old,
                                NOT_UPDATED % new_path] + installed(new_path))
                self.assertEqual(registry_values(old, left), result.registry)
        result = self.repoint(fits, source_path=old)
        self.assertEqual(registry_values(fits, entry(fits, old)), result.registry)

    def test_the_restore_runs_where_start_up_cannot_go_on(self):
        # Windows removes the entry before it runs it: the restore run is the
        # only chance to write the old path back.
        for what in ("a directory in the log's place", "no SourcePath value"):
            with self.subTest(what):
                self.repoint(r"C:\QVDRV")
                log = self.world.log_path
                before = log.read_bytes()
                if what.startswith("a directory"):
                    log.unlink()
                    log.mkdir()
                else:
                    self.world.bench("del", SETUP_KEY, "SourcePath")
                self.world.restart()
                self.assertEqual(registry_values(WIN98), self.world.watched())
                if log.is_dir():
                    self.assertEqual([], list(log.iterdir()))
                else:
                    self.assertSections(log.read_bytes()[len(before):],
                                        ("\n", [NO_SOURCE_PATH, UPDATED % WIN98]))

        # Its exit code is the restore's, and nothing is written anywhere.
        self.world.reset()
        self.world.log_path.mkdir()
        result = self.world.run("-X=" + WIN98, source_path=r"C:\QVDRV", fresh=False)
        self.assertEqual((0, b"", None), (result.exit_code, result.stdout, result.log))
        self.assertEqual(text(WIN98), result.registry["SourcePath"])

    def test_not_held_back_by_an_installation_under_way(self):
        # The restore run leaves the log to the run that holds it.
        world = self.world
        world.reset()
        held = world.launch_held("-q -c -d", source_path=r"C:\windows", stdout=r"C:\held.txt")
        log = world.log_path.read_bytes()
        result = world.run("-X=" + WIN98, source_path=KEEP, fresh=False)
        world.end_task("Drivewright.exe", "uninstal.exe")
        held.finish()
        self.assertEqual(0, result.exit_code)
        self.assertEqual(text(WIN98), result.registry["SourcePath"])
        self.assertSections(result.stdout, ("\n", [USEABLE % r"C:\windows", UPDATED % WIN98]))
        self.assertEqual(log, result.log)

    def test_restore_mode_without_a_path(self):
        result = self.world.run("-x", source_path=WIN98)
        self.assertRun(result, 87, "\n", [NOT_USEABLE % WIN98, BADARG % "-x"])
        self.assertEqual(text(WIN98), result.registry["SourcePath"])


if __name__ == "__main__":
    main()
