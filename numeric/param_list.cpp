// The parameter list: choosing an entry shows one quantity of the current datum
// in IDC_PARAM_VALUE and names it in IDC_PARAM_CAPTION. Exponent and
// significand are read from the pattern the fields hold now, by the decoding's
// own reading of the fields; the classification flags are those of the last
// decoding.
#include "numeric/param_list.h"

#include <string>

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "text/bilingual.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"
#include "numeric/neighbours.h"
#include "numeric/row_bits.h"

namespace {

// Entry LANG of a two-language pair (Romanian first).
std::string ByLanguage(std::string_view romanian, std::string_view english) {
    return bilingual::PickString({romanian, english}, COMUN::LANG);
}

// The whole bit string of the pattern the row's fields hold, read as every
// other display of the datum reads it.
std::string RowBitString(DIALOG& dlg, const FormatRow& row) {
    return ieee::BitString(*row.info, READ_ROW_PATTERN(dlg, row));
}

// Significand text of the last finite datum; a call for a non-finite datum
// shows it again.
std::string& SignificandDisplay() {
    static std::string text(42, ' ');
    return text;
}

}  // namespace

void SUB_LIST(DIALOG& dlg, int id, int event) {
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false, INDEX_ENABLE);
    int selected = 0;
    DIALOG_GET_INT(dlg, IDC_PARAM_LIST, selected, 1);
    COMUN::PARAM_INDEX = selected;

    switch (COMUN::PARAM_INDEX) {
    case 1: SUB_EXPONENT(dlg, id, event); break;
    case 2: SUB_FRACTION(dlg, id, event); break;
    case 3: SUB_ULP(dlg, id, event); break;
    case 4:
    case 5:
        DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, true, INDEX_ENABLE);
        SUB_NEAR(dlg, id, event);
        break;
    case 6: {
        const ieee::FormatInfo* format = ieee::FormatFor(COMUN::FORMAT_KIND);
        const char* text = format != nullptr ? format->epsilonText : "Epsilon = ULP(1.0).";
        DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, text);
        DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "Epsilon");
        break;
    }
    default: break;
    }
}

void SUB_EXPONENT(DIALOG& dlg, int, int) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    const ieee::FormatInfo* format = row->info;

    const std::string exponentField = RowBitString(dlg, *row).substr(1, static_cast<std::size_t>(format->exponentBits));
    const int e = ieee::RepresentationExponent(*format, exponentField, COMUN::IS_ZERO || COMUN::IS_SUBNORMAL);
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, std::to_string(e));

    std::string caption = ByLanguage("Exponentul reprezentarii", "Representation Exponent");
    if (COMUN::EXP_MIN_NORMAL) {
        caption += " (Emin)";
    } else if (COMUN::EXP_MAX_FINITE) {
        caption += " (Emax)";
    } else {
        caption += " (E)";
    }
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, caption);
}

void SUB_FRACTION(DIALOG& dlg, int, int) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    const ieee::FormatInfo* format = row->info;

    std::string fraction = RowBitString(dlg, *row).substr(1 + static_cast<std::size_t>(format->exponentBits));
    std::string& display = SignificandDisplay();
    if (COMUN::IS_FINITE) {
        bool hiddenOne = !(COMUN::IS_SUBNORMAL || COMUN::IS_ZERO);
        if (format->explicitLeadingBit) {
            // The leading bit is the field before the fraction, whatever the exponent.
            hiddenOne = !fraction.empty() && fraction[0] == '1';
            fraction.erase(0, 1);
        }
        display = ieee::SignificandText(*format, fraction, hiddenOne);
        display.resize(42, ' ');
    }
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, LeftTrim(display));
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, ByLanguage("     Semnificand", "     Significand"));
}
