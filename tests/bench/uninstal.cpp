// A stand-in for a driver package's remover, for the scenario tests. It
// appends what it was given to C:\uninstal-record.txt:
//
//   START <command line, hex> <working directory, hex> <SourcePath, hex> <id>
//   TICK <GetTickCount at its start> <id>
//   END <id>                  (after its sleep, unless it crashed)
//
// where <id> is the process id: a started program that is not waited for
// may write its lines among those of the next one.
//
// and behaves as uninstal.cfg beside it says, one word and number a line:
// "sleep MS", "exit CODE", "crash", "hold MS": wait until the file
// C:\uninstal-release.txt exists, at most MS milliseconds, "broadcast":
// announce a changed SYSTEM.INI to every top-level window before it ends,
// as removers of the time do, which waits until each window has answered,
// "erase PATH": delete that file, as a remover erases an older version, and
// "handoff": start a copy of itself with the command line "uninstal.exe
// -handed", which carries out the words after this one, and end at once,
// as removers that must delete their own directory do.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void PrintHex(FILE *out, const char *text)
{
    if (*text == '\0')
        fputs("-", out);
    for (; *text; text++)
        fprintf(out, "%02x", (unsigned char)*text);
}

// What SourcePath holds while the remover runs ("" when it cannot be read).
static void ReadSourcePath(char *path, DWORD size)
{
    HKEY key;
    path[0] = '\0';
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\setup",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD got = size - 1;
    if (RegQueryValueExA(key, "SourcePath", NULL, NULL, (BYTE *)path, &got) != ERROR_SUCCESS)
        got = 0;
    path[got] = '\0';
    RegCloseKey(key);
}

static void Hold(long limit)
{
    DWORD start = GetTickCount();
    while (GetFileAttributesA("C:\\uninstal-release.txt") == INVALID_FILE_ATTRIBUTES &&
           (long)(GetTickCount() - start) < limit)
        Sleep(20);
}

static void Record(bool start)
{
    FILE *out = fopen("C:\\uninstal-record.txt", "ab");
    if (!out)
        return;
    if (start) {
        char cwd[MAX_PATH];
        char sourcePath[512];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        ReadSourcePath(sourcePath, sizeof sourcePath);
        fputs("START ", out);
        PrintHex(out, GetCommandLineA());
        fputs(" ", out);
        PrintHex(out, cwd);
        fputs(" ", out);
        PrintHex(out, sourcePath);
        fprintf(out, " %lu\n", GetCurrentProcessId());
        fprintf(out, "TICK %lu %lu\n", GetTickCount(), GetCurrentProcessId());
    } else {
        fprintf(out, "END %lu\n", GetCurrentProcessId());
    }
    fclose(out);
}

static void HandOff(const char *program)
{
    char commandLine[] = "uninstal.exe -handed";
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (CreateProcessA(program, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

int main()
{
    Record(true);
    // The copy that a handoff started carries out what follows "handoff".
    bool skipping = strstr(GetCommandLineA(), "-handed") != NULL;

    char config[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, config, sizeof config);
    char *slash = strrchr(config, '\\');
    if (length == 0 || slash == NULL)
        return 0;
    char program[MAX_PATH];
    strcpy(program, config);
    strcpy(slash + 1, "uninstal.cfg");

    int exitCode = 0;
    bool crash = false;
    bool broadcast = false;
    FILE *in = fopen(config, "r");
    char word[32];
    long number;
    char path[MAX_PATH];
    while (in && fscanf(in, "%31s", word) == 1) {
        if (strcmp(word, "handoff") == 0) {
            if (skipping) {
                skipping = false;
                continue;
            }
            HandOff(program);
            break;
        }
        if (strcmp(word, "erase") == 0) {
            if (fscanf(in, "%259s", path) == 1 && !skipping)
                DeleteFileA(path);
            continue;
        }
        if (skipping)
            continue;
        if (strcmp(word, "crash") == 0) {
            crash = true;
            continue;
        }
        if (strcmp(word, "broadcast") == 0) {
            broadcast = true;
            continue;
        }
        if (fscanf(in, "%ld", &number) != 1)
            break;
        if (strcmp(word, "sleep") == 0)
            Sleep((DWORD)number);
        else if (strcmp(word, "hold") == 0)
            Hold(number);
        else if (strcmp(word, "exit") == 0)
            exitCode = (int)number;
    }
    if (in)
        fclose(in);

    if (crash) {
        SetErrorMode(SEM_NOGPFAULTERRORBOX);
        *(volatile int *)0 = 0;
    }
    if (broadcast)
        SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, (LPARAM) "system.ini");
    Record(false);
    return exitCode;
}
