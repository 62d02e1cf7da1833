/* Cutting the command line into options, and the program's name in front
   of them (no Win32 here). */
#ifndef DRIVEWRIGHT_OPTION_TEXT_H
#define DRIVEWRIGHT_OPTION_TEXT_H

#include <stddef.h>

/* The text of the option being applied, terminator included. */
enum { OPTION_TEXT_SIZE = 128 };

/* What follows the program's name at the start of the process's command
   line, with the blanks after it: a quoted name up to its closing quote, an
   unquoted one up to the first blank or control character. The name is
   walked a character at a time: a double-byte character is never cut, and
   its bytes of 0x80 and above are part of the name. */
const char *SkipProgramName(const char *commandLine);

/* The first option at or after text: where its "/" or "-" stands, or NULL
   when no option is left. *length is the number of its characters: up to the
   next "/" or "-" after its first character, or to the end of the text. */
const char *FindOption(const char *text, size_t *length);

/* Lays the option out in optionText (OPTION_TEXT_SIZE characters): an option
   that another follows gets one blank more than the line gave it. Returns 1
   when the whole text fits; 0 when it was cut to what the buffer holds. */
int CutOption(const char *option, size_t length, int isLast, char *optionText);

#endif
