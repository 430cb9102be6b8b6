// The reasoning behind one rounding, worked out from the exact value: where
// the value sits in binary (1.b1b2... x 2^E), which bits the format keeps,
// the guard, round and sticky bits after them, what kind of tail the sticky
// bit stands for, the decision the direction takes, and the result with the
// flags it raises. Every quantity comes from the exact rational (or the
// exact radicand of a square root), never from printed digits.
#pragma once

#include <cstdint>
#include <string>

#include "numeric/ieee/exact_value.h"
#include "numeric/ieee/exact_rounding.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/rounding.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

struct RoundingSteps {
    enum class Tail {
        None,      // nothing after the round bit: the sticky bit is 0
        Finite,    // a finite run of bits after the round bit, not all 0
        Periodic,  // an infinite repeating tail (a fraction whose denominator is not a power of two)
        Endless,   // an infinite tail that never repeats (a square root that is not exact)
    };
    enum class Decision {
        Exact,      // guard, round and sticky all 0: nothing to round
        BelowHalf,  // guard 0: the rest is below half a unit of the last kept bit
        AboveHalf,  // guard 1 and something after it
        Tie,        // exactly half a unit: guard 1, round 0, sticky 0
    };

    bool finite = false;  // the exact value is a finite number (else only `result` holds)
    bool zero = false;    // it is exactly zero
    bool negative = false;
    int64_t exponent = 0;  // E with 2^E <= |x| < 2^(E+1), unbounded
    // The significant bits from the leading 1 on, as far as the guard bit's
    // place and one further bit (the round bit) reach: at most precision + 2
    // characters of '0' and '1', the leading bit first. When the cut lies
    // above the leading bit (a value far below the subnormal range) it is
    // empty.
    std::string bits;
    bool subnormal = false;    // E < emin: the last kept bit is worth the subnormal quantum 2^(emin - p + 1)
    int64_t quantumExp = 0;    // the exponent of the last kept bit's value: max(E, emin) - p + 1
    int64_t keptBits = 0;      // significant bits kept: p, or fewer below the normal range (0 or less: none)
    int guard = 0, round = 0;  // the two bits after the last kept one
    bool sticky = false;       // the OR of every bit after the round bit
    Tail tail = Tail::None;
    std::string stickyCount;  // Finite: how many bits the sticky bit covers (up to the last 1), decimal
    std::string period;       // Periodic: the tail's period in bits ("4", "4*5^99"); empty when not worked out
    Decision decision = Decision::Exact;
    bool awayFromZero = false;  // the kept bits are increased by one unit in magnitude
    bool carry = false;         // that increase carries into a new leading bit (the exponent grows by 1)
    bool beyondRange = false;   // the rounded value lies beyond the largest finite value: overflow
    Rounded result;             // the pattern and the flags of the rounding (invalid and divideByZero never)
    uint128 truncated = 0;      // the pattern of the kept bits (the candidate toward zero), unless beyondRange
};

// The steps of rounding `x` to format `f` in `rounding`. A NotFinite value
// gives finite false and its pattern as the result. The work is bounded by
// the size of x's integers and the format's precision, whatever the
// exponent: far outside the format's range the bits are not shifted by the
// distance.
RoundingSteps ExplainRounding(const FormatInfo& f, const ExactValue& x, Rounding rounding, Tininess tininess);

// The exact value of a typed decimal: digits * 10^exponent. False (x
// untouched) when the decimal exponent is so far out of every format's
// range that the rational would be unreasonably large (beyond 10^(+-100000)
// around the digits); the caller then says the number is out of range.
bool ExactOfTyped(const TypedDecimal& typed, ExactValue& x);

// The decimal text of the exact value: every digit when it is a finite
// decimal with at most `maxDigits` significant digits (complete true), else
// its first `maxDigits` significant digits, truncated (complete false).
// Plain positional form while the magnitude is at least 1E-20 and below
// 1E40, else "d.ddd" with 'E' and a signed exponent. `totalDigits` gives the
// number of significant digits of a finite decimal (0 for an endless one).
std::string ExactValueText(const ExactValue& x, int maxDigits, bool& complete, std::string* totalDigits = nullptr);

}  // namespace ieee
