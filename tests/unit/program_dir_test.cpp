// The program's directory, also for an executable in the root of a drive.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdlib.h>

#include <string>

#include "app/app.h"
#include "app/install_state.h"

namespace {

const char kExpectVariable[] = "DRIVEWRIGHT_EXPECT_PROGRAM_DIR";

TEST(GetProgramDir, IsTheExecutablesDirectory)
{
    InstallState.Instance = GetModuleHandleA(NULL);
    char dir[512];
    GetProgramDir(dir);

    const char *expected = getenv(kExpectVariable);
    if (expected) {
        EXPECT_STREQ(expected, dir);
        return;
    }
    char name[MAX_PATH];
    GetModuleFileNameA(NULL, name, sizeof name);
    std::string own = name;
    EXPECT_EQ(own.substr(0, own.find_last_of("\\/") + 1), dir);
}

TEST(GetProgramDir, InTheRootOfADrive)
{
    if (getenv(kExpectVariable))
        GTEST_SKIP() << "already the copy in the root";
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    const char copy[] = "C:\\pdtest.exe";
    ASSERT_TRUE(CopyFileA(self, copy, FALSE));
    SetEnvironmentVariableA(kExpectVariable, "C:\\");

    char command[] = "C:\\pdtest.exe --gtest_filter=GetProgramDir.IsTheExecutablesDirectory";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(copy, command, NULL, NULL, FALSE, 0, NULL, NULL, &start, &process));
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetEnvironmentVariableA(kExpectVariable, NULL);
    DeleteFileA(copy);
    EXPECT_EQ(0u, code) << "the copy in C:\\ found another directory";
}

}  // namespace
