// Bit strings and raw patterns. Every conversion here copies bits with memcpy
// and never does arithmetic on the value, so signalling NaNs stay signalling.
#include "numeric/ieee/bit_pattern.h"

#include <cstring>

namespace ieee {

namespace {

template <typename U>
std::string BitsToText(U bits, int width) {
    std::string out(static_cast<size_t>(width), '0');
    char* p = out.data() + width;
    for (int i = 0; i < width; ++i) {
        *--p = static_cast<char>('0' + static_cast<int>(bits & 1));
        bits >>= 1;
    }
    return out;
}

// The '0'/'1' characters of `digits` as a binary number; the accumulator's
// width keeps exactly its low-order bits.
template <typename U>
U DigitsValue(std::string_view digits) {
    U value = 0;
    for (char c : digits) {
        const unsigned bit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
        if (bit <= 1) value = (value << 1) | bit;
    }
    return value;
}

}  // namespace

uint32_t Bits(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

uint64_t Bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

uint128 Bits(__float128 x) {
    uint128 b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

float FloatFromBits(uint32_t bits) {
    float x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

double DoubleFromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

__float128 QuadFromBits(uint128 bits) {
    __float128 x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

std::string BitString(float x) { return BitsToText(Bits(x), 32); }
std::string BitString(double x) { return BitsToText(Bits(x), 64); }
std::string BitString(__float128 x) { return BitsToText(Bits(x), 128); }

uint128 UnsignedFromDigits(std::string_view digits) { return DigitsValue<uint128>(digits); }

float Binary32FromDigits(std::string_view digits) { return FloatFromBits(DigitsValue<uint32_t>(digits)); }

double Binary64FromDigits(std::string_view digits) { return DoubleFromBits(DigitsValue<uint64_t>(digits)); }

__float128 Binary128FromDigits(std::string_view digits) { return QuadFromBits(DigitsValue<uint128>(digits)); }

}  // namespace ieee
