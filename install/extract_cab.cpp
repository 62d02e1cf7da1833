/* Unpacking one file from a cabinet of the Windows CD with Windows' own
   cabinet tool, which lies beside the cabinet. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../app/app.h"
#include "../res/resource.h"

/* Unpacking one file from a CD takes seconds, or as long as a slow drive
   takes to spin up: a tool that has not ended by then is left to itself,
   and its file is looked for all the same. */
enum { TOOL_WAIT_MS = 300000 };

/* The tool is started from the cabinet's directory only, detached and
   without the installer's streams; returns its process, or NULL when it
   could not be started. */
static HANDLE StartTool(const char *cabPath, const char *destinationPath)
{
    char destinationDir[256], destinationName[256], cabinetDir[512];
    char program[sizeof cabinetDir + sizeof "\\extract.exe"];
    char commandLine[3 * 512 + 32];

    /* Parts that do not fit their buffers: the tool is not started. */
    if (!SplitAtLastBackslash(destinationPath, destinationDir, sizeof destinationDir,
                              destinationName, sizeof destinationName))
        return NULL;
    if (!SplitAtLastBackslash(cabPath, cabinetDir, sizeof cabinetDir, NULL, 0))
        return NULL;
    int length = snprintf(commandLine, sizeof commandLine, "extract.exe /y /l %s %s %s",
                          destinationDir, cabPath, destinationName);
    if (length < 0 || (size_t)length >= sizeof commandLine)
        return NULL;

    /* Only the file that the tool writes tells whether it could: one that an
       earlier run left would pass for it. Windows refuses to delete a
       read-only file. */
    MakeWritable(destinationPath);
    DeleteFileA(destinationPath);
    /* Named by its full path, the tool is the one beside the cabinet also
       where the platform refuses that directory as the working directory, as
       Windows 9x may for a share. */
    AppendPath(cabinetDir, "extract.exe", program, sizeof program);
    SetCurrentDirectoryA(cabinetDir);

    DWORD toolId;
    return StartProgram(program, commandLine, DETACHED_PROCESS, &toolId);
}

int ExtractFromCab(const char *cabPath, const char *destinationPath, HWND window)
{
    if (!InstallState.QuietMode)
        ShowProgressLines(window, IDS_EXTRACTLABEL, destinationPath, IDS_FROMLABEL, cabPath);

    char savedDir[512];
    DWORD saved = GetCurrentDirectoryA(sizeof savedDir, savedDir);
    HANDLE tool = StartTool(cabPath, destinationPath);

    /* The tool's exit code says nothing (some versions give 0 for a damaged
       cabinet): the file it was to write tells. */
    int extracted = 0;
    if (tool != NULL) {
        LogTableMessage(IDS_EXTRACTING, destinationPath, cabPath);
        WaitAnswering(tool, TOOL_WAIT_MS);
        CloseHandle(tool);
        extracted = GetFileAttributesA(destinationPath) != INVALID_FILE_ATTRIBUTES;
    }
    if (!extracted) {
        LogTableMessage(IDS_EXTRACTFAILED, destinationPath, cabPath);
        InstallState.FilesNotInstalled++;
    }

    if (saved > 0 && saved < sizeof savedDir)
        SetCurrentDirectoryA(savedDir);
    return extracted;
}
