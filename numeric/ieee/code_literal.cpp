// Literals of stored patterns, built from the exact binary form of the value.
#include "numeric/ieee/code_literal.h"

#include "numeric/ieee/byte_order.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

int BitLength(uint128 v) {
    int n = 0;
    while (v != 0) {
        v >>= 1;
        ++n;
    }
    return n;
}

// The suffix of the C type that holds format f exactly, or nullptr when C
// has no literal of that type. The x87 type is known by its shape: 15
// exponent bits and a 64-bit significand.
const char* CSuffix(const FormatInfo& f) {
    if (f.bits == 32 && f.exponentBits == 8 && f.precision == 24) return "f";
    if (f.bits == 64 && f.exponentBits == 11 && f.precision == 53) return "";
    if (f.bits == 128 && f.exponentBits == 15 && f.precision == 113) return "Q";
    if (f.bits == 80 && f.exponentBits == 15 && f.precision == 64) return "L";
    return nullptr;
}

std::string PatternInteger(const FormatInfo& f, uint128 bits) {
    std::string out = "0x";
    for (char c : HexWord(f, bits))
        if (c != ' ') out += c;
    return out;
}

}  // namespace

std::string CHexFloat(const FormatInfo& f, uint128 bits) {
    if (!IsFinitePattern(f, bits)) return {};
    const detail::BinaryValue v = detail::Decompose(f, bits);
    std::string out = v.negative ? "-0x" : "0x";
    if (v.significand == 0) return out + "0p+0";
    // significand = 1.f * 2^(length - 1); the fraction bits padded on the
    // right to whole hexadecimal digits.
    const int length = BitLength(v.significand);
    const int fractionBits = length - 1;
    const int digits = (fractionBits + 3) / 4;
    uint128 fraction = v.significand & ((uint128(1) << fractionBits) - 1);
    fraction <<= 4 * digits - fractionBits;
    out += '1';
    if (digits > 0) {
        static const char kDigits[] = "0123456789abcdef";
        out += '.';
        for (int k = digits - 1; k >= 0; --k) out += kDigits[static_cast<unsigned>(fraction >> (4 * k)) & 15u];
        while (out.back() == '0') out.pop_back();
    }
    const int64_t exponent = int64_t(v.exponent) + fractionBits;
    out += exponent < 0 ? "p-" : "p+";
    out += std::to_string(exponent < 0 ? -exponent : exponent);
    return out;
}

std::string CLiteral(const FormatInfo& f, uint128 bits) {
    const char* suffix = CSuffix(f);
    if (suffix != nullptr && IsFinitePattern(f, bits)) return CHexFloat(f, bits) + suffix;
    return PatternInteger(f, bits) + " /* " + f.name + " " + ShortestText(f, bits) + " */";
}

std::string PythonStruct(const FormatInfo& f, uint128 bits) {
    const char* code = nullptr;
    if (f.bits == 16 && f.exponentBits == 5) code = "e";
    else if (CSuffix(f) != nullptr && f.bits == 32) code = "f";
    else if (CSuffix(f) != nullptr && f.bits == 64) code = "d";
    if (code == nullptr) return {};
    std::string hex;
    for (char c : BytesText(f, bits, ByteOrder::Little))
        if (c != ' ') hex += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return std::string("struct.unpack('<") + code + "', bytes.fromhex('" + hex + "'))[0]";
}

std::string PythonFromHex(const FormatInfo& f, uint128 bits) {
    if (!IsFinitePattern(f, bits)) return {};
    // A binary64 value: at most 53 significant bits, an exponent within
    // binary64's range, subnormals included.
    const detail::BinaryValue v = detail::Decompose(f, bits);
    if (v.significand != 0) {
        const int length = BitLength(v.significand);
        const int64_t top = int64_t(v.exponent) + length - 1;  // exponent of the leading bit
        if (length > 53 || top > 1023 || v.exponent < -1074) return {};
    }
    return "float.fromhex('" + CHexFloat(f, bits) + "')";
}

}  // namespace ieee
