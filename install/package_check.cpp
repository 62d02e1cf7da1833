/* Before anything the user has is touched: can the package in the working
   directory be read and does it fit? The remover erases the working drivers,
   so a package found out only by its copies would cost them. */
#include "install.h"

#include <stdio.h>
#include <string.h>

#include "install_text.h"
#include "../res/resource.h"

/* One disk that receives copies, and the clusters they take there. The
   room of a disk whose figures cannot be had (Windows 95 before OSR2 has
   none for a share) is not checked: the copies themselves never cost a file
   that stood there, and the run goes on as it did. */
struct Disk {
    char root[MAX_PATH];
    DWORD clusterBytes;
    DWORD freeClusters;
    unsigned long long needed;
};

/* The copies' working directory QVWORK takes a cluster on a FAT disk, and
   its entry may take one more in the directory that holds it. */
enum { WORK_DIR_CLUSTERS = 2 };

static void LearnDisk(Disk *disk, const char *path)
{
    char root[MAX_PATH];
    DWORD sectorsPerCluster, bytesPerSector, totalClusters;

    disk->root[0] = '\0';
    disk->clusterBytes = 0;
    disk->needed = 0;
    TakeCdRoot(path, root, sizeof root);
    if (root[0] == '\0' || !AppendPath(root, "", disk->root, sizeof disk->root) ||
        !GetDiskFreeSpaceA(disk->root, &sectorsPerCluster, &bytesPerSector, &disk->freeClusters,
                           &totalClusters))
        return;
    disk->clusterBytes = sectorsPerCluster * bytesPerSector;
    disk->needed = WORK_DIR_CLUSTERS;
}

/* Each copy takes whole clusters. The file it replaces stays until the copy
   is whole, so its clusters are in use already and free none. */
static void Need(Disk *disk, const WIN32_FIND_DATAA *file, int copies)
{
    if (disk->clusterBytes == 0)
        return;
    unsigned long long size = ((unsigned long long)file->nFileSizeHigh << 32) | file->nFileSizeLow;
    disk->needed += copies * ((size + disk->clusterBytes - 1) / disk->clusterBytes);
}

/* Every byte of the file, as many as its size says: a file cut short reads
   fewer. */
static int ReadsWhole(const WIN32_FIND_DATAA *file)
{
    HANDLE handle = CreateFileA(file->cFileName, GENERIC_READ, FILE_SHARE_READ, NULL,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    int whole = file->nFileSizeHigh == 0 && PassBytes(handle, file->nFileSizeLow, NULL);
    CloseHandle(handle);
    return whole;
}

/* A package that runs from the driver directory itself has every driver
   file in place already: one file tells, since a name in two directories is
   one file only where the directories are one. */
static int InPlace(const char *name, const char *driverDir)
{
    char destination[INSTALL_PATH_SIZE];
    return JoinPath(driverDir, name, destination, sizeof destination) &&
           IsSameFile(name, destination);
}

/* The files that pattern matches, each read whole and counted on disk, copies
   times. Returns 0 with the file's name in what when one cannot be read. */
static int CheckFiles(const char *pattern, Disk *disk, int copies, int readThem,
                      const char *driverDir, char *what)
{
    WIN32_FIND_DATAA file;
    int first = 1;

    HANDLE search = FindFirstMatch(pattern, &file);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    int readable = 1;
    do {
        if (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (readThem && !ReadsWhole(&file)) {
            lstrcpynA(what, file.cFileName, MAX_PATH);
            readable = 0;
            break;
        }
        if (first && driverDir != NULL && InPlace(file.cFileName, driverDir))
            disk = NULL;
        first = 0;
        if (disk != NULL)
            Need(disk, &file, copies);
    } while (FindNextMatch(search, pattern, &file));
    FindClose(search);
    return readable;
}

/* The room missing on disk, in whole KB, into amount; 0 when it fits. */
static int LacksRoom(const Disk *disk, char *what, char *amount)
{
    if (disk->clusterBytes == 0 || disk->needed <= disk->freeClusters)
        return 0;
    unsigned long long missing = (disk->needed - disk->freeClusters) * disk->clusterBytes;
    unsigned long long kilobytes = (missing + 1023) / 1024;
    lstrcpynA(what, disk->root, MAX_PATH);
    snprintf(amount, PACKAGE_AMOUNT_SIZE, "%lu",
             kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFul : (unsigned long)kilobytes);
    return 1;
}

UINT CheckPackage(const char *driverDir, int copyDrivers, char *what, char *amount)
{
    Disk drivers, windows;
    char windowsDir[MAX_PATH];

    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (length == 0 || length >= sizeof windowsDir)
        windowsDir[0] = '\0';
    LearnDisk(&drivers, driverDir);
    LearnDisk(&windows, windowsDir);
    /* The driver files and the INF copies on one disk share its room. */
    Disk *infDisk = drivers.root[0] != '\0' && lstrcmpiA(drivers.root, windows.root) == 0
                        ? &drivers : &windows;

    /* Each INF goes to INF\OEM<n>.INF and to INF\OTHER. */
    if ((copyDrivers && !CheckFiles("*.*", &drivers, 1, 1, driverDir, what)) ||
        !CheckFiles("*.INF", infDisk, 2, !copyDrivers, NULL, what))
        return IDS_CANNOTREAD;
    if (LacksRoom(&drivers, what, amount) ||
        (infDisk == &windows && LacksRoom(&windows, what, amount)))
        return IDS_NOROOM;
    return 0;
}
