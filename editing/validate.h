// Validation and repair of typed bits.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Replaces every character of text[0 .. count-1] other than '0', '1', blank
// by '1'; replaced = whether any was replaced.
void CHECK_BITEDIT(int count, std::string& text, bool& replaced);
void CHECK_BITEDITS_4(DIALOG& dlg, int id, int event);
void CHECK_BITEDITS_8(DIALOG& dlg, int id, int event);
void CHECK_BITEDITS_16(DIALOG& dlg, int id, int event);
// The same check for the row of format `kind` (any format of the dialog).
void CHECK_BITEDITS_ROW(int kind, DIALOG& dlg, int id, int event);
