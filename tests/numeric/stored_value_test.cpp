// The stored-value texts of every pattern of a sweep, checked with exact
// integers and MPFR: the exact decimal value, the shortest round-trip text,
// the hexadecimal word and the hex-float text, plus NaN details. binary16 and
// bfloat16 are swept exhaustively; the wider formats over edge patterns and
// random ones weighted towards the ends of the range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" {
#include <quadmath.h>
}

#include "mpfr_oracle.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/stored_value.h"

using ieee::HexStatus;
using ieee::uint128;
using oracle::Fmt;
using oracle::Hex;

namespace {

constexpr int kRandomPatterns = 10000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal text "[-]iii[.fff][(e|E)[+-]ddd]" as value = digits * 10^exponent,
// digits without leading or trailing zeros ("" for zero). `ok` is false when
// the text is not of that form.
struct Dec {
    bool ok = false;
    bool negative = false;
    std::string digits;
    long exponent = 0;
    long Leading() const { return exponent + static_cast<long>(digits.size()) - 1; }
};

Dec ParseDecimal(std::string_view s) {
    Dec d;
    size_t i = 0;
    if (i < s.size() && s[i] == '-') { d.negative = true; ++i; }
    std::string all;
    long afterPoint = 0;
    bool point = false;
    for (; i < s.size() && (IsDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        if (s[i] == '.') { point = true; continue; }
        all += s[i];
        afterPoint += point;
    }
    if (all.empty()) return d;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
        if (i == s.size()) return d;
        for (; i < s.size() && IsDigit(s[i]); ++i) exponent = exponent * 10 + (s[i] - '0');
        if (negative) exponent = -exponent;
    }
    if (i != s.size()) return d;
    d.ok = true;
    d.exponent = exponent - afterPoint;
    const size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) { d.exponent = 0; return d; }
    size_t last = all.find_last_not_of('0');
    d.exponent += static_cast<long>(all.size() - 1 - last);
    d.digits = all.substr(first, last - first + 1);
    return d;
}

std::string Canonical(const Dec& d) { return (d.negative ? "-" : "") + (d.digits.empty() ? "0" : d.digits) + "e" + std::to_string(d.exponent); }

// |x| = z * 2^e exactly.
long Integer2Exp(mpfr_ptr x, mpz_ptr z) {
    const long e = static_cast<long>(mpfr_get_z_2exp(z, x));
    mpz_abs(z, z);
    return e;
}

// digits * 10^exponent == z * 2^e, by cross-multiplication in integers.
bool SameValue(const Dec& d, mpz_ptr z, long e) {
    oracle::Int lhs, rhs, power;
    mpz_set_str(lhs, d.digits.c_str(), 10);
    mpz_set(rhs, z);
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(d.exponent < 0 ? -d.exponent : d.exponent));
    mpz_mul(d.exponent < 0 ? rhs : lhs, d.exponent < 0 ? rhs : lhs, power);
    if (e >= 0) mpz_mul_2exp(rhs, rhs, static_cast<mp_bitcnt_t>(e));
    else mpz_mul_2exp(lhs, lhs, static_cast<mp_bitcnt_t>(-e));
    return mpz_cmp(lhs, rhs) == 0;
}

// The form the exact text must have: "[-]0", positional "[-]iii[.fff]" with no
// superfluous zero from 1E-20 up, "[-]d[.ddd]E-k" below.
bool ExactLayoutOk(const std::string& s, const Dec& d) {
    const std::string_view body = std::string_view(s).substr(d.negative ? 1 : 0);
    if (d.digits.empty()) return body == "0";
    const size_t e = body.find('E');
    if (d.Leading() < -20) {
        return e != std::string_view::npos && body[0] != '0' && (e == 1 || (body[1] == '.' && body[e - 1] != '0')) &&
               body.substr(e, 2) == "E-" && body[e + 2] != '0';
    }
    if (e != std::string_view::npos) return false;
    const size_t point = body.find('.');
    if (point == std::string_view::npos) return body[0] != '0';
    return body.back() != '0' && (point == 1 || body[0] != '0');
}

// The n-digit decimal of |x| rounded with rnd, as a Dec.
Dec Digits(mpfr_ptr x, int n, mpfr_rnd_t rnd) {
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n), x, rnd);
    Dec d = ParseDecimal(std::string(s[0] == '-' ? s + 1 : s) + "e" + std::to_string(static_cast<long>(e) - n));
    mpfr_free_str(s);
    return d;
}

// The shortest text as a model built on MPFR alone: the least n for which
// one of the two n-digit neighbours of |x| reads back (by MPFR's reader),
// the nearer of them when both do, laid out by std::to_chars's rule (fewest
// characters, fixed on a tie, a fixed form without a point showing the exact
// integer, which is as long and nearer). std::to_chars itself, which the
// library uses for binary32 and binary64, checks the model there.
std::string ModelShortest(const Fmt& f, uint128 b, mpfr_ptr x) {
    const bool negative = (b & f.signBit()) != 0;
    const uint128 magnitude = b & ~f.signBit();
    if (magnitude == 0) return negative ? "-0" : "0";
    oracle::Num ax(f.precision);
    mpfr_abs(ax, x, MPFR_RNDN);
    const auto readsBack = [&](const Dec& d) { return oracle::ReadDecimal(f, Canonical(d)) == magnitude; };
    const auto candidate = [&](int n, Dec& out) {
        out = Digits(ax, n, MPFR_RNDN);
        if (readsBack(out)) return true;
        Dec other = Digits(ax, n, MPFR_RNDD);
        if (Canonical(other) == Canonical(out)) other = Digits(ax, n, MPFR_RNDU);
        out = other;
        return readsBack(other);
    };
    // Whether an n-digit candidate reads back is monotone in n: bisection.
    int low = 0, high = 40;
    Dec d, found;
    candidate(high, d);
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        if (candidate(mid, found)) { high = mid; d = found; } else { low = mid; }
    }
    const long n = static_cast<long>(d.digits.size());
    const long point = d.exponent + n;  // |value| = 0.digits * 10^point
    const std::string exponentDigits = std::to_string(std::labs(point - 1));
    const long scientific = n + (n > 1) + 2 + std::max(2L, static_cast<long>(exponentDigits.size()));
    const long fixed = point >= n ? point : point > 0 ? n + 1 : 2 - point + n;
    std::string out = negative ? "-" : "";
    if (fixed <= scientific) {
        if (point > n) {
            oracle::Int z;
            const long e = Integer2Exp(x, z);
            if (e >= 0) mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(e));
            else mpz_tdiv_q_2exp(z, z, static_cast<mp_bitcnt_t>(-e));  // exact: the value is an integer
            char* s = mpz_get_str(nullptr, 10, z);
            out += s;
            void (*freefunc)(void*, size_t);
            mp_get_memory_functions(nullptr, nullptr, &freefunc);
            freefunc(s, std::strlen(s) + 1);
            return out;
        }
        if (point <= 0) return out + "0." + std::string(static_cast<size_t>(-point), '0') + d.digits;
        if (point == n) return out + d.digits;
        return out + d.digits.substr(0, static_cast<size_t>(point)) + "." + d.digits.substr(static_cast<size_t>(point));
    }
    out += d.digits[0];
    if (n > 1) out += "." + d.digits.substr(1);
    return out + (point - 1 < 0 ? "e-" : "e+") + (exponentDigits.size() < 2 ? "0" : "") + exponentDigits;
}

// Hex-float text: "[-]0x<0|1>[.hhh]p<sign>ddd" without trailing fraction
// zeros, the value back by strtod / strtoflt128, and the same text as glibc's
// printf %a writes for the formats narrower than binary128.
void CheckHexFloat(const Fmt& f, uint128 b, mpfr_ptr x, const std::string& s) {
    const size_t start = (b & f.signBit()) ? 1 : 0;
    ASSERT_GE(s.size(), start + 6) << Hex(b);
    EXPECT_EQ(s.substr(0, start + 2), start ? "-0x" : "0x") << Hex(b);
    const size_t p = s.find('p');
    ASSERT_NE(p, std::string::npos) << s;
    EXPECT_TRUE(s[start + 2] == '0' || s[start + 2] == '1') << s;
    if (p > start + 3) {
        EXPECT_TRUE(s[start + 3] == '.' && s[p - 1] != '0') << s;
    }
    if (f.bits == 128) {
        EXPECT_EQ(ieee::Bits(strtoflt128(s.c_str(), nullptr)), b) << s;
        return;
    }
    const double v = mpfr_get_d(x, MPFR_RNDN);  // exact: every value of these formats is a double
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", v);
    EXPECT_EQ(s, buf) << Hex(b);
    const double back = std::strtod(s.c_str(), nullptr);
    EXPECT_EQ(ieee::Bits(back), ieee::Bits(v)) << s;
}

std::string ExpectedHexWord(const Fmt& f, uint128 b) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%016llX%016llX", static_cast<unsigned long long>(b >> 64), static_cast<unsigned long long>(b));
    const std::string all = std::string(buf).substr(32 - static_cast<size_t>(f.bits / 4));
    if (f.bits != 128) return all;
    return all.substr(0, 8) + " " + all.substr(8, 8) + " " + all.substr(16, 8) + " " + all.substr(24, 8);
}

// The same word in another spelling the reader accepts: lower case, a 0x
// prefix, blanks, tabs and underscores, leading zeros dropped.
std::string Respell(std::string word, std::mt19937_64& rng) {
    std::string out = rng() % 2 ? (rng() % 2 ? "0x" : "0X") : "";
    if (rng() % 2) {
        const size_t first = word.find_first_not_of("0 ");
        word = first == std::string::npos ? "0" : word.substr(first);
    }
    for (char c : word) {
        if (rng() % 4 == 0) out += "_ \t"[rng() % 3];
        out += rng() % 2 ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
    }
    return out;
}

void Sweep(const Fmt& f, const std::vector<uint128>& patterns, uint64_t seed) {
    const ieee::FormatInfo& info = *ieee::FormatFor(f.kind);
    std::mt19937_64 rng(seed);
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (const uint128 b : patterns) {
        if (result.total_part_count() >= 10) return;  // enough to see what is wrong
        const uint128 magnitude = b & ~f.signBit();
        const uint128 fraction = b & f.fractionMask();
        const ieee::NaNDetails nan = ieee::NaNDetailsOf(info, b);
        const std::string word = ieee::HexWord(info, b);
        EXPECT_EQ(word, ExpectedHexWord(f, b));
        uint128 back = ~b;
        EXPECT_EQ(ieee::ReadHexWord(info, Respell(word, rng), back), HexStatus::Ok) << word;
        EXPECT_EQ(back, b) << word;
        if (magnitude > f.infinity()) {
            EXPECT_EQ(nan.quiet, (fraction >> (f.fractionBits - 1)) == 1) << Hex(b);
            EXPECT_EQ(nan.payload, fraction & (f.fractionMask() >> 1)) << Hex(b);
            EXPECT_EQ(ieee::ExactDecimalText(info, b), "");
            EXPECT_EQ(ieee::ShortestText(info, b), "NaN");
            EXPECT_EQ(ieee::HexFloatText(info, b), "nan");
        } else if (magnitude == f.infinity()) {
            EXPECT_EQ(ieee::ExactDecimalText(info, b), "");
            EXPECT_EQ(ieee::ShortestText(info, b), b == magnitude ? "Infinity" : "-Infinity");
            EXPECT_EQ(ieee::HexFloatText(info, b), b == magnitude ? "inf" : "-inf");
        } else {
            EXPECT_TRUE(!nan.quiet && nan.payload == 0) << Hex(b);
            oracle::Num x(f.precision);
            oracle::ToMpfr(f, b, x);
            const std::string exact = ieee::ExactDecimalText(info, b);
            const Dec d = ParseDecimal(exact);
            oracle::Int z;
            const long e = Integer2Exp(x, z);
            EXPECT_TRUE(d.ok && d.negative == ((b & f.signBit()) != 0) && ExactLayoutOk(exact, d) &&
                        (d.digits.empty() ? magnitude == 0 : SameValue(d, z, e)))
                << Hex(b) << " " << exact.substr(0, 200);
            EXPECT_EQ(ieee::ShortestText(info, b), ModelShortest(f, b, x)) << Hex(b);
            CheckHexFloat(f, b, x, ieee::HexFloatText(info, b));
        }
    }
}

std::vector<uint128> SpecialPatterns(const Fmt& f, std::mt19937_64& rng) {
    std::vector<uint128> out;
    for (uint128 sign : {uint128(0), f.signBit()}) {
        out.push_back(sign | f.infinity());
        out.push_back(sign | f.infinity() | 1);                                 // signalling, smallest payload
        out.push_back(sign | f.infinity() | (uint128(1) << (f.fractionBits - 1)));  // quiet, no payload
        out.push_back(sign | f.infinity() | f.fractionMask());
        for (int k = 0; k < 20; ++k)
            out.push_back(sign | f.infinity() | ((((uint128(rng()) << 64) | rng()) & f.fractionMask()) | 1));
    }
    for (int stored = 0; stored < f.maxStored(); ++stored) out.push_back(uint128(stored) << f.fractionBits);  // powers of two
    return out;
}

void RandomSweep(const Fmt& f, uint64_t seed) {
    oracle::PatternSource src(f, seed);
    std::vector<uint128> patterns = oracle::EdgePatterns(f);
    const std::vector<uint128> special = SpecialPatterns(f, src.rng());
    patterns.insert(patterns.end(), special.begin(), special.end());
    for (int i = 0; i < kRandomPatterns; ++i) patterns.push_back(src.Next());
    Sweep(f, patterns, seed);
}

void ExhaustiveSweep(const Fmt& f) {
    std::vector<uint128> patterns;
    for (uint32_t b = 0; b < 0x10000u; ++b) patterns.push_back(b);
    Sweep(f, patterns, f.kind);
}

TEST(StoredValueSweep, Binary32) { RandomSweep(oracle::kF32, 1); }
TEST(StoredValueSweep, Binary64) { RandomSweep(oracle::kF64, 2); }
TEST(StoredValueSweep, Binary128) { RandomSweep(oracle::kF128, 3); }
TEST(StoredValueSweep, Binary16AllPatterns) { ExhaustiveSweep(oracle::kF16); }
TEST(StoredValueSweep, Bfloat16AllPatterns) { ExhaustiveSweep(oracle::kBF16); }

// ---- Conversion error -------------------------------------------------

// d as an exact rational.
void ToMpq(const Dec& d, mpq_ptr q) {
    oracle::Int num, den;
    mpz_set_str(num, d.digits.empty() ? "0" : d.digits.c_str(), 10);
    mpz_ui_pow_ui(den, 10, static_cast<unsigned long>(d.exponent < 0 ? -d.exponent : d.exponent));
    if (d.exponent >= 0) { mpz_mul(num, num, den); mpz_set_ui(den, 1); }
    if (d.negative) mpz_neg(num, num);
    mpq_set_num(q, num);
    mpq_set_den(q, den);
    mpq_canonicalize(q);
}

class Q {
public:
    Q() { mpq_init(v_); }
    ~Q() { mpq_clear(v_); }
    Q(const Q&) = delete;
    Q& operator=(const Q&) = delete;
    operator mpq_ptr() { return v_; }

private:
    mpq_t v_;
};

// `text` is r rounded once to three significant digits, to nearest with ties
// to even: exactly three in "d.ddE<sign>k" form when `three`, else at most
// three, positional from 0.001 to 999999 and scientific outside.
bool RoundedOk(const std::string& text, mpq_ptr r, bool three) {
    if (mpq_sgn(r) == 0) return text == "0";
    const Dec u = ParseDecimal(text);
    if (!u.ok || u.digits.empty() || u.negative != (mpq_sgn(r) < 0)) return false;
    const size_t e = text.find('E');
    const size_t start = u.negative ? 1 : 0;
    if (three && (e != start + 4 || text[start + 1] != '.')) return false;
    if (!three && (u.digits.size() > 3 || (e == std::string::npos) != (u.Leading() >= -3 && u.Leading() <= 5))) return false;
    if (e != std::string::npos && (text[e + 1] != '+' && text[e + 1] != '-')) return false;
    // k = floor(log10 |r|), estimated in floating point, then made exact.
    Q a, power, diff;
    mpq_abs(a, r);
    oracle::Num t(64);
    mpfr_set_q(t, a, MPFR_RNDN);
    mpfr_log10(t, t, MPFR_RNDN);
    long k = mpfr_get_si(t, MPFR_RNDD);
    const auto pow10 = [&power](long n) {
        Dec one;
        one.digits = "1";
        one.exponent = n;
        ToMpq(one, power);
    };
    for (pow10(k); mpq_cmp(power, a) > 0; pow10(--k)) {}
    for (pow10(k + 1); mpq_cmp(power, a) <= 0; pow10(++k + 1)) {}
    if (u.exponent < k - 2) return false;  // not a multiple of the third digit's unit
    ToMpq(u, diff);
    mpq_sub(diff, diff, r);
    mpq_abs(diff, diff);
    mpq_mul_2exp(diff, diff, 1);
    pow10(k - 2);
    const int c = mpq_cmp(diff, power);
    const bool even = u.exponent > k - 2 || (u.digits.back() - '0') % 2 == 0;
    return c < 0 || (c == 0 && even);
}

// The typed decimal spelt in one of the reader's ways.
std::string Spell(const Dec& d, std::mt19937_64& rng) {
    std::string out(rng() % 3, ' ');
    out += d.negative ? "-" : (rng() % 2 ? "+" : "");
    std::string digits = d.digits.empty() ? "0" : d.digits;
    long exponent = d.exponent;
    if (rng() % 2) digits.insert(0, std::string(rng() % 3, '0'));
    if (rng() % 2) {
        const size_t zeros = rng() % 3;
        digits += std::string(zeros, '0');
        exponent -= static_cast<long>(zeros);
        const size_t at = rng() % (digits.size() + 1);
        exponent += static_cast<long>(digits.size() - at);
        digits.insert(at, ".");
    }
    out += digits;
    if (exponent != 0 || rng() % 2) {
        const char* letters[] = {"e", "E", "D", "q", ""};
        out += letters[exponent < 0 ? rng() % 4 : rng() % 5];
        out += exponent < 0 ? "-" : "+";
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    if (rng() % 4 == 0) out += ", 7 junk";
    return out;
}

// A typed number near the format's values: random digits anywhere in the
// format's decimal range (a little beyond), a value cut to a few digits, or
// the exact midpoint between a value and the next one up.
Dec MakeTyped(const Fmt& f, oracle::PatternSource& src) {
    std::mt19937_64& rng = src.rng();
    const int kind = static_cast<int>(rng() % 4);
    Dec d;
    if (kind == 0) {
        const long lo = f.kind == 2 ? -9 : f.kind == 3 || f.kind == 4 ? -47 : f.kind == 8 ? -326 : -4968;
        const long hi = f.kind == 2 ? 4 : f.kind == 3 || f.kind == 4 ? 38 : f.kind == 8 ? 308 : 4932;
        for (size_t i = 0, n = 1 + rng() % 40; i < n; ++i) d.digits += static_cast<char>('0' + rng() % 10);
        d = ParseDecimal(d.digits + "e" + std::to_string(lo + static_cast<long>(rng() % static_cast<uint64_t>(hi - lo))));
    } else {
        uint128 b = src.Next();
        if (!oracle::IsFinitePattern(f, b)) b &= f.signBit() | f.fractionMask();
        if (kind == 1) {
            oracle::Num x(f.precision);
            oracle::ToMpfr(f, b, x);
            d = Digits(x, 1 + static_cast<int>(rng() % static_cast<uint64_t>(f.sciDigits + 4)), MPFR_RNDN);
        } else {
            const std::string mid = oracle::ExactDecimal(f, b & ~f.signBit(), kind == 2);
            d = ParseDecimal(mid);
        }
    }
    d.negative = rng() % 2;
    return d;
}

void ConversionErrorSweep(const Fmt& f, uint64_t seed) {
    const ieee::FormatInfo& info = *ieee::FormatFor(f.kind);
    oracle::PatternSource src(f, seed);
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < 3000 && result.total_part_count() < 10; ++i) {
        const Dec d = MakeTyped(f, src);
        const std::string text = Spell(d, src.rng());
        ieee::TypedDecimal typed;
        ASSERT_TRUE(ieee::ExactTypedNumber(text, typed)) << text;
        EXPECT_EQ((typed.negative ? "-" : "") + typed.digits + "e" + std::to_string(typed.exponent), Canonical(d)) << text;
        uint128 stored = 0;
        if (ieee::ReadFreeForm(info, text, stored) != ieee::ReadStatus::Value) continue;  // overflow
        const ieee::ConversionError error = ieee::ConversionErrorOf(info, typed, stored);

        Q qt, qs, err, r;
        ToMpq(d, qt);
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, stored, x);
        mpfr_get_q(qs, x);
        mpq_sub(err, qt, qs);
        const Dec shown = ParseDecimal(error.exact);
        ToMpq(shown, r);
        const size_t e = error.exact.find('E');
        EXPECT_TRUE(mpq_equal(r, err) && (mpq_sgn(static_cast<mpq_ptr>(err)) == 0 ? error.exact == "0" : e != std::string::npos && error.exact[e - 1] != '0'))
            << text << " -> " << error.exact.substr(0, 100);
        const int storedExponent = static_cast<int>((stored & ~f.signBit()) >> f.fractionBits);
        const long c = (storedExponent > 1 ? storedExponent : 1) - f.bias - f.fractionBits;  // quantum 2^c
        if (c >= 0) mpq_div_2exp(r, err, static_cast<mp_bitcnt_t>(c));
        else mpq_mul_2exp(r, err, static_cast<mp_bitcnt_t>(-c));
        EXPECT_TRUE(RoundedOk(error.ulps, r, false)) << text << " -> " << error.ulps;
        if (mpq_sgn(static_cast<mpq_ptr>(qt)) != 0) {
            mpq_div(r, err, qt);
            EXPECT_TRUE(RoundedOk(error.relative, r, true)) << text << " -> " << error.relative;
        } else {
            EXPECT_EQ(error.relative, "0") << text;
        }
    }
}

TEST(ConversionErrorSweep, Binary32) { ConversionErrorSweep(oracle::kF32, 11); }
TEST(ConversionErrorSweep, Binary64) { ConversionErrorSweep(oracle::kF64, 12); }
TEST(ConversionErrorSweep, Binary128) { ConversionErrorSweep(oracle::kF128, 13); }
TEST(ConversionErrorSweep, Binary16) { ConversionErrorSweep(oracle::kF16, 14); }
TEST(ConversionErrorSweep, Bfloat16) { ConversionErrorSweep(oracle::kBF16, 15); }

// What the sweep cannot reach: texts that are no finite number, typed
// exponents far beyond every format (bounded work), pairs no format produces.
TEST(ConversionError, Boundaries) {
    ieee::TypedDecimal typed;
    for (const char* text : {"", "inf", "-NaN", ",1", "1e", "1.5x", "e5", "1e-10000000000000"})
        EXPECT_FALSE(ieee::ExactTypedNumber(text, typed)) << text;
    const ieee::FormatInfo& b32 = *ieee::FormatFor(4);
    const ieee::FormatInfo& b64 = *ieee::FormatFor(8);
    struct Case {
        const ieee::FormatInfo* f;
        std::string text;  // the typed number
        uint128 stored;
        ieee::ConversionError expected;
    };
    const std::vector<Case> cases = {
        {&b32, "1e-999999999", 0, {"1E-999999999", "7.14E-999999955", "1.00E+0"}},
        {&b32, "-1e999999999", 0, {"-1E+999999999", "-7.14E+1000000043", "1.00E+0"}},
        {&b64, "0", 0x3FF0000000000000ull, {"-1E+0", "-4.5E+15", ""}},
        {&b64, "1e-6000", 0x3FF0000000000000ull, {"", "", ""}},
        {&b64, "1", 0x7FF0000000000000ull, {"", "", ""}},
        {&b64, "-0.0", 0x8000000000000000ull, {"0", "0", "0"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ieee::ExactTypedNumber(c.text, typed)) << c.text;
        const ieee::ConversionError e = ieee::ConversionErrorOf(*c.f, typed, c.stored);
        EXPECT_EQ(e.exact + " " + e.ulps + " " + e.relative, c.expected.exact + " " + c.expected.ulps + " " + c.expected.relative) << c.text;
    }
    typed.digits = "12a";
    EXPECT_EQ(ieee::ConversionErrorOf(b32, typed, 0).exact, "");
}

// The hexadecimal reader's refusals leave the pattern alone; long pastes
// are read in one pass.
TEST(ReadHexWord, RefusalsAndLongTexts) {
    const std::string blanks(100000, ' ');
    const std::string underscores(100000, '_');
    struct Case {
        int kind;
        std::string text;
        HexStatus status;
        uint128 bits;  // when Ok
    };
    const std::vector<Case> cases = {
        {4, "3dcc_cccd", HexStatus::Ok, 0x3DCCCCCD},
        {4, " \t0X3DCCCCCD ", HexStatus::Ok, 0x3DCCCCCD},
        {4, "7f", HexStatus::Ok, 0x7F},
        {4, "000000000", HexStatus::TooManyDigits, 0},
        {4, "123456789", HexStatus::TooManyDigits, 0},
        {2, "0x12345", HexStatus::TooManyDigits, 0},
        {4, "", HexStatus::Empty, 0},
        {4, " _\t", HexStatus::Empty, 0},
        {4, "0x", HexStatus::Empty, 0},
        {4, "0x0x1", HexStatus::BadCharacter, 0},
        {4, "3DCG", HexStatus::BadCharacter, 0},
        {4, "-1", HexStatus::BadCharacter, 0},
        {4, "1\n", HexStatus::BadCharacter, 0},
        {4, std::string("1\0" "2", 3), HexStatus::BadCharacter, 0},
        {4, "3D\xC2\xA0" "CC", HexStatus::BadCharacter, 0},  // UTF-8 no-break space
        {4, "3D\xA0" "CC", HexStatus::BadCharacter, 0},      // Windows-1252 no-break space
        {4, "\xEF\xBC\x91", HexStatus::BadCharacter, 0},     // full-width digit one
        {4, "\x80\xFF", HexStatus::BadCharacter, 0},
        {4, std::string(100000, 'F'), HexStatus::TooManyDigits, 0},
        {4, std::string(100000, 'F') + "g", HexStatus::BadCharacter, 0},
        {16, "0x" + blanks + "3DCCCCCD" + underscores, HexStatus::Ok, 0x3DCCCCCD},
        {16, blanks + std::string(32, 'f'), HexStatus::Ok, ~uint128(0)},
        {16, std::string(33, '0'), HexStatus::TooManyDigits, 0},
    };
    for (const Case& c : cases) {
        uint128 bits = 0x5A5A;
        EXPECT_EQ(ieee::ReadHexWord(*ieee::FormatFor(c.kind), c.text, bits), c.status) << c.text.substr(0, 40);
        EXPECT_EQ(bits, c.status == HexStatus::Ok ? c.bits : uint128(0x5A5A)) << c.text.substr(0, 40);
    }
}

}  // namespace
