"""The interactive installation through its dialogs, on a virtual display:
keys and clicks as a user gives them, the texts the dialogs show, and what
the run leaves on disk, in the registry and in the log."""
import re
import sys
import time

from bench import REPO, RUNONCE_KEY, main
from dialog_texts import (ABOUT_TITLE, ABOUT_VERSION, ANOTHER_RUN_TEXT, BADPATH, BOX_OK, FINISH_TEXT,
                          LABELS, NODRIVERS, NO_LOG_TEXT, NOT_INSTALLED_TEXT, PATHMSG_TEXT, PRODUCT,
                          QUESTION_TEXT)
from gui import (ABOUT_BUTTON, CANCEL, CDMSG, FINISHMSG, MAIN_TITLE, NO, OK, PATH, PATHMSG,
                 QUESTION, RESTART, SHUTDOWN, STEP, STEP2, STEPFILE, STEPFILE2, YES,
                 DialogTest, poll)
from messages import (CANNOT_READ, COPYING, INF, NOINF, NOT_INSTALLED, NOT_USEABLE, OTHER,
                      STOPPED_WAITING, USEABLE, WRONG_SYSTEM,
                      SectionChecks, copies, entry, inf_lines, registry_values, repointed,
                      section_lines)

sys.path.append(str(REPO / "res"))
import make_images  # noqa: E402

PKG = r"C:\PKG"
DEST = r"C:\QVDEST"
INF_TEXT = b'[Version]\r\nProvider="Quorvel Audio"\r\n'
DRIVERS = {"QVAUDIO.DRV": b"driver", "QVAUDIO.INF": INF_TEXT}
RELEASE = r"C:\uninstal-release.txt"
RESTART_MARK = r"C:\restart-mark.txt"
_, _, PALETTE, DRAWN = make_images.draw_logo()
LOGO = [bytes(c for i in row for c in PALETTE[i]) for row in DRAWN]   # red, green, blue rows


class DialogRun(SectionChecks, DialogTest):

    def lay_out(self, files=DRIVERS, remover="", source_path=DEST):
        """Package C:\\PKG with the program, these files and a stand-in remover;
        the driver directory and INF\\OTHER exist."""
        world = self.world
        world.reset()
        world.package(PKG, files)
        world.remover(PKG, remover)
        if source_path == DEST:
            world.make_dir(DEST)
        world.make_dir(OTHER)

    def start(self, command_line="", source_path=DEST, registry=None):
        self.launch = self.world.launch(command_line, source_path=source_path,
                                        registry=registry, fresh=False)
        return self.world.wait_dialog(QUESTION)

    def finish(self):
        result = self.launch.finish()
        self.launch = None
        return result

    def finish_with_cancel(self):
        """Ends the finish dialog with Cancel, then the run."""
        self.world.click_control(CANCEL)
        return self.finish()

    def log_lines(self, result):
        return section_lines(result.log)

    def inf_lines(self, name="QVAUDIO.INF", n=0):
        """The package's INF file installed, under its provider Quorvel Audio."""
        return inf_lines(name, "QUORVEL AUDIO", n)

    def wait_box(self, text):
        """The message box in front, under the dialogs' caption, with its text."""
        box = self.world.wait_dialog(BOX_OK)
        self.assertEqual(MAIN_TITLE, box.caption)
        self.assertIn(text, [c.text for c in box.items])
        return box


class BeforeYes(DialogRun):

    def test_no_esc_and_close_box_end_without_installing(self):
        ways = {"No": lambda w: w.keys("alt+n"),
                "Esc": lambda w: w.keys("Escape"),
                "close box": lambda w: w.click(w.find(QUESTION).close_box)}
        for name, act in ways.items():
            with self.subTest(name):
                self.lay_out()
                main_dialog = self.start()
                self.assertEqual(MAIN_TITLE, main_dialog.caption)
                self.assertEqual(QUESTION_TEXT, main_dialog.text(QUESTION))
                self.assertEqual(["", "", "", ""],
                                 [main_dialog.text(i) for i in (STEP, STEPFILE, STEP2, STEPFILE2)])
                act(self.world)
                result = self.finish()
                self.assertRun(result, 0, None, [USEABLE % DEST])
                self.assertEqual([], self.world.remover_record())
                self.assertFalse(any(self.world.host(DEST).iterdir()), "nothing copied")
                self.assertIsNone(self.world.find(FINISHMSG), "no finish dialog")

    def test_about_box_twice_then_disabled_after_yes(self):
        self.lay_out(remover="hold 60000")
        self.start()
        for press in ("Return", "Escape"):
            self.world.keys("alt+a")
            about = self.world.wait_dialog(OK)
            self.assertEqual(ABOUT_TITLE, about.caption)
            self.assertIsNone(about.close_box, "the About box has no close box")
            self.assertEqual([LABELS[OK], PRODUCT], [c.text for c in about.items[:2]])
            self.assertEqual(ABOUT_VERSION, about.items[3].text)
            self.world.keys(press)
            self.world.wait_gone(OK)
            self.assertIsNotNone(self.world.find(QUESTION), "main dialog unchanged")

        self.world.keys("alt+y")
        working = poll("the remover to start", lambda: self.world.remover_record())
        self.assertEqual(1, len(working))
        main_dialog = self.world.find(QUESTION)
        self.assertEqual("", main_dialog.text(QUESTION))
        self.assertEqual([False, False, False],
                         [main_dialog.controls[i].enabled for i in (YES, NO, ABOUT_BUTTON)])
        self.world.write_file(RELEASE)
        self.world.wait_dialog(FINISHMSG)
        self.finish_with_cancel()


class YesSequence(DialogRun):

    def test_enter_installs_and_opens_the_finish_dialog(self):
        self.lay_out()
        self.start()
        self.world.keys("Return")
        finish = self.world.wait_dialog(FINISHMSG)
        shown = time.time()
        self.assertEqual(MAIN_TITLE, finish.caption)
        self.assertEqual(FINISH_TEXT, finish.text(FINISHMSG))
        self.assertEqual([LABELS[i] for i in (SHUTDOWN, RESTART, CANCEL)],
                         [finish.text(i) for i in (SHUTDOWN, RESTART, CANCEL)])
        self.assertIsNone(self.world.find(QUESTION), "the main dialog has ended")
        result = self.finish_with_cancel()
        # The log is closed when the work is done; the finish dialog follows
        # two seconds later.
        self.assertGreaterEqual(shown - self.world.log_path.stat().st_mtime, 2.0)
        names = ["Drivewright.exe", "QVAUDIO.DRV", "QVAUDIO.INF", "uninstal.exe", "uninstal.cfg"]
        self.assertInstalled(result, USEABLE % DEST, copies(DEST, names), self.inf_lines(),
                             header=None)
        self.assertEqual(b"driver", self.world.host(DEST + r"\QVAUDIO.DRV").read_bytes())
        self.assertEqual(INF_TEXT, self.world.host(INF + r"\OEM0.INF").read_bytes())
        self.assertEqual([("uninstal.exe -C", PKG, DEST, True)], self.world.remover_record())
        self.assertEqual(registry_values(DEST), result.registry)

    def test_without_driver_files_d_skips_the_check_yet_copies(self):
        self.lay_out(files={"README.TXT": b"no drivers"})
        self.start("-d")
        self.world.keys("Return")
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        names = ["Drivewright.exe", "README.TXT", "uninstal.exe", "uninstal.cfg"]
        self.assertLines(self.log_lines(result)[1:], [], copies(DEST, names), [NOINF])
        self.assertEqual(b"no drivers", self.world.host(DEST + r"\README.TXT").read_bytes())

    def test_unusable_source_path_gets_the_restore_entry(self):
        # With the system's own MSJSTICK.DRV no CD is asked for: the fresh
        # driver directory gets it, and SourcePath points there until restart.
        self.lay_out(source_path=r"D:\WIN98")
        self.world.write_file(r"C:\WINDOWS\SYSTEM\MSJSTICK.DRV", b"joystick")
        fresh = r"C:\QUORVEL\DRIVERS"
        self.start(source_path=r"D:\WIN98")
        self.world.keys("Return")
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertEqual(registry_values(fresh, entry(fresh, r"D:\WIN98")), result.registry)
        lines = self.log_lines(result)
        self.assertEqual([NOT_USEABLE % r"D:\WIN98",
                          COPYING % (r"C:\WINDOWS\SYSTEM\MSJSTICK.DRV", fresh + r"\MSJSTICK.DRV")] +
                         repointed(fresh), lines[:4])
        self.assertEqual(self.inf_lines(), lines[-2:])
        record = self.world.remover_record()
        self.assertEqual(fresh, record[0][2], "the remover runs after the repointing")

    def test_usable_source_path_writes_no_restore_entry(self):
        self.lay_out()
        self.start()
        self.world.keys("Return")
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertIsNone(result.registry["Quorvel"])
        self.assertNotIn(b"Sourcepath updated", result.log)

    def test_the_dialog_stays_drawn_under_the_hourglass_while_the_remover_runs(self):
        """The pointer over the main dialog is the hourglass while the remover
        runs; a window of another program covers the dialog, and goes: the
        dialog looks as before."""
        self.lay_out(remover="hold 600000")
        self.start()
        self.world.keys("Return")
        poll("the remover to start", self.world.remover_record)
        working = self.world.find(QUESTION)
        self.world.point_at(working.controls[QUESTION].centre)
        poll("the hourglass over the dialog", self.world.pointer_is_hourglass, 30)
        before = self.world.screenshot("waiting", working)
        # The cover comes and goes while the program's thread stands still, as
        # on a loaded machine: the wait finds the dialog's uncovered part
        # waiting to be drawn when it runs again.
        thread = self.world.freeze(YES)
        try:
            cover = self.world.show_template(104)
            self.world.click_control(OK)
            cover.wait(60)
        finally:
            self.world.thaw(thread)
        left, top, right, bottom = working.rect

        def drawn_as_before():
            after = self.world.screenshot("uncovered", working)
            small = (right - left) * (bottom - top) / 100
            return self.world.differing_pixels(before, after, working) < small
        poll("the dialog drawn as before the cover", drawn_as_before)
        self.world.write_file(RELEASE)
        self.world.wait_dialog(FINISHMSG)
        self.finish_with_cancel()

    def test_esc_and_close_box_cannot_end_the_main_dialog_while_working(self):
        self.lay_out(files={"README.TXT": b"x"}, remover="hold 60000")
        self.start()
        self.world.keys("Return")
        prompt = self.world.wait_dialog(PATH)
        main_dialog = self.world.find(QUESTION)
        self.world.raise_dialog(main_dialog)
        self.world.keys("Escape")
        self.world.click(main_dialog.close_box)
        self.assertIsNotNone(self.world.find(PATH), "the prompt is still there")
        self.world.raise_dialog(prompt)
        self.world.write_file(PKG + r"\QVLATE.VXD", b"late")
        self.world.click(prompt.controls[OK].centre)
        poll("the remover to start", lambda: self.world.remover_record())
        self.world.point_at(main_dialog.controls[QUESTION].centre)
        poll("the hourglass back after the prompt", self.world.pointer_is_hourglass, 30)
        # A dialog that was ended is hidden at once, though the sequence
        # inside it goes on: while the remover holds, it must still show.
        self.assertIsNotNone(self.world.find(QUESTION), "the main dialog is still shown")
        self.world.write_file(RELEASE)
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertIn(b"Copying QVLATE.VXD to C:\\QVDEST\\QVLATE.VXD", result.log)


class ProgramLeftRunning(DialogRun):
    """A remover whose copy opens a window, as a readme viewer does, and
    leaves it open: the run stops waiting for it once it waits for input."""

    LEFT = "uninstal.exe"

    def assertLeftRunning(self, lines):
        self.assertIn(STOPPED_WAITING % self.LEFT, lines)
        self.assertLess(lines.index(STOPPED_WAITING % self.LEFT),
                        lines.index(COPYING % ("QVAUDIO.DRV", DEST + r"\QVAUDIO.DRV")))
        self.assertEqual([True, False], [start[3] for start in self.world.remover_record()])
        self.world.end_task("uninstal.exe")

    def test_a_quiet_run_goes_on(self):
        self.lay_out(remover="handoff window 100000")
        started = time.monotonic()
        result = self.world.run("-q -c", source_path=DEST, fresh=False)
        self.assertLess(time.monotonic() - started, 60, "waited for the window")
        self.assertEqual(0, result.exit_code, result)
        self.assertLeftRunning(self.log_lines(result))

    def test_a_worker_with_a_progress_window_is_waited_for(self):
        # The remover's copy shows its progress window a moment, then works
        # on without answering it, and erases the old driver three seconds on.
        self.lay_out(remover=r"handoff window 300 sleep 3000 erase C:\QVDEST\QVAUDIO.DRV")
        self.world.write_file(DEST + r"\QVAUDIO.DRV", b"old")
        result = self.world.run("-q -c", source_path=DEST, fresh=False)
        self.assertEqual(0, result.exit_code, result)
        poll("the worker to end", lambda: len(self.world.remover_record()) == 2 and
             self.world.remover_record()[1][3], 30)
        driver = self.world.host(DEST + r"\QVAUDIO.DRV")
        self.assertEqual(b"driver", driver.read_bytes() if driver.exists() else "erased")

    def test_the_progress_lines_say_what_the_run_waits_for(self):
        self.lay_out(remover="hold 60000 handoff sleep 4000 window 100000")
        self.start()
        self.world.keys("Return")
        poll("the remover to start", self.world.remover_record)
        working = self.world.find(QUESTION)
        lines = (STEP, STEPFILE, STEP2, STEPFILE2)
        self.assertEqual(["Waiting for:", PKG + r"\uninstal.exe", "", ""],
                         [working.text(i) for i in lines])
        self.world.write_file(RELEASE)
        poll("the wait for the remover's copy",
             lambda: [self.world.find(QUESTION).text(i) for i in lines] ==
             ["Waiting for:", self.LEFT, "started by:", PKG + r"\uninstal.exe"], 30)
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertLeftRunning(self.log_lines(result))


class MessageBoxes(DialogRun):

    def test_files_not_installed_are_told_before_the_finish_dialog(self):
        self.lay_out()
        self.world.make_dir(DEST + r"\QVAUDIO.DRV")     # a directory in the driver's place
        self.start()
        self.world.keys("Return")
        self.wait_box(NOT_INSTALLED_TEXT)
        self.assertIsNone(self.world.find(FINISHMSG), "the finish dialog comes after")
        self.world.click_control(BOX_OK)
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertEqual(0, result.exit_code)
        self.assertEqual(NOT_INSTALLED % 1, self.log_lines(result)[-1])

    def test_an_installation_that_cannot_finish_is_told_and_changes_nothing(self):
        cases = [("a file that cannot be read", CANNOT_READ % "QVAUDIO.VXD",
                  lambda: self.world.damaged_file(self, PKG + r"\QVAUDIO.VXD")),
                 ("another Windows", WRONG_SYSTEM,
                  lambda: self.world.pretend_windows(self, "winxp"))]
        for what, message, problem in cases:
            with self.subTest(what):
                self.lay_out()
                problem()
                self.start(r"-s=C:\QVNEW")
                self.world.keys("Return")
                self.wait_box(message.rstrip(" \n"))
                self.world.click_control(BOX_OK)
                result = self.finish()
                self.assertIsNone(self.world.find(FINISHMSG))
                self.assertEqual([USEABLE % DEST, message], self.log_lines(result))
                self.assertEqual(registry_values(DEST), result.registry)
                self.assertEqual([], self.world.remover_record())
                self.assertFalse(self.world.host(r"C:\QVNEW").exists())

    def test_a_log_that_cannot_be_opened_is_told_only_where_dialogs_would_show(self):
        for command_line, told in (("", True), ("-q -c", False), ("-?", False)):
            with self.subTest(command_line or "no options"):
                self.lay_out()
                self.world.make_dir(r"C:\windows\Quorvel.log")   # a directory in its place
                self.launch = self.world.launch(command_line, source_path=DEST, fresh=False)
                if told:
                    self.wait_box(NO_LOG_TEXT)
                    self.world.click_control(BOX_OK)
                else:
                    poll("the run to end", lambda: not self.launch.running()
                         or self.world.find(BOX_OK), 120)
                    self.assertFalse(self.launch.running(), "a box shown")
                result = self.finish()
                self.assertEqual((1, b"", None), (result.exit_code, result.stdout, result.log))
                self.assertEqual([], self.world.remover_record())
                self.assertFalse(any(self.world.host(DEST).iterdir()), "nothing copied")

    def test_a_second_run_is_told_and_changes_nothing(self):
        self.lay_out()
        self.start()
        log = self.world.log_path.read_bytes()
        second = self.world.launch(source_path=DEST, fresh=False, stdout=r"C:\second.txt")
        self.wait_box(ANOTHER_RUN_TEXT)
        self.world.click_control(BOX_OK)
        self.assertEqual(0, second.finish().exit_code)
        self.assertEqual(log, self.world.log_path.read_bytes())
        self.assertEqual([], self.world.remover_record())

        # The first run goes on undisturbed, and holds the turn through its
        # finish dialog, whose Restart would end a run started meanwhile.
        self.world.raise_dialog(self.world.find(QUESTION))
        self.world.keys("Return")
        self.world.wait_dialog(FINISHMSG)
        third = self.world.launch(source_path=DEST, fresh=False, stdout=r"C:\third.txt")
        self.wait_box(ANOTHER_RUN_TEXT)
        self.world.click_control(BOX_OK)
        self.assertEqual(0, third.finish().exit_code)
        self.world.raise_dialog(self.world.find(FINISHMSG))
        result = self.finish_with_cancel()
        self.assertEqual(self.inf_lines(), self.log_lines(result)[-2:])


class DriverPathPrompt(DialogRun):

    def test_missing_path_then_no_drivers_then_vxd_only(self):
        self.lay_out(files={"README.TXT": b"x"})
        # Their short names (QVOL~xyz.DRV, QVOL~xyz.VXD) match QV*.DRV and QV*.VXD.
        self.world.write_file(r"C:\STALE\QVOLD.DRVX", b"x")
        self.world.write_file(r"C:\STALE\QVOLD.VXD~", b"x")
        self.world.write_file(r"C:\OTHERDRV\QVONLY.VXD", b"vxd")
        self.world.write_file(r"C:\OTHERDRV\QVONLY.INF", INF_TEXT)
        self.start()
        self.world.keys("Return")
        prompt = self.world.wait_dialog(PATH)
        self.assertEqual(PKG + "\\", prompt.text(PATH))
        self.assertEqual(PATHMSG_TEXT, prompt.text(PATHMSG))
        self.world.screenshot("driver-path", prompt)

        for path, message in ((r"C:\NOWHERE", BADPATH), (r"C:\STALE", NODRIVERS)):
            self.world.set_path(path)
            self.world.keys("alt+o")
            poll(f"the message for {path}",
                 lambda: self.world.shown_text(PATH, PATHMSG) == message, 30)

        self.world.set_path(r"C:\OTHERDRV")
        self.world.keys("Return")
        self.world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        self.assertLines(self.log_lines(result)[1:], [], copies(DEST, ["QVONLY.VXD", "QVONLY.INF"]),
                         self.inf_lines("QVONLY.INF"))
        self.assertEqual(b"vxd", self.world.host(DEST + r"\QVONLY.VXD").read_bytes())
        self.assertEqual([], self.world.remover_record(), "no remover in C:\\OTHERDRV")

    def test_cancel_changes_nothing(self):
        for way in ("button", "Esc"):
            with self.subTest(way):
                self.lay_out(files={"README.TXT": b"x"})
                before = self.snapshot()
                self.start()
                self.world.keys("Return")
                self.world.wait_dialog(PATH)
                if way == "button":
                    self.world.click_control(CANCEL)
                else:
                    self.world.keys("Escape")
                result = self.finish()
                self.assertRun(result, 0, None, [USEABLE % DEST])
                self.assertEqual(registry_values(DEST), result.registry)
                self.assertEqual(before, self.snapshot())
                self.assertEqual([], self.world.remover_record())
                self.assertIsNone(self.world.find(FINISHMSG))

    def snapshot(self):
        """Every file under C: except the log and what the program writes on
        each run: names with sizes."""
        drive_c = self.world.prefix / "drive_c"
        skip = re.compile(r"(?i)windows/(quorvel\.log|.*\.(log|ini)$)|drivewrightstdout\.txt$")
        return sorted((str(p.relative_to(drive_c)), p.stat().st_size)
                      for p in drive_c.rglob("*")
                      if p.is_file() and not skip.search(str(p.relative_to(drive_c)))
                      and "temp" not in str(p).lower())


class FinishDialog(DialogRun):

    def reach_finish(self):
        self.lay_out()
        self.start(registry={(RUNONCE_KEY, "Mark"):
                             r"C:\windows\system32\cmd.exe /c echo restarted>" + RESTART_MARK})
        self.world.keys("Return")
        return self.world.wait_dialog(FINISHMSG)

    def test_esc_and_close_box_do_nothing_then_cancel(self):
        finish = self.reach_finish()
        self.world.keys("Escape")
        self.world.click(finish.close_box)
        self.world.keys("Escape")
        self.assertIsNotNone(self.world.find(FINISHMSG), "still open")
        self.assertTrue(self.launch.running())
        result = self.finish_with_cancel()
        self.assertEqual(0, result.exit_code)
        self.assertFalse(self.world.host(RESTART_MARK).exists(), "no restart")
        self.assertIsNotNone(self.world.desktop_window(), "the session goes on")

    def test_restart_asks_windows_to_restart(self):
        self.reach_finish()
        self.world.keys("Return")
        result = self.finish()
        self.assertEqual(0, result.exit_code)
        # Wine answers the restart request by running the RunOnce commands.
        poll("the restart", lambda: self.world.host(RESTART_MARK).exists(), 60)
        self.world.stop()
        self.world.start()

    def test_shut_down_asks_windows_to_shut_down(self):
        self.reach_finish()
        self.world.keys("alt+s")
        result = self.finish()
        self.assertEqual(0, result.exit_code)
        # A shut-down ends the session without running RunOnce: the prefix's
        # own processes are told to end, the desktop among them.
        poll("the end of the session", lambda: self.world.desktop_window() is None, 60)
        self.assertFalse(self.world.host(RESTART_MARK).exists())
        self.world.stop()
        self.world.start()


class Layout(DialogRun):
    """Each template as the dialog manager lays it out, and the pictures of
    the dialogs under build/screenshots (the driver-path prompt's comes from
    DriverPathPrompt, the insert-CD prompt's from the CD tests)."""

    TEMPLATES = {103: ("finish", SHUTDOWN), 104: ("about", OK), 105: ("main", QUESTION),
                 107: ("driver-path", PATH), 108: ("insert-cd", CDMSG)}

    def test_templates_centred_with_the_logo_in_place(self):
        self.lay_out()
        for template, (name, marker) in self.TEMPLATES.items():
            with self.subTest(name):
                shown = self.world.show_template(template)
                dialog = self.world.wait_dialog(marker)
                left, top, right, bottom = dialog.rect
                self.assertLessEqual(abs((left + right) - 800), 2, "centred across")
                self.assertLessEqual(abs((top + bottom) - 600), 2, "centred down")
                if template != 104:
                    self.assertLogo(dialog)
                self.world.click(next(c for c in dialog.items if c.kind == "Button").centre)
                shown.wait(60)

    def assertLogo(self, dialog):
        """The logo keeps its corner at 46, 7 and takes the bitmap's 200 x 73
        pixels, its frame added."""
        logo = dialog.items[0]
        button = next(c for c in dialog.items if c.kind == "Button")
        scale_x = (button.rect[2] - button.rect[0]) / 50
        scale_y = (button.rect[3] - button.rect[1]) / 20
        first_button_x = 58 if PATH in dialog.controls or CDMSG in dialog.controls else 25
        client_left = button.rect[0] - first_button_x * scale_x
        client_top = button.rect[1] - 125 * scale_y
        self.assertLessEqual(abs(logo.rect[0] - (client_left + 46 * scale_x)), 2, logo.rect)
        self.assertLessEqual(abs(logo.rect[1] - (client_top + 7 * scale_y)), 2, logo.rect)
        width, height = logo.rect[2] - logo.rect[0], logo.rect[3] - logo.rect[1]
        self.assertTrue(200 <= width <= 206 and 73 <= height <= 79, (width, height))

    def test_logo_shows_the_picture_drawn(self):
        """Given the room Windows gives it, the logo shows every pixel drawn."""
        self.lay_out()
        shown = self.world.show_template(105)
        dialog = self.world.wait_dialog(QUESTION)
        self.world.fit_logo(dialog, (len(LOGO[0]) // 3, len(LOGO)))
        try:
            poll("the logo to show the picture drawn", lambda: self.shows_logo(dialog.handle), 60)
        finally:
            self.world.click(dialog.controls[YES].centre)
            shown.wait(60)

    def shows_logo(self, handle):
        """Whether the picture stands whole in the logo control, inside a
        frame as wide on every side."""
        dialog = next((d for d in self.world.dialogs() if d.handle == handle), None)
        shown = self.world.screen_rows(dialog.items[0].rect) if dialog else []
        return any([row[3 * edge:3 * edge + len(LOGO[0])] for row in shown[edge:edge + len(LOGO)]]
                   == LOGO for edge in range(4))

    def test_progress_lines_during_the_copy(self):
        files = {"QV%03d.DRV" % n: b"d" * 4096 for n in range(400)}
        self.lay_out(files=files)
        main_dialog = self.start()
        self.world.screenshot("main", main_dialog)
        self.world.keys("alt+a")
        self.world.screenshot("about", self.world.wait_dialog(OK))
        self.world.keys("Return")
        self.world.wait_gone(OK)
        self.world.keys("Return")
        thread = self.world.freeze(STEPFILE2)
        try:
            working = self.world.find(STEP)
            self.world.screenshot("progress", working)
        finally:
            self.world.thaw(thread)
        self.assertEqual(["", "Copying:", "to:"],
                         [working.text(i) for i in (QUESTION, STEP, STEP2)])
        self.assertTrue(working.text(STEPFILE2).startswith(DEST + "\\"), working.text(STEPFILE2))
        self.assertTrue(working.text(STEPFILE), "the file being copied")
        self.world.screenshot("finish", self.world.wait_dialog(FINISHMSG))
        result = self.finish_with_cancel()
        self.assertEqual(400, len(list(self.world.host(DEST).glob("QV*.DRV"))))
        self.assertIn(b"Copying QV399.DRV to C:\\QVDEST\\QV399.DRV", result.log)


if __name__ == "__main__":
    main()
