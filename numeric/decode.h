// Bit fields back to the stored value: classification flags, value display.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void GETEDITSANDRETRIEVEREAL(DIALOG& dlg, int id, int event);
void ISNONNUMBER(int exponentWidth, int fractionWidth, std::string_view exponent, std::string_view fraction);
bool ALLBITS_ZERO(int n, std::string_view text);
bool ALLBITS_ONE(int n, std::string_view text);
bool ALLZERO_EXCEPT_LAST(int n, std::string_view text);
bool ALLONE_EXCEPT_LAST(int n, std::string_view text);
void OUTPUTVALUE(DIALOG& dlg, int id, int event);
// Gain-focus callback of every bit edit.
void RETRIEVEANDOUTPUTVALUE(DIALOG& dlg, int id, int event);
