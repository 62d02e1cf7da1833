/* The one record of the run, shared by every subsystem. */
#ifndef DRIVEWRIGHT_INSTALL_STATE_H
#define DRIVEWRIGHT_INSTALL_STATE_H

#include <windows.h>
#include <stdio.h>

enum CabSearchState { NotSearched, Found, Missing };

struct InstallRecord {
    HINSTANCE Instance;
    FILE *LogFile;
    FILE *ConsoleStream;

    char ProgramDir[512];
    char OldSourcePath[512];
    char DriverDir[512];
    char OverrideSourcePath[512];
    int RepointPending;         /* -s given, SourcePath not yet repointed */
    char RestoreProgramDir[512];    /* where the restore entry's program was put */

    int SourcePathUsable;
    unsigned char RebootMode;   /* 1: restart after a quiet run; 2: do not */
    int CopyDrivers;
    int QuietMode;
    CabSearchState Win95CabSearch;
    CabSearchState Driver18CabSearch;
    int FilesNotInstalled;      /* failed copies and extractions of files */

    char LogWindowsDir[128];
    char LogPath[512];
    char WindowsDir[128];
    char InfDir[128];
    char InfOtherDir[128];
    char OtherInfPath[128];
    char InfLine[1024];
    char CdRoot[512];
    char Win95CabPath[512];
    char Driver18CabPath[512];
};

extern InstallRecord InstallState;

/* The start values of the run: the module, standard output as the console,
   a restart after a quiet run, and the drivers copied. */
void StartInstallState(HINSTANCE instance);

#endif
