// Rounding by integer arithmetic: the kept significand is the magnitude cut
// at the quantum of its binade (or of the subnormal range), and the cut-off
// part is summarised by its first bit and whether anything follows it. GMP
// does the cutting, so no value passes through a native floating type and
// nothing is rounded twice.
#include "numeric/ieee/exact_rounding.h"

#include <algorithm>

#include "numeric/ieee/exact_binary.h"

namespace ieee {

namespace {

uint128 GetU128(mpz_srcptr z) {
    uint64_t parts[2] = {0, 0};
    size_t count = 0;
    if (mpz_sizeinbase(z, 2) <= 128) mpz_export(parts, &count, -1, sizeof(uint64_t), 0, 0, z);
    return (uint128(parts[1]) << 64) | parts[0];
}

// The magnitude significand * 2^exponent (+ sticky) cut at 2^quantum.
struct Cut {
    uint128 kept = 0;
    bool half = false;  // the first discarded bit
    bool rest = false;  // anything below it, sticky part included
};

Cut CutAt(mpz_srcptr significand, int64_t exponent, bool sticky, int64_t quantum) {
    Cut c;
    const int64_t shift = quantum - exponent;
    if (shift <= 0) {
        // The caller's quantum keeps at most the precision's bits, so the
        // shifted significand stays below 2^precision.
        detail::Mpz t;
        mpz_mul_2exp(t.get(), significand, static_cast<mp_bitcnt_t>(-shift));
        c.kept = GetU128(t.get());
        c.rest = sticky;  // a sticky part below 2^exponent lies below the first discarded bit too
        return c;
    }
    const mp_bitcnt_t s = static_cast<mp_bitcnt_t>(shift);
    const size_t length = mpz_sizeinbase(significand, 2);
    if (static_cast<uint64_t>(shift) <= length) {
        detail::Mpz t;
        mpz_tdiv_q_2exp(t.get(), significand, s);
        c.kept = GetU128(t.get());
    }
    c.half = mpz_tstbit(significand, s - 1) != 0;
    c.rest = sticky || (mpz_sgn(significand) != 0 && mpz_scan1(significand, 0) < s - 1);
    return c;
}

}  // namespace

bool RoundsUp(Rounding rounding, bool negative, bool odd, bool half, bool rest) {
    switch (rounding) {
    case Rounding::TiesToEven: return half && (rest || odd);
    case Rounding::TiesToAway: return half;
    case Rounding::TowardPositive: return !negative && (half || rest);
    case Rounding::TowardNegative: return negative && (half || rest);
    case Rounding::TowardZero: return false;
    }
    return false;
}

Rounded RoundExact(const FormatInfo& f, bool negative, mpz_srcptr significand, int64_t exponent, bool sticky,
                   Rounding rounding, Tininess tininess, OnOverflow onOverflow) {
    Rounded out;
    const uint128 sign = negative ? f.signBit() : 0;
    if (mpz_sgn(significand) == 0) {
        // Only a sticky part: a caller error, rounded as the smallest magnitude
        // the sticky part could be, far below any subnormal.
        if (!sticky) {
            out.bits = sign;
            return out;
        }
        detail::Mpz one;
        mpz_set_ui(one.get(), 1);
        return RoundExact(f, negative, one.get(), exponent - 1, true, rounding, tininess, onOverflow);
    }
    const int p = f.precision;
    const int64_t lead = exponent + static_cast<int64_t>(mpz_sizeinbase(significand, 2)) - 1;
    int64_t quantum = std::max<int64_t>(lead, f.emin) - (p - 1);
    const Cut cut = CutAt(significand, exponent, sticky, quantum);
    uint128 kept = cut.kept;
    if (RoundsUp(rounding, negative, (kept & 1) != 0, cut.half, cut.rest)) ++kept;
    if (kept == uint128(1) << p) {
        kept >>= 1;
        ++quantum;
    }
    out.flags.inexact = cut.half || cut.rest;

    bool tiny = lead < f.emin;
    if (tiny && tininess == Tininess::AfterRounding && lead == f.emin - 1) {
        // Rounded to the full precision with an unbounded exponent range,
        // the value reaches 2^emin only by carrying out of all-ones bits.
        const Cut full = CutAt(significand, exponent, sticky, lead - (p - 1));
        const uint128 allOnes = (uint128(1) << p) - 1;
        if (full.kept == allOnes && RoundsUp(rounding, negative, true, full.half, full.rest)) tiny = false;
    }
    out.flags.underflow = tiny && out.flags.inexact;

    const uint128 hidden = uint128(1) << (p - 1);
    int64_t stored = 0;
    if (kept >= hidden) stored = quantum + (p - 1) + f.bias;
    const uint128 largest = f.largestFinite();
    const bool overflow = stored > f.maxStored() || ((static_cast<uint128>(stored) << f.fractionBits) |
                                                     (kept & f.fractionMask())) > MagnitudeIndex(f, largest);
    if (overflow) {
        out.flags.overflow = true;
        out.flags.inexact = true;
        out.flags.underflow = false;
        bool away = true;  // the direction goes beyond the largest finite value
        if (rounding == Rounding::TowardZero) away = false;
        if (rounding == Rounding::TowardPositive) away = !negative;
        if (rounding == Rounding::TowardNegative) away = negative;
        if (!away || onOverflow == OnOverflow::Saturate || !f.hasNaN()) out.bits = sign | largest;
        else if (f.hasInfinity()) out.bits = sign | f.infinity();
        else out.bits = sign | DefaultNaNPattern(f);  // no infinity: the NaN stands for it
        return out;
    }
    const uint128 index = (uint128(static_cast<uint64_t>(stored)) << f.fractionBits) | (kept & f.fractionMask());
    out.bits = sign | MagnitudeFromIndex(f, index);
    return out;
}

Rounded RoundQuotient(const FormatInfo& f, bool negative, mpz_srcptr a, mpz_srcptr b, int64_t exponent,
                      Rounding rounding, Tininess tininess, OnOverflow onOverflow) {
    // Enough quotient bits that the first discarded bit is one of them; the
    // remainder is the sticky part.
    const int64_t shift = std::max<int64_t>(
        0, static_cast<int64_t>(mpz_sizeinbase(b, 2)) - static_cast<int64_t>(mpz_sizeinbase(a, 2)) + f.precision + 2);
    detail::Mpz scaled, q, r;
    mpz_mul_2exp(scaled.get(), a, static_cast<mp_bitcnt_t>(shift));
    mpz_tdiv_qr(q.get(), r.get(), scaled.get(), b);
    return RoundExact(f, negative, q.get(), exponent - shift, mpz_sgn(r.get()) != 0, rounding, tininess, onOverflow);
}

}  // namespace ieee
