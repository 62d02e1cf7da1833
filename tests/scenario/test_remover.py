"""The package's remover in a quiet run: a stand-in uninstal.exe records how
it was started, and can be made to sleep, fail, crash or hand its work on;
and a second quiet run, which waits for the first."""

import time

from bench import ScenarioTest, crlf, main, poll
from messages import NOINF, USEABLE, registry_values, repointed, text

WINDIR = r"C:\windows"


class Remover(ScenarioTest):

    # The driver files are not copied (-d): the remover is what is looked at.
    def quiet_run(self, command_line="-q -c -d", config="", where=r"C:\PKG"):
        self.world.reset()
        self.world.package(r"C:\PKG")
        if where:
            self.world.remover(where, config)
        return self.world.run(command_line, source_path=WINDIR, fresh=False)

    def test_started_from_the_working_directory_with_one_argument(self):
        result = self.quiet_run(r"-q -c -d -s=C:\QVDRV")
        self.assertRun(result, 0, "\n", [USEABLE % WINDIR, *repointed(r"C:\QVDRV"), NOINF])
        # Started once, after the options were applied, and waited for.
        self.assertEqual([("uninstal.exe -C", r"C:\PKG", r"C:\QVDRV", True)],
                         self.world.remover_record())

    def test_a_run_ended_while_the_remover_hangs_leaves_the_way_back(self):
        # The run is waited for without a time limit: a user ends it. The
        # restart must still find the program that the restore entry runs.
        old = r"D:\WIN 98-SE"
        self.world.reset()
        launch = self.world.launch_held(r"-q -c -s=C:\QVDRV", source_path=old)
        self.world.end_task("Drivewright.exe", "uninstal.exe")
        log = launch.finish().log
        self.assertNotIn(crlf(NOINF), log, "ended before its end")
        # The log already says where SourcePath went, for whoever looks
        # into a failed installation.
        for line in repointed(r"C:\QVDRV"):
            self.assertIn(crlf(line), log)
        self.world.restart()
        self.assertEqual(registry_values(old), self.world.watched())

    def test_a_second_quiet_run_waits_for_the_first_until_end_task_ends_it(self):
        world = self.world
        world.reset()
        first = world.launch_held("-q -c -d", exe=r"C:\PKA\FIRST.EXE", source_path=WINDIR,
                                  stdout=r"C:\PKA\stdout.txt")
        world.package(r"C:\PKB")
        world.remover(r"C:\PKB")
        second = world.launch("-q -c -d", exe=r"C:\PKB\Drivewright.exe", source_path=WINDIR,
                              fresh=False, stdout=r"C:\PKB\stdout.txt")
        time.sleep(3)    # room for the second remover to start, were the run not held
        self.assertEqual(1, len(world.remover_record()), "the second run waits")
        world.end_task("FIRST.EXE")
        first.finish()
        result = second.finish()
        world.end_task("uninstal.exe")
        self.assertEqual(0, result.exit_code)
        self.assertSections(result.log, ("\n", [USEABLE % WINDIR]),
                            ("\n", [USEABLE % WINDIR, NOINF]))
        self.assertEqual([r"C:\PKA", r"C:\PKB"], [start[1] for start in world.remover_record()])

    def test_a_second_quiet_run_starts_its_remover_only_once_the_first_has_ended(self):
        # The first run's pause before its end is where a restart would cut
        # the second run's installation half-way.
        world = self.world
        world.reset()
        world.package(r"C:\PKA")
        world.remover(r"C:\PKA", "sleep 1500")     # the second run is queued meanwhile
        first = world.launch("-q -c -d", exe=r"C:\PKA\Drivewright.exe", source_path=WINDIR,
                             fresh=False, stdout=r"C:\PKA\stdout.txt")
        poll("the first remover to start", world.remover_record)
        world.package(r"C:\PKB")
        world.remover(r"C:\PKB")
        second = world.launch("-q -c -d", exe=r"C:\PKB\Drivewright.exe", source_path=WINDIR,
                              fresh=False, stdout=r"C:\PKB\stdout.txt")
        ended = first.finish().ended
        self.assertEqual(0, second.finish().exit_code)
        self.assertEqual([r"C:\PKA", r"C:\PKB"], [start[1] for start in world.remover_record()])
        second_remover = world.remover_ticks()[1]
        self.assertGreaterEqual(second_remover, ended,
                                f"the second remover started {ended - second_remover} ms "
                                "before the first run ended")

    def test_the_run_waits_for_the_remover_to_end(self):
        result = self.quiet_run(config="sleep 4000")
        self.assertRun(result, 0, "\n", [USEABLE % WINDIR, NOINF])
        # Without the wait the run would end two seconds before the remover.
        self.assertEqual([("uninstal.exe -C", r"C:\PKG", WINDIR, True)],
                         self.world.remover_record())

    def test_a_remover_that_hands_its_work_on_has_finished_it_before_the_first_copy(self):
        # The remover's copy erases the old driver file three seconds after
        # the remover has ended: the installed one, if the run went on.
        self.world.reset()
        self.world.package(r"C:\PKG", {"QVAUDIO.DRV": b"new"})
        self.world.remover(r"C:\PKG", r"handoff sleep 3000 erase C:\QVDRV\QVAUDIO.DRV")
        self.world.write_file(r"C:\QVDRV\QVAUDIO.DRV", b"old")
        result = self.world.run("-q -c", source_path=r"C:\QVDRV", fresh=False)
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual(b"new", self.world.host(r"C:\QVDRV\QVAUDIO.DRV").read_bytes())
        self.assertEqual([("uninstal.exe -C", r"C:\PKG", r"C:\QVDRV", True),
                          ("uninstal.exe -handed", r"C:\PKG", r"C:\QVDRV", True)],
                         self.world.remover_record())

    def test_a_worker_whose_helper_ended_at_once_is_waited_for(self):
        # The remover starts a helper, which starts the worker and ends at
        # once; the remover ends a second later, and the worker erases the
        # old driver three seconds after that.
        world = self.world
        world.reset()
        world.package(r"C:\PKG", {"QVAUDIO.DRV": b"new"})
        world.remover(r"C:\PKG", r"launch sleep 1000 handoff handoff sleep 3000 "
                                  r"erase C:\QVDRV\QVAUDIO.DRV")
        world.write_file(r"C:\QVDRV\QVAUDIO.DRV", b"old")
        result = world.run("-q -c", source_path=r"C:\QVDRV", fresh=False)
        self.assertEqual(0, result.exit_code, result)
        poll("the worker to end", lambda: len(world.remover_record()) == 3 and
             world.remover_record()[2][3], 30)
        driver = world.host(r"C:\QVDRV\QVAUDIO.DRV")
        self.assertEqual(b"new", driver.read_bytes() if driver.exists() else "erased")
        self.assertEqual(["uninstal.exe -C", "uninstal.exe -handed", "uninstal.exe -handed 2"],
                         [start[0] for start in world.remover_record()])

    def test_a_remover_that_erases_the_restore_program_leaves_it_in_place(self):
        # The old version's remover erases the program that the old run put
        # into its driver directory: now the one that the restore entry runs.
        for command_line in (r"-q -c -s=C:\QVDRV", r"-q -c -d -s=C:\QVDRV"):
            with self.subTest(command_line):
                result = self.quiet_run(command_line, r"erase C:\QVDRV\Drivewright.exe")
                self.assertEqual(0, result.exit_code, result)
                self.assertEqual(self.world.host(r"C:\PKG\Drivewright.exe").read_bytes(),
                                 self.world.host(r"C:\QVDRV\Drivewright.exe").read_bytes())

    def test_outcome_of_the_remover_changes_nothing(self):
        cases = [
            ("succeeds", "", r"C:\PKG", 1),
            ("fails", "exit 5", r"C:\PKG", 1),
            ("crashes", "crash", r"C:\PKG", 1),
            ("missing", "", None, 0),
            ("only on the search path", "", WINDIR, 0),
        ]
        for what, config, where, starts in cases:
            for command_line, exit_code in (("-q -c -d", 0), ("-q -d", 1)):
                with self.subTest(what, command_line=command_line):
                    result = self.quiet_run(command_line, config, where)
                    self.assertRun(result, exit_code, "\n", [USEABLE % WINDIR, NOINF])
                    self.assertEqual(text(WINDIR), result.registry["SourcePath"])
                    self.assertIsNone(result.registry["Quorvel"])
                    self.assertEqual(starts, len(self.world.remover_record()))

    def test_not_started_by_an_interactive_run_that_is_declined(self):
        result = self.quiet_run("-c")
        self.assertRun(result, 0, "\n", [USEABLE % WINDIR])
        self.assertEqual([], self.world.remover_record())


if __name__ == "__main__":
    main()
