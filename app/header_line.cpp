/* Writing the header line that follows the banner when the command line is not empty. */
#include "app.h"

#include "header_text.h"
#include "../log/log.h"

void WriteHeaderLine(const char *commandLine)
{
    char HeaderLine[HEADER_LINE_WIDTH];
    BuildHeaderLine(commandLine, HeaderLine, sizeof HeaderLine);
    LogPlainText(HeaderLine);
}
