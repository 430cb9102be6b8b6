// Typed value to bit fields: keyword test, special patterns, free-form reading, field widths.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

#include <cstdint>

void ISINFINITY_OR_NAN();
// Writes the pattern of a typed infinity or NaN keyword into the current
// format's fields; false (after its message) in a format without that value.
bool SETEDITSFORINFINITY_NAN(DIALOG& dlg, int id, int event);
// False for a text that is no number (after its message; nothing changes).
bool BITSFROMVALUE(DIALOG& dlg, int id, int event);
// Width of the bit field shown by control id in the current format (0 if
// none); also stored in CURRENT_FIELD_WIDTH.
int IFIELD(int id);
// Characters of the decimal form of n.
int WIDTH(int32_t n);
