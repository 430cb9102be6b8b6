// The conversion error typed - stored, exactly. Both numbers are integers
// times powers of ten (the typed one as written, the stored one as
// m * 5^-e * 10^e), so their difference is N * 10^w with w the smaller of the
// two exponents and N an integer; its digits are written in full. The error
// in units of the stored value's quantum and the relative error are exact
// rationals rounded once, to nearest with ties to even, to three significant
// digits by integer division.
//
// The work stays bounded by the size of the input: a stored zero makes the
// error the typed number itself (no power of ten is built from the typed
// exponent), a typed zero makes it the stored value, and a typed number far
// beyond every format's range against a non-zero stored value (which no
// format stores that way) is refused instead of being expanded.
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

using detail::Mpz;

// A typed number whose leading digit lies at 10^kTypedRange or beyond in
// either direction is no finite non-zero value of any format, nor rounds to
// one (binary128 reaches from about 6.5E-4966 to 1.19E+4932).
constexpr int64_t kTypedRange = 5000;
// Typed exponents beyond this are not examined (the reader saturates its
// exponents far below it), so every exponent sum here stays inside int64_t.
constexpr int64_t kExponentLimit = 1'000'000'000'000'000LL;

void PowerOfTen(mpz_ptr z, int64_t k) { mpz_ui_pow_ui(z, 10, static_cast<unsigned long>(k)); }

// p / q (both positive) as `count` significant decimal digits d1...dn and the
// exponent k of d1 (p / q ~ d1.d2...dn * 10^k), rounded once to nearest,
// ties to even.
void RoundQuotient(mpz_srcptr p, mpz_srcptr q, int count, std::string& digits, int64_t& k) {
    // log10(p / q) from the leading bits of both; the loop below corrects the
    // estimate when it lands on the wrong side of a power of ten.
    long ep = 0, eq = 0;
    const double mp = mpz_get_d_2exp(&ep, p);
    const double mq = mpz_get_d_2exp(&eq, q);
    k = static_cast<int64_t>(std::floor((std::log2(mp / mq) + static_cast<double>(ep - eq)) * 0.30102999566398120));
    Mpz num, den, quotient, rest, low, high, scale;
    mpz_ui_pow_ui(low.get(), 10, static_cast<unsigned long>(count - 1));
    mpz_mul_ui(high.get(), low.get(), 10);
    for (;;) {
        const int64_t a = count - 1 - k;  // quotient = floor(p * 10^a / q)
        mpz_set(num.get(), p);
        mpz_set(den.get(), q);
        PowerOfTen(scale.get(), a >= 0 ? a : -a);
        mpz_mul(a >= 0 ? num.get() : den.get(), a >= 0 ? num.get() : den.get(), scale.get());
        mpz_tdiv_qr(quotient.get(), rest.get(), num.get(), den.get());
        if (mpz_cmp(quotient.get(), high.get()) >= 0) {
            ++k;
        } else if (mpz_cmp(quotient.get(), low.get()) < 0) {
            --k;
        } else {
            break;
        }
    }
    mpz_mul_2exp(rest.get(), rest.get(), 1);
    const int half = mpz_cmp(rest.get(), den.get());
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get()))) {
        mpz_add_ui(quotient.get(), quotient.get(), 1);
        if (mpz_cmp(quotient.get(), high.get()) == 0) {
            mpz_set(quotient.get(), low.get());
            ++k;
        }
    }
    digits = detail::DecimalDigits(quotient.get());
}

// d1[.d2...dn]E<sign><k>, the digits as given.
std::string Scientific(bool negative, const std::string& digits, int64_t k) {
    std::string out(negative ? "-" : "");
    out.reserve(digits.size() + 24);
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out.append(digits, 1);
    }
    return out + detail::ExponentPart(k);
}

// Up to three significant digits, trailing zeros dropped; positional between
// 0.001 and 999999, else scientific.
std::string Short(bool negative, std::string digits, int64_t k) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (k < -3 || k > 5) return Scientific(negative, digits, k);
    std::string out(negative ? "-" : "");
    const int64_t count = static_cast<int64_t>(digits.size());
    if (k < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-k - 1), '0');
        return out + digits;
    }
    if (count <= k + 1) return out + digits + std::string(static_cast<size_t>(k + 1 - count), '0');
    out.append(digits, 0, static_cast<size_t>(k + 1));
    out += '.';
    out.append(digits, static_cast<size_t>(k + 1));
    return out;
}

// magnitude / divisor * 10^shift with at most three significant digits, or
// exactly three in scientific form when `fixedThree` (relative errors).
std::string ThreeDigits(bool negative, mpz_srcptr magnitude, mpz_srcptr divisor, int64_t shift, bool fixedThree) {
    std::string digits;
    int64_t k = 0;
    RoundQuotient(magnitude, divisor, 3, digits, k);
    return fixedThree ? Scientific(negative, digits, k + shift) : Short(negative, std::move(digits), k + shift);
}

}  // namespace

// "ULP of the stored value" here is the quantum of the stored value's binade,
// 2^(max(E, emin) - p + 1) with E its unbiased exponent: for a zero or a
// subnormal that is the smallest subnormal.
ConversionError ConversionErrorOf(const FormatInfo& f, const TypedDecimal& typed, uint128 stored) {
    ConversionError out;
    if (!IsFinitePattern(f, stored)) return out;
    if (typed.exponent > kExponentLimit || typed.exponent < -kExponentLimit) return out;
    for (char c : typed.digits)
        if (c < '0' || c > '9') return out;

    // typed = (-1)^negative * d * 10^t with no leading or trailing zero in d.
    std::string_view d = typed.digits;
    while (!d.empty() && d.front() == '0') d.remove_prefix(1);
    int64_t t = typed.exponent;
    while (!d.empty() && d.back() == '0') {
        d.remove_suffix(1);
        ++t;
    }
    const bool typedZero = d.empty();

    const detail::BinaryValue v = detail::Decompose(f, stored);
    const bool storedZero = v.significand == 0;
    if (typedZero && storedZero) return {"0", "0", "0"};
    const int64_t typedLeading = t + static_cast<int64_t>(d.size()) - 1;
    if (!typedZero && !storedZero && (typedLeading >= kTypedRange || typedLeading <= -kTypedRange)) return out;

    // error = n * 10^w exactly.
    Mpz typedDigits, n, scaled;
    if (!typedZero) {
        const std::string copy(d);
        mpz_set_str(typedDigits.get(), copy.c_str(), 10);
    }
    int64_t w = 0;
    if (storedZero) {
        mpz_set(n.get(), typedDigits.get());
        if (typed.negative) mpz_neg(n.get(), n.get());
        w = t;
    } else {
        int64_t u = 0;
        detail::ExactDecimal(v, scaled.get(), u);
        if (v.negative) mpz_neg(scaled.get(), scaled.get());
        if (typedZero) {
            mpz_neg(n.get(), scaled.get());
            w = u;
        } else {
            w = t < u ? t : u;
            Mpz power;
            PowerOfTen(power.get(), u - w);
            mpz_mul(scaled.get(), scaled.get(), power.get());
            PowerOfTen(power.get(), t - w);
            mpz_mul(typedDigits.get(), typedDigits.get(), power.get());  // typed = that * 10^w
            mpz_set(n.get(), typedDigits.get());
            if (typed.negative) mpz_neg(n.get(), n.get());
            mpz_sub(n.get(), n.get(), scaled.get());
        }
    }
    if (mpz_sgn(n.get()) == 0) return {"0", "0", "0"};
    const bool negative = mpz_sgn(n.get()) < 0;
    mpz_abs(n.get(), n.get());

    std::string digits = detail::DecimalDigits(n.get());
    int64_t last = w;  // exponent of the last digit
    size_t significant = digits.size();
    while (digits[significant - 1] == '0') {
        --significant;
        ++last;
    }
    digits.resize(significant);
    out.exact = Scientific(negative, digits, last + static_cast<int64_t>(significant) - 1);

    // In quanta 2^c: n * 10^w / 2^c = n * 2^(w - c) * 5^w. Against a non-zero
    // stored value w is bounded by the format and the typed digits, and the
    // quotient is near 1 (cheap to divide). Against a stored zero w is the
    // typed exponent, which may be huge: n * 2^-c (c < 0 there) times 10^w.
    const int storedExponent = StoredExponent(f, stored);
    const int64_t c = (storedExponent > 1 ? storedExponent : 1) - f.bias - f.fractionBits;
    Mpz numerator, denominator, power;
    mpz_set(numerator.get(), n.get());
    mpz_set_ui(denominator.get(), 1);
    int64_t shift = 0;
    if (storedZero) {
        mpz_mul_2exp(numerator.get(), numerator.get(), static_cast<mp_bitcnt_t>(-c));
        shift = w;
    } else {
        if (w >= c) mpz_mul_2exp(numerator.get(), numerator.get(), static_cast<mp_bitcnt_t>(w - c));
        else mpz_mul_2exp(denominator.get(), denominator.get(), static_cast<mp_bitcnt_t>(c - w));
        mpz_ui_pow_ui(power.get(), 5, static_cast<unsigned long>(w >= 0 ? w : -w));
        mpz_mul(w >= 0 ? numerator.get() : denominator.get(), w >= 0 ? numerator.get() : denominator.get(),
                power.get());
    }
    out.ulps = ThreeDigits(negative, numerator.get(), denominator.get(), shift, false);

    // Relative to the typed number: n / d with d the typed digits scaled to
    // 10^w as the error is (against a stored zero: unscaled, w = t), so the
    // quotient is near the result and no large power is built. Undefined
    // (empty) for a typed zero.
    if (!typedZero) out.relative = ThreeDigits(negative != typed.negative, n.get(), typedDigits.get(), 0, true);
    return out;
}

}  // namespace ieee
