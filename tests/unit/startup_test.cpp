// What start-up leaves of the process's own settings.
#include <gtest/gtest.h>

#include <windows.h>

#include "registry/registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

TEST(Startup, FailsCriticalErrorsInsteadOfAskingTheUser)
{
    /* Start-up ends early without a SourcePath, before the options are read. */
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetupKey, 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueExA(key, "SourcePath", 0, REG_SZ, (const BYTE *)"C:\\windows", 11);

    SetErrorMode(0);
    char help[] = "-?";
    EXPECT_EQ(0, WinMain(GetModuleHandleA(NULL), NULL, help, SW_SHOWNORMAL));
    EXPECT_NE(0u, SetErrorMode(0) & SEM_FAILCRITICALERRORS);

    RegDeleteValueA(key, "SourcePath");
    RegCloseKey(key);
}

}  // namespace
