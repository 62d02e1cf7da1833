/* The working directory of the copies, QVWORK beside their destinations: a
   copy is made there and the file it replaces is put aside there, so that
   only the move into place looks into the destination's directory. That
   one may hold hundreds of files (the Windows CD's cabinets, the INF
   files), and a name it does not hold costs a read of all of it, on a FAT
   disk as under Wine. One installation runs at a time, so the directory is
   the run's own: one that a run cut short left behind is emptied, and
   nothing in it is ever taken. */
#include "install.h"

#include "install_text.h"

#define WORK_DIR_NAME "QVWORK"

static char WorkDir[MAX_PATH];
static char WorkFiles[2][MAX_PATH];

/* Nothing but the copies ever stands in it, under its two names, and
   nothing read-only: a replaced file loses that attribute before it steps
   aside. */
static void EmptyWorkDir(void)
{
    DeleteFileA(WorkFiles[0]);
    DeleteFileA(WorkFiles[1]);
}

int EnterWorkDir(const char *destination)
{
    if (WorkDir[0] == '\0' &&
        PathBeside(destination, WORK_DIR_NAME "\\QV0.TMP", WorkFiles[0], MAX_PATH) &&
        PathBeside(destination, WORK_DIR_NAME "\\QV1.TMP", WorkFiles[1], MAX_PATH) &&
        PathBeside(destination, WORK_DIR_NAME, WorkDir, sizeof WorkDir) &&
        !CreateDirectoryA(WorkDir, NULL)) {
        EmptyWorkDir();
        DWORD attributes = GetFileAttributesA(WorkDir);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            WorkDir[0] = '\0';
    }
    return WorkDir[0] != '\0';
}

/* Where a package runs from the driver directory, the working directory
   stands among its files: one left by a run cut short, or the one the first
   copy made, which a FAT directory read meanwhile may list. */
int IsWorkDirEntry(const WIN32_FIND_DATAA *entry)
{
    return (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           lstrcmpiA(entry->cFileName, WORK_DIR_NAME) == 0;
}

const char *WorkFile(int n)
{
    return WorkFiles[n];
}

void EndCopies(void)
{
    if (WorkDir[0] == '\0')
        return;
    EmptyWorkDir();
    RemoveDirectoryA(WorkDir);
    WorkDir[0] = '\0';
}
