// Judging and reading SourcePath on the prefix's real drives: C: is a hard
// disk, D: a CD-ROM drive with a disc, E: a CD-ROM drive without one.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>

#include <string>

#include "app/install_state.h"
#include "captured_log.h"
#include "registry/registry.h"
#include "registry_values.h"

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
    void TearDown() override { DeleteValue(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath"); }
    std::string Logged() { return log_.Take(); }
    CapturedLog log_;
};

TEST_F(ReadSourcePathTest, LogsThePathAndItsJudgement)
{
    SetText(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath", "C:\\windows");
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
    SetText(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath", std::string(128, 'x'));
    char path[512] = "stale";
    int usable = 7;
    EXPECT_EQ(0, ReadSourcePath(path, &usable));
    EXPECT_STREQ("", path);
    EXPECT_EQ(7, usable);

    DeleteValue(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath");
    EXPECT_EQ(0, ReadSourcePath(path, &usable));
    EXPECT_EQ(std::string(message) + message, Logged());
}

}  // namespace
