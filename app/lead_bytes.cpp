/* Walking a text character by character on a double-byte code page, where
   the second byte of a character can be a backslash or a letter. */
#include "lead_bytes.h"

#include <string.h>

unsigned char LeadBytes[256];

const char *NextChar(const char *p)
{
    if (*p == '\0')
        return p;
    return IsLeadByte(*p) && p[1] != '\0' ? p + 2 : p + 1;
}

const char *FindFirstOf(const char *text, const char *set)
{
    for (const char *p = text; *p; p = NextChar(p))
        if (strchr(set, *p))
            return p;
    return NULL;
}

const char *FindLastOf(const char *text, const char *set)
{
    const char *last = NULL;
    for (const char *p = FindFirstOf(text, set); p; p = FindFirstOf(p + 1, set))
        last = p;
    return last;
}
