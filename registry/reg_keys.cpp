/* The small registry operations shared by reading and repointing SourcePath. */
#include "registry.h"

const char SetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\setup";
const char RunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

int OpenKey(HKEY root, const char *subKey, REGSAM access, HKEY *key)
{
    *key = NULL;
    if (RegOpenKeyExA(root, subKey, 0, access, key) != ERROR_SUCCESS) {
        *key = NULL;
        return 0;
    }
    return 1;
}

/* buffer must hold limit bytes. The value's type is not examined; data that
   comes without a terminator gets one, if it still fits the limit. */
int QueryTextValue(HKEY key, const char *name, char *buffer, DWORD limit)
{
    DWORD size = limit;
    if (RegQueryValueExA(key, name, NULL, NULL, (BYTE *)buffer, &size) != ERROR_SUCCESS ||
        size > limit) {
        buffer[0] = '\0';
        return 0;
    }
    if (size == 0 || buffer[size - 1] != '\0') {
        if (size == limit) {
            buffer[0] = '\0';
            return 0;
        }
        buffer[size] = '\0';
    }
    return 1;
}

int QueryStringValue(HKEY key, const char *name, char *buffer)
{
    return QueryTextValue(key, name, buffer, REGISTRY_TEXT_LIMIT);
}

void CloseKey(HKEY key)
{
    if (key)
        RegCloseKey(key);
}
