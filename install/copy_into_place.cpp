/* Putting a copy in a file's place so that a copy cut short (a full disk, a
   power cut) never costs the file that stood there. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"

/* Windows 95 has no file identity to compare, and one file has many names
   (long and short, full and relative). A file held open for reading cannot
   be opened again without sharing, which is how Windows' own copy refuses a
   file onto itself. second must name an existing file. */
static int SharesOneFile(const char *first, const char *second)
{
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

int IsSameFile(const char *first, const char *second)
{
    return GetFileAttributesA(second) != INVALID_FILE_ATTRIBUTES && SharesOneFile(first, second);
}

/* Names beside the destination: QV0000.TMP, QV0001.TMP, ... A file left
   there by a run cut short may hold an old driver file: it is passed over,
   never taken. */
static int TempName(const char *destination, int n, char *name, size_t nameSize)
{
    char file[16];
    snprintf(file, sizeof file, "QV%04d.TMP", n);
    return PathBeside(destination, file, name, nameSize);
}

/* A name that nothing holds, for a file to be moved to: 1, or 0 to look on. */
static int IsFree(const char *name)
{
    return GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES;
}

/* The name made into a new empty file of this run's own, which the copy may
   then overwrite and a failure may delete: 1; 0 to look on; -1 to give up.
   A name that is not there costs a read of the whole directory (FAT and
   Wine alike): making the file looks once, where a look and then a copy to
   the new name would look twice. A name that another run at the same time
   holds may be gone again by the time it is looked at: the refusal itself
   tells that it was taken. */
static int MakeNew(const char *name)
{
    HANDLE made = CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (made != INVALID_HANDLE_VALUE) {
        CloseHandle(made);
        return 1;
    }
    return GetLastError() == ERROR_FILE_EXISTS || !IsFree(name) ? 0 : -1;
}

/* The first of those names that take accepts. */
static int FirstFreeName(const char *destination, char *name, size_t nameSize,
                         int (*take)(const char *name))
{
    for (int n = 0; n < 1000; n++) {
        if (!TempName(destination, n, name, nameSize))
            return 0;
        int taken = take(name);
        if (taken != 0)
            return taken > 0;
    }
    return 0;
}

int FlushToDisk(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

/* Windows 95 has no call that replaces a file in one step: the old file
   steps aside under a free name until the new one stands in its place, and
   comes back, with its attributes, when it cannot. MS-DOS's rename is not
   documented to move a read-only file on every version, so the old file
   loses that attribute first; it is deleted afterwards anyway. A file is
   never copied onto itself, as Windows' own copy refuses, nor over a
   directory. */
static int ReplaceWith(const char *fresh, const char *source, const char *destination)
{
    char aside[MAX_PATH];

    DWORD old = GetFileAttributesA(destination);
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY) ||
        SharesOneFile(source, destination))
        return 0;
    MakeWritable(destination);
    int moved = FirstFreeName(destination, aside, sizeof aside, IsFree) &&
                MoveFileA(destination, aside);
    if (moved && !MoveFileA(fresh, destination)) {
        MoveFileA(aside, destination);
        moved = 0;
    }
    if (!moved) {
        SetFileAttributesA(destination, old);
        return 0;
    }
    DeleteFileA(aside);
    return 1;
}

/* The copy goes to a name of its own beside the destination and takes the
   destination's place only once it is whole. Either the new file stands
   there, writable, or the destination is as it was and no temporary file is
   left. The move fails where something stands in the destination's place:
   only then is that looked at, since a look for a name that is not there
   costs as much as the move. That refusal is also what lets two runs at
   once each take a name of their own. */
int CopyIntoPlace(const char *source, const char *destination, int replace)
{
    char fresh[MAX_PATH];

    if (!FirstFreeName(destination, fresh, sizeof fresh, MakeNew))
        return 0;
    /* The copy takes its source's attributes: one from a CD would stay
       read-only and block the next update. */
    int copied = CopyFileA(source, fresh, FALSE);
    MakeWritable(fresh);
    if (copied && (MoveFileA(fresh, destination) ||
                   (replace && ReplaceWith(fresh, source, destination))))
        return 1;
    DeleteFileA(fresh);
    /* Without replace, a refused move where a file now stands is a name that
       another run took meanwhile. */
    return copied && !replace && GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES
               ? -1 : 0;
}
