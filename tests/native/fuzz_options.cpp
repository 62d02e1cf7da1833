// Fuzzes the option loop's text work with any command line: the program's
// name is skipped within the line, every option is laid out inside
// OptionText, starts with "/" or "-", and its value is a piece of it.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/option_text.h"
#include "registry/restore_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string line((const char *)data, size);
    const char *text = line.c_str();
    const char *options = SkipProgramName(text);
    if (options < text || options > text + strlen(text) || *options == ' ')
        abort();
    size_t total = 0;
    size_t length;
    const char *option = FindOption(text, &length);
    while (option) {
        size_t nextLength;
        const char *next = FindOption(option + length, &nextLength);
        if (next && next != option + length)
            abort();   // options follow each other without a gap

        char *optionText = (char *)malloc(OPTION_TEXT_SIZE);
        int whole = CutOption(option, length, next == NULL, optionText);
        size_t textLength = strlen(optionText);
        if (optionText[0] != '-' && optionText[0] != '/')
            abort();
        if (whole && textLength != (next ? length + 1 : length))
            abort();

        char *value = (char *)malloc(OPTION_TEXT_SIZE);
        ValueEnd end = TakeValue(optionText, value, OPTION_TEXT_SIZE);
        if (end != NoValue && (strchr(value, ' ') || !strstr(optionText, value)))
            abort();
        free(value);
        free(optionText);

        total += length;
        option = next;
        length = nextLength;
    }
    if (total > strlen(text))
        abort();
    return 0;
}
