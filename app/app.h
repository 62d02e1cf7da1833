/* Installer control: start-up, the two run sequences and the command line. */
#ifndef DRIVEWRIGHT_APP_H
#define DRIVEWRIGHT_APP_H

#include <windows.h>
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

/* options.cpp: what the options make of the run, before any is applied: a
   run that -? or -x ends (whatever stands before it), else a quiet run or
   one through the dialogs. */
enum RunKind { RunInteractive, RunQuiet, RunEndsEarly };
int KindOfRun(const char *commandLine);

/* installation_turn.cpp: one installation at a time on the machine. */
enum TurnResult { TurnTaken, TurnWithoutLog, TurnRefused };
int TakeInstallationTurn(const char *commandLine);
void EndInstallationTurn(void);

/* The exit code of a quiet run with -c that could not install every file. */
enum { EXIT_FILES_NOT_INSTALLED = 4 };

/* remover.cpp */
void RunRemover(void);

/* answering_wait.cpp: waits until object is signalled, or milliseconds
   (INFINITE: no limit) have passed, answering the messages other programs
   send to the run's windows and keeping them drawn; returns WAIT_OBJECT_0
   (or WAIT_ABANDONED_0 for a mutex) or WAIT_TIMEOUT. */
DWORD WaitAnswering(HANDLE object, DWORD milliseconds);

/* started_programs.cpp: waits until every program that the process of id
   firstId (ended, and held open by the caller) started has ended, and those
   they started. */
void WaitForStartedPrograms(DWORD firstId);

/* run_sequence.cpp */
int RunQuietSequence(void);
int RunInteractiveSequence(void);

#endif
