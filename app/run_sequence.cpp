/* The two ways a run goes on after start-up: quiet, or through the dialogs. */
#include "app.h"

#include <stdio.h>

#include "install_state.h"
#include "../install/install.h"
#include "../log/log.h"
#include "../res/resource.h"
#include "../ui/ui.h"

/* The run's work is done and its section of the log is whole. The next
   installation waits all the same until this process has ended. */
static void CloseStreams(void)
{
    fclose(InstallState.LogFile);
    InstallState.LogFile = NULL;
    fclose(InstallState.ConsoleStream);
    InstallState.ConsoleStream = NULL;
}

/* A run that could not install every file says so in its last line; returns
   how many it could not install. */
static int ReportFilesNotInstalled(void)
{
    int count = InstallState.FilesNotInstalled;
    if (count > 0) {
        char number[16];
        snprintf(number, sizeof number, "%d", count);
        LogTableMessage(IDS_NOTINSTALLED, number);
    }
    return count;
}

/* Without -c the exit code stays the restart request's: the restart ends
   whatever reads it. */
int RunQuietSequence(void)
{
    /* Nothing has changed: there is nothing for a restart to complete. */
    if (!CheckSystem(NULL) || !CheckDriverDir(InstallState.CopyDrivers, NULL) ||
        !CheckPackageFits(InstallState.CopyDrivers, NULL)) {
        CloseStreams();
        return EXIT_NOT_INSTALLABLE;
    }
    RepointAsked();
    RunRemover(NULL);
    if (InstallState.CopyDrivers)
        CopyDriverFiles(InstallState.DriverDir, NULL);
    InstallInfFiles(NULL);

    int failed = ReportFilesNotInstalled();
    CloseStreams();
    Sleep(2000);

    if (InstallState.RebootMode == 1)
        return ExitWindowsEx(EWX_REBOOT, 0);
    return failed ? EXIT_FILES_NOT_INSTALLED : 0;
}

/* The finish dialog follows only a main dialog that ended with 1: a dialog
   that could not be shown at all (-1) installed nothing. A user who is about
   to restart is first told of the files that are missing. */
int RunInteractiveSequence(void)
{
    INT_PTR result = ShowDialog(IDD_MAIN, MainDlgProc);
    int failed = ReportFilesNotInstalled();
    CloseStreams();
    if (result == 1) {
        if (failed)
            ShowMessageBox(IDS_SOMEFAILED, InstallState.LogPath, "");
        Sleep(2000);
        ShowDialog(IDD_FINISH, FinishDlgProc);
    }
    return 0;
}
