/* Whether the driver directory can take the copies, found out before
   anything changes. */
#include "install.h"

#include "install_text.h"

/* The look makes the levels of the path that are missing, writes a file in
   the copies' own working directory there, and takes away all it made: a
   run that is then refused leaves no trace. Making the directory, rather
   than judging its parent, answers alike for a drive that does not exist,
   a CD or a write-protected disk, and a share that may be read only. */
int CanWriteDirectory(const char *path)
{
    MadeLevels made;
    char inside[MAX_PATH];
    int writable = 0;

    if (MakeDirectoryPath(path, &made) && JoinPath(path, "QVPROBE.TMP", inside, sizeof inside) &&
        EnterWorkDir(inside)) {
        HANDLE file = CreateFileA(WorkFile(0), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            writable = 1;
        }
        EndCopies();
    }
    RemoveMadeLevels(path, &made);
    return writable;
}
