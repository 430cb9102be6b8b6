// The bit fields of one format's row read and written as one pattern: sign,
// exponent, fraction (binary128: its high part, then its low part), each field
// in its own place.
#pragma once

#include <string_view>

#include "app/format_rows.h"
#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

// The pattern the row's fields hold. Each field is read on its own as an
// unsigned binary number (blanks and other characters skipped, so a text
// shorter than the field lands in the field's low-order bits; only the field's
// width of low-order bits kept) and placed at the field's own position. A field
// never moves another: a short sign, exponent or fraction part shifts nothing.
// Every display of the datum reads the fields through this one function.
ieee::uint128 READ_ROW_PATTERN(DIALOG& dlg, const FormatRow& row);
// Puts each field's piece of `whole` (bits in the row's order) into its edit.
void WRITE_ROW_BITS(DIALOG& dlg, const FormatRow& row, std::string_view whole);
// Writes `pattern` into the row's fields, each field exactly as wide as it has bits.
void WRITE_ROW_PATTERN(DIALOG& dlg, const FormatRow& row, ieee::uint128 pattern);
