// Fuzzes the forming of the restore command: it is whole or not at all.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "registry/restore_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t width = 1 + data[0] % (RESTORE_COMMAND_SIZE + 40);
    std::string text((const char *)data + 1, size - 1);
    size_t split = text.find('\n');
    std::string newPath = text.substr(0, split);
    std::string oldPath = split == std::string::npos ? "" : text.substr(split + 1);
    newPath = newPath.c_str();
    oldPath = oldPath.c_str();

    char *out = (char *)malloc(width);
    std::string expected = newPath + RestoreMarker + oldPath;
    if (BuildRestoreCommand(newPath.c_str(), oldPath.c_str(), out, width)) {
        if (expected != out)
            abort();
    } else if (out[0] != '\0' || expected.size() < width) {
        abort();
    }
    free(out);
    return 0;
}
