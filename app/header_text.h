/* Building the log's header line from the command line (no Win32 here). */
#ifndef DRIVEWRIGHT_HEADER_TEXT_H
#define DRIVEWRIGHT_HEADER_TEXT_H

#include <stddef.h>

/* Width of the header line: 123 characters of text, a line feed and the terminator. */
enum { HEADER_LINE_WIDTH = 125 };

/* Fills out (outSize >= 3) with the header line, line feed included. */
void BuildHeaderLine(const char *commandLine, char *out, size_t outSize);

#endif
