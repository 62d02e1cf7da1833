// Fuzzes the program-directory and drive-root routines with any bytes, on a
// single-byte code page and on code page 932: every output stays inside its
// buffer (the sanitizers watch) and keeps its shape.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/path_text.h"
#include "registry/drive_root.h"
#include "tests/unit/code_page_932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the code page: odd for 932. The second picks a
    // buffer width, so short buffers are tried too.
    UseCodePage932(data[0] & 1);
    size_t width = 3 + data[1] % 200;
    std::string text((const char *)data + 2, size - 2);
    const char *input = text.c_str();   // cut at the first zero byte, as a C text is

    char *out = (char *)malloc(width);
    if (SplitProgramDir(input, out, width) && strlen(out) > strlen(input))
        abort();

    if (BuildDriveRoot(input, out, width)) {
        size_t length = strlen(out);
        if (length < 2 || (out[length - 1] != '\\' && out[length - 1] != ':'))
            abort();
    } else if (out[0] != '\0') {
        abort();
    }
    free(out);
    return 0;
}
