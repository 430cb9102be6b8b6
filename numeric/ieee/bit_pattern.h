// Bit strings of stored values and values from bit strings, copied bit for bit
// (NaN payloads, signalling NaNs and the sign of zero survive).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

__extension__ typedef unsigned __int128 uint128;

// Whole bit string, most significant bit first, exactly 32 / 64 / 128 characters.
std::string BitString(float x);
std::string BitString(double x);
std::string BitString(__float128 x);
// The same for a pattern of any format of the table: exactly f.bits characters.
std::string BitString(const FormatInfo& f, uint128 bits);

// Reads `digits` as one binary number: every character other than '0' and '1'
// (blanks, anything else) is skipped, the remaining digits form the number
// (so a short text lands in the low-order bits); only the low-order 32 / 64 /
// 128 bits are kept. No digits: the pattern 0.
float Binary32FromDigits(std::string_view digits);
double Binary64FromDigits(std::string_view digits);
__float128 Binary128FromDigits(std::string_view digits);

// Unsigned integer from a field text by the same rule (low 128 bits kept).
uint128 UnsignedFromDigits(std::string_view digits);

// Raw patterns.
uint32_t Bits(float x);
uint64_t Bits(double x);
uint128 Bits(__float128 x);
float FloatFromBits(uint32_t bits);
double DoubleFromBits(uint64_t bits);
__float128 QuadFromBits(uint128 bits);

// The value of a pattern, exactly, as a binary32 value, for a format whose
// every value binary32 holds (FloatHoldsFormat: binary16, bfloat16, the 8-,
// 6- and 4-bit formats, narrow custom widths); infinities and NaNs included
// (a NaN keeps its sign and is quiet). Any other format gives a quiet NaN,
// never a rounded number.
bool FloatHoldsFormat(const FormatInfo& f);
float FloatValue(const FormatInfo& f, uint128 bits);

}  // namespace ieee
