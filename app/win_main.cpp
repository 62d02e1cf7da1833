/* Entry point: start-up in its fixed order, then the quiet or the interactive run. */
#include <windows.h>
#include <stdio.h>

#include "app.h"
#include "install_state.h"
#include "lead_bytes.h"
#include "option_text.h"
#include "../log/log.h"
#include "../registry/registry.h"
#include "../res/resource.h"
#include "../ui/ui.h"

/* A run that cannot go on still applies its -x: the restore entry's run is
   the only chance to write the old path back, since Windows has removed the
   entry before it ran it. */
static int EndEarly(const char *commandLine)
{
    int exitCode;
    return ApplyRestoreOption(commandLine, &exitCode) ? exitCode : 1;
}

/* On Japanese, Chinese and Korean Windows the second byte of a character
   may be a backslash or a letter: the path and text routines learn the lead
   bytes before anything walks a path. Bytes below 0x80 lead none. */
static void ReadLeadBytes(void)
{
    for (int c = 0x80; c <= 0xFF; c++)
        LeadBytes[c] = IsDBCSLeadByte((BYTE)c) != 0;
}

/* The run from its start to its end, with the turn taken or not. */
static int Run(HINSTANCE instance, const char *commandLine)
{
    StartInstallState(instance);

    /* A drive without a medium (the CD-ROM drive judged or searched) must fail
       the call, not raise the system's box that a quiet run leaves unanswered. */
    SetErrorMode(SEM_FAILCRITICALERRORS);

    int turn = TakeInstallationTurn(commandLine);
    if (turn == TurnRefused)
        return 0;
    if (turn == TurnTaken && !OpenLog()) {
        InstallState.ConsoleStream = NULL;   /* nothing is written anywhere */
        /* A user who double-clicked the program would see nothing at all. A
           run that -? or -x ends shows no dialogs, and stays as silent as a
           quiet one: the restore entry's run at the start of Windows above
           all. */
        if (KindOfRun(commandLine) == RunInteractive)
            ShowMessageBox(IDS_NOLOG, InstallState.LogPath, "");
        return EndEarly(commandLine);
    }
    WriteLogBanner();

    GetProgramDir(InstallState.ProgramDir);
    SetCurrentDirectoryA(InstallState.ProgramDir);

    int hasOptions = commandLine[0] != '\0';
    if (hasOptions)
        WriteHeaderLine(commandLine);

    if (!ReadSourcePath(InstallState.OldSourcePath, &InstallState.SourcePathUsable))
        return EndEarly(commandLine);
    lstrcpynA(InstallState.DriverDir, InstallState.OldSourcePath, sizeof InstallState.DriverDir);

    int exitCode;
    if (hasOptions && !ApplyOptions(commandLine, &exitCode))
        return exitCode;

    return InstallState.QuietMode ? RunQuietSequence() : RunInteractiveSequence();
}

/* The turn is given up only as the process ends: a run queued behind this
   one must not start its remover during the pause before the restart, in
   the finish dialog, or while Windows answers the restart request. */
int RunInstaller(HINSTANCE instance, const char *commandLine)
{
    int exitCode = Run(instance, commandLine);
    EndInstallationTurn();
    return exitCode;
}

/* The command line that the C runtime hands WinMain may start inside the
   program's own path, at a double-byte character: the line is taken from
   the system, and the name skipped with the system's lead bytes. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ReadLeadBytes();
    return RunInstaller(instance, SkipProgramName(GetCommandLineA()));
}
