// The 0's, 1's and invert buttons.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// F_BIT (resized to n) = BIT_CHAR with '0' and '1' swapped, other characters blank.
void FLIP_BITS(int n, std::string_view BIT_CHAR, std::string& F_BIT);
void GETEDITANDFLIPBITS(DIALOG& dlg, int id, int event);
void GETANDFLIPBITS_CURRENTFIELD(DIALOG& dlg, int id, int event);
// Click on IDC_ZEROS, IDC_ONES or IDC_INVERT (dispatched by SUB_REPRESENT).
void BULK_BUTTON(DIALOG& dlg, int id, int event);
