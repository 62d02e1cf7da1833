/* Cutting the command line into options: every "/" and every "-" starts one,
   wherever it stands, and the blanks after an option's letters belong to it. */
#include "option_text.h"

#include <string.h>

const char *FindOption(const char *text, size_t *length)
{
    const char *start = text + strcspn(text, "/-");
    if (*start == '\0') {
        *length = 0;
        return NULL;
    }
    *length = 1 + strcspn(start + 1, "/-");
    return start;
}

int CutOption(const char *option, size_t length, int isLast, char *optionText)
{
    size_t room = OPTION_TEXT_SIZE - 1;
    size_t wanted = isLast ? length : length + 1;
    size_t copied = length < room ? length : room;

    memset(optionText, ' ', OPTION_TEXT_SIZE);
    memcpy(optionText, option, copied);
    if (wanted > room) {
        optionText[room] = '\0';
        return 0;
    }
    optionText[wanted] = '\0';
    return 1;
}
