// MPFR as an independent oracle for the numeric library: values are moved
// between bit patterns and MPFR numbers with exact integer arithmetic, and
// results are rounded to a format by MPFR under that format's exponent range.
#pragma once

#include <gmp.h>
#include <mpfr.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "numeric/ieee/bit_pattern.h"

namespace oracle {

using ieee::uint128;

struct Fmt {
    int kind;
    int bits;
    int fractionBits;
    int precision;
    int bias;
    int sciDigits;     // significant digits of the scientific text
    char letter;       // its exponent letter
    int minExpDigits;  // its minimum exponent digits
    int emin() const { return 1 - bias; }
    uint128 signBit() const { return uint128(1) << (bits - 1); }
    uint128 fractionMask() const { return (uint128(1) << fractionBits) - 1; }
    int maxStored() const { return 2 * bias + 1; }  // all ones
    uint128 infinity() const { return uint128(maxStored()) << fractionBits; }
    uint128 mask() const { return bits == 128 ? ~uint128(0) : (uint128(1) << bits) - 1; }
};

inline constexpr Fmt kF32{4, 32, 23, 24, 127, 8, 'E', 2};
inline constexpr Fmt kF64{8, 64, 52, 53, 1023, 17, 'D', 2};
inline constexpr Fmt kF128{16, 128, 112, 113, 16383, 34, 'D', 3};
inline constexpr Fmt kF16{2, 16, 10, 11, 15, 5, 'E', 2};  // binary16
inline constexpr Fmt kBF16{3, 16, 7, 8, 127, 4, 'E', 2};  // bfloat16

// Restricts MPFR's exponent range to the format's (subnormals included via
// mpfr_subnormalize) for the lifetime of the object.
class Range {
public:
    explicit Range(const Fmt& f) : oldMin_(mpfr_get_emin()), oldMax_(mpfr_get_emax()) {
        mpfr_set_emin(f.emin() - f.fractionBits + 1);
        mpfr_set_emax(f.bias + 1);
    }
    ~Range() {
        mpfr_set_emin(oldMin_);
        mpfr_set_emax(oldMax_);
    }
    Range(const Range&) = delete;
    Range& operator=(const Range&) = delete;

private:
    mpfr_exp_t oldMin_, oldMax_;
};

// An mpfr_t that frees itself.
class Num {
public:
    explicit Num(mpfr_prec_t prec) { mpfr_init2(v_, prec); }
    ~Num() { mpfr_clear(v_); }
    Num(const Num&) = delete;
    Num& operator=(const Num&) = delete;
    mpfr_ptr get() { return v_; }
    operator mpfr_ptr() { return v_; }

private:
    mpfr_t v_;
};

class Int {
public:
    Int() { mpz_init(v_); }
    ~Int() { mpz_clear(v_); }
    Int(const Int&) = delete;
    Int& operator=(const Int&) = delete;
    operator mpz_ptr() { return v_; }

private:
    mpz_t v_;
};

inline void SetU128(mpz_ptr z, uint128 u) {
    const uint64_t parts[2] = {static_cast<uint64_t>(u), static_cast<uint64_t>(u >> 64)};
    mpz_import(z, 2, -1, sizeof(uint64_t), 0, 0, parts);
}

inline uint128 GetU128(mpz_srcptr z) {
    uint64_t parts[2] = {0, 0};
    size_t count = 0;
    if (mpz_sizeinbase(z, 2) <= 128) mpz_export(parts, &count, -1, sizeof(uint64_t), 0, 0, z);
    return (uint128(parts[1]) << 64) | parts[0];
}

inline bool IsFinitePattern(const Fmt& f, uint128 b) {
    return ((b & ~f.signBit()) >> f.fractionBits) != uint128(f.maxStored());
}

// The exact value of a finite pattern (x must have at least the format's precision).
inline void ToMpfr(const Fmt& f, uint128 b, mpfr_ptr x) {
    const bool negative = (b & f.signBit()) != 0;
    const int stored = static_cast<int>((b & ~f.signBit()) >> f.fractionBits);
    uint128 m = b & f.fractionMask();
    int e2 = f.emin() - f.fractionBits;
    if (stored != 0) {
        m |= uint128(1) << f.fractionBits;
        e2 = stored - f.bias - f.fractionBits;
    }
    Int z;
    SetU128(z, m);
    if (negative) mpz_neg(z, z);
    mpfr_set_z_2exp(x, z, e2, MPFR_RNDN);  // exact: m has at most p bits
    if (m == 0 && negative) mpfr_neg(x, x, MPFR_RNDN);
}

// The pattern of a value already rounded to the format (zero, infinity or a
// representable finite number).
inline uint128 FromMpfr(const Fmt& f, mpfr_srcptr x) {
    const uint128 sign = mpfr_signbit(x) ? f.signBit() : 0;
    if (mpfr_zero_p(x)) return sign;
    if (mpfr_inf_p(x)) return sign | f.infinity();
    if (mpfr_nan_p(x)) return f.infinity() | f.fractionMask();
    Int z;
    const mpfr_exp_t e = mpfr_get_z_2exp(z, x);  // x = z * 2^e
    mpz_abs(z, z);
    const long top = static_cast<long>(e) + static_cast<long>(mpz_sizeinbase(z, 2)) - 1;  // x in [2^top, 2^(top+1))
    long shift;
    uint128 stored = 0;
    if (top >= f.emin()) {
        stored = static_cast<uint128>(top + f.bias);
        shift = static_cast<long>(e) - (top - f.fractionBits);
    } else {
        shift = static_cast<long>(e) - (f.emin() - f.fractionBits);
    }
    if (shift >= 0) mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(shift));
    else mpz_tdiv_q_2exp(z, z, static_cast<mp_bitcnt_t>(-shift));
    const uint128 m = GetU128(z) & f.fractionMask();
    return sign | (stored << f.fractionBits) | m;
}

// Rounds x (any precision, unbounded exponent) to the format with rounding
// mode rnd, subnormals and overflow included; `inexact` is the ternary value
// of the computation that produced x.
inline uint128 RoundToFormat(const Fmt& f, mpfr_srcptr x, int inexact, mpfr_rnd_t rnd) {
    Num r(f.precision);
    int t = mpfr_set(r, x, rnd);
    if (t == 0) t = inexact;
    const Range range(f);
    t = mpfr_check_range(r, t, rnd);
    mpfr_subnormalize(r, t, rnd);
    return FromMpfr(f, r);
}

// The decimal string read by MPFR, correctly rounded to the format.
inline uint128 ReadDecimal(const Fmt& f, const std::string& text) {
    Num r(f.precision);
    const Range range(f);
    int t = mpfr_strtofr(r, text.c_str(), nullptr, 10, MPFR_RNDN);
    t = mpfr_check_range(r, t, MPFR_RNDN);
    mpfr_subnormalize(r, t, MPFR_RNDN);
    return FromMpfr(f, r);
}

// x (a finite number) with `digits` significant decimal digits, rounded to
// nearest, as [sign]d.ddd<letter><sign><exponent padded to minExpDigits>.
inline std::string Scientific(mpfr_srcptr x, int digits, char letter, int minExpDigits, bool plusSign) {
    std::string out;
    std::string mant;
    long exp10 = 1;
    if (mpfr_zero_p(x)) {
        mant.assign(static_cast<size_t>(digits), '0');
    } else {
        mpfr_exp_t e = 0;
        char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(digits), x, MPFR_RNDN);
        mant = s[0] == '-' ? s + 1 : s;
        mpfr_free_str(s);
        exp10 = static_cast<long>(e);
        if (mpfr_signbit(x)) out += '-';
    }
    if (out.empty() && plusSign) out += '+';
    out += mant[0];
    out += '.';
    out += mant.substr(1);
    out += letter;
    const long shown = exp10 - 1;
    out += shown < 0 ? '-' : '+';
    std::string expDigits = std::to_string(shown < 0 ? -shown : shown);
    if (static_cast<int>(expDigits.size()) < minExpDigits)
        expDigits.insert(0, static_cast<size_t>(minExpDigits) - expDigits.size(), '0');
    return out + expDigits;
}

// The exact decimal expansion of a finite pattern's value, or of the midpoint
// between it and the next pattern up when `midpoint` is set:
// "[-]<digits>e<exponent>".
inline std::string ExactDecimal(const Fmt& f, uint128 b, bool midpoint) {
    const bool negative = (b & f.signBit()) != 0;
    const int stored = static_cast<int>((b & ~f.signBit()) >> f.fractionBits);
    uint128 m = b & f.fractionMask();
    long e2 = f.emin() - f.fractionBits;
    if (stored != 0) {
        m |= uint128(1) << f.fractionBits;
        e2 = stored - f.bias - f.fractionBits;
    }
    Int z;
    SetU128(z, m);
    if (midpoint) {  // (m + 1/2) * 2^e2 = (2m + 1) * 2^(e2 - 1)
        mpz_mul_2exp(z, z, 1);
        mpz_add_ui(z, z, 1);
        e2 -= 1;
    }
    long e10 = 0;
    if (e2 >= 0) {
        mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(e2));
    } else {  // z * 2^e2 = z * 5^-e2 * 10^e2
        Int five;
        mpz_ui_pow_ui(five, 5, static_cast<unsigned long>(-e2));
        mpz_mul(z, z, five);
        e10 = e2;
    }
    char* s = mpz_get_str(nullptr, 10, z);
    std::string out = (negative ? "-" : "") + std::string(s) + "e" + std::to_string(e10);
    void (*freefunc)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freefunc);
    freefunc(s, std::strlen(s) + 1);
    return out;
}

// Random finite patterns weighted towards the edges: zeros, subnormals, the
// smallest normal exponents, the largest finite ones, powers of two and
// fractions with few bits set or few bits clear.
class PatternSource {
public:
    PatternSource(const Fmt& f, uint64_t seed) : f_(f), rng_(seed) {}

    uint128 Next() {
        const uint128 sign = (rng_() & 1) ? f_.signBit() : 0;
        uint128 fraction = RandomU128() & f_.fractionMask();
        const int maxFinite = f_.maxStored() - 1;
        int stored;
        switch (rng_() % 10) {
        case 0: stored = 0; break;  // subnormal or zero
        case 1:
            stored = static_cast<int>(rng_() % 2);
            fraction >>= rng_() % f_.fractionBits;
            break;
        case 2:
            stored = maxFinite - static_cast<int>(rng_() % 2);
            break;  // largest exponents
        // clang-format off
        case 3: stored = static_cast<int>(rng_() % (maxFinite + 1)); fraction = 0; break;  // powers of two
        case 4: stored = static_cast<int>(rng_() % (maxFinite + 1)); fraction = f_.fractionMask() ^ (fraction >> (rng_() % f_.fractionBits)); break;
        case 5: stored = static_cast<int>(rng_() % (maxFinite + 1)); fraction >>= std::max(0, f_.fractionBits - 1 - static_cast<int>(rng_() % 4)); break;
        // clang-format on
        case 6: stored = f_.bias + static_cast<int>(rng_() % 64) - 32; break;  // ordinary magnitudes
        default: stored = static_cast<int>(rng_() % (maxFinite + 1)); break;
        }
        if (stored == 0 && rng_() % 8 == 0) fraction = rng_() % 3;  // zero and the smallest subnormals
        if (stored == maxFinite && rng_() % 8 == 0) fraction = f_.fractionMask();
        return sign | (uint128(stored) << f_.fractionBits) | fraction;
    }

    uint128 RandomU128() { return (uint128(rng_()) << 64) | rng_(); }
    std::mt19937_64& rng() { return rng_; }

private:
    Fmt f_;
    std::mt19937_64 rng_;
};

// Fixed patterns every sweep starts with: zeros, smallest and largest
// subnormals, smallest normal, one, largest finite, in both signs.
inline std::vector<uint128> EdgePatterns(const Fmt& f) {
    const uint128 one = uint128(f.bias) << f.fractionBits;
    const uint128 minNormal = uint128(1) << f.fractionBits;
    const uint128 maxFinite = f.infinity() - 1;
    std::vector<uint128> out;
    for (uint128 m : {uint128(0), uint128(1), uint128(2), uint128(3), minNormal - 1, minNormal, minNormal + 1, one - 1,
                      one, one + 1, maxFinite - 1, maxFinite, (uint128(f.maxStored() - 1)) << f.fractionBits}) {
        out.push_back(m);
        out.push_back(m | f.signBit());
    }
    return out;
}

// The oracle's description of the format of T (float, double, __float128).
template <typename T>
const Fmt& FmtOf() {
    if constexpr (sizeof(T) == 4) return kF32;
    else if constexpr (sizeof(T) == 8) return kF64;
    else return kF128;
}

// The value of T with bit pattern b (its low bits).
template <typename T>
T FromPattern(uint128 b) {
    if constexpr (sizeof(T) == 4) return ieee::FloatFromBits(static_cast<uint32_t>(b));
    else if constexpr (sizeof(T) == 8) return ieee::DoubleFromBits(static_cast<uint64_t>(b));
    else return ieee::QuadFromBits(b);
}

// A pattern in hexadecimal, for failure messages.
inline std::string Hex(uint128 b) {
    static const char* digits = "0123456789abcdef";
    std::string s(32, '0');
    for (int i = 31; i >= 0; --i, b >>= 4) s[static_cast<size_t>(i)] = digits[static_cast<int>(b & 15)];
    return s;
}

}  // namespace oracle
