/* Waiting for the remover, and for the programs that it started and those
   they started. */
#include "app.h"

#include <tlhelp32.h>

#include "install_state.h"
#include "../install/install.h"
#include "../log/log.h"
#include "../res/resource.h"

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
   the family. Past FAMILY_LIMIT programs, no further one is waited for.
   A program that the remover leaves running (a readme viewer, a tray
   helper) would hold the installation for good: the remover itself is
   waited for without a limit, but a program it started only until
   STARTED_LIMIT ms have passed since the remover ended, or until it shows a
   window and sits waiting for the user's input, whichever comes first. The
   work of a remover's helper is done by then, and a window that waits for
   the user would wait for a user who waits for the installation. Windows
   tells only whether a program has waited for input once since it started,
   and a worker that shows its progress window a moment and then deletes
   files has done that: a program sits waiting only when its window has
   answered at every look for IDLE_SETTLE ms on end. */
enum { FAMILY_LIMIT = 64, LOOK_INTERVAL = 50, STARTED_LIMIT = 180000, IDLE_SETTLE = 5000 };

struct FamilyWatch {
    unsigned long ids[FAMILY_LIMIT];
    HANDLE held[FAMILY_LIMIT];
    char settled[FAMILY_LIMIT];     /* ended, or no longer waited for */
    char idle[FAMILY_LIMIT];        /* answering its window since idleSince */
    DWORD idleSince[FAMILY_LIMIT];
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

/* The file name of the running program id, as Toolhelp32 gives it; "?" once
   it is gone. */
static void NameProgram(unsigned long id, char *name, size_t nameSize)
{
    PROCESSENTRY32 entry;

    lstrcpynA(name, "?", (int)nameSize);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == id) {
            lstrcpynA(name, entry.szExeFile, (int)nameSize);
            break;
        }
    CloseHandle(snapshot);
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
        watch->held[i] = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                                     watch->ids[i]);
        watch->settled[i] = watch->held[i] == NULL;
        watch->idle[i] = 0;
    }
}

struct WindowSearch {
    DWORD id;
    HWND found;
};

static BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam)
{
    WindowSearch *search = (WindowSearch *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->id && IsWindowVisible(window))
        search->found = window;
    return search->found == NULL;
}

/* WaitForInputIdle answers at once for a program without a message queue,
   as a helper that only deletes files is: only one with a window of its
   own shown, which answers now, counts as waiting for the user. */
static int WaitsForInput(HANDLE program, unsigned long id)
{
    if (WaitForInputIdle(program, 0) != 0)
        return 0;
    WindowSearch search = {(DWORD)id, NULL};
    EnumWindows(FindWindowOf, (LPARAM)&search);
    DWORD_PTR answer;
    return search.found != NULL &&
           SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, LOOK_INTERVAL,
                               &answer) != 0;
}

/* Whether member has waited for input at every look for IDLE_SETTLE ms. */
static int SitsIdle(FamilyWatch *watch, size_t member)
{
    if (!WaitsForInput(watch->held[member], watch->ids[member])) {
        watch->idle[member] = 0;
        return 0;
    }
    if (!watch->idle[member]) {
        watch->idle[member] = 1;
        watch->idleSince[member] = GetTickCount();
    }
    return GetTickCount() - watch->idleSince[member] >= IDLE_SETTLE;
}

static void ShowWaiting(HWND window, const char *program, const char *remover)
{
    if (window != NULL && !InstallState.QuietMode)
        ShowProgressLines(window, IDS_WAITLABEL, program, remover[0] ? IDS_STARTEDBYLABEL : 0,
                          remover);
}

static void StopWaiting(FamilyWatch *watch, size_t member)
{
    char name[MAX_PATH];
    NameProgram(watch->ids[member], name, sizeof name);
    LogTableMessage(IDS_STOPPEDWAITING, name);
    watch->settled[member] = 1;
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
                    size_t beforeCount, HWND window)
{
    FamilyWatch watch;
    char removerName[MAX_PATH], name[MAX_PATH];

    watch.family.ids = watch.ids;
    watch.family.count = 1;
    watch.family.limit = FAMILY_LIMIT;
    watch.ids[0] = removerId;
    watch.before = before;
    watch.beforeCount = beforeCount;
    DWORD length = GetFullPathNameA("uninstal.exe", sizeof removerName, removerName, NULL);
    if (length == 0 || length >= sizeof removerName)
        lstrcpynA(removerName, "uninstal.exe", sizeof removerName);

    ShowWaiting(window, removerName, "");
    while (WaitAnswering(remover, LOOK_INTERVAL) == WAIT_TIMEOUT)
        LookForFamily(&watch);

    /* The members are waited for in turn, and looked for meanwhile too: a
       member's own helper may live only a moment. */
    DWORD start = GetTickCount();
    size_t shown = 0;
    for (;;) {
        LookForFamily(&watch);
        size_t member = NextUnsettled(&watch);
        if (member == 0)
            break;
        if (member != shown) {
            NameProgram(watch.ids[member], name, sizeof name);
            ShowWaiting(window, name, removerName);
            shown = member;
        }
        if (GetTickCount() - start >= STARTED_LIMIT) {
            for (; member != 0; member = NextUnsettled(&watch))
                StopWaiting(&watch, member);
            break;
        }
        if (WaitAnswering(watch.held[member], LOOK_INTERVAL) != WAIT_TIMEOUT)
            watch.settled[member] = 1;
        else if (SitsIdle(&watch, member))
            StopWaiting(&watch, member);
    }
    for (size_t i = 1; i < watch.family.count; i++)
        if (watch.held[i] != NULL)
            CloseHandle(watch.held[i]);
}
