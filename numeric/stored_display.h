// The stored value group of the main dialog: the exact value of the datum,
// the error of the number typed against it, its hexadecimal word (which the
// user may also type), its shortest round-trip text, its hex-float text, and
// the one-ULP steps.
#pragma once

#include <string>

#include "dialog/copy_menu.h"
#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

// Shows the group for the stored value of the current format (after a decoding).
void SHOW_STORED_VALUE(DIALOG& dlg);
// Shows the group for the pattern the bit fields of the current format hold
// now (read by the decoding's rule, without decoding: no shared state changes).
void SHOW_FIELDS_PATTERN(DIALOG& dlg);
// Empties every display of the group (the datum changed without a decoding).
void CLEAR_STORED_VALUE(DIALOG& dlg);
// Writes the group's language-dependent texts again in the current language.
void REFRESH_STORED_LANGUAGE(DIALOG& dlg);

// The typed number behind the datum: remembered when the value field's text
// was read as a finite number into `pattern`, forgotten when the datum comes
// from anywhere else.
void REMEMBER_TYPED_NUMBER(int kind, ieee::uint128 pattern);
void FORGET_TYPED_NUMBER();

// A routine called whenever the datum the group describes may have changed
// (shown, emptied, or a typed number forgotten, as after a refused text):
// windows that follow the datum set it. nullptr: none.
void SET_DATUM_LISTENER(void (*listener)());

// Change callback of IDC_HEX: a typed or pasted word sets every bit field of
// the current format and is decoded as an edit of the bits is.
void HEX_EDITED(DIALOG& dlg, int id, int event);
// Change callback of IDC_BYTES: bytes typed or pasted in the order of
// IDC_BIG_ENDIAN set the pattern as a typed word does; bytes that cannot be
// read get a message and change nothing.
void BYTES_EDITED(DIALOG& dlg, int id, int event);
// Click on IDC_BIG_ENDIAN: the bytes box shows the datum in the other order.
void BYTE_ORDER_CLICK(DIALOG& dlg, int id, int event);
// Click on IDC_COPY_AS: the menu of what the datum can be copied as.
void COPY_AS_CLICK(DIALOG& dlg, int id, int event);
// The entries of that menu for the datum the group shows (none while it is
// empty), and the submenu title the group's displays add to their context menu.
CopyMenuEntries STORED_COPY_ENTRIES();
std::string COPY_AS_TITLE();
// Click on IDC_STEP_DOWN / IDC_STEP_UP (also Alt+Down / Alt+Up): the datum
// becomes its neighbour below or above (IEEE nextDown / nextUp).
void STEP_CLICK(DIALOG& dlg, int id, int event);
