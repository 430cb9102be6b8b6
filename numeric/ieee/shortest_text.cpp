// The shortest decimal text that reads back to the same pattern.
//
// binary32 and binary64: std::to_chars's shortest form, which reads back
// through std::from_chars (the converter ReadFreeForm uses for them) and is
// the nearest to the value among the shortest.
//
// Every other format has no such converter; the digits are
// searched for. Let x > 0 be the value and R the set of reals that
// ReadFreeForm rounds to x's pattern. R is an interval containing x (rounding
// is monotone), not always symmetric about it: at a power of two the gap
// below is half the gap above. For a digit count n let lo_n <= x <= hi_n be
// the n-digit decimals nearest below and above x (mpfr_get_str rounding down
// and up; equal when x has n digits or fewer). If some n-digit decimal d
// reads back, lo_n or hi_n does: for d <= x, lo_n lies in [d, x], which is
// inside R; for d >= x, hi_n lies in [x, d]. The neighbours may cross a power
// of ten (hi_n = 10^k), which only makes the grid there finer or equal, so
// the argument holds unchanged. So "some n-digit decimal reads back" is
// decided by trying lo_n and hi_n, the nearer first (mpfr_get_str rounding
// to nearest, ties to the even digit, as std::to_chars breaks ties), and the
// nearer is kept whenever both read back. The property is monotone in n (an
// n-digit decimal is also one of n + 1 digits), and it holds for
// n = 1 + ceil(p * log10(2)), where half a decimal unit is below half the
// binary gap, so the least n is found by bisection between 1 and that
// count. Every candidate is checked by ReadFreeForm itself, the reader the
// text is meant for.
#include <charconv>
#include <string>

#include <mpfr.h>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

// An mpfr_t that frees itself.
class Mpfr {
public:
    explicit Mpfr(mpfr_prec_t precision) { mpfr_init2(v_, precision); }
    ~Mpfr() { mpfr_clear(v_); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
    mpfr_ptr get() { return v_; }

private:
    mpfr_t v_;
};

template <typename T>
std::string Charconv(T x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

// A decimal 0.d1 d2 ... dn * 10^point (d1 non-zero).
struct Digits {
    std::string digits;
    long point = 0;
};

// Digits d1...dn (no leading zero) with the value 0.d1...dn * 10^point, the
// shortest that read back to the value v, laid out as std::to_chars writes
// its shortest form: trailing zeros dropped, then fixed notation when that is
// no longer than scientific, else scientific with at least two exponent
// digits. std::to_chars counts characters, not digits: a fixed form that
// ends in zeros before the point ("65500") is as long as the exact value's
// digits ("65504"), which are nearer, so those are written. v is then an
// integer: where the spacing of the format is below 1 every nearby integer
// is a value of its own and reads back to itself.
std::string CharconvLayout(bool negative, std::string digits, long point, const detail::BinaryValue& v) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const long n = static_cast<long>(digits.size());
    const long exponent = point - 1;
    const long magnitude = exponent < 0 ? -exponent : exponent;
    const long expDigits = magnitude >= 1000 ? 4 : magnitude >= 100 ? 3 : 2;
    const long scientificLength = n + (n > 1 ? 1 : 0) + 2 + expDigits;
    const long fixedLength = point >= n ? point : point > 0 ? n + 1 : 2 - point + n;
    std::string out(negative ? "-" : "");
    if (fixedLength <= scientificLength) {
        if (point > n && v.exponent >= 0) {
            detail::Mpz exact;
            detail::SetU128(exact.get(), v.significand);
            mpz_mul_2exp(exact.get(), exact.get(), static_cast<mp_bitcnt_t>(v.exponent));
            out += detail::DecimalDigits(exact.get());
        } else if (point >= n) {
            out += digits;
            out.append(static_cast<size_t>(point - n), '0');
        } else if (point > 0) {
            out.append(digits, 0, static_cast<size_t>(point));
            out += '.';
            out.append(digits, static_cast<size_t>(point));
        } else {
            out += "0.";
            out.append(static_cast<size_t>(-point), '0');
            out += digits;
        }
        return out;
    }
    out += digits[0];
    if (n > 1) {
        out += '.';
        out.append(digits, 1);
    }
    out += exponent < 0 ? "e-" : "e+";
    if (magnitude < 10) out += '0';
    return out + std::to_string(magnitude);
}

class Search {
public:
    Search(const FormatInfo& f, uint128 magnitude) : f_(f), magnitude_(magnitude), x_(f.precision) {
        value_ = detail::Decompose(f, magnitude);
        detail::Mpz m;
        detail::SetU128(m.get(), value_.significand);
        mpfr_set_z_2exp(x_.get(), m.get(), value_.exponent, MPFR_RNDN);  // exact: fewer than p bits
    }

    const detail::BinaryValue& value() const { return value_; }

    // The nearest n-digit decimal that reads back, if any.
    bool Candidate(int n, Digits& out) {
        Digits nearest = Round(n, MPFR_RNDN);
        if (ReadsBack(nearest)) {
            out = std::move(nearest);
            return true;
        }
        Digits other = Round(n, MPFR_RNDD);
        if (other.digits == nearest.digits && other.point == nearest.point) other = Round(n, MPFR_RNDU);
        if (other.digits == nearest.digits && other.point == nearest.point) return false;
        if (!ReadsBack(other)) return false;
        out = std::move(other);
        return true;
    }

private:
    Digits Round(int n, mpfr_rnd_t rounding) {
        char buf[64];
        mpfr_exp_t point = 0;
        mpfr_get_str(buf, &point, 10, static_cast<size_t>(n), x_.get(), rounding);
        return {buf, static_cast<long>(point)};
    }

    bool ReadsBack(const Digits& d) {
        // 0.d1...dn * 10^point = d1...dn * 10^(point - n)
        const std::string text = d.digits + "e" + std::to_string(d.point - static_cast<long>(d.digits.size()));
        uint128 back = 0;
        return ReadFreeForm(f_, text, back) == ReadStatus::Value && back == magnitude_;
    }

    const FormatInfo& f_;
    uint128 magnitude_;
    detail::BinaryValue value_;
    Mpfr x_;
};

// A non-canonical encoding reads back as its canonical one, the value's
// only encoding the reader writes.
std::string Searched(const FormatInfo& f, uint128 bits) {
    const bool negative = IsNegative(f, bits);
    const uint128 magnitude = Magnitude(f, CanonicalPattern(f, bits));
    if (magnitude == 0) return negative ? "-0" : "0";
    Search search(f, magnitude);
    // Bisection on the least n; `best` always holds a candidate of `high` digits.
    int low = 0;  // no candidate of `low` digits (none of 0 digits)
    int high = 1 + (f.precision * 30103 + 99999) / 100000;
    Digits best;
    if (!search.Candidate(high, best)) return {};  // cannot happen: `high` digits always read back
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        Digits found;
        if (search.Candidate(mid, found)) {
            high = mid;
            best = std::move(found);
        } else {
            low = mid;
        }
    }
    return CharconvLayout(negative, std::move(best.digits), best.point, search.value());
}

}  // namespace

std::string ShortestText(const FormatInfo& f, uint128 bits) {
    if (IsNaNPattern(f, bits)) return "NaN";
    if (IsInfinityPattern(f, bits)) return IsNegative(f, bits) ? "-Infinity" : "Infinity";
    switch (f.kind) {
    case KIND_BINARY32: return Charconv(FloatFromBits(static_cast<uint32_t>(bits)));
    case KIND_BINARY64: return Charconv(DoubleFromBits(static_cast<uint64_t>(bits)));
    default: return Searched(f, bits);
    }
}

}  // namespace ieee
