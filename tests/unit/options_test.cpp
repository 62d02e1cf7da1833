// The option loop on the real platform: which fields of the run's state each
// command line leaves, and where it leaves the working directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app.h"
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

class ApplyOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override
    {
        SetCurrentDirectoryA("C:\\windows");
        RemoveDirectoryA("C:\\DRV");
    }
    // The state every case starts from, also between the cases of a table.
    void Reset()
    {
        InstallState.RebootMode = 1;
        InstallState.CopyDrivers = 1;
        InstallState.QuietMode = 0;
        strcpy(InstallState.ProgramDir, "C:\\windows");
        strcpy(InstallState.OldSourcePath, "D:\\WIN98");
        strcpy(InstallState.DriverDir, "D:\\WIN98");
        InstallState.OverrideSourcePath[0] = '\0';
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
        CreateDirectoryA("C:\\DRV", NULL);
    }
    std::string Logged() { return log_.Take(); }
    CapturedLog log_;
};

const char kRejected[] = " is not a valid command line argument - ignored. \n";

// The text with the letter of each option it holds made one that the option
// loop rejects, so that the loop logs each option as it cut it. The cutting
// looks only at where each "-" and "/" stands, never at the letters.
std::string Rejected(std::string text)
{
    for (size_t i = 0; i + 1 < text.size(); i++) {
        if ((text[i] == '-' || text[i] == '/') && !strchr("-/ ", text[i + 1]))
            text[i + 1] = 'z';
    }
    return text;
}

TEST_F(ApplyOptionsTest, EveryDashAndSlashStartsAnOption)
{
    const struct {
        const char *line;
        std::vector<std::string> options;
    } cases[] = {
        {"", {}},
        {"SETUP", {}},
        {"SETUP -q", {"-q"}},
        {"-c -r", {"-c  ", "-r"}},
        {"-z -q", {"-z  ", "-q"}},
        {"-q -c ", {"-q  ", "-c "}},
        {"-s=C:\\MY DRIVERS", {"-s=C:\\MY DRIVERS"}},
        {"-s=C:\\NEW-DRV", {"-s=C:\\NEW ", "-DRV"}},
        {"-h=\"12/05/98\" -q", {"-h=\"12 ", "/05 ", "/98\"  ", "-q"}},
        {"-", {"-"}},
        {"-c -", {"-c  ", "-"}},
        {"--/", {"- ", "- ", "/"}},
        {"/Q", {"/Q"}},
        {"-f=C:\\DRV -q", {"-f=C:\\DRV  ", "-q"}},
    };
    for (const auto &c : cases) {
        std::string expected;
        for (const std::string &option : c.options)
            expected += Rejected(option) + kRejected;
        int exitCode = -1;
        EXPECT_EQ(1, ApplyOptions(Rejected(c.line).c_str(), &exitCode)) << c.line;
        EXPECT_EQ(expected, Logged()) << c.line;
    }
}

TEST_F(ApplyOptionsTest, FieldsSetByTheLetterOptions)
{
    struct Case {
        const char *line;
        int rebootMode, copyDrivers, quietMode;
    } cases[] = {
        {"-c -r", 1, 1, 0},
        {"-r -c", 2, 1, 0},
        {"-q -c", 2, 1, 1},
        {"-quiet", 1, 1, 1},
        {"-Debug", 1, 0, 0},
        {"/Q /C /D", 2, 0, 1},
        {"SETUP -q", 1, 1, 1},
        {"-h=\"title\"", 1, 1, 0},
        {"-z -y", 1, 1, 0},
    };
    for (const Case &c : cases) {
        Reset();
        int exitCode = -1;
        EXPECT_EQ(1, ApplyOptions(c.line, &exitCode)) << c.line;
        EXPECT_EQ(c.rebootMode, InstallState.RebootMode) << c.line;
        EXPECT_EQ(c.copyDrivers, InstallState.CopyDrivers) << c.line;
        EXPECT_EQ(c.quietMode, InstallState.QuietMode) << c.line;
        EXPECT_STREQ("D:\\WIN98", InstallState.DriverDir) << c.line;
    }
}

TEST_F(ApplyOptionsTest, ProgramDirAndTheWorkingDirectory)
{
    struct Case {
        const char *line;
        const char *programDir;
        const char *workingDir;
    } cases[] = {
        {"-f=C:\\DRV -q", "C:\\DRV", "C:\\DRV"},
        {"-f=C:\\DRV", "C:\\DRV", "C:\\DRV"},
        {"-f=C:\\NOPE", "C:\\NOPE", "C:\\windows"},      // kept, but no change of directory
        {"-f=\"C:\\DRV\"", "\"C:\\DRV\"", "C:\\windows"},
        {"-f=C:\\DRV -f=C:\\NOPE", "C:\\NOPE", "C:\\DRV"},
        {"-f -q", "C:\\windows", "C:\\windows"},         // no value: rejected
    };
    for (const Case &c : cases) {
        Reset();
        int exitCode = -1;
        EXPECT_EQ(1, ApplyOptions(c.line, &exitCode)) << c.line;
        EXPECT_STREQ(c.programDir, InstallState.ProgramDir) << c.line;
        EXPECT_STREQ(c.workingDir, CurrentDirectory().c_str()) << c.line;
    }
}

TEST_F(ApplyOptionsTest, SourcePathOptionSetsTheDriverDirectory)
{
    int exitCode = -1;
    EXPECT_EQ(1, ApplyOptions("-s=C:\\NEW-DRV", &exitCode));
    EXPECT_STREQ("C:\\NEW", InstallState.OverrideSourcePath);
    EXPECT_STREQ("C:\\NEW", InstallState.DriverDir);
    EXPECT_EQ(0, InstallState.CopyDrivers);
    // SourcePath waits until the run knows that the installation can finish.
    EXPECT_EQ("", Logged());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\NEW"));
    RepointAsked();
    RepointAsked();
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY,
              GetFileAttributesA("C:\\NEW") & FILE_ATTRIBUTE_DIRECTORY);
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, sizeof program);
    EXPECT_EQ(std::string("Copying ") + program + " to C:\\NEW\\Drivewright.exe \n"
              "Sourcepath updated to C:\\NEW \n", Logged());
    DeleteFileA("C:\\NEW\\Drivewright.exe");
    RemoveDirectoryA("C:\\NEW");

    DeleteValue(HKEY_LOCAL_MACHINE, RunOnceKey, "Quorvel");
    DeleteValue(HKEY_LOCAL_MACHINE, RunKey, "Quorvel");
}

TEST_F(ApplyOptionsTest, HelpAndRestoreEndTheLoop)
{
    struct Case {
        const char *line;
        int exitCode;
        int quietMode;
    } cases[] = {
        {"-?", 0, 0},
        {"-q -? -c", 0, 1},                 // options before it keep their effect
        {"-? -q", 0, 0},
        {"-x -q", ERROR_INVALID_PARAMETER, 0},
    };
    for (const Case &c : cases) {
        Reset();
        int exitCode = -1;
        EXPECT_EQ(0, ApplyOptions(c.line, &exitCode)) << c.line;
        EXPECT_EQ(c.exitCode, exitCode) << c.line;
        EXPECT_EQ(c.quietMode, InstallState.QuietMode) << c.line;
        EXPECT_EQ(1, InstallState.RebootMode) << c.line;
    }
}

TEST_F(ApplyOptionsTest, RejectedOptionsAreNamedWithTheirBlanks)
{
    std::string longValue = "-s=C:\\" + std::string(130, 'v');
    int exitCode = -1;
    EXPECT_EQ(1, ApplyOptions(("-z -f -s " + longValue).c_str(), &exitCode));
    EXPECT_EQ(std::string("-z  ") + kRejected + "-f  " + kRejected + "-s  " + kRejected +
                  longValue.substr(0, 127) + kRejected,
              Logged());
    EXPECT_STREQ("", InstallState.OverrideSourcePath);
    EXPECT_STREQ("D:\\WIN98", InstallState.DriverDir);
}

}  // namespace
