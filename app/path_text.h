/* Path texts of the installer control (no Win32 here). */
#ifndef DRIVEWRIGHT_PATH_TEXT_H
#define DRIVEWRIGHT_PATH_TEXT_H

#include <stddef.h>

/* Drive and directory of a module file name, ending in its last backslash
   or slash. Returns 0, with out empty, when they do not fit outSize. */
int SplitProgramDir(const char *moduleName, char *out, size_t outSize);

#endif
