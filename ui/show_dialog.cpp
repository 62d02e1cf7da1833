/* How every dialog of the program is opened. */
#include "ui.h"

#include "../app/install_state.h"

INT_PTR ShowDialog(int templateId, DLGPROC procedure)
{
    return DialogBoxParamA(InstallState.Instance, MAKEINTRESOURCEA(templateId), NULL,
                           procedure, 0);
}
