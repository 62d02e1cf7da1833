// Fuzzes the header line with any command line: it always ends in a line
// feed inside its buffer, whatever the width.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/header_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    size_t width = 3 + data[0] % (HEADER_LINE_WIDTH - 2);
    std::string text((const char *)data + 1, size - 1);

    char *out = (char *)malloc(width);
    BuildHeaderLine(text.c_str(), out, width);
    size_t length = strlen(out);
    if (length == 0 || out[length - 1] != '\n')
        abort();
    free(out);
    return 0;
}
