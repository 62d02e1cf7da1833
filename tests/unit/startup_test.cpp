// What start-up leaves of the process's own settings.
#include <gtest/gtest.h>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

TEST(Startup, FailsCriticalErrorsInsteadOfAskingTheUser)
{
    SetErrorMode(0);
    char help[] = "-?";
    ASSERT_EQ(0, WinMain(GetModuleHandleA(NULL), NULL, help, SW_SHOWNORMAL));
    EXPECT_NE(0u, SetErrorMode(0) & SEM_FAILCRITICALERRORS);
}

}  // namespace
