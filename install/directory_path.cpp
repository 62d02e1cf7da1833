/* Making a directory with every missing level of its path. */
#include "install.h"

#include <string.h>

/* Each level is made in turn from the top; a level that exists already, or
   a drive's root, simply fails to be made. What counts is the end. */
int MakeDirectoryPath(const char *path)
{
    char level[MAX_PATH];
    size_t length = strlen(path);
    if (length == 0 || length >= sizeof level)
        return 0;

    memcpy(level, path, length + 1);
    for (size_t i = 1; i < length; i++) {
        if (level[i] != '\\' && level[i] != '/')
            continue;
        level[i] = '\0';
        CreateDirectoryA(level, NULL);
        level[i] = path[i];
    }
    CreateDirectoryA(level, NULL);

    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
