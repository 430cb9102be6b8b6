// Dialog access layer: dialog records built from layouts, controls addressed by
// record and id, per-control callbacks. Texts cross this layer as single-byte
// Windows-1252 strings; the toolkit behind it is hidden from the callers.
#pragma once

#include <string>
#include <string_view>

struct DialogImpl;  // owned by the toolkit layer

// A dialog record. Empty until DIALOG_INIT builds it, empty again after DIALOG_UNINIT.
struct DIALOG {
    DialogImpl* impl = nullptr;
};

using DialogCallback = void (*)(DIALOG& dlg, int id, int event);

// Property indexes.
constexpr int INDEX_DEFAULT = -1;
constexpr int INDEX_TITLE = -2;
constexpr int INDEX_ENABLE = -3;
constexpr int INDEX_STATE = -5;
constexpr int INDEX_POSITION = -9;
constexpr int INDEX_ADDSTRING = -21;
constexpr int INDEX_TEXTLENGTH = -22;
constexpr int INDEX_VISIBLE = -23;

// Event kinds.
constexpr int EVENT_INIT = 0;
constexpr int EVENT_CLICKED = -4;
constexpr int EVENT_CHANGE = -6;
constexpr int EVENT_SELCHANGE = -10;
constexpr int EVENT_DESTROY = -15;
constexpr int EVENT_GAINFOCUS = -18;

// Standard button ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Builds the record from layout `layoutId`: a model of every control with the
// layout's captions. Its window is created when it is first shown, with every
// value set before then. False if the layout is unknown or cannot be built.
bool DIALOG_INIT(int layoutId, DIALOG& dlg);
// Releases the record (destroys its window if any).
void DIALOG_UNINIT(DIALOG& dlg);

// Registers `routine` for control `id`. Default event: clicked (buttons, radios),
// change (edits), selection change (list box). id == layout id: the dialog
// callback, which receives EVENT_INIT and EVENT_DESTROY.
bool DIALOG_SET_CALLBACK(DIALOG& dlg, int id, DialogCallback routine, int event = INDEX_DEFAULT);

// Edit text; caption of static, group or button; list box: INDEX_ADDSTRING
// appends, n > 0 replaces item n. Trailing blanks are dropped.
bool DIALOG_SET_TEXT(DIALOG& dlg, int id, std::string_view text, int index = INDEX_DEFAULT);
// Reads the text into `variable`, whose size() is the variable's length: the
// result is blank-padded or cut to exactly that length. For a list box,
// index n > 0 reads item n.
bool DIALOG_GET_TEXT(DIALOG& dlg, int id, std::string& variable, int index = INDEX_DEFAULT);

// Edit: INDEX_TEXTLENGTH pads with blanks or cuts. List box and drop-down
// list: index 1, value n selects item n (1-based), 0 clears the selection.
// Spin box: INDEX_DEFAULT sets its value (clamped into its bounds).
bool DIALOG_SET_INT(DIALOG& dlg, int id, int value, int index);
// Edit: INDEX_TEXTLENGTH = text length in characters; INDEX_POSITION =
// characters before the caret. List box: index 1 = selected item (1-based, 0 = none).
bool DIALOG_GET_INT(DIALOG& dlg, int id, int& variable, int index);

// Check box or radio state (checking a radio unchecks its group), or, with
// INDEX_ENABLE, the enablement of any control, with INDEX_VISIBLE whether it
// is shown.
bool DIALOG_SET_LOGICAL(DIALOG& dlg, int id, bool value, int index = INDEX_DEFAULT);
bool DIALOG_GET_LOGICAL(DIALOG& dlg, int id, bool& variable, int index = INDEX_DEFAULT);

// Pending changes appear on screen now (repaints; processes no input).
// Inside a callback the widgets show them at once and are painted when a
// message box or modal dialog opens or when the callback returns, so a
// control changed again later in the callback is painted only once.
void DIALOG_FLUSH(DIALOG& dlg);
// Window caption.
bool DIALOG_SET_TITLE(DIALOG& dlg, std::string_view text);

// Shows the dialog and returns at once; false on failure. Shown from a
// callback, the window is owned by that callback's dialog. Shown when already
// visible, the window is raised and activated.
bool DIALOG_SHOW_MODELESS(DIALOG& dlg, int showMode);
// Shows the dialog modally; returns the id it was closed with.
int DIALOG_SHOW_MODAL(DIALOG& dlg);

// A keyboard shortcut ("Alt+Up", in the portable key-sequence notation)
// that anywhere in the dialog's window presses push button `id`, as a click
// on it does (nothing while the button is disabled or hidden).
bool DIALOG_SET_SHORTCUT(DIALOG& dlg, int id, std::string_view keys);

// Images of a window and of icon buttons (icons come from platform.h).
struct IconResource;
using HICON = const IconResource*;
void DIALOG_SET_WINDOW_ICON(DIALOG& dlg, HICON icon);
void DIALOG_SET_BUTTON_IMAGE(DIALOG& dlg, int id, HICON icon);

// The bounds of spin box `id` (its value is clamped into them).
bool DIALOG_SET_RANGE(DIALOG& dlg, int id, int minimum, int maximum);

// What a screen reader is told of control `id` (name and description, each
// in Romanian and English), in place of what its layout says; the language
// follows DIALOG_SET_ACCESSIBLE_LANGUAGE.
bool DIALOG_SET_ACCESSIBLE_TEXT(DIALOG& dlg, int id, std::string_view nameRo, std::string_view nameEn,
                                std::string_view descriptionRo, std::string_view descriptionEn);

// Language of what the layouts tell a screen reader beyond the captions (the
// controls' own names and descriptions): 1 Romanian, 2 English. The open
// windows follow at once, windows opened later start in it.
void DIALOG_SET_ACCESSIBLE_LANGUAGE(int lang);
