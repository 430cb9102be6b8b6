// The format table.
#include "numeric/ieee/format_table.h"

#include <array>

namespace ieee {

namespace {

// clang-format off
//   kind  bits  exp  frac  prec  bias   emin    emax   sciDigits width expDigits letter sigDigits sigWidth
constexpr std::array<FormatInfo, 5> kFormats{{
    {KIND_BINARY32,   32,  8,  23,  24,   127,   -126,   127,  8, 15, 2, 'E',  7, 14, "binary32",  "4",    "Epsilon = ULP(1.0)."},
    {KIND_BINARY64,   64, 11,  52,  53,  1023,  -1022,  1023, 17, 25, 2, 'D', 15, 22, "binary64",  "8",    "Epsilon = ULP(1.D0)."},
    {KIND_BINARY128, 128, 15, 112, 113, 16383, -16382, 16383, 34, 42, 3, 'D', 33, 41, "binary128", "16",   "Epsilon = ULP(1.Q0)."},
    {KIND_BINARY16,   16,  5,  10,  11,    15,    -14,    15,  5, 12, 2, 'E',  4, 10, "binary16",  "2",    "Epsilon = ULP(1.H0)."},
    {KIND_BFLOAT16,   16,  8,   7,   8,   127,   -126,   127,  4, 11, 2, 'E',  3,  9, "bfloat16",  "bf16", "Epsilon = ULP(1.B0)."},
}};
// clang-format on

}  // namespace

const FormatInfo* FormatFor(int formatKind) {
    for (const FormatInfo& f : kFormats)
        if (f.kind == formatKind) return &f;
    return nullptr;
}

const FormatInfo* FormatByName(std::string_view name) {
    for (const FormatInfo& f : kFormats)
        if (name == f.name) return &f;
    return nullptr;
}

std::span<const FormatInfo> AllFormats() { return kFormats; }

}  // namespace ieee
