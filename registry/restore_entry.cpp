/* Leaving the RunOnce entry that points SourcePath back, then repointing it. */
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

/* The entry is stored before SourcePath changes, so that no moment leaves
   SourcePath repointed without a way back. An earlier entry is overwritten
   in place, never deleted first: until this run's entry stands, it still
   brings back the path from before the first run.
   Windows removes the RunOnce entry before it runs it, so a restore ended
   at the start of Windows (a reset, a power cut) would leave nothing to
   bring the old path back. The same command therefore also stands under
   Run, which Windows leaves in place, until a restore has written the old
   path back (restore_mode.cpp). */
static int StoreRestoreEntry(char *oldSourcePath, size_t oldSourcePathSize, const char *newPath)
{
    char work[RESTORE_COMMAND_SIZE];
    HKEY runOnce, run;

    if (!OpenKey(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS, &runOnce))
        return 0;
    if (!OpenKey(HKEY_LOCAL_MACHINE, RunKey, KEY_ALL_ACCESS, &run)) {
        CloseKey(runOnce);
        return 0;
    }
    /* Read with the limit the entry is written with, so that no entry this
       program stored is taken for a missing one. While an earlier run's
       entry waits for the restart, SourcePath holds that run's path: the
       entry keeps the one from before it. Where the RunOnce entry is gone,
       its restore was ended before it wrote the path back: the Run entry
       still holds that path. */
    if (!(QueryTextValue(runOnce, "Quorvel", work, sizeof work) &&
          TakeRestoredPath(work, oldSourcePath, oldSourcePathSize)) &&
        QueryTextValue(run, "Quorvel", work, sizeof work))
        TakeRestoredPath(work, oldSourcePath, oldSourcePathSize);

    /* A command that does not fit is refused rather than stored cut short.
       Windows 9x writes the registry back to the disk lazily, and may write
       SourcePath before the entry: the entry is on the disk first. */
    int stored = BuildRestoreCommand(newPath, oldSourcePath, work, sizeof work) &&
                 WriteText(runOnce, "Quorvel", work) && RegFlushKey(runOnce) == ERROR_SUCCESS &&
                 WriteText(run, "Quorvel", work) && RegFlushKey(run) == ERROR_SUCCESS;
    CloseKey(run);
    CloseKey(runOnce);
    return stored;
}

int SetRestoreEntry(char *oldSourcePath, size_t oldSourcePathSize, const char *newPath)
{
    HKEY setup;

    if (!StoreRestoreEntry(oldSourcePath, oldSourcePathSize, newPath)) {
        LogTableMessage(IDS_NORESTORE, oldSourcePath);
        LogTableMessage(IDS_SPNOTUPDATED, newPath);
        return 0;
    }

    /* A failed write leaves the entry: at the next start it writes back the
       old path, which is the path the user had. */
    int updated = OpenKey(HKEY_LOCAL_MACHINE, SetupKey, KEY_ALL_ACCESS, &setup) &&
                  WriteText(setup, "SourcePath", newPath);
    LogTableMessage(updated ? IDS_SPUPDATED : IDS_SPNOTUPDATED, newPath);
    CloseKey(setup);
    return updated;
}
