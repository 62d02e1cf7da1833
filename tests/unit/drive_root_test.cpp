// The drive root whose type decides whether a source path is usable.
#include <gtest/gtest.h>

#include <string.h>

#include "registry/drive_root.h"
#include "code_page_932.h"
#include "guarded_buffer.h"

namespace {

struct RootCase {
    const char *path;
    int result;
    const char *expected;
};

const RootCase kRootCases[] = {
    {"D:\\WIN98\\CABS", 1, "D:\\"},
    {"C:\\WINDOWS\\OPTIONS\\CABS", 1, "C:\\"},
    {"E:", 1, "E:\\"},
    {"C:relative", 1, "C:\\"},
    {"WIN98", 1, "W:"},                 // no colon: the first character and a colon
    {"\\\\server\\share", 1, "\\:"},
    {"abc:def:ghi", 1, "abc:\\"},       // cut after the first colon
    {"", 0, ""},
};

TEST(BuildDriveRoot, CutsAfterTheFirstColonOrTakesTheFirstCharacter)
{
    for (const RootCase &c : kRootCases) {
        char out[512];
        EXPECT_EQ(c.result, BuildDriveRoot(c.path, out, sizeof out)) << c.path;
        EXPECT_STREQ(c.expected, out) << c.path;
    }
}

// The first character of a path without a colon is both bytes of 表.
TEST(BuildDriveRoot, OnCodePage932)
{
    CodePage932 japanese;
    const RootCase cases[] = {
        {HYO "WIN98", 1, HYO ":"},
        {"\x95", 1, "\x95:"},             // a lead byte before the end is one byte
    };
    for (const RootCase &c : cases) {
        char out[512];
        EXPECT_EQ(c.result, BuildDriveRoot(c.path, out, sizeof out)) << c.path;
        EXPECT_STREQ(c.expected, out) << c.path;
    }
}

TEST(BuildDriveRoot, NeverWritesPastItsBuffer)
{
    GuardedBuffer area(4, 12);
    EXPECT_EQ(0, BuildDriveRoot("LONGDRIVE:\\X", area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    EXPECT_EQ(1, BuildDriveRoot("D:\\X", area.data(), area.size()));
    EXPECT_STREQ("D:\\", area.data());
    EXPECT_EQ(0, BuildDriveRoot("D:\\X", area.data(), 3));
    EXPECT_EQ(1, BuildDriveRoot("X", area.data(), 3));
    EXPECT_STREQ("X:", area.data());
    EXPECT_TRUE(area.NothingPast());
}

}  // namespace
