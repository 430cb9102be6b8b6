// Caret position and width of the bit field being edited.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SHOWCURSORPOSITION_FIELD(DIALOG& dlg, int id, int event);
