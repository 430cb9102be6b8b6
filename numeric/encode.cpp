// Typed value to bit fields: the infinity/NaN keyword test, the special
// patterns of those keywords, the free-form reading of a typed number into the
// stored value of the current format, and the field-width helpers.
#include "numeric/encode.h"

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "dialog/platform.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/row_bits.h"
#include "numeric/stored_display.h"

namespace {

// The keyword test compares the first three characters exactly.
bool StartsWithOneOf(const std::string& text, std::initializer_list<const char*> keys) {
    if (text.size() < 3) return false;
    for (const char* key : keys) {
        if (text.compare(0, 3, key) == 0) return true;
    }
    return false;
}

void ShowInvalidValue() { platform::MessageBoxA(nullptr, "Invalid Value", "Error", platform::MB_ICONEXCLAMATION); }

}  // namespace

void ISINFINITY_OR_NAN() {
    using namespace COMUN;
    IS_NAN = false;
    IS_INFINITY = false;
    IS_NAN = StartsWithOneOf(VALUE_CHAR, {"NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na", "-na"});
    NAN_SIGN = (!VALUE_CHAR.empty() && VALUE_CHAR[0] == '-') ? '1' : '0';
    if (IS_NAN) return;
    IS_INFINITY = StartsWithOneOf(VALUE_CHAR, {"Inf", "inf", "+In", "+in", "-In", "-in"});
    INF_SIGN = (!VALUE_CHAR.empty() && VALUE_CHAR[0] == '-') ? '1' : '0';
}

bool SETEDITSFORINFINITY_NAN(DIALOG& dlg, int, int) {
    using namespace COMUN;
    if (!IS_NAN && !IS_INFINITY) return true;
    const FormatRow* row = RowOfKind(FORMAT_KIND);
    if (row == nullptr) return true;
    const bool inf = IS_INFINITY;
    const ieee::FormatInfo& f = *row->info;
    if (!HasOwnRadio(f)) {
        // The formats of the list follow their own special values: no
        // infinity (or no NaN) to write is an invalid value; a significand
        // with an explicit leading bit has it set in both.
        if (inf ? !f.hasInfinity() : !f.hasNaN()) {
            ShowInvalidValue();
            return false;
        }
        const ieee::uint128 sign = (inf ? INF_SIGN : NAN_SIGN) == '1' ? f.signBit() : 0;
        WRITE_ROW_PATTERN(dlg, *row,
                          sign | (inf ? f.infinity() : f.exponentMask() | f.integerBit() | f.fractionMask()));
        return true;
    }
    const std::string& fill = inf ? STR_0 : STR_1;
    for (const FieldEdit& field : row->Fields()) {
        const auto width = static_cast<std::size_t>(field.width);
        if (field.first == 0) DIALOG_SET_TEXT(dlg, field.id, std::string(1, inf ? INF_SIGN : NAN_SIGN));
        else if (field.first == 1) DIALOG_SET_TEXT(dlg, field.id, std::string(width, '1'));
        else DIALOG_SET_TEXT(dlg, field.id, std::string_view(fill).substr(0, width));
    }
    return true;
}

bool BITSFROMVALUE(DIALOG& dlg, int, int) {
    using namespace COMUN;
    const FormatRow* row = RowOfKind(FORMAT_KIND);
    if (row == nullptr) return false;
    // A copy is read, so that a rejected text leaves the stored value exactly as it was.
    ieee::uint128 bits = STORED_PATTERN(row->kind);
    const ieee::ReadStatus status = ieee::ReadFreeForm(*row->info, VALUE_CHAR, bits);
    if (status == ieee::ReadStatus::Invalid) {
        FORGET_TYPED_NUMBER();
        ShowInvalidValue();
        return false;
    }
    if (status == ieee::ReadStatus::Value) SET_STORED_PATTERN(row->kind, bits);
    const ieee::uint128 stored = STORED_PATTERN(row->kind);
    if (status == ieee::ReadStatus::Value) REMEMBER_TYPED_NUMBER(row->kind, stored);
    else FORGET_TYPED_NUMBER();
    std::string* whole = WHOLE_BIT_STRING(row->kind);
    *whole = ieee::BitString(*row->info, stored);
    WRITE_ROW_BITS(dlg, *row, *whole);
    return true;
}

int IFIELD(int id) {
    using namespace COMUN;
    int width = 0;
    const FieldEdit* field = FieldOfControl(id);
    if (field != nullptr && field->first == 0) {
        width = 1;  // every sign control, whatever the format
    } else if (const FormatRow* row = RowOfKind(FORMAT_KIND)) {
        for (const FieldEdit& f : row->Fields())
            if (f.id == id) width = f.width;
    }
    CURRENT_FIELD_WIDTH = width;
    return width;
}

int WIDTH(int32_t n) {
    // Work in 64 bits so that the most negative value has a magnitude.
    int64_t m = n;
    int chars = 1;
    if (m < 0) {
        ++chars;
        m = -m;
    }
    while (m >= 10) {
        m /= 10;
        ++chars;
    }
    return chars;
}
