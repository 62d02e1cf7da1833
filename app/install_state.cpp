/* The run's state. It is zero-initialised, so that its buffers take no room
   in the image; start-up gives the few fields that do not start at zero. */
#include "install_state.h"

InstallRecord InstallState;

void StartInstallState(HINSTANCE instance)
{
    InstallState.Instance = instance;
    InstallState.ConsoleStream = stdout;
    InstallState.RebootMode = 1;
    InstallState.CopyDrivers = 1;
}
