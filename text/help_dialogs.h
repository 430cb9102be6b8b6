// The Info, summary and About dialogs.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SUB_HELP(DIALOG& dlg, int id, int event);
void SUB_HELP2(DIALOG& dlg, int id, int event);
void SUB_ABOUT(DIALOG& dlg, int id, int event);
