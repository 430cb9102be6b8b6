// The operations, by exact integer arithmetic. An operand is
// (-1)^s * m * 2^e with an integer m; a sum, a product, a fused
// multiply-add, a remainder and a conversion are again of that form and are
// held exactly; a quotient is held as a fraction and a square root as its
// radicand. Each is rounded once (exact_rounding.h), and the decimal texts
// come from the same exact values, so what is shown is what was rounded.
#include "numeric/ieee/operations.h"

#include <algorithm>
#include <cmath>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/exact_rounding.h"

namespace ieee {

namespace {

using detail::Mpz;

constexpr int kDigits = 40;  // significant digits of a result that is no finite decimal

// Refused: an encoding the hardware refuses as an operand (an unnormal, a
// pseudo-infinity, a pseudo-NaN): invalid, and the default NaN.
enum class Kind { Zero, Finite, Infinity, QuietNaN, SignalingNaN, Refused };

struct Operand {
    Kind kind = Kind::Zero;
    bool negative = false;
    uint128 bits = 0;
    Mpz m;
    int64_t e = 0;
    bool IsNaN() const { return kind == Kind::QuietNaN || kind == Kind::SignalingNaN || kind == Kind::Refused; }
    bool Signals() const { return kind == Kind::SignalingNaN || kind == Kind::Refused; }
};

void Decode(const FormatInfo& f, uint128 bits, Operand& o) {
    o.bits = bits & f.patternMask();
    o.negative = IsNegative(f, o.bits);
    if (f.explicitLeadingBit && StoredExponent(f, o.bits) != 0 && !LeadingBit(f, o.bits)) {
        o.kind = Kind::Refused;
        return;
    }
    if (IsNaNPattern(f, o.bits)) {
        o.kind = (o.bits & f.quietBit()) != 0 ? Kind::QuietNaN : Kind::SignalingNaN;
        return;
    }
    if (IsInfinityPattern(f, o.bits)) {
        o.kind = Kind::Infinity;
        return;
    }
    const detail::BinaryValue v = detail::Decompose(f, o.bits);
    detail::SetU128(o.m.get(), v.significand);
    o.e = v.exponent;
    o.kind = v.significand == 0 ? Kind::Zero : Kind::Finite;
}

// The exact result of an operation before rounding.
enum class Shape {
    Pattern,   // a NaN or an infinity, or nothing (comparisons): `bits` as it stands
    Infinite,  // an infinity of sign `negative`, in a format that may have none
    Dyadic,    // (-1)^negative * a * 2^e (a zero when a is 0)
    Quotient,  // (-1)^negative * a / b * 2^e
    Root,      // sqrt(a * 2^e), e even
};

struct Exact {
    Shape shape = Shape::Pattern;
    const FormatInfo* format = nullptr;  // the result's format
    bool hasPattern = true;
    uint128 bits = 0;
    Flags flags;  // invalid and divideByZero, known before rounding
    Outcome outcome = Outcome::None;
    bool negative = false;
    bool sumZero = false;       // an exact zero sum of non-zero or opposite terms: its sign follows the direction
    bool neverInexact = false;  // roundToIntegral
    Mpz a, b;
    int64_t e = 0;
};

uint128 QuietNaN(const FormatInfo& f, const Operand& o) {
    return o.kind == Kind::Refused ? (o.bits & f.signBit()) | DefaultNaNPattern(f) : QuietNaNOf(f, o.bits);
}

// A NaN of format `from` in format `to`: the sign and as many high fraction
// bits as fit, quiet (the one NaN of a format that has only one).
uint128 ConvertNaN(const FormatInfo& from, const FormatInfo& to, uint128 bits) {
    if (to.specials == SpecialValues::NaNOnlyAllOnes)
        return (IsNegative(from, bits) ? to.signBit() : 0) | DefaultNaNPattern(to);
    uint128 fraction = Fraction(from, bits);
    if (to.fractionBits >= from.fractionBits) fraction <<= (to.fractionBits - from.fractionBits);
    else fraction >>= (from.fractionBits - to.fractionBits);
    return (IsNegative(from, bits) ? to.signBit() : 0) | to.infinity() | to.quietBit() | fraction;
}

void SetPattern(Exact& x, uint128 bits) {
    x.shape = Shape::Pattern;
    x.bits = bits;
}

void SetInfinity(Exact& x, bool negative) {
    x.shape = Shape::Infinite;
    x.negative = negative;
}

void SetZero(Exact& x, bool negative) {
    x.shape = Shape::Dyadic;
    x.negative = negative;
    mpz_set_ui(x.a.get(), 0);
    x.e = 0;
}

// A format without NaNs has no pattern for an invalid result.
void SetInvalid(Exact& x) {
    x.flags.invalid = true;
    SetPattern(x, DefaultNaN(*x.format));
    x.hasPattern = x.format->hasNaN();
}

// NaN operands: invalid for a signalling one, and the first one's payload
// quiet. False when no operand is a NaN.
bool TakeNaN(Exact& x, const FormatInfo& f, std::span<Operand* const> ops) {
    const Operand* first = nullptr;
    for (const Operand* o : ops) {
        if (o->Signals()) x.flags.invalid = true;
        if (o->IsNaN() && !first) first = o;
    }
    if (!first) return false;
    if (!x.format->hasNaN()) {
        SetInvalid(x);  // a NaN converted to a format that has none
        return true;
    }
    const bool refused = first->kind == Kind::Refused;
    SetPattern(x, x.format == &f ? QuietNaN(f, *first)
                                 : ConvertNaN(f, *x.format, refused ? DefaultNaNPattern(f) : first->bits));
    return true;
}

// x = (-1)^n1 * m1 * 2^e1 + (-1)^n2 * m2 * 2^e2, exactly.
void AddDyadic(Exact& x, bool n1, mpz_srcptr m1, int64_t e1, bool n2, mpz_srcptr m2, int64_t e2) {
    if (mpz_sgn(m1) == 0) e1 = e2;
    if (mpz_sgn(m2) == 0) e2 = e1;
    const int64_t low = std::min(e1, e2);
    Mpz t1, t2;
    mpz_mul_2exp(t1.get(), m1, static_cast<mp_bitcnt_t>(e1 - low));
    mpz_mul_2exp(t2.get(), m2, static_cast<mp_bitcnt_t>(e2 - low));
    if (n1) mpz_neg(t1.get(), t1.get());
    if (n2) mpz_neg(t2.get(), t2.get());
    mpz_add(x.a.get(), t1.get(), t2.get());
    x.shape = Shape::Dyadic;
    x.negative = mpz_sgn(x.a.get()) < 0;
    mpz_abs(x.a.get(), x.a.get());
    x.e = low;
    if (mpz_sgn(x.a.get()) == 0) {
        x.e = 0;
        // Zero terms of one sign keep it; anything else sums to +0, or -0
        // when rounding toward negative.
        const bool bothZero = mpz_sgn(m1) == 0 && mpz_sgn(m2) == 0;
        if (bothZero && n1 == n2) x.negative = n1;
        else x.sumZero = true;
    }
}

void Sum(Exact& x, const FormatInfo& f, Operand& p, Operand& q, bool subtract) {
    Operand* ops[] = {&p, &q};
    if (TakeNaN(x, f, ops)) return;
    const bool qNegative = q.negative != subtract;
    if (p.kind == Kind::Infinity || q.kind == Kind::Infinity) {
        if (p.kind == Kind::Infinity && q.kind == Kind::Infinity && p.negative != qNegative) SetInvalid(x);
        else SetInfinity(x, p.kind == Kind::Infinity ? p.negative : qNegative);
        return;
    }
    AddDyadic(x, p.negative, p.m.get(), p.e, qNegative, q.m.get(), q.e);
}

void Product(Exact& x, const FormatInfo& f, Operand& p, Operand& q) {
    Operand* ops[] = {&p, &q};
    if (TakeNaN(x, f, ops)) return;
    const bool negative = p.negative != q.negative;
    if (p.kind == Kind::Infinity || q.kind == Kind::Infinity) {
        if (p.kind == Kind::Zero || q.kind == Kind::Zero) SetInvalid(x);
        else SetInfinity(x, negative);
        return;
    }
    x.shape = Shape::Dyadic;
    x.negative = negative;
    mpz_mul(x.a.get(), p.m.get(), q.m.get());
    x.e = mpz_sgn(x.a.get()) == 0 ? 0 : p.e + q.e;
}

void Quotient(Exact& x, const FormatInfo& f, Operand& p, Operand& q) {
    Operand* ops[] = {&p, &q};
    if (TakeNaN(x, f, ops)) return;
    const bool negative = p.negative != q.negative;
    const bool pInf = p.kind == Kind::Infinity, qInf = q.kind == Kind::Infinity;
    if ((pInf && qInf) || (p.kind == Kind::Zero && q.kind == Kind::Zero)) return SetInvalid(x);
    if (pInf) return SetInfinity(x, negative);
    if (qInf || p.kind == Kind::Zero) return SetZero(x, negative);
    if (q.kind == Kind::Zero) {
        x.flags.divideByZero = true;
        return SetInfinity(x, negative);
    }
    x.shape = Shape::Quotient;
    x.negative = negative;
    mpz_set(x.a.get(), p.m.get());
    mpz_set(x.b.get(), q.m.get());
    x.e = p.e - q.e;
}

void SquareRoot(Exact& x, const FormatInfo& f, Operand& p) {
    Operand* ops[] = {&p};
    if (TakeNaN(x, f, ops)) return;
    if (p.kind == Kind::Zero) return SetZero(x, p.negative);  // sqrt(-0) = -0
    if (p.negative) return SetInvalid(x);
    if (p.kind == Kind::Infinity) return SetInfinity(x, false);
    x.shape = Shape::Root;
    mpz_set(x.a.get(), p.m.get());
    x.e = p.e;
    if (x.e % 2 != 0) {
        mpz_mul_2exp(x.a.get(), x.a.get(), 1);
        --x.e;
    }
}

void FusedMultiplyAdd(Exact& x, const FormatInfo& f, Operand& p, Operand& q, Operand& c) {
    // 0 * infinity is invalid even beside a quiet NaN addend; the result
    // still carries the first NaN operand's payload.
    const bool zeroTimesInfinity =
        (p.kind == Kind::Zero && q.kind == Kind::Infinity) || (p.kind == Kind::Infinity && q.kind == Kind::Zero);
    Operand* ops[] = {&p, &q, &c};
    if (TakeNaN(x, f, ops)) {
        if (zeroTimesInfinity) x.flags.invalid = true;
        return;
    }
    if (zeroTimesInfinity) return SetInvalid(x);
    const bool productNegative = p.negative != q.negative;
    const bool productInfinite = p.kind == Kind::Infinity || q.kind == Kind::Infinity;
    if (productInfinite || c.kind == Kind::Infinity) {
        if (productInfinite && c.kind == Kind::Infinity && productNegative != c.negative) SetInvalid(x);
        else SetInfinity(x, productInfinite ? productNegative : c.negative);
        return;
    }
    Mpz product;
    mpz_mul(product.get(), p.m.get(), q.m.get());
    AddDyadic(x, productNegative, product.get(), p.e + q.e, c.negative, c.m.get(), c.e);
}

void Remainder(Exact& x, const FormatInfo& f, Operand& p, Operand& q) {
    Operand* ops[] = {&p, &q};
    if (TakeNaN(x, f, ops)) return;
    if (p.kind == Kind::Infinity || q.kind == Kind::Zero) return SetInvalid(x);
    if (q.kind == Kind::Infinity || p.kind == Kind::Zero) {
        x.shape = Shape::Dyadic;
        x.negative = p.negative;
        mpz_set(x.a.get(), p.m.get());
        x.e = p.e;
        return;
    }
    // |p| and |q| as integers over a common power of two; n is the quotient
    // rounded to nearest, ties to even.
    const int64_t low = std::min(p.e, q.e);
    Mpz px, qx, n, r, twice;
    mpz_mul_2exp(px.get(), p.m.get(), static_cast<mp_bitcnt_t>(p.e - low));
    mpz_mul_2exp(qx.get(), q.m.get(), static_cast<mp_bitcnt_t>(q.e - low));
    mpz_tdiv_qr(n.get(), r.get(), px.get(), qx.get());
    mpz_mul_2exp(twice.get(), r.get(), 1);
    const int side = mpz_cmp(twice.get(), qx.get());
    bool negative = p.negative;
    if (side > 0 || (side == 0 && mpz_odd_p(n.get()))) {
        mpz_sub(r.get(), qx.get(), r.get());  // |p| - (n + 1)|q| = -(|q| - r)
        negative = !negative;
    }
    x.shape = Shape::Dyadic;
    x.negative = mpz_sgn(r.get()) == 0 ? p.negative : negative;  // a zero remainder has the sign of p
    mpz_swap(x.a.get(), r.get());
    x.e = mpz_sgn(x.a.get()) == 0 ? 0 : low;
}

void RoundToIntegral(Exact& x, const FormatInfo& f, Operand& p, Rounding rounding) {
    Operand* ops[] = {&p};
    if (TakeNaN(x, f, ops)) return;
    if (p.kind == Kind::Infinity) return SetInfinity(x, p.negative);
    x.shape = Shape::Dyadic;
    x.negative = p.negative;
    x.neverInexact = true;
    if (p.e >= 0 || p.kind == Kind::Zero) {
        mpz_set(x.a.get(), p.m.get());
        x.e = p.e;
        return;
    }
    const mp_bitcnt_t s = static_cast<mp_bitcnt_t>(-p.e);
    mpz_tdiv_q_2exp(x.a.get(), p.m.get(), s);
    const bool half = mpz_tstbit(p.m.get(), s - 1) != 0;
    const bool rest = mpz_scan1(p.m.get(), 0) < s - 1;
    if (RoundsUp(rounding, p.negative, mpz_odd_p(x.a.get()) != 0, half, rest)) mpz_add_ui(x.a.get(), x.a.get(), 1);
    x.e = 0;  // a zero keeps the operand's sign
}

void Convert(Exact& x, const FormatInfo& f, Operand& p) {
    Operand* ops[] = {&p};
    if (TakeNaN(x, f, ops)) return;
    if (p.kind == Kind::Infinity) return SetInfinity(x, p.negative);
    x.shape = Shape::Dyadic;
    x.negative = p.negative;
    mpz_set(x.a.get(), p.m.get());
    x.e = p.e;
}

// Sign of a - b for two non-NaN patterns of one format: the magnitude
// bits order the values of one sign, and the zeros are equal.
int CompareValues(const FormatInfo& f, const Operand& p, const Operand& q) {
    auto side = [](const Operand& o) { return o.kind == Kind::Zero ? 0 : (o.negative ? -1 : 1); };
    const int sp = side(p), sq = side(q);
    if (sp != sq) return sp < sq ? -1 : 1;
    const uint128 mp = MagnitudeIndex(f, Magnitude(f, CanonicalPattern(f, p.bits)));
    const uint128 mq = MagnitudeIndex(f, Magnitude(f, CanonicalPattern(f, q.bits)));
    return sp * (mp == mq ? 0 : (mp < mq ? -1 : 1));
}

// totalOrder's key: increasing from -NaN through -0, +0 to +NaN.
uint128 TotalKey(const FormatInfo& f, uint128 bits) {
    const uint128 magnitude = Magnitude(f, bits);
    return IsNegative(f, bits) ? f.signBit() - 1 - magnitude : f.signBit() + magnitude;
}

void Compare(Exact& x, const FormatInfo& f, Operation op, Operand& p, Operand& q) {
    x.hasPattern = false;
    SetPattern(x, 0);
    if (op == Operation::TotalOrder) {
        x.outcome = TotalKey(f, p.bits) <= TotalKey(f, q.bits) ? Outcome::True : Outcome::False;
        return;
    }
    if (p.IsNaN() || q.IsNaN()) {
        x.outcome = Outcome::Unordered;
        x.flags.invalid = op == Operation::CompareSignaling || p.Signals() || q.Signals();
        return;
    }
    const int side = CompareValues(f, p, q);
    x.outcome = side < 0 ? Outcome::Less : (side > 0 ? Outcome::Greater : Outcome::Equal);
}

void Evaluate(Exact& x, Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
              const FormatInfo* target) {
    Operand o[3];
    for (int k = 0; k < 3; ++k) Decode(f, k < static_cast<int>(operands.size()) ? operands[k] : 0, o[k]);
    x.format = op == Operation::ConvertFormat && target ? target : &f;
    switch (op) {
    case Operation::Add: return Sum(x, f, o[0], o[1], false);
    case Operation::Subtract: return Sum(x, f, o[0], o[1], true);
    case Operation::Multiply: return Product(x, f, o[0], o[1]);
    case Operation::Divide: return Quotient(x, f, o[0], o[1]);
    case Operation::SquareRoot: return SquareRoot(x, f, o[0]);
    case Operation::FusedMultiplyAdd: return FusedMultiplyAdd(x, f, o[0], o[1], o[2]);
    case Operation::Remainder: return Remainder(x, f, o[0], o[1]);
    case Operation::RoundToIntegral: return RoundToIntegral(x, f, o[0], rounding);
    case Operation::ConvertFormat: return Convert(x, f, o[0]);
    case Operation::CompareQuiet:
    case Operation::CompareSignaling:
    case Operation::TotalOrder: return Compare(x, f, op, o[0], o[1]);
    }
}

// ---- Decimal texts ----

// digits * 10^exp10 (digits a non-negative integer) as text; see Result.
std::string DecimalText(bool negative, mpz_srcptr integer, int64_t exp10, bool complete) {
    std::string digits = detail::DecimalDigits(integer);
    if (digits == "0") return "0";
    size_t end = digits.size();
    while (end > 1 && digits[end - 1] == '0') --end;
    exp10 += static_cast<int64_t>(digits.size() - end);
    digits.resize(end);
    const int64_t length = static_cast<int64_t>(digits.size());
    const int64_t lead = exp10 + length - 1;
    std::string out = negative ? "-" : "";
    const bool positional = lead >= -20 && (complete || lead < kDigits);
    if (!positional) {
        out += digits[0];
        if (length > 1) {
            out += '.';
            out.append(digits, 1);
        }
        return out + detail::ExponentPart(lead);
    }
    if (exp10 >= 0) {
        out += digits;
        out.append(static_cast<size_t>(exp10), '0');
    } else if (lead >= 0) {
        out.append(digits, 0, static_cast<size_t>(lead + 1));
        out += '.';
        out.append(digits, static_cast<size_t>(lead + 1));
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-lead - 1), '0');
        out += digits;
    }
    return out;
}

// The first kDigits significant digits of a positive integer `q` that holds
// a value times 10^k, truncated: the text of the value.
std::string TruncatedText(bool negative, mpz_ptr q, int64_t k) {
    const int64_t length = static_cast<int64_t>(detail::DecimalDigits(q).size());
    int64_t exp10 = -k;
    if (length > kDigits) {
        Mpz scale;
        mpz_ui_pow_ui(scale.get(), 10, static_cast<unsigned long>(length - kDigits));
        mpz_tdiv_q(q, q, scale.get());
        exp10 += length - kDigits;
    }
    return DecimalText(negative, q, exp10, false);
}

// An estimate of the decimal exponent of num / den (both positive), within 2.
int64_t Decade(mpz_srcptr num, mpz_srcptr den) {
    const double bits = static_cast<double>(mpz_sizeinbase(num, 2)) - static_cast<double>(mpz_sizeinbase(den, 2));
    return static_cast<int64_t>(std::floor(bits * 0.30102999566398120));
}

// num * 10^k, or num / 10^-k, into `out` with `den` scaled to match: so
// that out / den = (num / den) * 10^k.
void ScaleByTen(mpz_ptr out, mpz_ptr den, mpz_srcptr num, int64_t k) {
    Mpz power;
    mpz_ui_pow_ui(power.get(), 10, static_cast<unsigned long>(k < 0 ? -k : k));
    if (k >= 0) mpz_mul(out, num, power.get());
    else {
        mpz_set(out, num);
        mpz_mul(den, den, power.get());
    }
}

// The first kDigits significant digits of (-1)^negative * n / d (n, d
// positive), truncated.
std::string FirstDigitsText(bool negative, mpz_srcptr n, mpz_srcptr d) {
    int64_t k = kDigits + 2 - Decade(n, d);
    Mpz q, scaledDen;
    for (;;) {
        mpz_set(scaledDen.get(), d);
        ScaleByTen(q.get(), scaledDen.get(), n, k);
        mpz_tdiv_q(q.get(), q.get(), scaledDen.get());
        if (mpz_sizeinbase(q.get(), 10) > kDigits) break;
        k += 4;
    }
    return TruncatedText(negative, q.get(), k);
}

// The fraction (-1)^negative * num / den (den positive) in decimal: every
// digit when it is a finite decimal, else the first kDigits.
// With `shortOnly`, a finite decimal is written in full only while its digits
// after the point are about kDigits or fewer.
std::string RationalText(bool negative, mpz_srcptr num, mpz_srcptr den, bool& complete, bool shortOnly = false) {
    complete = true;
    if (mpz_sgn(num) == 0) return "0";
    Mpz n, d, g;
    mpz_abs(n.get(), num);
    mpz_gcd(g.get(), n.get(), den);
    mpz_divexact(n.get(), n.get(), g.get());
    mpz_divexact(d.get(), den, g.get());
    // A finite decimal when the reduced denominator is 2^i * 5^j.
    Mpz rest, five;
    const mp_bitcnt_t twos = mpz_scan1(d.get(), 0);
    mpz_tdiv_q_2exp(rest.get(), d.get(), twos);
    mpz_set_ui(five.get(), 5);
    const mp_bitcnt_t fives = mpz_remove(rest.get(), rest.get(), five.get());
    if (mpz_cmp_ui(rest.get(), 1) == 0 && (!shortOnly || std::max(twos, fives) <= kDigits)) {
        const int64_t k = static_cast<int64_t>(std::max(twos, fives));
        Mpz q;
        ScaleByTen(q.get(), d.get(), n.get(), k);
        mpz_divexact(q.get(), q.get(), d.get());
        return DecimalText(negative, q.get(), -k, true);
    }
    complete = false;
    return FirstDigitsText(negative, n.get(), d.get());
}

// (-1)^negative * a * 2^e in decimal, every digit.
std::string DyadicText(bool negative, mpz_srcptr a, int64_t e) {
    Mpz q;
    if (e >= 0) {
        mpz_mul_2exp(q.get(), a, static_cast<mp_bitcnt_t>(e));
        return DecimalText(negative, q.get(), 0, true);
    }
    mpz_ui_pow_ui(q.get(), 5, static_cast<unsigned long>(-e));
    mpz_mul(q.get(), q.get(), a);
    return DecimalText(negative, q.get(), e, true);
}

// (-1)^negative * a * 2^e in decimal: every digit while there are about
// kDigits significant digits or fewer, else the first kDigits.
std::string ShortDyadicText(bool negative, mpz_srcptr a, int64_t e, bool& complete) {
    complete = true;
    if (mpz_sgn(a) == 0) return "0";
    // Significant digits: those of a * 2^e, or of a * 5^-e for e < 0.
    const double bits = static_cast<double>(mpz_sizeinbase(a, 2)) +
                        (e >= 0 ? static_cast<double>(e) : -static_cast<double>(e) * 2.32192809488736234787);
    if (bits * 0.30102999566398120 < kDigits) return DyadicText(negative, a, e);
    complete = false;
    Mpz n, d;
    mpz_mul_2exp(n.get(), a, static_cast<mp_bitcnt_t>(std::max<int64_t>(e, 0)));
    mpz_set_ui(d.get(), 1);
    mpz_mul_2exp(d.get(), d.get(), static_cast<mp_bitcnt_t>(std::max<int64_t>(-e, 0)));
    return FirstDigitsText(negative, n.get(), d.get());
}

// floor(sqrt(a * 2^e) * 10^k).
void RootTimesTen(mpz_ptr out, mpz_srcptr a, int64_t e, int64_t k) {
    Mpz num, den;
    mpz_mul_2exp(num.get(), a, static_cast<mp_bitcnt_t>(std::max<int64_t>(e, 0)));
    mpz_set_ui(den.get(), 1);
    mpz_mul_2exp(den.get(), den.get(), static_cast<mp_bitcnt_t>(std::max<int64_t>(-e, 0)));
    ScaleByTen(out, den.get(), num.get(), 2 * k);
    mpz_tdiv_q(out, out, den.get());
    mpz_sqrt(out, out);
}

bool IsSquare(mpz_srcptr a) { return mpz_perfect_square_p(a) != 0; }

// sqrt(a * 2^e) - r * 2^er (a not a perfect square, r >= 0) to kDigits
// digits: with 10^k * r an integer, floor(sqrt * 10^k) - r * 10^k is the
// floor of the difference times 10^k, whose magnitude is truncated from it
// (the difference is irrational).
std::string RootDifferenceText(mpz_srcptr a, int64_t e, mpz_srcptr r, int64_t er) {
    int64_t k = std::max<int64_t>(0, -er) + 90;
    Mpz d, rk, five;
    for (;;) {
        RootTimesTen(d.get(), a, e, k);
        // r * 2^er * 10^k = r * 5^k * 2^(er + k), an integer as k >= -er.
        mpz_ui_pow_ui(five.get(), 5, static_cast<unsigned long>(k));
        mpz_mul(rk.get(), r, five.get());
        mpz_mul_2exp(rk.get(), rk.get(), static_cast<mp_bitcnt_t>(er + k));
        mpz_sub(d.get(), d.get(), rk.get());
        const bool negative = mpz_sgn(d.get()) < 0;
        if (negative) {
            mpz_add_ui(d.get(), d.get(), 1);
            mpz_neg(d.get(), d.get());
        }
        if (mpz_sizeinbase(d.get(), 10) > kDigits + 1) return TruncatedText(negative, d.get(), k);
        k += 60;
    }
}

// The rounded result as (-1)^negative * m * 2^e.
void RoundedValue(const FormatInfo& f, uint128 bits, bool& negative, mpz_ptr m, int64_t& e) {
    const detail::BinaryValue v = detail::Decompose(f, bits);
    negative = v.negative;
    detail::SetU128(m, v.significand);
    e = v.exponent;
}

// The exponent of the rounded result's unit in the last place.
int64_t UlpExponent(const FormatInfo& f, uint128 bits) {
    const int stored = StoredExponent(f, bits);
    return static_cast<int64_t>(std::max(stored, 1) - f.bias) - (f.precision - 1);
}

void FillTexts(const Exact& x, Result& out) {
    const FormatInfo& f = *x.format;
    if (x.shape == Shape::Pattern || x.shape == Shape::Infinite) return;
    bool rNegative = false;
    Mpz r;
    int64_t re = 0;
    const bool finite = IsFinitePattern(f, out.bits);
    if (finite) RoundedValue(f, out.bits, rNegative, r.get(), re);
    const int64_t ulp = finite ? UlpExponent(f, out.bits) : 0;

    if (x.shape == Shape::Dyadic) {
        out.exact = DyadicText(x.negative, x.a.get(), x.e);
        if (!finite) return;
        Exact d;
        d.format = x.format;
        AddDyadic(d, x.negative, x.a.get(), x.e, !rNegative, r.get(), re);
        out.error = DyadicText(d.negative, d.a.get(), d.e);
        out.errorUlps = ShortDyadicText(d.negative, d.a.get(), d.e - ulp, out.errorUlpsComplete);
        return;
    }
    if (x.shape == Shape::Quotient) {
        // a / b * 2^e as num / den with the power of two folded in.
        auto fraction = [&](int64_t shift, mpz_ptr num, mpz_ptr den, bool withRounded) {
            const int64_t e = x.e - shift;
            const int64_t low = withRounded ? std::min(e, re - shift) : e;
            mpz_mul_2exp(num, x.a.get(), static_cast<mp_bitcnt_t>(e - low));
            if (x.negative) mpz_neg(num, num);
            mpz_set(den, x.b.get());
            if (withRounded) {
                Mpz t;
                mpz_mul(t.get(), r.get(), x.b.get());
                mpz_mul_2exp(t.get(), t.get(), static_cast<mp_bitcnt_t>(re - shift - low));
                if (rNegative) mpz_neg(t.get(), t.get());
                mpz_sub(num, num, t.get());
            }
            if (low >= 0) mpz_mul_2exp(num, num, static_cast<mp_bitcnt_t>(low));
            else mpz_mul_2exp(den, den, static_cast<mp_bitcnt_t>(-low));
        };
        Mpz num, den;
        fraction(0, num.get(), den.get(), false);
        out.exact = RationalText(mpz_sgn(num.get()) < 0, num.get(), den.get(), out.exactComplete);
        if (!finite) return;
        fraction(0, num.get(), den.get(), true);
        out.error = RationalText(mpz_sgn(num.get()) < 0, num.get(), den.get(), out.errorComplete);
        fraction(ulp, num.get(), den.get(), true);
        out.errorUlps = RationalText(mpz_sgn(num.get()) < 0, num.get(), den.get(), out.errorUlpsComplete, true);
        return;
    }
    // Square root.
    if (IsSquare(x.a.get())) {
        Mpz s;
        mpz_sqrt(s.get(), x.a.get());
        Exact exact;
        exact.format = x.format;
        mpz_set(exact.a.get(), s.get());
        exact.e = x.e / 2;
        exact.shape = Shape::Dyadic;
        FillTexts(exact, out);
        return;
    }
    out.exactComplete = out.errorComplete = out.errorUlpsComplete = false;
    const double bits = static_cast<double>(mpz_sizeinbase(x.a.get(), 2)) + static_cast<double>(x.e);
    int64_t k = kDigits + 2 - static_cast<int64_t>(std::floor(bits * 0.150514997831990598));
    Mpz q;
    for (RootTimesTen(q.get(), x.a.get(), x.e, k); mpz_sizeinbase(q.get(), 10) <= kDigits; k += 4)
        RootTimesTen(q.get(), x.a.get(), x.e, k + 4);
    out.exact = TruncatedText(false, q.get(), k);
    out.error = RootDifferenceText(x.a.get(), x.e, r.get(), re);
    out.errorUlps = RootDifferenceText(x.a.get(), x.e - 2 * ulp, r.get(), re - ulp);
}

Result Finish(const Exact& x, Rounding rounding, Tininess tininess, OnOverflow onOverflow, bool texts) {
    Result out;
    out.format = x.format;
    out.hasPattern = x.hasPattern;
    out.outcome = x.outcome;
    const FormatInfo& f = *x.format;
    Rounded r;
    switch (x.shape) {
    case Shape::Pattern: r.bits = x.bits; break;
    case Shape::Infinite: {
        const uint128 sign = x.negative ? f.signBit() : 0;
        if (f.hasInfinity()) {
            r.bits = sign | f.infinity();
            break;
        }
        // No infinity: as an overflow.
        const bool saturate = onOverflow == OnOverflow::Saturate || !f.hasNaN();
        r.bits = sign | (saturate ? f.largestFinite() : DefaultNaNPattern(f));
        r.flags.overflow = r.flags.inexact = true;
        break;
    }
    case Shape::Dyadic: {
        const bool negative = x.sumZero ? rounding == Rounding::TowardNegative : x.negative;
        r = RoundExact(f, negative, x.a.get(), x.e, false, rounding, tininess, onOverflow);
        break;
    }
    case Shape::Quotient:
        r = RoundQuotient(f, x.negative, x.a.get(), x.b.get(), x.e, rounding, tininess, onOverflow);
        break;
    case Shape::Root: {
        // Enough root bits that the first discarded bit is one of them; the
        // remainder of the integer root is the sticky part.
        const int64_t extra = std::max<int64_t>(
            0, (2 * (f.precision + 2) - static_cast<int64_t>(mpz_sizeinbase(x.a.get(), 2)) + 1) / 2 + 1);
        Mpz scaled, root, remainder;
        mpz_mul_2exp(scaled.get(), x.a.get(), static_cast<mp_bitcnt_t>(2 * extra));
        mpz_sqrtrem(root.get(), remainder.get(), scaled.get());
        r = RoundExact(f, false, root.get(), x.e / 2 - extra, mpz_sgn(remainder.get()) != 0, rounding, tininess,
                       onOverflow);
        break;
    }
    }
    out.bits = r.bits;
    out.flags = r.flags;
    out.flags.invalid = x.flags.invalid;
    out.flags.divideByZero = x.flags.divideByZero;
    if (x.neverInexact) out.flags.inexact = false;
    if (texts) FillTexts(x, out);
    return out;
}

}  // namespace

int OperandCount(Operation op) {
    switch (op) {
    case Operation::SquareRoot:
    case Operation::RoundToIntegral:
    case Operation::ConvertFormat: return 1;
    case Operation::FusedMultiplyAdd: return 3;
    default: return 2;
    }
}

bool IsComparison(Operation op) {
    return op == Operation::CompareQuiet || op == Operation::CompareSignaling || op == Operation::TotalOrder;
}

uint128 DefaultNaN(const FormatInfo& f) { return DefaultNaNPattern(f); }

Result Compute(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
               Tininess tininess, const FormatInfo* target, OnOverflow onOverflow) {
    Exact x;
    Evaluate(x, op, f, operands, rounding, target);
    return Finish(x, rounding, tininess, onOverflow, true);
}

Result ComputeWithoutTexts(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
                           Tininess tininess, const FormatInfo* target, OnOverflow onOverflow) {
    Exact x;
    Evaluate(x, op, f, operands, rounding, target);
    return Finish(x, rounding, tininess, onOverflow, false);
}

namespace {

// The five rows from an exact result already worked out (roundToIntegral's
// exact result depends on the direction, so it is worked out per row).
std::array<Result, 5> Rows(const Exact& x, Operation op, const FormatInfo& f, std::span<const uint128> operands,
                           Tininess tininess, const FormatInfo* target, OnOverflow onOverflow) {
    std::array<Result, 5> out;
    for (size_t k = 0; k < out.size(); ++k) {
        if (op != Operation::RoundToIntegral) {
            out[k] = Finish(x, kAllRoundings[k], tininess, onOverflow, false);
            continue;
        }
        Exact own;
        Evaluate(own, op, f, operands, kAllRoundings[k], target);
        out[k] = Finish(own, kAllRoundings[k], tininess, onOverflow, false);
    }
    return out;
}

}  // namespace

std::array<Result, 5> ComputeAllDirections(Operation op, const FormatInfo& f, std::span<const uint128> operands,
                                           Tininess tininess, const FormatInfo* target, OnOverflow onOverflow) {
    Exact x;
    Evaluate(x, op, f, operands, Rounding::TiesToEven, target);
    return Rows(x, op, f, operands, tininess, target, onOverflow);
}

void ExactResultOf(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
                   ExactValue& out, const FormatInfo* target) {
    Exact x;
    Evaluate(x, op, f, operands, rounding, target);
    mpz_set_ui(out.den.get(), 1);
    out.exp2 = x.e;
    out.negative = x.sumZero ? rounding == Rounding::TowardNegative : x.negative;
    switch (x.shape) {
    case Shape::Pattern:
        out.shape = ExactValue::Shape::NotFinite;
        out.pattern = x.bits;
        return;
    case Shape::Infinite:
        // What the format makes of an infinity: its own, its NaN or its largest value.
        out.shape = ExactValue::Shape::NotFinite;
        out.pattern = Finish(x, rounding, Tininess::AfterRounding, OnOverflow::Standard, false).bits;
        return;
    case Shape::Quotient: mpz_set(out.den.get(), x.b.get()); [[fallthrough]];
    case Shape::Dyadic:
        out.shape = ExactValue::Shape::Rational;
        mpz_set(out.num.get(), x.a.get());
        return;
    case Shape::Root:
        out.shape = ExactValue::Shape::Root;
        mpz_set(out.num.get(), x.a.get());
        return;
    }
}

ResultAndRows ComputeWithAllDirections(Operation op, const FormatInfo& f, std::span<const uint128> operands,
                                       Rounding rounding, Tininess tininess, const FormatInfo* target,
                                       OnOverflow onOverflow) {
    Exact x;
    Evaluate(x, op, f, operands, rounding, target);
    return {Finish(x, rounding, tininess, onOverflow, true), Rows(x, op, f, operands, tininess, target, onOverflow)};
}

}  // namespace ieee
