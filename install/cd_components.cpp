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
    if (AppendPath(InstallState.DriverDir, name, destination, sizeof destination))
        CopyOneFile(source, destination, window);
    else
        LogCopyFailed(source, name);
}

int FetchCdComponents(HWND mainWindow)
{
    if (CanRead(SystemJoystickDriver)) {
        CopyComponent(SystemJoystickDriver, "MSJSTICK.DRV", mainWindow);
        return 1;
    }

    TakeCdRoot(InstallState.OldSourcePath, InstallState.CdRoot, sizeof InstallState.CdRoot);
    AppendPath(InstallState.CdRoot, "WIN95\\WIN95_12.CAB", InstallState.Win95CabPath,
               sizeof InstallState.Win95CabPath);
    AppendPath(InstallState.CdRoot, "WIN98\\DRIVER18.CAB", InstallState.Driver18CabPath,
               sizeof InstallState.Driver18CabPath);

    do {
        if (ShowDialog(IDD_INSERTCD, InsertCdDlgProc) != 1)
            return 0;
        InstallState.Win95CabSearch = HasMatch(InstallState.Win95CabPath) ? Found : Missing;
        InstallState.Driver18CabSearch = HasMatch(InstallState.Driver18CabPath) ? Found : Missing;
    } while (InstallState.Win95CabSearch != Found && InstallState.Driver18CabSearch != Found);

    if (InstallState.Win95CabSearch == Found)
        CopyComponent(InstallState.Win95CabPath, "WIN95_12.CAB", mainWindow);

    if (InstallState.Driver18CabSearch == Found) {
        char destination[INSTALL_PATH_SIZE];
        if (AppendPath(InstallState.DriverDir, "MSJSTICK.DRV", destination, sizeof destination))
            ExtractFromCab(InstallState.Driver18CabPath, destination, mainWindow);
    }
    return 1;
}
