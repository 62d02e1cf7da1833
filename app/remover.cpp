/* Starting the driver package's remover before anything is installed. */
#include "app.h"

#include <windows.h>

#include "../install/install.h"

/* The remover is looked for in the working directory only, and the run waits
   for it without a time limit; whether it started and how it ended is its own
   business. Removers that edit SYSTEM.INI or WIN.INI announce it with a
   message sent to every top-level window, and talk DDE the same way, and
   each such send waits until every window has answered: the wait lets
   Windows deliver the messages sent to this thread's windows (a look at the
   queue that removes nothing), and nothing else. Input stays queued, so no
   key or click acts while the remover runs. */
void RunRemover(void)
{
    char commandLine[] = "uninstal.exe -C";
    MSG message;

    HANDLE remover = StartProgram("uninstal.exe", commandLine, 0);
    if (remover == NULL)
        return;
    while (MsgWaitForMultipleObjects(1, &remover, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
    CloseHandle(remover);
}
