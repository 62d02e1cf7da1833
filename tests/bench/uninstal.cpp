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
// "erase PATH": delete that file, as a remover erases an older version,
// "handoff": start a copy of itself with the command line "uninstal.exe
// -handed", which carries out the words after this one, and end at once,
// as removers that must delete their own directory do, "launch": start that
// copy at once and go on, ending at the next "handoff" without another copy,
// and "window MS": show a window and wait for input in it for MS
// milliseconds, as a readme viewer does. The words after the n-th
// "handoff" are a copy's of the n-th generation, "uninstal.exe -handed n"
// (plain "-handed" for the first): a helper that hands on to a worker and
// ends at once is "launch sleep 1000 handoff handoff sleep 3000 ...".
//
// It is a GUI program, as removers and readme viewers are: Windows tells
// only of such a program whether it waits for input.
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

static void HandOff(const char *program, int generation)
{
    char commandLine[64];
    if (generation == 1)
        strcpy(commandLine, "uninstal.exe -handed");
    else
        sprintf(commandLine, "uninstal.exe -handed %d", generation);
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

static void ShowWindowFor(long milliseconds)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "UninstalReadme";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("UninstalReadme", "Readme", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 200, 100, NULL, NULL, windowClass.hInstance, NULL);
    SetTimer(window, 1, (UINT)milliseconds, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageA(&message);
}

int main()
{
    Record(true);
    // A copy of generation n carries out what follows the n-th "handoff".
    const char *handed = strstr(GetCommandLineA(), "-handed");
    int generation = handed ? (atoi(handed + 7) > 0 ? atoi(handed + 7) : 1) : 0;
    int skipping = generation;
    bool launched = false;

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
                skipping--;
                continue;
            }
            if (!launched)
                HandOff(program, generation + 1);
            break;
        }
        if (strcmp(word, "launch") == 0) {
            if (!skipping && !launched) {
                HandOff(program, generation + 1);
                launched = true;
            }
            continue;
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
        else if (strcmp(word, "window") == 0)
            ShowWindowFor(number);
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
