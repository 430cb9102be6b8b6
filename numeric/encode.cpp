// Typed value to bit fields: the infinity/NaN keyword test, the special
// patterns of those keywords, the free-form reading of a typed number into the
// stored value of the current format, and the field-width helpers.
#include "numeric/encode.h"

#include "app/controls.h"
#include "app/state.h"
#include "dialog/platform.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"

namespace {

// Bit-field controls of one format, most significant field first. The
// binary128 fraction is the only field split over two controls.
struct FieldControl {
    int id;
    int first;  // 0-based position in the whole bit string
    int width;
};

constexpr FieldControl kFields4[] = {
    {IDC_SIGN_32, 0, 1}, {IDC_EXPONENT_32, 1, 8}, {IDC_FRACTION_32, 9, 23}};
constexpr FieldControl kFields8[] = {
    {IDC_SIGN_64, 0, 1}, {IDC_EXPONENT_64, 1, 11}, {IDC_FRACTION_64, 12, 52}};
constexpr FieldControl kFields16[] = {{IDC_SIGN_128, 0, 1},
                                      {IDC_EXPONENT_128, 1, 15},
                                      {IDC_FRACTION_128_HIGH, 16, 48},
                                      {IDC_FRACTION_128_LOW, 64, 64}};

// Writes a whole bit string into the controls of its format, sign first.
template <std::size_t N>
void SetFields(DIALOG& dlg, const FieldControl (&fields)[N], const std::string& whole) {
    for (const FieldControl& f : fields) {
        DIALOG_SET_TEXT(dlg, f.id, std::string_view(whole).substr(f.first, f.width));
    }
}

// The keyword test compares the first three characters exactly.
bool StartsWithOneOf(const std::string& text, std::initializer_list<const char*> keys) {
    if (text.size() < 3) return false;
    for (const char* key : keys) {
        if (text.compare(0, 3, key) == 0) return true;
    }
    return false;
}

void ShowInvalidValue() {
    platform::MessageBoxA(nullptr, "Invalid Value", "Error", platform::MB_ICONEXCLAMATION);
}

// Reads VALUE_CHAR into `stored` (a copy is read so that a rejected text leaves
// the stored value exactly as it was), then writes its bit string into `whole`
// and the controls. Returns false when the text was rejected.
template <typename Real, std::size_t N>
bool ReadAndShow(DIALOG& dlg, Real& stored, std::string& whole, const FieldControl (&fields)[N]) {
    Real x = stored;
    const ieee::ReadStatus status = ieee::ReadFreeForm(COMUN::VALUE_CHAR, x);
    if (status == ieee::ReadStatus::Invalid) {
        ShowInvalidValue();
        return false;
    }
    if (status == ieee::ReadStatus::Value) stored = x;
    std::string bits = ieee::BitString(stored);
    if (bits.size() != whole.size()) {
        // The library always gives the full width; anything else is not shown.
        return false;
    }
    whole = bits;
    SetFields(dlg, fields, whole);
    return true;
}

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

void SETEDITSFORINFINITY_NAN(DIALOG& dlg, int, int) {
    using namespace COMUN;
    if (!IS_NAN && !IS_INFINITY) return;
    const bool inf = IS_INFINITY;
    const std::string sign(1, inf ? INF_SIGN : NAN_SIGN);
    const std::string& fill = inf ? STR_0 : STR_1;
    auto part = [&](int width) { return std::string_view(fill).substr(0, width); };
    switch (FORMAT_KIND) {
        case 4:
            DIALOG_SET_TEXT(dlg, IDC_SIGN_32, sign);
            DIALOG_SET_TEXT(dlg, IDC_EXPONENT_32, std::string(8, '1'));
            DIALOG_SET_TEXT(dlg, IDC_FRACTION_32, part(23));
            break;
        case 8:
            DIALOG_SET_TEXT(dlg, IDC_SIGN_64, sign);
            DIALOG_SET_TEXT(dlg, IDC_EXPONENT_64, std::string(11, '1'));
            DIALOG_SET_TEXT(dlg, IDC_FRACTION_64, part(52));
            break;
        case 16:
            DIALOG_SET_TEXT(dlg, IDC_SIGN_128, sign);
            DIALOG_SET_TEXT(dlg, IDC_EXPONENT_128, std::string(15, '1'));
            DIALOG_SET_TEXT(dlg, IDC_FRACTION_128_HIGH, part(48));
            DIALOG_SET_TEXT(dlg, IDC_FRACTION_128_LOW, part(64));
            break;
        default:
            break;
    }
}

void BITSFROMVALUE(DIALOG& dlg, int, int) {
    using namespace COMUN;
    switch (FORMAT_KIND) {
        case 4: ReadAndShow(dlg, X4, CX4, kFields4); break;
        case 8: ReadAndShow(dlg, X8, CX8, kFields8); break;
        case 16: ReadAndShow(dlg, X16, CX16, kFields16); break;
        default: break;
    }
}

int IFIELD(int id) {
    using namespace COMUN;
    int width = 0;
    if (id == IDC_SIGN_32 || id == IDC_SIGN_64 || id == IDC_SIGN_128) {
        width = 1;
    } else {
        switch (FORMAT_KIND) {
            case 4:
                if (id == IDC_EXPONENT_32) width = 8;
                if (id == IDC_FRACTION_32) width = 23;
                break;
            case 8:
                if (id == IDC_EXPONENT_64) width = 11;
                if (id == IDC_FRACTION_64) width = 52;
                break;
            case 16:
                if (id == IDC_EXPONENT_128) width = 15;
                if (id == IDC_FRACTION_128_HIGH) width = 48;
                if (id == IDC_FRACTION_128_LOW) width = 64;
                break;
            default:
                break;
        }
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
