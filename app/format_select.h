// Format selection: which row of bit edits is live, and the format radios.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Enables the bit edits of FORMAT_KIND's row, disables the others; texts stay.
void ENABLEBITEDITS(DIALOG& dlg, int id, int event);
// Click on IDC_FORMAT_32/64/128 (dispatched by SUB_REPRESENT): select the
// format, zero its row, reset the value and the stale displays.
void FORMAT_CLICK(DIALOG& dlg, int id, int event);
