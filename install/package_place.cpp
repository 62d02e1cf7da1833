/* The package found again where it was: with one CD-ROM drive the user
   takes the driver disc out for the Windows CD, and a disc that is put back
   may be another one. */
#include "install.h"

#include <string.h>

#include "../app/app.h"

/* The same package is the same directory holding the same files, each by
   name, size and last write, and the same program file: what the check
   before any change reads, and what the copies and the restore entry take.
   A 64-bit hash of each file is summed, so the directory's order does not
   matter and no list of files needs a bound. The two components that the
   Windows CD stage writes are left out: a package run from the fresh driver
   directory itself receives them. */
struct PackageMark {
    unsigned long files;
    unsigned long long sum;
};

static char PackageDir[512];
static PackageMark Noted;

static unsigned long long HashBytes(unsigned long long hash, const void *data, size_t size)
{
    const unsigned char *bytes = (const unsigned char *)data;
    for (size_t i = 0; i < size; i++)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

static void AddFile(PackageMark *mark, const char *name, const WIN32_FIND_DATAA *file)
{
    unsigned long long hash = HashBytes(14695981039346656037ull, name, strlen(name) + 1);
    hash = HashBytes(hash, &file->nFileSizeHigh, sizeof file->nFileSizeHigh);
    hash = HashBytes(hash, &file->nFileSizeLow, sizeof file->nFileSizeLow);
    hash = HashBytes(hash, &file->ftLastWriteTime, sizeof file->ftLastWriteTime);
    mark->files++;
    mark->sum += hash;
}

static int IsCdComponent(const char *name)
{
    return lstrcmpiA(name, "MSJSTICK.DRV") == 0 || lstrcmpiA(name, "WIN95_12.CAB") == 0;
}

/* The package in the working directory, and the program file. */
static PackageMark MarkPackage(void)
{
    PackageMark mark = {0, 0};
    WIN32_FIND_DATAA file;

    HANDLE search = FindFirstFileA("*.*", &file);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !IsCdComponent(file.cFileName))
                AddFile(&mark, file.cFileName, &file);
        } while (FindNextFileA(search, &file));
        FindClose(search);
    }

    char program[512];
    if (GetProgramFile(program, sizeof program)) {
        search = FindFirstFileA(program, &file);
        if (search != INVALID_HANDLE_VALUE) {
            AddFile(&mark, program, &file);
            FindClose(search);
        }
    }
    return mark;
}

void NotePackage(void)
{
    DWORD length = GetCurrentDirectoryA(sizeof PackageDir, PackageDir);
    if (length == 0 || length >= sizeof PackageDir)
        PackageDir[0] = '\0';
    Noted = MarkPackage();
}

const char *NotedPackageDir(void)
{
    return PackageDir;
}

/* A directory that cannot be entered again, or was never known, is no
   package in place. */
int PackageIsBack(void)
{
    if (PackageDir[0] == '\0' || !SetCurrentDirectoryA(PackageDir))
        return 0;
    PackageMark now = MarkPackage();
    return now.files == Noted.files && now.sum == Noted.sum;
}
