// What each step of the installer's copy costs: run inside the prefix on a
// directory of files, it copies them one by one as the installer does, times
// every step of each copy on its own, and prints microseconds a file. The
// steps run file after file, as in a real run, so a look for a name that is
// not there reads a directory as full as it would be then. Not a test: it
// asserts nothing.
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

// The steps of one pass, each summed over the files.
struct Steps {
    const char *what[12];
    double total[12];
    int count;
    double last;

    void Begin() { count = 0, last = Microseconds(); }
    void Step(const char *name)
    {
        double now = Microseconds();
        what[count] = name;
        total[count++] += now - last;
        last = now;
    }
    void Print(const char *title)
    {
        double sum = 0;
        printf("%s\n", title);
        for (int i = 0; i < count; i++) {
            printf("  %-46s %8.1f\n", what[i], total[i] / Count);
            sum += total[i];
        }
        printf("  %-46s %8.1f\n", "all", sum / Count);
    }
};

// The installer's copy, step by step, of every file into dir.
void CopyInSteps(const char *source, const char *dir, const char *title)
{
    char from[MAX_PATH], to[MAX_PATH], fresh[MAX_PATH], aside[MAX_PATH];
    Steps steps = {};
    Path(fresh, dir, "", "QV0000.TMP");
    Path(aside, dir, "", "QV0001.TMP");
    for (int i = 0; i < Count; i++) {
        Path(from, source, "", Names[i]);
        Path(to, dir, "", Names[i]);
        steps.Begin();
        CloseHandle(CreateFileA(fresh, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, NULL));
        steps.Step("temporary name made (CreateFileA, CREATE_NEW)");
        CopyFileA(from, fresh, FALSE);
        steps.Step("CopyFileA onto it");
        MakeWritable(fresh);
        steps.Step("read-only attribute cleared");
        if (MoveFileA(fresh, to)) {
            steps.Step("moved into place (MoveFileA)");
            continue;
        }
        steps.Step("move refused: a file is there");
        IsSameFile(from, to);
        steps.Step("looked at, two opens for the same file");
        GetFileAttributesA(aside);
        steps.Step("a free name looked for");
        MoveFileA(to, aside);
        steps.Step("old file moved aside (MoveFileA)");
        MoveFileA(fresh, to);
        steps.Step("new file moved into place (MoveFileA)");
        MakeWritable(aside);
        DeleteFileA(aside);
        steps.Step("old file removed");
    }
    steps.Print(title);
}

template <typename Copy> void Time(const char *what, Copy copy)
{
    double start = Microseconds();
    for (int i = 0; i < Count; i++)
        copy(i);
    printf("%-48s %8.1f\n", what, (Microseconds() - start) / Count);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const char *source = argv[1], *work = argv[2];
    char dir[MAX_PATH];
    ListFiles(source);
    for (const char *sub : {"plain", "steps", "whole"}) {
        snprintf(dir, sizeof dir, "%s\\%s", work, sub);
        CreateDirectoryA(dir, NULL);
    }
    printf("%d files; microseconds a file\n", Count);

    char from[MAX_PATH], to[MAX_PATH];
    Time("CopyFileA to a new file (the copy before)", [&](int i) {
        Path(from, source, "", Names[i]);
        Path(to, work, "plain", Names[i]);
        CopyFileA(from, to, FALSE);
    });
    Time("a copied file flushed to the disk (FlushToDisk)", [&](int i) {
        Path(to, work, "plain", Names[i]);
        FlushToDisk(to);
    });
    // The same copies twice: first to new files, then over them.
    for (const char *what : {"the installer's copy, to a new file",
                             "the installer's copy, over a file"})
        Time(what, [&](int i) {
            Path(from, source, "", Names[i]);
            Path(to, work, "whole", Names[i]);
            CopyIntoPlace(from, to, 1);
        });
    snprintf(dir, sizeof dir, "%s\\steps", work);
    CopyInSteps(source, dir, "its steps, to a new file:");
    CopyInSteps(source, dir, "its steps, over a file:");
    return 0;
}
