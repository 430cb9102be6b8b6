// The "0's", "1's" and "0 <--> 1" buttons: fill or invert every field of the
// current format, or only the current field. They change the field texts only;
// the pattern is validated and decoded the next time a bit field is edited or
// gains the focus.
#include "editing/bulk_ops.h"

#include <algorithm>
#include <span>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "numeric/stored_display.h"

namespace {

std::span<const FieldEdit> FieldsOf(int formatKind) {
    const FormatRow* row = RowOfKind(formatKind);
    return row != nullptr ? row->Fields() : std::span<const FieldEdit>{};
}

// The field of the current format whose width is CURRENT_FIELD_WIDTH, if any.
const FieldEdit* CurrentField() {
    for (const FieldEdit& field : FieldsOf(COMUN::FORMAT_KIND)) {
        if (field.width == COMUN::CURRENT_FIELD_WIDTH) return &field;
    }
    return nullptr;
}

void InvertField(DIALOG& dlg, const FieldEdit& field) {
    std::string bits(static_cast<size_t>(field.width), ' ');
    DIALOG_GET_TEXT(dlg, field.id, bits, INDEX_STATE);
    std::string flipped;
    FLIP_BITS(field.width, bits, flipped);
    DIALOG_SET_TEXT(dlg, field.id, flipped, INDEX_STATE);
}

// The leading `width` characters of STR_0 or STR_1 (the sign field gets "0"
// or "1", which is the same thing). Should the source ever be shorter than
// the field, the fill character completes it.
std::string FillText(const std::string& source, char fill, int width) {
    std::string text(static_cast<size_t>(width), fill);
    const size_t n = std::min(source.size(), text.size());
    std::copy_n(source.begin(), n, text.begin());
    return text;
}

void FillFields(DIALOG& dlg, bool allFields, const std::string& source, char fill) {
    if (allFields) {
        for (const FieldEdit& field : FieldsOf(COMUN::FORMAT_KIND)) {
            DIALOG_SET_TEXT(dlg, field.id, FillText(source, fill, field.width));
        }
    } else if (const FieldEdit* field = CurrentField()) {
        DIALOG_SET_TEXT(dlg, field->id, FillText(source, fill, field->width));
    }
}

}  // namespace

void FLIP_BITS(int n, std::string_view BIT_CHAR, std::string& F_BIT) {
    const size_t width = static_cast<size_t>(std::max(n, 0));
    F_BIT.assign(width, ' ');
    const size_t limit = std::min(width, BIT_CHAR.size());
    for (size_t i = 0; i < limit; ++i) {
        if (BIT_CHAR[i] == '0') {
            F_BIT[i] = '1';
        } else if (BIT_CHAR[i] == '1') {
            F_BIT[i] = '0';
        }
    }
}

void GETEDITANDFLIPBITS(DIALOG& dlg, int, int) {
    for (const FieldEdit& field : FieldsOf(COMUN::FORMAT_KIND)) InvertField(dlg, field);
}

void GETANDFLIPBITS_CURRENTFIELD(DIALOG& dlg, int, int) {
    if (const FieldEdit* field = CurrentField()) InvertField(dlg, *field);
}

void BULK_BUTTON(DIALOG& dlg, int id, int event) {
    if (id != IDC_ZEROS && id != IDC_ONES && id != IDC_INVERT) return;

    bool allFields = false;
    DIALOG_GET_LOGICAL(dlg, IDC_ALL_FIELDS, allFields);
    COMUN::ALL_FIELDS = allFields;

    if (id == IDC_ZEROS) {
        FillFields(dlg, COMUN::ALL_FIELDS, COMUN::STR_0, '0');
    } else if (id == IDC_ONES) {
        FillFields(dlg, COMUN::ALL_FIELDS, COMUN::STR_1, '1');
    } else if (COMUN::ALL_FIELDS) {
        GETEDITANDFLIPBITS(dlg, id, event);
    } else {
        GETANDFLIPBITS_CURRENTFIELD(dlg, id, event);
    }

    if (id != IDC_INVERT) DIALOG_SET_TEXT(dlg, IDC_VALUE, "0");
    // The datum is now the filled or inverted fields, not any typed text.
    COMUN::VALUE_TYPED = false;

    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    // The new bits are not decoded: what the stored value group showed is stale.
    CLEAR_STORED_VALUE(dlg);
    FORGET_TYPED_NUMBER();
}
