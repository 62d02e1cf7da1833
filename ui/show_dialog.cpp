/* How every dialog of the program is opened. */
#include "ui.h"

#include "../app/install_state.h"

/* The thread takes no mouse message while the installation works, so
   nothing would change the pointer back from the one a dialog left: the
   pointer it found is shown again when it closes, the hourglass of an
   installation that goes on. */
INT_PTR ShowDialog(int templateId, DLGPROC procedure)
{
    HCURSOR before = GetCursor();
    INT_PTR result = DialogBoxParamA(InstallState.Instance, MAKEINTRESOURCEA(templateId), NULL,
                                     procedure, 0);
    if (before)
        SetCursor(before);
    return result;
}
