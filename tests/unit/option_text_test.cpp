// Cutting an option to its text, option values, and the restore command's
// text: the pieces that decide what is applied and what is stored. How the
// option loop cuts whole command lines is tested through the loop itself
// (options_test.cpp).
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "app/option_text.h"
#include "code_page_932.h"
#include "guarded_buffer.h"
#include "registry/restore_text.h"

namespace {

TEST(OptionCutting, NothingIsWrittenPastOptionText)
{
    struct Case {
        size_t length;
        int isLast;
        int whole;
        size_t textLength;
    } cases[] = {
        {126, 0, 1, 127},   // the padding blank still fits
        {127, 0, 0, 127},   // no room for the padding blank
        {127, 1, 1, 127},
        {128, 1, 0, 127},
        {500, 0, 0, 127},
        {1, 1, 1, 1},
    };
    for (const Case &c : cases) {
        std::string option = "-" + std::string(c.length - 1, 'x');
        GuardedBuffer area(OPTION_TEXT_SIZE);
        EXPECT_EQ(c.whole, CutOption(option.c_str(), c.length, c.isLast, area.data())) << c.length;
        EXPECT_EQ(c.textLength, strlen(area.data())) << c.length;
        EXPECT_EQ(0, memcmp(area.data(), option.c_str(), c.textLength < c.length ? c.textLength
                                                                                 : c.length));
        ASSERT_TRUE(area.NothingPast()) << "length " << c.length;
    }
}

TEST(TakeValue, FromTheFirstEqualsToTheFirstBlank)
{
    struct Case {
        const char *text;
        ValueEnd end;
        const char *value;
    } cases[] = {
        {"-f=C:\\DRV  ", ValueAtBlank, "C:\\DRV"},
        {"-f=C:\\DRV", ValueAtEnd, "C:\\DRV"},
        {"-s=C:\\MY DRIVERS", ValueAtBlank, "C:\\MY"},
        {"-f=\"C:\\A B\" ", ValueAtBlank, "\"C:\\A"},    // quotes are kept
        {"-f=a=b ", ValueAtBlank, "a=b"},
        {"-x=", ValueAtEnd, ""},
        {"-x= ", ValueAtBlank, ""},
        {"-f", NoValue, ""},
        {"-f  ", NoValue, ""},
        {"C:\\Q\\Drivewright -X=D:\\WIN 98", ValueAtBlank, "D:\\WIN"},
    };
    for (const Case &c : cases) {
        char value[OPTION_TEXT_SIZE] = "stale";
        EXPECT_EQ(c.end, TakeValue(c.text, value, sizeof value)) << c.text;
        EXPECT_STREQ(c.value, value) << c.text;
    }
}

TEST(TakeValue, AValueThatDoesNotFitIsNotTaken)
{
    GuardedBuffer area(8, 4);
    EXPECT_EQ(NoValue, TakeValue("-s=C:\\TOOLONG", area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    EXPECT_TRUE(area.NothingPast());
    EXPECT_EQ(ValueAtEnd, TakeValue("-s=C:\\FITS", area.data(), area.size()));
    EXPECT_STREQ("C:\\FITS", area.data());
}

TEST(TakeRestoredPath, OnlyFromAnEntryWithTheMarker)
{
    struct Case {
        const char *entry;
        int taken;
        const char *oldPath;
    } cases[] = {
        {"C:\\QUORVEL\\DRIVERS\\Drivewright -X=D:\\WIN98", 1, "D:\\WIN98"},
        {"C:\\QUORVEL\\DRIVERS\\Drivewright -X=D:\\WIN 98-SE", 1, "D:\\WIN 98-SE"},
        {"C:\\DRV\\Drivewright -X=", 1, ""},
        {"C:\\DRV\\drivewright -x=D:\\WIN98", 0, "kept"},   // the marker's case counts
        {"C:\\OTHER\\tool.exe -y=1", 0, "kept"},
        {"", 0, "kept"},
        {"C:\\A=B\\Drivewright -X=D:\\WIN98", 1, "D:\\WIN98"},   // the marker counts, not "="
    };
    for (const Case &c : cases) {
        char oldPath[512] = "kept";
        EXPECT_EQ(c.taken, TakeRestoredPath(c.entry, oldPath, sizeof oldPath)) << c.entry;
        EXPECT_STREQ(c.oldPath, oldPath) << c.entry;
    }
    char small[4] = "ok";
    EXPECT_EQ(0, TakeRestoredPath("C:\\D\\Drivewright -X=D:\\WIN98", small, sizeof small));
    EXPECT_STREQ("ok", small);
}

TEST(SkipProgramName, TheOptionsStartAfterTheNameQuotedOrNot)
{
    struct Case {
        bool japanese;
        const char *line;
        const char *options;
    } cases[] = {
        {false, "Drivewright.exe -q -c", "-q -c"},
        {false, "C:\\PKG\\Drivewright.exe\t -q", "-q"},
        {false, "C:\\PKG\\Drivewright.exe", ""},
        {false, "\"C:\\MY DRIVERS\\Drivewright.exe\" -q", "-q"},
        {false, "\"C:\\MY-DRV\\Drivewright.exe\"-q", "-q"},
        {false, "\"C:\\MY DRIVERS\\Drivewright.exe", ""},    // no closing quote
        {false, "", ""},
        // A byte of 0x80 or above is part of the name on any code page.
        {false, "C:\\PILOT\xe9-q\\Drivewright.exe -c", "-c"},
        {true, "C:\\" HYO "-q\\Drivewright.exe", ""},
        {true, "C:\\" HYO "-d\\Drivewright.exe -q -c", "-q -c"},
        {true, "\"C:\\" HYO " " SO "\\Drivewright.exe\" -c", "-c"},
        {true, "C:\\" KE "-x\\Drivewright.exe", ""},
    };
    for (const Case &c : cases) {
        UseCodePage932(c.japanese);
        EXPECT_STREQ(c.options, SkipProgramName(c.line)) << c.line;
    }
    UseCodePage932(false);
}

TEST(BuildRestoreCommand, NewPathMarkerOldPathOrNothing)
{
    char out[RESTORE_COMMAND_SIZE];
    EXPECT_EQ(1, BuildRestoreCommand("C:\\QUORVEL\\DRIVERS", "D:\\WIN98", out, sizeof out));
    EXPECT_STREQ("C:\\QUORVEL\\DRIVERS\\Drivewright -X=D:\\WIN98", out);

    // 255 characters fit the buffer with the terminator; 256 do not.
    std::string newPath = "C:\\" + std::string(117, 'n');   // 120
    std::string oldPath = "D:\\" + std::string(116, 'o');   // 119: 120 + 16 + 119 = 255
    ASSERT_EQ(1, BuildRestoreCommand(newPath.c_str(), oldPath.c_str(), out, sizeof out));
    EXPECT_EQ(newPath + "\\Drivewright -X=" + oldPath, out);

    oldPath += "o";
    GuardedBuffer area(RESTORE_COMMAND_SIZE);
    EXPECT_EQ(0, BuildRestoreCommand(newPath.c_str(), oldPath.c_str(), area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    ASSERT_TRUE(area.NothingPast());
    EXPECT_EQ(0, BuildRestoreCommand(std::string(300, 'n').c_str(), "", area.data(), area.size()));
}

}  // namespace
