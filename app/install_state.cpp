/* The run's state with its start values; every field not named starts empty or zero. */
#include "install_state.h"

InstallRecord InstallState = {
    /* Instance */ NULL,
    /* LogFile */ NULL,
    /* ConsoleStream */ NULL,
    /* ProgramDir */ "",
    /* OldSourcePath */ "",
    /* DriverDir */ "",
    /* OverrideSourcePath */ "",
    /* RestoreDir */ "",
    /* SourcePathUsable */ 0,
    /* RebootMode */ 1,
    /* CopyDrivers */ 1,
    /* QuietMode */ 0,
    /* Win95CabSearch */ NotSearched,
    /* Driver18CabSearch */ NotSearched,
    "", "", "", "", "", "", "", "", "", "",
};
