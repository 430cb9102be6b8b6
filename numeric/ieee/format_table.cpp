// The format table.
#include "numeric/ieee/format_table.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <memory>

namespace ieee {

namespace {

constexpr auto kIeee = SpecialValues::Ieee;

// clang-format off
//                                    sciDigits width expDigits letter sigDigits sigWidth
constexpr FormatDisplay kDisplay32  {  8, 15, 2, 'E',  7, 14};
constexpr FormatDisplay kDisplay64  { 17, 25, 2, 'D', 15, 22};
constexpr FormatDisplay kDisplay128 { 34, 42, 3, 'D', 33, 41};
constexpr FormatDisplay kDisplay16  {  5, 12, 2, 'E',  4, 10};
constexpr FormatDisplay kDisplayBf16{  4, 11, 2, 'E',  3,  9};

//                  kind          exp frac explicit specials                     display
constexpr std::array<FormatInfo, 11> kFormats{{
    MakeFormat(KIND_BINARY32,    8,  23, false, kIeee,                       kDisplay32,  "binary32",  "4",    "Epsilon = ULP(1.0)."),
    MakeFormat(KIND_BINARY64,   11,  52, false, kIeee,                       kDisplay64,  "binary64",  "8",    "Epsilon = ULP(1.D0)."),
    MakeFormat(KIND_BINARY128,  15, 112, false, kIeee,                       kDisplay128, "binary128", "16",   "Epsilon = ULP(1.Q0)."),
    MakeFormat(KIND_BINARY16,    5,  10, false, kIeee,                       kDisplay16,  "binary16",  "2",    "Epsilon = ULP(1.H0)."),
    MakeFormat(KIND_BFLOAT16,    8,   7, false, kIeee,                       kDisplayBf16,"bfloat16",  "bf16", "Epsilon = ULP(1.B0)."),
    MakeFormat(KIND_X87,        15,  63, true,  kIeee,                       DefaultDisplay(64), "x87",  "x87",  "Epsilon = ULP(1.0) = 2^-63."),
    MakeFormat(KIND_E5M2,        5,   2, false, kIeee,                       DefaultDisplay(3),  "e5m2", "e5m2", "Epsilon = ULP(1.0) = 2^-2."),
    MakeFormat(KIND_E4M3,        4,   3, false, SpecialValues::NaNOnlyAllOnes, DefaultDisplay(4), "e4m3", "e4m3", "Epsilon = ULP(1.0) = 2^-3."),
    MakeFormat(KIND_E3M2,        3,   2, false, SpecialValues::None,         DefaultDisplay(3),  "e3m2", "e3m2", "Epsilon = ULP(1.0) = 2^-2."),
    MakeFormat(KIND_E2M3,        2,   3, false, SpecialValues::None,         DefaultDisplay(4),  "e2m3", "e2m3", "Epsilon = ULP(1.0) = 2^-3."),
    MakeFormat(KIND_E2M1,        2,   1, false, SpecialValues::None,         DefaultDisplay(2),  "e2m1", "e2m1", "Epsilon = ULP(1.0) = 2^-1."),
}};
// clang-format on

// What every row must satisfy: the derived parameters agree with the
// independent ones, the fields tile the pattern, and the largest finite
// value sits where the special values say.
constexpr bool Consistent(const FormatInfo& f) {
    const int bias = (1 << (f.exponentBits - 1)) - 1;
    const uint128 fields = f.signBit() | f.exponentMask() | f.integerBit() | f.fractionMask();
    const bool disjoint = (f.signBit() & f.exponentMask()) == 0 && (f.exponentMask() & f.integerBit()) == 0 &&
                          (f.integerBit() & f.fractionMask()) == 0 && (f.exponentMask() & f.fractionMask()) == 0;
    const bool ieee = f.specials == SpecialValues::Ieee;
    return f.bits >= 4 && f.bits <= 128 && f.exponentBits >= 2 && f.exponentBits <= 15 && f.fractionBits >= 1 &&
           f.bits == 1 + f.exponentBits + f.fractionBits + (f.explicitLeadingBit ? 1 : 0) &&
           f.precision == f.fractionBits + 1 && f.bias == bias && f.emin == 1 - bias &&
           f.emax == (ieee ? bias : f.maxStored() - bias) && disjoint && fields == f.patternMask() &&
           StoredExponent(f, f.largestFinite()) - f.bias == f.emax && IsFinitePattern(f, f.largestFinite()) &&
           !IsFinitePattern(f, MagnitudeFromIndex(f, MagnitudeIndex(f, f.largestFinite()) + 1)) == f.hasNaN() &&
           (!f.explicitLeadingBit || f.specials == SpecialValues::Ieee) && f.sciDigits >= 2 && f.sigDigits >= 1;
}

constexpr bool AllConsistent() {
    for (const FormatInfo& f : kFormats)
        if (!Consistent(f)) return false;
    for (int e = kCustomMinExponentBits; e <= kCustomMaxExponentBits; ++e)
        for (int m = kCustomMinFractionBits; m <= kCustomMaxFractionBits; ++m)
            if (1 + e + m <= 128 &&
                !Consistent(MakeFormat(CustomKind(e, m), e, m, false, kIeee, DefaultDisplay(m + 1), "", "", "")))
                return false;
    return true;
}
static_assert(AllConsistent(), "a format row contradicts its own parameters");
static_assert(kFormats[5].bits == 80 && kFormats[5].hexDigits() == 20 && kFormats[5].precision == 64);

constexpr int kCustomExponentCount = kCustomMaxExponentBits - kCustomMinExponentBits + 1;
constexpr int kCustomFractionCount = kCustomMaxFractionBits - kCustomMinFractionBits + 1;

// Every custom width's row, built once; the names live beside the rows.
struct CustomTable {
    std::array<std::array<char, 16>, kCustomExponentCount * kCustomFractionCount> names{};
    std::array<FormatInfo, kCustomExponentCount * kCustomFractionCount> rows{};
    std::array<bool, kCustomExponentCount * kCustomFractionCount> valid{};

    CustomTable() {
        for (int e = kCustomMinExponentBits; e <= kCustomMaxExponentBits; ++e)
            for (int m = kCustomMinFractionBits; m <= kCustomMaxFractionBits; ++m) {
                const size_t k = Index(e, m);
                if (1 + e + m > 128) continue;  // wider than any pattern the program holds
                std::snprintf(names[k].data(), names[k].size(), "custom:%d,%d", e, m);
                rows[k] = MakeFormat(CustomKind(e, m), e, m, false, kIeee, DefaultDisplay(m + 1), names[k].data(),
                                     names[k].data(), "Epsilon = ULP(1.0).");
                valid[k] = true;
            }
    }
    static size_t Index(int e, int m) {
        return static_cast<size_t>((e - kCustomMinExponentBits) * kCustomFractionCount + (m - kCustomMinFractionBits));
    }
};

const CustomTable& Customs() {
    static const std::unique_ptr<CustomTable> table = std::make_unique<CustomTable>();
    return *table;
}

// A decimal number of one to three digits, the whole of `text`.
bool SmallNumber(std::string_view text, int& out) {
    if (text.empty() || text.size() > 3) return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

const FormatInfo* CustomFormat(int exponentBits, int fractionBits) {
    if (exponentBits < kCustomMinExponentBits || exponentBits > kCustomMaxExponentBits ||
        fractionBits < kCustomMinFractionBits || fractionBits > kCustomMaxFractionBits)
        return nullptr;
    const CustomTable& t = Customs();
    const size_t k = CustomTable::Index(exponentBits, fractionBits);
    return t.valid[k] ? &t.rows[k] : nullptr;
}

const FormatInfo* FormatFor(int formatKind) {
    for (const FormatInfo& f : kFormats)
        if (f.kind == formatKind) return &f;
    if (IsCustomKind(formatKind)) return CustomFormat((formatKind >> 8) & 0xFF, formatKind & 0xFF);
    return nullptr;
}

const FormatInfo* FormatByName(std::string_view name) {
    for (const FormatInfo& f : kFormats)
        if (name == f.name) return &f;
    constexpr std::string_view kCustom = "custom:";
    if (name.substr(0, kCustom.size()) != kCustom) return nullptr;
    name.remove_prefix(kCustom.size());
    const size_t comma = name.find(',');
    int e = 0, m = 0;
    if (comma == std::string_view::npos || !SmallNumber(name.substr(0, comma), e) ||
        !SmallNumber(name.substr(comma + 1), m))
        return nullptr;
    return CustomFormat(e, m);
}

std::span<const FormatInfo> AllFormats() { return kFormats; }

}  // namespace ieee
