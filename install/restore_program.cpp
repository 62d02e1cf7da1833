/* Repointing SourcePath so that the process may end at any moment: the next
   start of Windows then finds SourcePath as the user had it, or a restore
   entry whose program is in place to bring it back. Windows removes the
   entry before it runs it, so an entry without its program loses the old
   path for good. */
#include "install.h"

#include "install_text.h"
#include "../app/app.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../registry/registry.h"
#include "../res/resource.h"

/* The running program as newPath\Drivewright.exe, the name the entry runs;
   nothing to copy when it runs from there already. Like the repointing
   around it, it is logged but not shown on the progress lines. Windows 9x
   writes file data back lazily, in no order that follows the program's
   calls: the copy is on the disk before the entry that runs it is stored. */
static int PlaceRestoreProgram(const char *newPath)
{
    char program[512];
    char destination[512];

    if (!JoinPath(newPath, "Drivewright.exe", destination, sizeof destination))
        return 0;
    if (!GetProgramFile(program, sizeof program)) {
        LogCopyFailed(program, destination);
        return 0;
    }
    int placed = IsSameFile(program, destination) ||
                 (CopyOneFile(program, destination, NULL) && FlushToDisk(destination));
    EndCopies();
    if (placed)
        lstrcpynA(InstallState.RestoreProgramDir, newPath, sizeof InstallState.RestoreProgramDir);
    return placed;
}

/* Once the entry may run it, the program is never moved or written again in
   the run: the driver copy would put it aside in QVWORK for a moment, and
   leave in its place a copy not yet on the disk. It is the same program, so
   the copy has nothing to add. */
int IsRestoreProgram(const char *dir, const char *name)
{
    return InstallState.RestoreProgramDir[0] != '\0' &&
           lstrcmpiA(dir, InstallState.RestoreProgramDir) == 0 &&
           lstrcmpiA(name, "Drivewright.exe") == 0;
}

/* The old version's remover may erase the program that the old run put in
   its driver directory, which is now the one the entry runs: it is put back,
   as it was placed, before anything else. */
void KeepRestoreProgram(void)
{
    char destination[512];
    if (InstallState.RestoreProgramDir[0] == '\0' ||
        !JoinPath(InstallState.RestoreProgramDir, "Drivewright.exe", destination,
                  sizeof destination) ||
        GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES)
        return;
    PlaceRestoreProgram(InstallState.RestoreProgramDir);
}

void RepointSourcePath(const char *newPath)
{
    if (!MakeDirectoryPath(newPath, NULL) || !PlaceRestoreProgram(newPath)) {
        LogTableMessage(IDS_SPNOTUPDATED, newPath);
        return;
    }
    SetRestoreEntry(InstallState.OldSourcePath, sizeof InstallState.OldSourcePath, newPath);
}
