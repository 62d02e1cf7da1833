/* Restore mode: the run that the RunOnce entry starts with -X=<old path>. */
#include "registry.h"

#include <string.h>

#include "restore_text.h"
#include "../log/log.h"
#include "../res/resource.h"

/* The Run entry that repointing left beside the RunOnce one goes once the
   old path is written and on the disk: a restore ended before then runs
   again from it at the next start, and one that runs twice (from both
   entries, or after being ended past its write) writes the same path again.
   An entry that restores another path, stored by a later repointing, is
   left alone. */
static void TakeAwayStandingEntry(const char *path)
{
    char entry[RESTORE_COMMAND_SIZE];
    char restored[REGISTRY_TEXT_LIMIT];
    HKEY run;

    if (!OpenKey(HKEY_LOCAL_MACHINE, RunKey, KEY_ALL_ACCESS, &run))
        return;
    if (QueryTextValue(run, "Quorvel", entry, sizeof entry) &&
        TakeRestoredPath(entry, restored, sizeof restored) && strcmp(restored, path) == 0)
        RegDeleteValueA(run, "Quorvel");
    CloseKey(run);
}

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
    if (result == ERROR_SUCCESS && RegFlushKey(setup) == ERROR_SUCCESS)
        TakeAwayStandingEntry(path);
    CloseKey(setup);
    return (int)result;
}
