/* The message boxes of the interactive run, under the dialogs' caption. */
#include "ui.h"

#include <stdio.h>

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* A message that is also a log line ends in a blank and a line feed, which
   a box leaves out. */
void ShowMessageBox(UINT textId, const char *first, const char *second)
{
    char caption[256], format[256], text[1024];

    LoadMessage(IDS_CAPTION, caption, sizeof caption);
    LoadMessage(textId, format, sizeof format);
    int length = snprintf(text, sizeof text, format, first, second);
    if (length < 0 || (size_t)length >= sizeof text) {
        length = sizeof text - 1;
        text[length] = '\0';
    }
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\n'))
        text[--length] = '\0';
    MessageBoxA(NULL, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}
