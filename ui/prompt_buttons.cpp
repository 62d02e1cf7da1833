/* The OK and Cancel buttons that both prompts share. */
#include "ui.h"

#include "../res/resource.h"

int PromptOkPressed(HWND window, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_OK:
        return 1;
    case IDC_CANCEL:
    case IDCANCEL:
        EndDialog(window, 0);
        break;
    }
    return 0;
}
