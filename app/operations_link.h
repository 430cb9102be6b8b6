// The main dialog's side of the Operations window: the button that opens it
// and what the window may read from and do to the main dialog.
#pragma once

#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

// Click on IDC_OPERATIONS (also Alt+O): opens the Operations window, or
// raises it.
void OPERATIONS_CLICK(DIALOG& dlg, int id, int event);
// Click on IDC_ALT_TABLE (also Alt+T): opens the table of every encoding of
// the format chosen from the list, or raises it.
void ENCODINGS_CLICK(DIALOG& dlg, int id, int event);
// Shows `bits` in the main dialog as a hexadecimal word typed there does,
// first choosing format `kind` when another one is current.
void SEND_TO_MAIN(int kind, ieee::uint128 bits);
