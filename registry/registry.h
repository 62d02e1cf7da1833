/* Source-path registry: reading, judging, repointing and restoring SourcePath. */
#ifndef DRIVEWRIGHT_REGISTRY_H
#define DRIVEWRIGHT_REGISTRY_H

#include <windows.h>

/* reg_keys.cpp: the keys under HKEY_LOCAL_MACHINE. */
extern const char SetupKey[];
extern const char RunOnceKey[];
extern const char RunKey[];

/* Registry text values are read with this limit, terminator included. */
enum { REGISTRY_TEXT_LIMIT = 128 };

/* reg_keys.cpp */
int OpenKey(HKEY root, const char *subKey, REGSAM access, HKEY *key);
int QueryTextValue(HKEY key, const char *name, char *buffer, DWORD limit);
int QueryStringValue(HKEY key, const char *name, char *buffer);
void CloseKey(HKEY key);

/* source_path.cpp */
int ReadSourcePath(char *path, int *usable);
int IsUsableSourcePath(const char *path);

/* restore_entry.cpp: leaves the entry that restores oldSourcePath (replaced
   by an earlier entry's path) at the next start, under RunOnce and under
   Run, then points SourcePath at newPath; an entry that cannot be stored
   leaves SourcePath as it is. Returns 1 when SourcePath was repointed. */
int SetRestoreEntry(char *oldSourcePath, size_t oldSourcePathSize, const char *newPath);

/* restore_mode.cpp: writes path back as SourcePath, then takes away the
   Run entry that restores it; returns the exit code of the run. */
int RestoreSourcePath(const char *path);

#endif
