/* The two ways a run goes on after start-up: quiet, or through the dialogs. */
#include "app.h"

#include "install_state.h"
#include "../install/install.h"
#include "../res/resource.h"
#include "../ui/ui.h"

static void CloseStreams(void)
{
    fclose(InstallState.LogFile);
    InstallState.LogFile = NULL;
    fclose(InstallState.ConsoleStream);
    InstallState.ConsoleStream = NULL;
}

int RunQuietSequence(void)
{
    RunRemover();
    if (InstallState.CopyDrivers)
        CopyDriverFiles(InstallState.DriverDir, NULL);
    InstallInfFiles(NULL);

    CloseStreams();
    Sleep(2000);

    if (InstallState.RebootMode == 1)
        return ExitWindowsEx(EWX_REBOOT, 0);
    return 0;
}

/* The finish dialog follows only a main dialog that ended with 1: a dialog
   that could not be shown at all (-1) installed nothing. */
int RunInteractiveSequence(void)
{
    INT_PTR result = ShowDialog(IDD_MAIN, MainDlgProc);
    CloseStreams();
    if (result == 1) {
        Sleep(2000);
        ShowDialog(IDD_FINISH, FinishDlgProc);
    }
    return 0;
}
