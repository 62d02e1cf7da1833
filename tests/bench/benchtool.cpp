// A Win32 helper for the scenario tests: runs a list of steps inside the
// prefix in one process, so a scenario costs one start of Wine.
//
//   set KEY NAME TEXT        write a REG_SZ value (KEY starts with HKLM\ or HKCU\)
//   sethex KEY NAME HEX      write a REG_SZ value with exactly these data bytes
//   del KEY NAME             delete a value (missing is fine)
//   mkkey KEY                create a key (existing is fine)
//   delkey KEY               delete a key without subkeys (missing is fine)
//   get KEY NAME             print "VALUE <type> <hex>" or "MISSING"
//   run EXE CWD HEXCMD OUT   start EXE with the literal command line HEXCMD (hex),
//                            in CWD ("-" for ours), standard output into file OUT;
//                            print "EXIT <code> <milliseconds> <tick at its end>"
//                            or "TIMEOUT"
//   cwd                      print "CWD <hex>" of the current directory
//   firstbyte EXE HEXCMD FILE start EXE with the command line HEXCMD and print
//                            "FIRSTBYTE <microseconds>" from the start until FILE
//                            has grown, then wait for EXE to end
//   version                  print "VERSION <major> <minor> <platform>" of GetVersionExA
//   settle MS                waits, at most MS milliseconds, until every process of the
//                            prefix but Wine's own services has ended, then ends the
//                            rest; prints "WAITED <image> <ms>" for each that ended by
//                            itself and "ENDED <image>" for each that had to be ended
//   codepage                 print "CODEPAGE <n>", the ANSI code page of GetACP
//   find PATTERN             print "FOUND <name>" for each entry that FindFirstFileA and
//                            FindNextFileA give for PATTERN
#include <windows.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "output_to.h"

#include <string>
#include <vector>

static bool SplitKey(const char *path, HKEY *root, const char **sub)
{
    if (strncmp(path, "HKLM\\", 5) == 0) {
        *root = HKEY_LOCAL_MACHINE;
    } else if (strncmp(path, "HKCU\\", 5) == 0) {
        *root = HKEY_CURRENT_USER;
    } else {
        fprintf(stderr, "bad key %s\n", path);
        return false;
    }
    *sub = path + 5;
    return true;
}

static std::string FromHex(const char *hex)
{
    std::string out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        out += (char)strtoul(pair, NULL, 16);
    }
    return out;
}

static void PrintHex(const char *tag, const unsigned char *data, size_t size)
{
    printf("%s ", tag);
    for (size_t i = 0; i < size; i++)
        printf("%02x", data[i]);
    printf("\n");
}

static bool CreateKey(const char *keyPath, HKEY *key)
{
    HKEY root;
    const char *sub;
    return SplitKey(keyPath, &root, &sub) &&
           RegCreateKeyExA(root, sub, 0, NULL, 0, KEY_ALL_ACCESS, NULL, key, NULL) == ERROR_SUCCESS;
}

static bool SetValue(const char *keyPath, const char *name, const std::string &data)
{
    HKEY key;
    if (!CreateKey(keyPath, &key))
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)data.data(), (DWORD)data.size());
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

static bool DeleteValue(const char *keyPath, const char *name)
{
    HKEY root, key;
    const char *sub;
    if (!SplitKey(keyPath, &root, &sub))
        return false;
    if (RegOpenKeyExA(root, sub, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    return true;
}

static bool MakeKey(const char *keyPath)
{
    HKEY key;
    if (!CreateKey(keyPath, &key))
        return false;
    RegCloseKey(key);
    return true;
}

static bool DeleteKey(const char *keyPath)
{
    HKEY root;
    const char *sub;
    if (!SplitKey(keyPath, &root, &sub))
        return false;
    LONG rc = RegDeleteKeyA(root, sub);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

static bool GetValue(const char *keyPath, const char *name)
{
    HKEY root, key;
    const char *sub;
    if (!SplitKey(keyPath, &root, &sub))
        return false;
    unsigned char data[4096];
    DWORD size = sizeof data, type = 0;
    if (RegOpenKeyExA(root, sub, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        printf("MISSING\n");
        return true;
    }
    if (RegQueryValueExA(key, name, NULL, &type, data, &size) == ERROR_SUCCESS) {
        char tag[32];
        snprintf(tag, sizeof tag, "VALUE %lu", (unsigned long)type);
        PrintHex(tag, data, size);
    } else {
        printf("MISSING\n");
    }
    RegCloseKey(key);
    return true;
}

static bool Run(const char *exe, const char *cwd, const char *hexCommand, const char *outPath)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE out = CreateFileA(outPath, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (out == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "cannot create %s\n", outPath);
        return false;
    }
    std::string command = FromHex(hexCommand);
    STARTUPINFOA start = OutputTo(out);
    PROCESS_INFORMATION process;
    DWORD startTime = GetTickCount();
    BOOL started = CreateProcessA(exe, &command[0], NULL, NULL, TRUE, 0, NULL,
                                  strcmp(cwd, "-") == 0 ? NULL : cwd, &start, &process);
    CloseHandle(out);
    if (!started) {
        printf("NOSTART %lu\n", (unsigned long)GetLastError());
        return true;
    }
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 255);
        printf("TIMEOUT\n");
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        DWORD ended = GetTickCount();
        printf("EXIT %lu %lu %lu\n", (unsigned long)code, (unsigned long)(ended - startTime),
               (unsigned long)ended);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

static LONGLONG FileSize(const char *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

static bool FirstByte(const char *exe, const char *hexCommand, const char *watched)
{
    std::string command = FromHex(hexCommand);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             NULL);
    STARTUPINFOA start = OutputTo(nul);
    PROCESS_INFORMATION process;
    LONGLONG before = FileSize(watched);
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    BOOL started = CreateProcessA(exe, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &start,
                                  &process);
    CloseHandle(nul);
    if (!started)
        return false;
    bool grown = false;
    while (!grown) {
        grown = FileSize(watched) > before;
        QueryPerformanceCounter(&t1);
        if (!grown && WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        if (!grown)
            Sleep(0);
    }
    WaitForSingleObject(process.hProcess, 120000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!grown && FileSize(watched) <= before)
        return false;
    printf("FIRSTBYTE %lld\n", (t1.QuadPart - t0.QuadPart) * 1000000 / frequency.QuadPart);
    return true;
}

// Processes that belong to the prefix itself, not to a scenario: Wine's
// services, the desktop and the console host.
static bool IsPrefixProcess(const char *image)
{
    static const char *const own[] = {"services.exe", "winedevice.exe", "plugplay.exe",
                                      "svchost.exe",  "rpcss.exe",      "explorer.exe",
                                      "conhost.exe"};
    for (const char *name : own)
        if (_stricmp(image, name) == 0)
            return true;
    return false;
}

struct Leftover {
    DWORD id;
    std::string image;
};

// What a scenario set going and left behind: restart processing, a remover,
// a cabinet tool, the program itself, a dialog probe.
static std::vector<Leftover> Leftovers()
{
    std::vector<Leftover> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID != GetCurrentProcessId() && !IsPrefixProcess(entry.szExeFile))
            found.push_back({entry.th32ProcessID, entry.szExeFile});
    CloseHandle(snapshot);
    return found;
}

static bool Settle(long limit)
{
    DWORD start = GetTickCount();
    std::vector<Leftover> waiting = Leftovers();
    while (!waiting.empty() && (long)(GetTickCount() - start) < limit) {
        Sleep(50);
        std::vector<Leftover> now = Leftovers();
        for (const Leftover &was : waiting) {
            bool still = false;
            for (const Leftover &is : now)
                still = still || is.id == was.id;
            if (!still)
                printf("WAITED %s %lu\n", was.image.c_str(),
                       (unsigned long)(GetTickCount() - start));
        }
        waiting = now;
    }
    for (const Leftover &left : waiting) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, left.id);
        if (process == NULL)
            continue;
        TerminateProcess(process, 255);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
        printf("ENDED %s\n", left.image.c_str());
    }
    return true;
}

int main(int argc, char **argv)
{
    for (int i = 1; i < argc;) {
        const char *step = argv[i];
        auto need = [&](int count) {
            if (i + count >= argc) {
                fprintf(stderr, "%s needs %d arguments\n", step, count);
                exit(2);
            }
        };
        bool ok;
        if (strcmp(step, "set") == 0) {
            need(3);
            ok = SetValue(argv[i + 1], argv[i + 2], std::string(argv[i + 3]) + '\0');
            i += 4;
        } else if (strcmp(step, "sethex") == 0) {
            need(3);
            ok = SetValue(argv[i + 1], argv[i + 2], FromHex(argv[i + 3]));
            i += 4;
        } else if (strcmp(step, "del") == 0) {
            need(2);
            ok = DeleteValue(argv[i + 1], argv[i + 2]);
            i += 3;
        } else if (strcmp(step, "mkkey") == 0) {
            need(1);
            ok = MakeKey(argv[i + 1]);
            i += 2;
        } else if (strcmp(step, "delkey") == 0) {
            need(1);
            ok = DeleteKey(argv[i + 1]);
            i += 2;
        } else if (strcmp(step, "get") == 0) {
            need(2);
            ok = GetValue(argv[i + 1], argv[i + 2]);
            i += 3;
        } else if (strcmp(step, "run") == 0) {
            need(4);
            ok = Run(argv[i + 1], argv[i + 2], argv[i + 3], argv[i + 4]);
            i += 5;
        } else if (strcmp(step, "cwd") == 0) {
            char dir[MAX_PATH];
            DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
            PrintHex("CWD", (const unsigned char *)dir, n);
            ok = true;
            i += 1;
        } else if (strcmp(step, "firstbyte") == 0) {
            need(3);
            ok = FirstByte(argv[i + 1], argv[i + 2], argv[i + 3]);
            i += 4;
        } else if (strcmp(step, "settle") == 0) {
            need(1);
            ok = Settle(atol(argv[i + 1]));
            i += 2;
        } else if (strcmp(step, "version") == 0) {
            OSVERSIONINFOA version;
            version.dwOSVersionInfoSize = sizeof version;
            ok = GetVersionExA(&version) != 0;
            printf("VERSION %lu %lu %lu\n", version.dwMajorVersion, version.dwMinorVersion,
                   version.dwPlatformId);
            i += 1;
        } else if (strcmp(step, "find") == 0) {
            need(1);
            WIN32_FIND_DATAA entry;
            HANDLE search = FindFirstFileA(argv[i + 1], &entry);
            for (BOOL more = search != INVALID_HANDLE_VALUE; more;
                 more = FindNextFileA(search, &entry))
                printf("FOUND %s\n", entry.cFileName);
            if (search != INVALID_HANDLE_VALUE)
                FindClose(search);
            ok = true;
            i += 2;
        } else if (strcmp(step, "codepage") == 0) {
            printf("CODEPAGE %u\n", GetACP());
            ok = true;
            i += 1;
        } else {
            fprintf(stderr, "unknown step %s\n", step);
            return 2;
        }
        if (!ok) {
            fprintf(stderr, "step %s failed\n", step);
            return 1;
        }
        fflush(stdout);
    }
    return 0;
}
