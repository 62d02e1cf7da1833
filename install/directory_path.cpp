/* Making a directory with every missing level of its path, and taking away
   again the levels that were made. */
#include "install.h"

#include <string.h>

#include "../app/lead_bytes.h"

/* Each level is made in turn from the top; a level that exists already, or
   a drive's root, simply fails to be made. What counts is the end. Where
   made is given, it records how long each level was that this call made. */
int MakeDirectoryPath(const char *path, MadeLevels *made)
{
    char level[MAX_PATH];
    size_t length = strlen(path);
    if (made != NULL)
        made->count = 0;
    if (length == 0 || length >= sizeof level)
        return 0;

    memcpy(level, path, length + 1);
    for (char *p = NextChar(level); ; p = NextChar(p)) {
        if (*p != '\0' && *p != '\\' && *p != '/')
            continue;
        char separator = *p;
        *p = '\0';
        if (CreateDirectoryA(level, NULL) && made != NULL && made->count < MADE_LEVELS_LIMIT)
            made->length[made->count++] = (size_t)(p - level);
        if (separator == '\0')
            break;
        *p = separator;
    }

    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The deepest level first: a directory goes only once it is empty. */
void RemoveMadeLevels(const char *path, const MadeLevels *made)
{
    char level[MAX_PATH];
    for (size_t i = made->count; i-- > 0;) {
        if (made->length[i] >= sizeof level)
            continue;
        memcpy(level, path, made->length[i]);
        level[made->length[i]] = '\0';
        RemoveDirectoryA(level);
    }
}
