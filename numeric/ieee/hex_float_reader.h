// The one scanner of C99 hexadecimal floating-point literals, shared by every
// place a value is typed: "0x1.99999ap-4", "-0X1P-149", "0x.8p1", "0x1p+0f".
// It only scans; each reader decides what may follow the literal and rounds
// the exact value once.
#pragma once

#include <gmp.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ieee {

struct HexFloatLiteral {
    bool hex = false;       // the text has an optional sign and "0x" or "0X" at `start`
    bool complete = false;  // a whole literal: at least one digit, and a point or a binary exponent
    bool negative = false;
    std::string digits;    // the significand's hexadecimal digits, point left out, leading zeros dropped
    int64_t exponent = 0;  // value = digits (as an integer) * 2^exponent; saturated far beyond every format
    size_t end = 0;        // the first character the scan did not take
};

// Scans text[start..]: an optional sign, "0x" or "0X", hexadecimal digits
// with at most one point, then 'p' or 'P' and an optionally signed decimal
// exponent, which may be left out when there is a point, then after an
// exponent one optional suffix letter f, F, l, L, q or Q (C's float, long
// double and __float128 suffixes), which is ignored. The scan stops at the
// first character that does not fit; `end` tells where. A literal cut short
// ("0x1", "0x1.8p-") is hex but not complete. Linear in the text's length.
HexFloatLiteral ScanHexFloat(std::string_view text, size_t start);

// The literal's significand as an integer (0 for no significant digit).
void HexSignificand(const HexFloatLiteral& literal, mpz_ptr out);

}  // namespace ieee
