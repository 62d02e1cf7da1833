/* The run's waits: for the remover and the programs it started, and for
   another installation to end, without a time limit; for the cabinet tool,
   with one. */
#include "app.h"

/* Removers that edit SYSTEM.INI or WIN.INI announce it with a message sent
   to every top-level window, and talk DDE the same way, and each such send
   waits until every window has answered: the wait lets Windows deliver the
   messages sent to this thread's windows. It also paints them, so that a
   window of the remover that covered the dialog leaves nothing behind.
   Nothing else is taken from the queue: no key or click acts while the run
   waits. */
DWORD WaitAnswering(HANDLE object, DWORD milliseconds)
{
    DWORD start = GetTickCount(), left = milliseconds, result;
    MSG message;

    while ((result = MsgWaitForMultipleObjects(1, &object, FALSE, left,
                                               QS_SENDMESSAGE | QS_PAINT)) == WAIT_OBJECT_0 + 1) {
        /* Any look at the queue delivers the sent messages. */
        while (PeekMessageA(&message, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&message);
        if (milliseconds != INFINITE) {
            DWORD spent = GetTickCount() - start;
            left = spent < milliseconds ? milliseconds - spent : 0;
        }
    }
    return result;
}
