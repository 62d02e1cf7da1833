/* The prompt for the Windows CD. */
#include "ui.h"

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* The first time it asks for the CD; once both cabinets were looked for in
   vain, it says the disc is not a Windows CD. */
INT_PTR CALLBACK InsertCdDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        if (InstallState.Win95CabSearch == Missing && InstallState.Driver18CabSearch == Missing) {
            char text[256];
            LoadMessage(IDS_BADCD, text, sizeof text);
            SetDlgItemTextA(window, IDC_CDMSG, text);
        }
    } else if (message == WM_COMMAND && PromptOkPressed(window, wParam)) {
        EndDialog(window, 1);
    }
    return 0;
}
