// An operand typed for an operation: what the main value field takes
// (decimal text, the infinity and NaN words), a hexadecimal word with 0x
// (the pattern itself, so signalling NaNs and payloads can be given), or a
// hexadecimal floating-point literal ("0x1.8p3", "-0X1P-149"). Numbers are
// rounded once to the format in the chosen direction, with the flags that
// rounding raises.
#pragma once

#include <string_view>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/rounding.h"

namespace ieee {

enum class OperandStatus {
    Value,    // bits and flags hold the operand
    Empty,    // nothing but blanks
    Invalid,  // not a value
};

struct OperandValue {
    OperandStatus status = OperandStatus::Empty;
    uint128 bits = 0;
    Flags flags;  // overflow, underflow and inexact of the rounding; none for a pattern or a word
};

// The text's forms, after leading blanks:
// - "0x" or "0X" and hexadecimal digits, no sign, no point, no 'p': the
//   pattern as ReadHexWord reads it (blanks and underscores ignored, at most
//   the format's digits, fewer are the low digits);
// - an optional sign, "0x" or "0X", hexadecimal digits with at most one point
//   (at least one digit), and 'p' or 'P' with an optionally signed decimal
//   exponent (which may be left out when there is a point) and after it an
//   optional f, L or Q suffix, which is ignored, then nothing but blanks:
//   that binary number, exactly, rounded once (hex_float_reader.h);
// - anything else: the main value field's grammar (decimal_reader.h), the
//   decimal number read exactly and rounded once. A magnitude beyond the
//   largest finite value gives what the direction gives on overflow (an
//   infinity or the largest finite value, with the overflow flag). A decimal
//   exponent beyond 10^12 in magnitude is read as the main field reads it:
//   a tiny number underflows, a huge one is not a value.
// Any length and any bytes are safe; the work is bounded by the text's length.
OperandValue ReadOperand(std::string_view text, const FormatInfo& f, Rounding rounding,
                         Tininess tininess = Tininess::AfterRounding);

}  // namespace ieee
