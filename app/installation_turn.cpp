/* One installation at a time on the machine: two runs at once would write
   over each other's lines of the log, and mix them in one section; and the
   restart that ends one run would cut the other's installation half-way. */
#include "app.h"

#include "../res/resource.h"
#include "../ui/ui.h"

/* Windows 9x has one name space for the named objects of every program, so
   the mutex is the machine's. A run ended from outside leaves it abandoned,
   and the next run takes it: a killed run never holds up a later one. */
static const char TurnName[] = "QuorvelDriverInstallation";
static HANDLE Turn;
static int TurnHeld;

/* A quiet run waits for the run under way, without a time limit, as it
   waits for the remover. A run through the dialogs is told, and ends before
   it writes or changes anything. A run that -? or -x ends never waits: the
   restore entry's run is the only chance to write the old path back. While
   another run holds the turn, such a run leaves the log alone, since its
   lines could cut that run's lines: they go to standard output only. */
int TakeInstallationTurn(const char *commandLine)
{
    int kind = KindOfRun(commandLine);

    /* Without the mutex the run goes on as it would alone. */
    Turn = CreateMutexA(NULL, FALSE, TurnName);
    if (Turn == NULL)
        return TurnTaken;
    DWORD got = kind == RunQuiet ? WaitAnswering(Turn, INFINITE) : WaitForSingleObject(Turn, 0);
    TurnHeld = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED_0;
    if (TurnHeld)
        return TurnTaken;
    if (kind == RunEndsEarly)
        return TurnWithoutLog;
    ShowMessageBox(IDS_ANOTHERRUN, "", "");
    return TurnRefused;
}

void EndInstallationTurn(void)
{
    if (TurnHeld)
        ReleaseMutex(Turn);
    TurnHeld = 0;
}
