// A stored pattern written as code: a C/C++ literal that gives exactly its
// bits, and the Python expressions that read it back.
#pragma once

#include <string>

#include "numeric/ieee/format_table.h"

namespace ieee {

// The exact value of a finite pattern as a C99 hexadecimal floating-point
// constant, normalised to a leading 1 (subnormals too), lower-case digits,
// trailing zero digits dropped, exponent always signed: "0x1.99999ap-4",
// "-0x1p-149", "0x0p+0", "-0x0p+0". Empty for an infinity or a NaN. Worked
// out from the pattern's integer form, so every format of the table gets it.
std::string CHexFloat(const FormatInfo& f, uint128 bits);

// The C/C++ literal of the pattern. A finite value of a format that C has a
// literal type for is its hex-float constant with the type's suffix
// ("0x1.99999ap-4f" binary32, "0x1.999999999999ap-4" binary64,
// "0x1.999999999999999999999999999ap-4Q" __float128, "...L" for the x87
// 80-bit long double); anything else is the pattern as an unsigned integer
// with a comment naming the format and the value ("0x2E66 /* binary16 0.1 */",
// "0x7FC00000 /* binary32 NaN */").
std::string CLiteral(const FormatInfo& f, uint128 bits);

// The Python expression that unpacks the pattern's little-endian bytes with
// the struct module ("struct.unpack('<f', bytes.fromhex('cdcccc3d'))[0]"),
// for binary16 ('e'), binary32 ('f') and binary64 ('d'); empty otherwise.
std::string PythonStruct(const FormatInfo& f, uint128 bits);

// "float.fromhex('0x1.99999ap-4')" for a finite value that a Python float
// (binary64) holds exactly; empty otherwise.
std::string PythonFromHex(const FormatInfo& f, uint128 bits);

}  // namespace ieee
