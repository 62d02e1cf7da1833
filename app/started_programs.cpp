/* Waiting for the programs that the remover started, and those they started. */
#include "app.h"

#include <tlhelp32.h>

/* A program cannot delete its own directory while it runs: many removers
   start a copy of themselves, or a helper, to do the work, and end at once.
   Their work is done only when every such program has ended, and the files
   must not be copied before that, or the helper erases the new ones as
   older versions. Windows 95 tells each process's parent through Toolhelp32.
   A process id is free for another program once its process has ended and
   no handle holds it: every program found is held open until the wait is
   over, so that a later program under the same id is never taken for one of
   the family. Past FAMILY_LIMIT programs, no further one is waited for. */
enum { FAMILY_LIMIT = 64 };

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

void WaitForStartedPrograms(DWORD firstId, const ProgramEntry *before, size_t beforeCount)
{
    unsigned long ids[FAMILY_LIMIT];
    HANDLE held[FAMILY_LIMIT];
    ProgramFamily family = {ids, 1, FAMILY_LIMIT};
    ProgramEntry look[PROGRAM_LOOK_LIMIT];

    ids[0] = firstId;
    /* Each one found is held and waited for in turn; those it started
       meanwhile are found by the next look. A program that ended before it
       could be held needs no wait. */
    size_t waited = 1;
    while (AddStartedPrograms(&family, look, LookAtPrograms(look, PROGRAM_LOOK_LIMIT), before,
                              beforeCount) > 0) {
        for (size_t i = waited; i < family.count; i++)
            held[i] = OpenProcess(SYNCHRONIZE, FALSE, ids[i]);
        for (; waited < family.count; waited++)
            if (held[waited] != NULL)
                WaitAnswering(held[waited], INFINITE);
    }
    for (size_t i = 1; i < family.count; i++)
        if (held[i] != NULL)
            CloseHandle(held[i]);
}
