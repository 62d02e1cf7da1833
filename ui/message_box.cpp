/* The message boxes of the interactive run, under the dialogs' caption. */
#include "ui.h"

#include <stdio.h>

#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* A message that is also a log line ends in a blank and a line feed, which
   a box leaves out. */
static int ShowBox(UINT textId, const char *first, const char *second, UINT buttons)
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
    return MessageBoxA(NULL, text, caption, buttons | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

void ShowMessageBox(UINT textId, const char *first, const char *second)
{
    ShowBox(textId, first, second, MB_OK);
}

/* Asked in the middle of the installation: the hourglass it found is shown
   again, as after a prompt. */
int AskInMessageBox(UINT textId, const char *first)
{
    HCURSOR before = GetCursor();
    int answer = ShowBox(textId, first, "", MB_OKCANCEL);
    if (before)
        SetCursor(before);
    return answer == IDOK;
}
