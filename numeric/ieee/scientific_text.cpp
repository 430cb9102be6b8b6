// Scientific texts. The digits come from the correctly rounded converters
// (std::to_chars for binary32 and binary64, quadmath_snprintf for binary128,
// all rounding the exact binary value to nearest, ties to even); this file
// only rebuilds their output into the program's layout: exponent letter,
// minimum exponent digits, optional '+', and '.' whatever the C locale says.
#include "numeric/ieee/scientific_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

extern "C" {
#include <quadmath.h>
}

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/format_table.h"

namespace ieee {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rebuilds "d<point>ddd...e<sign><digits>" (the point may be any locale
// text) as [sign] d.ddd... letter sign exponent, with the exponent padded to
// minExpDigits.
std::string Assemble(std::string_view raw, const char* prefix, char letter, int minExpDigits) {
    char out[96];
    size_t k = 0;
    for (; *prefix != '\0'; ++prefix) out[k++] = *prefix;
    size_t i = 0;
    if (i < raw.size()) out[k++] = raw[i++];
    out[k++] = '.';
    while (i < raw.size() && !IsDigit(raw[i]) && raw[i] != 'e') ++i;  // decimal point
    while (i < raw.size() && IsDigit(raw[i]) && k < 60) out[k++] = raw[i++];
    out[k++] = letter;
    if (i < raw.size() && raw[i] == 'e') ++i;
    char expSign = '+';
    if (i < raw.size() && (raw[i] == '+' || raw[i] == '-')) expSign = raw[i++];
    out[k++] = expSign;
    const std::string_view expDigits = raw.substr(i, 8);
    for (int pad = minExpDigits - static_cast<int>(expDigits.size()); pad > 0; --pad) out[k++] = '0';
    for (char c : expDigits) out[k++] = c;
    return std::string(out, k);
}

template <typename T>
std::string_view CharconvDigits(char (&buf)[64], T magnitude, int digitsAfterPoint) {
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, digitsAfterPoint);
    return std::string_view(buf, static_cast<size_t>(r.ptr - buf));
}

std::string_view QuadDigits(char (&buf)[64], __float128 magnitude, int digitsAfterPoint) {
    const int n = quadmath_snprintf(buf, sizeof buf, "%.*Qe", digitsAfterPoint, magnitude);
    if (n < 0) return {};
    return std::string_view(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
}

const char* Prefix(bool negative, bool plusSign) { return negative ? "-" : (plusSign ? "+" : ""); }

}  // namespace

std::string ScientificText(float x, bool plusSign) {
    const uint32_t b = Bits(x);
    const uint32_t mag = b & 0x7FFFFFFFu;
    const bool negative = (b >> 31) != 0;
    if (mag > 0x7F800000u) return "NaN";
    if (mag == 0x7F800000u) return negative ? "-Infinity" : "Infinity";
    char buf[64];
    return Assemble(CharconvDigits(buf, FloatFromBits(mag), 7), Prefix(negative && mag != 0, plusSign), 'E', 2);
}

std::string ScientificText(double x, bool plusSign) {
    const uint64_t b = Bits(x);
    const uint64_t mag = b & 0x7FFFFFFFFFFFFFFFull;
    const bool negative = (b >> 63) != 0;
    if (mag > 0x7FF0000000000000ull) return "NaN";
    if (mag == 0x7FF0000000000000ull) return negative ? "-Infinity" : "Infinity";
    char buf[64];
    return Assemble(CharconvDigits(buf, DoubleFromBits(mag), 16), Prefix(negative && mag != 0, plusSign), 'D', 2);
}

std::string ScientificText(__float128 x, bool plusSign) {
    const uint128 b = Bits(x);
    const uint128 signBit = uint128(1) << 127;
    const uint128 infinity = uint128(0x7FFF) << 112;
    const uint128 mag = b & ~signBit;
    const bool negative = (b & signBit) != 0;
    if (mag > infinity) return "NaN";
    if (mag == infinity) return negative ? "-Infinity" : "Infinity";
    char buf[64];
    return Assemble(QuadDigits(buf, QuadFromBits(mag), 33), Prefix(negative && mag != 0, plusSign), 'D', 3);
}

std::string ScientificText(const FormatInfo& f, uint128 bits, bool plusSign) {
    switch (f.kind) {
    case KIND_BINARY32: return ScientificText(FloatFromBits(static_cast<uint32_t>(bits)), plusSign);
    case KIND_BINARY64: return ScientificText(DoubleFromBits(static_cast<uint64_t>(bits)), plusSign);
    case KIND_BINARY128: return ScientificText(QuadFromBits(bits), plusSign);
    default: break;
    }
    if (IsNaNPattern(f, bits)) return "NaN";
    const bool negative = IsNegative(f, bits);
    if (IsInfinityPattern(f, bits)) return negative ? "-Infinity" : "Infinity";
    const uint128 mag = Magnitude(f, bits);
    char buf[64];
    return Assemble(CharconvDigits(buf, SixteenBitValue(f, mag), f.sciDigits - 1),
                    Prefix(negative && mag != 0, plusSign), f.sciLetter, f.sciExpDigits);
}

std::string SignificandText(int formatKind, std::string_view fraction, bool hiddenOne) {
    const FormatInfo* f = FormatFor(formatKind);
    if (f == nullptr) return {};
    char buf[64];
    if (formatKind == KIND_BINARY128) {
        // High 48 bits scaled by 2^-48 plus low 64 bits scaled by 2^-112:
        // each product and the sum fit in 113 bits, so all steps are exact.
        const std::string_view highText = fraction.substr(0, 48);
        const std::string_view lowText = fraction.size() > 48 ? fraction.substr(48) : std::string_view{};
        const uint64_t highBits = static_cast<uint64_t>(UnsignedFromDigits(highText) & ((uint128(1) << 48) - 1));
        const uint64_t lowBits = static_cast<uint64_t>(UnsignedFromDigits(lowText));
        const __float128 high = ldexpq(static_cast<__float128>(highBits), -48);
        const __float128 low = ldexpq(static_cast<__float128>(lowBits), -112);
        const __float128 frac = high + low;
        return Assemble(QuadDigits(buf, hiddenOne ? 1 + frac : frac, 33), "", 'E', 2);
    }
    // Only the bits of the fraction field take part, so the value stays in [0, 1).
    const uint128 field = UnsignedFromDigits(fraction) & f->fractionMask();
    switch (formatKind) {
    case 4: {
        // F < 2^23 and the scaling by a power of two are exact in binary32,
        // and so is 1 + f.
        const float frac = std::ldexp(static_cast<float>(static_cast<uint32_t>(field)), -23);
        return Assemble(CharconvDigits(buf, hiddenOne ? 1.0f + frac : frac, 7), "", 'E', 2);
    }
    case 8: {
        const double frac = std::ldexp(static_cast<double>(static_cast<uint64_t>(field)), -52);
        return Assemble(CharconvDigits(buf, hiddenOne ? 1.0 + frac : frac, 15), "", 'E', 2);
    }
    default: {
        // binary16 and bfloat16: at most 11 significant bits, exact in binary32.
        const float frac = std::ldexp(static_cast<float>(static_cast<uint32_t>(field)), -f->fractionBits);
        return Assemble(CharconvDigits(buf, hiddenOne ? 1.0f + frac : frac, f->sigDigits), "", 'E', 2);
    }
    }
}

}  // namespace ieee
