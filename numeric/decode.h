// Bit fields back to the stored value: classification flags, value display.
#pragma once

#include <string>
#include <string_view>

#include "app/format_rows.h"
#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

// Decodes the pattern the fields of the current format hold (READ_ROW_PATTERN).
void GETEDITSANDRETRIEVEREAL(DIALOG& dlg, int id, int event);
// The same decoding of a pattern computed elsewhere (a typed hexadecimal word,
// a step): class flags, stored value, class display, parameter list enabled
// for a finite datum. The fields are not read.
void DECODE_PATTERN(DIALOG& dlg, const FormatRow& row, ieee::uint128 pattern);
void ISNONNUMBER(int exponentWidth, int fractionWidth, std::string_view exponent, std::string_view fraction);
bool ALLBITS_ZERO(int n, std::string_view text);
bool ALLBITS_ONE(int n, std::string_view text);
bool ALLZERO_EXCEPT_LAST(int n, std::string_view text);
bool ALLONE_EXCEPT_LAST(int n, std::string_view text);
// Writes the stored value of the current format into the value field (the
// field then no longer holds typed text).
void OUTPUTVALUE(DIALOG& dlg, int id, int event);
// Gain-focus callback of every bit edit.
void RETRIEVEANDOUTPUTVALUE(DIALOG& dlg, int id, int event);
