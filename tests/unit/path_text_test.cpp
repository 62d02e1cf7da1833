// The program's directory as cut from its module file name.
#include <gtest/gtest.h>

#include <string.h>

#include "app/path_text.h"
#include "code_page_932.h"
#include "guarded_buffer.h"

namespace {

struct SplitCase {
    const char *moduleName;
    const char *expected;
};

const SplitCase kSplitCases[] = {
    {"C:\\DRV\\Drivewright.exe", "C:\\DRV\\"},
    {"A:\\Drivewright.exe", "A:\\"},
    {"C:\\QUORVEL\\DRIVERS\\DRIVEWRIGHT.EXE", "C:\\QUORVEL\\DRIVERS\\"},
    {"C:/mixed\\slashes/Drivewright.exe", "C:/mixed\\slashes/"},
    {"\\\\server\\share\\Drivewright.exe", "\\\\server\\share\\"},
    {"C:Drivewright.exe", "C:"},
    {"Drivewright.exe", ""},
    {"", ""},
};

TEST(SplitProgramDir, KeepsDriveAndDirectory)
{
    for (const SplitCase &c : kSplitCases) {
        char out[512];
        EXPECT_EQ(1, SplitProgramDir(c.moduleName, out, sizeof out)) << c.moduleName;
        EXPECT_STREQ(c.expected, out) << c.moduleName;
    }
}

// The second byte of 表 is a backslash's code: the directory ends at the real one.
TEST(SplitProgramDir, OnCodePage932)
{
    CodePage932 japanese;
    const SplitCase cases[] = {
        {"C:\\" SHIN HYO "\\" HYO ".EXE", "C:\\" SHIN HYO "\\"},
        {"C:\\" HYO, "C:\\"},
    };
    for (const SplitCase &c : cases) {
        char out[512];
        EXPECT_EQ(1, SplitProgramDir(c.moduleName, out, sizeof out)) << c.moduleName;
        EXPECT_STREQ(c.expected, out) << c.moduleName;
    }
}

TEST(SplitProgramDir, RefusesWhatDoesNotFit)
{
    GuardedBuffer area(8);
    EXPECT_EQ(0, SplitProgramDir("C:\\LONGNAME\\X.EXE", area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    EXPECT_TRUE(area.NothingPast());

    char exact[9];  // eight characters and the terminator
    EXPECT_EQ(1, SplitProgramDir("C:\\ABCD\\X.EXE", exact, sizeof exact));
    EXPECT_STREQ("C:\\ABCD\\", exact);
}

}  // namespace
