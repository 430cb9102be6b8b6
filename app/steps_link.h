// The main dialog's side of the "How it was rounded" window: the button that
// opens it and the lines it shows for the main dialog's datum.
#pragma once

#include "dialog/dialog.h"

// Click on IDC_STEPS (also Alt+W): opens the window for the conversion of
// the value field's text, or raises it.
void STEPS_CLICK(DIALOG& dlg, int id, int event);
