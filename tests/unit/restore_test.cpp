// Restore mode and repointing when the registry keys they need are missing.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>

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

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RestoreSourcePath("-X=D:\\WIN98"));
    EXPECT_STREQ("D:\\WIN98", InstallState.OldSourcePath);
    EXPECT_EQ("", log_.Take());
    EXPECT_EQ("<no key>", ReadValue(SetupKey, "SourcePath"));
}

TEST_F(RestoreTest, WritesThePathUpToTheFirstBlank)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegCloseKey(key);
    struct Case {
        const char *optionText;
        int result;
        const char *stored;
        const char *logged;
    } cases[] = {
        {"-X=D:\\WIN98", 0, "D:\\WIN98", "Sourcepath updated to D:\\WIN98 \n"},
        {"-x=D:\\WIN 98 ", 0, "D:\\WIN", "Sourcepath updated to D:\\WIN \n"},
        {"-x=", 0, "", "Sourcepath updated to  \n"},
        {"-x ", ERROR_INVALID_PARAMETER, "<no value>", ""},
    };
    for (const Case &c : cases) {
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, KEY_ALL_ACCESS, &key);
        RegDeleteValueA(key, "SourcePath");
        RegCloseKey(key);
        EXPECT_EQ(c.result, RestoreSourcePath(c.optionText)) << c.optionText;
        std::string stored = ReadValue(SetupKey, "SourcePath");
        EXPECT_EQ(c.result == 0 ? std::string(c.stored) + '\0' : std::string(c.stored), stored)
            << c.optionText;
        EXPECT_EQ(c.logged, log_.Take()) << c.optionText;
    }
}

TEST_F(RestoreTest, MissingRunOnceKeyStillRepointsButLeavesNoEntry)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, RunOnceKey);
    char oldPath[512] = "D:\\WIN98";
    SetRestoreEntry(oldPath, sizeof oldPath, "C:\\QUORVEL\\DRIVERS");
    EXPECT_EQ(std::string("C:\\QUORVEL\\DRIVERS") + '\0', ReadValue(SetupKey, "SourcePath"));
    EXPECT_EQ("<no key>", ReadValue(RunOnceKey, "Quorvel"));
    EXPECT_EQ("Sourcepath updated to C:\\QUORVEL\\DRIVERS \n"
              "Unable to setup to reset the Sourcepath back to D:\\WIN98 \n",
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
