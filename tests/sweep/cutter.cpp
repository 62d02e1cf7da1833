// Runs a program under the Win32 debug API and ends it, as End Task does
// (TerminateProcess), just before the k-th of its calls that change the
// machine. The calls are those of the image's own imports that write a
// file, a directory or the registry, start a program or restart Windows;
// each bound address gets an int3, so the C runtime's calls count too.
//
//   cutter K BOUND_MS EXE CWD HEXCMD OUT
//
// K 0 cuts nothing. CWD "-" is ours; HEXCMD the literal command line (hex);
// OUT the file for the program's standard output and error. It prints one
// "CALL <n> <function> <hex of its names>" line per call it let through and
// ends with "CUT <k>", "EXIT <code>", "CRASH <code> <address>" or "TIMEOUT".
//
// The program's pause (Sleep from its own code) returns at once, and its
// restart request returns as granted without reaching Wine: the sweep
// restarts Windows itself, once the program has ended.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../bench/output_to.h"

#include <string>
#include <vector>

namespace {

enum Kind { Counted, Pause, Restart };

struct Watched {
    const char *name;
    Kind kind;
    int paths;          // leading arguments that are texts worth naming
};

const Watched Functions[] = {
    {"CreateFileA", Counted, 1},       {"WriteFile", Counted, 0},
    {"SetEndOfFile", Counted, 0},      {"MoveFileA", Counted, 2},
    {"DeleteFileA", Counted, 1},       {"CopyFileA", Counted, 2},
    {"SetFileAttributesA", Counted, 1}, {"SetFileTime", Counted, 0},
    {"FlushFileBuffers", Counted, 0},  {"CreateDirectoryA", Counted, 1},
    {"RemoveDirectoryA", Counted, 1},  {"RegSetValueExA", Counted, -2},
    {"RegDeleteValueA", Counted, -2},  {"RegCreateKeyExA", Counted, -2},
    {"RegCreateKeyA", Counted, -2},    {"RegFlushKey", Counted, 0},
    {"CreateProcessA", Counted, 2},    {"ExitWindowsEx", Restart, 0},
    {"Sleep", Pause, 0},
};
// paths -2: the second argument is the one text (a value or key name).

struct Breakpoint {
    ULONG_PTR address;
    const Watched *function;
    BYTE original;
};

HANDLE Process;
ULONG_PTR ImageBase, ImageEnd;
std::vector<Breakpoint> Breakpoints;
struct Stepping {
    DWORD thread;
    ULONG_PTR address;
};
std::vector<Stepping> Steps;

std::string FromHex(const char *hex)
{
    std::string out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        out += (char)strtoul(pair, NULL, 16);
    }
    return out;
}

bool Read(ULONG_PTR address, void *buffer, SIZE_T size)
{
    SIZE_T got = 0;
    return ReadProcessMemory(Process, (LPCVOID)address, buffer, size, &got) && got == size;
}

ULONG_PTR ReadPointer(ULONG_PTR address)
{
    ULONG_PTR value = 0;
    Read(address, &value, sizeof value);
    return value;
}

std::string ReadText(ULONG_PTR address)
{
    std::string text;
    char c;
    while (address != 0 && text.size() < 1024 && Read(address + text.size(), &c, 1) && c)
        text += c;
    return text;
}

void WriteByte(ULONG_PTR address, BYTE value)
{
    DWORD was;
    VirtualProtectEx(Process, (LPVOID)address, 1, PAGE_EXECUTE_READWRITE, &was);
    WriteProcessMemory(Process, (LPVOID)address, &value, 1, NULL);
    VirtualProtectEx(Process, (LPVOID)address, 1, was, &was);
    FlushInstructionCache(Process, (LPCVOID)address, 1);
}

// The image's import table, read once the loader has bound it: an int3 at
// each bound address of a watched function.
void PlaceBreakpoints()
{
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    if (!Read(ImageBase, &dos, sizeof dos) || !Read(ImageBase + dos.e_lfanew, &nt, sizeof nt))
        return;
    ImageEnd = ImageBase + nt.OptionalHeader.SizeOfImage;
    DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    IMAGE_IMPORT_DESCRIPTOR dll;
    for (ULONG_PTR at = ImageBase + table; table && Read(at, &dll, sizeof dll) && dll.Name;
         at += sizeof dll) {
        ULONG_PTR names = ImageBase + (dll.OriginalFirstThunk ? dll.OriginalFirstThunk
                                                              : dll.FirstThunk);
        ULONG_PTR bound = ImageBase + dll.FirstThunk;
        for (ULONG_PTR name; (name = ReadPointer(names)) != 0;
             names += sizeof name, bound += sizeof name) {
            if (IMAGE_SNAP_BY_ORDINAL(name))
                continue;
            std::string function = ReadText(ImageBase + name + 2);
            for (const Watched &watched : Functions) {
                if (function != watched.name)
                    continue;
                Breakpoint point = {ReadPointer(bound), &watched, 0};
                if (!Read(point.address, &point.original, 1))
                    continue;
                WriteByte(point.address, 0xCC);
                Breakpoints.push_back(point);
            }
        }
    }
}

Breakpoint *BreakpointAt(ULONG_PTR address)
{
    for (Breakpoint &point : Breakpoints)
        if (point.address == address)
            return &point;
    return NULL;
}

#ifdef _WIN64
ULONG_PTR &Ip(CONTEXT &c) { return (ULONG_PTR &)c.Rip; }
ULONG_PTR &Sp(CONTEXT &c) { return (ULONG_PTR &)c.Rsp; }
ULONG_PTR Argument(CONTEXT &c, int n)
{
    const DWORD64 registers[] = {c.Rcx, c.Rdx, c.R8, c.R9};
    return n < 4 ? (ULONG_PTR)registers[n] : ReadPointer((ULONG_PTR)c.Rsp + 8 * (n + 1));
}
// The callee's return: the return address popped (the caller pops nothing).
void Return(CONTEXT &c, ULONG_PTR value, int)
{
    c.Rax = value;
    c.Rip = ReadPointer((ULONG_PTR)c.Rsp);
    c.Rsp += 8;
}
#else
ULONG_PTR &Ip(CONTEXT &c) { return (ULONG_PTR &)c.Eip; }
ULONG_PTR &Sp(CONTEXT &c) { return (ULONG_PTR &)c.Esp; }
ULONG_PTR Argument(CONTEXT &c, int n) { return ReadPointer(c.Esp + 4 * (n + 1)); }
// stdcall: the callee pops its arguments.
void Return(CONTEXT &c, ULONG_PTR value, int arguments)
{
    c.Eax = (DWORD)value;
    c.Eip = (DWORD)ReadPointer(c.Esp);
    c.Esp += 4 + 4 * arguments;
}
#endif

// A CreateFileA that only reads changes nothing.
bool Changes(const Watched &function, CONTEXT &c)
{
    if (strcmp(function.name, "CreateFileA") != 0)
        return true;
    DWORD access = (DWORD)Argument(c, 1), disposition = (DWORD)Argument(c, 4);
    return (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) ||
           disposition != OPEN_EXISTING;
}

void PrintCall(long n, const Watched &function, CONTEXT &c)
{
    std::string names;
    if (function.paths == -2) {
        names = ReadText(Argument(c, 1));
    } else {
        for (int i = 0; i < function.paths; i++) {
            ULONG_PTR text = Argument(c, i);
            names += (i ? "|" : "") + (text ? ReadText(text) : std::string());
        }
    }
    printf("CALL %ld %s ", n, function.name);
    for (unsigned char byte : names)
        printf("%02x", byte);
    printf("%s\n", names.empty() ? "-" : "");
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 7) {
        fprintf(stderr, "usage: cutter K BOUND_MS EXE CWD HEXCMD OUT\n");
        return 2;
    }
    long cut = atol(argv[1]);
    DWORD bound = (DWORD)atol(argv[2]);
    std::string command = FromHex(argv[5]);

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE out = CreateFileA(argv[6], GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (out == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "cannot create %s\n", argv[6]);
        return 2;
    }
    STARTUPINFOA start = OutputTo(out);
    PROCESS_INFORMATION started;
    if (!CreateProcessA(argv[3], &command[0], NULL, NULL, TRUE, DEBUG_ONLY_THIS_PROCESS, NULL,
                        strcmp(argv[4], "-") == 0 ? NULL : argv[4], &start, &started)) {
        printf("NOSTART %lu\n", GetLastError());
        return 1;
    }
    CloseHandle(out);
    Process = started.hProcess;

    DWORD began = GetTickCount();
    long calls = 0;
    bool placed = false, ended = false;
    for (;;) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, 100)) {
            if (!ended && GetTickCount() - began > bound) {
                printf("TIMEOUT\n");
                TerminateProcess(Process, 255);
                ended = true;
            }
            continue;
        }
        DWORD reply = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            ImageBase = (ULONG_PTR)event.u.CreateProcessInfo.lpBaseOfImage;
            CloseHandle(event.u.CreateProcessInfo.hFile);
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            CloseHandle(event.u.LoadDll.hFile);
        } else if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
            if (!ended)
                printf("EXIT %lu\n", event.u.ExitProcess.dwExitCode);
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
            break;
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            EXCEPTION_RECORD &record = event.u.Exception.ExceptionRecord;
            ULONG_PTR at = (ULONG_PTR)record.ExceptionAddress;
            HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, event.dwThreadId);
            CONTEXT c;
            memset(&c, 0, sizeof c);
            c.ContextFlags = CONTEXT_FULL;
            GetThreadContext(thread, &c);
            Breakpoint *point = BreakpointAt(at);
            if (record.ExceptionCode == EXCEPTION_BREAKPOINT && point && !ended) {
                const Watched &function = *point->function;
                bool counted = function.kind != Pause && Changes(function, c);
                if (counted && ++calls == cut) {
                    printf("CUT %ld\n", cut);
                    TerminateProcess(Process, 1);
                    ended = true;
                } else if (function.kind == Restart ||
                           (function.kind == Pause && ReadPointer(Sp(c)) >= ImageBase &&
                            ReadPointer(Sp(c)) < ImageEnd)) {
                    if (counted)
                        PrintCall(calls, function, c);
                    Return(c, function.kind == Restart ? 1 : 0, function.kind == Restart ? 2 : 1);
                    SetThreadContext(thread, &c);
                } else {
                    if (counted)
                        PrintCall(calls, function, c);
                    // Over the call's first instruction, then the int3 back.
                    WriteByte(at, point->original);
                    Ip(c) = at;
                    c.EFlags |= 0x100;
                    SetThreadContext(thread, &c);
                    Steps.push_back({event.dwThreadId, at});
                }
            } else if (record.ExceptionCode == EXCEPTION_BREAKPOINT && point) {
                Ip(c) = at;     // ended: the thread waits for its end here
                WriteByte(at, point->original);
                SetThreadContext(thread, &c);
            } else if (record.ExceptionCode == EXCEPTION_BREAKPOINT) {
                // The loader's breakpoint: the imports are bound.
                if (!placed)
                    PlaceBreakpoints();
                placed = true;
            } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP) {
                for (size_t i = 0; i < Steps.size(); i++) {
                    if (Steps[i].thread != event.dwThreadId)
                        continue;
                    if (!ended)
                        WriteByte(Steps[i].address, 0xCC);
                    Steps.erase(Steps.begin() + i);
                    break;
                }
            } else if (!event.u.Exception.dwFirstChance && !ended) {
                printf("CRASH %08lx %08lx\n", record.ExceptionCode, (unsigned long)at);
                TerminateProcess(Process, record.ExceptionCode);
                ended = true;
            } else {
                reply = DBG_EXCEPTION_NOT_HANDLED;
            }
            CloseHandle(thread);
        }
        fflush(stdout);
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, reply);
    }
    fflush(stdout);
    CloseHandle(started.hThread);
    CloseHandle(Process);
    return 0;
}
