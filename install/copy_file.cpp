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

/* A directory is no file to install, and a file refused a copy onto itself
   already stands where it belongs. */
void LogCopyFailed(const char *source, const char *destination)
{
    DWORD attributes = GetFileAttributesA(source);
    int directory = attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!directory && !IsSameFile(source, destination))
        InstallState.FilesNotInstalled++;
    LogTableMessage(IDS_COPYFAILED, source, destination);
}

static int CopyShown(const char *source, const char *destination, HWND window, int replace)
{
    if (!InstallState.QuietMode && window != NULL)
        ShowProgressLines(window, IDS_COPYLABEL, source, IDS_TOLABEL, destination);

    int copied = CopyIntoPlace(source, destination, replace);
    /* A name that another run took since it was looked at is passed over. */
    if (copied < 0)
        return -1;
    if (copied)
        LogTableMessage(IDS_COPYING, source, destination);
    else
        LogCopyFailed(source, destination);
    return copied;
}

int CopyOneFile(const char *source, const char *destination, HWND window)
{
    return CopyShown(source, destination, window, 1);
}

int CopyOneNewFile(const char *source, const char *destination, HWND window)
{
    return CopyShown(source, destination, window, 0);
}
