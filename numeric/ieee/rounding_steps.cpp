// The steps of a rounding, by integer arithmetic on the exact value.
#include "numeric/ieee/rounding_steps.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace ieee {

namespace {

using detail::Mpz;

// floor(log2 |x|) of a non-zero rational or root.
int64_t LeadingExponent(const ExactValue& x) {
    if (x.shape == ExactValue::Shape::Root) {
        const int64_t log2 = static_cast<int64_t>(mpz_sizeinbase(x.num.get(), 2)) - 1 + x.exp2;
        return log2 >= 0 ? log2 / 2 : -((-log2 + 1) / 2);
    }
    const int64_t bn = static_cast<int64_t>(mpz_sizeinbase(x.num.get(), 2));
    const int64_t bd = static_cast<int64_t>(mpz_sizeinbase(x.den.get(), 2));
    // num / den lies in [2^(bn-bd-1), 2^(bn-bd+1)); one comparison decides.
    Mpz a, b;
    mpz_set(a.get(), x.num.get());
    mpz_set(b.get(), x.den.get());
    if (bn >= bd) mpz_mul_2exp(b.get(), b.get(), static_cast<mp_bitcnt_t>(bn - bd));
    else mpz_mul_2exp(a.get(), a.get(), static_cast<mp_bitcnt_t>(bd - bn));
    return bn - bd + x.exp2 - (mpz_cmp(a.get(), b.get()) < 0 ? 1 : 0);
}

// floor(|x| / 2^scale) into t; true when something is left over.
bool ScaledFloor(const ExactValue& x, int64_t scale, mpz_ptr t) {
    if (x.shape == ExactValue::Shape::Root) {
        // sqrt(num * 2^exp2) / 2^scale = sqrt(num * 2^(exp2 - 2 scale)).
        const int64_t s = x.exp2 - 2 * scale;
        Mpz y, rem;
        bool lost = false;
        if (s >= 0) mpz_mul_2exp(y.get(), x.num.get(), static_cast<mp_bitcnt_t>(s));
        else {
            mpz_tdiv_q_2exp(y.get(), x.num.get(), static_cast<mp_bitcnt_t>(-s));
            lost = mpz_scan1(x.num.get(), 0) < static_cast<mp_bitcnt_t>(-s);
        }
        mpz_sqrtrem(t, rem.get(), y.get());
        return lost || mpz_sgn(rem.get()) != 0;
    }
    const int64_t s = x.exp2 - scale;
    Mpz n, d, r;
    mpz_set(n.get(), x.num.get());
    mpz_set(d.get(), x.den.get());
    if (s >= 0) mpz_mul_2exp(n.get(), n.get(), static_cast<mp_bitcnt_t>(s));
    else mpz_mul_2exp(d.get(), d.get(), static_cast<mp_bitcnt_t>(-s));
    mpz_tdiv_qr(t, r.get(), n.get(), d.get());
    return mpz_sgn(r.get()) != 0;
}

// ---- The period of 1/o in binary, o odd: the multiplicative order of 2 mod o ----

using u64 = uint64_t;
__extension__ typedef unsigned __int128 u128;

u64 MulMod(u64 a, u64 b, u64 m) { return static_cast<u64>(static_cast<u128>(a) * b % m); }
u64 PowMod(u64 b, u64 e, u64 m) {
    u64 r = 1 % m;
    for (b %= m; e; e >>= 1, b = MulMod(b, b, m))
        if (e & 1) r = MulMod(r, b, m);
    return r;
}

bool IsPrime(u64 n) {
    if (n < 2) return false;
    for (u64 p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37})
        if (n % p == 0) return n == p;
    u64 d = n - 1;
    int s = 0;
    for (; (d & 1) == 0; d >>= 1) ++s;
    for (u64 a : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37}) {
        u64 x = PowMod(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int k = 1; k < s && composite; ++k) {
            x = MulMod(x, x, n);
            if (x == n - 1) composite = false;
        }
        if (composite) return false;
    }
    return true;  // deterministic for every 64-bit n with these bases
}

// A non-trivial factor of the odd composite n (Pollard's rho, Brent's cycle
// finding); 0 when the step budget runs out.
u64 RhoFactor(u64 n, long& budget) {
    for (u64 c = 1; budget > 0; ++c) {
        u64 x = 2, y = 2, q = 1, g = 1, ys = 2;
        const u64 m = 64;
        for (u64 r = 1; g == 1 && budget > 0; r <<= 1) {
            x = y;
            for (u64 i = 0; i < r; ++i) y = (MulMod(y, y, n) + c) % n;
            for (u64 k = 0; k < r && g == 1; k += m) {
                ys = y;
                for (u64 i = 0; i < std::min(m, r - k); ++i) {
                    y = (MulMod(y, y, n) + c) % n;
                    q = MulMod(q, x > y ? x - y : y - x, n);
                }
                g = std::gcd(q, n);
                budget -= static_cast<long>(m);
            }
        }
        if (g == n) {
            do {
                ys = (MulMod(ys, ys, n) + c) % n;
                g = std::gcd(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n && g != 1) return g;
    }
    return 0;
}

// The prime factors of n (with repetition); false when the budget ran out.
bool Factor(u64 n, std::vector<u64>& primes, long& budget) {
    for (u64 p = 2; p < 1000 && p * p <= n; ++p)
        while (n % p == 0) {
            primes.push_back(p);
            n /= p;
        }
    std::vector<u64> pending;
    if (n > 1) pending.push_back(n);
    while (!pending.empty()) {
        const u64 m = pending.back();
        pending.pop_back();
        if (IsPrime(m)) {
            primes.push_back(m);
            continue;
        }
        const u64 d = RhoFactor(m, budget);
        if (d == 0) return false;
        pending.push_back(d);
        pending.push_back(m / d);
    }
    return true;
}

// The order of 2 modulo the odd number o > 1, or 0 when not worked out.
u64 OrderOfTwo(u64 o) {
    long budget = 2'000'000;
    std::vector<u64> primes;
    if (!Factor(o, primes, budget)) return 0;
    std::sort(primes.begin(), primes.end());
    // Carmichael's lambda(o) = lcm over p^a of p^(a-1) (p - 1): a multiple of the order.
    u64 lambda = 1;
    for (size_t i = 0; i < primes.size();) {
        size_t j = i;
        u64 pk = 1;
        while (j < primes.size() && primes[j] == primes[i]) pk *= primes[j++];
        const u64 phi = pk / primes[i] * (primes[i] - 1);
        lambda = lambda / std::gcd(lambda, phi) * phi;  // below o < 2^64
        i = j;
    }
    std::vector<u64> lambdaPrimes;
    if (!Factor(lambda, lambdaPrimes, budget)) return 0;
    lambdaPrimes.erase(std::unique(lambdaPrimes.begin(), lambdaPrimes.end()), lambdaPrimes.end());
    u64 order = lambda;
    for (u64 p : lambdaPrimes)
        while (order % p == 0 && PowMod(2, order / p, o) == 1) order /= p;
    return order;
}

// The period of the binary expansion of a fraction whose reduced
// denominator has the odd part `odd` (> 1).
std::string PeriodText(mpz_srcptr odd) {
    // 2 generates the units modulo every power of 5, so for 5^k the order is
    // 4 * 5^(k-1): the case of every typed decimal fraction.
    Mpz rest, five;
    mpz_set_ui(five.get(), 5);
    const mp_bitcnt_t fives = mpz_remove(rest.get(), odd, five.get());
    if (mpz_cmp_ui(rest.get(), 1) == 0) {
        if (fives <= 20) {
            Mpz p;
            mpz_ui_pow_ui(p.get(), 5, fives - 1);
            mpz_mul_ui(p.get(), p.get(), 4);
            return detail::DecimalDigits(p.get());
        }
        return "4*5^" + std::to_string(fives - 1);
    }
    if (mpz_sizeinbase(odd, 2) > 64) return "";
    const u64 order = OrderOfTwo(mpz_get_ui(odd));
    return order == 0 ? "" : std::to_string(order);
}

}  // namespace

RoundingSteps ExplainRounding(const FormatInfo& f, const ExactValue& x, Rounding rounding, Tininess tininess) {
    RoundingSteps s;
    if (x.shape == ExactValue::Shape::NotFinite) {
        s.result.bits = x.pattern;
        return s;
    }
    s.finite = true;
    s.negative = x.negative;
    if (mpz_sgn(x.num.get()) == 0) {
        s.zero = true;
        Mpz zero;
        s.result = RoundExact(f, x.negative, zero.get(), 0, false, rounding, tininess);
        s.truncated = s.result.bits;
        return s;
    }
    const int64_t p = f.precision;
    s.exponent = LeadingExponent(x);
    s.subnormal = s.exponent < f.emin;
    s.quantumExp = std::max<int64_t>(s.exponent, f.emin) - p + 1;
    s.keptBits = p - (std::max<int64_t>(s.exponent, f.emin) - s.exponent);

    // T holds every bit down to the round bit: kept bits, guard, round.
    Mpz t;
    s.sticky = ScaledFloor(x, s.quantumExp - 2, t.get());
    s.guard = mpz_tstbit(t.get(), 1);
    s.round = mpz_tstbit(t.get(), 0);
    if (mpz_sgn(t.get()) != 0) {
        s.bits.reserve(static_cast<size_t>(p + 2));
        for (size_t k = mpz_sizeinbase(t.get(), 2); k-- > 0;) s.bits += mpz_tstbit(t.get(), k) ? '1' : '0';
    }

    // What the sticky bit stands for.
    if (s.sticky) {
        bool rootIsDyadic = false;
        if (x.shape == ExactValue::Shape::Root) rootIsDyadic = mpz_perfect_square_p(x.num.get()) != 0;
        if (x.shape == ExactValue::Shape::Root && !rootIsDyadic) {
            s.tail = RoundingSteps::Tail::Endless;
        } else {
            // The reduced denominator's odd part decides: 1 for a finite tail.
            Mpz num, den, g;
            if (rootIsDyadic) {
                mpz_sqrt(num.get(), x.num.get());
                mpz_set_ui(den.get(), 1);
            } else {
                mpz_set(num.get(), x.num.get());
                mpz_set(den.get(), x.den.get());
            }
            mpz_gcd(g.get(), num.get(), den.get());
            mpz_divexact(den.get(), den.get(), g.get());
            mpz_divexact(num.get(), num.get(), g.get());
            Mpz odd;
            mpz_tdiv_q_2exp(odd.get(), den.get(), mpz_scan1(den.get(), 0));
            if (mpz_cmp_ui(odd.get(), 1) != 0) {
                s.tail = RoundingSteps::Tail::Periodic;
                s.period = PeriodText(odd.get());
            } else {
                // |x| = num * 2^(e2) with num odd (den a power of two folded
                // into the exponent): its last 1 bit is worth 2^e2.
                const int64_t e2 = (rootIsDyadic ? x.exp2 / 2 : x.exp2) -
                                   static_cast<int64_t>(mpz_scan1(den.get(), 0)) +
                                   static_cast<int64_t>(mpz_scan1(num.get(), 0));
                s.tail = RoundingSteps::Tail::Finite;
                s.stickyCount = std::to_string((s.quantumExp - 2) - e2);
            }
        }
    }

    if (!s.guard && !s.round && !s.sticky) s.decision = RoundingSteps::Decision::Exact;
    else if (!s.guard) s.decision = RoundingSteps::Decision::BelowHalf;
    else if (s.round || s.sticky) s.decision = RoundingSteps::Decision::AboveHalf;
    else s.decision = RoundingSteps::Decision::Tie;

    Mpz kept;
    mpz_tdiv_q_2exp(kept.get(), t.get(), 2);
    s.awayFromZero = s.decision != RoundingSteps::Decision::Exact &&
                     RoundsUp(rounding, s.negative, mpz_odd_p(kept.get()) != 0, s.guard != 0, s.round || s.sticky);
    if (s.awayFromZero && mpz_sgn(kept.get()) != 0) {
        Mpz next;
        mpz_add_ui(next.get(), kept.get(), 1);
        s.carry = mpz_sizeinbase(next.get(), 2) > mpz_sizeinbase(kept.get(), 2);
    }

    // The rounding itself, by the same routine every conversion and
    // operation uses; a value wholly below the round bit is stood in for by
    // a quarter of the quantum with a sticky part, which rounds alike.
    if (mpz_sgn(t.get()) != 0)
        s.result = RoundExact(f, s.negative, t.get(), s.quantumExp - 2, s.sticky, rounding, tininess);
    else {
        Mpz one;
        mpz_set_ui(one.get(), 1);
        s.result = RoundExact(f, s.negative, one.get(), s.quantumExp - 3, true, rounding, tininess);
    }
    // Beyond the largest finite value, wherever that lies (E4M3 gives its
    // top significand of the top binade to its NaN).
    s.beyondRange = s.result.flags.overflow;
    if (!s.beyondRange) {
        const Rounded truncated =
            RoundExact(f, s.negative, kept.get(), s.quantumExp, false, Rounding::TowardZero, tininess);
        s.truncated = truncated.bits;
    }
    return s;
}

bool ExactOfTyped(const TypedDecimal& typed, ExactValue& x) {
    constexpr int64_t kLimit = 200000;  // decimal places beyond which no format's range reaches
    const int64_t digits = static_cast<int64_t>(typed.digits.size());
    if (typed.exponent > kLimit || typed.exponent < -(kLimit + digits)) return false;
    if (mpz_set_str(x.num.get(), typed.digits.c_str(), 10) != 0) return false;
    x.shape = ExactValue::Shape::Rational;
    x.negative = typed.negative;
    x.exp2 = 0;
    mpz_set_ui(x.den.get(), 1);
    Mpz power;
    mpz_ui_pow_ui(power.get(), 10, static_cast<unsigned long>(typed.exponent >= 0 ? typed.exponent : -typed.exponent));
    if (typed.exponent >= 0) mpz_mul(x.num.get(), x.num.get(), power.get());
    else mpz_set(x.den.get(), power.get());
    return true;
}

namespace {

// digits * 10^-scale as text: positional from 1E-20 up to below 1E40, else
// scientific.
std::string LayOut(bool negative, const std::string& digits, int64_t scale) {
    const int64_t n = static_cast<int64_t>(digits.size());
    const int64_t exp10 = n - 1 - scale;
    std::string out = negative ? "-" : "";
    if (exp10 < -20 || exp10 >= 40) {
        out += digits[0];
        if (n > 1) out += "." + digits.substr(1);
        return out + detail::ExponentPart(exp10);
    }
    if (scale <= 0) return out + digits + std::string(static_cast<size_t>(-scale), '0');
    if (n > scale)
        return out + digits.substr(0, static_cast<size_t>(n - scale)) + "." +
               digits.substr(static_cast<size_t>(n - scale));
    return out + "0." + std::string(static_cast<size_t>(scale - n), '0') + digits;
}

}  // namespace

std::string ExactValueText(const ExactValue& x, int maxDigits, bool& complete, std::string* totalDigits) {
    complete = true;
    if (totalDigits) totalDigits->clear();
    if (x.shape == ExactValue::Shape::NotFinite) return "";
    if (mpz_sgn(x.num.get()) == 0) {
        if (totalDigits) *totalDigits = "1";
        return x.negative ? "-0" : "0";
    }
    // |x| = P / Q in lowest terms (a root that is exact becomes one).
    Mpz P, Q;
    bool root = x.shape == ExactValue::Shape::Root;
    int64_t e = x.exp2;
    if (root && mpz_perfect_square_p(x.num.get())) {
        mpz_sqrt(P.get(), x.num.get());
        e /= 2;
        root = false;
    } else mpz_set(P.get(), x.num.get());
    mpz_set(Q.get(), x.den.get());
    if (!root) {
        if (e >= 0) mpz_mul_2exp(P.get(), P.get(), static_cast<mp_bitcnt_t>(e));
        else mpz_mul_2exp(Q.get(), Q.get(), static_cast<mp_bitcnt_t>(-e));
        Mpz g;
        mpz_gcd(g.get(), P.get(), Q.get());
        mpz_divexact(P.get(), P.get(), g.get());
        mpz_divexact(Q.get(), Q.get(), g.get());
        // A finite decimal when Q = 2^a 5^b: P * 10^k / Q is an integer, k = max(a, b).
        Mpz rest, five;
        mpz_set_ui(five.get(), 5);
        const mp_bitcnt_t a = mpz_scan1(Q.get(), 0);
        mpz_tdiv_q_2exp(rest.get(), Q.get(), a);
        const mp_bitcnt_t b = mpz_remove(rest.get(), rest.get(), five.get());
        if (mpz_cmp_ui(rest.get(), 1) == 0) {
            const mp_bitcnt_t k = std::max(a, b);
            Mpz digits, scale;
            mpz_ui_pow_ui(scale.get(), 10, k);
            mpz_mul(digits.get(), P.get(), scale.get());
            mpz_divexact(digits.get(), digits.get(), Q.get());
            std::string text = detail::DecimalDigits(digits.get());
            if (totalDigits) *totalDigits = std::to_string(text.size());
            int64_t s = static_cast<int64_t>(k);
            if (static_cast<int64_t>(text.size()) > maxDigits) {
                s -= static_cast<int64_t>(text.size()) - maxDigits;
                text.resize(static_cast<size_t>(maxDigits));
                complete = false;
            }
            return LayOut(x.negative, text, s);
        }
    }
    // The first maxDigits digits of an endless expansion: floor(|x| * 10^k).
    complete = false;
    if (totalDigits) *totalDigits = "0";
    const double log10 =
        root ? (static_cast<double>(mpz_sizeinbase(P.get(), 2)) + static_cast<double>(e)) / 2 * 0.30102999566398120
             : (static_cast<double>(mpz_sizeinbase(P.get(), 2)) - static_cast<double>(mpz_sizeinbase(Q.get(), 2))) *
                   0.30102999566398120;
    int64_t k = maxDigits - 1 - static_cast<int64_t>(log10);
    Mpz q;
    std::string digits;
    for (int attempt = 0; attempt < 4; ++attempt) {
        Mpz n, d, ten;
        mpz_set(n.get(), P.get());
        mpz_set(d.get(), Q.get());
        mpz_ui_pow_ui(ten.get(), 10, static_cast<unsigned long>(root ? 2 * std::abs(k) : std::abs(k)));
        if (k >= 0) mpz_mul(n.get(), n.get(), ten.get());
        else mpz_mul(d.get(), d.get(), ten.get());
        if (root) {
            if (e >= 0) mpz_mul_2exp(n.get(), n.get(), static_cast<mp_bitcnt_t>(e));
            else mpz_mul_2exp(d.get(), d.get(), static_cast<mp_bitcnt_t>(-e));
            mpz_tdiv_q(n.get(), n.get(), d.get());
            mpz_sqrt(q.get(), n.get());
        } else mpz_tdiv_q(q.get(), n.get(), d.get());
        digits = detail::DecimalDigits(q.get());
        const int64_t got = static_cast<int64_t>(digits.size());
        if (got == maxDigits || attempt == 3) break;  // the digits shown always belong to k
        k += maxDigits - got;
    }
    return LayOut(x.negative, digits, k);
}

}  // namespace ieee
