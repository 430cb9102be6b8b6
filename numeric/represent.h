// The representation update: the callback of the value field, the bit edits,
// the format radios, the bulk buttons and the language radios.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SUB_REPRESENT(DIALOG& dlg, int id, int event);
// Reads the value field as typing it does from the third character on (a
// keyword's special pattern or the number, into the bit fields of the current
// format), whatever its length. False for a text that is no number, after its
// message; an empty field reads nothing and leaves the fields as they are.
bool READ_VALUE_FIELD(DIALOG& dlg, int id, int event);
