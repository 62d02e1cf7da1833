/* The About box: OK or Esc closes it. */
#include "ui.h"

#include "../res/resource.h"

INT_PTR CALLBACK AboutDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        WORD control = LOWORD(wParam);
        if (control == IDC_OK || control == IDCANCEL)
            EndDialog(window, 1);
    }
    return 0;
}
