// The five rounding directions of binary floating point, the two moments at
// which tininess may be detected, and the five exception flags an operation
// raises.
#pragma once

#include <cstdint>

namespace ieee {

enum class Rounding { TiesToEven, TiesToAway, TowardPositive, TowardNegative, TowardZero };

// Every direction, in the order the program lists them.
inline constexpr Rounding kAllRoundings[] = {Rounding::TiesToEven, Rounding::TiesToAway, Rounding::TowardPositive,
                                             Rounding::TowardNegative, Rounding::TowardZero};

// A non-zero result is tiny when its magnitude is below the smallest normal
// value: either once rounded to the format's precision with an unbounded
// exponent range (after rounding) or as the exact value (before rounding).
enum class Tininess { AfterRounding, BeforeRounding };

// What a result beyond the largest finite value becomes: what the direction
// gives (an infinity, or where the format has none its NaN, or where it has
// no NaN either the largest finite value), or always the largest finite
// value (the saturating mode of the 8-bit formats).
enum class OnOverflow { Standard, Saturate };

struct Flags {
    bool invalid = false;
    bool divideByZero = false;
    bool overflow = false;
    bool underflow = false;
    bool inexact = false;

    // The flags as one byte: bit 0 inexact, 1 underflow, 2 overflow,
    // 3 divideByZero, 4 invalid.
    uint8_t Byte() const {
        return static_cast<uint8_t>((inexact ? 1 : 0) | (underflow ? 2 : 0) | (overflow ? 4 : 0) |
                                    (divideByZero ? 8 : 0) | (invalid ? 16 : 0));
    }
};

}  // namespace ieee
