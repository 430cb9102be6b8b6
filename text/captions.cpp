// Bilingual captions of the main dialog, the seven summary texts and the
// language switch. Every two-language text is a pair: form 1 Romanian, form 2
// English; the form shown is the one of COMUN::LANG when the text is written.
// Texts are single-byte Windows-1252; the ellipsis is the byte 0x85.
#include "text/captions.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/state.h"
#include "dialog/compare_window.h"
#include "dialog/encoding_table.h"
#include "dialog/operations_window.h"
#include "dialog/platform.h"
#include "dialog/steps_window.h"
#include "numeric/classify.h"
#include "numeric/stored_display.h"
#include "text/bilingual.h"

namespace {

// Language index 1 or 2 made safe for indexing: anything but 2 counts as Romanian.
int LanguageIndex(int lang) { return bilingual::Index(lang); }

constexpr std::size_t kTitleLength = 40;
constexpr int kTitleSlots = 15;
constexpr int kUsedTitleSlots = 13;

struct TitleSlot {
    int control;
    std::string_view romanian;
    std::string_view english;
};

// The thirteen language-dependent captions of the main dialog, in slot order.
// "\n" is a single line feed.
constexpr std::array<TitleSlot, kUsedTitleSlots> kTitleSlotsTable{{
    {IDC_GROUP_DATA, "Data", "Datum"},
    {IDC_GROUP_REPRESENTATION, "Reprezentare FP", "FP Representation"},
    {IDC_GROUP_FORMAT, "Format", "Format"},
    {IDC_FORMAT_CAPTION, "Biti     (Nume)", "Bits     (Name)"},
    {IDC_DATA_TYPE_CAPTION, "Tip data  (click pe un camp din format)", "Data Type  (click a format field) "},
    {IDC_PARAM_LIST_CAPTION, "Parametru  (Numere finite)", "Parameter  (Finite Numbers)"},
    {IDC_BINARY_NEIGHBOURS, "Binar: X+ -", "Binary: X+ -"},
    {IDC_ALL_FIELDS, "Toate campurile", "All Fields"},
    {IDC_CURRENT_FIELD, "Campul curent  (click pe un camp)", "Current Field  (click a field)"},
    {IDC_CURSOR_POS_CAPTION, "Pozitie cursor in camp\n(msb = 1)", "Cursor Position in Field\n(msb = 1)"},
    {IDC_CURSOR_POS_CAPTION2, "Pozitie (Modificare /Actualizare)", "Position\n(Change/Update)"},
    {IDC_FIELD_WIDTH_CAPTION, "Latime camp", "Field Width"},
    {IDC_ABOUT, "DESPRE", "ABOUT"},
}};

// The captions of the controls beyond the thirteen: the second format
// heading, the stored value group and the Operations, Compare formats and
// How it was rounded buttons. Set with the
// others at every switch.
constexpr std::array<TitleSlot, 21> kAddedCaptions{{
    {IDC_FORMAT_CAPTION2, "Biti     (Nume)", "Bits     (Name)"},
    {IDC_GROUP_STORED, "Valoarea stocata", "Stored Value"},
    {IDC_EXACT_CAPTION, "Valoarea exacta", "Exact value"},
    {IDC_ERROR_CAPTION, "Eroarea conversiei (tastat - stocat)", "Conversion error (typed - stored)"},
    {IDC_ERROR_ULP_CAPTION, "In ULP", "In ULPs"},
    {IDC_ERROR_REL_CAPTION, "Eroarea relativa", "Relative error"},
    {IDC_HEX_CAPTION, "Cuvant hexazecimal (editabil)", "Hexadecimal word (editable)"},
    {IDC_SHORTEST_CAPTION, "Cel mai scurt text exact la recitire", "Shortest round-trip text"},
    {IDC_STEP_DOWN, "X-  (Alt+Jos)", "X-  (Alt+Down)"},
    {IDC_STEP_UP, "X+  (Alt+Sus)", "X+  (Alt+Up)"},
    {IDC_OPERATIONS, "Operatii  (Alt+O)", "Operations  (Alt+O)"},
    {IDC_FORMAT_ALT, "Alt format", "Alt format"},
    {IDC_ALT_LIST_CAPTION, "Format din lista", "Listed format"},
    {IDC_ALT_EXPONENT_CAPTION, "Biti exp.", "Exp. bits"},
    {IDC_ALT_FRACTION_CAPTION, "Biti fract.", "Fract. bits"},
    {IDC_ALT_TABLE, "Codari  (Alt+T)", "Encodings  (Alt+T)"},
    {IDC_BYTES_CAPTION, "Octetii in memorie", "Bytes in memory"},
    {IDC_BIG_ENDIAN, "Ordine big-endian", "Big-endian"},
    {IDC_COPY_AS, "Copiaza ca\x85", "Copy as\x85"},
    {IDC_COMPARE, "Comparatie formate  (Alt+M)", "Compare formats  (Alt+M)"},
    {IDC_STEPS, "Cum a fost rotunjit  (Alt+W)", "How it was rounded  (Alt+W)"},
}};

constexpr std::size_t kSummaryLength = 180;
constexpr std::string_view kLineBreak = "\r\n";

// The summary texts, line by line: [item][language] -> lines. An empty line
// gives two line breaks in a row.
using Lines = std::array<std::string_view, 6>;
struct SummaryText {
    Lines lines;
    int count;
};

constexpr std::array<std::array<SummaryText, 2>, 7> kSummaryTexts{{
    {{
        {{"Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:", "- Numere Finite:",
          "1) Numere normale (normalizate)", "2) Numere subnormale (denormalizate)", "3) Zero cu semn"},
         5},
        {{"Data representable in a floating-point format (Floating-Point Data) are:", "- Finite Numbers:",
          "1) Normal numbers (normalized)", "2) Subnormal numbers (denormalized)", "3) Signed Zero"},
         5},
    }},
    {{
        {{"- Alte Date:", "4) Infinit cu semn", "5) Non-Numere (Not-a-Number)"}, 3},
        {{"- Other Data:", "4) Signed Infinity", "5) Non-Numbers (Not-a-Number)"}, 3},
    }},
    {{
        {{"Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)", "S = bitul de semn;",
          "E = exponentul (reprezentarii) ;", "sig = semnificand", "", "Valoare = (-1)^S * 2^E * sig"},
         6},
        {{"Data 1, 2, and 3, are represented by a triple:  (S, E, sig)", "S = sign bit;",
          "E = (representation) exponent;", "sig = significand", "", "Value =(-1)^S * 2^E * sig"},
         6},
    }},
    {{
        {{"Codificare exponent \"E\":", "- Datele 2 and 3:  Camp exponent = 00 ... 0",
          "- Datele 4 and 5:  Camp exponent = 11 ... 1"},
         3},
        {{"Exponent encoding:", "- Data 2 and 3: Exponent field = 00 ... 0",
          "- Data 4 and 5: Exponent field = 11 ... 1"},
         3},
    }},
    {{
        {{"- Numere normale:          E = Exponent_stocat - deplasare", "- Numere subnormale:  E = Emin",
          "- Zero cu semn:                E = Emin"},
         3},
        {{"- Normal's exponent:           E = Stored exponent - bias", "- Subnormal's exponent:    E = Emin",
          "- Signed Zero's exponent: E = Emin"},
         3},
    }},
    {{
        {{"Codificare semnificand \"sig\":", "- Numere normale:           sig = 1.b1b2 \x85 bP-1",
          "- Numere subnormale:    sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:                 sig = 0.0"},
         4},
        {{"Significand encoding:", "- Normal's significand:            sig = 1.b1b2 \x85 bP-1",
          "- Subnormal's significand:     sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"},
         4},
    }},
    {{
        {{"- Infinit cu semn:  Camp semnificand  = 00 ... 0",
          "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0"},
         2},
        {{"- Signed Infinity:  Significand Field = 00 ... 0", "- Not-a-Number: Significand Field is not 00 ... 0"}, 2},
    }},
}};

constexpr int kFirstSummaryControl = 1046;  // ID_STATIC_2(k) = 1046 + k

// Item 2 of the parameter list and the caption shown for it.
constexpr std::array<std::string_view, 2> kSignificandWord{"Semnificand", "Significand"};

// Place-holder texts of the binary64 fraction field while it shows no bits.
constexpr std::array<std::string_view, 2> kFraction64Placeholder{
    "                         Semnificand (Fractia)", "                         Trailing Significand (Fraction)"};
// The word that starts the other language's place-holder (after its blanks).
constexpr std::array<std::string_view, 2> kOtherPlaceholderStart{"Trailing", "Semnificand"};

}  // namespace

void SETTITLES(DIALOG& dlg, int, int) {
    std::array<std::array<std::string, 2>, kTitleSlots> TITLE;
    for (auto& slot : TITLE)
        for (auto& form : slot) form.assign(kTitleLength, ' ');
    for (int slot = 0; slot < kUsedTitleSlots; ++slot) {
        TITLE[slot][0] = Padded(kTitleSlotsTable[slot].romanian, kTitleLength);
        TITLE[slot][1] = Padded(kTitleSlotsTable[slot].english, kTitleLength);
    }
    const int lang = LanguageIndex(COMUN::LANG);
    DIALOG_SET_ACCESSIBLE_LANGUAGE(lang + 1);  // the names a screen reader reads follow the captions
    for (int slot = 0; slot < kUsedTitleSlots; ++slot) {
        const int control = kTitleSlotsTable[slot].control;
        const int index = control == IDC_BINARY_NEIGHBOURS ? INDEX_TITLE : INDEX_DEFAULT;
        DIALOG_SET_TEXT(dlg, control, RightTrim(TITLE[slot][lang]), index);
    }
    for (const TitleSlot& added : kAddedCaptions)
        DIALOG_SET_TEXT(dlg, added.control, lang == 1 ? added.english : added.romanian);
}

void INITIALIZE_STATIC_2() {
    for (std::size_t item = 0; item < kSummaryTexts.size(); ++item) {
        for (std::size_t lang = 0; lang < 2; ++lang) {
            const SummaryText& source = kSummaryTexts[item][lang];
            std::string text;
            for (int line = 0; line < source.count; ++line) {
                if (line > 0) text += kLineBreak;
                text += source.lines[line];
            }
            COMUN::STATIC_2[item][lang] = Padded(text, kSummaryLength);
        }
        COMUN::ID_STATIC_2[item] = kFirstSummaryControl + static_cast<int>(item) + 1;
    }
}

void SHOW_SUMMARY_TEXTS(DIALOG& dlg) {
    const int lang = LanguageIndex(COMUN::LANG);
    for (std::size_t item = 0; item < COMUN::STATIC_2.size(); ++item)
        DIALOG_SET_TEXT(dlg, COMUN::ID_STATIC_2[item], RightTrim(COMUN::STATIC_2[item][lang]));
}

void LANGUAGE_SWITCH(DIALOG& dlg, int id, int event) {
    // 1. The new language.
    const int L = id == IDC_LANG_EN ? 2 : 1;
    const int lang = L - 1;
    COMUN::LANG = L;
    COMUN::LANG_RO = L == 1;
    platform::SetLanguage(L);  // the standard dialogs follow

    // 2. The captions of the main dialog.
    SETTITLES(dlg, id, event);

    // 3. The only parameter-list entry that differs between the languages.
    DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, kSignificandWord[lang], 2);

    // 4. The binary64 fraction field: swap the place-holder when it still shows
    //    the other language's one; bits stay as they are.
    std::string fraction(40, ' ');
    DIALOG_GET_TEXT(dlg, IDC_FRACTION_64, fraction);
    if (LeftTrim(fraction).starts_with(kOtherPlaceholderStart[lang]))
        DIALOG_SET_TEXT(dlg, IDC_FRACTION_64, kFraction64Placeholder[lang]);

    // 5. The class of the current datum, in the new language.
    RETRIEVEDATATYPE();
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, RightTrim(COMUN::DATATYPE[lang]));

    // 6. The parameter caption follows only when it names the significand.
    int selected = 0;
    DIALOG_GET_INT(dlg, IDC_PARAM_LIST, selected, 1);
    if (selected == 2) DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, kSignificandWord[lang]);

    // The stored value group's own words (an infinity or a NaN named in the exact value box).
    REFRESH_STORED_LANGUAGE(dlg);
    // The Operations and Compare formats windows, when open, follow.
    OPERATIONS_LANGUAGE_CHANGED();
    ENCODING_TABLE_LANGUAGE_CHANGED();
    COMPARE_LANGUAGE_CHANGED();
    STEPS_LANGUAGE_CHANGED();
}
