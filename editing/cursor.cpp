// Caret position and width of the bit field being edited; locating the field
// also makes it the current field of the bulk operations.
#include "editing/cursor.h"

#include "app/controls.h"
#include "numeric/encode.h"

void SHOWCURSORPOSITION_FIELD(DIALOG& dlg, int id, int) {
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    int position = 0;
    if (!DIALOG_GET_INT(dlg, id, position, INDEX_POSITION) || position < 0) position = 0;
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, std::to_string(position));
    DIALOG_FLUSH(dlg);
    const int width = IFIELD(id);
    DIALOG_SET_TEXT(dlg, IDC_FIELD_WIDTH, std::to_string(width));
    DIALOG_FLUSH(dlg);
}
