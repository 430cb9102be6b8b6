// Exact integer views of stored patterns, shared by the stored-value texts:
// a finite pattern is (-1)^negative * significand * 2^exponent, and its
// decimal value is an integer times a power of ten, both held in GMP
// integers.
#pragma once

#include <gmp.h>

#include <cstdint>
#include <string>

#include "numeric/ieee/format_table.h"

namespace ieee::detail {

// A GMP integer that frees itself.
class Mpz {
public:
    Mpz() { mpz_init(v_); }
    ~Mpz() { mpz_clear(v_); }
    Mpz(const Mpz&) = delete;
    Mpz& operator=(const Mpz&) = delete;
    mpz_ptr get() { return v_; }
    mpz_srcptr get() const { return v_; }

private:
    mpz_t v_;
};

void SetU128(mpz_ptr z, uint128 u);

// A finite pattern as (-1)^negative * significand * 2^exponent, the
// significand odd (or 0 for a zero, with exponent 0), so the form is unique.
struct BinaryValue {
    bool negative = false;
    uint128 significand = 0;
    int exponent = 0;
};
BinaryValue Decompose(const FormatInfo& f, uint128 bits);

// |value| = digits * 10^exponent exactly, with no trailing decimal zero in
// `digits` when exponent < 0 (an odd significand times a power of five is
// odd). A zero gives digits 0, exponent 0.
void ExactDecimal(const BinaryValue& v, mpz_ptr digits, int64_t& exponent);

// The decimal digits of a non-negative integer.
std::string DecimalDigits(mpz_srcptr z);

// "E-9", "E+5": the exponent part of the scientific texts.
std::string ExponentPart(int64_t exponent);

}  // namespace ieee::detail
