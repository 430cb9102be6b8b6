// Format selection: which row of bit edits is live, the format radios, and
// the format chosen from the list (with custom widths).
#pragma once

#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

// Enables the bit edits of FORMAT_KIND's row, disables the others; texts stay.
void ENABLEBITEDITS(DIALOG& dlg, int id, int event);
// Click on a format radio (dispatched by SUB_REPRESENT): select the format,
// zero its row, reset the value and the stale displays.
void FORMAT_CLICK(DIALOG& dlg, int id, int event);

// Start-up: fills the list with every format of the table that has no radio
// of its own, then custom widths, and binds the list's row to the first.
void ALT_FORMATS_INIT(DIALOG& dlg);
// A choice in the list or a custom width changed: the list's row follows the
// format at once (and, while it is the current format, starts again at zero).
void ALT_FORMAT_CHANGED(DIALOG& dlg, int id, int event);
// Makes `f` the current format, choosing it in the list when it has no radio
// of its own; false for a format the dialog cannot show.
bool CHOOSE_FORMAT(DIALOG& dlg, const ieee::FormatInfo& f);
