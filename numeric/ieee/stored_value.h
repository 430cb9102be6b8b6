// What a stored pattern really is: its exact decimal value, the exact error
// of a typed number against it, its hexadecimal word, its shortest
// round-trip text and its hexadecimal floating-point text. Every routine
// takes a pattern of any format of the format table (its low f.bits bits).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

// The exact value of a typed decimal number: (-1)^negative * digits * 10^exponent,
// `digits` a string of decimal digits without leading zeros ("0" for zero).
struct TypedDecimal {
    bool negative = false;
    std::string digits;
    int64_t exponent = 0;
};

// The number a text denotes under ReadFreeForm's grammar, exactly, when the
// text is a finite number (not a word, not rejected, not empty of a number).
bool ExactTypedNumber(std::string_view text, TypedDecimal& out);

// The exact decimal value of a finite pattern, every digit, no rounding:
// plain positional form ("0.100000001490116119384765625", "-2.5", "0",
// "-0", "340282346638528859811704183484516925440") while the value is 0 or
// at least 1E-20 in magnitude; below that, scientific form with all
// significant digits and the letter 'E' ("6.475...E-4966"). Empty for
// infinities and NaNs.
std::string ExactDecimalText(const FormatInfo& f, uint128 bits);

// typed - stored, for a typed number and the finite pattern it was stored as.
struct ConversionError {
    std::string exact;     // all digits, scientific: "-1.490116119384765625E-9"; "0" when exact
    std::string ulps;      // in units of the stored value's quantum, 3 significant digits at most: "-0.2"
    std::string relative;  // (typed - stored) / typed, 3 significant digits: "-1.49E-8"; "0" when exact
};
// Empty texts when the pattern is not finite.
ConversionError ConversionErrorOf(const FormatInfo& f, const TypedDecimal& typed, uint128 stored);

// The pattern as upper-case hexadecimal digits, all of them (leading zeros
// kept): "3DCCCCCD", "3FB999999999999A"; binary128 in groups of eight
// digits separated by one blank.
std::string HexWord(const FormatInfo& f, uint128 bits);

enum class HexStatus {
    Ok,             // bits holds the pattern
    Empty,          // no digit at all: bits unchanged
    BadCharacter,   // a character that is no hexadecimal digit: bits unchanged
    TooManyDigits,  // more digits than the format has: bits unchanged
};
// Reads a hexadecimal word: an optional 0x or 0X, digits of either case;
// blanks, tabs and underscores anywhere are ignored. Fewer digits than the
// format has are the low digits of the pattern. Leading zeros count as
// digits. Any length of text is safe and fast.
HexStatus ReadHexWord(const FormatInfo& f, std::string_view text, uint128& bits);

// The shortest decimal text that reads back (by ReadFreeForm) to the same
// pattern, the digits nearest to the value among the shortest ones, laid out
// as std::to_chars writes its shortest form (fixed or scientific, whichever
// is shorter): "0.1", "1.9999999999999998", "1e-45", "3.4028235e+38";
// "-0" for negative zero; "Infinity", "-Infinity", "NaN" for the others.
std::string ShortestText(const FormatInfo& f, uint128 bits);

// The C99 %a form: "0x1.99999ap-4", "-0x0p+0", "0x1p-149"; "inf", "-inf",
// "nan" for the others.
std::string HexFloatText(const FormatInfo& f, uint128 bits);

// NaN details: the quiet bit (first fraction bit) and the payload (the
// fraction without it).
struct NaNDetails {
    bool quiet = false;
    uint128 payload = 0;
};
NaNDetails NaNDetailsOf(const FormatInfo& f, uint128 bits);

}  // namespace ieee
