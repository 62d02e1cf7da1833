// A Win32 helper for the dialog tests: reports the dialogs on the screen of
// the prefix as the program set them, and holds the program still for a
// screenshot.
//
//   list             for each visible dialog:
//                      DIALOG <hwnd> <thread> <enabled> <left> <top> <right> <bottom> <hex caption> <active>
//                      CLOSE <x> <y>       (centre of its close box, when it has one)
//                      CONTROL <id> <class> <enabled> <visible> <left> <top> <right> <bottom> <hex text>
//                    then END; coordinates are screen pixels
//   freeze ID MS     wait up to MS milliseconds until control ID of a dialog has
//                    text, then suspend the dialog's thread: "FROZEN <thread>" or "TIMEOUT"
//   thaw THREAD      resume a thread that freeze suspended
//   raise HWND       bring a dialog to the front and make it the active window
//   fit HWND W H     give the first control of a dialog (the logo) a client area
//                    of W x H pixels, its frame around it
//   show EXE ID      show dialog template ID of EXE with no code of its own
//                    behind it, until a button, Esc or the close box ends it
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void PrintHex(const char *text)
{
    if (!*text)
        printf("-");
    for (; *text; text++)
        printf("%02x", (unsigned char)*text);
}

static bool IsDialog(HWND window)
{
    char className[64];
    return IsWindowVisible(window) && GetClassNameA(window, className, sizeof className) &&
           strcmp(className, "#32770") == 0;
}

// Scans the title bar from the right for the point that the window itself
// calls its close box.
static void PrintCloseBox(HWND window)
{
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU))
        return;
    RECT frame;
    GetWindowRect(window, &frame);
    int y = frame.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = frame.right - 1; x > frame.right - 60; x--) {
        DWORD_PTR hit = 0;
        if (!SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                 2000, &hit))
            return;
        if (hit == HTCLOSE) {
            if (first < 0)
                first = x;
            last = x;
        } else if (first >= 0) {
            break;
        }
    }
    if (first >= 0)
        printf("CLOSE %d %d\n", (first + last) / 2, y);
}

// An edit control keeps its text to itself: only WM_GETTEXT reads it. A
// dialog that is busy answers no message, and then the text that the
// window manager holds is what there is.
static void ReadText(HWND control, bool answering, char *text, int size)
{
    DWORD_PTR got = 0;
    text[0] = '\0';
    if (!answering || !SendMessageTimeoutA(control, WM_GETTEXT, size, (LPARAM)text,
                                           SMTO_ABORTIFHUNG, 2000, &got))
        GetWindowTextA(control, text, size);
}

static BOOL CALLBACK PrintControl(HWND control, LPARAM answering)
{
    char className[64], text[1024];
    RECT box;
    GetClassNameA(control, className, sizeof className);
    ReadText(control, answering != 0, text, sizeof text);
    GetWindowRect(control, &box);
    printf("CONTROL %d %s %d %d %ld %ld %ld %ld ", GetDlgCtrlID(control), className,
           IsWindowEnabled(control) ? 1 : 0, IsWindowVisible(control) ? 1 : 0,
           box.left, box.top, box.right, box.bottom);
    PrintHex(text);
    printf("\n");
    return TRUE;
}

static BOOL CALLBACK PrintDialog(HWND window, LPARAM)
{
    if (!IsDialog(window))
        return TRUE;
    char caption[1024];
    RECT frame;
    GetWindowTextA(window, caption, sizeof caption);
    GetWindowRect(window, &frame);
    printf("DIALOG %p %lu %d %ld %ld %ld %ld ", (void *)window,
           GetWindowThreadProcessId(window, NULL), IsWindowEnabled(window) ? 1 : 0,
           frame.left, frame.top, frame.right, frame.bottom);
    PrintHex(caption);
    // The active window is the one that keys reach: a dialog just shown may
    // be visible a while before it is activated.
    printf(" %d\n", GetForegroundWindow() == window ? 1 : 0);
    DWORD_PTR ignored;
    bool answering = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300,
                                         &ignored) != 0;
    if (answering)
        PrintCloseBox(window);
    EnumChildWindows(window, PrintControl, answering);
    return TRUE;
}

struct Search {
    int controlId;
    HWND found;
};

static BOOL CALLBACK FindFilledControl(HWND window, LPARAM param)
{
    Search *search = (Search *)param;
    HWND control = IsDialog(window) ? GetDlgItem(window, search->controlId) : NULL;
    if (control && GetWindowTextLengthA(control) > 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static int Freeze(int controlId, DWORD limit)
{
    DWORD start = GetTickCount();
    Search search = {controlId, NULL};
    while (!search.found) {
        EnumWindows(FindFilledControl, (LPARAM)&search);
        if (search.found)
            break;
        if (GetTickCount() - start > limit) {
            printf("TIMEOUT\n");
            return 0;
        }
        Sleep(1);
    }
    DWORD threadId = GetWindowThreadProcessId(search.found, NULL);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
    if (!thread || SuspendThread(thread) == (DWORD)-1) {
        fprintf(stderr, "cannot suspend thread %lu\n", threadId);
        return 1;
    }
    CloseHandle(thread);
    printf("FROZEN %lu\n", threadId);
    return 0;
}

static int Thaw(DWORD threadId)
{
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
    if (!thread || ResumeThread(thread) == (DWORD)-1) {
        fprintf(stderr, "cannot resume thread %lu\n", threadId);
        return 1;
    }
    CloseHandle(thread);
    return 0;
}

static int Raise(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return SetForegroundWindow(window) ? 0 : 1;
}

// Windows sizes a bitmap control to its bitmap and frame; Wine sizes the
// frame and all to the bitmap and shrinks the picture into what is left.
static int Fit(HWND dialog, int width, int height)
{
    HWND logo = GetWindow(dialog, GW_CHILD);
    RECT frame, client;
    if (!logo || !GetWindowRect(logo, &frame) || !GetClientRect(logo, &client))
        return 1;
    width += frame.right - frame.left - client.right;
    height += frame.bottom - frame.top - client.bottom;
    if (!SetWindowPos(logo, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        return 1;
    return InvalidateRect(logo, NULL, TRUE) ? 0 : 1;
}

static INT_PTR CALLBACK PreviewDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        EndDialog(window, LOWORD(wParam));
    return 0;
}

static int Show(const char *exe, int templateId)
{
    HMODULE module = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        fprintf(stderr, "cannot load %s\n", exe);
        return 1;
    }
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), NULL,
                                     PreviewDlgProc, 0);
    printf("ENDED %ld\n", (long)result);
    FreeLibrary(module);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "list") == 0) {
        EnumWindows(PrintDialog, 0);
        printf("END\n");
        return 0;
    }
    if (argc == 4 && strcmp(argv[1], "freeze") == 0)
        return Freeze(atoi(argv[2]), strtoul(argv[3], NULL, 10));
    if (argc == 3 && strcmp(argv[1], "thaw") == 0)
        return Thaw(strtoul(argv[2], NULL, 10));
    if (argc == 3 && strcmp(argv[1], "raise") == 0)
        return Raise((HWND)(UINT_PTR)strtoul(argv[2], NULL, 16));
    if (argc == 5 && strcmp(argv[1], "fit") == 0)
        return Fit((HWND)(UINT_PTR)strtoul(argv[2], NULL, 16), atoi(argv[3]), atoi(argv[4]));
    if (argc == 4 && strcmp(argv[1], "show") == 0)
        return Show(argv[2], atoi(argv[3]));
    fprintf(stderr, "usage: dlgprobe list | freeze ID MS | thaw THREAD | raise HWND | fit HWND W H | "
                    "show EXE ID\n");
    return 2;
}
