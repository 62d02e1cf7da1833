// What the installer's copy costs against Windows' own copy: run inside the
// prefix on a directory of files, it copies them one by one as the installer
// does, each file by CopyFileA and by the installer's copy in turn, so that
// both meet the same load, and prints microseconds a file and their ratio.
// Then it times every step of the installer's copy on its own. The copies
// run file after file, as in a real run, so a look for a name that is not
// there reads a directory as full as it would be then. Last, the same for a
// few files copied into a directory that already holds many others, as the
// driver directory of a Windows that came with its CD's cabinets may. Not a
// test: it asserts nothing.
//
//   copysteps SOURCE-DIR WORK-DIR     (WORK-DIR empty; it is filled)
#include <windows.h>
#include <stdio.h>

#include <initializer_list>

#include "install/install.h"

namespace {

const int MaxFiles = 4096;
const int CrowdFiles = 1000;   // already in the crowded directory
const int CrowdCopies = 20;    // copied into it, each round
const int CrowdRounds = 10;
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

// Times each call and sums it.
struct Clock {
    double total;
    template <typename Call> void Time(Call call)
    {
        double start = Microseconds();
        call();
        total += Microseconds() - start;
    }
};

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
    void Print(const char *title, int files)
    {
        double sum = 0;
        printf("%s\n", title);
        for (int i = 0; i < count; i++) {
            printf("  %-46s %8.1f\n", what[i], total[i] / files);
            sum += total[i];
        }
        printf("  %-46s %8.1f\n", "all", sum / files);
    }
};

// The installer's copy of one file into a file of the working directory,
// with the source held open.
HANDLE CopyInto(const char *from, const char *to)
{
    FILETIME written;
    HANDLE in = CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    DWORD size = GetFileSize(in, NULL);
    GetFileTime(in, NULL, NULL, &written);
    HANDLE out = CreateFileA(to, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    PassBytes(in, size, out);
    SetEndOfFile(out);
    SetFileTime(out, NULL, NULL, &written);
    CloseHandle(out);
    return in;
}

// The installer's copy, step by step, of every file into dir.
void CopyInSteps(const char *source, const char *dir, const char *title)
{
    char from[MAX_PATH], to[MAX_PATH], work[MAX_PATH], fresh[MAX_PATH], aside[MAX_PATH];
    Steps steps = {};
    Path(work, dir, "", "QVWORK");
    Path(fresh, dir, "QVWORK", "QV0.TMP");
    Path(aside, dir, "QVWORK", "QV1.TMP");
    CreateDirectoryA(work, NULL);
    for (int i = 0; i < Count; i++) {
        Path(from, source, "", Names[i]);
        Path(to, dir, "", Names[i]);
        steps.Begin();
        HANDLE held = CopyInto(from, fresh);
        steps.Step("copied into QVWORK (read, write, date)");
        if (MoveFileA(fresh, to)) {
            steps.Step("moved into place (MoveFileA)");
            CloseHandle(held);
            continue;
        }
        steps.Step("move refused: a file is there");
        GetFileAttributesA(to);
        steps.Step("its attributes looked at");
        MoveFileA(to, aside);
        steps.Step("old file moved aside into QVWORK");
        MoveFileA(fresh, to);
        CloseHandle(held);
        steps.Step("new file moved into place (MoveFileA)");
        // The old file is the next copy's spare: swap the two names.
        char spare[MAX_PATH];
        snprintf(spare, sizeof spare, "%s", aside);
        snprintf(aside, sizeof aside, "%s", fresh);
        snprintf(fresh, sizeof fresh, "%s", spare);
    }
    DeleteFileA(fresh);
    DeleteFileA(aside);
    RemoveDirectoryA(work);
    steps.Print(title, Count);
}

// The first files copied by the installer's copy into whole, once to new
// files and once over them, each file side by side with CopyFileA's copy of
// it to a new file (into plain, then into again), so that both meet the same
// load; the working directory's end counts too.
void CompareCopies(const char *source, const char *plain, const char *again,
                   const char *whole, int files, Clock windows[2], Clock ours[2])
{
    char from[MAX_PATH], to[MAX_PATH];
    for (int pass = 0; pass < 2; pass++) {
        for (int i = 0; i < files; i++) {
            Path(from, source, "", Names[i]);
            Path(to, pass == 0 ? plain : again, "", Names[i]);
            windows[pass].Time([&] { CopyFileA(from, to, FALSE); });
            Path(to, whole, "", Names[i]);
            ours[pass].Time([&] { CopyIntoPlace(from, to, 1); });
        }
        ours[pass].Time(EndCopies);
    }
}

// Microseconds a file of CopyFileA and of the installer's copy, to a new file
// and over one, with the installer's against CopyFileA's in the same pass.
void PrintComparison(const Clock windows[2], const Clock ours[2], int files)
{
    const char *what[2][2] = {{"CopyFileA to a new file", "the installer's copy, to a new file"},
                              {"CopyFileA to a new file", "the installer's copy, over a file"}};
    for (int pass = 0; pass < 2; pass++) {
        printf("  %-46s %8.1f\n", what[pass][0], windows[pass].total / files);
        printf("  %-46s %8.1f  %4.2f\n", what[pass][1], ours[pass].total / files,
               ours[pass].total / windows[pass].total);
    }
}

// A directory that holds many files already.
void Crowd(const char *dir)
{
    char path[MAX_PATH];
    for (int i = 0; i < CrowdFiles; i++) {
        snprintf(path, sizeof path, "%s\\CAB%04d.CAB", dir, i);
        CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                NULL));
    }
}

// Three directories under work, named with prefix: CopyFileA's two and the
// installer's.
void Dirs(const char *work, const char *prefix, char dirs[3][MAX_PATH])
{
    for (int i = 0; i < 3; i++) {
        snprintf(dirs[i], MAX_PATH, "%s\\%s%d", work, prefix, i);
        CreateDirectoryA(dirs[i], NULL);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const char *source = argv[1], *work = argv[2];
    char dirs[3][MAX_PATH], steps[MAX_PATH], to[MAX_PATH];
    ListFiles(source);
    Dirs(work, "copies", dirs);
    snprintf(steps, sizeof steps, "%s\\steps", work);
    CreateDirectoryA(steps, NULL);

    Clock windows[2] = {}, ours[2] = {}, flush = {};
    CompareCopies(source, dirs[0], dirs[1], dirs[2], Count, windows, ours);
    for (int i = 0; i < Count; i++) {
        Path(to, dirs[0], "", Names[i]);
        flush.Time([&] { FlushToDisk(to); });
    }
    printf("%d files; microseconds a file, and the ratio to CopyFileA beside it\n", Count);
    PrintComparison(windows, ours, Count);
    printf("  %-46s %8.1f\n", "a copied file flushed to the disk (FlushToDisk)",
           flush.total / Count);

    CopyInSteps(source, steps, "its steps, to a new file:");
    CopyInSteps(source, steps, "its steps, over a file:");

    // A few files into a directory of many others, in rounds, each taking
    // its files away again.
    int files = Count < CrowdCopies ? Count : CrowdCopies;
    Dirs(work, "crowd", dirs);
    for (const char *crowded : dirs)
        Crowd(crowded);
    Clock crowdWindows[2] = {}, crowdOurs[2] = {};
    for (int round = 0; round < CrowdRounds; round++) {
        CompareCopies(source, dirs[0], dirs[1], dirs[2], files, crowdWindows, crowdOurs);
        for (const char *crowded : dirs) {
            for (int i = 0; i < files; i++) {
                Path(to, crowded, "", Names[i]);
                DeleteFileA(to);
            }
        }
    }
    printf("%d files into a directory of %d others, %d rounds\n", files, CrowdFiles,
           CrowdRounds);
    PrintComparison(crowdWindows, crowdOurs, files * CrowdRounds);
    return 0;
}
