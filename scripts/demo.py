"""Three acts of Drivewright.exe with sample packages, printed as they happened:
a complete quiet installation, which repoints SourcePath, runs the package's
remover and copies the package, and a simulated restart that restores
SourcePath; then the typical interactive installation on a virtual display,
whose buttons the demo presses itself, with a screenshot of each dialog in
build/demo-screenshots; last a quiet update that does not fit its disk, which
is refused before anything changes."""
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "scenario"))
from bench import BUILD, World  # noqa: E402
import gui  # noqa: E402

SAMPLE_INF = b"""[Version]\r\nSignature="$CHICAGO$"\r\nClass=MEDIA\r\nProvider="Quorvel Audio"\r\n"""
NEW_DIR = r"C:\QVNEW"


def show_registry(world, when):
    values = world.watched()
    print(f"Registry {when}:")
    for label, data in values.items():
        shown = "(none)" if data is None else data.rstrip(b"\0").decode("cp1252")
        print(f"  {label:11} {shown}")


def show_log(world, start=0):
    data = world.log_path.read_bytes()
    sys.stdout.write(data[start:].decode("cp1252").replace("\r\n", "\n"))
    return len(data)


def show_files(world, directory, pattern="*"):
    host = world.host(directory)
    names = sorted(p.name for p in host.glob(pattern)) if host.is_dir() else []
    print(f"  {directory}\\{pattern}: {', '.join(names) or '(none)'}")


def show_remover(world):
    starts = world.remover_record()
    print("The package's remover (as the stand-in recorded it):")
    for command_line, directory, source_path, ended in starts:
        print(f"  started as {command_line!r} in {directory}, SourcePath then {source_path},"
              f" {'ended' if ended else 'still running'}")
    if not starts:
        print("  not started")
    return starts


def quiet_run():
    world = World(BUILD / "wine" / "demo")
    world.start()
    world.reset()
    (world.prefix / "cdrom-d" / "WIN98").mkdir()
    # Windows 98 has INF\OTHER; a fresh Wine prefix does not.
    world.make_dir(r"C:\windows\INF\OTHER")
    for stale in world.host(r"C:\windows\INF").glob("OEM*.INF"):
        stale.unlink()
    world.package(r"C:\QVDRV", {"QVAUDIO.DRV": b"driver\r\n", "QVAUDIO.VXD": b"vxd\r\n",
                                "QVAUDIO.INF": SAMPLE_INF})
    world.remover(r"C:\QVDRV")
    command_line = f'-q -c -s={NEW_DIR} -h="Drivewright demo run"'
    print(f"Prefix:       {world.prefix}")
    print(r"Package:      C:\QVDRV (Drivewright.exe, QVAUDIO.DRV, QVAUDIO.VXD, QVAUDIO.INF,")
    print(r"              the stand-in remover uninstal.exe and its settings uninstal.cfg)")
    print(r"SourcePath:   D:\WIN98 (the Windows CD)")
    print(rf"Command:      C:\QVDRV\Drivewright.exe {command_line}")
    result = world.run(command_line, exe=r"C:\QVDRV\Drivewright.exe",
                       source_path=r"D:\WIN98", registry=None,
                       fresh=False)
    world.made.append(world.host(NEW_DIR))
    print("\n--- C:\\windows\\Quorvel.log " + "-" * 40)
    seen = show_log(world)
    print("-" * 68)
    print(f"Standard output matches the log: {result.stdout == result.log}")
    print(f"Exit code: {result.exit_code}")
    show_remover(world)
    show_registry(world, "after the quiet run")
    print("Files placed:")
    show_files(world, NEW_DIR)
    show_files(world, r"C:\windows\INF", "OEM*.INF")
    show_files(world, r"C:\windows\INF\OTHER")

    # The copy of the package put the program where the restore entry runs it.
    print("\nSimulated restart (wineboot -r):")
    world.restart()
    print("--- what the restore run added to the log " + "-" * 25)
    show_log(world, seen)
    print("-" * 68)
    show_registry(world, "after the restart")
    restored = world.watched()["SourcePath"] == b"D:\\WIN98\0"
    world.stop()
    return result.exit_code == 0 and restored


def interactive_run():
    """The typical interactive run: a package on the CD in D:\\DRIVERS, SourcePath
    D:\\WIN98 on the same CD, no MSJSTICK.DRV in the system; Yes, the Windows
    CD asked for, Restart, and Windows' restart puts SourcePath back."""
    world = gui.GuiWorld(BUILD / "wine" / "demo-gui")
    world.shots = BUILD / "demo-screenshots"
    fresh = r"C:\QUORVEL\DRIVERS"
    try:
        world.start()
        world.reset()
        world.make_dir(r"C:\windows\INF\OTHER")
        world.package(r"D:\DRIVERS", {"QVAUDIO.DRV": b"driver\r\n", "QVAUDIO.VXD": b"vxd\r\n",
                                      "QVAUDIO.INF": SAMPLE_INF})
        world.write_file(r"D:\WIN98\DRIVER18.CAB", joystick_cabinet())
        shutil.copyfile(world.host(r"C:\windows\system32\extrac32.exe"),
                        world.host(r"D:\WIN98\extract.exe"))
        print(f"\nPrefix:       {world.prefix} (display {world.display.name})")
        print(r"Windows CD:   D:\WIN98\DRIVER18.CAB (holding MSJSTICK.DRV), D:\WIN98\extract.exe")
        print(r"Package:      D:\DRIVERS (Drivewright.exe, QVAUDIO.DRV, QVAUDIO.VXD, QVAUDIO.INF)")
        print(r"SourcePath:   D:\WIN98 (the Windows CD)")
        print(r"Command:      D:\DRIVERS\Drivewright.exe (no arguments)")
        seen = world.log_path.stat().st_size if world.log_path.is_file() else 0
        launch = world.launch("", exe=r"D:\DRIVERS\Drivewright.exe", source_path=r"D:\WIN98",
                              fresh=False)

        step("the welcome question", world.wait_dialog(gui.QUESTION), world, "main")
        print("Pressing Yes.")
        world.keys("Return")
        step("the insert-CD prompt (no MSJSTICK.DRV in C:\\WINDOWS\\SYSTEM)",
             world.wait_dialog(gui.CDMSG), world, "insert-cd")
        print("Pressing OK: the CD is in the drive.")
        world.keys("Return")
        finish = world.wait_dialog(gui.FINISHMSG)
        step("the finish dialog", finish, world, "finish")
        print("Pressing Restart.")
        world.keys("Return")
        result = launch.finish()
        print("\n--- C:\\windows\\Quorvel.log: the installation " + "-" * 26)
        seen = show_log(world, seen)
        print("-" * 68)
        print(f"Exit code: {result.exit_code}")
        print("Registry after the interactive run:")
        for label, data in result.registry.items():
            shown = "(none)" if data is None else data.rstrip(b"\0").decode("cp1252")
            print(f"  {label:11} {shown}")
        print("Files placed:")
        gui.poll("the extracted MSJSTICK.DRV",
                 lambda: world.host(fresh + r"\MSJSTICK.DRV").is_file(), 60)
        show_files(world, fresh)
        show_files(world, r"C:\windows\INF", "OEM*.INF")
        show_files(world, r"C:\windows\INF\OTHER")

        print("\nWine answers Restart by running RunOnce:")
        gui.poll("SourcePath restored",
                 lambda: world.watched()["SourcePath"] == b"D:\\WIN98\0", 120)
        gui.poll("the restore run's log", lambda: world.log_path.stat().st_size > seen, 60)
        print("--- what the restore run added to the log " + "-" * 25)
        show_log(world, seen)
        print("-" * 68)
        show_registry(world, "after the restart")
        print(f"Screenshots:  {world.shots}")
        return result.exit_code == 0 and world.watched()["Quorvel"] is None
    finally:
        world.stop()


class Act(unittest.TestCase):
    """Gives the World's helpers that want a test (to skip, to clean up) one."""

    def runTest(self):
        pass


def snapshot(world, directory):
    """SourcePath, the restore entry, and each file of the host directory with
    its contents' digest."""
    files = {p.name: hashlib.sha1(p.read_bytes()).hexdigest()
             for p in sorted(directory.iterdir())}
    return world.watched(), files


def refused_update():
    """An update that does not fit: the drivers installed in F:\\QVDRV, a small
    hard disk, and a new package in C:\\QVUPD too big for what is free there.
    The run says so, starts no remover, and leaves everything as it was."""
    world = World(BUILD / "wine" / "demo")
    act = Act()
    try:
        world.start()
        world.reset()
        try:
            disk = world.small_disk(act)
        except unittest.SkipTest as skipped:
            print(f"\nRefused update: not shown ({skipped})")
            return True
        world.make_dir(r"C:\windows\INF\OTHER")
        installed = disk / "QVDRV"
        installed.mkdir()
        shutil.copyfile(world.exe, installed / "Drivewright.exe")
        for name, data in {"QVAUDIO.DRV": b"driver 1.0\r\n", "QVAUDIO.VXD": b"vxd 1.0\r\n",
                           "QVAUDIO.INF": SAMPLE_INF}.items():
            (installed / name).write_bytes(data)
        world.package(r"C:\QVUPD", {"QVAUDIO.DRV": b"driver 2.0\r\n" * 10000,
                                     "QVAUDIO.VXD": b"vxd 2.0\r\n", "QVAUDIO.INF": SAMPLE_INF})
        world.remover(r"C:\QVUPD")
        world.bench("set", r"HKLM\Software\Microsoft\Windows\CurrentVersion\setup",
                    "SourcePath", r"F:\QVDRV")
        print("\nPrefix:       " + str(world.prefix))
        room = os.statvfs(disk)
        package = sorted(world.host(r"C:\QVUPD").iterdir())
        print(r"Installed:    F:\QVDRV, named by SourcePath; F: is a hard disk of 192 KB, "
              f"{room.f_bavail * room.f_frsize // 1024} KB free")
        print(r"Package:      C:\QVUPD, " + ", ".join(f"{p.name} ({p.stat().st_size // 1024} KB)"
                                                    for p in package))
        print(r"Command:      C:\QVUPD\Drivewright.exe -q -c")
        before = snapshot(world, installed)
        seen = world.log_path.stat().st_size if world.log_path.is_file() else 0
        result = world.run("-q -c", exe=r"C:\QVUPD\Drivewright.exe",
                           source_path=r"F:\QVDRV", fresh=False)
        print("\n--- C:\\windows\\Quorvel.log: the refused update " + "-" * 22)
        show_log(world, seen)
        print("-" * 68)
        print(f"Exit code: {result.exit_code}")
        started = show_remover(world)
        after = snapshot(world, installed)
        show_registry(world, "after the refused update")
        print("Files in F:\\QVDRV: " + ", ".join(after[1]))
        unchanged = before == after
        print("Nothing changed: SourcePath, the restore entry and every file of F:\\QVDRV"
              " are byte for byte as before the run" if unchanged else
              "CHANGED: the run left SourcePath, the restore entry or F:\\QVDRV otherwise")
        return result.exit_code == 3 and unchanged and not started
    finally:
        act.doCleanups()
        world.stop()


def joystick_cabinet():
    """DRIVER18.CAB as a real cabinet, made with gcab, holding a sample MSJSTICK.DRV."""
    with tempfile.TemporaryDirectory() as work:
        (Path(work) / "MSJSTICK.DRV").write_bytes(b"sample joystick driver\r\n")
        subprocess.run(["gcab", "-c", "DRIVER18.CAB", "MSJSTICK.DRV"], cwd=work, check=True)
        return (Path(work) / "DRIVER18.CAB").read_bytes()


def step(what, dialog, world, shot):
    print(f"Dialog:       {what} ({dialog.caption!r}) -> {shot}.png")
    world.screenshot(shot, dialog)


def main():
    quiet = quiet_run()
    interactive = interactive_run()
    refused = refused_update()
    return 0 if quiet and interactive and refused else 1


if __name__ == "__main__":
    sys.exit(main())
