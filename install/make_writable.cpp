/* Clearing the read-only attribute that every file on a CD carries, and
   that Windows' copy passes on: such a file blocks the next update. */
#include "install.h"

static int IsReadOnlyFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD MakeWritable(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (IsReadOnlyFile(attributes)) {
        DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
        SetFileAttributesA(path, writable ? writable : FILE_ATTRIBUTE_NORMAL);
    }
    return attributes;
}
