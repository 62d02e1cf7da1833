/* Searches by a name pattern that take only the entries whose own names
   match it: the file system also matches the pattern against each short
   name, so that "*.INF" would find README.INFO and QVAUDIO.INF~ too. */
#include "install.h"

#include "install_text.h"
#include "../app/lead_bytes.h"

/* The pattern's last part, after the directory it may name. */
static const char *NamePart(const char *pattern)
{
    const char *separator = FindLastOf(pattern, "\\/:");
    return separator != NULL ? separator + 1 : pattern;
}

HANDLE FindFirstMatch(const char *pattern, WIN32_FIND_DATAA *entry)
{
    HANDLE search = FindFirstFileA(pattern, entry);
    if (search == INVALID_HANDLE_VALUE || NameMatches(NamePart(pattern), entry->cFileName) ||
        FindNextMatch(search, pattern, entry))
        return search;
    FindClose(search);
    return INVALID_HANDLE_VALUE;
}

int FindNextMatch(HANDLE search, const char *pattern, WIN32_FIND_DATAA *entry)
{
    while (FindNextFileA(search, entry))
        if (NameMatches(NamePart(pattern), entry->cFileName))
            return 1;
    return 0;
}

int HasMatch(const char *pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstMatch(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}
