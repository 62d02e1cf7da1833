// Judging and reading SourcePath on the prefix's real drives: C: is a hard
// disk, D: a CD-ROM drive with a disc, E: a CD-ROM drive without one.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>

#include <string>

#include "app/install_state.h"
#include "captured_log.h"
#include "registry/registry.h"

namespace {

std::string CurrentDirectory()
{
    char dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

TEST(IsUsableSourcePath, OnlyExistingDirectoriesOnAFixedDisk)
{
    CreateDirectoryA("C:\\CABS", NULL);
    CreateDirectoryA("D:\\WIN98", NULL);
    ASSERT_EQ(DRIVE_CDROM, GetDriveTypeA("D:\\"));
    ASSERT_EQ(DRIVE_CDROM, GetDriveTypeA("E:\\"));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("D:\\WIN98"));

    struct Case {
        const char *path;
        const char *startIn;
        int usable;
    } cases[] = {
        {"C:\\windows", "C:\\windows\\system32", 1},
        {"C:\\CABS", "C:\\windows", 1},
        {"C:\\", "C:\\windows", 1},
        {"C:\\NO\\SUCH\\DIR", "C:\\windows", 0},
        {"D:\\WIN98", "C:\\windows", 0},        // exists, but on a CD-ROM drive
        {"D:\\", "C:\\windows", 0},
        {"E:\\WIN98", "C:\\windows", 0},        // no disc in the drive
        {"CABS", "C:\\", 1},                    // no colon: drive "C:" is judged
        {"windows", "C:\\", 0},                 // drive "w:" does not exist
        {"", "C:\\windows", 0},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(SetCurrentDirectoryA(c.startIn)) << c.startIn;
        std::string before = CurrentDirectory();
        EXPECT_EQ(c.usable, IsUsableSourcePath(c.path)) << c.path;
        EXPECT_EQ(before, CurrentDirectory()) << "after " << c.path;
    }
    RemoveDirectoryA("C:\\CABS");
}

class ReadSourcePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &key_, NULL));
    }
    void TearDown() override
    {
        RegDeleteValueA(key_, "SourcePath");
        RegCloseKey(key_);
    }
    std::string Logged() { return log_.Take(); }
    HKEY key_ = NULL;
    CapturedLog log_;
};

TEST_F(ReadSourcePathTest, LogsThePathAndItsJudgement)
{
    RegSetValueExA(key_, "SourcePath", 0, REG_SZ, (const BYTE *)"C:\\windows", 11);
    char path[512] = "";
    int usable = 7;
    EXPECT_EQ(1, ReadSourcePath(path, &usable));
    EXPECT_STREQ("C:\\windows", path);
    EXPECT_EQ(1, usable);
    EXPECT_EQ("Sourcepath in registry is C:\\windows (useable)\n", Logged());
}

TEST_F(ReadSourcePathTest, MissingOrTooLongValueLeavesTheFlagAlone)
{
    const char *message =
        "Sourcepath not found in registry.  Creating Options\\Cabs Sourcepath in registry. \n";
    std::string tooLong(128, 'x');
    RegSetValueExA(key_, "SourcePath", 0, REG_SZ, (const BYTE *)tooLong.c_str(), 129);
    char path[512] = "stale";
    int usable = 7;
    EXPECT_EQ(0, ReadSourcePath(path, &usable));
    EXPECT_STREQ("", path);
    EXPECT_EQ(7, usable);

    RegDeleteValueA(key_, "SourcePath");
    EXPECT_EQ(0, ReadSourcePath(path, &usable));
    EXPECT_EQ(std::string(message) + message, Logged());
}

}  // namespace
