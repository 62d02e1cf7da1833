/* Waiting for the remover, and for the programs that it started and those
   they started. */
#include "app.h"

#include <tlhelp32.h>

/* A program cannot delete its own directory while it runs: many removers
   start a copy of themselves, or a helper, to do the work, and end at once.
   Their work is done only when every such program has ended, and the files
   must not be copied before that, or the helper erases the new ones as
   older versions. Windows 95 tells each process's parent through Toolhelp32,
   but only while the parent runs: a helper that starts the worker and ends
   at once leaves a worker whose parent no later look can name. So the
   running programs are looked at every LOOK_INTERVAL ms from the remover's
   start on, which sees such a helper while it lives.
   A process id is free for another program once its process has ended and
   no handle holds it: every program found is held open until the wait is
   over, so that a later program under the same id is never taken for one of
   the family. Past FAMILY_LIMIT programs, no further one is waited for. */
enum { FAMILY_LIMIT = 64, LOOK_INTERVAL = 50 };

struct FamilyWatch {
    unsigned long ids[FAMILY_LIMIT];
    HANDLE held[FAMILY_LIMIT];
    char settled[FAMILY_LIMIT];     /* ended, or never held */
    ProgramFamily family;
    const ProgramEntry *before;
    size_t beforeCount;
};

size_t LookAtPrograms(ProgramEntry *look, size_t limit)
{
    PROCESSENTRY32 entry;
    size_t count = 0;

    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && count < limit;
         more = Process32Next(snapshot, &entry)) {
        look[count].id = entry.th32ProcessID;
        look[count++].parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return count;
}

/* Adds the programs that members started since the last look, each held at
   once. One that ended before it could be held needs no wait. */
static void LookForFamily(FamilyWatch *watch)
{
    ProgramEntry look[PROGRAM_LOOK_LIMIT];
    size_t first = watch->family.count;

    AddStartedPrograms(&watch->family, look, LookAtPrograms(look, PROGRAM_LOOK_LIMIT),
                       watch->before, watch->beforeCount);
    for (size_t i = first; i < watch->family.count; i++) {
        watch->held[i] = OpenProcess(SYNCHRONIZE, FALSE, watch->ids[i]);
        watch->settled[i] = watch->held[i] == NULL;
    }
}

/* The first member that is still waited for; 0 when there is none. */
static size_t NextUnsettled(const FamilyWatch *watch)
{
    for (size_t i = 1; i < watch->family.count; i++)
        if (!watch->settled[i])
            return i;
    return 0;
}

void WaitForRemover(HANDLE remover, DWORD removerId, const ProgramEntry *before,
                    size_t beforeCount)
{
    FamilyWatch watch;

    watch.family.ids = watch.ids;
    watch.family.count = 1;
    watch.family.limit = FAMILY_LIMIT;
    watch.ids[0] = removerId;
    watch.before = before;
    watch.beforeCount = beforeCount;

    while (WaitAnswering(remover, LOOK_INTERVAL) == WAIT_TIMEOUT)
        LookForFamily(&watch);
    /* The members are waited for in turn, and looked for meanwhile too: a
       member's own helper may live only a moment. */
    for (;;) {
        LookForFamily(&watch);
        size_t member = NextUnsettled(&watch);
        if (member == 0)
            break;
        if (WaitAnswering(watch.held[member], LOOK_INTERVAL) != WAIT_TIMEOUT)
            watch.settled[member] = 1;
    }
    for (size_t i = 1; i < watch.family.count; i++)
        if (watch.held[i] != NULL)
            CloseHandle(watch.held[i]);
}
