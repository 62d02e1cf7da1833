// What start-up leaves of the process's own settings and of the run's state.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app.h"
#include "app/install_state.h"
#include "registry/registry.h"
#include "registry_values.h"


namespace {

/* Start-up ends early without a SourcePath, before the options are read. */
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetText(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath", "C:\\windows"));
    }
    void TearDown() override { DeleteValue(HKEY_LOCAL_MACHINE, SetupKey, "SourcePath"); }
    int RunHelp()
    {
        return RunInstaller(GetModuleHandleA(NULL), "-?");
    }
};

TEST_F(Startup, FailsCriticalErrorsInsteadOfAskingTheUser)
{
    SetErrorMode(0);
    EXPECT_EQ(0, RunHelp());
    EXPECT_NE(0u, SetErrorMode(0) & SEM_FAILCRITICALERRORS);
}

TEST_F(Startup, RestartsAfterAQuietRunAndCopiesDriversUnlessTold)
{
    InstallState.RebootMode = 2;
    InstallState.CopyDrivers = 0;
    EXPECT_EQ(0, RunHelp());
    EXPECT_EQ(1, InstallState.RebootMode);
    EXPECT_EQ(1, InstallState.CopyDrivers);
    EXPECT_EQ(stdout, InstallState.ConsoleStream);
}

}  // namespace
