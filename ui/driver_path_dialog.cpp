/* The prompt for the driver files' directory, shown when the package
   directory holds none. */
#include "ui.h"

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

static void ShowPathMessage(HWND window, UINT id)
{
    char message[256];
    LoadMessage(id, message, sizeof message);
    SetDlgItemTextA(window, IDC_PATHMSG, message);
}

/* The entered text becomes ProgramDir even when it names no directory; a
   directory without driver files stays the working directory. */
static void TryEnteredPath(HWND window)
{
    SetDlgItemTextA(window, IDC_PATHMSG, " ");
    GetDlgItemTextA(window, IDC_PATH, InstallState.ProgramDir, sizeof InstallState.ProgramDir);

    if (!SetCurrentDirectoryA(InstallState.ProgramDir))
        ShowPathMessage(window, IDS_BADPATH);
    else if (!HasDriverFiles())
        ShowPathMessage(window, IDS_NODRIVERS);
    else {
        /* A relative entry is kept as the full path it named, so that every
           later use of ProgramDir means this directory. */
        GetCurrentDirectoryA(sizeof InstallState.ProgramDir, InstallState.ProgramDir);
        EndDialog(window, 1);
    }
}

INT_PTR CALLBACK DriverPathDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(window, IDC_PATH, InstallState.ProgramDir);
    } else if (message == WM_COMMAND && PromptOkPressed(window, wParam)) {
        TryEnteredPath(window);
    }
    return 0;
}
