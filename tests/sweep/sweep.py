"""What the two sweeps share: a World whose state is laid down cheaply for
each run, runs under the cutter (tests/sweep/cutter.cpp), and Windows'
restart.

A restart is Wine's restart processing as a start of Windows runs it:
wineboot runs the RunOnce commands, waiting for each, then starts the Run
commands; the sweep then waits until everything it started has ended."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "scenario"))

from bench import BUILD, DELETE, RUNONCE_KEY, SETUP_KEY, World  # noqa: E402

RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
STDOUT = r"C:\SweepStdout.txt"
# The banner's time and date, each written as a message of its own.
BANNER_TIME = re.compile(rb"\d\d:\d\d:\d\d\t")
BANNER_DATE = re.compile(rb"\t\d\d/\d\d/\d\d")
SECTION_START = b"\r\n" + b"-" * 58 + b"\r\n"


class Run:
    """One run under the cutter: how it ended, and the calls it let through,
    each (function, names)."""

    def __init__(self, lines):
        self.calls = []
        self.end = "NO END"
        for line in lines:
            word, *fields = line.split(" ")
            if word == "CALL":
                names = "" if fields[2] == "-" else bytes.fromhex(fields[2]).decode("latin-1")
                self.calls.append((fields[1], names.replace("|", " -> ")))
            else:
                self.end = line
        self.exit_code = int(self.end.split()[1]) if self.end.startswith("EXIT ") else None


def call_text(call):
    function, names = call
    return f"{function} {names}".strip()


class SweepWorld(World):
    """A World for many short runs: only what the runs touch is laid down
    afresh, and the prefix's server stays up between them."""

    def __init__(self, prefix=None):
        super().__init__(prefix or os.environ.get("DRIVEWRIGHT_PREFIX",
                                                  BUILD / "wine" / "sweep"))
        self.cutter = BUILD / "tests" / "cutter.exe"

    def lay_down(self, registry):
        """Waits for what an earlier run set going, then writes (text) or
        deletes (DELETE) the registry values {(key, name): value}."""
        steps = ["settle", str(self.SETTLE_MS), "mkkey", SETUP_KEY, "mkkey", RUNONCE_KEY]
        steps += self.registry_steps({**self.RESET_VALUES, **registry})
        self.bench(*steps)

    def cut_run(self, exe, command_line, cut=0, cwd=None, bound_ms=60000, answer=None):
        """Runs exe with exactly this command line (its name included) under
        the cutter, ended before call number cut (0: not ended); answer, if
        given, is called over and over while it runs."""
        self.start()
        with tempfile.TemporaryFile() as out:
            process = subprocess.Popen(
                ["wine", str(self.cutter), str(cut), str(bound_ms), exe, cwd or "-",
                 command_line.encode(self.encoding).hex(), STDOUT], env=self.env,
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)
            answered = answer() if answer else None
            while answered and process.poll() is None:
                answered(process)
            process.wait(bound_ms / 1000 + 120)
            out.seek(0)
            run = Run(out.read().decode("latin-1").splitlines())
        stdout = self.host(STDOUT)
        run.stdout = stdout.read_bytes() if stdout.is_file() else b""
        return run

    def restart_windows(self, values):
        """A start of Windows, then the registry values {(label): (key, name)}
        read once everything it started has ended (bytes, or None)."""
        subprocess.run(["wine", "wineboot"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300,
                       check=True)
        steps = ["settle", str(self.SETTLE_MS)]
        for key, name in values.values():
            steps += ["get", key, name]
        lines = self.bench(*steps)[-len(values):]
        read = {}
        for label, line in zip(values, lines):
            read[label] = None if line == "MISSING" else bytes.fromhex(line.split(" ")[2])
        return read


def files_under(root):
    """{relative path, lower case: bytes} of every file under the host
    directory root (none where it does not exist)."""
    found = {}
    if root.is_dir():
        for path in root.rglob("*"):
            if path.is_file():
                found[str(path.relative_to(root)).replace("/", "\\").lower()] = path.read_bytes()
    return found


def last_section(log):
    """The log's last section, with its banner's time and date as zeros."""
    if not log:
        return b""
    section = BANNER_TIME.sub(b"00:00:00\t", log[max(log.rfind(SECTION_START), 0):], count=1)
    return BANNER_DATE.sub(b"\t00/00/00", section, count=1)


def elapsed(since):
    return time.monotonic() - since


def remove(host):
    if host.is_dir() and not host.is_symlink():
        shutil.rmtree(host)
    elif host.exists() or host.is_symlink():
        host.unlink()


__all__ = ["BUILD", "DELETE", "RUNONCE_KEY", "RUN_KEY", "SETUP_KEY", "Run", "SweepWorld", "call_text",
           "elapsed", "files_under", "last_section", "remove"]
