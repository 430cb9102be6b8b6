// One rounding of an exact value to a format of the table, in any of the five
// directions, with the format's precision, exponent range and subnormals, and
// the flags the rounding raises. Values are held as integers: a magnitude
// is significand * 2^exponent, optionally followed by a sticky part strictly
// between 0 and 2^exponent (a quotient or a square root cut off after enough
// bits), which is all a correct rounding needs to know of the rest.
#pragma once

#include <gmp.h>

#include <cstdint>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/rounding.h"

namespace ieee {

struct Rounded {
    uint128 bits = 0;  // the pattern
    Flags flags;       // overflow, underflow, inexact (never invalid or divideByZero)
};

// Rounds (-1)^negative * (significand * 2^exponent + sticky) once, where
// `sticky` stands for a part strictly between 0 and 2^exponent. The
// significand must not be zero unless sticky is false; a zero significand
// without sticky gives a zero of the given sign. Overflow (a result beyond
// the largest finite value) gives the largest finite value when the direction
// rounds towards zero, else an infinity; a format without infinities gives
// its NaN instead, and a format without NaNs the largest finite value.
// OnOverflow::Saturate always gives the largest finite value. Underflow is
// raised for a tiny result that is inexact. Any exponent is safe: values far outside the
// format's range are decided without shifting by the distance.
Rounded RoundExact(const FormatInfo& f, bool negative, mpz_srcptr significand, int64_t exponent, bool sticky,
                   Rounding rounding, Tininess tininess, OnOverflow onOverflow = OnOverflow::Standard);

// The quotient a / b of two positive integers times 2^exponent, rounded once
// (b non-zero).
Rounded RoundQuotient(const FormatInfo& f, bool negative, mpz_srcptr a, mpz_srcptr b, int64_t exponent,
                      Rounding rounding, Tininess tininess, OnOverflow onOverflow = OnOverflow::Standard);

// True when a magnitude truncated to `kept` with the discarded part
// described by `half` (its first bit) and `rest` (anything below it) is
// rounded up in magnitude by the direction; `odd` is the truncated value's
// last bit.
bool RoundsUp(Rounding rounding, bool negative, bool odd, bool half, bool rest);

}  // namespace ieee
