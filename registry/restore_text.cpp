/* The texts of the restore cycle, shared by the option loop and the registry steps. */
#include "restore_text.h"

#include <string.h>

const char RestoreMarker[] = "\\Drivewright -X=";

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

/* Copies all of text into out, or nothing when it does not fit. */
static int CopyWhole(const char *text, char *out, size_t outSize)
{
    size_t length = strlen(text);
    if (length >= outSize)
        return 0;
    memcpy(out, text, length + 1);
    return 1;
}

int TakeRestoredPath(const char *entry, char *oldPath, size_t oldPathSize)
{
    const char *marker = strstr(entry, RestoreMarker);
    return marker != NULL && CopyWhole(marker + sizeof RestoreMarker - 1, oldPath, oldPathSize);
}

int TakeRestoreModePath(const char *fromOption, char *path, size_t pathSize)
{
    const char *equals = strchr(fromOption, '=');
    if (pathSize > 0)
        path[0] = '\0';
    return equals != NULL && CopyWhole(equals + 1, path, pathSize);
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
