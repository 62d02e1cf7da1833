/* Whether the installation can finish, found out before anything that the
   user has is touched: the remover erases the working drivers first. */
#include "app.h"

#include "install_state.h"
#include "lead_bytes.h"
#include "../install/install.h"
#include "../log/log.h"
#include "../res/resource.h"
#include "../ui/ui.h"

/* Logs why, and in a run through the dialogs also shows it. */
static int Refuse(UINT id, const char *what, const char *amount, HWND window)
{
    LogTableMessage(id, what, amount);
    if (window != NULL)
        ShowMessageBox(id, what, amount);
    return 0;
}

/* The package's drivers are Windows 95, 98 and Me drivers, which Windows NT
   and its successors cannot load: their platform has GetVersion's top bit
   clear. */
int CheckSystem(HWND window)
{
    return (GetVersion() & 0x80000000) != 0 ? 1 : Refuse(IDS_WRONGSYSTEM, "", "", window);
}

/* A full path without the backslash that may end it, a root's excepted. */
static int FullPath(const char *path, char *full)
{
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, NULL);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    const char *last = FindLastOf(full, "\\");
    if (length > 3 && last == full + length - 1)
        full[length - 1] = '\0';
    return 1;
}

/* The package's own directory holds its files already: nothing needs to be
   written there, as when a quiet run on a CD names that directory with -s. */
static int IsWorkingDirectory(const char *path)
{
    char here[MAX_PATH], there[MAX_PATH];
    return FullPath(".", here) && FullPath(path, there) && lstrcmpiA(here, there) == 0;
}

static int CheckWritable(const char *path, HWND window)
{
    return IsWorkingDirectory(path) || CanWriteDirectory(path)
               ? 1 : Refuse(IDS_CANNOTWRITE, path, "", window);
}

/* The copies go to DriverDir; a repointing that -s asked for puts the
   restore entry's program into its directory. */
int CheckDriverDir(int copyDrivers, HWND window)
{
    if (copyDrivers && !CheckWritable(InstallState.DriverDir, window))
        return 0;
    if (InstallState.RepointPending &&
        (!copyDrivers || lstrcmpiA(InstallState.OverrideSourcePath, InstallState.DriverDir) != 0))
        return CheckWritable(InstallState.OverrideSourcePath, window);
    return 1;
}

int CheckPackageFits(int copyDrivers, HWND window)
{
    char what[MAX_PATH], amount[PACKAGE_AMOUNT_SIZE];
    UINT problem = CheckPackage(InstallState.DriverDir, copyDrivers, what, amount);
    return problem == 0 ? 1 : Refuse(problem, what, amount, window);
}
