// The bit fields of one format's row read and written as one whole bit
// string: sign, exponent, fraction (binary128: its high part, then its low
// part), each field exactly as wide as it has bits.
#pragma once

#include <string>
#include <string_view>

#include "app/format_rows.h"
#include "dialog/dialog.h"

// The row's field texts joined, each blank-padded or cut to its width (a
// shorter field reads as blank-padded), so field k stands at its own position.
std::string READ_ROW_BITS(DIALOG& dlg, const FormatRow& row);
// Puts each field's piece of `whole` (bits in the row's order) into its edit.
void WRITE_ROW_BITS(DIALOG& dlg, const FormatRow& row, std::string_view whole);
