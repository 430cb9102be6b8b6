// The binary formats the program knows, one row each: the single source of
// every format parameter. A format is chosen by its kind: the storage size in
// bytes for binary32, binary64 and binary128 (4, 8, 16), and an identifier
// of its own for each of the two 16-bit formats.
#pragma once

#include <span>
#include <string_view>

namespace ieee {

__extension__ typedef unsigned __int128 uint128;

constexpr int KIND_BINARY16 = 2;
constexpr int KIND_BFLOAT16 = 3;
constexpr int KIND_BINARY32 = 4;
constexpr int KIND_BINARY64 = 8;
constexpr int KIND_BINARY128 = 16;

struct FormatInfo {
    int kind;                 // 2, 3, 4, 8, 16
    int bits;                 // 16, 16, 32, 64, 128
    int exponentBits;         // 5, 8, 8, 11, 15
    int fractionBits;         // 10, 7, 23, 52, 112
    int precision;            // fractionBits + 1 (hidden bit included)
    int bias;                 // 2^(exponentBits - 1) - 1
    int emin;                 // 1 - bias
    int emax;                 // bias
    int sciDigits;            // significant digits of the scientific form: 5, 4, 8, 17, 34
    int sciWidth;             // field width of the scientific form: 12, 11, 15, 25, 42
    int sciExpDigits;         // minimum exponent digits: 2, 2, 2, 2, 3
    char sciLetter;           // 'E', 'E', 'E', 'D', 'D'
    int sigDigits;            // significand digits after the point: 4, 3, 7, 15, 33
    int sigWidth;             // significand field width: 10, 9, 14, 22, 41
    const char* name;         // "binary16", "bfloat16", "binary32", ...
    const char* classLabel;   // what "Real(...)" of the class name shows: "2", "bf16", "4", "8", "16"
    const char* epsilonText;  // the epsilon entry of the parameter list

    // Masks of the pattern, kept in the low `bits` bits of a uint128.
    constexpr uint128 signBit() const { return uint128(1) << (bits - 1); }
    constexpr uint128 fractionMask() const { return (uint128(1) << fractionBits) - 1; }
    constexpr uint128 exponentMask() const { return ((uint128(1) << exponentBits) - 1) << fractionBits; }
    constexpr uint128 patternMask() const { return bits == 128 ? ~uint128(0) : (uint128(1) << bits) - 1; }
    constexpr uint128 infinity() const { return exponentMask(); }
    constexpr uint128 quietBit() const { return uint128(1) << (fractionBits - 1); }
    constexpr int maxStored() const { return (1 << exponentBits) - 1; }  // the all-ones exponent
    constexpr int bytes() const { return bits / 8; }
    constexpr int hexDigits() const { return bits / 4; }
};

// nullptr for any kind the program does not know.
const FormatInfo* FormatFor(int formatKind);
// The format named `name` ("binary32", "bfloat16", ...), or nullptr.
const FormatInfo* FormatByName(std::string_view name);
// Every format, in the order the program lists them: binary32, binary64,
// binary128, binary16, bfloat16.
std::span<const FormatInfo> AllFormats();

// Parts of a pattern of format f.
constexpr bool IsNegative(const FormatInfo& f, uint128 bits) { return (bits & f.signBit()) != 0; }
constexpr uint128 Magnitude(const FormatInfo& f, uint128 bits) { return bits & f.patternMask() & ~f.signBit(); }
constexpr int StoredExponent(const FormatInfo& f, uint128 bits) {
    return static_cast<int>((bits & f.exponentMask()) >> f.fractionBits);
}
constexpr uint128 Fraction(const FormatInfo& f, uint128 bits) { return bits & f.fractionMask(); }
constexpr bool IsNaNPattern(const FormatInfo& f, uint128 bits) { return Magnitude(f, bits) > f.infinity(); }
constexpr bool IsInfinityPattern(const FormatInfo& f, uint128 bits) { return Magnitude(f, bits) == f.infinity(); }
constexpr bool IsFinitePattern(const FormatInfo& f, uint128 bits) { return Magnitude(f, bits) < f.infinity(); }

}  // namespace ieee
