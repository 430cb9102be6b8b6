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
// The same scanner as ReadFreeForm's decides; the number is not rounded to
// any format, so one that overflows a format is still returned. False, with
// `out` unchanged, for anything else, and for an exponent beyond 10^12 in
// magnitude, which the reader saturates (the number is then not held
// exactly). "-0.0" gives negative, "0", 0. A hexadecimal floating-point
// literal is a finite decimal too (m * 2^-k = m * 5^k * 10^-k): its exact
// digits are returned while its magnitude lies within 2^-40000 .. 2^20000 and
// its significand has at most 2^16 bits, false beyond. Linear in the text's
// length.
bool ExactTypedNumber(std::string_view text, TypedDecimal& out);

// The exact decimal value of a finite pattern, every digit, no rounding:
// plain positional form ("0.100000001490116119384765625", "-2.5", "0",
// "-0", "340282346638528859811704183484516925440") while the value is 0 or
// at least 1E-20 in magnitude; below that, scientific form with all
// significant digits and the letter 'E' ("6.475...E-4966"). Empty for
// infinities and NaNs.
std::string ExactDecimalText(const FormatInfo& f, uint128 bits);

// typed - stored, for a typed number and the finite pattern it was stored as.
// Scientific texts are d[.ddd]E<sign><exponent>, the exponent sign always
// written and no padding ("E-9", "E+283").
struct ConversionError {
    std::string exact;     // all digits, scientific: "-1.490116119384765625E-9"; "0" when exact
    std::string ulps;      // in units of the stored value's quantum 2^(max(E, emin) - p + 1), E the unbiased
                           // exponent (for a zero or subnormal: the smallest subnormal); 3 significant digits
                           // at most, trailing zeros dropped, positional from 0.001 to 999999, else
                           // scientific: "-0.2", "0.375", "-1.5E-7"; "0" when exact
    std::string relative;  // (typed - stored) / typed, exactly 3 significant digits, scientific: "-1.49E-8";
                           // "0" when exact; empty for a typed zero against a non-zero stored value
};
// All three rounded once, to nearest with ties to even, from the exact
// rationals. Empty texts when the pattern is not finite, when typed.digits
// is not a string of decimal digits or its exponent is beyond 10^15 in
// magnitude, and when the stored value is not zero while the typed number is
// a non-zero one beyond every format's range (leading digit at 10^5000 or
// more, or at 10^-5000 or less): no format stores the one as the other, and
// their exact difference would need that many digits. The work is bounded by
// the typed digits and the format, whatever the typed exponent: a stored zero
// makes the error the typed number itself.
ConversionError ConversionErrorOf(const FormatInfo& f, const TypedDecimal& typed, uint128 stored);

// The pattern as upper-case hexadecimal digits, all of them (leading zeros
// kept): "3DCCCCCD", "3FB999999999999A"; binary128 in groups of eight
// digits separated by one blank; a format with an explicit leading bit with a
// blank between sign and exponent and the significand ("3FFB
// CCCCCCCCCCCCCCCD"). A width that is no multiple of four has a first digit
// of fewer bits (6 bits: "3F" at most). Bits above the format's width are not
// shown.
std::string HexWord(const FormatInfo& f, uint128 bits);

enum class HexStatus {
    Ok,             // bits holds the pattern
    Empty,          // no digit at all: bits unchanged
    BadCharacter,   // a character that is no hexadecimal digit: bits unchanged
    TooManyDigits,  // more digits (or bits) than the format has: bits unchanged
};
// Reads a hexadecimal word: an optional 0x or 0X (after any leading blanks,
// tabs and underscores), digits of either case; blanks, tabs and underscores
// anywhere are ignored. Fewer digits than the format has are the low digits of the
// pattern. Leading zeros count as digits. Every other byte (control
// characters, bytes 0x80-0xFF of UTF-8 or Windows-1252 text) is a bad
// character, reported before too many digits. One pass: any length of text
// is safe and linear.
HexStatus ReadHexWord(const FormatInfo& f, std::string_view text, uint128& bits);

// The shortest decimal text that reads back (by ReadFreeForm) to the same
// pattern: the digits nearest to the value among the shortest ones; where two
// shortest candidates are equally near, the one whose last digit is even
// (2,048 binary16 and 256 bfloat16 patterns have such a tie, e.g. binary16
// 0x2000 = 0.0078125 gives "0.007812", not "0.007813"). Laid out as
// std::to_chars writes its shortest form: fixed or scientific, whichever has
// fewer characters, fixed when both have as many. The lengths are counted in
// characters, so a fixed form may be an integer with more digits than the
// shortest ones; it then shows the value's exact integer digits, which are as
// many as the shortest digits padded with zeros and nearer to the value.
// Examples: "0.1", "1.9999999999999998", "1e-45", "3.4028235e+38", binary64
// 2^57 "144115188075855872" (not "144115188075855870"), binary16 65504
// "65504" (not "65500"); "-0" for negative zero; "Infinity", "-Infinity",
// "NaN" for the others. A non-canonical encoding gives the text of its value,
// which reads back to the canonical encoding. Does not depend on the C locale.
std::string ShortestText(const FormatInfo& f, uint128 bits);

// The C99 %a form: "0x1.99999ap-4", "-0x0p+0", "0x1p-149"; "inf", "-inf",
// "nan" for the others. binary32, binary16, bfloat16 and every format whose
// values binary32 holds are written as %a writes them as binary64 values
// (subnormals normalised), binary64 subnormals with a leading 0
// ("0x0.0000000000001p-1022"), binary128 as %Qa does, every other format
// normalised with the leading digit 1 ("0x1.99999999999999ap-4"). The point
// is '.' whatever the C locale.
std::string HexFloatText(const FormatInfo& f, uint128 bits);

// NaN details: the quiet bit (first fraction bit) and the payload (the
// fraction without it; below an explicit leading bit). A format whose one
// NaN is the all-ones magnitude gives quiet and 0. A pattern that is no NaN
// gives false and 0.
struct NaNDetails {
    bool quiet = false;
    uint128 payload = 0;
};
NaNDetails NaNDetailsOf(const FormatInfo& f, uint128 bits);

}  // namespace ieee
