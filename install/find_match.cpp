/* Whether a name pattern matches anything, as the driver check and the
   search of the Windows CD ask. */
#include "install.h"

int HasMatch(const char *pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}
