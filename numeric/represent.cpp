// The representation update: one callback for the value field, the ten bit
// edits, the format radios, the bulk buttons and the language radios. The
// control id alone chooses what the action means.
#include "numeric/represent.h"

#include "app/controls.h"
#include "app/format_select.h"
#include "app/state.h"
#include "editing/bulk_ops.h"
#include "editing/cursor.h"
#include "editing/validate.h"
#include "numeric/decode.h"
#include "numeric/encode.h"
#include "text/captions.h"

namespace {

// The text of IDC_VALUE changed (every keystroke): clear the stale displays,
// and from the third character on encode the text into the bit fields.
void TypedValue(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, false, INDEX_ENABLE);

    VALUE_CHAR.assign(42, ' ');
    if (!DIALOG_GET_TEXT(dlg, IDC_VALUE, VALUE_CHAR)) VALUE_CHAR.assign(42, ' ');
    VALUE_CHAR.resize(42, ' ');

    const auto last = VALUE_CHAR.find_last_not_of(' ');
    const std::size_t length = (last == std::string::npos) ? 0 : last + 1;
    if (length < 3) return;

    ISINFINITY_OR_NAN();
    if (IS_NAN || IS_INFINITY) {
        SETEDITSFORINFINITY_NAN(dlg, id, event);
    } else {
        BITSFROMVALUE(dlg, id, event);
    }
}

enum class Group { None, Binary32, Binary64, Binary128 };

Group GroupOf(int id) {
    switch (id) {
        case IDC_SIGN_32:
        case IDC_EXPONENT_32:
        case IDC_FRACTION_32:
            return Group::Binary32;
        case IDC_SIGN_64:
        case IDC_EXPONENT_64:
        case IDC_FRACTION_64:
            return Group::Binary64;
        case IDC_SIGN_128:
        case IDC_EXPONENT_128:
        case IDC_FRACTION_128_HIGH:
        case IDC_FRACTION_128_LOW:
            return Group::Binary128;
        default:
            return Group::None;
    }
}

// A bit edit changed (every keystroke): show the caret position, check and
// repair the group's fields, decode the current format and show the value.
void EditedBits(DIALOG& dlg, int id, int event, Group group) {
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    if (group != Group::Binary32) DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, false, INDEX_ENABLE);

    SHOWCURSORPOSITION_FIELD(dlg, id, event);
    switch (group) {
        case Group::Binary32: CHECK_BITEDITS_4(dlg, id, event); break;
        case Group::Binary64: CHECK_BITEDITS_8(dlg, id, event); break;
        case Group::Binary128: CHECK_BITEDITS_16(dlg, id, event); break;
        case Group::None: break;
    }
    GETEDITSANDRETRIEVEREAL(dlg, id, event);
    OUTPUTVALUE(dlg, id, event);
}

}  // namespace

void SUB_REPRESENT(DIALOG& dlg, int id, int event) {
    switch (id) {
        case IDC_VALUE:
            TypedValue(dlg, id, event);
            return;
        case IDC_FORMAT_32:
        case IDC_FORMAT_64:
        case IDC_FORMAT_128:
            FORMAT_CLICK(dlg, id, event);
            return;
        case IDC_ZEROS:
        case IDC_ONES:
        case IDC_INVERT:
            BULK_BUTTON(dlg, id, event);
            return;
        case IDC_LANG_RO:
        case IDC_LANG_EN:
            LANGUAGE_SWITCH(dlg, id, event);
            return;
        default:
            break;
    }
    const Group group = GroupOf(id);
    if (group != Group::None) EditedBits(dlg, id, event, group);
}
