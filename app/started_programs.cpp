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

struct Family {
    DWORD ids[FAMILY_LIMIT];
    HANDLE held[FAMILY_LIMIT];
    int count;
};

static int IsMember(const Family *family, DWORD id)
{
    for (int i = 0; i < family->count; i++)
        if (family->ids[i] == id)
            return 1;
    return 0;
}

/* Adds every running program that a member started; returns 1 when it found
   one. A program may come in the list before the member that started it:
   the list is gone through again until nothing more is added. */
static int GatherStarted(Family *family)
{
    PROCESSENTRY32 entry;
    int found = 0;

    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    for (int added = 1; added && family->count < FAMILY_LIMIT;) {
        added = 0;
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry);
             more && family->count < FAMILY_LIMIT; more = Process32Next(snapshot, &entry)) {
            if (!IsMember(family, entry.th32ParentProcessID) ||
                IsMember(family, entry.th32ProcessID))
                continue;
            family->ids[family->count] = entry.th32ProcessID;
            family->held[family->count++] = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
            added = found = 1;
        }
    }
    CloseHandle(snapshot);
    return found;
}

void WaitForStartedPrograms(DWORD firstId)
{
    Family family;
    family.ids[0] = firstId;
    family.held[0] = NULL;
    family.count = 1;

    /* Each one found is waited for in turn; those it started meanwhile are
       found by the next look. A program that ended before it could be held
       needs no wait. */
    for (int waited = 1; GatherStarted(&family);) {
        for (; waited < family.count; waited++)
            if (family.held[waited] != NULL)
                WaitAnswering(family.held[waited], INFINITE);
    }
    for (int i = 1; i < family.count; i++)
        if (family.held[i] != NULL)
            CloseHandle(family.held[i]);
}
