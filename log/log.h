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
/* Loads message id of the table (256 bytes, as every message but the
   longest few needs) and logs it with its arguments. */
void LogTableMessage(UINT id, ...);

#endif
