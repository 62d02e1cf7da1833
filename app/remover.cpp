/* Starting the driver package's remover before anything is installed. */
#include "app.h"

#include <windows.h>

/* The remover is looked for in the working directory only, and the run waits
   for it without a time limit; whether it started and how it ended is its own
   business. */
void RunRemover(void)
{
    char commandLine[] = "uninstal.exe -C";
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;

    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA("uninstal.exe", commandLine, NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &process))
        return;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
