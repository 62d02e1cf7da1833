/* The texts of the restore cycle, shared by the option loop and the registry steps. */
#include "restore_text.h"

#include <string.h>

ValueEnd TakeValue(const char *text, char *value, size_t valueSize)
{
    if (valueSize > 0)
        value[0] = '\0';
    const char *equals = strchr(text, '=');
    if (equals == NULL)
        return NoValue;

    const char *start = equals + 1;
    size_t length = strcspn(start, " ");
    if (length >= valueSize)
        return NoValue;
    memcpy(value, start, length);
    value[length] = '\0';
    return start[length] == ' ' ? ValueAtBlank : ValueAtEnd;
}

int TakeRestoredPath(const char *entry, char *oldPath, size_t oldPathSize)
{
    if (strstr(entry, RestoreMarker) == NULL)
        return 0;

    /* The entry text is read with a limit of its own; its value always fits an
       old-path buffer, but a smaller one is left as it was rather than cut. */
    char value[256];
    if (TakeValue(entry, value, sizeof value) == NoValue || strlen(value) >= oldPathSize)
        return 0;
    memcpy(oldPath, value, strlen(value) + 1);
    return 1;
}

int BuildRestoreCommand(const char *newPath, const char *oldPath, char *out, size_t outSize)
{
    size_t newLength = strlen(newPath);
    size_t markerLength = sizeof RestoreMarker - 1;
    size_t oldLength = strlen(oldPath);

    if (outSize == 0)
        return 0;
    out[0] = '\0';
    if (newLength >= outSize || markerLength >= outSize - newLength ||
        oldLength >= outSize - newLength - markerLength)
        return 0;

    memcpy(out, newPath, newLength);
    memcpy(out + newLength, RestoreMarker, markerLength);
    memcpy(out + newLength + markerLength, oldPath, oldLength + 1);
    return 1;
}
