// The operations against MPFR: each exact result is computed by MPFR at a
// precision wide enough to hold it (or, for quotients and roots, truncated
// with its ternary value as the sticky part), then rounded to the format by
// MPFR at the precision the binade leaves, with the format's exponent range,
// the five directions and both tininess rules decided here from the values.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mpfr_oracle.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/operations.h"

namespace {

using ieee::Operation;
using ieee::Rounding;
using ieee::Tininess;
using ieee::uint128;
using oracle::Fmt;
using oracle::Num;

const Fmt& FmtOf(const ieee::FormatInfo& f) {
    static const Fmt* all[] = {&oracle::kF32, &oracle::kF64, &oracle::kF128, &oracle::kF16, &oracle::kBF16};
    for (const Fmt* o : all)
        if (o->kind == f.kind) return *o;
    return oracle::kF32;
}

int Emax(const Fmt& f) { return f.bias; }
long Wide(const Fmt& f) { return 2L * (Emax(f) - f.emin()) + 4L * f.precision + 16; }  // holds any exact result
bool IsNaN(const Fmt& f, uint128 b) { return ((b & ~f.signBit()) > f.infinity()); }
bool IsSignaling(const Fmt& f, uint128 b) { return IsNaN(f, b) && !((b >> (f.fractionBits - 1)) & 1); }

struct Expected {
    uint128 bits = 0;
    uint8_t flags = 0;  // the Flags::Byte() layout
};
constexpr uint8_t kInexact = 1, kUnderflow = 2, kOverflow = 4, kDivByZero = 8, kInvalid = 16;

// x rounded at `prec` bits (prec >= 1) in the direction; ties away from zero
// are ties to nearest except on an exact midpoint.
void RoundAt(mpfr_ptr out, mpfr_srcptr x, long prec, Rounding r) {
    mpfr_set_prec(out, prec);
    const bool positive = mpfr_sgn(x) > 0;
    mpfr_rnd_t rnd = MPFR_RNDN;
    if (r == Rounding::TowardZero) rnd = MPFR_RNDZ;
    if (r == Rounding::TowardPositive) rnd = MPFR_RNDU;
    if (r == Rounding::TowardNegative) rnd = MPFR_RNDD;
    if (r == Rounding::TiesToAway && mpfr_min_prec(x) == prec + 1) rnd = positive ? MPFR_RNDU : MPFR_RNDD;
    mpfr_set(out, x, rnd);
}

// v truncated toward zero from the exact value, `sticky` when it was not
// exact; v non-zero or exact.
Expected RoundRef(const Fmt& f, mpfr_srcptr v, bool sticky, Rounding r, Tininess t) {
    Expected out;
    const bool negative = mpfr_signbit(v) != 0;
    const uint128 sign = negative ? f.signBit() : 0;
    if (mpfr_zero_p(v)) {
        out.bits = sign;
        return out;
    }
    Num x(mpfr_get_prec(v) + 2), res(2), s(8);
    mpfr_set(x, v, MPFR_RNDN);
    if (sticky) negative ? mpfr_nextbelow(x) : mpfr_nextabove(x);  // strictly inside the cut-off interval
    const long e = mpfr_get_exp(x) - 1;                            // x in [2^e, 2^(e+1))
    const long prec = f.precision - std::max(0L, static_cast<long>(f.emin()) - e);
    const bool up = (r == Rounding::TowardPositive && !negative) || (r == Rounding::TowardNegative && negative);
    if (prec >= 1) {
        RoundAt(res, x, prec, r);
    } else {
        // Below the smallest subnormal s: 0 or s.
        mpfr_set_ui_2exp(s, 1, f.emin() - f.fractionBits - 1, MPFR_RNDN);  // s / 2
        const int side = mpfr_cmpabs(x, s);
        bool toS = up || (r == Rounding::TiesToEven && side > 0) || (r == Rounding::TiesToAway && side >= 0);
        if (r == Rounding::TowardZero) toS = false;
        mpfr_set_ui_2exp(res, toS ? 1 : 0, f.emin() - f.fractionBits, MPFR_RNDN);
        mpfr_setsign(res, res, negative, MPFR_RNDN);
    }
    const bool inexact = sticky || mpfr_cmp(res, x) != 0;
    if (!mpfr_zero_p(res) && mpfr_get_exp(res) - 1 > Emax(f)) {
        const bool inf = r == Rounding::TiesToEven || r == Rounding::TiesToAway || up;
        out.bits = sign | (inf ? f.infinity() : f.infinity() - 1);
        out.flags = kOverflow | kInexact;
        return out;
    }
    bool tiny = e < f.emin();
    if (t == Tininess::AfterRounding && tiny) {
        Num full(2);
        RoundAt(full, x, f.precision, r);
        tiny = mpfr_get_exp(full) - 1 < f.emin();
    }
    out.bits = oracle::FromMpfr(f, res);
    out.flags = (inexact ? kInexact : 0) | (tiny && inexact ? kUnderflow : 0);
    return out;
}

uint128 QuietOf(const Fmt& from, const Fmt& to, uint128 b) {
    uint128 frac = b & from.fractionMask();
    frac = to.fractionBits >= from.fractionBits ? frac << (to.fractionBits - from.fractionBits)
                                                : frac >> (from.fractionBits - to.fractionBits);
    return ((b & from.signBit()) ? to.signBit() : 0) | to.infinity() | (uint128(1) << (to.fractionBits - 1)) | frac;
}

Expected Reference(Operation op, const ieee::FormatInfo& fi, const uint128* in, Rounding r, Tininess t,
                   const ieee::FormatInfo* target, ieee::Outcome& outcome) {
    const Fmt& f = FmtOf(fi);
    const Fmt& to = op == Operation::ConvertFormat ? FmtOf(*target) : f;
    const int n = ieee::OperandCount(op);
    Expected out;
    outcome = ieee::Outcome::None;
    bool anyNaN = false, anySignaling = false;
    for (int k = 0; k < n; ++k) {
        anyNaN = anyNaN || IsNaN(f, in[k]);
        anySignaling = anySignaling || IsSignaling(f, in[k]);
    }
    if (op == Operation::TotalOrder) {
        const bool na = (in[0] & f.signBit()) != 0, nb = (in[1] & f.signBit()) != 0;
        const uint128 ma = in[0] & ~f.signBit(), mb = in[1] & ~f.signBit();
        const bool le = na != nb ? na : (na ? ma >= mb : ma <= mb);
        outcome = le ? ieee::Outcome::True : ieee::Outcome::False;
        return out;
    }
    Num a(f.precision), b(f.precision), c(f.precision), res(Wide(f));
    Num* ops[] = {&a, &b, &c};
    for (int k = 0; k < n; ++k) {
        if (IsNaN(f, in[k])) continue;
        if (oracle::IsFinitePattern(f, in[k])) oracle::ToMpfr(f, in[k], *ops[k]);
        else mpfr_set_inf(*ops[k], (in[k] & f.signBit()) ? -1 : 1);
    }
    if (op == Operation::CompareQuiet || op == Operation::CompareSignaling) {
        if (anyNaN) {
            outcome = ieee::Outcome::Unordered;
            out.flags = (anySignaling || op == Operation::CompareSignaling) ? kInvalid : 0;
        } else {
            const int side = mpfr_cmp(a, b);
            outcome = side < 0 ? ieee::Outcome::Less : side > 0 ? ieee::Outcome::Greater : ieee::Outcome::Equal;
        }
        return out;
    }
    const bool zeroTimesInf = op == Operation::FusedMultiplyAdd &&
                              ((mpfr_zero_p(a) && mpfr_inf_p(b) && !IsNaN(f, in[1])) ||
                               (mpfr_inf_p(a) && !IsNaN(f, in[0]) && mpfr_zero_p(b) && !IsNaN(f, in[1])));
    if (anyNaN) {
        for (int k = 0; k < n; ++k)
            if (IsNaN(f, in[k])) {
                out.bits = QuietOf(f, to, in[k]);
                break;
            }
        out.flags = (anySignaling || zeroTimesInf) ? kInvalid : 0;
        return out;
    }
    auto run = [&](mpfr_rnd_t rnd) {
        mpfr_clear_flags();
        switch (op) {
        case Operation::Add: return mpfr_add(res, a, b, rnd);
        case Operation::Subtract: return mpfr_sub(res, a, b, rnd);
        case Operation::Multiply: return mpfr_mul(res, a, b, rnd);
        case Operation::Divide: return mpfr_div(res, a, b, rnd);
        case Operation::SquareRoot: return mpfr_sqrt(res, a, rnd);
        case Operation::FusedMultiplyAdd: return mpfr_fma(res, a, b, c, rnd);
        case Operation::Remainder: return mpfr_remainder(res, a, b, rnd);
        case Operation::RoundToIntegral: {
            if (r == Rounding::TiesToAway) return mpfr_round(res, a);
            const mpfr_rnd_t m = r == Rounding::TowardZero       ? MPFR_RNDZ
                                 : r == Rounding::TowardPositive ? MPFR_RNDU
                                 : r == Rounding::TowardNegative ? MPFR_RNDD
                                                                 : MPFR_RNDN;
            mpfr_rint(res, a, m);
            return 0;  // never inexact
        }
        default: return mpfr_set(res, a, rnd);
        }
    };
    int ternary = run(MPFR_RNDZ);
    if (mpfr_zero_p(res) && ternary == 0) run(r == Rounding::TowardNegative ? MPFR_RNDD : MPFR_RNDN);  // sign of zero
    if (mpfr_nan_p(res)) {
        out.bits = to.infinity() | ((uint128(1) << to.fractionBits) - 1);  // the default NaN
        out.flags = kInvalid;
        return out;
    }
    if (mpfr_inf_p(res)) {
        out.bits = (mpfr_signbit(res) ? to.signBit() : 0) | to.infinity();
        out.flags = mpfr_divby0_p() ? kDivByZero : 0;
        return out;
    }
    out = RoundRef(to, res, ternary != 0, r, t);
    if (op == Operation::RoundToIntegral) out.flags = 0;
    return out;
}

// Patterns that exercise the corners: zeros, infinities, NaNs with payloads,
// the ends of the subnormal and normal ranges, short significands (ties),
// and random patterns of every exponent.
uint128 Operand(const ieee::FormatInfo& fi, std::mt19937_64& rng) {
    const Fmt& f = FmtOf(fi);
    auto random = [&] { return ((uint128(rng()) << 64) | rng()) & f.mask(); };
    const uint128 sign = (rng() & 1) ? f.signBit() : 0;
    const uint128 one = uint128(f.bias) << f.fractionBits;
    const uint128 corners[] = {0,
                               1,
                               f.fractionMask(),
                               f.fractionMask() + 1,
                               f.infinity() - 1,
                               f.infinity(),
                               f.infinity() | 1,
                               f.infinity() | (uint128(1) << (f.fractionBits - 1)) | 5,
                               one,
                               one + 1,
                               one - 1,
                               one + (uint128(1) << f.fractionBits)};
    switch (rng() % 6) {
    case 0: return sign | corners[rng() % std::size(corners)];
    case 1: {  // a short significand: sums and products land on ties
        const int keep = 1 + static_cast<int>(rng() % 4);
        return (random() >> (f.fractionBits - keep)) << (f.fractionBits - keep) & f.mask();
    }
    case 2: {  // an exponent near either end of the range
        const uint128 stored = (rng() & 1) ? rng() % 4 : f.maxStored() - 1 - rng() % 4;
        return sign | (stored << f.fractionBits) | (random() & f.fractionMask());
    }
    case 3: {  // near one
        const uint128 stored = f.bias - 2 + rng() % 4;
        return sign | (stored << f.fractionBits) | (random() & f.fractionMask());
    }
    default: return random();
    }
}

constexpr Operation kOperations[] = {Operation::Add,          Operation::Subtract,         Operation::Multiply,
                                     Operation::Divide,       Operation::SquareRoot,       Operation::FusedMultiplyAdd,
                                     Operation::Remainder,    Operation::RoundToIntegral,  Operation::ConvertFormat,
                                     Operation::CompareQuiet, Operation::CompareSignaling, Operation::TotalOrder};

class OperationsSweep : public ::testing::TestWithParam<Operation> {};

// Every format, every direction, both tininess rules; pattern, flags and
// comparison outcome.
TEST_P(OperationsSweep, MatchesMpfr) {
    const Operation op = GetParam();
    std::mt19937_64 rng(1000 + static_cast<int>(op));
    const auto formats = ieee::AllFormats().first(5);  // the formats the oracle models; the others have their own sweep
    int cases = 0;
    for (const ieee::FormatInfo& f : formats) {
        const int count = f.kind == ieee::KIND_BINARY128 ? 500 : 1200;
        for (int i = 0; i < count; ++i) {
            uint128 in[3];
            for (uint128& v : in) v = Operand(f, rng);
            if (op == Operation::FusedMultiplyAdd && i % 3 == 0) {
                // c near -a*b: cancellation, exact zeros, tiny results.
                Num p(2 * f.precision + 2);
                if (oracle::IsFinitePattern(FmtOf(f), in[0]) && oracle::IsFinitePattern(FmtOf(f), in[1])) {
                    Num a(f.precision), b(f.precision), c(f.precision);
                    oracle::ToMpfr(FmtOf(f), in[0], a);
                    oracle::ToMpfr(FmtOf(f), in[1], b);
                    mpfr_mul(p, a, b, MPFR_RNDN);
                    mpfr_neg(p, p, MPFR_RNDN);
                    const Fmt& g = FmtOf(f);
                    const oracle::Range range(g);
                    const int t = mpfr_set(c, p, MPFR_RNDN);
                    mpfr_subnormalize(c, mpfr_check_range(c, t, MPFR_RNDN), MPFR_RNDN);
                    if (mpfr_number_p(c)) in[2] = oracle::FromMpfr(g, c);
                }
            }
            const ieee::FormatInfo* target = &formats[rng() % formats.size()];
            for (Tininess t : {Tininess::AfterRounding, Tininess::BeforeRounding}) {
                const auto rows = ieee::ComputeAllDirections(op, f, std::span<const uint128>(in, 3), t, target);
                for (size_t k = 0; k < rows.size(); ++k) {
                    ieee::Outcome outcome;
                    const Expected want = Reference(op, f, in, ieee::kAllRoundings[k], t, target, outcome);
                    const auto& got = rows[k];
                    ++cases;
                    if (got.bits != want.bits || got.flags.Byte() != want.flags || got.outcome != outcome) {
                        ADD_FAILURE() << f.name << " op " << static_cast<int>(op) << " dir " << k << " tin "
                                      << static_cast<int>(t) << " a=" << std::hex << static_cast<uint64_t>(in[0] >> 64)
                                      << ":" << static_cast<uint64_t>(in[0])
                                      << " b=" << static_cast<uint64_t>(in[1] >> 64) << ":"
                                      << static_cast<uint64_t>(in[1]) << " c=" << static_cast<uint64_t>(in[2] >> 64)
                                      << ":" << static_cast<uint64_t>(in[2]) << " got "
                                      << static_cast<uint64_t>(got.bits >> 64) << ":" << static_cast<uint64_t>(got.bits)
                                      << "/" << int(got.flags.Byte()) << " want "
                                      << static_cast<uint64_t>(want.bits >> 64) << ":"
                                      << static_cast<uint64_t>(want.bits) << "/" << int(want.flags) << std::dec;
                        return;
                    }
                }
            }
        }
    }
    RecordProperty("cases", cases);
    EXPECT_GT(cases, 40000);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, OperationsSweep, ::testing::ValuesIn(kOperations));

// The named cases of clause 7 and the worked examples, with the exact text
// where it is the point of the example.
TEST(Operations, SpecialCases) {
    using O = Operation;
    using R = Rounding;
    constexpr uint128 kQNaN32 = 0x7FC00000, kSNaN32 = 0x7F800005, kDefault32 = 0x7FFFFFFF;
    struct Row {
        O op;
        int kind;
        uint128 a, b, c;
        R r;
        uint128 bits;
        uint8_t flags;
        ieee::Outcome outcome;
        const char* exact;  // nullptr: not checked
    };
    const ieee::Outcome N = ieee::Outcome::None;
    const Row rows[] = {
        {O::Add, 8, 0x3FB999999999999A, 0x3FC999999999999A, 0, R::TiesToEven, 0x3FD3333333333334, kInexact, N,
         "0.3000000000000000166533453693773481063544750213623046875"},
        {O::Add, 8, 0x3FB999999999999A, 0x3FC999999999999A, 0, R::TowardZero, 0x3FD3333333333333, kInexact, N, nullptr},
        {O::Divide, 2, 0x3C00, 0x4200, 0, R::TiesToAway, 0x3555, kInexact, N, nullptr},
        {O::Divide, 2, 0x3C00, 0x4200, 0, R::TowardPositive, 0x3556, kInexact, N, nullptr},
        {O::FusedMultiplyAdd, 4, 0x3F800001, 0x3F800001, 0xBF800002, R::TiesToEven, 0x28800000, 0, N,
         "0.0000000000000142108547152020037174224853515625"},
        {O::Multiply, 4, 0x7F7FFFFF, 0x40000000, 0, R::TowardZero, 0x7F7FFFFF, kOverflow | kInexact, N, nullptr},
        {O::Multiply, 4, 0x7F7FFFFF, 0x40000000, 0, R::TiesToEven, 0x7F800000, kOverflow | kInexact, N, nullptr},
        {O::Multiply, 8, 0x0010000000000000, 0x3FE0000000000000, 0, R::TiesToEven, 0x0008000000000000, 0, N, nullptr},
        {O::Multiply, 8, 1, 0x3FE0000000000000, 0, R::TiesToEven, 0, kUnderflow | kInexact, N, nullptr},
        {O::Multiply, 8, 1, 0x3FE0000000000000, 0, R::TowardPositive, 1, kUnderflow | kInexact, N, nullptr},
        {O::Subtract, 4, 0x7F800000, 0x7F800000, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Multiply, 4, 0x80000000, 0x7F800000, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Divide, 4, 0, 0x80000000, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Divide, 4, 0xFF800000, 0x7F800000, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Divide, 4, 0xBF800000, 0, 0, R::TiesToEven, 0xFF800000, kDivByZero, N, nullptr},
        {O::SquareRoot, 4, 0xBF800000, 0, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::SquareRoot, 4, 0x80000000, 0, 0, R::TiesToEven, 0x80000000, 0, N, nullptr},
        {O::Remainder, 4, 0x3F800000, 0, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Remainder, 4, 0x7F800000, 0x3F800000, 0, R::TiesToEven, kDefault32, kInvalid, N, nullptr},
        {O::Remainder, 4, 0xC0A00000, 0x40400000, 0, R::TowardZero, 0x3F800000, 0, N, "1"},
        {O::FusedMultiplyAdd, 4, 0, 0x7F800000, kQNaN32 | 9, R::TiesToEven, kQNaN32 | 9, kInvalid, N, nullptr},
        {O::Add, 4, kSNaN32, 0x3F800000, 0, R::TiesToEven, kQNaN32 | 5, kInvalid, N, nullptr},
        {O::Add, 4, 0xFFC00007, kSNaN32, 0, R::TiesToEven, 0xFFC00007, kInvalid, N, nullptr},
        {O::Add, 4, 0x3F800000, 0xBF800000, 0, R::TowardNegative, 0x80000000, 0, N, "0"},
        {O::Add, 4, 0x3F800000, 0xBF800000, 0, R::TowardPositive, 0, 0, N, nullptr},
        {O::Add, 4, 0x80000000, 0x80000000, 0, R::TiesToEven, 0x80000000, 0, N, nullptr},
        {O::ConvertFormat, 8, 0x7FF8000000000001, 0, 0, R::TiesToEven, 0x7FC00000, 0, N, nullptr},
        {O::RoundToIntegral, 4, 0x40200000, 0, 0, R::TiesToAway, 0x40400000, 0, N, "3"},
        {O::RoundToIntegral, 4, 0xBE99999A, 0, 0, R::TiesToEven, 0x80000000, 0, N, nullptr},
        {O::CompareQuiet, 4, kQNaN32, 0, 0, R::TiesToEven, 0, 0, ieee::Outcome::Unordered, nullptr},
        {O::CompareSignaling, 4, kQNaN32, 0, 0, R::TiesToEven, 0, kInvalid, ieee::Outcome::Unordered, nullptr},
        {O::CompareQuiet, 4, 0x80000000, 0, 0, R::TiesToEven, 0, 0, ieee::Outcome::Equal, nullptr},
        {O::TotalOrder, 4, 0x80000000, 0, 0, R::TiesToEven, 0, 0, ieee::Outcome::True, nullptr},
        {O::TotalOrder, 4, 0, 0x80000000, 0, R::TiesToEven, 0, 0, ieee::Outcome::False, nullptr},
        {O::TotalOrder, 4, 0xFFC00000, kSNaN32 | 0x80000000, 0, R::TiesToEven, 0, 0, ieee::Outcome::True, nullptr},
    };
    for (const Row& row : rows) {
        const uint128 in[3] = {row.a, row.b, row.c};
        const ieee::FormatInfo* target = ieee::FormatFor(ieee::KIND_BINARY32);
        const auto got = ieee::Compute(row.op, *ieee::FormatFor(row.kind), in, row.r, Tininess::AfterRounding, target);
        SCOPED_TRACE(::testing::Message()
                     << "op " << static_cast<int>(row.op) << " a " << std::hex << static_cast<uint64_t>(row.a));
        EXPECT_EQ(static_cast<uint64_t>(got.bits), static_cast<uint64_t>(row.bits));
        EXPECT_EQ(got.flags.Byte(), row.flags);
        EXPECT_EQ(got.outcome, row.outcome);
        if (row.exact) {
            EXPECT_EQ(got.exact, row.exact);
        }
    }
}

// The texts beside the result: every digit where the value is a finite
// decimal, the first 40 (truncated, marked) where it is not.
TEST(Operations, ResultTexts) {
    struct Row {
        Operation op;
        int kind;
        uint128 a, b;
        const char *exact, *error, *ulps;
        bool complete;
    };
    const Row rows[] = {
        {Operation::Add, 8, 0x3FB999999999999A, 0x3FC999999999999A,
         "0.3000000000000000166533453693773481063544750213623046875",
         "-0.0000000000000000277555756156289135105907917022705078125", "-0.5", true},
        {Operation::Divide, 2, 0x3C00, 0x4200, "0.3333333333333333333333333333333333333333",
         "0.00008138020833333333333333333333333333333333", "0.3333333333333333333333333333333333333333", false},
        {Operation::SquareRoot, 16, uint128(0x4000000000000000) << 64, 0, "1.414213562373095048801688724209698078569",
         "9.4222425486218320656921167363941057738E-35", "0.4892308038556232650261538152352206844753", false},
        {Operation::Divide, 4, 0x3F800000, 0x40A00000, "0.2", "-0.00000000298023223876953125", "-0.2", true},
    };
    for (const Row& row : rows) {
        const uint128 in[2] = {row.a, row.b};
        const auto got =
            ieee::Compute(row.op, *ieee::FormatFor(row.kind), in, Rounding::TiesToEven, Tininess::AfterRounding);
        EXPECT_EQ(got.exact, row.exact);
        EXPECT_EQ(got.error, row.error);
        EXPECT_EQ(got.errorUlps, row.ulps);
        EXPECT_EQ(got.errorComplete, row.complete);
    }
}

// Operand texts: each form, the directions' effect, and text that is no value.
TEST(Operations, OperandTexts) {
    struct Row {
        const char* text;
        Rounding r;
        ieee::OperandStatus status;
        uint32_t bits;
        uint8_t flags;
    };
    using S = ieee::OperandStatus;
    const Row rows[] = {
        {"0.1", Rounding::TowardZero, S::Value, 0x3DCCCCCC, kInexact},
        {"0.1", Rounding::TiesToEven, S::Value, 0x3DCCCCCD, kInexact},
        {"0x1.8p3", Rounding::TiesToEven, S::Value, 0x41400000, 0},
        {" -0X1P-149", Rounding::TiesToEven, S::Value, 0x80000001, 0},
        {"0x1p-150", Rounding::TiesToEven, S::Value, 0, kUnderflow | kInexact},
        {"0x1p-150", Rounding::TiesToAway, S::Value, 1, kUnderflow | kInexact},
        {"0x7F80_0001", Rounding::TiesToEven, S::Value, 0x7F800001, 0},
        {"1e39", Rounding::TowardZero, S::Value, 0x7F7FFFFF, kOverflow | kInexact},
        {"-1e-99999999999999", Rounding::TowardNegative, S::Value, 0x80000001, kUnderflow | kInexact},
        {"-inf", Rounding::TiesToEven, S::Value, 0xFF800000, 0},
        {"  ", Rounding::TiesToEven, S::Empty, 0, 0},
        {"-0x5", Rounding::TiesToEven, S::Invalid, 0, 0},
        {"0x1.8p", Rounding::TiesToEven, S::Invalid, 0, 0},
        {"0x123456789", Rounding::TiesToEven, S::Invalid, 0, 0},
        {"1..5", Rounding::TiesToEven, S::Invalid, 0, 0},
    };
    const ieee::FormatInfo& f = *ieee::FormatFor(ieee::KIND_BINARY32);
    for (const Row& row : rows) {
        const auto got = ieee::ReadOperand(row.text, f, row.r);
        SCOPED_TRACE(row.text);
        EXPECT_EQ(got.status, row.status);
        if (row.status != S::Value) continue;
        EXPECT_EQ(static_cast<uint32_t>(got.bits), row.bits);
        EXPECT_EQ(got.flags.Byte(), row.flags);
    }
    // Any bytes, any length: an answer, quickly.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 2000; ++i) {
        std::string text(static_cast<size_t>(rng() % 40), '\0');
        for (char& ch : text) ch = "0x1.8p-+eE9 \t,/nNaIf\x80\xff\0"[rng() % 24];
        const auto got = ieee::ReadOperand(text, *ieee::FormatFor(ieee::KIND_BINARY128), Rounding::TowardZero);
        EXPECT_TRUE(got.status == S::Value || got.status == S::Empty || got.status == S::Invalid);
    }
}

}  // namespace
