/* Copying the package directory into the driver directory. */
#include "install.h"

#include "install_text.h"
#include "../log/log.h"
#include "../res/resource.h"

/* A destination that does not fit its buffer is not copied: it counts as a
   failed copy and is logged as one, with the whole path. */
static int RefuseCopy(const char *dir, const char *name)
{
    char wanted[INSTALL_PATH_SIZE + MAX_PATH + 2];
    JoinPath(dir, name, wanted, sizeof wanted);
    LogCopyFailed(name, wanted);
    return 0;
}

int CopyDriverFiles(const char *driverDir, HWND window)
{
    WIN32_FIND_DATAA entry;
    char destination[INSTALL_PATH_SIZE];
    int result = 1;

    /* Every entry but the copies' own working directory and the restore
       program placed in driverDir, which were logged when they were made:
       files of any attribute, subdirectories, "." and "..". A directory
       cannot be copied, so each one gives a failure line. A driver directory
       that the check before the changes found missing, but possible to
       make, is made now. */
    MakeDirectoryPath(driverDir, NULL);
    HANDLE search = FindFirstFileA("*.*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    do {
        if (IsWorkDirEntry(&entry) || IsRestoreProgram(driverDir, entry.cFileName))
            continue;
        int copied = JoinPath(driverDir, entry.cFileName, destination, sizeof destination)
                         ? CopyOneFile(entry.cFileName, destination, window)
                         : RefuseCopy(driverDir, entry.cFileName);
        if (!copied)
            result = 0;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    EndCopies();
    return result;
}
