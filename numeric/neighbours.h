// ULP and neighbour displays of the parameter list.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SUB_ULP(DIALOG& dlg, int id, int event);
void SUB_NEAR(DIALOG& dlg, int id, int event);
