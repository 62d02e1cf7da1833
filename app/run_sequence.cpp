/* The two ways a run goes on after start-up: quiet, or through the dialogs. */
#include "app.h"

#include "install_state.h"
#include "../install/install.h"

/* No-op stage: the main dialog is not shown yet; it counts as declined. */
static INT_PTR ShowMainDialog(void)
{
    return 0;
}

/* No-op stage: the finish dialog is not shown yet. */
static void ShowFinishDialog(void)
{
}

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

int RunInteractiveSequence(void)
{
    INT_PTR result = ShowMainDialog();
    CloseStreams();
    if (result) {
        Sleep(2000);
        ShowFinishDialog();
    }
    return 0;
}
