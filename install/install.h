/* File installation: the driver files and the INF files. */
#ifndef DRIVEWRIGHT_INSTALL_H
#define DRIVEWRIGHT_INSTALL_H

#include <windows.h>

/* copy_file.cpp: the four progress lines of the main dialog, always set
   together: a label, a path, a second label, a second path. */
void ShowProgressLines(HWND window, UINT firstLabel, const char *first, UINT secondLabel,
                       const char *second);

/* copy_file.cpp: one copy, shown on the progress lines of window (not in
   quiet mode, nor without a window) and logged. No installed file keeps
   the read-only attribute of a file from a CD. */
int CopyOneFile(const char *source, const char *destination, HWND window);

/* copy_file.cpp: logs the failed copy of source to destination. It counts
   as a file the run did not install, unless source is a directory (the
   package's subdirectories, "." and "..", are never installed) or the
   destination itself. */
void LogCopyFailed(const char *source, const char *destination);

/* copy_file.cpp: CopyOneFile to a name that nothing holds. A file standing
   in destination's place is left as it is; then nothing is logged, and -1
   tells the caller to take another name. */
int CopyOneNewFile(const char *source, const char *destination, HWND window);

/* make_writable.cpp: clears the read-only attribute of an existing file, other
   attributes kept; returns the attributes it had (INVALID_FILE_ATTRIBUTES
   for none). Directories are left alone. */
DWORD MakeWritable(const char *path);

/* copy_into_place.cpp: 1 when the two names are one file. */
int IsSameFile(const char *first, const char *second);

/* copy_into_place.cpp: the whole copy of source in destination's place, or,
   returning 0, destination as it was. A copy shorter than its source fails.
   A file copied onto itself would gain nothing and could lose its content:
   that copy fails. With replace 0, a file standing in destination's place
   is never replaced: the copy fails, with -1 when a file standing there was
   what refused it. */
int CopyIntoPlace(const char *source, const char *destination, int replace);

/* copy_into_place.cpp: the next size bytes of in read, and written to out
   unless out is NULL; 0 when a read fails or ends the file sooner (a
   scratched CD, a file cut short), or a write fails. */
int PassBytes(HANDLE in, DWORD size, HANDLE out);

/* work_dir.cpp: 1 when the copies until EndCopies have their working
   directory, QVWORK in destination's directory (made, or emptied where a
   run cut short left it). The copies until EndCopies go to that
   directory's disk. */
int EnterWorkDir(const char *destination);

/* work_dir.cpp: 1 when a directory entry is a working directory of the
   copies, which is no file of a package. */
int IsWorkDirEntry(const WIN32_FIND_DATAA *entry);

/* work_dir.cpp: the path of the working directory's file n, 0 or 1. */
const char *WorkFile(int n);

/* work_dir.cpp: the working directory emptied and removed; each step of the
   installation that copies ends with it. */
void EndCopies(void);

/* copy_into_place.cpp: writes what the disk cache holds of the file to the
   disk; 1 when it did. */
int FlushToDisk(const char *path);

/* start_program.cpp: starts program with commandLine in the working
   directory, handing it none of the installer's handles; returns its
   process handle, with its id in *processId, or NULL when it could not be
   started. */
HANDLE StartProgram(const char *program, char *commandLine, DWORD flags, DWORD *processId);

/* find_match.cpp: FindFirstFileA and FindNextFileA, giving only the entries
   whose own names match pattern's last part (NameMatches). */
HANDLE FindFirstMatch(const char *pattern, WIN32_FIND_DATAA *entry);
int FindNextMatch(HANDLE search, const char *pattern, WIN32_FIND_DATAA *entry);

/* find_match.cpp: 1 when a file or directory's own name matches pattern. */
int HasMatch(const char *pattern);

/* package_check.cpp: whether the package in the working directory can be
   installed: every file that will be copied (the driver files only with
   copyDrivers) reads whole, and the driver directory's disk and the Windows
   disk have room for the copies. 0 when it can; else the message that says
   why, with its arguments in what (MAX_PATH: the file, or the disk's root)
   and amount (PACKAGE_AMOUNT_SIZE: the KB missing). */
enum { PACKAGE_AMOUNT_SIZE = 16 };
UINT CheckPackage(const char *driverDir, int copyDrivers, char *what, char *amount);

/* package_place.cpp: NotePackage takes down the package in the working
   directory before the Windows CD is asked for; PackageIsBack makes its
   directory the working directory again and says whether the same package
   is there. NotedPackageDir names that directory. */
void NotePackage(void);
int PackageIsBack(void);
const char *NotedPackageDir(void);

/* driver_files.cpp */
int CopyDriverFiles(const char *driverDir, HWND window);

/* inf_files.cpp */
int InstallInfFiles(HWND window);

/* inf_other.cpp */
int CopyInfToOther(const char *infName, const char *otherDir, char *destination, HWND window);

/* driver_dir.cpp: C:\QUORVEL\DRIVERS, or C:\QUORVEL0 ... 9 in its place. */
void PrepareDriverDir(void);

/* directory_path.cpp: makes every missing level of path; 1 when it is a
   directory then. made, unless NULL, gets the levels this call made (the
   length of each, the top one first), for RemoveMadeLevels. */
enum { MADE_LEVELS_LIMIT = MAX_PATH / 2 };
struct MadeLevels {
    size_t length[MADE_LEVELS_LIMIT];
    size_t count;
};
int MakeDirectoryPath(const char *path, MadeLevels *made);
void RemoveMadeLevels(const char *path, const MadeLevels *made);

/* driver_dir_probe.cpp: 1 when the directory path is, or can be made, and
   a file can be written in it; whatever the look made is gone again. */
int CanWriteDirectory(const char *path);

/* restore_program.cpp: points SourcePath at newPath, with the restore entry
   and the program it runs in place first. Where a step fails, SourcePath
   stays as it was. */
void RepointSourcePath(const char *newPath);

/* restore_program.cpp: 1 when name in dir is the program that this run put
   there for the restore entry. */
int IsRestoreProgram(const char *dir, const char *name);

/* restore_program.cpp: puts the restore entry's program back where this run
   placed it, when it is no longer there. */
void KeepRestoreProgram(void);

/* cd_components.cpp: 1 to go on, 0 when the insert-CD prompt was cancelled. */
int FetchCdComponents(HWND mainWindow);

/* extract_cab.cpp: 1 when the cabinet tool wrote the file. */
int ExtractFromCab(const char *cabPath, const char *destinationPath, HWND window);

#endif
