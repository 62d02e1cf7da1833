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

/* Each message reaches the file as it is logged: a run ended from outside
   (a hung remover ended by the user, a power cut) leaves its log whole up
   to that moment, and that record is what tells where SourcePath went and
   which files were copied. */
static void WriteOut(FILE *stream, const char *text, va_list args)
{
    if (stream) {
        vfprintf(stream, text, args);
        fflush(stream);
    }
}

static void LogBoth(const char *text, va_list args)
{
    va_list again;
    va_copy(again, args);
    WriteOut(InstallState.LogFile, text, args);
    WriteOut(InstallState.ConsoleStream, text, again);
    va_end(again);
}

/* The text is a message of the table; only its arguments come from outside. */
void LogMessage(const char *text, ...)
{
    va_list args;
    va_start(args, text);
    LogBoth(text, args);
    va_end(args);
}

void LogTableMessage(UINT id, ...)
{
    char message[256];
    va_list args;
    LoadMessage(id, message, sizeof message);
    va_start(args, id);
    LogBoth(message, args);
    va_end(args);
}

/* Text logged as it stands, never as a format: the header line comes from
   the command line. */
void LogPlainText(const char *text)
{
    LogMessage("%s", text);
}
