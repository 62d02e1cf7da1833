/* Whether a directory entry's own name matches a search pattern. The file
   system also matches a pattern against each file's short name, so that
   "*.INF" finds README.INFO (short name README~1.INF); the searches of the
   installation take only the names that match themselves. */
#include "install_text.h"

#include "../app/lead_bytes.h"

static char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

/* One character of each: a double-byte character equals only itself, byte
   for byte; a letter a to z equals its capital. */
static int SameChar(const char *pattern, const char *name)
{
    size_t length = (size_t)(NextChar(pattern) - pattern);
    if (length != (size_t)(NextChar(name) - name))
        return 0;
    return length == 1 ? Upper(*pattern) == Upper(*name)
                       : pattern[0] == name[0] && pattern[1] == name[1];
}

/* What is left of the pattern once the name has ended: stars, and one dot
   before the last of them, since a name without an extension matches
   "NAME.*" and every name matches "*.*". */
static int TakesNothingMore(const char *pattern)
{
    while (*pattern == '*')
        pattern++;
    if (pattern[0] == '.' && pattern[1] == '*')
        pattern++;
    while (*pattern == '*')
        pattern++;
    return *pattern == '\0';
}

/* A star takes as few characters as it can; where the rest does not match,
   the last star takes one character more. Each character is whole: the
   second byte of a double-byte character is never a star, a question mark
   or a dot. */
int NameMatches(const char *pattern, const char *name)
{
    const char *star = NULL, *resume = NULL;

    while (*name) {
        if (*pattern == '*') {
            star = ++pattern;
            resume = name;
        } else if (*pattern != '\0' && (*pattern == '?' || SameChar(pattern, name))) {
            pattern = NextChar(pattern);
            name = NextChar(name);
        } else if (star != NULL) {
            pattern = star;
            name = resume = NextChar(resume);
        } else
            return 0;
    }
    return TakesNothingMore(pattern);
}
