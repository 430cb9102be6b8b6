// The main dialog's side of the Compare formats window: the button that opens
// it and the format choice it may make.
#pragma once

#include "dialog/dialog.h"

// Click on IDC_COMPARE (also Alt+M): opens the Compare formats window, or raises it.
void COMPARE_CLICK(DIALOG& dlg, int id, int event);
// Makes format `kind` the main dialog's choice, as a click on its radio (or
// the Alt format choice set to it) does, and reads the value field's number
// into it again (choosing a format clears the field). False, changing
// nothing, for a kind the program does not know.
bool CHOOSE_FORMAT(int kind);
