/* The directory of the running executable: the driver package's directory. */
#include "app.h"

#include "install_state.h"
#include "path_text.h"

void GetProgramDir(char *out)
{
    char moduleName[512];
    DWORD length = GetModuleFileNameA(InstallState.Instance, moduleName, sizeof moduleName);

    /* A name cut by the platform would name some other directory: leave the
       directory empty, so the run stays where it was started. */
    if (length == 0 || length >= sizeof moduleName) {
        out[0] = '\0';
        return;
    }
    SplitProgramDir(moduleName, out, sizeof InstallState.ProgramDir);
}
