/* The one copy operation of the installer. */
#include "install.h"

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

void ShowProgressLines(HWND window, UINT firstLabel, const char *first, UINT secondLabel,
                       const char *second)
{
    char label[256];
    LoadMessage(firstLabel, label, sizeof label);
    SetDlgItemTextA(window, IDC_STEP, label);
    SetDlgItemTextA(window, IDC_STEPFILE, first);
    LoadMessage(secondLabel, label, sizeof label);
    SetDlgItemTextA(window, IDC_STEP2, label);
    SetDlgItemTextA(window, IDC_STEPFILE2, second);
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
    if (!InstallState.QuietMode && window != NULL)
        ShowProgressLines(window, IDS_COPYLABEL, source, IDS_TOLABEL, destination);

    int copied = CopyFileA(source, destination, FALSE) != 0;
    LogCopy(copied ? IDS_COPYING : IDS_COPYFAILED, source, destination);
    return copied;
}
