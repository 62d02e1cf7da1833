/* The header line: the first quoted text of a command line that asks for one. */
#include "header_text.h"

#include <string.h>

static int AsksForHeader(const char *commandLine)
{
    /* A plain search: the text need not stand as an option of its own. */
    return strstr(commandLine, "/H") || strstr(commandLine, "/h") ||
           strstr(commandLine, "-H") || strstr(commandLine, "-h");
}

void BuildHeaderLine(const char *commandLine, char *out, size_t outSize)
{
    strcpy(out, "\n");
    if (!AsksForHeader(commandLine))
        return;

    const char *open = strchr(commandLine, '"');
    const char *close = open ? strchr(open + 1, '"') : NULL;
    if (open && close) {
        size_t length = (size_t)(close - open - 1);
        if (length > 0) {
            /* A text too long for the line is cut, so the line keeps what fits. */
            if (length > outSize - 2)
                length = outSize - 2;
            memcpy(out, open + 1, length);
            out[length] = '\0';
        }
    } else {
        strcpy(out, " ");
    }
    strcat(out, "\n");
}
