/* Writing one message to the log file and then to standard output. */
#include "log.h"

#include <stdarg.h>
#include <stdio.h>

#include "../app/install_state.h"

void LoadMessage(UINT id, char *buffer, int bufferSize)
{
    if (LoadStringA(InstallState.Instance, id, buffer, bufferSize) <= 0)
        buffer[0] = '\0';
}

/* The text is a message of the table; only its arguments come from outside. */
void LogMessage(const char *text, ...)
{
    va_list args;
    if (InstallState.LogFile) {
        va_start(args, text);
        vfprintf(InstallState.LogFile, text, args);
        va_end(args);
    }
    if (InstallState.ConsoleStream) {
        va_start(args, text);
        vfprintf(InstallState.ConsoleStream, text, args);
        va_end(args);
    }
}

void LogPathMessage(UINT id, const char *path)
{
    char message[256];
    LoadMessage(id, message, sizeof message);
    LogMessage(message, path);
}

void LogPlainText(const char *text)
{
    if (InstallState.LogFile)
        fputs(text, InstallState.LogFile);
    if (InstallState.ConsoleStream)
        fputs(text, InstallState.ConsoleStream);
}
