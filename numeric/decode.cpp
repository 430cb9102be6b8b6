// Bit fields back to the stored value: reads the fields of the current format,
// sets the class flags, copies the pattern bit for bit into the stored value
// (no arithmetic, so NaN payloads, signalling NaNs and signed zeros survive)
// and shows the class and the value.
#include "numeric/decode.h"

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/state.h"
#include "editing/cursor.h"
#include "numeric/classify.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/scientific_text.h"

namespace {

// True when the first n characters of text are all `bit`; a character beyond
// the end of the text counts as a blank, which is neither bit.
bool AllBits(int n, std::string_view text, char bit) {
    if (n <= 0) return true;
    if (static_cast<std::size_t>(n) > text.size()) return false;
    for (int i = 0; i < n; ++i) {
        if (text[static_cast<std::size_t>(i)] != bit) return false;
    }
    return true;
}

// Reads one field control into a work text of exactly `width` characters.
std::string ReadField(DIALOG& dlg, int id, int width) {
    std::string text(static_cast<std::size_t>(width), ' ');
    if (!DIALOG_GET_TEXT(dlg, id, text)) text.assign(static_cast<std::size_t>(width), ' ');
    text.resize(static_cast<std::size_t>(width), ' ');
    return text;
}

}  // namespace

bool ALLBITS_ZERO(int n, std::string_view text) { return AllBits(n, text, '0'); }
bool ALLBITS_ONE(int n, std::string_view text) { return AllBits(n, text, '1'); }
bool ALLZERO_EXCEPT_LAST(int n, std::string_view text) { return AllBits(n - 1, text, '0'); }
bool ALLONE_EXCEPT_LAST(int n, std::string_view text) { return AllBits(n - 1, text, '1'); }

void ISNONNUMBER(int exponentWidth, int fractionWidth, std::string_view exponent,
                 std::string_view fraction) {
    using namespace COMUN;
    const bool zE = ALLBITS_ZERO(exponentWidth, exponent);
    const bool oE = ALLBITS_ONE(exponentWidth, exponent);
    const bool zF = ALLBITS_ZERO(fractionWidth, fraction);
    IS_ZERO = zE && zF;
    IS_SUBNORMAL = zE && !zF;
    IS_INFINITY = oE && zF;
    IS_NAN = oE && !zF;
    IS_FINITE = !(IS_NAN || IS_INFINITY);
    EXP_MAX_FINITE = ALLONE_EXCEPT_LAST(exponentWidth, exponent);
    EXP_MIN_NORMAL = ALLZERO_EXCEPT_LAST(exponentWidth, exponent);
}

void GETEDITSANDRETRIEVEREAL(DIALOG& dlg, int, int) {
    using namespace COMUN;
    switch (FORMAT_KIND) {
        case 4: {
            const std::string sign = ReadField(dlg, IDC_SIGN_32, 1);
            const std::string exponent = ReadField(dlg, IDC_EXPONENT_32, 8);
            const std::string fraction = ReadField(dlg, IDC_FRACTION_32, 23);
            ISNONNUMBER(8, 23, exponent, fraction);
            X4 = ieee::Binary32FromDigits(sign + exponent + fraction);
            break;
        }
        case 8: {
            const std::string sign = ReadField(dlg, IDC_SIGN_64, 1);
            const std::string exponent = ReadField(dlg, IDC_EXPONENT_64, 11);
            const std::string fraction = ReadField(dlg, IDC_FRACTION_64, 52);
            ISNONNUMBER(11, 52, exponent, fraction);
            X8 = ieee::Binary64FromDigits(sign + exponent + fraction);
            break;
        }
        case 16: {
            const std::string sign = ReadField(dlg, IDC_SIGN_128, 1);
            const std::string exponent = ReadField(dlg, IDC_EXPONENT_128, 15);
            const std::string fraction = ReadField(dlg, IDC_FRACTION_128_HIGH, 48) +
                                         ReadField(dlg, IDC_FRACTION_128_LOW, 64);
            ISNONNUMBER(15, 112, exponent, fraction);
            X16 = ieee::Binary128FromDigits(sign + exponent + fraction);
            break;
        }
        default:
            break;
    }
    RETRIEVEDATATYPE();
    const int lang = (LANG == 2) ? 2 : 1;
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, DATATYPE[static_cast<std::size_t>(lang - 1)]);
    DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, IS_FINITE, INDEX_ENABLE);
}

void OUTPUTVALUE(DIALOG& dlg, int, int) {
    using namespace COMUN;
    std::string text;
    switch (FORMAT_KIND) {
        case 4: text = ieee::ScientificText(X4, true); break;
        case 8: text = ieee::ScientificText(X8, true); break;
        case 16: text = ieee::ScientificText(X16, true); break;
        default: return;
    }
    DIALOG_SET_TEXT(dlg, IDC_VALUE, Trim(text));
}

void RETRIEVEANDOUTPUTVALUE(DIALOG& dlg, int id, int event) {
    if (event == EVENT_GAINFOCUS) {
        SHOWCURSORPOSITION_FIELD(dlg, id, event);
        DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "0");
    }
    GETEDITSANDRETRIEVEREAL(dlg, id, event);
    OUTPUTVALUE(dlg, id, event);
}
