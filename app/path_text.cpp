/* Cutting a module's file name down to its drive and directory. */
#include "path_text.h"

#include <string.h>

#include "lead_bytes.h"

int SplitProgramDir(const char *moduleName, char *out, size_t outSize)
{
    const char *rest = moduleName;
    if (rest[0] != '\0' && rest[1] == ':')
        rest += 2;

    const char *last = FindLastOf(rest, "\\/");
    const char *end = last ? last + 1 : rest;

    size_t length = (size_t)(end - moduleName);
    if (length >= outSize) {
        out[0] = '\0';
        return 0;
    }
    memcpy(out, moduleName, length);
    out[length] = '\0';
    return 1;
}
