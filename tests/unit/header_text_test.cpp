// The header line, for the command lines a user may give.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "app/header_text.h"
#include "guarded_buffer.h"

namespace {

struct HeaderCase {
    const char *commandLine;
    const char *expected;
};

const HeaderCase kHeaderCases[] = {
    {"", "\n"},
    {"-q", "\n"},
    {"-q \"quoted\"", "\n"},                       // a quote alone asks for nothing
    {"-h=\"xxx\"", "xxx\n"},
    {"/H=\"Upper slash\"", "Upper slash\n"},
    {"-H=\"x\" -q", "x\n"},
    {"-h=\"\"", "\n\n"},
    {"-h=\"no closing quote", " \n"},
    {"-h=no quote at all", " \n"},
    {"-f=\"C:\\DRV\" -h=\"Title\"", "C:\\DRV\n"},  // the first quoted text of the line
    {"-s=C:\\SETUP-HELP", " \n"},                  // -h inside a value still counts
    {"-s=C:\\SETUP-HELP \"a\"", "a\n"},
    {"-h=\"%s%n%x\"", "%s%n%x\n"},
    {"-h=\"12/05/98\"", "12/05/98\n"},
    {"x\"a\"-h", "a\n"},
};

TEST(HeaderLine, FollowsTheCommandLine)
{
    for (const HeaderCase &c : kHeaderCases) {
        char line[HEADER_LINE_WIDTH];
        BuildHeaderLine(c.commandLine, line, sizeof line);
        EXPECT_STREQ(c.expected, line) << "command line: " << c.commandLine;
    }
}

TEST(HeaderLine, LongTextIsCutAndNothingIsWrittenPastTheLine)
{
    const size_t lengths[] = {122, 123, 124, 200, 5000};
    for (size_t length : lengths) {
        std::string text(length, 'a');
        text[0] = 'B';
        std::string commandLine = "-h=\"" + text + "\"";

        GuardedBuffer area(HEADER_LINE_WIDTH, 64);
        BuildHeaderLine(commandLine.c_str(), area.data(), area.size());

        size_t kept = length < 123 ? length : 123;
        EXPECT_EQ(text.substr(0, kept) + "\n", std::string(area.data())) << length;
        ASSERT_TRUE(area.NothingPast()) << length;
    }
}

}  // namespace
