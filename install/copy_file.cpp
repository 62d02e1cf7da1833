/* The one copy operation of the installer. */
#include "install.h"

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

static void ShowCopy(const char *source, const char *destination, HWND window)
{
    char label[256];
    LoadMessage(IDS_COPYLABEL, label, sizeof label);
    SetDlgItemTextA(window, IDC_STEP, label);
    SetDlgItemTextA(window, IDC_STEPFILE, source);
    LoadMessage(IDS_TOLABEL, label, sizeof label);
    SetDlgItemTextA(window, IDC_STEP2, label);
    SetDlgItemTextA(window, IDC_STEPFILE2, destination);
}

static void LogCopy(UINT id, const char *source, const char *destination)
{
    char message[256];
    LoadMessage(id, message, sizeof message);
    LogMessage(message, source, destination);
}

void LogRefusedCopy(const char *source, const char *destination)
{
    LogCopy(IDS_COPYFAILED, source, destination);
}

int CopyOneFile(const char *source, const char *destination, HWND window)
{
    if (!InstallState.QuietMode)
        ShowCopy(source, destination, window);

    int copied = CopyFileA(source, destination, FALSE) != 0;
    LogCopy(copied ? IDS_COPYING : IDS_COPYFAILED, source, destination);
    return copied;
}
