// Bit strings and raw patterns. Every conversion here copies bits (bit_cast, memcpy)
// and never does arithmetic on the value, so signalling NaNs stay signalling.
#include "numeric/ieee/bit_pattern.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace ieee {

namespace {

// The eight characters of every byte value, most significant bit first.
constexpr std::array<std::array<char, 8>, 256> kByteTexts = [] {
    std::array<std::array<char, 8>, 256> table{};
    for (int value = 0; value < 256; ++value)
        for (int k = 0; k < 8; ++k) table[value][k] = static_cast<char>('0' + ((value >> (7 - k)) & 1));
    return table;
}();

// A width that is no multiple of eight (6-bit, 80-bit and custom formats)
// starts with its leftover high bits one at a time.
template <typename U>
std::string BitsToText(U bits, int width) {
    std::string out(static_cast<size_t>(width), '0');
    char* p = out.data();
    const int leftover = width % 8;
    for (int k = width - 1; k >= width - leftover; --k) *p++ = static_cast<char>('0' + ((bits >> k) & 1));
    for (int shift = width - leftover - 8; shift >= 0; shift -= 8, p += 8)
        std::memcpy(p, kByteTexts[static_cast<unsigned>(bits >> shift) & 0xFFu].data(), 8);
    return out;
}

// The '0'/'1' characters of `digits` as a binary number; the accumulator's
// width keeps exactly its low-order bits. Runs of eight '0'/'1' characters
// are taken a word at a time.
template <typename U>
U DigitsValue(std::string_view digits) {
    U value = 0;
    const char* p = digits.data();
    const char* const end = p + digits.size();
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        const uint64_t bits = word - 0x3030303030303030ull;
        // Any byte other than '0' or '1' leaves a bit outside the lowest of
        // its byte (a byte below '0' borrows and becomes 0xD0 or more).
        if ((bits & 0xFEFEFEFEFEFEFEFEull) != 0) break;
        // Gathers byte k's bit (the k-th character) into bit 7 - k of the top byte.
        value = static_cast<U>((value << 8) | static_cast<U>((bits * 0x8040201008040201ull) >> 56));
        p += 8;
    }
    for (; p != end; ++p) {
        const unsigned bit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
        if (bit <= 1) value = static_cast<U>((value << 1) | bit);
    }
    return value;
}

}  // namespace

// The patterns are copied, never computed, so signalling NaNs stay signalling.
uint32_t Bits(float x) { return std::bit_cast<uint32_t>(x); }
uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }
uint128 Bits(__float128 x) { return std::bit_cast<uint128>(x); }
float FloatFromBits(uint32_t bits) { return std::bit_cast<float>(bits); }
double DoubleFromBits(uint64_t bits) { return std::bit_cast<double>(bits); }
__float128 QuadFromBits(uint128 bits) { return std::bit_cast<__float128>(bits); }

std::string BitString(float x) { return BitsToText(Bits(x), 32); }
std::string BitString(double x) { return BitsToText(Bits(x), 64); }
std::string BitString(__float128 x) { return BitsToText(Bits(x), 128); }
std::string BitString(const FormatInfo& f, uint128 bits) { return BitsToText(bits & f.patternMask(), f.bits); }

uint128 UnsignedFromDigits(std::string_view digits) { return DigitsValue<uint128>(digits); }

float Binary32FromDigits(std::string_view digits) { return FloatFromBits(DigitsValue<uint32_t>(digits)); }

double Binary64FromDigits(std::string_view digits) { return DoubleFromBits(DigitsValue<uint64_t>(digits)); }

__float128 Binary128FromDigits(std::string_view digits) { return QuadFromBits(DigitsValue<uint128>(digits)); }

bool FloatHoldsFormat(const FormatInfo& f) {
    return f.precision <= 24 && f.emax <= 127 && f.emin - f.fractionBits >= -149;
}

// The fields give significand * 2^exponent with a significand below 2^24,
// which ldexp scales exactly into binary32's range.
float FloatValue(const FormatInfo& f, uint128 bits) {
    const bool negative = IsNegative(f, bits);
    const uint32_t sign = negative ? 0x80000000u : 0u;
    if (!FloatHoldsFormat(f) || IsNaNPattern(f, bits))
        return FloatFromBits(
            sign | 0x7FC00000u |
            (FloatHoldsFormat(f) ? static_cast<uint32_t>(Fraction(f, bits)) << (23 - f.fractionBits) : 0));
    if (IsInfinityPattern(f, bits)) return FloatFromBits(sign | 0x7F800000u);
    const uint32_t significand =
        static_cast<uint32_t>(Fraction(f, bits) | (LeadingBit(f, bits) ? uint128(1) << f.fractionBits : 0));
    const int stored = StoredExponent(f, bits);
    const float magnitude =
        std::ldexp(static_cast<float>(significand), (stored > 1 ? stored : 1) - f.bias - f.fractionBits);
    return negative ? -magnitude : magnitude;
}

}  // namespace ieee
