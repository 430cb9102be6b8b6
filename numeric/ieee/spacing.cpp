// ULP, nextUp/nextDown and the representation exponent, computed on the bit
// patterns with exact integer arithmetic (no rounding mode or signalling NaN
// can interfere), for every format of the format table.
#include "numeric/ieee/spacing.h"

#include <cstdint>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/format_table.h"

namespace ieee {

namespace {

// 2^k rounded to the format (nearest, ties to even): normal, subnormal, or 0
// once k is at or below half the smallest subnormal. Only called with k at
// most emax (a ULP is below its value).
uint128 PowerOfTwo(const FormatInfo& f, int k) {
    if (k > f.emax) return f.hasInfinity() ? f.infinity() : f.largestFinite();
    if (k >= f.emin) return MagnitudeFromIndex(f, static_cast<uint128>(k + f.bias) << f.fractionBits);
    if (k >= f.emin - f.fractionBits) return uint128(1) << (k - (f.emin - f.fractionBits));
    return 0;
}

}  // namespace

uint128 UlpPattern(const FormatInfo& f, uint128 bits) {
    const uint128 b = bits & f.patternMask();
    if (IsNaNPattern(f, b)) return QuietNaNOf(f, b);
    if (IsInfinityPattern(f, b)) return f.infinity();
    const uint128 mag = Magnitude(f, CanonicalPattern(f, b));
    if (mag == 0) return PowerOfTwo(f, -f.precision);  // exponent(0) = 0
    const int stored = StoredExponent(f, mag);
    if (stored == 0) return 0;  // 2^(exponent - p) is at most half the smallest subnormal
    // x = m * 2^e with 0.5 <= m < 1 has e = (stored - bias) + 1.
    return PowerOfTwo(f, stored - f.bias + 1 - f.precision);
}

// Steps through the canonical magnitudes in value order (MagnitudeIndex).
uint128 NextUpPattern(const FormatInfo& f, uint128 bits) {
    const uint128 raw = bits & f.patternMask();
    if (IsNaNPattern(f, raw)) return QuietNaNOf(f, raw);
    const uint128 b = CanonicalPattern(f, raw);
    const uint128 mag = Magnitude(f, b);
    if (mag == 0) return MagnitudeFromIndex(f, 1);
    const uint128 sign = b & f.signBit();
    const uint128 index = MagnitudeIndex(f, mag);
    if (sign == 0) {
        // +infinity stays; without infinities nothing lies above the largest
        // finite value, which stays too.
        if (mag == f.infinity() && f.hasInfinity()) return b;
        if (mag == f.largestFinite() && !f.hasInfinity()) return b;
        return MagnitudeFromIndex(f, index + 1);  // the largest finite value reaches +infinity
    }
    // Negative values step towards zero: -smallest subnormal reaches -0,
    // -infinity reaches -largest finite.
    return sign | MagnitudeFromIndex(f, index - 1);
}

uint128 NextDownPattern(const FormatInfo& f, uint128 bits) {
    const uint128 b = bits & f.patternMask();
    if (IsNaNPattern(f, b)) return QuietNaNOf(f, b);
    // nextDown(x) = -nextUp(-x), with the negations done on the sign bit.
    return NextUpPattern(f, b ^ f.signBit()) ^ f.signBit();
}

namespace {

const FormatInfo& F32() { return *FormatFor(KIND_BINARY32); }
const FormatInfo& F64() { return *FormatFor(KIND_BINARY64); }
const FormatInfo& F128() { return *FormatFor(KIND_BINARY128); }

}  // namespace

float ULP4(const float& x) { return FloatFromBits(static_cast<uint32_t>(UlpPattern(F32(), Bits(x)))); }
double ULP8(const double& x) { return DoubleFromBits(static_cast<uint64_t>(UlpPattern(F64(), Bits(x)))); }
__float128 ULP16(const __float128& x) { return QuadFromBits(UlpPattern(F128(), Bits(x))); }

float NEAR4(const float& x) { return FloatFromBits(static_cast<uint32_t>(NextUpPattern(F32(), Bits(x)))); }
float NEAR_4(const float& x) { return FloatFromBits(static_cast<uint32_t>(NextDownPattern(F32(), Bits(x)))); }
double NEAR8(const double& x) { return DoubleFromBits(static_cast<uint64_t>(NextUpPattern(F64(), Bits(x)))); }
double NEAR_8(const double& x) { return DoubleFromBits(static_cast<uint64_t>(NextDownPattern(F64(), Bits(x)))); }
__float128 NEAR16(const __float128& x) { return QuadFromBits(NextUpPattern(F128(), Bits(x))); }
__float128 NEAR_16(const __float128& x) { return QuadFromBits(NextDownPattern(F128(), Bits(x))); }

int RepresentationExponent(const FormatInfo& f, std::string_view exponentField, bool zeroOrSubnormal) {
    if (zeroOrSubnormal) return f.emin;
    const uint128 stored = UnsignedFromDigits(exponentField) & ((uint128(1) << f.exponentBits) - 1);
    return static_cast<int>(stored) - f.bias;
}

int RepresentationExponent(int formatKind, std::string_view exponentField, bool zeroOrSubnormal) {
    const FormatInfo* f = FormatFor(formatKind);
    return f == nullptr ? 0 : RepresentationExponent(*f, exponentField, zeroOrSubnormal);
}

}  // namespace ieee
