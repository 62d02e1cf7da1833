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
    const char *text = "";
    size_t length = 0;
    if (AsksForHeader(commandLine)) {
        const char *open = strchr(commandLine, '"');
        const char *close = open ? strchr(open + 1, '"') : NULL;
        if (close == NULL) {
            text = " ";             /* no quote, or no closing one */
            length = 1;
        } else if (close == open + 1) {
            text = "\n";            /* adjacent quotes keep the line feed: two in all */
            length = 1;
        } else {
            text = open + 1;
            length = (size_t)(close - text);
        }
    }
    /* A text too long for the line is cut, so the line keeps what fits. */
    if (length > outSize - 2)
        length = outSize - 2;
    memcpy(out, text, length);
    out[length] = '\n';
    out[length + 1] = '\0';
}
