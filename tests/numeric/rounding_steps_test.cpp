// The steps of a rounding: a table of cases worked out by hand from the
// definition (binary expansion, guard, round and sticky bits, the tie rule),
// and a sweep that checks the explanation reaches the same bits and flags as
// the conversions and operations themselves, in every direction.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding_steps.h"
#include "numeric/ieee/stored_value.h"

namespace {

using ieee::Rounding;
using Decision = ieee::RoundingSteps::Decision;
using Tail = ieee::RoundingSteps::Tail;

ieee::RoundingSteps Explain(const ieee::FormatInfo& f, const char* text, Rounding r) {
    ieee::TypedDecimal typed;
    EXPECT_TRUE(ieee::ExactTypedNumber(text, typed)) << text;
    ieee::ExactValue x;
    EXPECT_TRUE(ieee::ExactOfTyped(typed, x)) << text;
    return ieee::ExplainRounding(f, x, r, ieee::Tininess::AfterRounding);
}

TEST(RoundingSteps, CasesWorkedOutByHand) {
    struct Case {
        int kind;
        const char* text;
        Rounding rounding;
        int64_t exponent;
        int64_t kept;
        int guard, round, sticky;
        Tail tail;
        const char* detail;  // the period, or the bits the sticky bit covers
        Decision decision;
        unsigned long long bits;
        int flags;  // bit 0 inexact, 1 underflow, 2 overflow
    };
    constexpr Rounding even = Rounding::TiesToEven;
    // clang-format off
    const Case cases[] = {
        // 0.1 = 1.1001 1001 ... x 2^-4: the 24th to 26th bits after the leading one are 1 1 (and 1s follow).
        {4, "0.1", even, -4, 24, 1, 1, 1, Tail::Periodic, "4", Decision::AboveHalf, 0x3DCCCCCD, 1},
        // 0.7 = 1.0110 0110 ... x 2^-1: guard 0, round 0, then 110 0110...: rounded down.
        {4, "0.7", even, -1, 24, 0, 0, 1, Tail::Periodic, "4", Decision::BelowHalf, 0x3F333333, 1},
        // 1 + 2^-24: guard 1 and nothing after it; the lower neighbour 1.0 is even.
        {4, "1.000000059604644775390625", even, 0, 24, 1, 0, 0, Tail::None, "", Decision::Tie, 0x3F800000, 1},
        // 1 + 3 * 2^-24: the lower neighbour 1 + 2^-23 is odd, so the tie goes up to 1 + 2^-22.
        {4, "1.000000178813934326171875", even, 0, 24, 1, 0, 0, Tail::None, "", Decision::Tie, 0x3F800002, 1},
        // The same tie as the first one, away from zero.
        {4, "1.000000059604644775390625", Rounding::TiesToAway, 0, 24, 1, 0, 0, Tail::None, "", Decision::Tie, 0x3F800001, 1},
        // 1.5 * 2^-149 = 1.1 x 2^-149: one significant bit left at the subnormal quantum 2^-149, a tie to even.
        {4, "2.101947696487225606385594374934874196920392912814773657635602425834686624028790902229957282543182373046875E-45",
         even, -149, 1, 1, 0, 0, Tail::None, "", Decision::Tie, 0x00000002, 3},
        // 1 + 2^-30 in binary16: 11 bits kept, guard and round 0, and the sticky bit covers
        // the 18 bits from 2^-13 down to the last 1 at 2^-30; toward +infinity it rounds up.
        {2, "1.000000000931322574615478515625", Rounding::TowardPositive, 0, 11, 0, 0, 1, Tail::Finite, "18", Decision::BelowHalf, 0x3C01, 1},
        // 65520 = 1.1111111111 1 x 2^15 in binary16: a tie whose rounding carries past emax.
        {2, "65520", even, 15, 11, 1, 0, 0, Tail::None, "", Decision::Tie, 0x7C00, 5},
        // 465 = 1.110 1 0 001 x 2^8 in E4M3 rounds up onto 1.111 x 2^8, the NaN's place: an overflow.
        {21, "465", even, 8, 4, 1, 0, 1, Tail::Finite, "3", Decision::AboveHalf, 0x7F, 5},
        // 0.375 = 1.1 x 2^-2 is exact.
        {8, "0.375", even, -2, 53, 0, 0, 0, Tail::None, "", Decision::Exact, 0x3FD8000000000000ull, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ieee::FormatInfo& f = *ieee::FormatFor(c.kind);
        const ieee::RoundingSteps s = Explain(f, c.text, c.rounding);
        SCOPED_TRACE(std::string(f.name) + " " + c.text);
        EXPECT_EQ(s.exponent, c.exponent);
        EXPECT_EQ(s.keptBits, c.kept);
        EXPECT_EQ(s.guard, c.guard);
        EXPECT_EQ(s.round, c.round);
        EXPECT_EQ(s.sticky, c.sticky != 0);
        EXPECT_EQ(s.tail, c.tail);
        EXPECT_EQ(c.tail == Tail::Periodic ? s.period : s.stickyCount, c.detail);
        EXPECT_EQ(s.decision, c.decision);
        EXPECT_EQ(static_cast<unsigned long long>(s.result.bits), c.bits);
        EXPECT_EQ(s.result.flags.Byte(), c.flags);
    }
}

// The explanation rounds by itself; it must land on the bits and flags of the
// reader and of every operation, and its decision must say which way they went.
TEST(RoundingSteps, AgreeWithTheReaderAndTheOperations) {
    std::mt19937_64 rng(20261209);
    const ieee::Operation ops[] = {ieee::Operation::Add,          ieee::Operation::Subtract,
                                   ieee::Operation::Multiply,     ieee::Operation::Divide,
                                   ieee::Operation::SquareRoot,   ieee::Operation::FusedMultiplyAdd,
                                   ieee::Operation::ConvertFormat};
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        SCOPED_TRACE(f.name);
        auto pattern = [&] {
            // Values of every size, small and large exponents and subnormals often.
            ieee::uint128 bits = (ieee::uint128(rng()) << 64 | rng()) & f.patternMask();
            if (rng() % 4 == 0) bits &= ~f.exponentMask() | (ieee::uint128(rng() % 3) << f.fractionBits);
            return bits;
        };
        for (int n = 0; n < 300; ++n) {
            // Decimal text of up to 30 digits at any decimal exponent the format reaches.
            std::string text =
                std::to_string(rng() % 1000000007) + std::to_string(rng() % 1000000000) + "e" +
                std::to_string(static_cast<int>(rng() % 700) - 350 - (f.bits == 128 ? 4000 : 0) * (n % 2));
            ieee::uint128 read = 0;
            if (ieee::ReadFreeForm(f, text, read) == ieee::ReadStatus::Value) {
                const ieee::RoundingSteps s = Explain(f, text.c_str(), Rounding::TiesToEven);
                EXPECT_EQ(s.result.bits, read) << text;
            }
            const ieee::Operation op = ops[n % std::size(ops)];
            const ieee::FormatInfo* target = &ieee::AllFormats()[rng() % ieee::AllFormats().size()];
            const ieee::uint128 in[3] = {pattern(), pattern(), pattern()};
            for (Rounding r : ieee::kAllRoundings) {
                const ieee::Result want = ieee::Compute(op, f, in, r, ieee::Tininess::AfterRounding, target);
                ieee::ExactValue x;
                ieee::ExactResultOf(op, f, in, r, x, target);
                const ieee::RoundingSteps s = ieee::ExplainRounding(*want.format, x, r, ieee::Tininess::AfterRounding);
                EXPECT_EQ(s.result.bits, want.bits) << static_cast<int>(op);
                if (!s.finite) continue;
                EXPECT_EQ(s.result.flags.Byte() & 7, want.flags.Byte() & 7) << static_cast<int>(op);
                if (!s.beyondRange && s.decision != Decision::Exact) {
                    EXPECT_EQ(s.awayFromZero, s.result.bits != s.truncated) << static_cast<int>(op);
                }
            }
        }
    }
}

}  // namespace
