// The representation update: one callback for the value field, the bit edits
// of every format, the format radios, the bulk buttons and the language radios. The
// control id alone chooses what the action means.
#include "numeric/represent.h"

#include <algorithm>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/format_select.h"
#include "app/state.h"
#include "editing/bulk_ops.h"
#include "editing/cursor.h"
#include "editing/validate.h"
#include "numeric/decode.h"
#include "numeric/encode.h"
#include "numeric/stored_display.h"
#include "text/captions.h"

namespace {

// Reads IDC_VALUE into VALUE_CHAR; the length of the text without its trailing blanks.
std::size_t ReadValueText(DIALOG& dlg) {
    using namespace COMUN;
    // The whole text is read, however long (a pasted exact value has
    // thousands of digits): a number cut short would be a different number.
    int typed = 0;
    if (!DIALOG_GET_INT(dlg, IDC_VALUE, typed, INDEX_TEXTLENGTH)) typed = 0;
    VALUE_CHAR.assign(std::max<std::size_t>(42, static_cast<std::size_t>(std::max(typed, 0))), ' ');
    if (!DIALOG_GET_TEXT(dlg, IDC_VALUE, VALUE_CHAR)) VALUE_CHAR.assign(42, ' ');

    const auto last = VALUE_CHAR.find_last_not_of(' ');
    return (last == std::string::npos) ? 0 : last + 1;
}

// VALUE_CHAR into the bit fields of the current format: the special pattern
// of a keyword, or the number read. False for a text that is no number (its
// message has been shown and the fields are unchanged).
bool ConvertValueText(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    ISINFINITY_OR_NAN();
    if (IS_NAN || IS_INFINITY) {
        FORGET_TYPED_NUMBER();
        return SETEDITSFORINFINITY_NAN(dlg, id, event);
    }
    return BITSFROMVALUE(dlg, id, event);
}

// The text of IDC_VALUE changed (every keystroke): clear the stale displays,
// and from the third character on encode the text into the bit fields.
void TypedValue(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, false, INDEX_ENABLE);

    const std::size_t length = ReadValueText(dlg);
    if (length < 3) {
        FORGET_TYPED_NUMBER();
        CLEAR_STORED_VALUE(dlg);
        VALUE_TYPED = true;
        return;
    }
    ConvertValueText(dlg, id, event);
    VALUE_TYPED = true;
    // What the fields now hold, shown at once: exactly what was stored.
    SHOW_FIELDS_PATTERN(dlg);
}

// A bit edit changed (every keystroke): show the caret position, check and
// repair the row's fields, decode the current format and show the value.
void EditedBits(DIALOG& dlg, int id, int event, const FormatRow& row) {
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    SHOWCURSORPOSITION_FIELD(dlg, id, event);
    // The edits of formats wider than 32 bits keep the list disabled while they are
    // checked (after the caret display's flush, so a list that ends enabled
    // again is not repainted for nothing).
    if (row.info->bits > 32) DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, false, INDEX_ENABLE);
    CHECK_BITEDITS_ROW(row.kind, dlg, id, event);
    FORGET_TYPED_NUMBER();
    GETEDITSANDRETRIEVEREAL(dlg, id, event);
    OUTPUTVALUE(dlg, id, event);
    SHOW_STORED_VALUE(dlg);
}

}  // namespace

bool READ_VALUE_FIELD(DIALOG& dlg, int id, int event) {
    if (ReadValueText(dlg) == 0) return true;  // nothing typed: the fields keep their datum
    return ConvertValueText(dlg, id, event);
}

void SUB_REPRESENT(DIALOG& dlg, int id, int event) {
    switch (id) {
    case IDC_VALUE: TypedValue(dlg, id, event); return;
    case IDC_ZEROS:
    case IDC_ONES:
    case IDC_INVERT: BULK_BUTTON(dlg, id, event); return;
    case IDC_LANG_RO:
    case IDC_LANG_EN: LANGUAGE_SWITCH(dlg, id, event); return;
    default: break;
    }
    const FormatRow* row = RowOfControl(id);
    if (row == nullptr) return;
    if (row->radio == id) FORMAT_CLICK(dlg, id, event);
    else EditedBits(dlg, id, event, *row);
}
