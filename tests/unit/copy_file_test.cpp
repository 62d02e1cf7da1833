// Installed files never keep the read-only attribute that files on a CD
// carry; a file that cannot be replaced keeps its own attributes, and no
// copy leaves a temporary file behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>

#include <set>
#include <string>

#include "app/install_state.h"
#include "captured_log.h"
#include "install/install.h"

namespace {

const DWORD ReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

class CopyOneFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallState.QuietMode = 1;
        CreateDirectoryA(dir_, NULL);
    }
    void TearDown() override
    {
        for (const char *name : {"source.drv", "dest.drv", "qv0000.tmp"}) {
            std::string path = Path(name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(dir_);
    }
    std::string Path(const char *name) { return std::string(dir_) + "\\" + name; }
    void Write(const char *name, const char *text, DWORD attributes)
    {
        FILE *file = fopen(Path(name).c_str(), "wb");
        ASSERT_NE(nullptr, file);
        fputs(text, file);
        fclose(file);
        SetFileAttributesA(Path(name).c_str(), attributes);
    }
    std::string Read(const char *name)
    {
        char text[32] = "";
        FILE *file = fopen(Path(name).c_str(), "rb");
        if (file) {
            fgets(text, sizeof text, file);
            fclose(file);
        }
        return text;
    }
    DWORD Attributes(const char *name) { return GetFileAttributesA(Path(name).c_str()); }
    // One copy as a step of the installation makes it: its copies end with it.
    int Copy(const std::string &source, const std::string &destination)
    {
        int copied = CopyOneFile(source.c_str(), destination.c_str(), NULL);
        EndCopies();
        return copied;
    }
    // The names in the directory, in lower case and sorted.
    std::string Entries()
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA(Path("*").c_str(), &entry);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
            std::string name = CharLowerA(entry.cFileName);
            if (name != "." && name != "..")
                names.insert(name);
        }
        FindClose(search);
        std::string joined;
        for (const std::string &name : names)
            joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }

    const char *dir_ = "C:\\copytest";
    CapturedLog log_;
};

TEST_F(CopyOneFileTest, CopyFromAReadOnlySourceOverAReadOnlyFileIsWritable)
{
    Write("source.drv", "new", FILE_ATTRIBUTE_READONLY);
    Write("dest.drv", "old", FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(1, Copy(Path("source.drv"), Path("dest.drv")));
    EXPECT_EQ(0u, Attributes("dest.drv") & FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(0u, Attributes("source.drv") & FILE_ATTRIBUTE_READONLY);
}

TEST_F(CopyOneFileTest, FailedCopyLeavesTheOldFileAsItWas)
{
    Write("dest.drv", "old", ReadOnlyHidden);
    EXPECT_EQ(0, Copy(Path("missing.drv"), Path("dest.drv")));
    EXPECT_EQ(ReadOnlyHidden, Attributes("dest.drv") & ReadOnlyHidden);
    EXPECT_EQ("dest.drv", Entries()) << "no temporary file is left";
}

TEST_F(CopyOneFileTest, CopyOverAFileLeavesNoTemporaryFile)
{
    Write("source.drv", "new", FILE_ATTRIBUTE_NORMAL);
    Write("dest.drv", "old", FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(1, Copy(Path("source.drv"), Path("dest.drv")));
    EXPECT_EQ("dest.drv source.drv", Entries());
}

// A run of an earlier build, cut short between the two moves of a
// replacement, left the old driver file under a temporary name beside it.
TEST_F(CopyOneFileTest, AFileLeftUnderATemporaryNameIsPassedOver)
{
    Write("qv0000.tmp", "old driver", FILE_ATTRIBUTE_NORMAL);
    Write("source.drv", "new", FILE_ATTRIBUTE_NORMAL);
    Write("dest.drv", "old", FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(1, Copy(Path("source.drv"), Path("dest.drv")));
    EXPECT_EQ("dest.drv qv0000.tmp source.drv", Entries());
    EXPECT_EQ("old driver", Read("qv0000.tmp"));
}

TEST_F(CopyOneFileTest, AFileCopiedOntoItselfFailsAndKeepsItsContent)
{
    Write("source.drv", "mine", FILE_ATTRIBUTE_NORMAL);
    SetCurrentDirectoryA(dir_);
    EXPECT_EQ(0, Copy("source.drv", Path("SOURCE.DRV")));
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ("source.drv", Entries());
    EXPECT_EQ("mine", Read("source.drv"));
}

TEST_F(CopyOneFileTest, MakeWritableClearsOnlyTheReadOnlyAttributeOfAFile)
{
    Write("dest.drv", "old", ReadOnlyHidden);
    EXPECT_EQ(ReadOnlyHidden, MakeWritable(Path("dest.drv").c_str()) & ReadOnlyHidden);
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN, Attributes("dest.drv") & ReadOnlyHidden);

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, MakeWritable(Path("missing.drv").c_str()));
}

}  // namespace
