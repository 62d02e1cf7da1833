/* Installer control: start-up, the two run sequences and the command line. */
#ifndef DRIVEWRIGHT_APP_H
#define DRIVEWRIGHT_APP_H

#include <stddef.h>

/* program_dir.cpp: the executable's full name, 0 with out empty when it
   does not fit; and its directory. */
int GetProgramFile(char *out, size_t outSize);
void GetProgramDir(char *out);

/* header_line.cpp */
void WriteHeaderLine(const char *commandLine);

/* options.cpp: returns 1 to go on, 0 to end the run with *exitCode. */
int ApplyOptions(const char *commandLine, int *exitCode);

/* options.cpp: applies the first -x alone; returns 1, with its *exitCode,
   when the line holds one. */
int ApplyRestoreOption(const char *commandLine, int *exitCode);

/* remover.cpp */
void RunRemover(void);

/* run_sequence.cpp */
int RunQuietSequence(void);
int RunInteractiveSequence(void);

#endif
