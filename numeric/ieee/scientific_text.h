// Decimal scientific texts of stored values, correctly rounded from the exact
// binary value.
#pragma once

#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

// The scientific form of the format: one digit, '.', 7 / 16 / 33 digits, the
// letter 'E' (binary32) or 'D' (binary64, binary128), exponent sign, at least
// 2 / 2 / 3 exponent digits (more when needed). A zero of either sign is all
// '0' digits with exponent +0 and no minus sign. Infinity: "Infinity" or
// "-Infinity"; NaN: "NaN" whatever its sign and payload. With plusSign a '+'
// precedes positive finite values and zeros; without it, nothing does.
// No surrounding blanks. Examples: "+1.0000000E-01", "1.1920929E-07",
// "+4.9406564584124654D-324", "1.925929944387235853055977942584927D-034".
std::string ScientificText(float x, bool plusSign);
std::string ScientificText(double x, bool plusSign);
std::string ScientificText(__float128 x, bool plusSign);
// The same for a pattern of any format of the table, with that format's
// digits, letter and exponent digits (binary16: "+6.1035E-05", bfloat16:
// "+9.184E-41").
std::string ScientificText(const FormatInfo& f, uint128 bits, bool plusSign);

// Significand display: the value of the significand field with or without the
// hidden 1, written with one digit before the point (0 only for a zero
// significand), the format's significand digits after it (7 / 15 / 33 for
// binary32 / binary64 / binary128, 4 for binary16, 3 for bfloat16), 'E',
// exponent sign and two exponent digits; no sign, no blanks. `fraction` is
// the fraction field text (23, 52, 112, 10 or 7 characters; for binary128
// the 48-character high part and the 64-character low part joined), read as
// an unsigned binary number by UnsignedFromDigits's rule and scaled exactly
// into [0, 1). The two binary128 parts are two numbers, f = H * 2^-48 +
// L * 2^-112, each read on its own, so a blank in the low part never moves
// the high bits. Only the low-order bits of the field's width are used, so
// the scaled fraction always lies in [0, 1). Examples: "1.5000000E+00",
// "5.000000000000000000000000000000000E-01". The texts do not depend on the
// C locale. Every format's fraction field (below an explicit leading bit)
// is read the same way, with its own significand digits.
std::string SignificandText(const FormatInfo& f, std::string_view fraction, bool hiddenOne);
// The same by kind; empty for an unknown kind.
std::string SignificandText(int formatKind, std::string_view fraction, bool hiddenOne);

}  // namespace ieee
