"""The scenario bench: runs the real Drivewright.exe in a Windows 98 prefix.

A World is one prefix under build/wine, shared by the scenarios of one test
file. Each scenario starts from a known state that World.run() lays down: no
log file, SourcePath and the restore entry as the scenario asks, the
package directories of earlier scenarios gone, the CD in drive D: as asked.
"""
import atexit
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
PREFIX_TOOL = REPO / "tests" / "bench" / "prefix.sh"


def _wine_setting():
    """The Windows build and the kind of prefix, as the test command set them;
    for a benchmark started by hand, as tests/bench/wine-env.sh chooses them
    for the scripts."""
    if "DRIVEWRIGHT_WINEARCH" not in os.environ:
        chosen = subprocess.run(["bash", "-c", '. "$0" && env -0',
                                 str(REPO / "tests" / "bench" / "wine-env.sh")],
                                check=True, capture_output=True).stdout
        for entry in chosen.split(b"\0"):
            name, _, value = entry.decode().partition("=")
            if name == "PATH" or name.startswith("DRIVEWRIGHT_"):
                os.environ[name] = value
    return Path(os.environ["DRIVEWRIGHT_BUILD"])


BUILD = _wine_setting()

SETUP_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\setup"
RUNONCE_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
AEDEBUG_KEY = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
RELAY_KEY = r"HKCU\Software\Wine\Debug"
REG_SZ = 1
WRITE_BITS = stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH   # none: Wine's read-only attribute

# A file of the host whose every read fails with an I/O error, as a file on
# a scratched CD does: runtime power management that the device lacks.
UNREADABLE = Path("/sys/devices/system/cpu/power/autosuspend_delay_ms")

NOTICE = b"Copyright \xa9 1998 Quorvel Audio Corporation. All rights reserved."
DELETE = object()   # a registry value that a scenario wants absent
KEEP = object()     # a registry value left as an earlier run left it


def poll(what, probe, timeout=60.0, interval=0.1):
    """Calls probe until it returns something true; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


def is_mount_point(path):
    """Also for a bind mount within one file system, which os.path.ismount misses."""
    return subprocess.run(["mountpoint", "-q", str(path)], stdin=subprocess.DEVNULL,
                          check=False).returncode == 0


def crlf(text):
    """Text as the program's text streams write it: each line feed as CR LF."""
    if isinstance(text, str):
        text = text.encode("latin-1")
    return text.replace(b"\n", b"\r\n")


def section_pattern(header, *messages, notice=NOTICE):
    """A regular expression for one run's section of the log: the banner with
    any time and date, then the header line (None when none is written) and
    the messages, all as exact bytes."""
    body = b"".join(crlf(m) for m in messages)
    return (re.escape(crlf("\n" + "-" * 58 + "\n"))
            + rb"\d\d:\d\d:\d\d\t\d\d/\d\d/\d\d"
            + re.escape(crlf("\n\nQuorvelWare(tm) Audio Driver Installation Utility, "
                             "Version  0.2 Beta \n") + notice + crlf("\n \n"))
            + re.escape(crlf(header) if header is not None else b"")
            + re.escape(body))


class Result:
    def __init__(self, exit_code, stdout, log, registry, milliseconds=None, ended=None):
        self.exit_code = exit_code
        self.milliseconds = milliseconds
        self.ended = ended      # the prefix's GetTickCount once the program had ended
        self.stdout = stdout
        self.log = log
        self.registry = registry

    def __repr__(self):
        return (f"Result(exit={self.exit_code}, stdout={self.stdout!r}, "
                f"log={self.log!r}, registry={self.registry!r})")


class World:
    """One Windows 98 prefix with a hard disk C:, a CD-ROM drive D: whose disc
    is the folder cdrom-d, and a CD-ROM drive E: without a disc."""

    # Values that every run lays down unless the scenario says otherwise: a
    # crashing program ends without Wine's debugger writing into its output.
    RESET_VALUES = {(AEDEBUG_KEY, "Debugger"): "no-debugger.exe %ld %ld",
                    (AEDEBUG_KEY, "Auto"): "1"}

    REMOVER_RECORD = r"C:\uninstal-record.txt"

    # What every run reports from the registry afterwards.
    WATCHED = (("SourcePath", SETUP_KEY, "SourcePath"), ("Quorvel", RUNONCE_KEY, "Quorvel"))

    def __init__(self, prefix=None):
        self.prefix = Path(prefix or os.environ.get("DRIVEWRIGHT_PREFIX",
                                                    BUILD / "wine" / "scenario")).resolve()
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEARCH=os.environ["DRIVEWRIGHT_WINEARCH"])
        self.windows = os.environ.get("DRIVEWRIGHT_WINDOWS", "win98")
        # The ANSI code page the world's Wine must report (its LANG chooses
        # it), and the one command lines are encoded in.
        self.code_page = os.environ.get("DRIVEWRIGHT_CODE_PAGE")
        self.encoding = "cp" + self.code_page if self.code_page else "latin-1"
        self.template = BUILD / "wine" / ("template" if self.windows == "win98"
                                          else "template-" + self.windows)
        # Without a display a dialog fails at once instead of waiting for a
        # user: only the dialog tests give their world one.
        self.env.pop("DISPLAY", None)
        self.benchtool = BUILD / "tests" / "benchtool.exe"
        self.exe = BUILD / "Drivewright.exe"
        self.made = []
        self.started = False
        self.disc_view = self.prefix / "cdrom-d"

    # --- the prefix ---------------------------------------------------------
    def start(self):
        if not self.started:
            subprocess.run([str(PREFIX_TOOL), "start", str(self.prefix), self.windows],
                           check=True, stdin=subprocess.DEVNULL, env=self.env)
            self.started = True
            self.mount_disc()
            self.insert_disc(True)
            self.check_version()
            self.check_code_page()

    @property
    def disc_read_only(self):
        return self.disc_view != self.prefix / "cdrom-d"

    def mount_disc(self):
        """Drive D: shows the disc folder through a read-only bind mount where
        the machine allows one, so that writes to the disc fail as on a real
        CD; the bench itself lays files into the folder. Elsewhere D: is the
        folder, and only its files' read-only attribute is a CD's."""
        point = self.prefix / "cdrom-d-ro"
        point.mkdir(exist_ok=True)
        if not is_mount_point(point):
            subprocess.run(["mount", "--bind", "-o", "ro", str(self.prefix / "cdrom-d"),
                            str(point)], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)
        if is_mount_point(point):
            self.disc_view = point
            atexit.register(self.unmount_disc)
        else:
            point.rmdir()

    def unmount_disc(self):
        point = self.prefix / "cdrom-d-ro"
        if is_mount_point(point):
            subprocess.run(["umount", str(point)], stdin=subprocess.DEVNULL, check=False)
        if point.is_dir() and not is_mount_point(point):
            point.rmdir()
        self.disc_view = self.prefix / "cdrom-d"

    # What GetVersionExA says in each personality: major, minor, platform.
    VERSIONS = {"win98": "VERSION 4 10 1", "win95": "VERSION 4 0 1"}

    def check_version(self):
        """A prefix whose personality is not the one asked for fails at once."""
        reported = self.bench("version")[0]
        if reported != self.VERSIONS[self.windows]:
            raise RuntimeError(f"{self.prefix} reports {reported}, not {self.windows}")

    def check_code_page(self):
        """A world that asks for a code page and gets another fails at once."""
        if self.code_page:
            reported = self.bench("codepage")[0]
            if reported != "CODEPAGE " + self.code_page:
                raise RuntimeError(f"{self.prefix} reports {reported}, not code page "
                                   f"{self.code_page}")

    def stop(self):
        subprocess.run([str(PREFIX_TOOL), "stop", str(self.prefix)], check=False,
                       stdin=subprocess.DEVNULL, env=self.env)
        self.unmount_disc()
        self.started = False

    def host(self, path):
        r"""The host path of a Windows path on C:, D: or E:, or on a share
        \\server\share (case as the prefix has it)."""
        if path.startswith("\\\\"):
            base, rest = self.unc, path[2:]
        else:
            drive, rest = path[0].lower(), path[2:].lstrip("\\")
            base = {"c": self.prefix / "drive_c", "d": self.prefix / "cdrom-d",
                    "e": self.prefix / "cdrom-e"}[drive]
        for part in [p for p in rest.split("\\") if p]:
            match = [e for e in base.iterdir() if e.name.lower() == part.lower()] \
                if base.is_dir() else []
            base = match[0] if match else base / part
        return base

    @property
    def unc(self):
        """Where Wine finds the network: dosdevices/unc/server/share."""
        return self.prefix / "dosdevices" / "unc"

    @property
    def log_path(self):
        return self.host(r"C:\windows\Quorvel.log")

    # --- laying out a scenario -----------------------------------------------
    def make_dir(self, path):
        """Makes the directory; reset() takes it away again only if it was made here."""
        host = self.host(path)
        top = host
        while not top.parent.exists():
            top = top.parent
        if not host.exists():
            host.mkdir(parents=True)
            self.made.append(top)
        return host

    def write_file(self, path, data=b""):
        host = self.host(path)
        self.make_dir(path.rsplit("\\", 1)[0] + "\\")
        host.write_bytes(data)
        self.made.append(host)
        return host

    def package(self, directory=r"C:\PKG", files=None):
        """A driver package directory holding the program and the given files;
        reset() takes the whole directory away."""
        host = self.make_dir(directory)
        if host not in self.made:
            self.made.append(host)
        shutil.copyfile(self.exe, host / "Drivewright.exe")
        for name, data in (files or {}).items():
            (host / name).write_bytes(data)
        return directory + "\\Drivewright.exe"

    def read_only(self, path):
        """Whether Windows sees the file as read-only: Wine's read-only
        attribute is a file without write permission."""
        return not self.host(path).stat().st_mode & WRITE_BITS

    def remover(self, directory, config=""):
        """The stand-in remover uninstal.exe in directory, behaving as config says."""
        host = self.make_dir(directory)
        shutil.copyfile(BUILD / "tests" / "uninstal.exe", host / "uninstal.exe")
        (host / "uninstal.cfg").write_text(config)
        self.made += [host / "uninstal.exe", host / "uninstal.cfg"]

    def launch_held(self, command_line, exe=r"C:\PKG\Drivewright.exe", **launch):
        """A run of the program in exe's directory, held by a remover there
        that hangs; returns it once the remover has started."""
        directory, name = exe.rsplit("\\", 1)
        self.package(directory)
        shutil.copyfile(self.exe, self.host(exe))
        self.remover(directory, "sleep 600000")
        run = self.launch(command_line, exe=exe, fresh=False, **launch)
        poll("the remover to start", self.remover_record)
        return run

    def remover_record(self):
        """What the stand-in removers recorded: (command line, working
        directory, SourcePath, ended) for each start, in the order they
        wrote their first line."""
        record = self.host(self.REMOVER_RECORD)
        starts, running = [], {}
        for line in record.read_text().splitlines() if record.exists() else []:
            word, *fields, pid = line.split()
            if word == "START":
                running[pid] = len(starts)
                starts.append([bytes.fromhex("" if f == "-" else f).decode("latin-1")
                               for f in fields] + [False])
            elif word == "END" and pid in running:
                starts[running.pop(pid)][3] = True
        return [tuple(start) for start in starts]

    def remover_ticks(self):
        """The prefix's GetTickCount at each stand-in remover's start, in the
        order of remover_record()."""
        record = self.host(self.REMOVER_RECORD)
        return [int(line.split()[1]) for line in record.read_text().splitlines()
                if line.startswith("TICK ")]

    def insert_disc(self, present=True, drive="d", disc=None):
        """Puts the disc (the folder cdrom-<drive>, or that of the drive disc
        names) into the CD-ROM drive, or takes it out."""
        link = self.prefix / "dosdevices" / f"{drive}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        disc = disc or drive
        if present:
            link.symlink_to(self.disc_view if disc == "d" else self.prefix / f"cdrom-{disc}")

    def write_protect_discs(self):
        """Every file on a CD is read-only, and so is each copy Windows makes of one."""
        for drive in "de":
            for path in (self.prefix / f"cdrom-{drive}").rglob("*"):
                if path.is_file() and not path.is_symlink():
                    path.chmod(path.stat().st_mode & ~WRITE_BITS)

    def remove_leftovers(self):
        """What earlier runs, also of an earlier test process, left on C:: every
        top-level entry the template prefix lacks, the program files that an
        installation into the Windows directory puts there, the INF copies, and
        the system's joystick driver that CD scenarios lay down (a fresh prefix
        has none, and may not even have the system directory)."""
        drive_c = self.prefix / "drive_c"
        fresh = {e.name.lower() for e in (self.template / "drive_c").iterdir()}
        stale = [e for e in drive_c.iterdir() if e.name.lower() not in fresh]
        windows = self.host(r"C:\windows")
        stale += [e for e in windows.iterdir()
                  if e.name.lower() in ("drivewright.exe", "uninstal.exe", "uninstal.cfg")]
        inf = self.host(r"C:\windows\INF")
        stale += [e for e in inf.iterdir() if e.name.lower() == "other" or
                  (e.name.lower().startswith("oem") and e.name.lower().endswith(".inf"))]
        joystick = self.host(r"C:\windows\system\MSJSTICK.DRV")
        if joystick.is_file():
            stale.append(joystick)
        for entry in stale:
            if entry.is_dir() and not entry.is_symlink():
                shutil.rmtree(entry, ignore_errors=True)
            else:
                entry.unlink()

    # How long a scenario's leftovers may take to end by themselves: Wine's
    # restart processing closes the prefix's windows after about 5 s, and
    # through the emulator each program starts three to four times slower.
    SETTLE_MS = 60000

    def settle(self, registry=True):
        """Waits until nothing that a scenario set going runs on in the prefix
        (Wine's restart processing, a remover, a cabinet tool, the program, a
        dialog probe), and ends what does not end in time; with registry, also
        takes away a restore entry and a SourcePath that were left. Says on
        standard error what it had to clear."""
        values = ((RUN_KEY, "Quorvel"), (RUNONCE_KEY, "Quorvel"),
                  (SETUP_KEY, "SourcePath")) if registry else ()
        steps = ["settle", str(self.SETTLE_MS)]
        for key, name in values:
            steps += ["get", key, name, "del", key, name]
        lines = self.bench(*steps)
        cleared = []
        for line in lines[:len(lines) - len(values)]:
            word, image, *waited = line.split(" ")
            cleared.append(f"{image} (ended by itself after {waited[0]} ms)"
                           if word == "WAITED" else f"{image} (ended)")
        # Every run lays down its SourcePath: only a restore entry left over
        # would reach into the next scenario, through a restart.
        if values and (lines[-3], lines[-2]) != ("MISSING", "MISSING"):
            cleared.append("the restore entry")
        if cleared:
            print(f"bench: {self.prefix.name}: cleared what the last scenario left: "
                  + ", ".join(cleared), file=sys.stderr, flush=True)
        return cleared

    def reset(self):
        self.settle()
        for host in reversed(self.made):
            if host.is_dir() and not host.is_symlink():
                shutil.rmtree(host, ignore_errors=True)
            elif host.exists() or host.is_symlink():
                host.unlink()
        self.made = []
        self.remove_leftovers()
        log = self.log_path
        if log.is_dir():
            shutil.rmtree(log)
        elif log.exists():
            log.unlink()
        for drive in "de":
            disc = self.prefix / f"cdrom-{drive}"
            disc.mkdir(exist_ok=True)
            for entry in disc.iterdir():
                shutil.rmtree(entry) if entry.is_dir() else entry.unlink()
        shutil.rmtree(self.unc, ignore_errors=True)
        self.insert_disc(True)
        self.insert_disc(False, "e")

    def end_task(self, *images):
        """Ends every process of each image in the prefix, in turn, as a user's
        End Task does, without letting it clean up (TerminateProcess)."""
        for image in images:
            subprocess.run(["wine", "taskkill", "/f", "/im", image], env=self.env,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=120, check=False)

    def damaged_file(self, test, path):
        """path becomes a file whose reads fail, a link to UNREADABLE; the test
        is skipped where the host has no such file."""
        try:
            with open(UNREADABLE, "rb") as host_file:
                host_file.read(1)
        except OSError:
            if UNREADABLE.is_file() and UNREADABLE.stat().st_size > 0:
                link = self.host(path)
                link.symlink_to(UNREADABLE)
                self.made.append(link)
                return link
        test.skipTest(f"{UNREADABLE} is not a file whose reads fail here")

    def pretend_windows(self, test, version):
        """Wine plays another Windows (winxp, say) for the programs started from
        now on, until the test ends."""
        self.bench("set", r"HKCU\Software\Wine", "Version", version)
        test.addCleanup(self.bench, "set", r"HKCU\Software\Wine", "Version", self.windows)

    def small_disk(self, test, drive="f", size="192k"):
        """A hard disk of the given size as drive letter, a tmpfs that the test
        unmounts when it ends; the test is skipped where mounting is refused."""
        point = self.prefix / f"disk-{drive}"
        point.mkdir(exist_ok=True)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs",
                                  str(point)], stdin=subprocess.DEVNULL,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                 check=False).returncode == 0
        if not mounted:
            point.rmdir()
            test.skipTest("the machine refuses to mount a small disk")
        link = self.prefix / "dosdevices" / f"{drive}:"
        link.symlink_to(point)
        test.addCleanup(self.remove_small_disk, drive)
        atexit.register(self.remove_small_disk, drive)
        return point

    def remove_small_disk(self, drive="f"):
        link = self.prefix / "dosdevices" / f"{drive}:"
        if link.is_symlink():
            link.unlink()
        point = self.prefix / f"disk-{drive}"
        if is_mount_point(point):
            subprocess.run(["umount", str(point)], stdin=subprocess.DEVNULL, check=False)
        if point.is_dir() and not is_mount_point(point):
            point.rmdir()

    def restart(self, run=False):
        """Wine's simulated restart: runs the RunOnce commands, then removes
        them. With run, a whole start of Windows: the Run commands are then
        started too (wineboot -r leaves them), and waited for."""
        self.start()
        self.settle(registry=False)
        subprocess.run(["wine", "wineboot"] + ([] if run else ["-r"]), env=self.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300, check=True)
        if run:
            self.settle(registry=False)

    def watched(self):
        """SourcePath and the restore entry as they stand now (bytes or None)."""
        steps = []
        for _, key, value_name in self.WATCHED:
            steps += ["get", key, value_name]
        return self.read_watched(self.bench(*steps))

    def read_watched(self, lines):
        """The values from benchtool's "get" lines. Each is text (REG_SZ), as
        the scenarios lay them down and as the program writes them: any other
        type fails the scenario."""
        values = {}
        for (label, _, _), line in zip(self.WATCHED, lines):
            if line == "MISSING":
                values[label] = None
                continue
            _, kind, data = line.split(" ")
            if int(kind) != REG_SZ:
                raise AssertionError(f"{label} has registry type {kind}, not REG_SZ: {line}")
            values[label] = bytes.fromhex(data)
        return values

    # --- running --------------------------------------------------------------
    def bench(self, *steps):
        """Runs benchtool with the given steps; returns its output lines."""
        self.start()
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(["wine", str(self.benchtool), *steps], env=self.env,
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=300)
            out.seek(0)
            err.seek(0)
            if done.returncode != 0:
                raise RuntimeError(f"benchtool {steps} failed: {err.read()!r}")
            return out.read().decode("latin-1").splitlines()

    @staticmethod
    def registry_steps(values):
        """benchtool steps that set (text or bytes) or delete (DELETE) values,
        given as {(key, name): value}; {(key, None): DELETE} deletes the key."""
        steps = []
        for (key, name), value in values.items():
            if value is KEEP:
                continue
            if name is None:
                steps += ["delkey", key]
            elif value is DELETE:
                steps += ["del", key, name]
            elif isinstance(value, bytes):
                steps += ["sethex", key, name, value.hex()]
            else:
                steps += ["set", key, name, value]
        return steps

    def run(self, command_line="", exe=r"C:\PKG\Drivewright.exe", cwd=None,
            source_path=DELETE, registry=None, fresh=True, pauses=False, named=None):
        """Runs the program with exactly this command line (what follows its
        name) after laying down the registry, and collects what it did."""
        return self.launch(command_line, exe, cwd, source_path, registry, fresh,
                           pauses=pauses, named=named).finish()

    def launch(self, command_line="", exe=r"C:\PKG\Drivewright.exe", cwd=None,
               source_path=DELETE, registry=None, fresh=True, stdout=None, pauses=False,
               named=None):
        """Starts what run() does and returns at once; finish() waits for it.
        Runs launched together each need a stdout file of their own. With
        pauses, Wine's relay trace of Sleep gives the result's pauses. named
        is the program's name at the start of the command line, as a batch
        file gives it (unquoted, say); its file name by default."""
        if fresh:
            self.reset()
        env = self.env
        if pauses:
            # Read when a process starts: set before the one that starts the program.
            self.bench("set", RELAY_KEY, "RelayInclude", "KERNEL32.Sleep")
            env = dict(self.env, WINEDEBUG="-all,+relay")
        if not self.host(exe).exists() and exe.lower().endswith("\\drivewright.exe"):
            self.package(exe.rsplit("\\", 1)[0])
        values = {(SETUP_KEY, "SourcePath"): source_path, (RUNONCE_KEY, "Quorvel"): DELETE,
                  (RUN_KEY, "Quorvel"): DELETE}
        values.update(registry or {})
        values = {**self.RESET_VALUES, **values}
        name = named or exe.rsplit("\\", 1)[1]
        full = name if command_line == "" else name + " " + command_line
        steps = (["mkkey", SETUP_KEY, "mkkey", RUNONCE_KEY, "mkkey", RUN_KEY] +
                 self.registry_steps(values))
        stdout = stdout or Launch.STDOUT
        steps += ["run", exe, cwd or "-", full.encode(self.encoding).hex(), stdout]
        for _, key, value_name in self.WATCHED:
            steps += ["get", key, value_name]
        self.start()
        self.write_protect_discs()
        return Launch(self, steps, stdout, env)


class Launch:
    """A run of the program that World.launch() started."""

    STDOUT = r"C:\DrivewrightStdout.txt"

    def __init__(self, world, steps, stdout=STDOUT, env=None):
        self.world = world
        self.stdout = stdout
        self.out = tempfile.TemporaryFile()
        self.err = tempfile.TemporaryFile()
        self.process = subprocess.Popen(["wine", str(world.benchtool), *steps],
                                        env=env or world.env,
                                        stdin=subprocess.DEVNULL, stdout=self.out,
                                        stderr=self.err)

    def running(self):
        return self.process.poll() is None

    def finish(self, timeout=300):
        world, process = self.world, self.process
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise
        self.out.seek(0)
        self.err.seek(0)
        output, errors = self.out.read(), self.err.read()
        self.out.close()
        self.err.close()
        if process.returncode != 0:
            raise RuntimeError(f"benchtool failed: {errors!r}")
        lines = output.decode("latin-1").splitlines()
        status, reads = lines[0], lines[1:]
        if not status.startswith("EXIT "):
            raise RuntimeError(f"program did not end normally: {status}")
        registry_after = world.read_watched(reads)
        stdout_host = world.host(self.stdout)
        stdout = stdout_host.read_bytes()
        stdout_host.unlink()
        log = world.log_path.read_bytes() if world.log_path.is_file() else None
        result = Result(int(status.split()[1]), stdout, log, registry_after,
                        int(status.split()[2]), int(status.split()[3]))
        # The relay trace goes to Wine's own standard error: the milliseconds
        # of each Sleep, when it was asked for.
        result.pauses = [int(ms, 16) for ms in
                         re.findall(rb"Call KERNEL32\.Sleep\(([0-9a-f]+)\)", errors)]
        return result


class ScenarioTest(unittest.TestCase):
    """Base of the scenario test files: one World for the whole file."""

    world = None
    notice = NOTICE   # as the string table's text reaches the world's code page

    @classmethod
    def setUpClass(cls):
        if ScenarioTest.world is None:
            ScenarioTest.world = World()
        cls.world.start()

    def assertSections(self, data, *sections):
        """data is exactly the given sections, each (header, [messages])."""
        pattern = b"".join(section_pattern(h, *m, notice=self.notice) for h, m in sections)
        self.assertIsNotNone(data, "nothing was written")
        self.assertRegex(data, re.compile(b"\\A" + pattern + b"\\Z", re.S))

    def assertRun(self, result, exit_code, header, messages, stdout_extra=b""):
        """Exit code, the log's one section, and standard output: the same
        bytes as the log, plus what goes to standard output only."""
        self.assertEqual(exit_code, result.exit_code, result)
        self.assertSections(result.log, (header, messages))
        self.assertEqual(result.log + crlf(stdout_extra), result.stdout)


def main():
    unittest.main(verbosity=2)
