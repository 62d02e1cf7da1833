/* Reading SourcePath at start-up and judging whether it can take the driver files. */
#include "registry.h"

#include "drive_root.h"
#include "../log/log.h"
#include "../res/resource.h"

int IsUsableSourcePath(const char *path)
{
    char buffer[512];

    /* The test changes the current directory: without a way back it is not made. */
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return 0;

    if (!SetCurrentDirectoryA(path))
        return 0;
    SetCurrentDirectoryA(buffer);

    if (!BuildDriveRoot(path, buffer, sizeof buffer))
        return 0;
    return GetDriveTypeA(buffer) == DRIVE_FIXED;
}

int ReadSourcePath(char *path, int *usable)
{
    HKEY key;

    if (!OpenKey(HKEY_LOCAL_MACHINE, SetupKey, KEY_ALL_ACCESS, &key) ||
        !QueryStringValue(key, "SourcePath", path)) {
        LogTableMessage(IDS_NOSOURCEPATH);
        CloseKey(key);
        return 0;
    }

    *usable = IsUsableSourcePath(path);
    LogTableMessage(IDS_SOURCEPATH, path, *usable ? "useable" : "not useable");
    CloseKey(key);
    return 1;
}
