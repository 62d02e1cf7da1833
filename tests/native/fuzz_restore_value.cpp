// Fuzzes the reading of an earlier restore entry, of restore mode's path and
// of an option's value, with any text and any buffer width.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "registry/restore_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    size_t width = 1 + data[0] % 160;
    std::string text((const char *)data + 1, size - 1);

    char *out = (char *)malloc(width);
    memcpy(out, "", 1);
    if (TakeRestoredPath(text.c_str(), out, width) && !strstr(text.c_str(), RestoreMarker))
        abort();

    TakeRestoreModePath(text.c_str(), out, width);
    ValueEnd end = TakeValue(text.c_str(), out, width);
    if (end == NoValue && out[0] != '\0')
        abort();
    free(out);
    return 0;
}
