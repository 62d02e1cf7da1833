/* The start-up record that sends a started program's standard output and
   error to one handle: the bench's launcher and the sweeps' cutter read a
   run's output from a file, never through a pipe that Wine's own background
   programs could hold open. */
#ifndef DRIVEWRIGHT_OUTPUT_TO_H
#define DRIVEWRIGHT_OUTPUT_TO_H

#include <windows.h>
#include <string.h>

static inline STARTUPINFOA OutputTo(HANDLE out)
{
    STARTUPINFOA start;
    memset(&start, 0, sizeof start);
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = out;
    start.hStdError = out;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    return start;
}

#endif
