// The stored value group: what the datum of the current format really is,
// written exactly, and the two ways of changing it from the group (a typed
// hexadecimal word, a step to a neighbour). Texts are picked by LANG when
// they are written, like every other two-language text of the program.
#include "numeric/stored_display.h"

#include <algorithm>
#include <string>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "text/bilingual.h"
#include "dialog/copy_menu.h"
#include "dialog/platform.h"
#include "numeric/copy_as.h"
#include "numeric/datum_report.h"
#include "numeric/decode.h"
#include "numeric/ieee/byte_order.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/spacing.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/represent.h"
#include "numeric/row_bits.h"
#include "text/bilingual.h"

namespace {

// The longest hexadecimal word read from the field: a longer paste is
// refused as too many digits before it is read.
constexpr int kLongestHexText = 1 << 17;

std::string ByLanguage(std::string_view romanian, std::string_view english) {
    return bilingual::PickString({romanian, english}, COMUN::LANG);
}

// What the exact value box says of a pattern that is no finite number.
std::string SpecialValueText(const ieee::FormatInfo& f, ieee::uint128 bits) {
    const bool negative = ieee::IsNegative(f, bits);
    if (ieee::IsInfinityPattern(f, bits))
        return negative ? ByLanguage("-Infinit", "-Infinity") : ByLanguage("+Infinit", "+Infinity");
    const ieee::NaNDetails nan = ieee::NaNDetailsOf(f, bits);
    std::string text =
        nan.quiet ? ByLanguage("NaN linistit", "Quiet NaN") : ByLanguage("NaN semnalizator", "Signalling NaN");
    text += ByLanguage(", semn ", ", sign ");
    text += negative ? "-" : "+";
    text += ByLanguage(", sarcina utila 0x", ", payload 0x");
    text += report::HexNumber(nan.payload);
    return text;
}

void (*g_datumListener)() = nullptr;

void DatumMayHaveChanged() {
    if (g_datumListener) g_datumListener();
}

// Which box of the group the pattern came from: that box keeps the user's
// text (and caret) instead of being written again.
enum class Source { Program, HexBox, BytesBox };

ieee::ByteOrder ChosenOrder(DIALOG& dlg) {
    bool big = false;
    DIALOG_GET_LOGICAL(dlg, IDC_BIG_ENDIAN, big);
    return big ? ieee::ByteOrder::Big : ieee::ByteOrder::Little;
}

void Show(DIALOG& dlg, const FormatRow& row, ieee::uint128 pattern, Source source) {
    using namespace COMUN;
    const ieee::FormatInfo& f = *row.info;
    const bool finite = ieee::IsFinitePattern(f, pattern);
    DIALOG_SET_TEXT(dlg, IDC_EXACT_VALUE, finite ? ieee::ExactDecimalText(f, pattern) : SpecialValueText(f, pattern));

    ieee::ConversionError error;
    if (finite && TYPED_NUMBER.valid && TYPED_NUMBER.kind == row.kind && TYPED_NUMBER.pattern == pattern)
        error = ieee::ConversionErrorOf(f, TYPED_NUMBER.number, pattern);
    DIALOG_SET_TEXT(dlg, IDC_ERROR_VALUE, error.exact);
    DIALOG_SET_TEXT(dlg, IDC_ERROR_ULP, error.ulps.empty() ? std::string() : error.ulps + " ULP");
    DIALOG_SET_TEXT(dlg, IDC_ERROR_REL, error.relative);

    if (source != Source::HexBox) {
        HEX_ACCEPTED = ieee::HexWord(f, pattern);
        DIALOG_SET_TEXT(dlg, IDC_HEX, HEX_ACCEPTED);
    }
    if (source != Source::BytesBox) {
        BYTES_ACCEPTED = ieee::BytesText(f, pattern, ChosenOrder(dlg));
        DIALOG_SET_TEXT(dlg, IDC_BYTES, BYTES_ACCEPTED);
    }
    DIALOG_SET_TEXT(dlg, IDC_SHORTEST, ieee::ShortestText(f, pattern));
    DIALOG_SET_TEXT(dlg, IDC_HEXFLOAT, ieee::HexFloatText(f, pattern));
    STORED_SHOWN = {true, row.kind, pattern};
    DatumMayHaveChanged();
}

// The group gave the current format a new pattern: it is decoded, then
// written into the fields and shown as after an edit of the bits (the
// parameter shown belonged to the old datum).
void TakeNewPattern(DIALOG& dlg, int id, int event, const FormatRow& row, ieee::uint128 pattern, Source source) {
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    FORGET_TYPED_NUMBER();
    DECODE_PATTERN(dlg, row, pattern);
    WRITE_ROW_PATTERN(dlg, row, pattern);
    OUTPUTVALUE(dlg, id, event);
    Show(dlg, row, pattern, source);
}

void ShowHexError(const ieee::FormatInfo& f, ieee::HexStatus status) {
    std::string text;
    if (status == ieee::HexStatus::BadCharacter) {
        text = ByLanguage("Cuvant hexazecimal invalid !\n(Sunt permise doar cifrele 0-9 si A-F)",
                          "Invalid hexadecimal word !\n(Only the digits 0-9 and A-F are allowed)");
    } else {
        text = ByLanguage("Prea multe cifre hexazecimale !\n(Formatul ", "Too many hexadecimal digits !\n(The ");
        text += f.name;
        text += ByLanguage(" are ", " format has ");
        text += std::to_string(f.hexDigits());
        text += ByLanguage(" cifre)", " digits)");
    }
    platform::MessageBoxA(nullptr, text, "Error", platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void ShowBytesError(const ieee::FormatInfo& f, ieee::BytesStatus status) {
    const int lang = COMUN::LANG;
    std::string text;
    switch (status) {
    case ieee::BytesStatus::BadCharacter:
        text = bilingual::PickString(
            {"Octeti invalizi !\n(Sunt permise cifrele 0-9 si A-F, 0x, \\x, spatii si virgule)",
             "Invalid bytes !\n(Only the digits 0-9 and A-F, 0x, \\x, blanks and commas are allowed)"},
            lang);
        break;
    case ieee::BytesStatus::HalfByte:
        text = bilingual::PickString({"Octet incomplet !\n(Un octet are doua cifre hexazecimale)",
                                      "Incomplete byte !\n(A byte has two hexadecimal digits)"},
                                     lang);
        break;
    case ieee::BytesStatus::TooWide:
        text =
            bilingual::PickString({"Octetii depasesc latimea formatului ", "The bytes exceed the width of the "}, lang);
        text += f.name;
        text += bilingual::PickString({" !", " format !"}, lang);
        break;
    default:
        text = bilingual::PickString({"Prea multi octeti !\n(Formatul ", "Too many bytes !\n(The "}, lang);
        text += f.name;
        text += bilingual::PickString({" are ", " format has "}, lang);
        text += std::to_string(ieee::StorageBytes(f));
        text += bilingual::PickString({" octeti)", " bytes)"}, lang);
        break;
    }
    platform::MessageBoxA(nullptr, text, "Error", platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

}  // namespace

void SHOW_STORED_VALUE(DIALOG& dlg) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    Show(dlg, *row, STORED_PATTERN(row->kind), Source::Program);
}

void SHOW_FIELDS_PATTERN(DIALOG& dlg) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    Show(dlg, *row, READ_ROW_PATTERN(dlg, *row), Source::Program);
}

void CLEAR_STORED_VALUE(DIALOG& dlg) {
    for (int id : {IDC_EXACT_VALUE, IDC_ERROR_VALUE, IDC_ERROR_ULP, IDC_ERROR_REL, IDC_HEX, IDC_BYTES, IDC_SHORTEST,
                   IDC_HEXFLOAT})
        DIALOG_SET_TEXT(dlg, id, "");
    COMUN::HEX_ACCEPTED.clear();
    COMUN::BYTES_ACCEPTED.clear();
    COMUN::STORED_SHOWN = {};
    DatumMayHaveChanged();
}

void SET_DATUM_LISTENER(void (*listener)()) { g_datumListener = listener; }

void REFRESH_STORED_LANGUAGE(DIALOG& dlg) {
    const COMUN::ShownPattern shown = COMUN::STORED_SHOWN;
    const FormatRow* row = RowOfKind(shown.kind);
    if (!shown.valid || row == nullptr || ieee::IsFinitePattern(*row->info, shown.pattern)) return;
    DIALOG_SET_TEXT(dlg, IDC_EXACT_VALUE, SpecialValueText(*row->info, shown.pattern));
}

void REMEMBER_TYPED_NUMBER(int kind, ieee::uint128 pattern) {
    COMUN::TypedOrigin origin;
    if (ieee::ExactTypedNumber(COMUN::VALUE_CHAR, origin.number)) {
        origin.valid = true;
        origin.kind = kind;
        origin.pattern = pattern;
    }
    COMUN::TYPED_NUMBER = origin;
}

void FORGET_TYPED_NUMBER() {
    COMUN::TYPED_NUMBER = {};
    DatumMayHaveChanged();
}

void HEX_EDITED(DIALOG& dlg, int id, int event) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    int length = 0;
    DIALOG_GET_INT(dlg, IDC_HEX, length, INDEX_TEXTLENGTH);
    std::string text(static_cast<std::size_t>(std::clamp(length, 0, kLongestHexText)), ' ');
    DIALOG_GET_TEXT(dlg, IDC_HEX, text);

    ieee::uint128 pattern = 0;
    const ieee::HexStatus status =
        length > kLongestHexText ? ieee::HexStatus::TooManyDigits : ieee::ReadHexWord(*row->info, text, pattern);
    switch (status) {
    case ieee::HexStatus::Empty: return;  // nothing to read yet (the user cleared the field to type a word)
    case ieee::HexStatus::BadCharacter:
    case ieee::HexStatus::TooManyDigits:
        ShowHexError(*row->info, status);
        DIALOG_SET_TEXT(dlg, IDC_HEX, COMUN::HEX_ACCEPTED);
        return;
    case ieee::HexStatus::Ok: break;
    }
    COMUN::HEX_ACCEPTED = text;
    TakeNewPattern(dlg, id, event, *row, pattern, Source::HexBox);
}

void STEP_CLICK(DIALOG& dlg, int id, int event) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr || (id != IDC_STEP_UP && id != IDC_STEP_DOWN)) return;
    // Text typed into the value field is read first, as a conversion reads it
    // (a text that is no number gets its message and nothing steps), so the
    // step starts from the typed number, not from the datum before it.
    if (COMUN::VALUE_TYPED && !READ_VALUE_FIELD(dlg, id, event)) return;
    const ieee::uint128 pattern = READ_ROW_PATTERN(dlg, *row);
    // A NaN has no neighbours; nextUp of +Infinity (nextDown of -Infinity) is itself.
    if (ieee::IsNaNPattern(*row->info, pattern)) return;
    const ieee::uint128 next =
        id == IDC_STEP_UP ? ieee::NextUpPattern(*row->info, pattern) : ieee::NextDownPattern(*row->info, pattern);
    if (next == pattern) return;
    TakeNewPattern(dlg, id, event, *row, next, Source::Program);
}

void BYTES_EDITED(DIALOG& dlg, int id, int event) {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    if (row == nullptr) return;
    int length = 0;
    DIALOG_GET_INT(dlg, IDC_BYTES, length, INDEX_TEXTLENGTH);
    std::string text(static_cast<std::size_t>(std::clamp(length, 0, kLongestHexText)), ' ');
    DIALOG_GET_TEXT(dlg, IDC_BYTES, text);
    ieee::uint128 pattern = 0;
    const ieee::BytesStatus status = length > kLongestHexText
                                         ? ieee::BytesStatus::TooManyBytes
                                         : ieee::ReadBytes(*row->info, text, ChosenOrder(dlg), pattern);
    // Cleared to type anew, or a byte half typed: nothing to read yet.
    if (status == ieee::BytesStatus::Empty || status == ieee::BytesStatus::Unfinished) return;
    if (status != ieee::BytesStatus::Ok) {
        ShowBytesError(*row->info, status);
        DIALOG_SET_TEXT(dlg, IDC_BYTES, COMUN::BYTES_ACCEPTED);
        return;
    }
    COMUN::BYTES_ACCEPTED = text;
    TakeNewPattern(dlg, id, event, *row, pattern, Source::BytesBox);
}

void BYTE_ORDER_CLICK(DIALOG& dlg, int, int) {
    const COMUN::ShownPattern shown = COMUN::STORED_SHOWN;
    const FormatRow* row = RowOfKind(shown.kind);
    if (!shown.valid || row == nullptr) return;
    COMUN::BYTES_ACCEPTED = ieee::BytesText(*row->info, shown.pattern, ChosenOrder(dlg));
    DIALOG_SET_TEXT(dlg, IDC_BYTES, COMUN::BYTES_ACCEPTED);
}

CopyMenuEntries STORED_COPY_ENTRIES() {
    const COMUN::ShownPattern shown = COMUN::STORED_SHOWN;
    const FormatRow* row = RowOfKind(shown.kind);
    CopyMenuEntries entries;
    if (!shown.valid || row == nullptr) return entries;
    const COMUN::TypedOrigin& origin = COMUN::TYPED_NUMBER;
    const bool typed = origin.valid && origin.kind == shown.kind && origin.pattern == shown.pattern &&
                       ieee::IsFinitePattern(*row->info, shown.pattern);
    for (CopyChoice& choice : CopyChoices(*row->info, shown.pattern, typed ? &origin.number : nullptr, COMUN::LANG))
        entries.push_back({std::move(choice.caption), std::move(choice.text)});
    return entries;
}

std::string COPY_AS_TITLE() { return bilingual::PickString({"Copiaza ca", "Copy as"}, COMUN::LANG); }

void COPY_AS_CLICK(DIALOG& dlg, int id, int) { DIALOG_COPY_MENU(dlg, id, STORED_COPY_ENTRIES); }
