/* Putting a copy in a file's place so that a copy cut short (a full disk, a
   power cut) never costs the file that stood there. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"

/* Windows 95 has no file identity to compare, and one file has many names
   (long and short, full and relative). A file held open for reading cannot
   be opened again without sharing, which is how Windows' own copy refuses a
   file onto itself. A second name that names nothing is no first file. */
int IsSameFile(const char *first, const char *second)
{
    if (GetFileAttributesA(second) == INVALID_FILE_ATTRIBUTES)
        return 0;
    HANDLE held = CreateFileA(first, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (held == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE again = CreateFileA(second, GENERIC_READ, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    int same = again == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    if (again != INVALID_HANDLE_VALUE)
        CloseHandle(again);
    CloseHandle(held);
    return same;
}

/* The first of QV0000.TMP, QV0001.TMP, ... that nothing in dir holds: a
   file left by a run cut short is passed over, never taken. */
static int FreeName(const char *dir, char *name)
{
    for (int n = 0; n < 1000; n++) {
        char file[16];
        sprintf(file, "QV%04d.TMP", n);
        if (!JoinPath(dir, file, name, MAX_PATH))
            return 0;
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES)
            return 1;
    }
    return 0;
}

/* Windows 95 has no call that replaces a file in one step: the old file
   steps aside under a free name until the new one stands in its place, and
   comes back when it cannot. */
static int TakePlace(const char *fresh, const char *destination, const char *dir)
{
    char aside[MAX_PATH];

    DWORD old = GetFileAttributesA(destination);
    if (old == INVALID_FILE_ATTRIBUTES)
        return MoveFileA(fresh, destination);
    if (old & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    if (!FreeName(dir, aside) || !MoveFileA(destination, aside))
        return 0;
    if (!MoveFileA(fresh, destination)) {
        MoveFileA(aside, destination);
        return 0;
    }
    MakeWritable(aside);
    DeleteFileA(aside);
    return 1;
}

/* The copy goes to a free name beside the destination and takes the
   destination's place only once it is whole. Either the new file stands
   there, writable, or the destination is as it was and no temporary file is
   left. */
int CopyIntoPlace(const char *source, const char *destination)
{
    char dir[MAX_PATH];
    char fresh[MAX_PATH];

    if (!TakeDirectory(destination, dir, sizeof dir) || !FreeName(dir, fresh))
        return 0;
    /* The copy takes its source's attributes: one from a CD would stay
       read-only and block the next update. It never overwrites: the name was
       free a moment ago, so what stands there after a failure is its own. */
    int copied = CopyFileA(source, fresh, TRUE);
    MakeWritable(fresh);
    if (copied && TakePlace(fresh, destination, dir))
        return 1;
    DeleteFileA(fresh);
    return 0;
}
