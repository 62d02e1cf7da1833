/* Whether the installation can finish, found out before anything that the
   user has is touched: the remover erases the working drivers first. */
#include "app.h"

#include "install_state.h"
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

int CheckPackageFits(int copyDrivers, HWND window)
{
    char what[MAX_PATH], amount[PACKAGE_AMOUNT_SIZE];
    UINT problem = CheckPackage(InstallState.DriverDir, copyDrivers, what, amount);
    return problem == 0 ? 1 : Refuse(problem, what, amount, window);
}
