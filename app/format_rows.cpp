// The rows of the main dialog, one per format.
#include "app/format_rows.h"

#include <array>

#include "app/controls.h"

namespace {

using ieee::FormatFor;

// clang-format off
const std::array<FormatRow, 5> kRows{{
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
}};
// clang-format on

}  // namespace

std::span<const FormatRow> FormatRows() { return kRows; }

const FormatRow* RowOfKind(int kind) {
    for (const FormatRow& row : kRows)
        if (row.kind == kind) return &row;
    return nullptr;
}

const FormatRow* RowOfControl(int id) {
    for (const FormatRow& row : kRows) {
        if (row.radio == id) return &row;
        for (const FieldEdit& field : row.Fields())
            if (field.id == id) return &row;
    }
    return nullptr;
}

const FieldEdit* FieldOfControl(int id) {
    for (const FormatRow& row : kRows)
        for (const FieldEdit& field : row.Fields())
            if (field.id == id) return &field;
    return nullptr;
}
