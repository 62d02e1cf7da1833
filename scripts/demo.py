"""A run of Drivewright.exe with a sample package, printed as it happened."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "scenario"))
from bench import BUILD, World  # noqa: E402

SAMPLE_INF = b"""[Version]\r\nSignature="$CHICAGO$"\r\nClass=MEDIA\r\nProvider=%MfgName%\r\n\r\n[Strings]\r\nMfgName="Quorvel Audio"\r\n"""


def main():
    world = World(BUILD / "wine" / "demo")
    world.start()
    world.reset()
    world.make_dir(r"C:\WINDOWS\OPTIONS\CABS")
    world.package(r"C:\QVDRV", {"QVAUDIO.DRV": b"driver\r\n", "QVAUDIO.VXD": b"vxd\r\n",
                                "QVAUDIO.INF": SAMPLE_INF})
    command_line = '-h="Drivewright demo run"'
    print(f"Prefix:       {world.prefix}")
    print(r"Package:      C:\QVDRV (Drivewright.exe, QVAUDIO.DRV, QVAUDIO.VXD, QVAUDIO.INF)")
    print(r"SourcePath:   C:\WINDOWS\OPTIONS\CABS")
    print(rf"Command:      C:\QVDRV\Drivewright.exe {command_line}")
    result = world.run(command_line, exe=r"C:\QVDRV\Drivewright.exe",
                       source_path=r"C:\WINDOWS\OPTIONS\CABS", fresh=False)
    print("\n--- C:\\windows\\Quorvel.log " + "-" * 40)
    sys.stdout.write(result.log.decode("cp1252").replace("\r\n", "\n"))
    print("-" * 68)
    print(f"Standard output matches the log: {result.stdout == result.log}")
    print(f"Exit code: {result.exit_code}")
    world.stop()
    return 0 if result.exit_code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
