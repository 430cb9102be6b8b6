// Helpers shared by the bit-editing and parameter-list GUI tests: the rows of
// bit edits of each format, putting texts into fields with real keystrokes,
// and the expected value display of the fields as they stand.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTest>

#include <string>
#include <vector>

#include "app/controls.h"
#include "harness.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/scientific_text.h"

namespace edit_test {

struct Field {
    int id;
    int width;
    bool sign;
    bool exponent;
};

struct Row {
    int kind;
    int radio;
    std::vector<Field> fields;  // sign, exponent, fraction (binary128: high, then low)
};

inline const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {4,
         IDC_FORMAT_32,
         {{IDC_SIGN_32, 1, true, false}, {IDC_EXPONENT_32, 8, false, true}, {IDC_FRACTION_32, 23, false, false}}},
        {8,
         IDC_FORMAT_64,
         {{IDC_SIGN_64, 1, true, false}, {IDC_EXPONENT_64, 11, false, true}, {IDC_FRACTION_64, 52, false, false}}},
        {16,
         IDC_FORMAT_128,
         {{IDC_SIGN_128, 1, true, false},
          {IDC_EXPONENT_128, 15, false, true},
          {IDC_FRACTION_128_HIGH, 48, false, false},
          {IDC_FRACTION_128_LOW, 64, false, false}}},
    };
    return rows;
}

inline const Row& RowOf(int kind) {
    for (const Row& row : Rows()) {
        if (row.kind == kind) return row;
    }
    return Rows().front();
}

// n copies of one character (field texts of zeros or ones).
inline std::string Repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

inline void SelectAll(int id) { harness::Key(id, Qt::Key_A, Qt::ControlModifier); }

// Empties a field with real keys (click, select all, delete).
inline void ClearField(int id) {
    harness::ClickInto(id);
    SelectAll(id);
    harness::Key(id, Qt::Key_Backspace);
}

// Replaces the field's text over a full selection: short texts are typed key
// by key, longer ones pasted in one piece (one change instead of dozens).
inline void SetField(int id, const std::string& text) {
    harness::ClickInto(id);
    SelectAll(id);
    const QString qtext = QString::fromLatin1(text.data(), static_cast<int>(text.size()));
    if (text.empty()) {
        harness::Key(id, Qt::Key_Backspace);
    } else if (text.size() <= 8) {
        harness::Type(id, qtext);
    } else {
        harness::Paste(id, qtext);
    }
}

// Types a value into IDC_VALUE (replacing what it held) and decodes it by
// putting the caret into the first field of the current format.
inline void EnterValue(int kind, const std::string& text) {
    SetField(IDC_VALUE, text);
    harness::ClickInto(RowOf(kind).fields.front().id);
    harness::ProcessEvents();
}

// Sets every field of the format to the given bit texts, then decodes them by
// moving the caret from the value field into the sign field.
inline void EnterBits(int kind, const std::vector<std::string>& texts) {
    const Row& row = RowOf(kind);
    for (size_t i = 0; i < row.fields.size() && i < texts.size(); ++i) {
        if (harness::Text(row.fields[i].id) != texts[i]) SetField(row.fields[i].id, texts[i]);
    }
    harness::ClickInto(IDC_VALUE);
    harness::ClickInto(row.fields.front().id);
    harness::ProcessEvents();
}

// The field texts of a whole pattern given as sign, exponent and fraction
// (binary128: the 112-bit fraction is split into its high and low parts).
inline std::vector<std::string> Pattern(int kind, const std::string& sign, const std::string& exponent,
                                        const std::string& fraction) {
    if (kind == 16) return {sign, exponent, fraction.substr(0, 48), fraction.substr(48)};
    return {sign, exponent, fraction};
}

inline void ChooseFormat(int kind) {
    harness::Click(RowOf(kind).radio);
    harness::ProcessEvents();
}

// The value display that the fields of the format decode to: each field's
// digits, read on its own with anything but '0' and '1' skipped, form a number
// that stays in the field's own place of the stored pattern, shown in the
// scientific form with its sign.
inline std::string ExpectedValueText(int kind) {
    ieee::uint128 pattern = 0;
    for (const Field& field : RowOf(kind).fields) {
        const ieee::uint128 mask = (ieee::uint128(1) << field.width) - 1;
        pattern = (pattern << field.width) | (ieee::UnsignedFromDigits(harness::Text(field.id)) & mask);
    }
    switch (kind) {
    case 4: return ieee::ScientificText(ieee::FloatFromBits(static_cast<uint32_t>(pattern)), true);
    case 8: return ieee::ScientificText(ieee::DoubleFromBits(static_cast<uint64_t>(pattern)), true);
    default: return ieee::ScientificText(ieee::QuadFromBits(pattern), true);
    }
}

// Whether a field text holds at most `width` characters of '0', '1' and blanks.
inline bool IsBitText(const std::string& text, int width) {
    if (text.size() > static_cast<size_t>(width)) return false;
    for (char c : text) {
        if (c != '0' && c != '1' && c != ' ') return false;
    }
    return true;
}

inline const char* const kInvalidBit = "Invalid input for bit !\n(It is being replaced by \"1\")";
inline const char* const kExcessBit = "1 Bit in Excess !\n(The last bit is being removed)";

}  // namespace edit_test
