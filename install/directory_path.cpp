/* Making a directory with every missing level of its path. */
#include "install.h"

#include <string.h>

#include "../app/lead_bytes.h"

/* Each level is made in turn from the top; a level that exists already, or
   a drive's root, simply fails to be made. What counts is the end. */
int MakeDirectoryPath(const char *path)
{
    char level[MAX_PATH];
    size_t length = strlen(path);
    if (length == 0 || length >= sizeof level)
        return 0;

    memcpy(level, path, length + 1);
    for (char *p = NextChar(level); *p; p = NextChar(p)) {
        if (*p != '\\' && *p != '/')
            continue;
        *p = '\0';
        CreateDirectoryA(level, NULL);
        *p = path[p - level];
    }
    CreateDirectoryA(level, NULL);

    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
