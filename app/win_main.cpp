/* Entry point: start-up in its fixed order, then the quiet or the interactive run. */
#include <windows.h>
#include <stdio.h>

#include "app.h"
#include "install_state.h"
#include "../log/log.h"
#include "../registry/registry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    StartInstallState(instance);

    /* A drive without a medium (the CD-ROM drive judged or searched) must fail
       the call, not raise the system's box that a quiet run leaves unanswered. */
    SetErrorMode(SEM_FAILCRITICALERRORS);

    if (!OpenLog())
        return 1;
    WriteLogBanner();

    GetProgramDir(InstallState.ProgramDir);
    SetCurrentDirectoryA(InstallState.ProgramDir);

    int hasOptions = commandLine[0] != '\0';
    if (hasOptions)
        WriteHeaderLine(commandLine);

    if (!ReadSourcePath(InstallState.OldSourcePath, &InstallState.SourcePathUsable))
        return 1;
    lstrcpynA(InstallState.DriverDir, InstallState.OldSourcePath, sizeof InstallState.DriverDir);

    int exitCode;
    if (hasOptions && !ApplyOptions(commandLine, &exitCode))
        return exitCode;

    return InstallState.QuietMode ? RunQuietSequence() : RunInteractiveSequence();
}
