/* Putting a copy in a file's place so that a copy cut short (a full disk, a
   power cut, the run ended) never costs the file that stood there. */
#include "install.h"

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

/* The copy is made under the working directory's spare name, and a file
   that a copy replaces steps aside under the other, which is always free.
   What stands under the spare name (a replaced file, a copy that failed) is
   written over by the next copy, which saves deleting it. */
static int Spare;

static char Buffer[0x10000];

int PassBytes(HANDLE in, DWORD size, HANDLE out)
{
    int whole = 1;
    for (DWORD got, put; whole && size > 0; size -= got) {
        DWORD wanted = size < sizeof Buffer ? size : sizeof Buffer;
        whole = ReadFile(in, Buffer, wanted, &got, NULL) && got > 0 &&
                (out == NULL || (WriteFile(out, Buffer, got, &put, NULL) && put == got));
    }
    return whole;
}

/* source whole in fresh, a writable file with the source's date. A read that
   fails (a scratched CD) or ends early (a source cut short while it is
   read) fails the copy, as a full disk does: Windows' own copy may take a
   failed read for the end of the file. The source stays open in *held,
   shared for reading only, so that it cannot be moved until the copy is in
   place. Its size and date come from two calls: the one call that gives
   both, GetFileInformationByHandle, also asks for the volume's serial
   number, which under Wine costs as much as the whole copy. */
static int CopyWhole(const char *source, const char *fresh, HANDLE *held)
{
    FILETIME written;

    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    *held = in;
    DWORD left = GetFileSize(in, NULL);
    if (left == INVALID_FILE_SIZE || !GetFileTime(in, NULL, NULL, &written))
        return 0;
    /* Written over rather than cut to nothing first: a replaced file of the
       same size keeps its clusters, and no new ones are sought. The end is
       set at the copy's length whatever CreateFileA's error code says of a
       file standing there: a longer one's old bytes never end a copy. */
    HANDLE out = CreateFileA(fresh, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             NULL);
    if (out == INVALID_HANDLE_VALUE)
        return 0;
    int whole = PassBytes(in, left, out) && SetEndOfFile(out) &&
                SetFileTime(out, NULL, NULL, &written);
    return CloseHandle(out) && whole;
}

/* Windows 95 has no call that replaces a file in one step: the old file
   steps aside until the new one stands in its place, and comes back, with
   its attributes, when it cannot. Aside, it becomes the spare. MS-DOS's
   rename is not documented to move a read-only file on every version, and
   the next copy must write over it: it loses its read-only, hidden and
   system attributes first. No rename gets past the source held open, so a
   file copied onto itself cannot step aside, and that copy fails, as
   Windows' own copy refuses; nor does a directory step aside. */
static int ReplaceWith(const char *fresh, const char *destination, const char *aside)
{
    const DWORD blocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                           FILE_ATTRIBUTE_SYSTEM;

    DWORD old = GetFileAttributesA(destination);
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    if ((old & blocking) && !SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL))
        return 0;
    if (MoveFileA(destination, aside)) {
        if (MoveFileA(fresh, destination)) {
            Spare = !Spare;
            return 1;
        }
        MoveFileA(aside, destination);
    }
    if (old & blocking)
        SetFileAttributesA(destination, old);
    return 0;
}

/* The copy is made in the working directory and takes the destination's
   place only once it is whole. The move into place fails where something
   stands in the destination's place: only then is that looked at, since a
   look for a name that is not there costs as much as the move. That
   refusal is also what keeps a name that another installer took. */
int CopyIntoPlace(const char *source, const char *destination, int replace)
{
    HANDLE held;

    if (!EnterWorkDir(destination))
        return 0;
    const char *fresh = WorkFile(Spare);
    int copied = CopyWhole(source, fresh, &held);
    int placed = copied && (MoveFileA(fresh, destination) ||
                            (replace && ReplaceWith(fresh, destination, WorkFile(!Spare))));
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    /* Without replace, a refused move where a file now stands is a name that
       another installer took meanwhile. */
    return !placed && copied && !replace &&
                   GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES
               ? -1 : placed;
}
