// The rows of the main dialog, one per format.
#include "app/format_rows.h"

#include <array>

#include "app/controls.h"
#include "text/bilingual.h"

namespace {

using ieee::FormatFor;

// clang-format off
std::array<FormatRow, 6> kRows{{
    {ieee::KIND_BINARY32, IDC_FORMAT_32, FormatFor(ieee::KIND_BINARY32),
     {{IDC_SIGN_32, 0, 1, 1}, {IDC_EXPONENT_32, 1, 8, 9}, {IDC_FRACTION_32, 9, 23, 24}}, 3},
    {ieee::KIND_BINARY64, IDC_FORMAT_64, FormatFor(ieee::KIND_BINARY64),
     {{IDC_SIGN_64, 0, 1, 1}, {IDC_EXPONENT_64, 1, 11, 11}, {IDC_FRACTION_64, 12, 52, 53}}, 3},
    {ieee::KIND_BINARY128, IDC_FORMAT_128, FormatFor(ieee::KIND_BINARY128),
     {{IDC_SIGN_128, 0, 1, 1}, {IDC_EXPONENT_128, 1, 15, 15}, {IDC_FRACTION_128_HIGH, 16, 48, 49},
      {IDC_FRACTION_128_LOW, 64, 64, 64}}, 4},
    {ieee::KIND_BINARY16, IDC_FORMAT_16, FormatFor(ieee::KIND_BINARY16),
     {{IDC_SIGN_16, 0, 1, 1}, {IDC_EXPONENT_16, 1, 5, 6}, {IDC_FRACTION_16, 6, 10, 11}}, 3},
    {ieee::KIND_BFLOAT16, IDC_FORMAT_BF16, FormatFor(ieee::KIND_BFLOAT16),
     {{IDC_SIGN_BF16, 0, 1, 1}, {IDC_EXPONENT_BF16, 1, 8, 9}, {IDC_FRACTION_BF16, 9, 7, 8}}, 3},
    {0, IDC_FORMAT_ALT, nullptr, {}, 0},
}};
// clang-format on

constexpr std::size_t kAlt = 5;

// The fraction edits hold at most 64 bits each: a longer fraction is split
// as binary128's is, its last 64 bits in the lower edit.
constexpr int kLowWidth = 64;

// The width of the significand's explicit leading bit: 1 for a format that
// stores it as a field of its own, else 0.
int IntegerBits(const ieee::FormatInfo& f) { return f.bits - 1 - f.exponentBits - f.fractionBits; }

// The Romanian plural of "bit" after a count: "de biti" from 20 on (and
// after a whole hundred), as the language wants.
std::string RomanianBits(int n) {
    if (n == 1) return "1 bit";
    const int lastTwo = n % 100;
    return std::to_string(n) + (lastTwo == 0 || lastTwo >= 20 ? " de biti" : " biti");
}

enum class Part { Sign, Exponent, Integer, Fraction, FractionHigh, FractionLow };

Part PartOf(const FormatRow& row, const FieldEdit& field) {
    const ieee::FormatInfo& f = *row.info;
    if (field.first == 0) return Part::Sign;
    if (field.first == 1) return Part::Exponent;
    if (field.width == 1 && field.first == 1 + f.exponentBits && IntegerBits(f) == 1) return Part::Integer;
    if (field.width == f.fractionBits) return Part::Fraction;
    return field.first + field.width == f.bits ? Part::FractionLow : Part::FractionHigh;
}

}  // namespace

std::span<const FormatRow> FormatRows() {
    // Until a format is bound to it, the list's row is left out.
    return std::span<const FormatRow>(kRows).first(kRows[kAlt].info != nullptr ? kRows.size() : kAlt);
}

const FormatRow* RowOfKind(int kind) {
    for (const FormatRow& row : FormatRows())
        if (row.kind == kind) return &row;
    return nullptr;
}

const FormatRow* RowOfControl(int id) {
    for (const FormatRow& row : kRows) {
        if (row.radio == id) return row.info != nullptr ? &row : nullptr;
        for (const FieldEdit& field : row.Fields())
            if (field.id == id) return &row;
    }
    return nullptr;
}

const FieldEdit* FieldOfControl(int id) {
    for (const FormatRow& row : FormatRows())
        for (const FieldEdit& field : row.Fields())
            if (field.id == id) return &field;
    return nullptr;
}

const FormatRow& AltRow() { return kRows[kAlt]; }

bool HasOwnRadio(const ieee::FormatInfo& f) {
    for (std::size_t i = 0; i < kAlt; ++i)
        if (kRows[i].kind == f.kind) return true;
    return false;
}

void SET_ALT_FORMAT(const ieee::FormatInfo& f) {
    FormatRow& row = kRows[kAlt];
    row.kind = f.kind;
    row.info = &f;
    int count = 0;
    auto add = [&](int id, int first, int width) { row.fields[count++] = {id, first, width, width + 1}; };
    add(IDC_SIGN_ALT, 0, 1);
    row.fields[0].check = 1;
    add(IDC_EXPONENT_ALT, 1, f.exponentBits);
    int first = 1 + f.exponentBits;
    if (IntegerBits(f) == 1) add(IDC_INTEGER_ALT, first++, 1);
    if (f.fractionBits > kLowWidth) {
        add(IDC_FRACTION_ALT_HIGH, first, f.fractionBits - kLowWidth);
        first += f.fractionBits - kLowWidth;
    }
    add(IDC_FRACTION_ALT_LOW, first, f.fractionBits > kLowWidth ? kLowWidth : f.fractionBits);
    row.fieldCount = count;
}

std::string FieldName(const FormatRow& row, const FieldEdit& field, int lang) {
    const std::string name = row.info->name;
    const std::string total = std::to_string(field.width);
    switch (PartOf(row, field)) {
    case Part::Sign: return bilingual::PickString({"bitul de semn ", ""}, lang) + name + (lang == 2 ? " sign bit" : "");
    case Part::Exponent:
        return bilingual::PickString({"bitii exponentului ", ""}, lang) + name + (lang == 2 ? " exponent bits" : "");
    case Part::Integer:
        return bilingual::PickString({"bitul intreg ", ""}, lang) + name + (lang == 2 ? " integer bit" : "");
    case Part::Fraction:
        return bilingual::PickString({"bitii fractiei ", ""}, lang) + name + (lang == 2 ? " fraction bits" : "");
    case Part::FractionHigh:
        return lang == 2 ? name + " fraction bits, first " + total : "bitii fractiei " + name + ", primii " + total;
    case Part::FractionLow:
        return lang == 2 ? name + " fraction bits, last " + total : "bitii fractiei " + name + ", ultimii " + total;
    }
    return name;
}

std::string FieldDescription(const FormatRow& row, const FieldEdit& field, int lang) {
    const std::string name = row.info->name;
    const int n = field.width;
    const std::string of = std::to_string(row.info->fractionBits);
    const bool english = lang == 2;
    const std::string bits = english ? std::to_string(n) + (n == 1 ? " bit" : " bits") : RomanianBits(n);
    switch (PartOf(row, field)) {
    case Part::Sign: return name + (english ? " sign, " : " semn, ") + bits;
    case Part::Exponent: return name + " exponent, " + bits;
    case Part::Integer: return name + (english ? " integer bit, " : " bit intreg, ") + bits;
    case Part::Fraction: return name + (english ? " fraction, " : " fractie, ") + bits;
    case Part::FractionHigh:
        return name + (english
                           ? " fraction, first " + std::to_string(n) + " of " + of + " bits"
                           : " fractie, primii " + std::to_string(n) + " din " + RomanianBits(row.info->fractionBits));
    case Part::FractionLow:
        return name + (english
                           ? " fraction, last " + std::to_string(n) + " of " + of + " bits"
                           : " fractie, ultimii " + std::to_string(n) + " din " + RomanianBits(row.info->fractionBits));
    }
    return name;
}
