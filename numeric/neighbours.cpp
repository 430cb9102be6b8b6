// ULP and neighbour displays of the parameter list. X is the stored value of
// the current format; all arithmetic is done by the numeric library in that
// format.
#include "numeric/neighbours.h"

#include <string>

#include "app/fixed_text.h"
#include "app/controls.h"
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
    std::string text;
    switch (COMUN::FORMAT_KIND) {
        case 4: text = ieee::ScientificText(ieee::ULP4(COMUN::X4), false); break;
        case 8: text = ieee::ScientificText(ieee::ULP8(COMUN::X8), false); break;
        case 16: text = ieee::ScientificText(ieee::ULP16(COMUN::X16), false); break;
        default: return;
    }
    Store(COMUN::VALUE_CHAR, text);
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, LeftTrim(COMUN::VALUE_CHAR));
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "        ULP(X)");
}

void SUB_NEAR(DIALOG& dlg, int, int) {
    const int kind = COMUN::FORMAT_KIND;
    if (kind != 4 && kind != 8 && kind != 16) return;

    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    bool binary = false;
    DIALOG_GET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, binary, INDEX_STATE);
    const bool up = COMUN::PARAM_INDEX == 4;

    std::string cx(128, ' ');
    switch (kind) {
        case 4: {
            const float y = up ? ieee::NEAR4(COMUN::X4) : ieee::NEAR_4(COMUN::X4);
            Store(cx, binary ? ieee::BitString(y) : ieee::ScientificText(y, false));
            break;
        }
        case 8: {
            const double y = up ? ieee::NEAR8(COMUN::X8) : ieee::NEAR_8(COMUN::X8);
            Store(cx, binary ? ieee::BitString(y) : ieee::ScientificText(y, false));
            break;
        }
        default: {
            const __float128 y = up ? ieee::NEAR16(COMUN::X16) : ieee::NEAR_16(COMUN::X16);
            Store(cx, binary ? ieee::BitString(y) : ieee::ScientificText(y, false));
            break;
        }
    }

    std::string display(64, ' ');
    NeighbourCaptions captions{};
    if (!binary) {
        Store(display, std::string(LeftTrim(cx)));
        captions = up ? NeighbourCaptions{"      Nearest, > X", "      Nearest, > X"}
                      : NeighbourCaptions{"      Nearest, < X", "      Nearest, < X"};
    } else if (kind == 4) {
        // Sign, all 8 exponent bits, all 23 fraction bits.
        Store(display, Piece(cx, 1, 1) + "_" + Piece(cx, 2, 9) + "_" + Piece(cx, 10, 32));
        captions = up ? NeighbourCaptions{"      Nearest > X  (S_Exp_Sig)", "      Nearest > X  (S_Exp_Sig)"}
                      : NeighbourCaptions{"      Nearest < X  (S_Exp_Sig)", "      Nearest < X  (S_Exp_Sig)"};
    } else if (kind == 8) {
        // Sign, all 11 exponent bits, the last 16 fraction bits.
        Store(display, Piece(cx, 1, 1) + "_" + Piece(cx, 2, 12) + "_..." + Piece(cx, 49, 64));
        captions = up ? NeighbourCaptions{"Nearest > X; Semnificand: ultimii 16 biti",
                                          "Nearest > X; Significand: last 16 bits"}
                      : NeighbourCaptions{"Nearest < X, Semnificand: ultimii 16 biti",
                                          "Nearest < X, Significand: last 16 bits"};
    } else {
        // Sign, all 15 exponent bits, the last 16 fraction bits.
        Store(display, Piece(cx, 1, 1) + "_" + Piece(cx, 2, 16) + "_..." + Piece(cx, 113, 128));
        captions = up ? NeighbourCaptions{"Nearest > X; Semnificand: ultimii 16 biti",
                                          "Nearest > X; Significand: last 16 bits"}
                      : NeighbourCaptions{"Nearest < X; Semnificand: ultimii 16 biti",
                                          "Nearest < X; Significand: last 16 bits"};
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
