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

namespace {

std::string ReadValue(const char *subKey, const char *name)
{
    HKEY key;
    char data[512];
    DWORD size = sizeof data;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    LONG rc = RegQueryValueExA(key, name, NULL, NULL, (BYTE *)data, &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(data, size) : "<no value>";
}

class RestoreTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        HKEY key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        RegDeleteValueA(key, "SourcePath");
        RegCloseKey(key);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunOnceKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL);
        RegDeleteValueA(key, "Quorvel");
        RegCloseKey(key);
    }
    CapturedLog log_;
};

TEST_F(RestoreTest, MissingSetupKeyEndsWithThePlatformsCodeAndNoMessage)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SetupKey);
    HKEY probe;
    ASSERT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_READ, &probe))
        << "the setup key could not be removed for the test";

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RestoreSourcePath("D:\\WIN98"));
    EXPECT_EQ("", log_.Take());
    EXPECT_EQ("<no key>", ReadValue(SetupKey, "SourcePath"));
}

TEST_F(RestoreTest, ThePathRunsFromTheEqualsToTheEndOfTheLine)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegCloseKey(key);
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
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_ALL_ACCESS, &key);
        RegDeleteValueA(key, "SourcePath");
        RegCloseKey(key);
        int exitCode = -1;
        EXPECT_EQ(0, ApplyOptions(c.line.c_str(), &exitCode)) << c.line;
        EXPECT_EQ(c.result, exitCode) << c.line;
        std::string stored = ReadValue(SetupKey, "SourcePath");
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
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunOnceKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "Quorvel", 0, REG_SZ, (const BYTE *)earlier.c_str(),
                   (DWORD)earlier.size() + 1);
    RegCloseKey(key);

    char oldPath[512] = "C:\\FIRST";
    SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QV2");
    EXPECT_STREQ("D:\\WIN 98-SE", oldPath);
    EXPECT_EQ(std::string("C:\\QV2\\Drivewright -X=D:\\WIN 98-SE") + '\0',
              ReadValue(RunOnceKey, "Quorvel"));
    log_.Take();
}

TEST_F(RestoreTest, MissingRunOnceKeyLeavesSourcePathAsItWas)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "SourcePath", 0, REG_SZ, (const BYTE *)"D:\\WIN98", 9);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, RunOnceKey);

    char oldPath[512] = "D:\\WIN98";
    EXPECT_EQ(0, SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QUORVEL\\DRIVERS"));
    EXPECT_EQ(std::string("D:\\WIN98") + '\0', ReadValue(SetupKey, "SourcePath"));
    EXPECT_EQ("<no key>", ReadValue(RunOnceKey, "Quorvel"));
    EXPECT_EQ("Unable to setup to reset the Sourcepath back to D:\\WIN98 \n"
              "Sourcepath not updated to C:\\QUORVEL\\DRIVERS \n",
              log_.Take());
}

TEST_F(RestoreTest, MissingSetupKeyLogsNotUpdatedButLeavesTheEntry)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunOnceKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SetupKey);
    ASSERT_EQ("<no key>", ReadValue(SetupKey, "SourcePath"))
        << "the setup key could not be removed for the test";

    char oldPath[512] = "D:\\WIN98";
    SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QUORVEL\\DRIVERS");
    EXPECT_EQ("<no key>", ReadValue(SetupKey, "SourcePath"));
    EXPECT_EQ(std::string("C:\\QUORVEL\\DRIVERS\\Drivewright -X=D:\\WIN98") + '\0',
              ReadValue(RunOnceKey, "Quorvel"));
    EXPECT_EQ("Sourcepath not updated to C:\\QUORVEL\\DRIVERS \n", log_.Take());
}

}  // namespace
