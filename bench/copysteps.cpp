// What each step of the installer's copy costs: run inside the prefix on a
// directory of files, it times every step on its own over all of them and
// prints microseconds a file. Not a test: it asserts nothing.
//
//   copysteps SOURCE-DIR WORK-DIR     (WORK-DIR empty; it is filled)
#include <windows.h>
#include <stdio.h>

#include <initializer_list>

#include "install/install.h"

namespace {

const int MaxFiles = 4096;
char Names[MaxFiles][MAX_PATH];
int Count;

double Microseconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart * 1e6 / (double)frequency.QuadPart;
}

void Path(char *out, const char *dir, const char *sub, const char *name)
{
    snprintf(out, MAX_PATH, "%s%s%s\\%s", dir, sub[0] ? "\\" : "", sub, name);
}

void ListFiles(const char *dir)
{
    char pattern[MAX_PATH];
    WIN32_FIND_DATAA entry;
    snprintf(pattern, sizeof pattern, "%s\\*.DRV", dir);
    HANDLE search = FindFirstFileA(pattern, &entry);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more && Count < MaxFiles;
         more = FindNextFileA(search, &entry))
        snprintf(Names[Count++], MAX_PATH, "%s", entry.cFileName);
    FindClose(search);
}

// One step over every file; step gets the file's index.
template <typename Step> void Time(const char *what, Step step)
{
    double start = Microseconds();
    for (int i = 0; i < Count; i++)
        step(i);
    printf("%-44s %8.1f\n", what, (Microseconds() - start) / Count);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const char *source = argv[1], *work = argv[2];
    static char temp[MaxFiles][MAX_PATH], aside[MaxFiles][MAX_PATH];
    char dir[MAX_PATH];
    ListFiles(source);
    for (const char *sub : {"plain", "steps", "whole"}) {
        snprintf(dir, sizeof dir, "%s\\%s", work, sub);
        CreateDirectoryA(dir, NULL);
    }
    printf("%d files; microseconds a file\n", Count);

    char from[MAX_PATH], to[MAX_PATH], steps[MAX_PATH];
    snprintf(steps, sizeof steps, "%s\\steps", work);
    Time("CopyFileA to a new file (the copy before)", [&](int i) {
        Path(from, source, "", Names[i]);
        Path(to, work, "plain", Names[i]);
        CopyFileA(from, to, FALSE);
    });
    Time("one file under two names? (none there yet)", [&](int i) {
        Path(from, source, "", Names[i]);
        Path(to, work, "steps", Names[i]);
        IsSameFile(from, to);
    });
    Time("one file under two names? (two opens)", [&](int i) {
        Path(from, source, "", Names[i]);
        Path(to, work, "plain", Names[i]);
        IsSameFile(from, to);
    });
    Time("a look for a free temporary name", [&](int i) {
        snprintf(temp[i], MAX_PATH, "%s\\QV%04d.TMP", steps, i);
        GetFileAttributesA(temp[i]);
    });
    Time("CopyFileA to the temporary name", [&](int i) {
        Path(from, source, "", Names[i]);
        CopyFileA(from, temp[i], TRUE);
    });
    Time("read-only attribute cleared", [&](int i) { MakeWritable(temp[i]); });
    Time("moved into place (MoveFileA)", [&](int i) {
        Path(to, work, "steps", Names[i]);
        MoveFileA(temp[i], to);
    });
    Time("over a file: old one aside, new one in place", [&](int i) {
        snprintf(aside[i], MAX_PATH, "%s\\QV%04d.TMP", steps, i);
        Path(to, work, "steps", Names[i]);
        Path(from, work, "plain", Names[i]);
        MoveFileA(to, aside[i]);
        MoveFileA(from, to);
    });
    Time("over a file: old one removed", [&](int i) { DeleteFileA(aside[i]); });
    // The same copies twice: first to new files, then over them.
    for (const char *what : {"the installer's copy, to a new file",
                             "the installer's copy, over a file"})
        Time(what, [&](int i) {
            Path(from, source, "", Names[i]);
            Path(to, work, "whole", Names[i]);
            CopyIntoPlace(from, to);
        });
    return 0;
}
