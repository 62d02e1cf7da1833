/* Restore mode: the run that the RunOnce entry starts with -X=<old path>. */
#include "registry.h"

#include <string.h>

#include "../log/log.h"
#include "../res/resource.h"

int RestoreSourcePath(const char *path)
{
    char message[1024];   /* the restore-mode messages are loaded into 1024 bytes */
    HKEY setup;

    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_ALL_ACCESS, &setup);
    if (result != ERROR_SUCCESS)
        return (int)result;

    result = RegSetValueExA(setup, "sourcepath", 0, REG_SZ, (const BYTE *)path,
                            (DWORD)strlen(path) + 1);
    LoadMessage(result == ERROR_SUCCESS ? IDS_SPUPDATED : IDS_SPNOTUPDATED,
                message, sizeof message);
    LogMessage(message, path);
    CloseKey(setup);
    return (int)result;
}
