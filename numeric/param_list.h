// Parameter list: exponent, significand, epsilon; routes ULP and neighbours.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Selection-change callback of IDC_PARAM_LIST.
void SUB_LIST(DIALOG& dlg, int id, int event);
void SUB_EXPONENT(DIALOG& dlg, int id, int event);
void SUB_FRACTION(DIALOG& dlg, int id, int event);
