// ULP, nextUp, nextDown, the representation exponent and the significand
// display compared with MPFR on random finite patterns (zeros, subnormals,
// the smallest normal, the largest finite values and powers of two included),
// together with the displayed texts of the results.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mpfr_oracle.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"

using ieee::uint128;
using oracle::Fmt;
using oracle::Hex;

namespace {

constexpr int kCases = 100000;

struct Ops4 {
    using T = float;
    static const Fmt& F() { return oracle::kF32; }
    static T From(uint128 b) { return ieee::FloatFromBits(static_cast<uint32_t>(b)); }
    static T Ulp(const T& x) { return ieee::ULP4(x); }
    static T Up(const T& x) { return ieee::NEAR4(x); }
    static T Down(const T& x) { return ieee::NEAR_4(x); }
};
struct Ops8 {
    using T = double;
    static const Fmt& F() { return oracle::kF64; }
    static T From(uint128 b) { return ieee::DoubleFromBits(static_cast<uint64_t>(b)); }
    static T Ulp(const T& x) { return ieee::ULP8(x); }
    static T Up(const T& x) { return ieee::NEAR8(x); }
    static T Down(const T& x) { return ieee::NEAR_8(x); }
};
struct Ops16 {
    using T = __float128;
    static const Fmt& F() { return oracle::kF128; }
    static T From(uint128 b) { return ieee::QuadFromBits(b); }
    static T Ulp(const T& x) { return ieee::ULP16(x); }
    static T Up(const T& x) { return ieee::NEAR16(x); }
    static T Down(const T& x) { return ieee::NEAR_16(x); }
};

// The displayed text (no '+') of a pattern, from MPFR.
std::string ExpectedText(const Fmt& f, uint128 b) {
    const uint128 mag = b & ~f.signBit();
    if (mag == f.infinity()) return (b & f.signBit()) ? "-Infinity" : "Infinity";
    oracle::Num x(f.precision);
    oracle::ToMpfr(f, b, x);
    return oracle::Scientific(x, f.sciDigits, f.letter, f.minExpDigits, false);
}

// The next pattern up (rnd = MPFR_RNDU) or down (MPFR_RNDD): x plus or minus
// a quantity far below any spacing, rounded in that direction to the format.
uint128 Neighbour(const Fmt& f, mpfr_ptr x, mpfr_rnd_t rnd) {
    oracle::Num tiny(2), sum(f.precision);
    mpfr_set_ui_2exp(tiny, 1, -40000, MPFR_RNDN);
    const int t = rnd == MPFR_RNDU ? mpfr_add(sum, x, tiny, rnd) : mpfr_sub(sum, x, tiny, rnd);
    return oracle::RoundToFormat(f, sum, t, rnd);
}

template <typename Ops>
void Sweep(uint64_t seed) {
    const Fmt& f = Ops::F();
    const int expBits = f.bits - 1 - f.fractionBits;
    const int sigDigits = f.bits == 64 ? 16 : f.sciDigits;  // 1 + 7 / 15 / 33 digits
    oracle::PatternSource src(f, seed);
    const std::vector<uint128> edges = oracle::EdgePatterns(f);
    int failures = 0, subnormals = 0, zeros = 0, powers = 0, overflows = 0;
    for (int i = 0; i < kCases && failures < 20; ++i) {
        const uint128 b = i < static_cast<int>(edges.size()) ? edges[static_cast<size_t>(i)] : src.Next();
        const typename Ops::T value = Ops::From(b);
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, b, x);
        const bool zero = mpfr_zero_p(x);
        const int stored = static_cast<int>((b & ~f.signBit()) >> f.fractionBits);
        const bool subnormal = !zero && stored == 0;
        zeros += zero;
        subnormals += subnormal;
        powers += !zero && (b & f.fractionMask()) == 0;

        // ULP: 2^(exponent(x) - p), rounded once to the format.
        const long e = zero ? 0 : static_cast<long>(mpfr_get_exp(x));
        oracle::Num u(2);
        mpfr_set_ui_2exp(u, 1, e - f.precision, MPFR_RNDN);
        const uint128 ulp = oracle::RoundToFormat(f, u, 0, MPFR_RNDN);
        const uint128 up = Neighbour(f, x, MPFR_RNDU);
        const uint128 down = Neighbour(f, x, MPFR_RNDD);
        overflows += (up & ~f.signBit()) == f.infinity() || (down & ~f.signBit()) == f.infinity();

        struct Check {
            const char* what;
            uint128 actual, expected;
        };
        const Check checks[] = {{"ULP", ieee::Bits(Ops::Ulp(value)), ulp},
                                {"X+", ieee::Bits(Ops::Up(value)), up},
                                {"X-", ieee::Bits(Ops::Down(value)), down}};
        for (const Check& c : checks) {
            const std::string actualText = ieee::ScientificText(Ops::From(c.actual), false);
            const std::string expectedText = ExpectedText(f, c.expected);
            if (c.actual != c.expected || actualText != expectedText) {
                ++failures;
                ADD_FAILURE() << c.what << " of " << Hex(b) << ": " << Hex(c.actual) << " " << actualText << ", MPFR "
                              << Hex(c.expected) << " " << expectedText;
            }
        }

        // Representation exponent and significand from the field texts.
        const std::string bits = ieee::BitString(value);
        const int E = (zero || subnormal) ? f.emin() : static_cast<int>(mpfr_get_exp(x)) - 1;
        const int actualE =
            ieee::RepresentationExponent(f.kind, bits.substr(1, static_cast<size_t>(expBits)), zero || subnormal);
        oracle::Num sig(f.precision);
        mpfr_abs(sig, x, MPFR_RNDN);
        mpfr_mul_2si(sig, sig, -E, MPFR_RNDN);  // exact: a power of two
        const std::string expectedSig = oracle::Scientific(sig, sigDigits, 'E', 2, false);
        const std::string actualSig =
            ieee::SignificandText(f.kind, bits.substr(static_cast<size_t>(1 + expBits)), !(zero || subnormal));
        if (actualE != E || actualSig != expectedSig) {
            ++failures;
            ADD_FAILURE() << "fields of " << Hex(b) << ": E " << actualE << " significand " << actualSig << ", MPFR E "
                          << E << " significand " << expectedSig;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(zeros, 10);
    EXPECT_GT(subnormals, kCases / 20);
    EXPECT_GT(powers, kCases / 20);
    EXPECT_GT(overflows, 10);
}

}  // namespace

TEST(SpacingDifferential, Binary32) { Sweep<Ops4>(0x3204); }
TEST(SpacingDifferential, Binary64) { Sweep<Ops8>(0x6404); }
TEST(SpacingDifferential, Binary128) { Sweep<Ops16>(0x12804); }
