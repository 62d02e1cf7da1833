/* The program the restore entry runs at the next start. Windows removes the
   entry before it runs it: without the program there, the old SourcePath is
   lost for good. */
#include "install.h"

#include "install_text.h"
#include "../app/app.h"
#include "../app/install_state.h"
#include "../registry/registry.h"

void RepointSourcePath(const char *newPath)
{
    char *restoreDir = InstallState.RestoreDir;
    if (SetRestoreEntry(InstallState.OldSourcePath, sizeof InstallState.OldSourcePath, newPath))
        lstrcpynA(restoreDir, newPath, sizeof InstallState.RestoreDir);
    else
        restoreDir[0] = '\0';   /* an earlier entry of this run was taken over and removed */
}

/* The package usually holds the program and the copy of the driver files
   already put it there; this covers the runs that copied nothing, copied
   from elsewhere, or run under another name. */
void PlaceRestoreProgram(void)
{
    char program[512];
    char destination[512];

    if (InstallState.RestoreDir[0] == '\0' ||
        !JoinPath(InstallState.RestoreDir, "Drivewright.exe", destination, sizeof destination) ||
        GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES)
        return;

    if (GetProgramFile(program, sizeof program))
        CopyOneFile(program, destination, NULL);
    else
        LogRefusedCopy(program, destination);
}
