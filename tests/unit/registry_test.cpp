// Registry reads against the prefix's real registry: the 128-byte limit above all.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "guarded_buffer.h"
#include "registry/registry.h"
#include "registry_values.h"

namespace {

const char kTestKey[] = "Software\\DrivewrightUnitTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, kTestKey));
        ASSERT_EQ(1, OpenKey(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS, &key_));
    }
    void TearDown() override
    {
        CloseKey(key_);
        DeleteKey(HKEY_CURRENT_USER, kTestKey);
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
        ASSERT_TRUE(SetBytes(HKEY_CURRENT_USER, kTestKey, "Value", c.data));
        GuardedBuffer buffer(REGISTRY_TEXT_LIMIT, 512 - REGISTRY_TEXT_LIMIT);
        EXPECT_EQ(c.result, QueryStringValue(key_, "Value", buffer.data())) << c.what;
        EXPECT_EQ(c.expected, std::string(buffer.data())) << c.what;
        ASSERT_TRUE(buffer.NothingPast()) << c.what;
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
