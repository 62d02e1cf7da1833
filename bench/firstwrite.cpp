// The smallest GUI program that writes a file: the yardstick of bench/startup.
// Built a second time with WITH_DLLS, it first touches USER32 and ADVAPI32,
// which the installer imports, so that their loading is counted too.
#include <windows.h>
#include <stdio.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
#ifdef WITH_DLLS
    char text[8];
    HKEY key;
    LoadStringA(instance, 1, text, sizeof text);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
#else
    (void)instance;
#endif
    FILE *file = fopen(commandLine[0] ? commandLine : "firstwrite.txt", "a");
    if (!file)
        return 1;
    fputc('x', file);
    fclose(file);
    return 0;
}
