/* Forming the root whose drive type judges a source path. */
#include "drive_root.h"

#include <string.h>

#include "../app/lead_bytes.h"

int BuildDriveRoot(const char *path, char *out, size_t outSize)
{
    const char *colon = FindFirstOf(path, ":");
    /* Up to the first colon, then a backslash; or the first character, then a colon. */
    size_t length = (size_t)((colon ? colon + 1 : NextChar(path)) - path);
    char suffix = colon ? '\\' : ':';

    out[0] = '\0';
    if (length == 0 || length + 2 > outSize)
        return 0;
    memcpy(out, path, length);
    out[length] = suffix;
    out[length + 1] = '\0';
    return 1;
}
