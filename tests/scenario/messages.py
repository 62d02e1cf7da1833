"""The program's log messages as the scenario tests expect them, the lines
that a run's copies and INF files give, the registry values a run leaves, and
the messages of a run's section of the log."""

USEABLE = "Sourcepath in registry is %s (useable)\n"
NOT_USEABLE = "Sourcepath in registry is %s (not useable)\n"
NO_SOURCE_PATH = ("Sourcepath not found in registry.  Creating Options\\Cabs "
                  "Sourcepath in registry. \n")
UPDATED = "Sourcepath updated to %s \n"
NOT_UPDATED = "Sourcepath not updated to %s \n"
BADARG = "%s is not a valid command line argument - ignored. \n"
COPYING = "Copying %s to %s \n"
FAILED = "Copy of %s to %s FAILED \n"
NOINF = "No INF files found in current directory. \n"
NORESTORE = "Unable to setup to reset the Sourcepath back to %s \n"
NOT_INSTALLED = "Files not installed: %d \n"

# The exit code of a quiet run with -c that could not install every file.
EXIT_NOT_INSTALLED = 4
# An installation that cannot finish, found out before anything changed: the
# reason, and the exit code of a quiet run.
WRONG_SYSTEM = ("The Quorvel drivers are for Windows 95, 98 and Me only. "
                "Nothing was installed or changed. \n")
CANNOT_READ = "%s cannot be read. Nothing was installed or changed. \n"
NO_ROOM = ("The disk %s needs %d KB more free space for the drivers. "
           "Nothing was installed or changed. \n")
CANNOT_WRITE = ("The driver directory %s cannot be made or written to. "
                "Nothing was installed or changed. \n")
EXIT_NOT_INSTALLABLE = 3
# A program that the remover started and left running, no longer waited for.
STOPPED_WAITING = "Stopped waiting for %s, which the remover started and left running. \n"

HELP = ("DRIVEWRIGHT.EXE Options \n"
        " These Options may be used alone or in conjuction with any other option. \n"
        "  -? \t\t;Help <as executable only> \n"
        "  -c \t\t;Continue, do not reboot.  Reboot is the default.\n"
        "  -h=\"xxx\" \t;Add header line to log file where xxx is any string. \n"
        "  -d \t\t;Do not copy the driver files to the Sourcepath.  Only copy\n"
        "\t\t;the INF files.\n"
        "  -s=C:\\path \t;Temporarily change the Source Path in the registry. C:\\path is\n"
        "\t\t;the drive and directory where Windows will find the driver files. \n"
        "  -f=C:\\path \t;Files are not in the current path, they are in C:\\path, where\n"
        "\t\t;C:\\path is the drive and directory where the driver files\n"
        "\t\t;now reside.\n"
        " ")
EXTRACTING = "Extracting %s from %s \n"
EXTRACT_FAILED = "Extract of %s from %s FAILED \n"

INF = r"C:\windows\INF"
OTHER = INF + r"\OTHER"
PROGRAM = r"C:\PKG\Drivewright.exe"


def copy(dest, name, copied=True):
    """The line of one file copied (or not) by name into the directory dest."""
    join = dest if dest.endswith("\\") else dest + "\\"
    return (COPYING if copied else FAILED) % (name, join + name)


def copies(dest, names, failed=(".", "..")):
    """A package copied into dest: each name copied, then each of failed
    refused; a package directory's "." and ".." always are."""
    return [copy(dest, n) for n in names] + [copy(dest, n, False) for n in failed]


def placed(new_path, program=PROGRAM, copied=True):
    """The running program put where the restore entry runs it."""
    return (COPYING if copied else FAILED) % (program, new_path + "\\Drivewright.exe")


def repointed(new_path, program=PROGRAM):
    """What a repointing logs when it goes through: the program first."""
    return [placed(new_path, program), UPDATED % new_path]


def inf_lines(name, provider, n=0, oem=COPYING, other=COPYING):
    """An INF file installed as INF\\OEM<n>.INF and under INF\\OTHER; oem or
    other is FAILED where that copy fails."""
    return [oem % (name, INF + "\\OEM%d.INF" % n), other % (name, OTHER + "\\" + provider + name)]


def text(value, encoding="latin-1"):
    """A registry text as stored, in the world's code page: with its terminator."""
    return value.encode(encoding) + b"\0"


def entry(new_path, old_path):
    """The restore entry that repointing SourcePath from old_path leaves."""
    return new_path + "\\Drivewright -X=" + old_path


def registry_values(source_path, restore_entry=None, encoding="latin-1"):
    """SourcePath and the restore entry as a run's registry and World.watched()
    report them; None where there is none."""
    return {"SourcePath": text(source_path, encoding),
            "Quorvel": None if restore_entry is None else text(restore_entry, encoding)}


def section_lines(log, encoding="latin-1"):
    """The messages of a log that holds one run's section, each with its line
    feed: from the SourcePath line, which every run writes first, to the end,
    so without the banner or a header line."""
    lines = log.decode(encoding).replace("\r\n", "\n").split("\n")[:-1]
    first = next(n for n, line in enumerate(lines) if line.startswith("Sourcepath"))
    return [line + "\n" for line in lines[first:]]


class SectionChecks:
    """For scenario tests: a run's messages where the copies of a directory
    stand in the file system's order."""

    def assertLines(self, lines, head, copied, tail, msg=None):
        """lines are head, then the copied lines in any order, then tail."""
        middle = len(lines) - len(tail)
        self.assertEqual(head, lines[:len(head)], msg)
        self.assertCountEqual(copied, lines[len(head):middle], msg)
        self.assertEqual(tail, lines[middle:], msg)

    def assertInstalled(self, result, source_line, copied, tail, exit_code=0, header="\n"):
        """Exit code, standard output and the log's one section exactly: the
        SourcePath line, the copies in the file system's order, then tail."""
        lines = section_lines(result.log)
        self.assertLines(lines, [source_line], copied, tail, result.log)
        self.assertRun(result, exit_code, header, lines)
