/* Restore mode: the run that the RunOnce entry starts with -X=<old path>. */
#include "registry.h"

#include <string.h>

#include "restore_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

int RestoreSourcePath(const char *optionText)
{
    char message[1024];
    HKEY setup;

    /* Without "=" the option names no path: nothing is written. */
    if (TakeValue(optionText, InstallState.OldSourcePath,
                  sizeof InstallState.OldSourcePath) == NoValue)
        return ERROR_INVALID_PARAMETER;

    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_ALL_ACCESS, &setup);
    if (result != ERROR_SUCCESS)
        return (int)result;

    result = RegSetValueExA(setup, "sourcepath", 0, REG_SZ,
                            (const BYTE *)InstallState.OldSourcePath,
                            (DWORD)strlen(InstallState.OldSourcePath) + 1);
    LoadMessage(result == ERROR_SUCCESS ? IDS_SPUPDATED : IDS_SPNOTUPDATED,
                message, sizeof message);
    LogMessage(message, InstallState.OldSourcePath);
    CloseKey(setup);
    return (int)result;
}
