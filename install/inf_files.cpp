/* Installing the package's INF files as INF\OEM<n>.INF and under INF\OTHER. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* A number is taken when a file of that name exists, whether or not it can
   be read: an installed INF of another driver is never overwritten. */
static int OemNumberTaken(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

/* The OEM path of number n; 0 when it does not fit pathSize. */
static int FormOemPath(int n, char *path, size_t pathSize)
{
    char name[32];
    snprintf(name, sizeof name, "OEM%i.INF", n);
    return JoinPath(InstallState.InfDir, name, path, pathSize);
}

/* The first free number from n on, with its path in oemPath. */
static int FreeOemNumber(int n, char *oemPath)
{
    while (FormOemPath(n, oemPath, INSTALL_PATH_SIZE) && OemNumberTaken(oemPath))
        n++;
    return n;
}

/* The INF as OEM<n>.INF with the first free number from n on; returns the
   number it went to. The number is taken by the move that places the file,
   which fails where a file of that name stands: another run at the same
   time (a second double-click, a batch file installing two packages) may
   have placed its INF there since the look, and that one is never
   replaced. An OEM path that does not fit its buffer is not copied; it is
   logged as a failed copy. */
static int InstallOemCopy(const char *name, int n, HWND window)
{
    char oemPath[INSTALL_PATH_SIZE];

    for (;; n++) {
        n = FreeOemNumber(n, oemPath);
        if (oemPath[0] == '\0') {
            char wanted[INSTALL_PATH_SIZE + 32];
            FormOemPath(n, wanted, sizeof wanted);
            LogCopyFailed(name, wanted);
            return n;
        }
        if (CopyOneNewFile(name, oemPath, window) >= 0)
            return n;
    }
}

int InstallInfFiles(HWND window)
{
    WIN32_FIND_DATAA entry;

    /* A Windows directory that does not fit leaves nowhere to install to. */
    UINT length = GetWindowsDirectoryA(InstallState.WindowsDir, sizeof InstallState.WindowsDir);
    if (length == 0 || length >= sizeof InstallState.WindowsDir ||
        !JoinPath(InstallState.WindowsDir, "INF", InstallState.InfDir,
                  sizeof InstallState.InfDir) ||
        !JoinPath(InstallState.InfDir, "OTHER", InstallState.InfOtherDir,
                  sizeof InstallState.InfOtherDir))
        return 1;

    HANDLE search = FindFirstMatch("*.INF", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        LogTableMessage(IDS_NOINF);
        return 1;
    }

    int n = 0;
    do {
        n = InstallOemCopy(entry.cFileName, n, window) + 1;
        CopyInfToOther(entry.cFileName, InstallState.InfOtherDir, InstallState.OtherInfPath,
                       window);
    } while (FindNextMatch(search, "*.INF", &entry));
    FindClose(search);
    EndCopies();
    return 1;
}
