// Spacing of representable numbers: ULP, neighbours, representation exponent.
#pragma once

#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

// On patterns of any format of the table (the low f.bits bits of a uint128):
// ULP, nextUp and nextDown as below. Non-canonical encodings of a finite
// value step from its canonical one. A format without infinities has no
// value above its largest finite one: nextUp gives that value back (and
// nextDown of its negative likewise), as nextUp of +infinity does.
uint128 UlpPattern(const FormatInfo& f, uint128 bits);
uint128 NextUpPattern(const FormatInfo& f, uint128 bits);
uint128 NextDownPattern(const FormatInfo& f, uint128 bits);

// ULP(x) = 2^(exponent(x) - p), exponent(x) as frexp gives it (0 for a zero),
// rounded once to the format: 2^-p for a zero, 0 for subnormals, the smallest
// subnormal for the smallest normal number. Infinity gives +infinity, NaN a NaN.
float ULP4(const float& x);
double ULP8(const double& x);
__float128 ULP16(const __float128& x);

// IEEE nextUp (NEARn) and nextDown (NEAR_n). A NaN gives a quiet NaN.
// All of these work on the bit patterns: a NaN argument comes back with its
// sign and payload and the quiet bit set.
float NEAR4(const float& x);
float NEAR_4(const float& x);
double NEAR8(const double& x);
double NEAR_8(const double& x);
__float128 NEAR16(const __float128& x);
__float128 NEAR_16(const __float128& x);

// Representation exponent E from the exponent field text (read as an unsigned
// binary number by UnsignedFromDigits's rule, the low-order bits of the
// format's exponent width kept): stored exponent - bias, or Emin when
// zeroOrSubnormal.
int RepresentationExponent(const FormatInfo& f, std::string_view exponentField, bool zeroOrSubnormal);
// The same by kind; 0 for an unknown kind.
int RepresentationExponent(int formatKind, std::string_view exponentField, bool zeroOrSubnormal);

}  // namespace ieee
