/* Installer control: start-up, the two run sequences and the command line. */
#ifndef DRIVEWRIGHT_APP_H
#define DRIVEWRIGHT_APP_H

#include <windows.h>
#include <stddef.h>

#include "program_family.h"

/* win_main.cpp: the whole run with the options of commandLine (what follows
   the program's name); returns the exit code. */
int RunInstaller(HINSTANCE instance, const char *commandLine);

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

/* The exit code of a quiet run that found before it began that it could not
   finish, and changed nothing. */
enum { EXIT_NOT_INSTALLABLE = 3 };

/* installation_check.cpp: 1 when the installation can go on; else the
   reason is logged, and shown where window is a dialog's. CheckSystem: the
   Windows is 95, 98 or Me. CheckPackageFits: the package reads whole and
   fits the disks, with the driver files when copyDrivers. CheckDriverDir:
   the directories that the run writes to (DriverDir when copyDrivers, and
   the -s directory) are there or can be made, and take a file. */
int CheckSystem(HWND window);
int CheckDriverDir(int copyDrivers, HWND window);
int CheckPackageFits(int copyDrivers, HWND window);

/* options.cpp: points SourcePath at the -s path, when -s asked for it and
   it has not been done yet. -s waits until the run knows that it can
   finish, or until -? or -x ends it. */
void RepointAsked(void);

/* remover.cpp: window, when not NULL, is the dialog whose progress lines
   say what the run waits for. */
void RunRemover(HWND window);

/* answering_wait.cpp: waits until object is signalled, or milliseconds
   (INFINITE: no limit) have passed, answering the messages other programs
   send to the run's windows and keeping them drawn; returns WAIT_OBJECT_0
   (or WAIT_ABANDONED_0 for a mutex) or WAIT_TIMEOUT. */
DWORD WaitAnswering(HANDLE object, DWORD milliseconds);

/* started_programs.cpp: the running programs, at most limit of them (a look
   beyond PROGRAM_LOOK_LIMIT programs is cut there). */
enum { PROGRAM_LOOK_LIMIT = 256 };
size_t LookAtPrograms(ProgramEntry *look, size_t limit);

/* started_programs.cpp: waits until remover, of id removerId, has ended,
   and then for the programs that it started, and those they started, within
   the bound that the file states; none of before, the programs that ran
   before it started, is ever taken for one. */
void WaitForRemover(HANDLE remover, DWORD removerId, const ProgramEntry *before,
                    size_t beforeCount, HWND window);

/* run_sequence.cpp */
int RunQuietSequence(void);
int RunInteractiveSequence(void);

#endif
