// The free-form number reader: decimal text straight to a binary format,
// correctly rounded (nearest, ties to even), never by rounding twice.
//
// Accepted form: leading blanks; optional '+'/'-'; digits with at most one
// point (at least one digit); optional exponent: E, D or Q (either case) with
// an optionally signed integer, or a bare sign and integer ("1.5+3"). The
// number ends at the first blank, comma or slash; the rest is not examined.
// Instead of digits, after an optional sign: Inf, Infinity or NaN in any case.
// A comma or slash before any number: no value. Magnitudes below the smallest
// subnormal round correctly to zero or the smallest subnormal, keeping the
// sign. A magnitude that rounds beyond the largest finite value is Invalid.
// A NaN read gets the quiet pattern with an all-ones fraction and the typed
// sign. A format without infinities refuses Inf as Invalid; E4M3-like
// formats read NaN as their one NaN of the typed sign, formats without NaNs
// refuse it as Invalid.
// A blank is a space or a tab. Any length and any byte value are safe; an
// embedded NUL byte is an ordinary character (not a terminator). Exponents of
// any size are accepted (they saturate far beyond every format's range), and
// a zero significand gives a zero of the typed sign whatever its exponent.
// The result does not depend on the C locale.
//
// The reader of a format of the table (the last one below) also takes a C99
// hexadecimal floating-point literal (hex_float_reader.h: "0x1.99999ap-4",
// "-0X1P-149", "0x.8p1", an f, L or Q suffix ignored), ended as a number is:
// its exact value rounded once, to nearest with ties to even, subnormals at
// their own place; one that rounds beyond the largest finite value is
// Invalid. A literal cut short ("0x1", "0x1.8p", being typed) is NoValue.
#pragma once

#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

enum class ReadStatus {
    Value,    // x holds the result
    NoValue,  // comma or slash before any number: x unchanged
    Invalid,  // not a number, or overflow: x unchanged
};

ReadStatus ReadFreeForm(std::string_view text, float& x);
ReadStatus ReadFreeForm(std::string_view text, double& x);
ReadStatus ReadFreeForm(std::string_view text, __float128& x);
// The same for a pattern of any format of the table (the low f.bits bits of
// `bits`). Every format but binary32, binary64 and binary128 is read by MPFR
// at its own precision and exponent range, subnormals included, straight from
// the decimal digits; the result is always a canonical encoding (x87: the
// integer bit set exactly for a non-zero exponent field).
ReadStatus ReadFreeForm(const FormatInfo& f, std::string_view text, uint128& bits);

}  // namespace ieee
