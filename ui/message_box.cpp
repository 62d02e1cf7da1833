/* The message boxes of the interactive run, under the dialogs' caption. */
#include "ui.h"

#include <stdio.h>

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

void ShowMessageBox(UINT textId, const char *argument)
{
    char caption[256], format[256], text[1024];

    LoadMessage(IDS_CAPTION, caption, sizeof caption);
    LoadMessage(textId, format, sizeof format);
    snprintf(text, sizeof text, format, argument);
    MessageBoxA(NULL, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}
