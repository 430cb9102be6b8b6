// Helpers shared by the representation GUI tests: filling controls through
// real keystrokes and reading a whole row of bit fields.
#pragma once

#include <QString>
#include <QTest>

#include <string>
#include <vector>

#include "app/controls.h"
#include "harness.h"

namespace represent_test {

// Replaces the text of a main-dialog edit the way a user does: click into it,
// select everything, then type the new text one key at a time (the first key
// replaces the selection). An empty text is made by deleting the selection.
inline void Retype(int id, const QString& text) {
    harness::ClickInto(id);
    harness::Key(id, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        harness::Key(id, Qt::Key_Delete);
    } else {
        harness::Type(id, text);
    }
    harness::ProcessEvents();
}

inline void Retype(int id, const std::string& text) { Retype(id, QString::fromLatin1(text.c_str())); }
inline void Retype(int id, const char* text) { Retype(id, QString::fromLatin1(text)); }

// Controls of the bit-field row of a format, sign first.
inline std::vector<int> RowIds(int kind) {
    switch (kind) {
    case 8: return {IDC_SIGN_64, IDC_EXPONENT_64, IDC_FRACTION_64};
    case 16: return {IDC_SIGN_128, IDC_EXPONENT_128, IDC_FRACTION_128_HIGH, IDC_FRACTION_128_LOW};
    default: return {IDC_SIGN_32, IDC_EXPONENT_32, IDC_FRACTION_32};
    }
}

// Texts of a row: sign, exponent, fraction (binary128: fraction high, low).
inline std::vector<std::string> Row(int kind) {
    std::vector<std::string> texts;
    for (int id : RowIds(kind)) texts.push_back(harness::Text(id));
    return texts;
}

// The whole bit string shown by a row (fields joined).
inline std::string RowBits(int kind) {
    std::string bits;
    for (const std::string& t : Row(kind)) bits += t;
    return bits;
}

inline int FormatRadio(int kind) { return kind == 8 ? IDC_FORMAT_64 : kind == 16 ? IDC_FORMAT_128 : IDC_FORMAT_32; }

// Enters a whole bit pattern into the row of the current format, field by
// field, through the keyboard.
inline void TypeRow(int kind, const std::string& bits) {
    const std::vector<int> ids = RowIds(kind);
    const std::vector<int> widths = kind == 8    ? std::vector<int>{1, 11, 52}
                                    : kind == 16 ? std::vector<int>{1, 15, 48, 64}
                                                 : std::vector<int>{1, 8, 23};
    std::size_t at = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        Retype(ids[i], bits.substr(at, static_cast<std::size_t>(widths[i])));
        at += static_cast<std::size_t>(widths[i]);
    }
}

inline std::string Zeros(int n) { return std::string(static_cast<std::size_t>(n), '0'); }
inline std::string Ones(int n) { return std::string(static_cast<std::size_t>(n), '1'); }

}  // namespace represent_test
