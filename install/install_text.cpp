/* Texts of the file installation, shared by the driver-file copy and the INF installation. */
#include "install_text.h"

#include <string.h>

#include "../app/lead_bytes.h"

/* Joins up to three pieces into out; 0 with out empty when they do not fit. */
static int Join3(const char *a, const char *b, const char *c, char *out, size_t outSize)
{
    size_t la = strlen(a), lb = strlen(b), lc = strlen(c);
    if (outSize == 0)
        return 0;
    out[0] = '\0';
    if (la >= outSize || lb >= outSize - la || lc >= outSize - la - lb)
        return 0;
    memcpy(out, a, la);
    memcpy(out + la, b, lb);
    memcpy(out + la + lb, c, lc + 1);
    return 1;
}

int JoinPath(const char *dir, const char *name, char *out, size_t outSize)
{
    const char *last = FindLastOf(dir, "\\");
    /* With no directory the name stands alone: a copy onto itself fails and is logged. */
    const char *separator = dir[0] == '\0' || (last && last[1] == '\0') ? "" : "\\";
    return Join3(dir, separator, name, out, outSize);
}

int ReadTextLine(FILE *stream, char *buffer, size_t bufferSize)
{
    size_t stored = 0;
    for (;;) {
        int c = fgetc(stream);
        if (c == EOF) {
            /* The end of the text and a read error both end the line. */
            buffer[stored] = '\0';
            return 0;
        }
        if (stored < bufferSize - 1)
            buffer[stored++] = (char)c;
        if (c == '\n') {
            buffer[stored] = '\0';
            return 1;
        }
    }
}

void UpperCaseLine(char *line)
{
    for (; *line; line = NextChar(line))
        if (*line >= 'a' && *line <= 'z')
            *line = (char)(*line - 'a' + 'A');
}

/* Where a character starts, not inside a double-byte one. */
static int HoldsProviderKey(const char *line)
{
    for (const char *p = line; *p; p = NextChar(p))
        if (strncmp(p, "PROVIDER=", 9) == 0)
            return 1;
    return 0;
}

int TakeProvider(const char *line, char *provider, size_t providerSize)
{
    if (!HoldsProviderKey(line))
        return 0;
    const char *start = FindFirstOf(line, "=") + 1;
    const char *quote = FindFirstOf(start, "\"");
    if (quote != NULL)
        start = quote + 1;
    const char *end = FindFirstOf(start, "\"");
    if (end == NULL)
        end = FindFirstOf(start, " ");
    if (end == NULL)
        end = FindFirstOf(start, "\n");
    if (end == NULL)
        end = start + strlen(start);
    size_t length = (size_t)(end - start);
    if (length >= providerSize)
        return 0;
    memcpy(provider, start, length);
    provider[length] = '\0';
    return 1;
}

/* No code page has a "/" or a ":" for the second byte of a character: they
   are refused wherever they stand, a backslash only as a character of its own. */
int IsSafeProvider(const char *provider)
{
    return strpbrk(provider, "/:") == NULL && FindFirstOf(provider, "\\") == NULL;
}

int BuildOtherPath(const char *otherDir, const char *provider, const char *infName,
                   char *out, size_t outSize)
{
    char dir[1024 + 2];
    if (!Join3(otherDir, "\\", provider, dir, sizeof dir))
        return 0;
    return Join3(dir, infName, "", out, outSize);
}

int AppendPath(const char *dir, const char *tail, char *out, size_t outSize)
{
    return Join3(dir, "\\", tail, out, outSize);
}

void TakeCdRoot(const char *sourcePath, char *root, size_t rootSize)
{
    const char *end = FindFirstOf(sourcePath, "\\");
    /* On a network path the share plays the drive: \\server\share. */
    if (end == sourcePath && sourcePath[1] == '\\') {
        end = FindFirstOf(sourcePath + 2, "\\");
        if (end)
            end = FindFirstOf(end + 1, "\\");
    }
    size_t length = end ? (size_t)(end - sourcePath) : strlen(sourcePath);
    if (length >= rootSize)
        length = rootSize - 1;
    memcpy(root, sourcePath, length);
    root[length] = '\0';
}

int SplitAtLastBackslash(const char *path, char *dir, size_t dirSize, char *name,
                         size_t nameSize)
{
    const char *backslash = FindLastOf(path, "\\");
    dir[0] = '\0';
    if (name)
        name[0] = '\0';
    if (!backslash)
        return 0;
    size_t dirLength = (size_t)(backslash - path);
    size_t nameLength = strlen(backslash + 1);
    if (dirLength >= dirSize || (name && nameLength >= nameSize))
        return 0;
    memcpy(dir, path, dirLength);
    dir[dirLength] = '\0';
    if (name)
        memcpy(name, backslash + 1, nameLength + 1);
    return 1;
}

int PathBeside(const char *path, const char *name, char *out, size_t outSize)
{
    const char *last = FindLastOf(path, "\\/:");
    size_t keep = last ? (size_t)(last - path) + 1 : 0;
    size_t nameLength = strlen(name);
    if (outSize == 0)
        return 0;
    out[0] = '\0';
    if (keep + nameLength >= outSize)
        return 0;
    memcpy(out, path, keep);
    memcpy(out + keep, name, nameLength + 1);
    return 1;
}
