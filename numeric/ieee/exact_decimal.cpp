// The exact decimal value of a stored pattern. A finite pattern is
// m * 2^e with an integer m; for e >= 0 that is the integer m * 2^e, and for
// e < 0 it is m * 5^-e / 10^-e, so the digits of the integer m * 5^-e with
// the point -e places from the right. GMP does the multiplication and the
// conversion to decimal; nothing is rounded.
#include <cstring>

#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace detail {

void SetU128(mpz_ptr z, uint128 u) {
    const uint64_t parts[2] = {static_cast<uint64_t>(u), static_cast<uint64_t>(u >> 64)};
    mpz_import(z, 2, -1, sizeof(uint64_t), 0, 0, parts);
}

BinaryValue Decompose(const FormatInfo& f, uint128 bits) {
    BinaryValue v;
    v.negative = IsNegative(f, bits);
    // The leading bit (implicit, or the explicit integer bit) above the
    // fraction; an exponent field of 0 scales as 1 does.
    const int stored = StoredExponent(f, bits);
    v.significand = Fraction(f, bits) | (LeadingBit(f, bits) ? uint128(1) << f.fractionBits : 0);
    v.exponent = (stored > 1 ? stored : 1) - f.bias - f.fractionBits;
    if (v.significand == 0) {
        v.exponent = 0;
        return v;
    }
    const uint64_t low = static_cast<uint64_t>(v.significand);
    const int zeros =
        low != 0 ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<uint64_t>(v.significand >> 64));
    v.significand >>= zeros;
    v.exponent += zeros;
    return v;
}

void ExactDecimal(const BinaryValue& v, mpz_ptr digits, int64_t& exponent) {
    SetU128(digits, v.significand);
    exponent = 0;
    if (v.significand == 0) return;
    if (v.exponent >= 0) {
        mpz_mul_2exp(digits, digits, static_cast<mp_bitcnt_t>(v.exponent));
        return;
    }
    Mpz five;
    mpz_ui_pow_ui(five.get(), 5, static_cast<unsigned long>(-v.exponent));
    mpz_mul(digits, digits, five.get());
    exponent = v.exponent;
}

std::string DecimalDigits(mpz_srcptr z) {
    std::string out(mpz_sizeinbase(z, 10) + 2, '\0');  // may be one too many, plus a sign and the NUL
    mpz_get_str(out.data(), 10, z);
    out.resize(std::strlen(out.c_str()));
    return out;
}

std::string ExponentPart(int64_t exponent) {
    return (exponent < 0 ? "E-" : "E+") + std::to_string(exponent < 0 ? -exponent : exponent);
}

}  // namespace detail

std::string ExactDecimalText(const FormatInfo& f, uint128 bits) {
    if (!IsFinitePattern(f, bits)) return {};
    const detail::BinaryValue v = detail::Decompose(f, bits);
    const char* sign = v.negative ? "-" : "";
    if (v.significand == 0) return std::string(sign) + "0";

    detail::Mpz n;
    int64_t exponent = 0;
    detail::ExactDecimal(v, n.get(), exponent);
    const std::string digits = detail::DecimalDigits(n.get());
    const int64_t count = static_cast<int64_t>(digits.size());
    const int64_t leading = count - 1 + exponent;  // the value lies in [10^leading, 10^(leading+1))

    std::string out(sign);
    if (leading < -20) {
        out.reserve(digits.size() + 12);
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits, 1);
        }
        return out + detail::ExponentPart(leading);
    }
    if (exponent == 0) return out + digits;
    const int64_t whole = count + exponent;  // digits before the point
    if (whole > 0) {
        out.append(digits, 0, static_cast<size_t>(whole));
        out += '.';
        out.append(digits, static_cast<size_t>(whole));
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-whole), '0');
        out += digits;
    }
    return out;
}

}  // namespace ieee
