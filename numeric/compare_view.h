// What the Compare formats window shows, as plain texts: the number of the
// value field stored in every format of the format table, one row each, with
// its scientific form, hexadecimal word, class and conversion error. No
// toolkit: the window only puts these texts on its cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numeric/ieee/format_table.h"

namespace compareview {

constexpr int kColumns = 6;

struct Row {
    const ieee::FormatInfo* format = nullptr;
    bool stored = false;  // the text holds a value of this format (bits is its pattern)
    ieee::uint128 bits = 0;
    // Format name, stored value (scientific form, or "Invalid Value"),
    // hexadecimal word, class, error in ULPs, relative error.
    std::string cells[kColumns];
};

// One row per format of ieee::AllFormats(), in its order, for the value
// field's text read as the value field reads it (decimal text, the words,
// hexadecimal floating-point literals), rounded once to nearest in each
// format. A text that is no value in a format (or overflows it) says
// "Invalid Value" there; an empty text, or one with no number yet, leaves
// every cell but the name empty. The errors are those of the typed number
// against each stored value, exact and rounded once as the main dialog's.
// lang 2 English, else Romanian.
std::vector<Row> Build(std::string_view text, int lang);

// The heading of column `column` (0 .. kColumns - 1).
std::string ColumnTitle(int column, int lang);

}  // namespace compareview
