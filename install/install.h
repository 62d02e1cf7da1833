/* File installation: the driver files and the INF files. */
#ifndef DRIVEWRIGHT_INSTALL_H
#define DRIVEWRIGHT_INSTALL_H

#include <windows.h>

/* driver_files.cpp */
int CopyDriverFiles(const char *driverDir, HWND window);

/* inf_files.cpp */
int InstallInfFiles(HWND window);

#endif
