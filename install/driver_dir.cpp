/* The fresh driver directory of a run whose SourcePath cannot be used. */
#include "install.h"

#include <stdio.h>
#include <string.h>

#include "../app/install_state.h"

/* A candidate is taken when it can be entered, so a C:\QUORVEL left by an
   earlier run is used again. */
static int TryCandidate(void)
{
    CreateDirectoryA(InstallState.DriverDir, NULL);
    return SetCurrentDirectoryA(InstallState.DriverDir) != 0;
}

/* When no candidate can be entered, DriverDir is C:\QUORVEL9\DRIVERS, which
   does not exist: the copies into it fail and are logged. The stage ends in
   the directory it began in, as the cabinet step does: ProgramDir's text may
   be relative, or name a directory that cannot be entered. */
void PrepareDriverDir(void)
{
    char *dir = InstallState.DriverDir;
    size_t size = sizeof InstallState.DriverDir;
    char packageDir[512];
    DWORD saved = GetCurrentDirectoryA(sizeof packageDir, packageDir);

    snprintf(dir, size, "%s", "C:\\QUORVEL");
    if (!TryCandidate()) {
        for (int n = 0; n <= 9; n++) {
            snprintf(dir, size, "C:\\QUORVEL%1d", n);
            if (TryCandidate())
                break;
        }
    }
    size_t length = strlen(dir);
    snprintf(dir + length, size - length, "%s", "\\DRIVERS");
    CreateDirectoryA(dir, NULL);
    if (saved > 0 && saved < sizeof packageDir)
        SetCurrentDirectoryA(packageDir);
}
