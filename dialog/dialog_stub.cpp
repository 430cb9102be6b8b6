// Placeholder until the toolkit layer is built.
#include "dialog/dialog.h"

bool DIALOG_INIT(int, DIALOG&) { return false; }
void DIALOG_UNINIT(DIALOG&) {  }
bool DIALOG_SET_CALLBACK(DIALOG&, int, DialogCallback, int) { return false; }
bool DIALOG_SET_TEXT(DIALOG&, int, std::string_view, int) { return false; }
bool DIALOG_GET_TEXT(DIALOG&, int, std::string&, int) { return false; }
bool DIALOG_SET_INT(DIALOG&, int, int, int) { return false; }
bool DIALOG_GET_INT(DIALOG&, int, int&, int) { return false; }
bool DIALOG_SET_LOGICAL(DIALOG&, int, bool, int) { return false; }
bool DIALOG_GET_LOGICAL(DIALOG&, int, bool&, int) { return false; }
void DIALOG_FLUSH(DIALOG&) {  }
bool DIALOG_SET_TITLE(DIALOG&, std::string_view) { return false; }
bool DIALOG_SHOW_MODELESS(DIALOG&, int) { return false; }
int DIALOG_SHOW_MODAL(DIALOG&) { return 0; }
void DIALOG_SET_WINDOW_ICON(DIALOG&, HICON) {  }
void DIALOG_SET_BUTTON_IMAGE(DIALOG&, int, HICON) {  }
