/* The running executable's file and directory: the driver package's directory. */
#include "app.h"

#include "install_state.h"
#include "path_text.h"

int GetProgramFile(char *out, size_t outSize)
{
    DWORD length = GetModuleFileNameA(InstallState.Instance, out, (DWORD)outSize);

    /* A name cut by the platform would name some other file. */
    if (length == 0 || length >= outSize) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

void GetProgramDir(char *out)
{
    char moduleName[512];

    /* Without its name the directory is left empty, so the run stays where
       it was started. */
    if (!GetProgramFile(moduleName, sizeof moduleName)) {
        out[0] = '\0';
        return;
    }
    SplitProgramDir(moduleName, out, sizeof InstallState.ProgramDir);
}
