/* Cutting the command line into options: every "/" and every "-" starts one,
   wherever it stands, and the blanks after an option's letters belong to it. */
#include "option_text.h"

#include <string.h>

#include "lead_bytes.h"

static int IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

/* The C runtime's start-up code skips an unquoted name only up to its first
   byte of 0x80 or above (a signed compare), and would hand a folder's name
   such as C:\表-q to the options. */
const char *SkipProgramName(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        for (p++; *p != '\0' && *p != '"'; p = NextChar(p)) {
        }
        if (*p == '"')
            p++;
    } else {
        for (; (unsigned char)*p > ' '; p = NextChar(p)) {
        }
    }
    while (IsBlank(*p))
        p++;
    return p;
}

const char *FindOption(const char *text, size_t *length)
{
    const char *start = text + strcspn(text, "/-");
    if (*start == '\0') {
        *length = 0;
        return NULL;
    }
    *length = 1 + strcspn(start + 1, "/-");
    return start;
}

int CutOption(const char *option, size_t length, int isLast, char *optionText)
{
    size_t room = OPTION_TEXT_SIZE - 1;
    size_t wanted = isLast ? length : length + 1;
    size_t copied = length < room ? length : room;

    memset(optionText, ' ', OPTION_TEXT_SIZE);
    memcpy(optionText, option, copied);
    if (wanted > room) {
        optionText[room] = '\0';
        return 0;
    }
    optionText[wanted] = '\0';
    return 1;
}
