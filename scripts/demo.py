"""Two runs of Drivewright.exe with a sample package, printed as they happened:
a complete quiet installation, which repoints SourcePath, and a simulated
restart that restores it; then an interactive installation on a virtual
display, whose buttons the demo presses itself, with a screenshot of each
dialog in build/demo-screenshots."""
import sys
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
    command_line = f'-q -c -s={NEW_DIR} -h="Drivewright demo run"'
    print(f"Prefix:       {world.prefix}")
    print(r"Package:      C:\QVDRV (Drivewright.exe, QVAUDIO.DRV, QVAUDIO.VXD, QVAUDIO.INF)")
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
    """The package directory C:\QVSETUP holds the program and the INF, the
    driver files are in C:\QVDRV: the program asks for them."""
    world = gui.GuiWorld(BUILD / "wine" / "demo-gui")
    world.shots = BUILD / "demo-screenshots"
    driver_dir = r"C:\QVSOURCE"
    try:
        world.start()
        world.reset()
        world.make_dir(r"C:\windows\INF\OTHER")
        world.make_dir(driver_dir)
        world.package(r"C:\QVSETUP", {"QVAUDIO.INF": SAMPLE_INF})
        world.package(r"C:\QVDRV", {"QVAUDIO.DRV": b"driver\r\n", "QVAUDIO.VXD": b"vxd\r\n",
                                    "QVAUDIO.INF": SAMPLE_INF})
        print(f"\nPrefix:       {world.prefix} (display {world.display.name})")
        print(r"Package:      C:\QVSETUP (Drivewright.exe, QVAUDIO.INF); drivers in C:\QVDRV")
        print(rf"SourcePath:   {driver_dir}")
        print(r"Command:      C:\QVSETUP\Drivewright.exe (no arguments)")
        launch = world.launch("", exe=r"C:\QVSETUP\Drivewright.exe", source_path=driver_dir,
                              fresh=False)

        step("the welcome question", world.wait_dialog(gui.QUESTION), world, "main")
        world.keys("alt+a")
        step("About", world.wait_dialog(gui.OK), world, "about")
        world.keys("Return")
        world.wait_gone(gui.OK)
        print("Pressing Yes.")
        world.keys("Return")
        prompt = world.wait_dialog(gui.PATH)
        step("the driver-path prompt: no QV*.DRV or QV*.VXD in C:\\QVSETUP", prompt, world,
             "driver-path")
        print(r"Entering C:\QVDRV and pressing OK.")
        world.set_path(r"C:\QVDRV")
        world.keys("Return")
        finish = world.wait_dialog(gui.FINISHMSG)
        step("the finish dialog", finish, world, "finish")
        print("Pressing Cancel: Windows keeps running.")
        world.click_control(gui.CANCEL)
        result = launch.finish()
        print("\n--- C:\\windows\\Quorvel.log " + "-" * 40)
        show_log(world)
        print("-" * 68)
        print(f"Exit code: {result.exit_code}")
        show_registry(world, "after the interactive run")
        print("Files placed:")
        show_files(world, driver_dir)
        show_files(world, r"C:\windows\INF", "OEM*.INF")
        show_files(world, r"C:\windows\INF\OTHER")
        print(f"Screenshots:  {world.shots}")
        return result.exit_code == 0 and world.host(driver_dir + r"\QVAUDIO.DRV").exists()
    finally:
        world.stop()


def step(what, dialog, world, shot):
    print(f"Dialog:       {what} ({dialog.caption!r}) -> {shot}.png")
    world.screenshot(shot, dialog)


def main():
    quiet = quiet_run()
    interactive = interactive_run()
    return 0 if quiet and interactive else 1


if __name__ == "__main__":
    sys.exit(main())
