// The messages of the code under test, caught in a temporary file that takes
// the place of standard output (the log file stays closed).
#ifndef DRIVEWRIGHT_TESTS_CAPTURED_LOG_H
#define DRIVEWRIGHT_TESTS_CAPTURED_LOG_H

#include <windows.h>
#include <stdio.h>

#include <string>

#include "app/install_state.h"

class CapturedLog {
public:
    CapturedLog() : file_(tmpfile())
    {
        InstallState.Instance = GetModuleHandleA(NULL);
        InstallState.ConsoleStream = file_;
        InstallState.LogFile = NULL;
    }
    ~CapturedLog()
    {
        InstallState.ConsoleStream = NULL;
        if (file_)
            fclose(file_);
    }
    CapturedLog(const CapturedLog &) = delete;
    CapturedLog &operator=(const CapturedLog &) = delete;

    // What was written since the last call.
    std::string Take()
    {
        std::string text;
        if (!file_)
            return text;
        fflush(file_);
        fseek(file_, taken_, SEEK_SET);
        int c;
        while ((c = fgetc(file_)) != EOF)
            text += (char)c;
        taken_ = ftell(file_);
        return text;
    }

private:
    FILE *file_;
    long taken_ = 0;
};

#endif
