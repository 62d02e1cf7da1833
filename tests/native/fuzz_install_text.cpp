// Fuzzes the INF reading: lines of any bytes read into a small buffer, the
// provider taken from them, and the destination paths formed from it and
// beside them, and the lines as name patterns; on a single-byte code page
// and on code page 932.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "install/install_text.h"
#include "tests/unit/code_page_932.h"

// The Windows CD paths formed from a line taken as a source path, and the
// line split as the cabinet tool's arguments are.
static void CheckCdPaths(const char *line, size_t width)
{
    char *root = (char *)malloc(width);
    char *dir = (char *)malloc(width);
    char *name = (char *)malloc(width);
    char cab[512];
    // The root is a start of the line that ends at the line's end, at its
    // first backslash, or for a network path at its fourth.
    TakeCdRoot(line, root, width);
    size_t kept = strlen(root);
    int within = line[0] == '\\' && line[1] == '\\' ? 3 : 0;
    int backslashes = 0;
    for (const char *p = FindFirstOf(root, "\\"); p; p = FindFirstOf(p + 1, "\\"))
        backslashes++;
    if (strncmp(root, line, kept) || backslashes > within)
        abort();
    if (line[kept] && (line[kept] != '\\' || backslashes != within))
        abort();
    AppendPath(root, "WIN95\\WIN95_12.CAB", cab, sizeof cab);
    if (SplitAtLastBackslash(line, dir, width, name, width)) {
        if (strlen(dir) + 1 + strlen(name) != strlen(line) || FindFirstOf(name, "\\"))
            abort();
    } else if (*dir || *name) {
        abort();
    }
    // A copy's temporary file: a start of the path, then the name.
    if (PathBeside(line, "QV0000.TMP", dir, width)) {
        size_t kept = strlen(dir) - 10;
        if (strlen(dir) < 10 || strncmp(dir, line, kept) || strcmp(dir + kept, "QV0000.TMP"))
            abort();
    }
    free(name);
    free(dir);
    free(root);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the code page (odd for 932), the second a width.
    UseCodePage932(data[0] & 1);
    size_t width = 2 + data[1] % 200;
    FILE *in = fmemopen((void *)(data + 2), size - 2, "rb");
    if (in == NULL)
        return 0;

    char *line = (char *)malloc(width);
    char *provider = (char *)malloc(width);
    char path[INSTALL_PATH_SIZE];
    while (ReadTextLine(in, line, width)) {
        UpperCaseLine(line);
        if (TakeProvider(line, provider, width)) {
            if (!strstr(line, provider))
                abort();
            BuildOtherPath("C:\\WINDOWS\\INF\\OTHER", provider, "A.INF", path, sizeof path);
        }
        JoinPath(line, "A.DRV", path, sizeof path);
        CheckCdPaths(line, width);
        // A line as a name pattern: it takes itself, and "*" takes it.
        if (!NameMatches(line, line) || !NameMatches("*", line))
            abort();
        NameMatches(line, "QVAUDIO.INF");
    }
    free(provider);
    free(line);
    fclose(in);
    return 0;
}
