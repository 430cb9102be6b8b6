// Format selection: which row of bit edits is live, and the format radios.
#include "app/format_select.h"

#include <string>
#include <vector>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "dialog/encoding_table.h"
#include "numeric/stored_display.h"

namespace {

constexpr int kMinExponentBits = 2;
constexpr int kMaxExponentBits = 15;
constexpr int kMinFractionBits = 1;
constexpr int kMaxFractionBits = 112;

// The list's entries, in order: the table's formats without a radio, then
// custom widths (the last entry).
std::vector<const ieee::FormatInfo*>& Listed() {
    static std::vector<const ieee::FormatInfo*> formats;
    return formats;
}

int CustomEntry() { return static_cast<int>(Listed().size()) + 1; }

std::string CustomName(int exponentBits, int fractionBits) {
    return "custom:" + std::to_string(exponentBits) + "," + std::to_string(fractionBits);
}

// The format of the list's current entry and widths; nullptr when none.
const ieee::FormatInfo* ChosenFormat(DIALOG& dlg) {
    int entry = 0;
    DIALOG_GET_INT(dlg, IDC_ALT_LIST, entry, 1);
    if (entry >= 1 && entry < CustomEntry()) return Listed()[static_cast<std::size_t>(entry - 1)];
    int e = 0, m = 0;
    DIALOG_GET_INT(dlg, IDC_ALT_EXPONENT_BITS, e, INDEX_DEFAULT);
    DIALOG_GET_INT(dlg, IDC_ALT_FRACTION_BITS, m, INDEX_DEFAULT);
    return ieee::CustomFormat(e, m);
}

void Show(DIALOG& dlg, int id, bool shown) {
    DIALOG_SET_LOGICAL(dlg, id, shown, INDEX_VISIBLE);
    if (!shown) DIALOG_SET_LOGICAL(dlg, id, false, INDEX_ENABLE);
}

// The list's row, its captions and what a screen reader is told of it,
// bound to format f; the fields empty (blanks as wide as the fields).
void BindRow(DIALOG& dlg, const ieee::FormatInfo& f) {
    SET_ALT_FORMAT(f);
    const FormatRow& row = AltRow();
    COMUN::XALT = 0;
    COMUN::CXALT.assign(static_cast<std::size_t>(f.bits), ' ');
    bool integer = false, high = false;
    for (const FieldEdit& field : row.Fields()) {
        integer = integer || field.id == IDC_INTEGER_ALT;
        high = high || field.id == IDC_FRACTION_ALT_HIGH;
        DIALOG_SET_ACCESSIBLE_TEXT(dlg, field.id, FieldName(row, field, 1), FieldName(row, field, 2),
                                   FieldDescription(row, field, 1), FieldDescription(row, field, 2));
        DIALOG_SET_TEXT(dlg, field.id, "");
        DIALOG_SET_INT(dlg, field.id, field.width, INDEX_TEXTLENGTH);
        DIALOG_SET_LOGICAL(dlg, field.id, true, INDEX_VISIBLE);
    }
    for (int id : {IDC_INTEGER_ALT, IDC_ALT_INTEGER_WIDTH}) Show(dlg, id, integer);
    for (int id : {IDC_FRACTION_ALT_HIGH, IDC_ALT_HIGH_WIDTH, IDC_ALT_HIGH_ARROW, IDC_ALT_LOW_ARROW})
        Show(dlg, id, high);
    const int low = row.Fields().back().width;
    DIALOG_SET_TEXT(dlg, IDC_ALT_EXPONENT_WIDTH, std::to_string(f.exponentBits));
    DIALOG_SET_TEXT(dlg, IDC_ALT_HIGH_WIDTH, high ? std::to_string(f.fractionBits - low) : "");
    DIALOG_SET_TEXT(dlg, IDC_ALT_LOW_WIDTH,
                    high ? std::to_string(low) + "  (" + std::to_string(f.fractionBits) + ")" : std::to_string(low));
    DIALOG_SET_TEXT(dlg, IDC_ALT_NAME, f.name);
    DIALOG_SET_LOGICAL(dlg, IDC_ALT_TABLE, f.bits <= ENCODING_TABLE_MAX_BITS, INDEX_ENABLE);
}

}  // namespace

void ENABLEBITEDITS(DIALOG& dlg, int, int) {
    for (const FormatRow& row : FormatRows())
        for (const FieldEdit& edit : row.Fields())
            DIALOG_SET_LOGICAL(dlg, edit.id, COMUN::FORMAT_KIND == row.kind, INDEX_ENABLE);
}

void FORMAT_CLICK(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    const FormatRow* row = RowOfControl(id);
    if (row == nullptr || row->radio != id) return;
    FORMAT_KIND = row->kind;
    ENABLEBITEDITS(dlg, id, event);
    for (const FieldEdit& edit : row->Fields()) {
        if (edit.width == 1) DIALOG_SET_TEXT(dlg, edit.id, "0");
        else DIALOG_SET_TEXT(dlg, edit.id, std::string(static_cast<std::size_t>(edit.width), '0'));
    }
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "0");
    VALUE_TYPED = false;
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    CLEAR_STORED_VALUE(dlg);
    ENCODING_TABLE_FOLLOW();
}

void ALT_FORMATS_INIT(DIALOG& dlg) {
    Listed().clear();
    for (const ieee::FormatInfo& f : ieee::AllFormats())
        if (!HasOwnRadio(f)) Listed().push_back(&f);
    for (const ieee::FormatInfo* f : Listed()) DIALOG_SET_TEXT(dlg, IDC_ALT_LIST, f->name, INDEX_ADDSTRING);
    DIALOG_SET_RANGE(dlg, IDC_ALT_EXPONENT_BITS, kMinExponentBits, kMaxExponentBits);
    DIALOG_SET_RANGE(dlg, IDC_ALT_FRACTION_BITS, kMinFractionBits, kMaxFractionBits);
    DIALOG_SET_INT(dlg, IDC_ALT_EXPONENT_BITS, 4, INDEX_DEFAULT);
    DIALOG_SET_INT(dlg, IDC_ALT_FRACTION_BITS, 3, INDEX_DEFAULT);
    DIALOG_SET_TEXT(dlg, IDC_ALT_LIST, CustomName(4, 3), INDEX_ADDSTRING);
    DIALOG_SET_INT(dlg, IDC_ALT_LIST, 1, 1);
    const bool custom = Listed().empty();
    for (int id : {IDC_ALT_EXPONENT_BITS, IDC_ALT_FRACTION_BITS}) DIALOG_SET_LOGICAL(dlg, id, custom, INDEX_ENABLE);
    const ieee::FormatInfo* f = ChosenFormat(dlg);
    if (f != nullptr) BindRow(dlg, *f);
    // Without a format to list, the choice is not offered.
    for (int id : {IDC_FORMAT_ALT, IDC_ALT_LIST, IDC_ALT_TABLE, IDC_ALT_EXPONENT_BITS, IDC_ALT_FRACTION_BITS})
        if (f == nullptr) DIALOG_SET_LOGICAL(dlg, id, false, INDEX_ENABLE);
    for (int id : {IDC_SIGN_ALT, IDC_EXPONENT_ALT, IDC_INTEGER_ALT, IDC_FRACTION_ALT_HIGH, IDC_FRACTION_ALT_LOW})
        DIALOG_SET_LOGICAL(dlg, id, false, INDEX_ENABLE);
}

void ALT_FORMAT_CHANGED(DIALOG& dlg, int, int event) {
    int entry = 0;
    DIALOG_GET_INT(dlg, IDC_ALT_LIST, entry, 1);
    const bool custom = entry == CustomEntry();
    for (int id : {IDC_ALT_EXPONENT_BITS, IDC_ALT_FRACTION_BITS}) DIALOG_SET_LOGICAL(dlg, id, custom, INDEX_ENABLE);
    const ieee::FormatInfo* f = ChosenFormat(dlg);
    if (f == nullptr) return;
    if (custom) DIALOG_SET_TEXT(dlg, IDC_ALT_LIST, CustomName(f->exponentBits, f->fractionBits), entry);
    const bool current = AltRow().info != nullptr && COMUN::FORMAT_KIND == AltRow().kind;
    BindRow(dlg, *f);
    if (current) {
        FORMAT_CLICK(dlg, IDC_FORMAT_ALT, event);
    } else {
        for (const FieldEdit& field : AltRow().Fields()) DIALOG_SET_LOGICAL(dlg, field.id, false, INDEX_ENABLE);
    }
}

bool CHOOSE_FORMAT(DIALOG& dlg, const ieee::FormatInfo& f) {
    if (!HasOwnRadio(f) && (AltRow().info == nullptr || AltRow().kind != f.kind)) {
        int entry = CustomEntry();
        for (std::size_t i = 0; i < Listed().size(); ++i)
            if (Listed()[i]->kind == f.kind) entry = static_cast<int>(i) + 1;
        if (entry == CustomEntry()) {
            if (ieee::CustomFormat(f.exponentBits, f.fractionBits) != &f) return false;
            DIALOG_SET_INT(dlg, IDC_ALT_EXPONENT_BITS, f.exponentBits, INDEX_DEFAULT);
            DIALOG_SET_INT(dlg, IDC_ALT_FRACTION_BITS, f.fractionBits, INDEX_DEFAULT);
        }
        DIALOG_SET_INT(dlg, IDC_ALT_LIST, entry, 1);
        ALT_FORMAT_CHANGED(dlg, IDC_ALT_LIST, EVENT_SELCHANGE);
    }
    const FormatRow* row = RowOfKind(f.kind);
    if (row == nullptr) return false;
    if (COMUN::FORMAT_KIND != f.kind) {
        DIALOG_SET_LOGICAL(dlg, row->radio, true);
        FORMAT_CLICK(dlg, row->radio, EVENT_CLICKED);
    }
    return true;
}
