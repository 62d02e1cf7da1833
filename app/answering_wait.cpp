/* The run's waits: for the remover and the programs it started, and for
   another installation to end, without a time limit; for the cabinet tool,
   with one. */
#include "app.h"

/* Removers that edit SYSTEM.INI or WIN.INI announce it with a message sent
   to every top-level window, and talk DDE the same way, and each such send
   waits until every window has answered: the wait lets Windows deliver the
   messages sent to this thread's windows (a look at the queue that removes
   nothing), and nothing else. Input stays queued, so no key or click acts
   while the run waits. */
DWORD WaitAnswering(HANDLE object, DWORD milliseconds)
{
    MSG message;
    DWORD result;
    DWORD start = GetTickCount();
    DWORD left = milliseconds;

    while ((result = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_SENDMESSAGE)) ==
           WAIT_OBJECT_0 + 1) {
        PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
        if (milliseconds != INFINITE) {
            DWORD spent = GetTickCount() - start;
            left = spent < milliseconds ? milliseconds - spent : 0;
        }
    }
    return result;
}
