/* The check for driver files that decides whether the driver path is asked for. */
#include "ui.h"

#include "../install/install.h"

/* Both searches always run. */
int HasDriverFiles(void)
{
    int drivers = HasMatch("QV*.DRV");
    int virtualDrivers = HasMatch("QV*.VXD");
    return drivers || virtualDrivers;
}
