/* Starting an outside program of the installation: the package's remover,
   Windows' cabinet tool. */
#include "install.h"

HANDLE StartProgram(const char *program, char *commandLine, DWORD flags, DWORD *processId)
{
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;

    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(program, commandLine, NULL, NULL, FALSE, flags, NULL, NULL, &startup,
                        &process))
        return NULL;
    CloseHandle(process.hThread);
    *processId = process.dwProcessId;
    return process.hProcess;
}
