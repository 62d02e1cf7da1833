/* The finish dialog: the last word of an interactive installation. */
#include "ui.h"

#include "../res/resource.h"

/* Esc and the close box do nothing: the user chooses one of the three
   buttons. The streams are closed by now, so nothing here is logged. */
INT_PTR CALLBACK FinishDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND)
        return 0;

    switch (LOWORD(wParam)) {
    case IDC_SHUTDOWN:
        EndDialog(window, 1);
        ExitWindowsEx(EWX_SHUTDOWN, 0);
        break;
    case IDC_RESTART:
        EndDialog(window, 1);
        ExitWindowsEx(EWX_REBOOT, 0);
        break;
    case IDC_CANCEL:
        EndDialog(window, 1);
        break;
    }
    return 0;
}
