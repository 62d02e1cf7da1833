// Restore mode and repointing when the registry keys they need are missing.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "app/app.h"
#include "app/install_state.h"
#include "captured_log.h"
#include "registry/registry.h"
#include "registry_values.h"

namespace {

const HKEY HKLM = HKEY_LOCAL_MACHINE;

class RestoreTest : public ::testing::Test {
protected:
    // The tests take keys away: each is there again for the next.
    void TearDown() override
    {
        MakeKey(HKLM, SetupKey);
        DeleteValue(HKLM, SetupKey, "SourcePath");
        MakeKey(HKLM, RunOnceKey);
        DeleteValue(HKLM, RunOnceKey, "Quorvel");
        DeleteValue(HKLM, RunKey, "Quorvel");
    }
    CapturedLog log_;
};

TEST_F(RestoreTest, MissingSetupKeyEndsWithThePlatformsCodeAndNoMessage)
{
    ASSERT_TRUE(DeleteKey(HKLM, SetupKey));

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RestoreSourcePath("D:\\WIN98"));
    EXPECT_EQ("", log_.Take());
    EXPECT_EQ("<no key>", ReadValue(HKLM, SetupKey, "SourcePath"));
}

TEST_F(RestoreTest, ThePathRunsFromTheEqualsToTheEndOfTheLine)
{
    MakeKey(HKLM, SetupKey);
    const std::string longest = "D:\\" + std::string(124, 'p');   // 127 characters
    const std::string refused = " is not a valid command line argument - ignored. \n";
    struct Case {
        std::string line;
        int result;
        std::string stored;
    } cases[] = {
        {"-X=D:\\WIN98", 0, "D:\\WIN98"},
        {"-X=D:\\WIN 98", 0, "D:\\WIN 98"},
        {"-X=D:\\WIN98-SE\\\"A/B ", 0, "D:\\WIN98-SE\\\"A/B "},
        {"-q -x=D:\\WIN98 -c", 0, "D:\\WIN98 -c"},   // text after the path is part of it
        {"-x=", 0, ""},
        {"-x=" + longest, 0, longest},                 // longer than an option may be
        {"-x=" + longest + "p", ERROR_INVALID_PARAMETER, "<no value>"},
        {"-x -q=D:\\WIN98", ERROR_INVALID_PARAMETER, "<no value>"},
    };
    for (const Case &c : cases) {
        DeleteValue(HKLM, SetupKey, "SourcePath");
        int exitCode = -1;
        EXPECT_EQ(0, ApplyOptions(c.line.c_str(), &exitCode)) << c.line;
        EXPECT_EQ(c.result, exitCode) << c.line;
        std::string stored = ReadValue(HKLM, SetupKey, "SourcePath");
        EXPECT_EQ(c.result == 0 ? c.stored + '\0' : c.stored, stored) << c.line;
        std::string logged = log_.Take();
        if (c.result == 0)
            EXPECT_EQ("Sourcepath updated to " + c.stored + " \n", logged) << c.line;
        else
            EXPECT_NE(std::string::npos, logged.find(refused)) << c.line;
    }
}

TEST_F(RestoreTest, AnEarlierEntryOfAnyStoredLengthIsTakenOverWhole)
{
    const std::string earlier = "C:\\" + std::string(150, 'n') + "\\Drivewright -X=D:\\WIN 98-SE";
    SetText(HKLM, RunOnceKey, "Quorvel", earlier);

    char oldPath[512] = "C:\\FIRST";
    SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QV2");
    EXPECT_STREQ("D:\\WIN 98-SE", oldPath);
    EXPECT_EQ(std::string("C:\\QV2\\Drivewright -X=D:\\WIN 98-SE") + '\0',
              ReadValue(HKLM, RunOnceKey, "Quorvel"));
    EXPECT_EQ(ReadValue(HKLM, RunOnceKey, "Quorvel"), ReadValue(HKLM, RunKey, "Quorvel"));
    log_.Take();
}

TEST_F(RestoreTest, MissingRunOnceKeyLeavesSourcePathAsItWas)
{
    SetText(HKLM, SetupKey, "SourcePath", "D:\\WIN98");
    DeleteKey(HKLM, RunOnceKey);

    char oldPath[512] = "D:\\WIN98";
    EXPECT_EQ(0, SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QUORVEL\\DRIVERS"));
    EXPECT_EQ(std::string("D:\\WIN98") + '\0', ReadValue(HKLM, SetupKey, "SourcePath"));
    EXPECT_EQ("<no key>", ReadValue(HKLM, RunOnceKey, "Quorvel"));
    EXPECT_EQ("Unable to setup to reset the Sourcepath back to D:\\WIN98 \n"
              "Sourcepath not updated to C:\\QUORVEL\\DRIVERS \n",
              log_.Take());
}

TEST_F(RestoreTest, MissingSetupKeyLogsNotUpdatedButLeavesTheEntry)
{
    MakeKey(HKLM, RunOnceKey);
    ASSERT_TRUE(DeleteKey(HKLM, SetupKey));

    char oldPath[512] = "D:\\WIN98";
    SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QUORVEL\\DRIVERS");
    EXPECT_EQ("<no key>", ReadValue(HKLM, SetupKey, "SourcePath"));
    EXPECT_EQ(std::string("C:\\QUORVEL\\DRIVERS\\Drivewright -X=D:\\WIN98") + '\0',
              ReadValue(HKLM, RunOnceKey, "Quorvel"));
    EXPECT_EQ("Sourcepath not updated to C:\\QUORVEL\\DRIVERS \n", log_.Take());
}

}  // namespace
