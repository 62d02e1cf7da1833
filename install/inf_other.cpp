/* The second copy of an INF: INF\OTHER\<provider><name>. */
#include "install.h"

#include <stdio.h>

#include "install_text.h"
#include "../app/install_state.h"
#include "../log/log.h"
#include "../res/resource.h"

/* A provider that would lead out of INF\OTHER, or a path that does not fit
   its buffer, gets no copy: the refusal is logged as a failed copy. */
static void RefuseOtherCopy(const char *infName, const char *otherDir, const char *provider)
{
    char wanted[INSTALL_PATH_SIZE + sizeof InstallState.InfLine + MAX_PATH];
    BuildOtherPath(otherDir, provider, infName, wanted, sizeof wanted);
    LogCopyFailed(infName, wanted);
}

/* destination holds INSTALL_PATH_SIZE characters. */
int CopyInfToOther(const char *infName, const char *otherDir, char *destination, HWND window)
{
    char *line = InstallState.InfLine;
    char provider[sizeof InstallState.InfLine];

    /* Text mode: CR LF reads as one newline and Ctrl+Z ends the text. */
    FILE *inf = fopen(infName, "r");
    if (inf == NULL)
        return 0;

    while (ReadTextLine(inf, line, sizeof InstallState.InfLine)) {
        UpperCaseLine(line);
        if (!TakeProvider(line, provider, sizeof provider))
            continue;
        if (IsSafeProvider(provider) &&
            BuildOtherPath(otherDir, provider, infName, destination, INSTALL_PATH_SIZE))
            CopyOneFile(infName, destination, window);
        else
            RefuseOtherCopy(infName, otherDir, provider);
        break;
    }
    fclose(inf);
    return 1;
}
