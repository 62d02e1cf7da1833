"""The fresh driver directory of a run whose SourcePath cannot be used, and
the two Windows components put into it: from the running system, or from a
Windows CD in the CD-ROM drive of the prefix, with Wine's own cabinet tool
on the CD as extract.exe."""
import shutil
import subprocess
import tempfile
import threading
import time
from pathlib import Path

from bench import BUILD, main
from dialog_texts import (BADCD, BOX_OK, CANCEL_BUTTON, CD_TEXT, DRIVER_DISC_TEXT, MAIN_TITLE,
                          NOT_INSTALLED_TEXT)
from gui import CANCEL, CDMSG, FINISHMSG, PATH, QUESTION, STEP, STEP2, STEPFILE, STEPFILE2, poll
from messages import (CANNOT_WRITE, COPYING, EXIT_NOT_INSTALLABLE, EXIT_NOT_INSTALLED, EXTRACT_FAILED, EXTRACTING, FAILED, NOINF,
                      NOT_INSTALLED, NOT_UPDATED, NOT_USEABLE, UPDATED, USEABLE, copies, entry,
                      placed, registry_values, repointed)
from test_dialogs import DRIVERS, PKG, DialogRun

SYSTEM_JOYSTICK = r"C:\WINDOWS\SYSTEM\MSJSTICK.DRV"
FRESH = r"C:\QUORVEL\DRIVERS"
JOYSTICK = b"MZ joystick driver \x00\xff" * 50
WIN95_CAB = b"MSCF win95 cabinet" * 100


def cabinet_holding_the_joystick_driver():
    """A real cabinet, made with gcab, holding MSJSTICK.DRV."""
    with tempfile.TemporaryDirectory() as work:
        (Path(work) / "MSJSTICK.DRV").write_bytes(JOYSTICK)
        subprocess.run(["gcab", "-c", "DRIVER18.CAB", "MSJSTICK.DRV"], cwd=work, check=True)
        return (Path(work) / "DRIVER18.CAB").read_bytes()


DRIVER18_CAB = cabinet_holding_the_joystick_driver()


class CdRun(DialogRun):

    def lay_out_cd(self, win95=False, win98=False, tool=True, drive="D", system_driver=False):
        """The package, and a Windows CD in the drive with the cabinets asked for."""
        self.lay_out(source_path=None)
        world = self.world
        if system_driver:
            world.write_file(SYSTEM_JOYSTICK, JOYSTICK)
        if win95:
            world.write_file(drive + r":\WIN95\WIN95_12.CAB", WIN95_CAB)
        if win98:
            world.write_file(drive + r":\WIN98\DRIVER18.CAB", DRIVER18_CAB)
            if tool:
                shutil.copyfile(world.host(r"C:\windows\system32\extrac32.exe"),
                                world.host(drive + r":\WIN98\extract.exe"))

    def start_yes(self, source_path=r"D:\WIN98"):
        self.start(source_path=source_path)
        self.world.keys("Return")

    def wait_prompt(self, expected_text, previous=None):
        """Waits for a fresh insert-CD prompt and checks its text."""
        prompt = poll("the insert-CD prompt",
                      lambda: (lambda d: d if d and d.handle != previous else None)(
                          self.world.find(CDMSG, active=True)))
        self.assertEqual(expected_text, prompt.text(CDMSG))
        return prompt.handle

    def answer_prompt(self, expected_text, press="Return", previous=None):
        """Waits for a fresh insert-CD prompt, checks its text, and answers it."""
        handle = self.wait_prompt(expected_text, previous)
        self.world.keys(press)
        return handle

    def end_with_cancel(self, told=False):
        """Ends the run at its finish dialog; with told, the message box of the
        files not installed comes first and is answered."""
        if told:
            self.wait_box(NOT_INSTALLED_TEXT)
            self.world.click_control(BOX_OK)
        self.world.wait_dialog(FINISHMSG)
        return self.finish_with_cancel()

    PACKAGE = ["Drivewright.exe", "uninstal.exe", "uninstal.cfg"] + list(DRIVERS)

    def assertCdRun(self, result, source_path, component_lines, dest=FRESH,
                    program=PKG + r"\Drivewright.exe", tail=()):
        """The log: SourcePath, the component lines, the repointing with the
        program put in place first, the package but the program (in the file
        system's order), the INF lines; SourcePath and the restore entry.
        Returns the lines."""
        lines = self.log_lines(result)
        package = [name for name in self.PACKAGE if name != "Drivewright.exe"]
        self.assertLines(lines, [NOT_USEABLE % source_path] + component_lines +
                         repointed(dest, program), copies(dest, package),
                         self.inf_lines() + list(tail), result.log)
        self.assertEqual(registry_values(dest, entry(dest, source_path)), result.registry)
        return lines

    def fresh_files(self, dest=FRESH):
        host = self.world.host(dest)
        return sorted(p.name for p in host.iterdir()) if host.is_dir() else None


class DriverDirectory(CdRun):

    def test_candidates(self):
        cases = [("no C:\\QUORVEL", [], FRESH),
                 ("C:\\QUORVEL left from an earlier run", [r"C:\QUORVEL\OLD.TXT"], FRESH),
                 ("a plain file C:\\QUORVEL", [r"C:\QUORVEL"], r"C:\QUORVEL0\DRIVERS"),
                 ("every candidate a plain file",
                  [r"C:\QUORVEL"] + [r"C:\QUORVEL%d" % n for n in range(10)],
                  r"C:\QUORVEL9\DRIVERS")]
        for name, files, dest in cases:
            with self.subTest(name):
                self.lay_out_cd(system_driver=True)
                for path in files:
                    self.world.write_file(path, b"in the way")
                self.start_yes()
                if dest.startswith(r"C:\QUORVEL9"):
                    # Nothing can be made there: the run is refused before
                    # the Windows components are fetched, and changes nothing.
                    self.wait_box(CANNOT_WRITE.rstrip(" \n") % dest)
                    self.world.click_control(BOX_OK)
                    result = self.finish()
                    self.assertIsNone(self.world.find(FINISHMSG))
                    self.assertEqual([NOT_USEABLE % r"D:\WIN98", CANNOT_WRITE % dest],
                                     self.log_lines(result))
                    self.assertFalse(self.world.host(dest).exists())
                    self.assertEqual(registry_values(r"D:\WIN98"), result.registry)
                    self.assertEqual([], self.world.remover_record())
                    continue
                result = self.end_with_cancel()
                joystick = dest + r"\MSJSTICK.DRV"
                self.assertCdRun(result, r"D:\WIN98", [COPYING % (SYSTEM_JOYSTICK, joystick)],
                                 dest)
                self.assertEqual(JOYSTICK, self.world.host(joystick).read_bytes())
                self.assertNotIn("WIN95_12.CAB", self.fresh_files(dest))
                self.assertIsNone(self.world.find(CDMSG), "no prompt")
                if files == [r"C:\QUORVEL\OLD.TXT"]:
                    self.assertTrue(self.world.host(files[0]).exists(), "reused as it was")


class WindowsCd(CdRun):

    def test_windows_95_cd_gives_the_cabinet(self):
        self.lay_out_cd(win95=True)
        self.start_yes(r"D:\WIN95")
        self.answer_prompt(CD_TEXT)
        result = self.end_with_cancel()
        self.assertCdRun(result, r"D:\WIN95", [COPYING % (r"D:\WIN95\WIN95_12.CAB",
                                                          FRESH + r"\WIN95_12.CAB")])
        self.assertEqual(WIN95_CAB, self.world.host(FRESH + r"\WIN95_12.CAB").read_bytes())
        self.assertNotIn("MSJSTICK.DRV", self.fresh_files())

    def test_windows_98_cd_gives_the_extracted_driver(self):
        self.lay_out_cd(win98=True)
        (self.world.host(PKG) / "uninstal.cfg").write_text("hold 60000")
        self.start_yes()
        prompt = self.world.wait_dialog(CDMSG)
        self.world.screenshot("insert-cd", prompt)
        # The progress lines show the extraction while it runs, and then
        # the remover while it holds.
        lines = (STEP, STEPFILE, STEP2, STEPFILE2)
        frozen = []
        watcher = threading.Thread(target=lambda: frozen.append(self.world.freeze(STEPFILE2)))
        watcher.start()
        self.answer_prompt(CD_TEXT)
        watcher.join()
        self.assertTrue(frozen, "the extraction never showed")
        try:
            extraction = [self.world.find(QUESTION).text(i) for i in lines]
        finally:
            self.world.thaw(frozen[0])
        joystick = FRESH + r"\MSJSTICK.DRV"
        self.assertEqual(["Extracting:", joystick, "from:", r"D:\WIN98\DRIVER18.CAB"],
                         extraction)
        poll("the remover to start", lambda: self.world.remover_record())
        self.assertEqual(["Waiting for:", PKG + r"\uninstal.exe", "", ""],
                         [self.world.find(QUESTION).text(i) for i in lines])
        self.world.write_file(r"C:\uninstal-release.txt")
        result = self.end_with_cancel()
        self.assertCdRun(result, r"D:\WIN98",
                         [EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB")])
        self.assertEqual(JOYSTICK, self.world.host(joystick).read_bytes())
        self.assertNotIn("WIN95_12.CAB", self.fresh_files())

    def test_a_damaged_cabinet_is_told(self):
        self.lay_out_cd(win98=True)
        self.world.host(r"D:\WIN98\DRIVER18.CAB").write_bytes(DRIVER18_CAB[:60])
        self.start_yes()
        self.answer_prompt(CD_TEXT)
        result = self.end_with_cancel(told=True)
        joystick, cabinet = FRESH + r"\MSJSTICK.DRV", r"D:\WIN98\DRIVER18.CAB"
        self.assertCdRun(result, r"D:\WIN98", [EXTRACTING % (joystick, cabinet),
                                               EXTRACT_FAILED % (joystick, cabinet)],
                         tail=[NOT_INSTALLED % 1])

    def test_cabinet_tool_started_beside_the_cabinet_and_waited_for(self):
        # The stand-in remover plays the tool, on the CD and beside the
        # package; the one on the CD holds until released, and writes no file.
        self.lay_out_cd(win98=True, tool=False)
        world = self.world
        stand_in = BUILD / "tests" / "uninstal.exe"
        shutil.copyfile(stand_in, world.host(r"D:\WIN98\extract.exe"))
        world.host(r"D:\WIN98\uninstal.cfg").write_text("hold 20000")
        shutil.copyfile(stand_in, world.host(PKG + r"\extract.exe"))
        self.start_yes()
        self.answer_prompt(CD_TEXT)
        poll("the tool to start", world.remover_record)
        time.sleep(3)    # room for the remover to start, were the tool not waited for
        started = world.remover_record()
        world.write_file(r"C:\uninstal-release.txt")
        self.end_with_cancel(told=True)
        # Command line, working directory, and whether it had ended.
        tool = (r"extract.exe /y /l C:\QUORVEL\DRIVERS D:\WIN98\DRIVER18.CAB MSJSTICK.DRV",
                r"D:\WIN98")
        self.assertEqual([tool + (False,)], [(c, cwd, ended) for c, cwd, _, ended in started])
        self.assertEqual([tool + (True,), ("uninstal.exe -C", PKG, True)],
                         [(c, cwd, ended) for c, cwd, _, ended in world.remover_record()])

    def test_cd_with_both_cabinets_copies_first_then_extracts(self):
        self.lay_out_cd(win95=True, win98=True)
        self.start_yes()
        self.answer_prompt(CD_TEXT)
        result = self.end_with_cancel()
        joystick = FRESH + r"\MSJSTICK.DRV"
        self.assertCdRun(result, r"D:\WIN98",
                         [COPYING % (r"D:\WIN95\WIN95_12.CAB", FRESH + r"\WIN95_12.CAB"),
                          EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB")])
        poll("the extracted driver", lambda: self.world.host(joystick).is_file(), 60)

    def test_cd_without_the_tool_logs_the_failed_extraction_and_goes_on(self):
        self.lay_out_cd(win98=True, tool=False)
        self.start_yes()
        self.answer_prompt(CD_TEXT)
        result = self.end_with_cancel(told=True)
        self.assertCdRun(result, r"D:\WIN98", [EXTRACT_FAILED % (FRESH + r"\MSJSTICK.DRV",
                                                                 r"D:\WIN98\DRIVER18.CAB")],
                         tail=[NOT_INSTALLED % 1])

    def test_a_package_run_from_the_fresh_directory_takes_the_components_in(self):
        # An earlier run's copy, started there: the CD stage writes into the
        # package's own directory, which is still the same package.
        self.lay_out_cd(win98=True)
        world = self.world
        world.package(FRESH, DRIVERS)
        world.remover(FRESH)
        world.write_file(FRESH + r"\MSJSTICK.DRV", b"an earlier run's")
        self.launch = world.launch("", exe=FRESH + r"\Drivewright.exe", source_path=r"D:\WIN98",
                                   fresh=False)
        world.wait_dialog(QUESTION)
        world.keys("Return")
        self.answer_prompt(CD_TEXT)
        world.wait_dialog(FINISHMSG)
        result = self.finish_with_cancel()
        joystick = FRESH + r"\MSJSTICK.DRV"
        self.assertIn(EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB"), self.log_lines(result))
        self.assertEqual(registry_values(FRESH, entry(FRESH, r"D:\WIN98")), result.registry)
        self.assertEqual(JOYSTICK, world.host(joystick).read_bytes())

    def test_cd_with_neither_cabinet_asks_again_until_cancelled(self):
        self.lay_out_cd()
        self.world.write_file(r"D:\README.TXT", b"not a Windows CD")
        self.start_yes()
        shown = self.answer_prompt(CD_TEXT)
        for _ in range(3):
            shown = self.answer_prompt(BADCD, previous=shown)
        self.answer_prompt(BADCD, press="Escape", previous=shown)
        result = self.finish()
        self.assertNothingChanged(result, r"D:\WIN98")

    def test_cancel_at_the_first_prompt(self):
        self.lay_out_cd(win98=True)
        self.start_yes()
        self.world.wait_dialog(CDMSG)
        self.world.click_control(CANCEL)
        result = self.finish()
        self.assertNothingChanged(result, r"D:\WIN98")

    def test_no_disc_then_the_disc_inserted(self):
        self.lay_out_cd(win98=True)
        self.world.insert_disc(False)
        self.start_yes()
        shown = self.answer_prompt(CD_TEXT)
        shown = self.answer_prompt(BADCD, previous=shown)
        # In only once the program has looked again without it: a slow start
        # of the search would otherwise find the disc at the second answer.
        self.wait_prompt(BADCD, previous=shown)
        self.world.insert_disc(True)
        self.world.keys("Return")
        result = self.end_with_cancel()
        self.assertCdRun(result, r"D:\WIN98",
                         [EXTRACTING % (FRESH + r"\MSJSTICK.DRV", r"D:\WIN98\DRIVER18.CAB")])

    def assertNothingChanged(self, result, source_path):
        """A cancelled prompt: only the fresh directory was made."""
        self.assertRun(result, 0, None, [NOT_USEABLE % source_path])
        self.assertEqual(registry_values(source_path), result.registry)
        self.assertEqual([], self.fresh_files())
        self.assertEqual([], self.world.remover_record())
        self.assertIsNone(self.world.find(FINISHMSG))


class CdRoot(CdRun):

    def test_cd_drive_taken_from_the_old_source_path(self):
        cases = [(r"D:\WIN95", "D", r"D:\WIN95\WIN95_12.CAB", None),
                 # Another cabinet in SourcePath's own folder: the root's wins.
                 ("E:", "E", r"E:\WIN95\WIN95_12.CAB", r"E:\WIN95_12.CAB"),
                 ("", "C", r"\WIN95\WIN95_12.CAB", None)]
        for source_path, drive, cab, other in cases:
            with self.subTest(source_path or "empty"):
                self.lay_out_cd(win95=True, drive=drive)
                if other:
                    self.world.write_file(other, b"another cabinet")
                if drive == "E":
                    self.world.insert_disc(True, "e")
                self.start_yes(source_path)
                self.answer_prompt(CD_TEXT)
                result = self.end_with_cancel()
                lines = self.log_lines(result)
                self.assertEqual(COPYING % (cab, FRESH + r"\WIN95_12.CAB"), lines[1])
                self.assertEqual(WIN95_CAB,
                                 self.world.host(FRESH + r"\WIN95_12.CAB").read_bytes())


    def test_windows_cd_in_a_cd_rom_drive_when_source_path_is_on_the_hard_disk(self):
        """A machine that came with Windows on its disk: SourcePath names a
        folder there that is gone, and the Windows CD is in a CD-ROM drive."""
        source_path = r"C:\WINDOWS\OPTIONS\CABS"
        joystick, win95 = FRESH + r"\MSJSTICK.DRV", FRESH + r"\WIN95_12.CAB"
        extracted = EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB")
        cases = [
            # drive D: (put in while the prompt is up), drive E:, the log's lines
            ("Windows 98", None, [extracted]),
            # The first CD-ROM drive that holds a cabinet gives both.
            ("Windows 98", "Windows 95", [extracted]),
            ("another disc", "Windows 95", [COPYING % (r"E:\WIN95\WIN95_12.CAB", win95)]),
        ]
        for in_d, in_e, component_lines in cases:
            with self.subTest(d=in_d, e=in_e):
                self.lay_out_cd(win98=in_d == "Windows 98")
                world = self.world
                if in_d == "another disc":
                    world.write_file(r"D:\README.TXT", b"not a Windows CD")
                if in_e:
                    world.write_file(r"E:\WIN95\WIN95_12.CAB", WIN95_CAB)
                    world.insert_disc(True, "e")
                world.insert_disc(False)
                self.start_yes(source_path)
                self.wait_prompt(CD_TEXT)
                world.insert_disc(True)
                world.keys("Return")
                result = self.end_with_cancel()
                self.assertCdRun(result, source_path, component_lines)
                # The log names the cabinet that was used, as the progress
                # lines do (the same paths reach both).
                if in_d == "Windows 98":
                    self.assertNotIn("WIN95_12.CAB", self.fresh_files())
                else:
                    self.assertEqual(WIN95_CAB, world.host(win95).read_bytes())


class TypicalRun(CdRun):

    def start_past_the_cd(self, remover="", source_path=r"D:\WIN98", win95_cab=None):
        """A package on the CD in D:\\DRIVERS, SourcePath D:\\WIN98 on the CD (or
        source_path) holding DRIVER18.CAB and the tool (and WIN95_12.CAB at
        win95_cab), Yes, and the Windows CD asked for and given."""
        world = self.world
        world.reset()
        world.make_dir(r"C:\windows\INF\OTHER")
        world.package(r"D:\DRIVERS", DRIVERS)
        world.remover(r"D:\DRIVERS", remover)
        world.write_file(source_path + r"\DRIVER18.CAB", DRIVER18_CAB)
        shutil.copyfile(world.host(r"C:\windows\system32\extrac32.exe"),
                        world.host(source_path + r"\extract.exe"))
        if win95_cab:
            world.write_file(win95_cab, WIN95_CAB)
        self.launch = world.launch("", exe=r"D:\DRIVERS\Drivewright.exe",
                                   source_path=source_path, fresh=False)
        world.wait_dialog(QUESTION)
        world.keys("Return")
        self.answer_prompt(CD_TEXT)

    def test_the_whole_typical_interactive_run(self):
        """A package on the CD in D:\\DRIVERS, SourcePath D:\\WIN98 on the CD,
        Yes, the Windows CD asked for, Restart; Windows' restart puts
        SourcePath back. The remover, as those of the time do, announces a
        changed SYSTEM.INI to every window and waits for their answers."""
        world = self.world
        self.start_past_the_cd("broadcast")
        world.wait_dialog(FINISHMSG)
        world.keys("Return")                       # Restart, the default button
        result = self.finish()

        joystick = FRESH + r"\MSJSTICK.DRV"
        lines = self.assertCdRun(result, r"D:\WIN98",
                                 [EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB")],
                                 program=r"D:\DRIVERS\Drivewright.exe")
        self.assertEqual([("uninstal.exe -C", r"D:\DRIVERS", FRESH, True)],
                         world.remover_record())
        self.assertEqual(world.exe.read_bytes(),
                         world.host(FRESH + r"\Drivewright.exe").read_bytes())
        self.assertEqual(DRIVERS["QVAUDIO.INF"],
                         world.host(r"C:\windows\INF\OEM0.INF").read_bytes())
        # The package's files on the CD are read-only; what was installed is not.
        installed = [FRESH + "\\" + n for n in self.PACKAGE] + [
            r"C:\windows\INF\OEM0.INF", r"C:\windows\INF\OTHER\QUORVEL AUDIOQVAUDIO.INF"]
        self.assertTrue(world.read_only(r"D:\DRIVERS\QVAUDIO.DRV"))
        self.assertEqual([], [path for path in installed if world.read_only(path)])
        poll("the extracted driver", lambda: world.host(joystick).is_file() and
             world.host(joystick).read_bytes() == JOYSTICK, 60)

        # Wine answers the restart request by running RunOnce at once: the copy
        # in the fresh directory writes the old SourcePath back.
        restored = poll("SourcePath restored", lambda: (
            lambda v: v if v["SourcePath"] == b"D:\\WIN98\0" else None)(world.watched()), 120)
        self.assertIsNone(restored["Quorvel"])
        log = poll("the restore run's section", lambda: (
            lambda data: data if data.count(b"QuorvelWare(tm)") == 2 else None)(
                world.log_path.read_bytes()), 60)
        self.assertSections(log, (None, lines), ("\n", [USEABLE % FRESH, UPDATED % r"D:\WIN98"]))
        world.stop()
        world.start()

    def test_windows_installed_from_a_network_share(self):
        """Windows installed from a server: SourcePath names its folder on a
        share, which OK at the insert-CD prompt finds with no CD in the drive;
        the restart writes the network path back."""
        world = self.world
        joystick = FRESH + r"\MSJSTICK.DRV"
        layouts = [
            # A copy of the whole CD: its WIN95 folder is found from the share's root.
            (r"\\SERVER\CDROOT\WIN98", r"\\SERVER\CDROOT\WIN95\WIN95_12.CAB"),
            # The CD's WIN98 folder shared alone.
            (r"\\SERVER\WIN98", None),
        ]
        for source_path, win95_cab in layouts:
            with self.subTest(source_path):
                self.start_past_the_cd(source_path=source_path, win95_cab=win95_cab)
                world.wait_dialog(FINISHMSG)
                result = self.finish_with_cancel()
                copied = [COPYING % (win95_cab, FRESH + r"\WIN95_12.CAB")] if win95_cab else []
                self.assertCdRun(result, source_path, copied + [
                    EXTRACTING % (joystick, source_path + r"\DRIVER18.CAB")],
                    program=r"D:\DRIVERS\Drivewright.exe")
                poll("the extracted driver", lambda: world.host(joystick).is_file() and
                     world.host(joystick).read_bytes() == JOYSTICK, 60)
                world.restart()
                self.assertEqual(registry_values(source_path), world.watched())

    def test_a_run_ended_while_the_remover_hangs_is_undone_by_the_restart(self):
        """The same run, ended by the user from outside while the remover
        hangs after the CD stage: the restart still brings SourcePath back."""
        world = self.world
        self.start_past_the_cd("sleep 600000")
        poll("the remover", world.remover_record)
        world.end_task("Drivewright.exe", "uninstal.exe")
        self.finish()
        self.assertEqual(FRESH.encode() + b"\0", world.watched()["SourcePath"])
        world.restart()
        self.assertEqual(registry_values(r"D:\WIN98"), world.watched())


    # The disc swap of one CD-ROM drive: the Windows CD is the folder of drive
    # E:, which has no disc of its own here, put into D: in place of the
    # vendor's disc while the insert-CD prompt is up. It has a DRIVERS folder
    # of its own, as real Windows CDs do.
    WINDOWS_DRIVERS = {"OEMSETUP.INF": b'[Version]\r\nProvider="Microsoft"\r\n',
                       "SETUP.EXE": b"MZ setup"}

    def swap_to_the_windows_cd(self, source_path, windows_drivers=True):
        world = self.world
        world.reset()
        world.make_dir(r"C:\windows\INF\OTHER")
        world.package(r"D:\DRIVERS", DRIVERS)
        world.remover(r"D:\DRIVERS")
        world.write_file(r"E:\WIN98\DRIVER18.CAB", DRIVER18_CAB)
        shutil.copyfile(world.host(r"C:\windows\system32\extrac32.exe"),
                        world.host(r"E:\WIN98\extract.exe"))
        if windows_drivers:
            for name, data in self.WINDOWS_DRIVERS.items():
                world.write_file(r"E:\DRIVERS" + "\\" + name, data)
        self.launch = world.launch("", exe=r"D:\DRIVERS\Drivewright.exe",
                                   source_path=source_path, fresh=False)
        world.wait_dialog(QUESTION)
        world.keys("Return")
        self.wait_prompt(CD_TEXT)
        world.insert_disc(True, disc="e")
        world.keys("Return")

    def wait_disc_box(self, previous=None):
        """A fresh box asking for the driver disc back."""
        box = poll("the box asking for the driver disc", lambda: (
            lambda d: d if d and d.handle != previous else None)(
                self.world.find(BOX_OK, active=True)), 120)
        self.assertEqual(MAIN_TITLE, box.caption)
        self.assertIn(DRIVER_DISC_TEXT % r"D:\DRIVERS", [c.text for c in box.items])
        self.assertIn(CANCEL_BUTTON, box.controls, "OK and Cancel")
        return box.handle

    def test_the_package_is_installed_only_once_its_disc_is_back(self):
        joystick = FRESH + r"\MSJSTICK.DRV"
        for source_path in (r"D:\WIN98", r"C:\WINDOWS\OPTIONS\CABS"):
            with self.subTest(source_path):
                world = self.world
                self.swap_to_the_windows_cd(source_path)
                # OK with the Windows CD still in: asked again.
                shown = self.wait_disc_box()
                world.keys("Return")
                shown = self.wait_disc_box(previous=shown)
                world.insert_disc(True)
                world.keys("Return")
                result = self.end_with_cancel()
                self.assertCdRun(result, source_path,
                                 [EXTRACTING % (joystick, r"D:\WIN98\DRIVER18.CAB")],
                                 program=r"D:\DRIVERS\Drivewright.exe")
                self.assertEqual([("uninstal.exe -C", r"D:\DRIVERS", FRESH, True)],
                                 world.remover_record())
                fresh = {name.upper() for name in self.fresh_files()}
                self.assertEqual(set(), fresh & {"OEMSETUP.INF", "SETUP.EXE", "EXTRACT.EXE"})
                self.assertFalse(world.host(r"C:\windows\INF\OEM1.INF").exists())
                self.assertEqual(DRIVERS["QVAUDIO.INF"],
                                 world.host(r"C:\windows\INF\OEM0.INF").read_bytes())

    def test_cancel_while_the_windows_cd_is_in_changes_nothing_more(self):
        for windows_drivers in (False, True):
            with self.subTest(windows_cd_with_drivers_folder=windows_drivers):
                self.swap_to_the_windows_cd(r"D:\WIN98", windows_drivers)
                self.wait_disc_box()
                self.world.keys("Escape")
                result = self.finish()
                self.assertEqual(0, result.exit_code)
                lines = self.log_lines(result)
                self.assertEqual([NOT_USEABLE % r"D:\WIN98",
                                  EXTRACTING % (FRESH + r"\MSJSTICK.DRV", r"D:\WIN98\DRIVER18.CAB")],
                                 lines)
                self.assertEqual(registry_values(r"D:\WIN98"), result.registry)
                self.assertEqual(["MSJSTICK.DRV"], self.fresh_files())
                self.assertEqual([], self.world.remover_record())
                self.assertFalse(self.world.host(r"C:\windows\INF\OEM0.INF").exists())
                self.assertIsNone(self.world.find(FINISHMSG))


class PackageElsewhere(CdRun):
    """Runs whose driver files are not in the program's directory: the
    package comes from the directory the user named, and the restart finds
    the program the restore entry runs."""

    def lay_out_elsewhere(self, drivers_dir):
        world = self.world
        world.reset()
        world.package(PKG, {"README.TXT": b"no drivers"})
        world.make_dir(r"C:\windows\INF\OTHER")
        world.write_file(SYSTEM_JOYSTICK, JOYSTICK)
        for name, data in DRIVERS.items():
            world.write_file(drivers_dir + "\\" + name, data)
        world.remover(drivers_dir)

    def assertInstalledFrom(self, result, drivers_dir):
        # The program that the repointing put in place is not copied again.
        names = [p.name for p in self.world.host(drivers_dir).iterdir()
                 if p.is_file() and p.name != "Drivewright.exe"]
        self.assertLines(self.log_lines(result),
                         [NOT_USEABLE % r"D:\WIN 98-SE",
                          COPYING % (SYSTEM_JOYSTICK, FRESH + r"\MSJSTICK.DRV")] + repointed(FRESH),
                         copies(FRESH, names), self.inf_lines(), result.log)
        self.assertEqual([("uninstal.exe -C", drivers_dir, FRESH, True)],
                         self.world.remover_record())

    def test_a_relative_directory_typed_into_the_prompt(self):
        drivers = PKG + r"\DRIVERS"
        self.lay_out_elsewhere(drivers)
        self.start(source_path=r"D:\WIN 98-SE")
        self.world.keys("Return")
        self.world.wait_dialog(PATH)
        self.world.set_path("DRIVERS")
        self.world.keys("Return")
        result = self.end_with_cancel()
        self.assertInstalledFrom(result, drivers)

        self.world.restart()
        self.assertEqual(registry_values(r"D:\WIN 98-SE"), self.world.watched())

    def test_s_then_cancel_at_the_prompt_changes_nothing(self):
        # -s repoints only once the installation is known to be able to finish.
        self.lay_out_elsewhere(PKG + r"\DRIVERS")
        self.start(r"-s=C:\QVDRV", source_path=r"D:\WIN 98-SE")
        self.world.keys("Return")
        self.world.wait_dialog(PATH)
        self.world.click_control(CANCEL)
        result = self.finish()
        self.assertEqual([NOT_USEABLE % r"D:\WIN 98-SE"], self.log_lines(result))
        self.assertFalse(self.world.host(r"C:\QVDRV").exists())
        self.world.restart()
        self.assertEqual(registry_values(r"D:\WIN 98-SE"), self.world.watched())

    def test_f_naming_a_missing_directory_installs_the_started_package(self):
        self.lay_out_elsewhere(PKG)
        self.start(r"-f=C:\NOWHERE", source_path=r"D:\WIN 98-SE")
        self.world.keys("Return")
        result = self.end_with_cancel()
        self.assertInstalledFrom(result, PKG)


class WriteProtectedDisc(CdRun):

    def test_a_quiet_run_with_source_path_on_the_disc_is_refused(self):
        world = self.world
        if not world.disc_read_only:
            self.skipTest("the machine refuses the read-only mount of the disc")
        world.reset()
        world.make_dir(r"D:\WIN98")
        result = world.run("-q -c", source_path=r"D:\WIN98", fresh=False)
        self.assertRun(result, EXIT_NOT_INSTALLABLE, "\n", [NOT_USEABLE % r"D:\WIN98",
                                                            CANNOT_WRITE % r"D:\WIN98"])
        self.assertEqual([], list(world.host(r"D:\WIN98").iterdir()))

    def test_s_naming_the_package_on_the_disc_needs_no_write(self):
        # The drivers stay where they are; only SourcePath is repointed.
        world = self.world
        if not world.disc_read_only:
            self.skipTest("the machine refuses the read-only mount of the disc")
        world.reset()
        world.package(r"D:\DRIVERS", {"QVAUDIO.DRV": b"driver"})
        world.make_dir(r"C:\OLDSRC")
        result = world.run(r"-q -c -s=D:\DRIVERS", exe=r"D:\DRIVERS\Drivewright.exe",
                           source_path=r"C:\OLDSRC", fresh=False)
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual(registry_values(r"D:\DRIVERS", entry(r"D:\DRIVERS", r"C:\OLDSRC")),
                         result.registry)

    def test_s_naming_a_place_on_the_disc_leaves_source_path_as_it_was(self):
        world = self.world
        if not world.disc_read_only:
            self.skipTest("the machine refuses the read-only mount of the disc")
        cases = [
            # -s path, what the repointing logs: a directory cannot be made
            # there, and the program cannot be put into one that exists.
            (r"D:\QVDRV", []),
            (r"D:\WIN98", [placed(r"D:\WIN98", copied=False)]),
        ]
        for new_path, placement in cases:
            with self.subTest(new_path):
                world.reset()
                world.make_dir(r"D:\WIN98")
                result = world.run(f"-s={new_path} -?", source_path=r"D:\WIN98", fresh=False)
                self.assertEqual([NOT_USEABLE % r"D:\WIN98"] + placement +
                                 [NOT_UPDATED % new_path], self.log_lines(result))
                world.restart()
                self.assertEqual(registry_values(r"D:\WIN98"), world.watched())


if __name__ == "__main__":
    main()
