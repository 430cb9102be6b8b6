// Bilingual captions, summary texts and the language switch.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SETTITLES(DIALOG& dlg, int id, int event);
void INITIALIZE_STATIC_2();
// Puts STATIC_2 of language LANG into the seven statics of dlg (the summary dialog).
void SHOW_SUMMARY_TEXTS(DIALOG& dlg);
// Click on IDC_LANG_RO / IDC_LANG_EN (dispatched by SUB_REPRESENT).
void LANGUAGE_SWITCH(DIALOG& dlg, int id, int event);
