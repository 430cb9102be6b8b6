// The representation update: the callback of the value field, the bit edits,
// the format radios, the bulk buttons and the language radios.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SUB_REPRESENT(DIALOG& dlg, int id, int event);
