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
// significand), 7 / 15 / 33 digits after it, 'E', exponent sign and two
// exponent digits; no sign, no blanks. `fraction` is the fraction field text
// (23, 52 or 112 characters; for binary128 the high and low parts joined),
// read as an unsigned binary number by UnsignedFromDigits's rule and scaled
// exactly into [0, 1). Examples: "1.5000000E+00",
// "5.000000000000000000000000000000000E-01". Empty for any other kind.
// Only the low-order 23 / 52 / 112 bits of the number are used, so the scaled
// fraction always lies in [0, 1). The texts do not depend on the C locale.
std::string SignificandText(int formatKind, std::string_view fraction, bool hiddenOne);

}  // namespace ieee
