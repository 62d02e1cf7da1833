/* Repointing SourcePath and leaving the RunOnce entry that points it back. */
#include "registry.h"

#include <string.h>

#include "restore_text.h"
#include "../log/log.h"
#include "../res/resource.h"

static int WriteText(HKEY key, const char *name, const char *text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text,
                          (DWORD)strlen(text) + 1) == ERROR_SUCCESS;
}

int SetRestoreEntry(char *oldSourcePath, size_t oldSourcePathSize, const char *newPath)
{
    /* One buffer serves in turn for the earlier entry, the messages and the command. */
    char work[RESTORE_COMMAND_SIZE];
    HKEY runOnce;
    HKEY setup;

    int runOnceOpen = OpenKey(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS, &runOnce);
    /* Read with the limit the entry is written with, so that no entry this
       program stored is taken for a missing one. */
    if (runOnceOpen && QueryTextValue(runOnce, "Quorvel", work, sizeof work)) {
        /* While an earlier run's entry waits for the restart, SourcePath holds
           that run's path: the entry keeps the one from before it. */
        TakeRestoredPath(work, oldSourcePath, oldSourcePathSize);
        RegDeleteValueA(runOnce, "Quorvel");
    }

    int updated = OpenKey(HKEY_LOCAL_MACHINE, SetupKey, KEY_ALL_ACCESS, &setup) &&
                  WriteText(setup, "SourcePath", newPath);
    LoadMessage(updated ? IDS_SPUPDATED : IDS_SPNOTUPDATED, work, sizeof work);
    LogMessage(work, newPath);
    CloseKey(setup);

    /* A command that does not fit is refused rather than stored cut short. */
    int stored = BuildRestoreCommand(newPath, oldSourcePath, work, sizeof work) &&
                 runOnceOpen && WriteText(runOnce, "Quorvel", work);
    if (!stored) {
        LoadMessage(IDS_NORESTORE, work, sizeof work);
        LogMessage(work, oldSourcePath);
    }
    CloseKey(runOnce);
    return stored;
}
