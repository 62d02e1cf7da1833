"""A complete quiet installation of a sample package by Drivewright.exe, which
repoints SourcePath, then a simulated restart that restores it, printed as it
happened."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "scenario"))
from bench import BUILD, World  # noqa: E402

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


def main():
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
    return 0 if result.exit_code == 0 and restored else 1


if __name__ == "__main__":
    sys.exit(main())
