/* Starting the driver package's remover before anything is installed. */
#include "app.h"

#include "../install/install.h"

/* The remover is looked for in the working directory only, and the run waits
   for it without a time limit, and for the programs it started; whether it
   started and how it ended is its own business. */
void RunRemover(HWND window)
{
    char commandLine[] = "uninstal.exe -C";
    DWORD removerId;
    ProgramEntry before[PROGRAM_LOOK_LIMIT];

    /* A package without a remover has nothing to start, so nothing to look
       at: the look costs more than the rest of the step. */
    if (GetFileAttributesA("uninstal.exe") == INVALID_FILE_ATTRIBUTES)
        return;
    /* What runs already (the installer among it) was not started by the
       remover, whatever ids its parents had. */
    size_t beforeCount = LookAtPrograms(before, PROGRAM_LOOK_LIMIT);
    HANDLE remover = StartProgram("uninstal.exe", commandLine, 0, &removerId);
    if (remover == NULL)
        return;
    WaitForRemover(remover, removerId, before, beforeCount, window);
    CloseHandle(remover);
    KeepRestoreProgram();
}
