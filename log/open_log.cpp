/* Opening %WINDIR%\Quorvel.log: appended to when present, created when not. */
#include "log.h"

#include <stdio.h>

#include "../app/install_state.h"

int OpenLog(void)
{
    UINT length = GetWindowsDirectoryA(InstallState.LogWindowsDir,
                                       sizeof InstallState.LogWindowsDir);
    /* A Windows directory that does not fit leaves no trustworthy log path:
       the run cannot log, so it cannot run. */
    if (length == 0 || length >= sizeof InstallState.LogWindowsDir)
        return 0;

    snprintf(InstallState.LogPath, sizeof InstallState.LogPath, "%s\\Quorvel.log",
             InstallState.LogWindowsDir);

    FILE *probe = fopen(InstallState.LogPath, "r");
    if (probe) {
        fclose(probe);
        InstallState.LogFile = fopen(InstallState.LogPath, "a");
    } else {
        InstallState.LogFile = fopen(InstallState.LogPath, "w");
    }
    return InstallState.LogFile != NULL;
}
