// ULP, nextUp/nextDown and the representation exponent, computed on the bit
// patterns with exact integer arithmetic (no rounding mode or signalling NaN
// can interfere).
#include "numeric/ieee/spacing.h"

#include <cstdint>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/format_table.h"

namespace ieee {

namespace {

template <typename T>
struct Pattern;
template <>
struct Pattern<float> {
    using U = uint32_t;
    static constexpr int kFractionBits = 23, kPrecision = 24, kBias = 127, kBits = 32;
    static U Of(float x) { return Bits(x); }
    static float From(U b) { return FloatFromBits(b); }
};
template <>
struct Pattern<double> {
    using U = uint64_t;
    static constexpr int kFractionBits = 52, kPrecision = 53, kBias = 1023, kBits = 64;
    static U Of(double x) { return Bits(x); }
    static double From(U b) { return DoubleFromBits(b); }
};
template <>
struct Pattern<__float128> {
    using U = uint128;
    static constexpr int kFractionBits = 112, kPrecision = 113, kBias = 16383, kBits = 128;
    static U Of(__float128 x) { return Bits(x); }
    static __float128 From(U b) { return QuadFromBits(b); }
};

template <typename T>
struct Masks {
    using P = Pattern<T>;
    using U = typename P::U;
    static constexpr U kSign = U(1) << (P::kBits - 1);
    static constexpr U kInfinity = ~kSign & ~((U(1) << P::kFractionBits) - 1);
    static constexpr U kQuiet = U(1) << (P::kFractionBits - 1);
    static constexpr int kEmin = 1 - P::kBias;
};

// 2^k rounded to the format (nearest, ties to even): normal, subnormal, or 0
// once k is at or below half the smallest subnormal.
template <typename T>
T PowerOfTwo(int k) {
    using P = Pattern<T>;
    using M = Masks<T>;
    using U = typename P::U;
    if (k > P::kBias) return P::From(M::kInfinity);
    if (k >= M::kEmin) return P::From(static_cast<U>(k + P::kBias) << P::kFractionBits);
    if (k >= M::kEmin - P::kFractionBits) return P::From(U(1) << (k - (M::kEmin - P::kFractionBits)));
    return P::From(U(0));
}

template <typename T>
T Ulp(T x) {
    using P = Pattern<T>;
    using M = Masks<T>;
    using U = typename P::U;
    const U mag = P::Of(x) & ~M::kSign;
    if (mag > M::kInfinity) return P::From(P::Of(x) | M::kQuiet);
    if (mag == M::kInfinity) return P::From(M::kInfinity);
    if (mag == 0) return PowerOfTwo<T>(-P::kPrecision);  // exponent(0) = 0
    const int stored = static_cast<int>(mag >> P::kFractionBits);
    if (stored == 0) return P::From(U(0));  // 2^(exponent - p) is at most half the smallest subnormal
    // x = m * 2^e with 0.5 <= m < 1 has e = (stored - bias) + 1.
    return PowerOfTwo<T>(stored - P::kBias + 1 - P::kPrecision);
}

template <typename T>
T NextUp(T x) {
    using P = Pattern<T>;
    using M = Masks<T>;
    using U = typename P::U;
    const U b = P::Of(x);
    const U mag = b & ~M::kSign;
    if (mag > M::kInfinity) return P::From(b | M::kQuiet);
    if (b == M::kInfinity) return x;
    if (mag == 0) return P::From(U(1));
    // Positive values step away from zero (the largest finite one reaches
    // +infinity), negative ones towards it (-smallest subnormal reaches -0,
    // -infinity reaches -largest finite).
    return P::From((b & M::kSign) ? b - 1 : b + 1);
}

template <typename T>
T NextDown(T x) {
    using P = Pattern<T>;
    using M = Masks<T>;
    const typename P::U b = P::Of(x);
    if ((b & ~M::kSign) > M::kInfinity) return P::From(b | M::kQuiet);
    // nextDown(x) = -nextUp(-x), with the negations done on the sign bit.
    return P::From(P::Of(NextUp(P::From(b ^ M::kSign))) ^ M::kSign);
}

}  // namespace

float ULP4(const float& x) { return Ulp(x); }
double ULP8(const double& x) { return Ulp(x); }
__float128 ULP16(const __float128& x) { return Ulp(x); }

float NEAR4(const float& x) { return NextUp(x); }
float NEAR_4(const float& x) { return NextDown(x); }
double NEAR8(const double& x) { return NextUp(x); }
double NEAR_8(const double& x) { return NextDown(x); }
__float128 NEAR16(const __float128& x) { return NextUp(x); }
__float128 NEAR_16(const __float128& x) { return NextDown(x); }

int RepresentationExponent(int formatKind, std::string_view exponentField, bool zeroOrSubnormal) {
    const FormatInfo* f = FormatFor(formatKind);
    if (f == nullptr) return 0;
    if (zeroOrSubnormal) return f->emin;
    const uint128 stored = UnsignedFromDigits(exponentField) & ((uint128(1) << f->exponentBits) - 1);
    return static_cast<int>(stored) - f->bias;
}

}  // namespace ieee
