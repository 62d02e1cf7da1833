/* Applying the command-line options in the order they stand; a later option
   that sets the same field wins. */
#include "app.h"

#include <stdio.h>
#include <string.h>

#include "install_state.h"
#include "option_text.h"
#include "../install/install.h"
#include "../log/log.h"
#include "../registry/registry.h"
#include "../registry/restore_text.h"
#include "../res/resource.h"

static void RejectOption(const char *optionText)
{
    char message[1024];   /* the option message is one of the table's long ones */
    LoadMessage(IDS_BADARG, message, sizeof message);
    LogMessage(message, optionText);
}

/* The value of -f, -s or -x. An option without "=", or one whose value was
   cut with the option's text, is rejected: no path is ever taken cut short. */
static int TakeOptionValue(const char *optionText, int whole, char *value)
{
    ValueEnd end = TakeValue(optionText, value, OPTION_TEXT_SIZE);
    if (end == NoValue || (end == ValueAtEnd && !whole)) {
        RejectOption(optionText);
        return 0;
    }
    return 1;
}

static void ApplyProgramDir(const char *optionText, int whole)
{
    char value[OPTION_TEXT_SIZE];
    if (!TakeOptionValue(optionText, whole, value))
        return;
    lstrcpynA(InstallState.ProgramDir, value, sizeof InstallState.ProgramDir);
    SetCurrentDirectoryA(InstallState.ProgramDir);
}

static int HasBlank(const char *text)
{
    for (; *text; text++)
        if (*text == ' ')
            return 1;
    return 0;
}

/* A path that is not a full one (QVDRV, \QVDRV, C:QVDRV) is made full
   against the working directory of this moment, and that one text is used
   everywhere: the restore entry runs at the next start of Windows, where
   nothing gives a relative path its meaning. A full path that SourcePath
   could not hold (a later run reads it back), or one with a blank (made
   full against a directory such as C:\QV SETUP; the restore entry's
   command is not quoted, and a value typed on the line never holds one), is
   refused, and nothing changes. */
static void ApplySourcePath(const char *optionText, int whole)
{
    char value[OPTION_TEXT_SIZE];
    char full[REGISTRY_TEXT_LIMIT];
    char *name;
    if (!TakeOptionValue(optionText, whole, value))
        return;
    DWORD length = GetFullPathNameA(value, sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || HasBlank(full)) {
        RejectOption(optionText);
        return;
    }
    lstrcpynA(InstallState.OverrideSourcePath, full, sizeof InstallState.OverrideSourcePath);
    lstrcpynA(InstallState.DriverDir, full, sizeof InstallState.DriverDir);
    InstallState.RepointPending = 1;
}

void RepointAsked(void)
{
    if (InstallState.RepointPending)
        RepointSourcePath(InstallState.OverrideSourcePath);
    InstallState.RepointPending = 0;
}

/* The old path is taken from the command line itself, from the option's "="
   to the end of the line: the option grammar would cut it at a blank or a
   dash. So -x stands last, and all text after it is part of the path. The
   "=" must stand in the option's own text; a path longer than SourcePath
   may be is refused. */
static int ApplyRestore(const char *optionText, const char *option)
{
    if (strchr(optionText, '=') == NULL ||
        !TakeRestoreModePath(option, InstallState.OldSourcePath, REGISTRY_TEXT_LIMIT)) {
        RejectOption(optionText);
        return ERROR_INVALID_PARAMETER;
    }
    return RestoreSourcePath(InstallState.OldSourcePath);
}

static void PrintHelp(void)
{
    char message[1024];
    LoadMessage(IDS_HELP, message, sizeof message);
    if (InstallState.ConsoleStream)
        fputs(message, InstallState.ConsoleStream);
}

static char LowerLetter(char letter)
{
    return letter >= 'A' && letter <= 'Z' ? (char)(letter - 'A' + 'a') : letter;
}

/* Returns 1 to go on with the next option, 0 when the option ends the run.
   option is where the option starts in the command line. */
static int ApplyOption(const char *option, const char *optionText, int whole, int *exitCode)
{
    switch (LowerLetter(optionText[1])) {
    case '?':
        RepointAsked();
        PrintHelp();
        *exitCode = 0;
        return 0;
    case 'c':
        InstallState.RebootMode = 2;
        break;
    case 'd':
        InstallState.CopyDrivers = 0;
        break;
    case 'f':
        ApplyProgramDir(optionText, whole);
        break;
    case 'h':
        break;              /* the header line was written at start-up */
    case 'q':
        InstallState.QuietMode = 1;
        break;
    case 'r':
        InstallState.RebootMode = 1;
        break;
    case 's':
        ApplySourcePath(optionText, whole);
        break;
    case 'x':
        RepointAsked();
        *exitCode = ApplyRestore(optionText, option);
        return 0;
    default:
        RejectOption(optionText);
        break;
    }
    return 1;
}

/* One step of the walk over the options: 1 to go on with the next option,
   0 to stop, with *result as the step leaves it. */
typedef int (*OptionStep)(const char *option, const char *optionText, int whole, int *result);

/* The options in the order they stand, each given to step. Returns 1 when
   every option was gone through, 0 when a step stopped the walk. */
static int WalkOptions(const char *commandLine, OptionStep step, int *result)
{
    char optionText[OPTION_TEXT_SIZE];
    size_t length;
    const char *option = FindOption(commandLine, &length);

    while (option != NULL) {
        size_t nextLength;
        const char *next = FindOption(option + length, &nextLength);
        int whole = CutOption(option, length, next == NULL, optionText);
        if (!step(option, optionText, whole, result))
            return 0;
        option = next;
        length = nextLength;
    }
    return 1;
}

static int ApplyIfRestore(const char *option, const char *optionText, int whole, int *exitCode)
{
    return LowerLetter(optionText[1]) != 'x' || ApplyOption(option, optionText, whole, exitCode);
}

static int NoteKind(const char *, const char *optionText, int, int *kind)
{
    switch (LowerLetter(optionText[1])) {
    case '?':
    case 'x':
        *kind = RunEndsEarly;
        return 0;
    case 'q':
        *kind = RunQuiet;
        break;
    }
    return 1;
}

int ApplyOptions(const char *commandLine, int *exitCode)
{
    return WalkOptions(commandLine, ApplyOption, exitCode);
}

int ApplyRestoreOption(const char *commandLine, int *exitCode)
{
    return !WalkOptions(commandLine, ApplyIfRestore, exitCode);
}

int KindOfRun(const char *commandLine)
{
    int kind = RunInteractive;
    WalkOptions(commandLine, NoteKind, &kind);
    return kind;
}
