/* Unpacking one file from a cabinet of the Windows CD with Windows' own
   cabinet tool, which lies beside the cabinet. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* The tool is started from the cabinet's directory only, detached and
   without the installer's streams, and not waited for: a result of 1 says
   only that it started. */
static int StartTool(const char *cabPath, const char *destinationPath)
{
    char destinationDir[256], destinationName[256], cabinetDir[512];
    char program[sizeof cabinetDir + sizeof "\\extract.exe"];
    char commandLine[3 * 512 + 32];

    /* Parts that do not fit their buffers: the tool is not started. */
    if (!SplitAtLastBackslash(destinationPath, destinationDir, sizeof destinationDir,
                              destinationName, sizeof destinationName))
        return 0;
    if (!SplitAtLastBackslash(cabPath, cabinetDir, sizeof cabinetDir, NULL, 0))
        return 0;
    int length = snprintf(commandLine, sizeof commandLine, "extract.exe /y /l %s %s %s",
                          destinationDir, cabPath, destinationName);
    if (length < 0 || (size_t)length >= sizeof commandLine)
        return 0;

    /* The tool overwrites the file, which Windows refuses while it is read-only. */
    MakeWritable(destinationPath);
    /* Named by its full path, the tool is the one beside the cabinet also
       where the platform refuses that directory as the working directory, as
       Windows 9x may for a share. */
    AppendPath(cabinetDir, "extract.exe", program, sizeof program);
    SetCurrentDirectoryA(cabinetDir);

    DWORD toolId;
    HANDLE tool = StartProgram(program, commandLine, DETACHED_PROCESS, &toolId);
    if (tool == NULL)
        return 0;
    CloseHandle(tool);
    return 1;
}

int ExtractFromCab(const char *cabPath, const char *destinationPath, HWND window)
{
    if (!InstallState.QuietMode)
        ShowProgressLines(window, IDS_EXTRACTLABEL, destinationPath, IDS_FROMLABEL, cabPath);

    char savedDir[512];
    DWORD saved = GetCurrentDirectoryA(sizeof savedDir, savedDir);
    int started = StartTool(cabPath, destinationPath);

    LogTableMessage(started ? IDS_EXTRACTING : IDS_EXTRACTFAILED, destinationPath, cabPath);
    if (!started)
        InstallState.FilesNotInstalled++;

    if (saved > 0 && saved < sizeof savedDir)
        SetCurrentDirectoryA(savedDir);
    return started;
}
