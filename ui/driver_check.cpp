/* The check for driver files that decides whether the driver path is asked for. */
#include "ui.h"

#include "../app/install_state.h"

static int MatchExists(const char *pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}

/* Both searches always run. */
int HasDriverFiles(void)
{
    int drivers = MatchExists("QV*.DRV");
    int virtualDrivers = MatchExists("QV*.VXD");
    return drivers || virtualDrivers;
}
