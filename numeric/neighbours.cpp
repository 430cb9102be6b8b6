// ULP and neighbour displays of the parameter list. X is the stored value of
// the current format; all arithmetic is done by the numeric library in that
// format.
#include "numeric/neighbours.h"

#include <string>

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"

namespace {

// Puts `text` into the fixed-length `work`, blank-padded or cut.
void Store(std::string& work, const std::string& text) {
    const size_t length = work.size();
    work = text;
    work.resize(length, ' ');
}

// Characters from..to (1-based, inclusive) of a bit string; positions past its
// end read as blanks.
std::string Piece(const std::string& bits, size_t from, size_t to) {
    std::string piece(to - from + 1, ' ');
    for (size_t i = from; i <= to && i <= bits.size(); ++i) piece[i - from] = bits[i - 1];
    return piece;
}

struct NeighbourCaptions {
    const char* romanian;
    const char* english;
};

}  // namespace

void SUB_ULP(DIALOG& dlg, int, int) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    const ieee::FormatInfo& f = *row->info;
    Store(COMUN::VALUE_CHAR, ieee::ScientificText(f, ieee::UlpPattern(f, STORED_PATTERN(row->kind)), false));
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, LeftTrim(COMUN::VALUE_CHAR));
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "        ULP(X)");
}

void SUB_NEAR(DIALOG& dlg, int, int) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    const ieee::FormatInfo& f = *row->info;

    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    bool binary = false;
    DIALOG_GET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, binary, INDEX_STATE);
    const bool up = COMUN::PARAM_INDEX == 4;

    const ieee::uint128 x = STORED_PATTERN(row->kind);
    const ieee::uint128 y = up ? ieee::NextUpPattern(f, x) : ieee::NextDownPattern(f, x);
    std::string cx(128, ' ');
    Store(cx, binary ? ieee::BitString(f, y) : ieee::ScientificText(f, y, false));

    const size_t bits = static_cast<size_t>(f.bits);
    const size_t exponentEnd = 1 + static_cast<size_t>(f.exponentBits);
    std::string display(64, ' ');
    NeighbourCaptions captions{};
    if (!binary) {
        Store(display, std::string(LeftTrim(cx)));
        captions = up ? NeighbourCaptions{"      Nearest, > X", "      Nearest, > X"}
                      : NeighbourCaptions{"      Nearest, < X", "      Nearest, < X"};
    } else if (bits + 2 <= display.size() && bits < 64) {
        // Formats whose bits fit the display: the sign, all exponent bits, all fraction bits.
        Store(display, Piece(cx, 1, 1) + "_" + Piece(cx, 2, exponentEnd) + "_" + Piece(cx, exponentEnd + 1, bits));
        captions = up ? NeighbourCaptions{"      Nearest > X  (S_Exp_Sig)", "      Nearest > X  (S_Exp_Sig)"}
                      : NeighbourCaptions{"      Nearest < X  (S_Exp_Sig)", "      Nearest < X  (S_Exp_Sig)"};
    } else {
        // The sign, all exponent bits, the last 16 fraction bits.
        Store(display, Piece(cx, 1, 1) + "_" + Piece(cx, 2, exponentEnd) + "_..." + Piece(cx, bits - 15, bits));
        if (up) captions = {"Nearest > X; Semnificand: ultimii 16 biti", "Nearest > X; Significand: last 16 bits"};
        else if (f.kind == ieee::KIND_BINARY64)
            captions = {"Nearest < X, Semnificand: ultimii 16 biti", "Nearest < X, Significand: last 16 bits"};
        else captions = {"Nearest < X; Semnificand: ultimii 16 biti", "Nearest < X; Significand: last 16 bits"};
    }
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, display);

    // Keep the language in step with its radio.
    bool romanian = true;
    DIALOG_GET_LOGICAL(dlg, IDC_LANG_RO, romanian, INDEX_STATE);
    COMUN::LANG_RO = romanian;
    COMUN::LANG = romanian ? 1 : 2;

    // The caption is shown whole (the Romanian bit-pattern captions have 41
    // characters).
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, COMUN::LANG == 1 ? captions.romanian : captions.english);
}
