"""The installation of a package by a quiet run: the driver files copied into
the driver directory and the INF files installed as INF\\OEM<n>.INF and under
INF\\OTHER, checked on disk, in the log and on standard output."""

import errno
import os
import re
from pathlib import Path

from bench import UNREADABLE, ScenarioTest, crlf, main
from gui import poll
from messages import (CANNOT_READ, CANNOT_WRITE, EXIT_NOT_INSTALLABLE, EXIT_NOT_INSTALLED, FAILED, INF, NOINF,
                      NO_ROOM, NOT_INSTALLED, NOT_USEABLE, OTHER, UPDATED, USEABLE, WRONG_SYSTEM,
                      SectionChecks, copies, copy, inf_lines, registry_values, section_lines)
DRV = r"C:\DRV"

INF_TEXT = b'[Version]\r\nSignature="$CHICAGO$"\r\nProvider="Acme Audio"\r\n'


def how_it_reads(path):
    """"fails" when every read of the host file fails, "ends early" when it
    ends before the size it reports."""
    try:
        data = path.read_bytes()
    except OSError as error:
        return "fails" if error.errno == errno.EIO else None
    return "ends early" if 0 < len(data) < path.stat().st_size else None


class InstallTest(SectionChecks, ScenarioTest):

    def lay_out(self, files, other=True, dirs=()):
        """A package C:\\PKG with these files, and INF\\OTHER when asked."""
        self.world.reset()
        self.world.package(r"C:\PKG", files)
        for d in dirs:
            self.world.make_dir(r"C:\PKG" + "\\" + d)
        if other:
            self.world.make_dir(OTHER)

    def install(self, command_line="-q -c", source_path=DRV, make_driver_dir=True):
        if make_driver_dir and source_path != "C:\\":
            self.world.make_dir(source_path)
        return self.world.run(command_line, source_path=source_path, fresh=False)

    def oem(self, n):
        return self.world.host(INF + "\\OEM%d.INF" % n)

    def install_while_removing(self, source_path, meanwhile):
        """A quiet run with -c whose remover holds until meanwhile() has run;
        returns the run's result and what meanwhile returned."""
        self.world.remover(r"C:\PKG", "hold 60000")
        launch = self.world.launch("-q -c", source_path=source_path, fresh=False)
        try:
            poll("the remover to start", self.world.remover_record)
            done = meanwhile()
        finally:
            self.world.write_file(r"C:\uninstal-release.txt")
            result = launch.finish()
        return result, done


class DriverFiles(InstallTest):

    FILES = {"QVAUDIO.DRV": b"driver\x00\xff\r\n\x1a", "QVAUDIO.VXD": b"vxd" * 1000,
             "uninstal.cfg": b""}

    def test_package_copied_into_the_driver_directory(self):
        self.lay_out(self.FILES, dirs=["SUB"])
        self.world.write_file(r"C:\PKG\SUB\INNER.DRV", b"inner")
        result = self.install()
        names = ["Drivewright.exe"] + list(self.FILES)
        self.assertInstalled(result, USEABLE % DRV,
                             copies(DRV, names, failed=(".", "..", "SUB")),
                             [NOINF])
        for name, data in self.FILES.items():
            self.assertEqual(data, self.world.host(DRV + "\\" + name).read_bytes())
        self.assertEqual(self.world.exe.read_bytes(),
                         self.world.host(DRV + r"\Drivewright.exe").read_bytes())
        self.assertFalse(self.world.host(DRV + r"\SUB").exists(), "no recursion")

    def test_existing_destination_is_overwritten(self):
        # A replaced file waits in QVWORK, and a later copy is written over
        # it: with three replacements, two follow each other in any order.
        new = {"QVAUDIO.DRV": b"new", "QVAUDIO.VXD": b"vxd", "QVMIDI.DRV": b"midi"}
        self.lay_out(new)
        for name in new:
            self.world.write_file(DRV + "\\" + name, b"old content, longer")
        result = self.install()
        self.assertInstalled(result, USEABLE % DRV,
                             copies(DRV, ["Drivewright.exe"] + list(new)), [NOINF])
        for name, data in new.items():
            self.assertEqual(data, self.world.host(DRV + "\\" + name).read_bytes())

    def test_driver_directory_in_a_drive_root(self):
        self.lay_out({"QVROOT.DRV": b"root"})
        for name in ("QVROOT.DRV", "Drivewright.exe"):
            self.world.made.append(self.world.host("C:\\" + name))
        result = self.install(source_path="C:\\")
        self.assertInstalled(result, USEABLE % "C:\\",
                             copies("C:\\", ["Drivewright.exe", "QVROOT.DRV"]),
                             [NOINF])
        self.assertEqual(b"root", self.world.host(r"C:\QVROOT.DRV").read_bytes())

    def test_missing_driver_directory_is_made(self):
        self.lay_out({"QVAUDIO.DRV": b"x"})
        result = self.install(source_path=r"C:\NODIR\DRV", make_driver_dir=False)
        self.assertInstalled(result, NOT_USEABLE % r"C:\NODIR\DRV",
                             copies(r"C:\NODIR\DRV", ["Drivewright.exe", "QVAUDIO.DRV"]),
                             [NOINF])
        self.world.made.append(self.world.host(r"C:\NODIR"))
        self.assertEqual(b"x", self.world.host(r"C:\NODIR\DRV\QVAUDIO.DRV").read_bytes())

    def test_a_file_that_could_not_be_installed_is_told(self):
        # A directory stands where a driver file must go. Without -c the
        # exit code stays the restart request's.
        for command_line, exit_code in (("-q -c", EXIT_NOT_INSTALLED), ("-q", 1)):
            with self.subTest(command_line=command_line):
                self.lay_out({"QVAUDIO.DRV": b"x", "QVAUDIO.VXD": b"y"})
                self.world.make_dir(DRV + r"\QVAUDIO.DRV")
                result = self.install(command_line)
                self.assertInstalled(result, USEABLE % DRV,
                                     copies(DRV, ["Drivewright.exe", "QVAUDIO.VXD"],
                                            failed=(".", "..", "QVAUDIO.DRV")),
                                     [NOINF, NOT_INSTALLED % 1], exit_code)

    def test_no_driver_copy_with_d(self):
        self.lay_out({"QVAUDIO.DRV": b"x", "A.INF": INF_TEXT})
        result = self.install("-q -c -d")
        self.assertRun(result, 0, "\n", [USEABLE % DRV] + inf_lines("A.INF", "ACME AUDIO"))
        self.assertEqual([], list(self.world.host(DRV).iterdir()))
        self.assertEqual(INF_TEXT, self.oem(0).read_bytes())

    def test_started_from_its_own_source_path_loses_nothing(self):
        self.lay_out(self.FILES)
        before = {p.name: p.read_bytes() for p in self.world.host(r"C:\PKG").iterdir()}
        # A run cut short left the copies' working directory among the files.
        self.world.write_file(r"C:\PKG\QVWORK\QV0.TMP", b"half")
        result = self.install(source_path=r"C:\PKG", make_driver_dir=False)
        self.assertInstalled(result, USEABLE % r"C:\PKG",
                             copies(r"C:\PKG", [], failed=[".", ".."] + list(before)),
                             [NOINF])
        after = {p.name: p.read_bytes() for p in self.world.host(r"C:\PKG").iterdir()}
        self.assertEqual(before, after)

    def test_a_full_disk_costs_no_file(self):
        # A copy that fails part-way leaves the old file byte for byte, no
        # cut-short new file, and no temporary file. The package fits when
        # the run looks: the disk fills up while the remover runs.
        disk = self.world.small_disk(self, size="1m")
        old = b"old driver" * 4000                     # 40 KB
        self.lay_out({"QVBIG.DRV": b"n" * 50000, "QVNEW.DRV": b"w" * 50000})
        (disk / "QVBIG.DRV").write_bytes(old)
        result, _ = self.install_while_removing("F:\\", lambda: (disk / "FILLER").write_bytes(
            b"f" * (os.statvfs(disk).f_bavail - 4) * 4096))
        (disk / "FILLER").unlink()
        for name in ("QVBIG.DRV", "QVNEW.DRV"):
            self.assertIn(crlf(copy("F:\\", name, False)), result.log)
        self.assertEqual(old, (disk / "QVBIG.DRV").read_bytes())
        self.assertEqual({"QVBIG.DRV", "uninstal.cfg"}, {p.name for p in disk.iterdir()})

    def test_a_working_directory_left_by_a_run_cut_short_is_never_taken(self):
        # Ended between the two moves of a replacement, a run left the old
        # QVAUDIO.VXD aside and its new copy half made, and no QVAUDIO.VXD.
        self.lay_out({"QVAUDIO.DRV": b"new drv", "QVAUDIO.VXD": b"new vxd"})
        self.world.write_file(DRV + r"\QVAUDIO.DRV", b"old drv")
        self.world.write_file(DRV + r"\QVWORK\QV0.TMP", b"new v")
        self.world.write_file(DRV + r"\QVWORK\QV1.TMP", b"old vxd")
        result = self.install()
        names = ["Drivewright.exe", "QVAUDIO.DRV", "QVAUDIO.VXD"]
        self.assertInstalled(result, USEABLE % DRV, copies(DRV, names), [NOINF])
        self.assertEqual({name: self.world.host(r"C:\PKG" + "\\" + name).read_bytes()
                          for name in names},
                         {p.name: p.is_file() and p.read_bytes()
                          for p in self.world.host(DRV).iterdir()})

    def test_a_file_that_cannot_be_read_whole_is_a_failed_copy(self):
        # The package reads whole when the run checks it; while the remover
        # runs, a file turns into one whose every read fails (a scratched CD)
        # or one that ends before the size it gives, as a file cut short while
        # it is read. Windows' own copy would put the short copy in place and
        # report success.
        cases = [(UNREADABLE, "fails"), (Path("/sys/devices/system/cpu/online"), "ends early")]
        for target, kind in cases:
            with self.subTest(kind):
                if how_it_reads(target) != kind:
                    self.skipTest(f"{target} does not read so on this machine")
                self.lay_out({"QVAUDIO.DRV": b"new drv", "QVAUDIO.VXD": b"vxd"})
                self.world.write_file(DRV + r"\QVAUDIO.DRV", b"old drv")
                source = self.world.host(r"C:\PKG\QVAUDIO.DRV")
                result, _ = self.install_while_removing(
                    DRV, lambda: (source.unlink(), source.symlink_to(target)))
                names = ["Drivewright.exe", "QVAUDIO.VXD", "uninstal.exe", "uninstal.cfg"]
                self.assertInstalled(result, USEABLE % DRV,
                                     copies(DRV, names, failed=(".", "..", "QVAUDIO.DRV")),
                                     [NOINF, NOT_INSTALLED % 1], EXIT_NOT_INSTALLED)
                self.assertEqual(set(names + ["QVAUDIO.DRV"]),
                                 {p.name for p in self.world.host(DRV).iterdir()})
                self.assertEqual(b"old drv",
                                 self.world.host(DRV + r"\QVAUDIO.DRV").read_bytes())

class OemNumbers(InstallTest):

    def run_with(self, present, infs=("A.INF", "B.INF")):
        self.lay_out({name: b"; " + name.encode() + b"\r\n" for name in infs})
        for n, kind in present.items():
            if kind == "dir":          # exists, but cannot be opened as a file
                self.oem(n).mkdir()
            else:
                self.oem(n).write_bytes(b"theirs %d" % n)
        return self.install("-q -c -d")

    def oem_lines(self, result):
        return [line for line in section_lines(result.log) if "OEM" in line]

    def test_numbering(self):
        cases = [
            ({0: "file", 1: "file", 2: "file"}, [3, 4]),
            ({0: "file", 2: "file"}, [1, 3]),
            ({}, [0, 1]),
            ({1: "dir"}, [0, 2]),
        ]
        for present, numbers in cases:
            with self.subTest(present=present):
                result = self.run_with(present)
                lines = self.oem_lines(result)
                self.assertEqual(2, len(lines), result.log)
                for line, n in zip(lines, numbers):
                    name = line.split()[1]
                    self.assertEqual(inf_lines(name, "", n)[0], line)
                    self.assertEqual(b"; " + name.encode() + b"\r\n", self.oem(n).read_bytes())
                for n, kind in present.items():
                    if kind == "file":
                        self.assertEqual(b"theirs %d" % n, self.oem(n).read_bytes())

    def test_second_run_takes_the_next_number(self):
        self.lay_out({"A.INF": b"a\r\n"})
        self.install("-q -c -d")
        result = self.world.run("-q -c -d", source_path=DRV, fresh=False)
        self.assertIn(b"Copying A.INF to C:\\windows\\INF\\OEM1.INF \r\n", result.log)
        self.assertTrue(self.oem(0).exists() and self.oem(1).exists())

    def test_two_runs_at_once_each_keep_their_own_numbers_and_records(self):
        """Two packages installed at the same time, by a batch file: every
        INF stands under a number of its own, and the log holds each run's
        section whole, one after the other."""
        count = 200
        self.lay_out({})
        self.world.make_dir(DRV)
        infs = {}
        for package in ("C:\\PKA", "C:\\PKB"):
            self.world.package(package, {"I%03d.INF" % i: b"; %s %d\r\n" % (package.encode(), i)
                                         for i in range(count)})
        launches = [(package, self.world.launch("-q -c -d", exe=package + r"\Drivewright.exe",
                                                source_path=DRV, fresh=False,
                                                stdout=package + r"\stdout.txt"))
                    for package in ("C:\\PKA", "C:\\PKB")]
        results = [(package, launch.finish()) for package, launch in launches]
        # Each run writes the same bytes to its standard output as to its section.
        first, second = (result.stdout for _, result in results)
        log = self.world.log_path.read_bytes()
        self.assertTrue(log in (first + second, second + first), "the log mixes the two runs")
        for package, result in results:
            self.assertEqual(0, result.exit_code)
            lines = [line for line in result.stdout.decode("latin-1").split("\r\n")
                     if "OEM" in line]
            self.assertEqual(count, len(lines), result.stdout)
            for line in lines:
                # The line names the number the INF went to, and it holds that INF still.
                copied = re.fullmatch(r"Copying (\S+) to (\S+) ", line)
                self.assertIsNotNone(copied, line)
                infs[copied[2]] = (package, copied[1])
        self.assertEqual(2 * count, len(infs), "a number named twice")
        for oem, (package, name) in infs.items():
            self.assertEqual(self.world.host(package + "\\" + name).read_bytes(),
                             self.world.host(oem).read_bytes(), oem)

    def test_missing_inf_directories(self):
        self.lay_out({"A.INF": INF_TEXT, "B.INF": INF_TEXT}, other=False)
        inf = self.world.host(INF)
        hidden = inf.with_name("inf-away")
        inf.rename(hidden)
        try:
            result = self.install("-q -c -d")
        finally:
            hidden.rename(inf)
        lines = section_lines(result.log)[1:]
        first, second = lines[0].split()[2], lines[2].split()[2]
        self.assertEqual(inf_lines(first, "ACME AUDIO", 0, FAILED, FAILED) +
                         inf_lines(second, "ACME AUDIO", 1, FAILED, FAILED) +
                         [NOT_INSTALLED % 4], lines)
        self.assertEqual(EXIT_NOT_INSTALLED, result.exit_code)
        self.assertEqual({"A.INF", "B.INF"}, {first, second})

    def test_missing_other_directory(self):
        self.lay_out({"A.INF": INF_TEXT}, other=False)
        result = self.install("-q -c -d")
        self.assertRun(result, EXIT_NOT_INSTALLED, "\n",
                       [USEABLE % DRV] + inf_lines("A.INF", "ACME AUDIO", other=FAILED) +
                       [NOT_INSTALLED % 1])
        self.assertEqual(INF_TEXT, self.oem(0).read_bytes())


class OwnNamesOnly(InstallTest):
    """The system also matches a search pattern against each file's short
    name (README.INFO is READ~xyz.INF under Wine): an INF file is one whose
    own name ends in .INF."""

    NAMES = ["QVAUDIO.INF", "QVAUDIO.INF~", "QVSETUP.INFX", "README.INFO"]

    def test_only_names_that_match_themselves_are_installed(self):
        self.lay_out({name: INF_TEXT for name in self.NAMES})
        found = self.world.bench("find", r"C:\PKG\*.INF")
        self.assertEqual(self.NAMES, sorted(line[len("FOUND "):] for line in found),
                         "the system's own search of *.INF")
        result = self.install("-q -c -d")
        self.assertRun(result, 0, "\n", [USEABLE % DRV] + inf_lines("QVAUDIO.INF", "ACME AUDIO"))
        self.assertEqual(["OEM0.INF"], [p.name for p in self.world.host(INF).glob("OEM*.INF")])
        self.assertEqual(1, len(list(self.world.host(OTHER).iterdir())))

    def test_the_check_of_the_inf_files_reads_only_those(self):
        self.lay_out({"QVAUDIO.INF": INF_TEXT})
        self.world.damaged_file(self, r"C:\PKG\README.INFO")
        result = self.install("-q -c -d")
        self.assertRun(result, 0, "\n", [USEABLE % DRV] + inf_lines("QVAUDIO.INF", "ACME AUDIO"))


class OtherCopy(InstallTest):

    def test_provider_rules(self):
        cases = [
            ('Provider="Acme Audio"\r\n', "ACME AUDIO"),
            ("Provider=Acme Audio\r\n", "ACME"),
            ("Provider=%MfgName%\r\n", "%MFGNAME%"),
            ("Provider= Acme\r\n", ""),
            ("Provider = Acme\r\n", None),
            ("Provider=First\r\nProvider=Second\r\n", "FIRST"),
            ("[Version]\r\nProvider=Last", None),              # last line without newline
            ("Provider=LfOnly\n", "LFONLY"),
            ("\x1a\r\nProvider=AfterCtrlZ\r\n", None),         # Ctrl+Z ends the text
            ("\xff\xff\r\nProvider=PastFF\r\n", "PASTFF"),
            ("x" * 5000 + "\r\nProvider=AfterLong\r\n", "AFTERLONG"),
        ]
        for text, provider in cases:
            with self.subTest(text=text[:40]):
                data = text.encode("latin-1")
                self.lay_out({"A.INF": data})
                result = self.install("-q -c -d")
                installed = inf_lines("A.INF", provider or "")
                self.assertRun(result, 0, "\n",
                               [USEABLE % DRV] + installed[:1 if provider is None else 2])
                placed = list(self.world.host(OTHER).iterdir())
                self.assertEqual([data] if provider is not None else [],
                                 [p.read_bytes() for p in placed])

    def test_provider_leading_out_of_other_is_refused(self):
        # Each provider, joined to INF\OTHER, names a place that exists: the
        # copy would succeed there.
        cases = [
            ("Provider=..\\..\\\r\n", "..\\..\\", r"C:\windows\A.INF"),
            ('Provider="../../"\r\n', "../../", r"C:\windows\A.INF"),
            ("Provider=../\r\n", "../", r"C:\windows\INF\A.INF"),
            ("Provider=..\\..\\..\\ Acme\r\n", "..\\..\\..\\", r"C:\A.INF"),
        ]
        for text, provider, escaped in cases:
            with self.subTest(text=text[:40]):
                self.lay_out({"A.INF": text.encode("latin-1")})
                target = self.world.host(escaped)
                if target.exists():
                    target.unlink()
                self.world.made.append(target)
                result = self.install("-q -c -d")
                self.assertRun(result, EXIT_NOT_INSTALLED, "\n",
                               [USEABLE % DRV] + inf_lines("A.INF", provider, other=FAILED) +
                               [NOT_INSTALLED % 1])
                self.assertEqual([], list(self.world.host(OTHER).iterdir()))
                self.assertFalse(target.exists(), escaped)


class QuietRun(InstallTest):

    def test_end_to_end(self):
        for command_line, exit_code in (("-q -c", 0), ("-q", 1)):
            with self.subTest(command_line=command_line):
                self.lay_out({"QVAUDIO.DRV": b"drv", "A.INF": INF_TEXT})
                self.world.remover(r"C:\PKG")
                result = self.install(command_line)
                names = ["Drivewright.exe", "QVAUDIO.DRV", "A.INF", "uninstal.exe",
                         "uninstal.cfg"]
                self.assertInstalled(result, USEABLE % DRV, copies(DRV, names),
                                     inf_lines("A.INF", "ACME AUDIO"), exit_code)
                self.assertEqual(1, len(self.world.remover_record()))
                self.assertEqual(b"drv", self.world.host(DRV + r"\QVAUDIO.DRV").read_bytes())
                if exit_code == 1:
                    # The restart is asked for two seconds after the work.
                    self.assertGreaterEqual(result.milliseconds, 2000)

    def test_remover_runs_before_the_first_copy(self):
        self.lay_out({"QVAUDIO.DRV": b"drv", "A.INF": INF_TEXT})
        driver_dir = self.world.make_dir(DRV)
        result, while_removing = self.install_while_removing(
            DRV, lambda: [p.name for p in driver_dir.iterdir()])
        self.assertEqual([], while_removing, "nothing copied before the remover")
        self.assertEqual(0, result.exit_code)
        self.assertEqual(b"drv", (driver_dir / "QVAUDIO.DRV").read_bytes())


class CheckedFirst(InstallTest):
    """A package that cannot be installed, or a system it is not for, is found
    out before the remover erases the working drivers: nothing changes."""

    OLD = b"the working driver " * 300
    CLUSTER = 4096       # what Wine reports for a disk of the host

    def clusters(self, size):
        return -(-size // self.CLUSTER)

    def room(self, disk):
        """Free clusters of the small disk, and those the package needs there,
        with two for the copies' working directory."""
        package = self.world.host(r"C:\PKG")
        needed = 2 + sum(self.clusters(p.stat().st_size) for p in package.iterdir() if p.is_file())
        stat = os.statvfs(disk)
        return stat.f_bavail * stat.f_frsize // self.CLUSTER, needed

    def test_nothing_changes_where_the_installation_cannot_finish(self):
        def unreadable(driver_dir):
            self.world.damaged_file(self, r"C:\PKG\QVAUDIO.VXD")
            return CANNOT_READ % "QVAUDIO.VXD"

        def too_big(driver_dir):
            free, needed = self.room(self.disk)
            return NO_ROOM % ("F:\\", (needed - free) * self.CLUSTER // 1024)

        def windows_xp(driver_dir):
            self.world.pretend_windows(self, "winxp")
            return WRONG_SYSTEM

        self.disk = self.world.small_disk(self)
        cases = [(unreadable, "-q -c", DRV), (unreadable, r"-q -s=C:\QVNEW", r"C:\OLDSRC"),
                 (too_big, "-q -c", "F:\\"), (too_big, r"-q -c -s=F:\QVNEW", r"C:\OLDSRC"),
                 (windows_xp, "-q -c", DRV), (windows_xp, r"-q -s=C:\QVNEW", r"C:\OLDSRC")]
        for problem, command_line, source_path in cases:
            with self.subTest(problem.__name__, command_line=command_line):
                self.lay_out({"QVAUDIO.DRV": b"n" * 200000, "A.INF": INF_TEXT})
                self.world.remover(r"C:\PKG")
                driver_dir = DRV if source_path == r"C:\OLDSRC" else source_path
                self.world.make_dir(DRV)
                self.world.made.append(self.disk / "QVAUDIO.DRV")
                for old in (self.world.host(DRV + r"\QVAUDIO.DRV"), self.disk / "QVAUDIO.DRV"):
                    old.write_bytes(self.OLD)
                message = problem(driver_dir)
                result = self.install(command_line, source_path, make_driver_dir=False)
                self.assertRun(result, EXIT_NOT_INSTALLABLE, "\n",
                               [(USEABLE if source_path != r"C:\OLDSRC" else NOT_USEABLE)
                                % source_path, message])
                self.assertEqual([], self.world.remover_record())
                self.assertEqual(registry_values(source_path), result.registry)
                self.assertFalse(self.world.host(r"C:\QVNEW").exists())
                self.assertFalse(self.oem(0).exists())
                for old in (self.world.host(DRV + r"\QVAUDIO.DRV"), self.disk / "QVAUDIO.DRV"):
                    self.assertEqual(self.OLD, old.read_bytes())
                self.assertEqual({"QVAUDIO.DRV"}, {p.name for p in self.disk.iterdir()})

    def test_a_driver_directory_that_cannot_be_made_or_written_changes_nothing(self):
        # The remover would erase the working driver in C:\OLDSRC, and every
        # copy would then fail.
        world = self.world
        cases = [(r"-q -c -s=X:\QVDRV", r"C:\OLDSRC", r"X:\QVDRV", "a drive that does not exist"),
                 (r"-q -c -s=E:\QVDRV", r"C:\OLDSRC", r"E:\QVDRV", "a CD drive without a disc"),
                 (r"-q -d -s=E:\QVDRV", r"C:\OLDSRC", r"E:\QVDRV", "-s with -d")]
        if world.disc_read_only:
            cases += [("-q -c", r"D:\WIN98", r"D:\WIN98", "a write-protected disc"),
                      (r"-q -c -s=D:\WIN98\QVDRV", r"C:\OLDSRC", r"D:\WIN98\QVDRV",
                       "a directory to make on a write-protected disc"),
                      (r"-q -c -s=\\ROSERVER\SHARE\QVDRV", r"C:\OLDSRC",
                       r"\\ROSERVER\SHARE\QVDRV", "a share that is read only")]
        for command_line, source_path, driver_dir, what in cases:
            with self.subTest(what):
                self.lay_out({"QVAUDIO.DRV": b"new", "A.INF": INF_TEXT})
                world.remover(r"C:\PKG")
                world.write_file(r"C:\OLDSRC\QVAUDIO.DRV", self.OLD)
                world.make_dir(r"D:\WIN98")
                if world.disc_read_only:
                    world.unc.mkdir(parents=True, exist_ok=True)
                    (world.unc / "roserver").mkdir(exist_ok=True)
                    (world.unc / "roserver" / "share").symlink_to(world.disc_view)
                result = self.install(command_line, source_path, make_driver_dir=False)
                useable = USEABLE if source_path == r"C:\OLDSRC" else NOT_USEABLE
                self.assertRun(result, EXIT_NOT_INSTALLABLE, "\n",
                               [useable % source_path, CANNOT_WRITE % driver_dir])
                self.assertEqual([], world.remover_record())
                self.assertEqual(registry_values(source_path), result.registry)
                self.assertEqual(self.OLD, world.host(r"C:\OLDSRC\QVAUDIO.DRV").read_bytes())
                self.assertFalse(self.oem(0).exists())
                self.assertEqual([], list(world.host(r"D:\WIN98").iterdir()))

    def test_the_restore_entry_runs_on_any_windows(self):
        self.world.pretend_windows(self, "winxp")
        result = self.world.run(r"-x=D:\WIN98", source_path=DRV)
        self.assertRun(result, 0, "\n", [NOT_USEABLE % DRV, UPDATED % r"D:\WIN98"])
        self.assertEqual(registry_values(r"D:\WIN98"), result.registry)

    def test_a_package_that_only_just_fits_is_installed(self):
        # The new driver replaces one of its own size: the old one stays until
        # the new one is whole, so the room for the new one is all it takes.
        disk = self.world.small_disk(self)
        for spare, installed in ((0, True), (-1, False)):
            with self.subTest(spare_clusters=spare):
                self.lay_out({"QVAUDIO.DRV": b"n" * 40000})
                for name in [p.name for p in disk.iterdir()]:
                    (disk / name).unlink()
                (disk / "QVAUDIO.DRV").write_bytes(b"o" * 40000)
                free, needed = self.room(disk)
                (disk / "FILLER").write_bytes(b"f" * (free - needed - spare) * self.CLUSTER)
                result = self.install(source_path="F:\\", make_driver_dir=False)
                if installed:
                    self.assertInstalled(result, USEABLE % "F:\\",
                                         copies("F:\\", ["Drivewright.exe", "QVAUDIO.DRV"]),
                                         [NOINF])
                else:
                    self.assertRun(result, EXIT_NOT_INSTALLABLE, "\n",
                                   [USEABLE % "F:\\", NO_ROOM % ("F:\\", 4)])
                self.assertEqual(b"n" * 40000 if installed else b"o" * 40000,
                                 (disk / "QVAUDIO.DRV").read_bytes())


if __name__ == "__main__":
    main()
