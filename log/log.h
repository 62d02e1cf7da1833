/* Installation log: the log file, its twin on standard output, the message table. */
#ifndef DRIVEWRIGHT_LOG_H
#define DRIVEWRIGHT_LOG_H

#include <windows.h>

/* open_log.cpp */
int OpenLog(void);

/* log_banner.cpp */
void WriteLogBanner(void);

/* log_message.cpp */
void LoadMessage(UINT id, char *buffer, int bufferSize);
void LogMessage(const char *text, ...);
void LogPlainText(const char *text);
/* The table's message id, with its one argument: a path. */
void LogPathMessage(UINT id, const char *path);

#endif
