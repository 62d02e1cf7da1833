/* The main dialog: the welcome question, then the whole installation inside
   the handling of its Yes button, shown on its progress lines. */
#include "ui.h"

#include "../app/app.h"
#include "../app/install_state.h"
#include "../install/install.h"
#include "../registry/registry.h"
#include "../res/resource.h"

/* Set while the Yes sequence runs. The prompts it opens have no owner, so
   the main dialog stays enabled and its Esc key or close box could end it
   half-way; until the sequence has finished they are ignored. */
static int YesSequenceRunning;

static void DisableControl(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    if (control)
        EnableWindow(control, FALSE);
}

/* With one CD-ROM drive the user took the driver disc out for the Windows
   CD. The run goes on only with the package in place again, so nothing of
   another disc is installed. Cancel ends the run where it stands: the fresh
   directory and the components in it are the run's own, SourcePath is not
   repointed yet and the remover has not run, so nothing of the user's has
   changed. */
static int BringPackageBack(void)
{
    while (!PackageIsBack())
        if (!AskInMessageBox(IDS_DRIVERDISC, NotedPackageDir()))
            return 0;
    return 1;
}

/* Returns the main dialog's result: 1 when every step ran, 0 when a prompt
   was cancelled or the installation could not finish. */
static int RunYesSequence(HWND window)
{
    DisableControl(window, IDC_YES);
    DisableControl(window, IDC_NO);
    DisableControl(window, IDC_ABOUT);
    SetDlgItemTextA(window, IDC_QUESTION, "");

    if (!CheckSystem(window))
        return 0;
    if (InstallState.CopyDrivers && !HasDriverFiles()
        && ShowDialog(IDD_DRIVERPATH, DriverPathDlgProc) != 1)
        return 0;

    /* The fresh directory and the components in it are the run's own: they
       may stay when the package then cannot be installed. One that cannot
       be made is found out before the Windows CD is asked for. */
    if (!InstallState.SourcePathUsable) {
        PrepareDriverDir();
        NotePackage();
        if (!CheckDriverDir(1, window) || !FetchCdComponents(window) || !BringPackageBack())
            return 0;
    }
    if (!CheckDriverDir(1, window) || !CheckPackageFits(1, window))
        return 0;
    RepointAsked();
    if (!InstallState.SourcePathUsable)
        RepointSourcePath(InstallState.DriverDir);

    RunRemover(window);
    /* In the interactive run the driver files are always copied: -d only
       skips the check above. */
    CopyDriverFiles(InstallState.DriverDir, window);
    InstallInfFiles(window);
    return 1;
}

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND || YesSequenceRunning)
        return 0;

    switch (LOWORD(wParam)) {
    case IDC_ABOUT:
        ShowDialog(IDD_ABOUT, AboutDlgProc);
        break;
    case IDC_YES:
        /* The thread takes no mouse message until the sequence has ended, so
           the hourglass stays over the dialog while it works, and the arrow
           is back for what follows: the message box, the finish dialog. */
        YesSequenceRunning = 1;
        SetCursor(LoadCursorA(NULL, IDC_WAIT));
        EndDialog(window, RunYesSequence(window));
        SetCursor(LoadCursorA(NULL, IDC_ARROW));
        YesSequenceRunning = 0;
        break;
    case IDC_NO:
    case IDCANCEL:
        EndDialog(window, 0);
        break;
    }
    return 0;
}
