// The binary formats the program knows, one row each: the single source of
// every format parameter. A row states only what is independent (the sign,
// exponent and fraction widths, whether the significand's leading bit is
// stored, how infinities and NaNs are encoded, names and display texts);
// precision, bias, exponent range, width and masks are computed from it.
// A format is chosen by its kind: the storage size in bytes for binary32,
// binary64 and binary128 (4, 8, 16), an identifier of its own for every
// other row, and CustomKind(E, M) for the IEEE-like formats of any width.
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
constexpr int KIND_X87 = 10;
constexpr int KIND_E5M2 = 20;
constexpr int KIND_E4M3 = 21;
constexpr int KIND_E3M2 = 22;
constexpr int KIND_E2M3 = 23;
constexpr int KIND_E2M1 = 24;

// The widths a custom format may have.
constexpr int kCustomMinExponentBits = 2;
constexpr int kCustomMaxExponentBits = 15;
constexpr int kCustomMinFractionBits = 1;
constexpr int kCustomMaxFractionBits = 112;
// The kind of the custom format with E exponent and M fraction bits.
constexpr int CustomKind(int exponentBits, int fractionBits) { return 0x10000 | (exponentBits << 8) | fractionBits; }
constexpr bool IsCustomKind(int kind) { return (kind & ~0xFFFF) == 0x10000; }

// How a format encodes what is no finite number.
enum class SpecialValues {
    Ieee,            // infinities (fraction 0) and NaNs (fraction not 0) at the all-ones exponent
    NaNOnlyAllOnes,  // no infinities; the one NaN of each sign is the all-ones magnitude
    None,            // every pattern is a number
};

// The display choices of a row: digits and layout of its scientific and
// significand texts.
struct FormatDisplay {
    int sciDigits;     // significant digits of the scientific form
    int sciWidth;      // its field width
    int sciExpDigits;  // its minimum exponent digits
    char sciLetter;    // its exponent letter
    int sigDigits;     // significand digits after the point
    int sigWidth;      // significand field width
};

struct FormatInfo {
    int kind;
    int bits;          // the whole pattern (x87: 80)
    int exponentBits;  // 5, 8, 8, 11, 15, ...
    int fractionBits;  // the stored fraction below the leading bit (x87: 63, its integer bit apart)
    int precision;     // fractionBits + 1: significant bits, the leading one included
    int bias;          // 2^(exponentBits - 1) - 1
    int emin;          // 1 - bias
    int emax;          // the largest finite value's exponent
    int sciDigits;
    int sciWidth;
    int sciExpDigits;
    char sciLetter;
    int sigDigits;
    int sigWidth;
    const char* name;         // "binary16", "x87", "e4m3", "custom:4,3", ...
    const char* classLabel;   // what "Real(...)" of the class name shows: "2", "bf16", "4", "8", "16", ...
    const char* epsilonText;  // the epsilon entry of the parameter list
    bool explicitLeadingBit;  // the significand's leading bit is a field of its own (x87)
    SpecialValues specials;

    // Masks of the pattern, kept in the low `bits` bits of a uint128.
    constexpr uint128 signBit() const { return uint128(1) << (bits - 1); }
    constexpr uint128 fractionMask() const { return (uint128(1) << fractionBits) - 1; }
    // The explicit leading (integer) bit; 0 when the format has none.
    constexpr uint128 integerBit() const { return explicitLeadingBit ? uint128(1) << fractionBits : 0; }
    constexpr int exponentShift() const { return fractionBits + (explicitLeadingBit ? 1 : 0); }
    constexpr uint128 exponentMask() const { return ((uint128(1) << exponentBits) - 1) << exponentShift(); }
    constexpr uint128 patternMask() const { return bits == 128 ? ~uint128(0) : (uint128(1) << bits) - 1; }
    // The magnitude of +infinity; only formats with SpecialValues::Ieee have one.
    constexpr uint128 infinity() const { return exponentMask() | integerBit(); }
    constexpr uint128 quietBit() const { return uint128(1) << (fractionBits - 1); }
    constexpr int maxStored() const { return (1 << exponentBits) - 1; }  // the all-ones exponent
    constexpr int bytes() const { return (bits + 7) / 8; }
    constexpr int hexDigits() const { return (bits + 3) / 4; }
    constexpr bool hasInfinity() const { return specials == SpecialValues::Ieee; }
    constexpr bool hasNaN() const { return specials != SpecialValues::None; }
    // The magnitude of the largest finite value.
    constexpr uint128 largestFinite() const {
        const int stored = specials == SpecialValues::Ieee ? maxStored() - 1 : maxStored();
        const uint128 fraction = specials == SpecialValues::NaNOnlyAllOnes ? fractionMask() - 1 : fractionMask();
        return (uint128(stored) << exponentShift()) | integerBit() | fraction;
    }
};

// A row from its independent parameters; everything else is derived.
constexpr FormatInfo MakeFormat(int kind, int exponentBits, int fractionBits, bool explicitLeadingBit,
                                SpecialValues specials, const FormatDisplay& d, const char* name,
                                const char* classLabel, const char* epsilonText) {
    const int bias = (1 << (exponentBits - 1)) - 1;
    const int maxStored = (1 << exponentBits) - 1;
    return FormatInfo{kind,
                      1 + exponentBits + fractionBits + (explicitLeadingBit ? 1 : 0),
                      exponentBits,
                      fractionBits,
                      fractionBits + 1,
                      bias,
                      1 - bias,
                      (specials == SpecialValues::Ieee ? maxStored - 1 : maxStored) - bias,
                      d.sciDigits,
                      d.sciWidth,
                      d.sciExpDigits,
                      d.sciLetter,
                      d.sigDigits,
                      d.sigWidth,
                      name,
                      classLabel,
                      epsilonText,
                      explicitLeadingBit,
                      specials};
}

// The display of a row that has no choices of its own: as many significant
// digits as tell every value apart (1 + ceil(p log10 2)), 'E', two exponent
// digits at least.
constexpr FormatDisplay DefaultDisplay(int precision) {
    const int digits = 1 + (precision * 30103 + 99999) / 100000;
    return FormatDisplay{digits, digits + 7, 2, 'E', digits - 1, digits + 6};
}

// nullptr for any kind the program does not know.
const FormatInfo* FormatFor(int formatKind);
// The format named `name` ("binary32", "bfloat16", "x87", "e4m3", "custom:4,3", ...), or nullptr.
const FormatInfo* FormatByName(std::string_view name);
// Every named format, in the order the program lists them: binary32,
// binary64, binary128, binary16, bfloat16, x87, e5m2, e4m3, e3m2, e2m3, e2m1.
std::span<const FormatInfo> AllFormats();
// The IEEE-like format with the given widths (exponent 2..15, fraction
// 1..112), named "custom:E,M"; nullptr outside those ranges. The pointer
// stays valid for the whole run.
const FormatInfo* CustomFormat(int exponentBits, int fractionBits);

// Parts of a pattern of format f.
constexpr bool IsNegative(const FormatInfo& f, uint128 bits) { return (bits & f.signBit()) != 0; }
constexpr uint128 Magnitude(const FormatInfo& f, uint128 bits) { return bits & f.patternMask() & ~f.signBit(); }
constexpr int StoredExponent(const FormatInfo& f, uint128 bits) {
    return static_cast<int>((bits & f.exponentMask()) >> f.exponentShift());
}
constexpr uint128 Fraction(const FormatInfo& f, uint128 bits) { return bits & f.fractionMask(); }
// The significand's leading bit: the explicit bit where the format stores
// one, else 1 for a non-zero exponent field.
constexpr bool LeadingBit(const FormatInfo& f, uint128 bits) {
    return f.explicitLeadingBit ? (bits & f.integerBit()) != 0 : StoredExponent(f, bits) != 0;
}

// Not a number: a NaN, and for an explicit leading bit also the all-ones
// exponent without it (pseudo-infinities and pseudo-NaNs, which the
// hardware refuses as operands).
constexpr bool IsNaNPattern(const FormatInfo& f, uint128 bits) {
    switch (f.specials) {
    case SpecialValues::Ieee:
        return StoredExponent(f, bits) == f.maxStored() && (Fraction(f, bits) != 0 || !LeadingBit(f, bits));
    case SpecialValues::NaNOnlyAllOnes: return Magnitude(f, bits) == (f.patternMask() >> 1);
    case SpecialValues::None: return false;
    }
    return false;
}
constexpr bool IsInfinityPattern(const FormatInfo& f, uint128 bits) {
    return f.hasInfinity() && Magnitude(f, bits) == f.infinity();
}
constexpr bool IsFinitePattern(const FormatInfo& f, uint128 bits) {
    return !IsNaNPattern(f, bits) && !IsInfinityPattern(f, bits);
}

// Canonical finite magnitudes in the order of their values are consecutive
// integers once an explicit leading bit is left out: the index of a
// magnitude is its pattern without that bit, so the next value up is the
// next index. Both are the identity for formats without an explicit bit.
constexpr uint128 MagnitudeIndex(const FormatInfo& f, uint128 magnitude) {
    if (!f.explicitLeadingBit) return magnitude;
    return ((magnitude >> f.exponentShift()) << f.fractionBits) | (magnitude & f.fractionMask());
}
constexpr uint128 MagnitudeFromIndex(const FormatInfo& f, uint128 index) {
    if (!f.explicitLeadingBit) return index;
    const uint128 stored = index >> f.fractionBits;
    return (stored << f.exponentShift()) | (stored != 0 ? f.integerBit() : 0) | (index & f.fractionMask());
}

// The same value in its canonical encoding, for a finite pattern of a format
// with an explicit leading bit (pseudo-denormals and unnormals normalised as
// far as the exponent range allows); every other pattern unchanged.
constexpr uint128 CanonicalPattern(const FormatInfo& f, uint128 bits) {
    if (!f.explicitLeadingBit || !IsFinitePattern(f, bits)) return bits;
    const uint128 top = f.integerBit();
    uint128 significand = bits & (top | f.fractionMask());
    int stored = StoredExponent(f, bits);
    if (stored == 0) stored = 1;
    while (significand != 0 && (significand & top) == 0 && stored > 1) {
        significand <<= 1;
        --stored;
    }
    const uint128 sign = bits & f.signBit();
    if (significand == 0) return sign;
    if ((significand & top) == 0) stored = 0;  // a subnormal
    return sign | (uint128(stored) << f.exponentShift()) | significand;
}

// The format's default NaN, the one the decimal reader gives for "NaN": sign
// clear, exponent and fraction all ones (with the explicit leading bit); the
// all-ones magnitude where that is the only NaN. 0 for a format without NaNs.
constexpr uint128 DefaultNaNPattern(const FormatInfo& f) {
    switch (f.specials) {
    case SpecialValues::Ieee: return f.infinity() | f.fractionMask();
    case SpecialValues::NaNOnlyAllOnes: return f.patternMask() >> 1;
    case SpecialValues::None: return 0;
    }
    return 0;
}

// The quiet NaN a NaN operand passes on: the pattern with its quiet bit set.
// A pseudo-NaN or pseudo-infinity, which is refused as an operand, gives the
// default NaN with the operand's sign.
constexpr uint128 QuietNaNOf(const FormatInfo& f, uint128 bits) {
    const uint128 b = bits & f.patternMask();
    if (f.specials == SpecialValues::NaNOnlyAllOnes) return b;
    if (f.explicitLeadingBit && !LeadingBit(f, b)) return (b & f.signBit()) | DefaultNaNPattern(f);
    return b | f.quietBit();
}

}  // namespace ieee
