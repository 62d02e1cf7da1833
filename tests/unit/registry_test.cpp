// Registry reads against the prefix's real registry: the 128-byte limit above all.
#include <gtest/gtest.h>

#include <windows.h>
#include <string.h>

#include <string>

#include "registry/registry.h"

namespace {

const char kTestKey[] = "Software\\DrivewrightUnitTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &key_, NULL));
    }
    void TearDown() override
    {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    void SetRaw(const char *name, const std::string &data)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key_, name, 0, REG_SZ, (const BYTE *)data.data(),
                                                (DWORD)data.size()));
    }
    HKEY key_ = NULL;
};

struct QueryCase {
    const char *what;
    std::string data;       // bytes stored, as they are
    int result;
    std::string expected;
};

TEST_F(RegistryTest, QueryStringValueKeepsToItsLimit)
{
    const QueryCase cases[] = {
        {"short", std::string("C:\\WINDOWS") + '\0', 1, "C:\\WINDOWS"},
        {"127 characters and terminator", std::string(127, 'p') + '\0', 1, std::string(127, 'p')},
        {"128 characters and terminator", std::string(128, 'p') + '\0', 0, ""},
        {"empty", std::string(1, '\0'), 1, ""},
        {"no terminator, short", "ABC", 1, "ABC"},
        {"no terminator, 128 bytes", std::string(128, 'q'), 0, ""},
    };
    for (const QueryCase &c : cases) {
        SetRaw("Value", c.data);
        char buffer[512];
        memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(c.result, QueryStringValue(key_, "Value", buffer)) << c.what;
        EXPECT_EQ(c.expected, std::string(buffer)) << c.what;
        for (size_t i = REGISTRY_TEXT_LIMIT; i < sizeof buffer; i++)
            ASSERT_EQ('#', buffer[i]) << c.what << ": written past the limit at " << i;
    }
}

TEST_F(RegistryTest, MissingValueGivesEmptyText)
{
    char buffer[REGISTRY_TEXT_LIMIT] = "stale";
    EXPECT_EQ(0, QueryStringValue(key_, "NoSuchValue", buffer));
    EXPECT_STREQ("", buffer);
}

TEST_F(RegistryTest, OpenKeyReportsAMissingKey)
{
    HKEY key = (HKEY)1;
    EXPECT_EQ(0, OpenKey(HKEY_CURRENT_USER, "Software\\DrivewrightNoSuchKey", KEY_ALL_ACCESS, &key));
    EXPECT_EQ(NULL, key);
    CloseKey(key);

    EXPECT_EQ(1, OpenKey(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS, &key));
    EXPECT_NE((HKEY)NULL, key);
    CloseKey(key);
}

}  // namespace
