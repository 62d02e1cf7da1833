/* The banner that heads each run's section of the log. */
#include "log.h"

#include <stdio.h>
#include <time.h>

#include "../app/install_state.h"
#include "../res/resource.h"

static const char VersionText[] = "0.2 Beta";

void WriteLogBanner(void)
{
    char clock[9];

    LogPlainText("\n----------------------------------------------------------\n");

    _strtime(clock);
    LogMessage("%s\t", clock);

    _strdate(clock);
    LogMessage("%s\n", clock);

    LogTableMessage(IDS_BANNER, VersionText);
}
