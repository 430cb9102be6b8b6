// Bit fields back to the stored value: reads the pattern the fields of the
// current format hold, sets the class flags from it, copies it bit for bit
// into the stored value (no arithmetic, so NaN payloads, signalling NaNs and
// signed zeros survive) and shows the class and the value.
#include "numeric/decode.h"

#include <string>

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "editing/cursor.h"
#include "numeric/classify.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/row_bits.h"
#include "numeric/stored_display.h"
#include "text/bilingual.h"

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

}  // namespace

bool ALLBITS_ZERO(int n, std::string_view text) { return AllBits(n, text, '0'); }
bool ALLBITS_ONE(int n, std::string_view text) { return AllBits(n, text, '1'); }
bool ALLZERO_EXCEPT_LAST(int n, std::string_view text) { return AllBits(n - 1, text, '0'); }
bool ALLONE_EXCEPT_LAST(int n, std::string_view text) { return AllBits(n - 1, text, '1'); }

void ISNONNUMBER(int exponentWidth, int fractionWidth, std::string_view exponent, std::string_view fraction) {
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

namespace {

// Class flags and stored value of the current format from `pattern`: the
// flags are those of the pattern's own bits, so the class always describes
// the value shown.
void TakePattern(const FormatRow& row, ieee::uint128 pattern) {
    TAKE_CLASS(*row.info, pattern);
    // The stored pattern itself, bit for bit: no arithmetic touches it.
    SET_STORED_PATTERN(row.kind, pattern);
}

void ShowClass(DIALOG& dlg) {
    using namespace COMUN;
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, DATATYPE[static_cast<std::size_t>(bilingual::Index(LANG))]);
    DIALOG_SET_LOGICAL(dlg, IDC_PARAM_LIST, IS_FINITE, INDEX_ENABLE);
}

}  // namespace

void GETEDITSANDRETRIEVEREAL(DIALOG& dlg, int, int) {
    if (const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND)) TakePattern(*row, READ_ROW_PATTERN(dlg, *row));
    ShowClass(dlg);
}

void DECODE_PATTERN(DIALOG& dlg, const FormatRow& row, ieee::uint128 pattern) {
    TakePattern(row, pattern);
    ShowClass(dlg);
}

void OUTPUTVALUE(DIALOG& dlg, int, int) {
    using namespace COMUN;
    const FormatRow* row = RowOfKind(FORMAT_KIND);
    if (row == nullptr) return;
    COMUN::VALUE_TYPED = false;
    DIALOG_SET_TEXT(dlg, IDC_VALUE, Trim(ieee::ScientificText(*row->info, STORED_PATTERN(row->kind), true)));
}

void RETRIEVEANDOUTPUTVALUE(DIALOG& dlg, int id, int event) {
    if (event == EVENT_GAINFOCUS) {
        SHOWCURSORPOSITION_FIELD(dlg, id, event);
        DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "0");
    }
    GETEDITSANDRETRIEVEREAL(dlg, id, event);
    OUTPUTVALUE(dlg, id, event);
    SHOW_STORED_VALUE(dlg);
}
