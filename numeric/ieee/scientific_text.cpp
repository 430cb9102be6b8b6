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

#include <mpfr.h>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/exact_binary.h"
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

// "d.ddd...e<sign><digits>" of significand * 2^exponent (below 2^128),
// rounded once to 1 + digitsAfterPoint significant digits by MPFR (nearest,
// ties to even) from the exact value: the path of every format that has no
// native type.
std::string GenericDigits(uint128 significand, int64_t exponent, int digitsAfterPoint) {
    if (significand == 0) return "0." + std::string(static_cast<size_t>(digitsAfterPoint), '0') + "e+00";
    detail::Mpz z;
    detail::SetU128(z.get(), significand);
    mpfr_t x;
    mpfr_init2(x, 128);
    mpfr_set_z_2exp(x, z.get(), static_cast<mpfr_exp_t>(exponent), MPFR_RNDN);  // exact: 128 bits hold it
    mpfr_exp_t e = 0;
    char* digits = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(digitsAfterPoint) + 1, x, MPFR_RNDN);
    mpfr_clear(x);
    std::string out;
    out += digits[0];
    out += '.';
    out += digits + 1;
    mpfr_free_str(digits);
    const long decimal = static_cast<long>(e) - 1;  // 0.d1d2... * 10^e = d1.d2... * 10^(e-1)
    out += decimal < 0 ? "e-" : "e+";
    out += std::to_string(decimal < 0 ? -decimal : decimal);
    return out;
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
    const detail::BinaryValue v = detail::Decompose(f, mag);
    const char* prefix = Prefix(negative && v.significand != 0, plusSign);
    if (FloatHoldsFormat(f)) {
        char buf[64];
        return Assemble(CharconvDigits(buf, FloatValue(f, mag), f.sciDigits - 1), prefix, f.sciLetter, f.sciExpDigits);
    }
    return Assemble(GenericDigits(v.significand, v.exponent, f.sciDigits - 1), prefix, f.sciLetter, f.sciExpDigits);
}

std::string SignificandText(int formatKind, std::string_view fraction, bool hiddenOne) {
    const FormatInfo* f = FormatFor(formatKind);
    return f == nullptr ? std::string() : SignificandText(*f, fraction, hiddenOne);
}

std::string SignificandText(const FormatInfo& f, std::string_view fraction, bool hiddenOne) {
    char buf[64];
    if (f.kind == KIND_BINARY128) {
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
    const uint128 field = UnsignedFromDigits(fraction) & f.fractionMask();
    if (f.kind == KIND_BINARY64) {
        // F < 2^52 and the scaling by a power of two are exact in binary64, and so is 1 + f.
        const double frac = std::ldexp(static_cast<double>(static_cast<uint64_t>(field)), -52);
        return Assemble(CharconvDigits(buf, hiddenOne ? 1.0 + frac : frac, f.sigDigits), "", 'E', 2);
    }
    if (f.precision <= 24) {
        // At most 24 significant bits: exact in binary32.
        const float frac = std::ldexp(static_cast<float>(static_cast<uint32_t>(field)), -f.fractionBits);
        return Assemble(CharconvDigits(buf, hiddenOne ? 1.0f + frac : frac, f.sigDigits), "", 'E', 2);
    }
    const uint128 significand = field | (hiddenOne ? uint128(1) << f.fractionBits : 0);
    return Assemble(GenericDigits(significand, -f.fractionBits, f.sigDigits), "", 'E', 2);
}

}  // namespace ieee
