/* The two Windows components that the fresh driver directory needs:
   MSJSTICK.DRV and WIN95_12.CAB, from the running system or the Windows CD. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"
#include "../ui/ui.h"

/* The running system's joystick driver, at its fixed Windows 95/98 place. */
static const char SystemJoystickDriver[] = "C:\\WINDOWS\\SYSTEM\\MSJSTICK.DRV";

static int CanRead(const char *path)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return 0;
    fclose(file);
    return 1;
}

/* A destination that does not fit its buffer is not copied, and is logged
   as a failed copy. */
static void CopyComponent(const char *source, const char *name, HWND window)
{
    char destination[INSTALL_PATH_SIZE];
    if (AppendPath(InstallState.DriverDir, name, destination, sizeof destination)) {
        CopyOneFile(source, destination, window);
        EndCopies();
    } else
        LogCopyFailed(source, name);
}

/* A cabinet at its place under the CD root, or else in the folder that
   SourcePath names: a Windows folder shared, or copied, alone. NULL when
   neither holds it. */
static const char *FindCabinet(const char *underRoot, const char *inSourcePath)
{
    if (HasMatch(underRoot))
        return underRoot;
    if (inSourcePath[0] != '\0' && HasMatch(inSourcePath))
        return inSourcePath;
    return NULL;
}

/* name in the folder that SourcePath names; empty when it names none. */
static void FormInSourcePath(const char *name, char *path, size_t pathSize)
{
    path[0] = '\0';
    if (InstallState.OldSourcePath[0] != '\0')
        JoinPath(InstallState.OldSourcePath, name, path, pathSize);
}

/* The cabinets' places under a CD root. */
static void FormCabPaths(const char *root)
{
    lstrcpynA(InstallState.CdRoot, root, sizeof InstallState.CdRoot);
    AppendPath(root, "WIN95\\WIN95_12.CAB", InstallState.Win95CabPath,
               sizeof InstallState.Win95CabPath);
    AppendPath(root, "WIN98\\DRIVER18.CAB", InstallState.Driver18CabPath,
               sizeof InstallState.Driver18CabPath);
}

/* A machine that came with Windows on its disk names a folder there, often
   deleted since, and the Windows CD is in a CD-ROM drive of its own: the
   first CD-ROM drive, in drive order, whose root holds either cabinet gives
   both, and CdRoot and the paths then name that drive. */
static void FindOnCdDrives(const char **win95Cab, const char **driver18Cab)
{
    DWORD drives = GetLogicalDrives();
    for (int n = 0; n < 26; n++) {
        char root[] = "A:\\";
        root[0] = (char)('A' + n);
        if (!(drives & (1ul << n)) || GetDriveTypeA(root) != DRIVE_CDROM)
            continue;
        root[2] = '\0';
        FormCabPaths(root);
        *win95Cab = HasMatch(InstallState.Win95CabPath) ? InstallState.Win95CabPath : NULL;
        *driver18Cab =
            HasMatch(InstallState.Driver18CabPath) ? InstallState.Driver18CabPath : NULL;
        if (*win95Cab || *driver18Cab)
            return;
    }
}

int FetchCdComponents(HWND mainWindow)
{
    if (CanRead(SystemJoystickDriver)) {
        CopyComponent(SystemJoystickDriver, "MSJSTICK.DRV", mainWindow);
        return 1;
    }

    char sourceRoot[512];
    TakeCdRoot(InstallState.OldSourcePath, sourceRoot, sizeof sourceRoot);
    char win95InSource[512], driver18InSource[512];
    FormInSourcePath("WIN95_12.CAB", win95InSource, sizeof win95InSource);
    FormInSourcePath("DRIVER18.CAB", driver18InSource, sizeof driver18InSource);

    const char *win95Cab, *driver18Cab;
    do {
        FormCabPaths(sourceRoot);
        if (ShowDialog(IDD_INSERTCD, InsertCdDlgProc) != 1)
            return 0;
        win95Cab = FindCabinet(InstallState.Win95CabPath, win95InSource);
        driver18Cab = FindCabinet(InstallState.Driver18CabPath, driver18InSource);
        if (!win95Cab && !driver18Cab)
            FindOnCdDrives(&win95Cab, &driver18Cab);
        InstallState.Win95CabSearch = win95Cab ? Found : Missing;
        InstallState.Driver18CabSearch = driver18Cab ? Found : Missing;
    } while (!win95Cab && !driver18Cab);

    if (win95Cab)
        CopyComponent(win95Cab, "WIN95_12.CAB", mainWindow);

    if (driver18Cab) {
        char destination[INSTALL_PATH_SIZE];
        if (AppendPath(InstallState.DriverDir, "MSJSTICK.DRV", destination, sizeof destination))
            ExtractFromCab(driver18Cab, destination, mainWindow);
    }
    return 1;
}
