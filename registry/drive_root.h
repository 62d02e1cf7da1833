/* The drive root of a source path (no Win32 here). */
#ifndef DRIVEWRIGHT_DRIVE_ROOT_H
#define DRIVEWRIGHT_DRIVE_ROOT_H

#include <stddef.h>

/* "D:\WIN98\CABS" gives "D:\"; a path without a colon gives its first
   character and a colon. Returns 0, with out empty, when the root is
   empty or does not fit outSize. */
int BuildDriveRoot(const char *path, char *out, size_t outSize);

#endif
