// The stored-value texts against exact integers and MPFR. One sweep per
// format (binary16 and bfloat16 exhaustively; the others over edge patterns,
// NaNs, powers of two and weighted random patterns) checks the exact value,
// the shortest text, the hexadecimal word and its reader, the hex-float text
// and NaN details; one sweep of random typed decimals per format checks the
// conversion error with rationals; two tables hold the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal "[-]iii[.fff][(e|E)[+-]ddd]" as digits * 10^exponent, the digits
// without leading or trailing zeros ("" for zero); ok false for other texts.
struct Dec {
    bool ok = false;
    bool negative = false;
    std::string digits;
    long exponent = 0;
    long Leading() const { return exponent + static_cast<long>(digits.size()) - 1; }
    std::string Canonical() const {
        return (negative ? "-" : "") + (digits.empty() ? "0" : digits) + "e" + std::to_string(exponent);
    }
};

Dec ParseDecimal(std::string_view s) {
    Dec d;
    size_t i = s.substr(0, 1) == "-" ? 1 : 0;
    d.negative = i == 1;
    std::string all;
    long fraction = -1;  // digits after the point, -1 before it
    for (; i < s.size() && (IsDigit(s[i]) || (s[i] == '.' && fraction < 0)); ++i) {
        if (s[i] == '.') fraction = 0;
        else {
            all += s[i];
            fraction += fraction >= 0;
        }
    }
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        const bool minus = s.substr(i + 1, 1) == "-";
        i += s.substr(i + 1, 1) == "-" || s.substr(i + 1, 1) == "+" ? 2 : 1;
        if (i == s.size()) return d;
        for (; i < s.size() && IsDigit(s[i]); ++i) exponent = exponent * 10 + (s[i] - '0');
        if (minus) exponent = -exponent;
    }
    if (all.empty() || i != s.size()) return d;
    d.ok = true;
    const size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) return d;
    const size_t last = all.find_last_not_of('0');
    d.digits = all.substr(first, last - first + 1);
    d.exponent = exponent - (fraction > 0 ? fraction : 0) + static_cast<long>(all.size() - 1 - last);
    return d;
}

// The n-digit decimal of |x| rounded with rnd.
Dec Digits(mpfr_ptr x, int n, mpfr_rnd_t rnd) {
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n), x, rnd);
    const Dec d = ParseDecimal(std::string(s[0] == '-' ? s + 1 : s) + "e" + std::to_string(static_cast<long>(e) - n));
    mpfr_free_str(s);
    return d;
}

// The exact text from the oracle's exact expansion: positional from 1E-20
// up, scientific with 'E' below, no superfluous zero.
std::string ExpectedExact(const Fmt& f, uint128 b) {
    const Dec d = ParseDecimal(oracle::ExactDecimal(f, b, false));
    const std::string sign = d.negative ? "-" : "";
    if (d.digits.empty()) return sign + "0";
    const long n = static_cast<long>(d.digits.size());
    if (d.Leading() < -20)
        return sign + d.digits[0] + (n > 1 ? "." + d.digits.substr(1) : "") + "E" + std::to_string(d.Leading());
    if (d.exponent >= 0) return sign + d.digits + std::string(static_cast<size_t>(d.exponent), '0');
    if (d.Leading() < 0) return sign + "0." + std::string(static_cast<size_t>(-d.Leading() - 1), '0') + d.digits;
    return sign + d.digits.substr(0, static_cast<size_t>(n + d.exponent)) + "." +
           d.digits.substr(static_cast<size_t>(n + d.exponent));
}

// The shortest text modelled on MPFR alone: the least n for which one of the
// two n-digit neighbours of |x| reads back by MPFR's reader (a monotone
// property, so found by bisection), the nearer when both do, laid out by
// std::to_chars's rule: fewest characters, fixed on a tie, a fixed form
// without a point showing the exact integer (as long, and nearer). On
// binary32 and binary64, where the library calls std::to_chars, the sweep
// checks the model against it.
std::string ModelShortest(const Fmt& f, uint128 b, mpfr_ptr x) {
    const std::string sign = (b & f.signBit()) ? "-" : "";
    const uint128 magnitude = b & ~f.signBit();
    if (magnitude == 0) return sign + "0";
    oracle::Num ax(f.precision);
    mpfr_abs(ax, x, MPFR_RNDN);
    const auto candidate = [&](int n, Dec& out) {
        out = Digits(ax, n, MPFR_RNDN);
        if (oracle::ReadDecimal(f, out.Canonical()) == magnitude) return true;
        const Dec down = Digits(ax, n, MPFR_RNDD);
        out = down.Canonical() != out.Canonical() ? down : Digits(ax, n, MPFR_RNDU);
        return oracle::ReadDecimal(f, out.Canonical()) == magnitude;
    };
    int low = 0, high = 40;
    Dec d, found;
    candidate(high, d);
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        if (candidate(mid, found)) {
            high = mid;
            d = found;
        } else {
            low = mid;
        }
    }
    const long n = static_cast<long>(d.digits.size());
    const long point = d.exponent + n;  // |value| ~ 0.digits * 10^point
    const std::string exponent = std::to_string(std::labs(point - 1));
    const long scientific = n + (n > 1) + 2 + std::max(2L, static_cast<long>(exponent.size()));
    const long fixed = point >= n ? point : point > 0 ? n + 1 : 2 - point + n;
    if (fixed <= scientific) {
        if (point > n) {
            const Dec exact = ParseDecimal(oracle::ExactDecimal(f, magnitude, false));  // an integer
            return sign + exact.digits + std::string(static_cast<size_t>(exact.exponent), '0');
        }
        if (point <= 0) return sign + "0." + std::string(static_cast<size_t>(-point), '0') + d.digits;
        return sign + d.digits.substr(0, static_cast<size_t>(point)) +
               (point < n ? "." + d.digits.substr(static_cast<size_t>(point)) : "");
    }
    return sign + d.digits[0] + (n > 1 ? "." + d.digits.substr(1) : "") + (point < 1 ? "e-" : "e+") +
           (exponent.size() < 2 ? "0" : "") + exponent;
}

// Hex-float text: what glibc's printf %a writes for the value as a double
// (every value of the narrower formats is one), read back exactly by strtod;
// for binary128 the form "[-]0x<0|1>[.hhh]p<sign>d", read back by strtoflt128.
void CheckHexFloat(const Fmt& f, uint128 b, mpfr_ptr x, const std::string& s) {
    if (f.bits == 128) {
        const size_t start = (b & f.signBit()) ? 1 : 0, p = s.find('p');
        EXPECT_TRUE(s.substr(0, start + 2) == (start ? "-0x" : "0x") && (s[start + 2] == '0' || s[start + 2] == '1') &&
                    p != std::string::npos && (p == start + 3 || (s[start + 3] == '.' && s[p - 1] != '0')))
            << s;
        EXPECT_EQ(ieee::Bits(strtoflt128(s.c_str(), nullptr)), b) << s;
        return;
    }
    const double v = mpfr_get_d(x, MPFR_RNDN);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", v);
    EXPECT_EQ(s, buf) << Hex(b);
    EXPECT_EQ(ieee::Bits(std::strtod(s.c_str(), nullptr)), ieee::Bits(v)) << s;
}

std::string ExpectedHexWord(const Fmt& f, uint128 b) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%016llX%016llX", static_cast<unsigned long long>(b >> 64),
                  static_cast<unsigned long long>(b));
    const std::string all = std::string(buf).substr(32 - static_cast<size_t>(f.bits / 4));
    // clang-format off
    return f.bits != 128 ? all : all.substr(0, 8) + " " + all.substr(8, 8) + " " + all.substr(16, 8) + " " + all.substr(24, 8);
    // clang-format on
}

void Sweep(const Fmt& f, const std::vector<uint128>& patterns) {
    const ieee::FormatInfo& info = *ieee::FormatFor(f.kind);
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (const uint128 b : patterns) {
        if (result.total_part_count() >= 10) return;  // enough to see what is wrong
        const uint128 magnitude = b & ~f.signBit();
        const uint128 fraction = b & f.fractionMask();
        const std::string word = ieee::HexWord(info, b);
        EXPECT_EQ(word, ExpectedHexWord(f, b));
        // Read back in lower case with a prefix, underscores and tabs, leading zeros dropped.
        std::string spelt = "0x";
        const size_t first = word.find_first_not_of('0');
        for (size_t k = first == std::string::npos ? word.size() - 1 : first; k < word.size(); ++k) {
            if (k % 3 == 0) spelt += "_\t";
            spelt += static_cast<char>(word[k] >= 'A' ? word[k] + 32 : word[k]);
        }
        uint128 back = ~b;
        EXPECT_TRUE(ieee::ReadHexWord(info, spelt, back) == HexStatus::Ok && back == b) << spelt;
        const ieee::NaNDetails nan = ieee::NaNDetailsOf(info, b);
        const bool isNaN = magnitude > f.infinity();
        EXPECT_TRUE(nan.quiet == (isNaN && (fraction >> (f.fractionBits - 1)) == 1) &&
                    nan.payload == (isNaN ? fraction & (f.fractionMask() >> 1) : 0))
            << Hex(b);
        if (magnitude >= f.infinity()) {
            const std::string minus = !isNaN && b != magnitude ? "-" : "";
            EXPECT_EQ(
                ieee::ExactDecimalText(info, b) + "|" + ieee::ShortestText(info, b) + "|" + ieee::HexFloatText(info, b),
                isNaN ? "|NaN|nan" : "|" + minus + "Infinity|" + minus + "inf");
            continue;
        }
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, b, x);
        EXPECT_EQ(ieee::ExactDecimalText(info, b), ExpectedExact(f, b)) << Hex(b);
        EXPECT_EQ(ieee::ShortestText(info, b), ModelShortest(f, b, x)) << Hex(b);
        CheckHexFloat(f, b, x, ieee::HexFloatText(info, b));
    }
}

void RandomSweep(const Fmt& f, uint64_t seed) {
    oracle::PatternSource src(f, seed);
    std::vector<uint128> patterns = oracle::EdgePatterns(f);
    for (uint128 sign : {uint128(0), f.signBit()}) {
        for (uint128 fraction : {uint128(0), uint128(1), uint128(1) << (f.fractionBits - 1), f.fractionMask()})
            patterns.push_back(sign | f.infinity() | fraction);  // infinity, signalling and quiet NaNs
        for (int k = 0; k < 20; ++k)
            patterns.push_back(sign | f.infinity() | (src.RandomU128() & f.fractionMask()) | 1);
    }
    for (int stored = 0; stored < f.maxStored(); ++stored) patterns.push_back(uint128(stored) << f.fractionBits);
    for (int i = 0; i < 10000; ++i) patterns.push_back(src.Next());
    Sweep(f, patterns);
}

void ExhaustiveSweep(const Fmt& f) {
    std::vector<uint128> patterns;
    for (uint32_t b = 0; b < 0x10000u; ++b) patterns.push_back(b);
    Sweep(f, patterns);
}

TEST(StoredValueSweep, Binary32) { RandomSweep(oracle::kF32, 1); }
TEST(StoredValueSweep, Binary64) { RandomSweep(oracle::kF64, 2); }
TEST(StoredValueSweep, Binary128) { RandomSweep(oracle::kF128, 3); }
TEST(StoredValueSweep, Binary16AllPatterns) { ExhaustiveSweep(oracle::kF16); }
TEST(StoredValueSweep, Bfloat16AllPatterns) { ExhaustiveSweep(oracle::kBF16); }

class Q {
public:
    Q() { mpq_init(v_); }
    ~Q() { mpq_clear(v_); }
    Q(const Q&) = delete;
    Q& operator=(const Q&) = delete;
    operator mpq_ptr() { return v_; }
    int Sign() const { return mpq_sgn(v_); }

private:
    mpq_t v_;
};

void ToMpq(const Dec& d, mpq_ptr q) {
    oracle::Int num, power;
    mpz_set_str(num, d.digits.empty() ? "0" : d.digits.c_str(), 10);
    if (d.negative) mpz_neg(num, num);
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(std::labs(d.exponent)));
    mpq_set_z(q, num);
    Q scale;
    mpq_set_z(scale, power);
    if (d.exponent >= 0) mpq_mul(q, q, scale);
    else mpq_div(q, q, scale);
}

// `text` is r rounded once to three significant digits, to nearest with ties
// to even: exactly three as "d.ddE<sign>k" when `three`; otherwise at most
// three, positional from 0.001 to 999999 and scientific outside.
bool RoundedOk(const std::string& text, mpq_ptr r, bool three) {
    if (mpq_sgn(r) == 0) return text == "0";
    const Dec u = ParseDecimal(text);
    const size_t e = text.find('E'), start = u.negative ? 1 : 0;
    if (!u.ok || u.digits.empty() || u.negative != (mpq_sgn(r) < 0)) return false;
    if (e != std::string::npos && text[e + 1] != '+' && text[e + 1] != '-') return false;
    if (three ? e != start + 4 || text[start + 1] != '.'
              : u.digits.size() > 3 || (e == std::string::npos) != (u.Leading() >= -3 && u.Leading() <= 5))
        return false;
    Q a, power, diff;
    const auto pow10 = [&power](long n) { ToMpq(Dec{true, false, "1", n}, power); };
    mpq_abs(a, r);
    oracle::Num t(64);
    mpfr_set_q(t, a, MPFR_RNDN);
    mpfr_log10(t, t, MPFR_RNDN);
    long k = mpfr_get_si(t, MPFR_RNDD);  // then exactly floor(log10 |r|):
    for (pow10(k); mpq_cmp(power, a) > 0; pow10(--k)) {}
    for (pow10(k + 1); mpq_cmp(power, a) <= 0; pow10(++k + 1)) {}
    if (u.exponent < k - 2) return false;  // not on the grid of three digits
    ToMpq(u, diff);
    mpq_sub(diff, diff, r);
    mpq_abs(diff, diff);
    mpq_mul_2exp(diff, diff, 1);
    pow10(k - 2);
    const int c = mpq_cmp(diff, power);
    return c < 0 || (c == 0 && (u.exponent > k - 2 || (u.digits.back() - '0') % 2 == 0));
}

// A typed number in one of the reader's spellings, from random digits anywhere
// in the format's decimal range, a value cut to a few digits, or the exact
// value or the midpoint above it.
std::string MakeTyped(const Fmt& f, oracle::PatternSource& src, Dec& d) {
    std::mt19937_64& rng = src.rng();
    const int kind = static_cast<int>(rng() % 4);
    uint128 b = src.Next();
    if (!oracle::IsFinitePattern(f, b)) b &= f.fractionMask();
    if (kind == 0) {
        const long lo = f.kind == 2 ? -9 : f.kind == 8 ? -326 : f.kind == 16 ? -4968 : -47;
        const long hi = f.kind == 2 ? 4 : f.kind == 8 ? 308 : f.kind == 16 ? 4932 : 38;
        std::string digits;
        for (size_t i = 0, n = 1 + rng() % 40; i < n; ++i) digits += static_cast<char>('0' + rng() % 10);
        d = ParseDecimal(digits + "e" + std::to_string(lo + static_cast<long>(rng() % static_cast<uint64_t>(hi - lo))));
    } else if (kind == 1) {
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, b, x);
        d = Digits(x, 1 + static_cast<int>(rng() % static_cast<uint64_t>(f.sciDigits + 4)), MPFR_RNDN);
    } else {
        d = ParseDecimal(oracle::ExactDecimal(f, b & ~f.signBit(), kind == 2));
    }
    d.negative = rng() % 2;
    std::string digits = (rng() % 2 ? "00" : "") + (d.digits.empty() ? "0" : d.digits);
    long exponent = d.exponent;
    if (rng() % 2) {  // a point somewhere
        const size_t at = rng() % (digits.size() + 1);
        exponent += static_cast<long>(digits.size() - at);
        digits.insert(at, ".");
    }
    const char* letters[] = {"e", "E", "D", "q", ""};
    return std::string(rng() % 3, ' ') +
           (d.negative  ? "-"
            : rng() % 2 ? "+"
                        : "") +
           digits + letters[rng() % 5] + (exponent < 0 ? "-" : "+") + std::to_string(std::labs(exponent)) +
           (rng() % 4 ? "" : ", 7 junk");
}

void ConversionErrorSweep(const Fmt& f, uint64_t seed) {
    const ieee::FormatInfo& info = *ieee::FormatFor(f.kind);
    oracle::PatternSource src(f, seed);
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < 3000 && result.total_part_count() < 10; ++i) {
        Dec d;
        const std::string text = MakeTyped(f, src, d);
        ieee::TypedDecimal typed;
        ASSERT_TRUE(ieee::ExactTypedNumber(text, typed)) << text;
        EXPECT_EQ((typed.negative ? "-" : "") + typed.digits + "e" + std::to_string(typed.exponent), d.Canonical())
            << text;
        uint128 stored = 0;
        if (ieee::ReadFreeForm(info, text, stored) != ieee::ReadStatus::Value) continue;  // overflow
        const ieee::ConversionError error = ieee::ConversionErrorOf(info, typed, stored);
        Q typedValue, err, shown, r;
        ToMpq(d, typedValue);
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, stored, x);
        mpfr_get_q(err, x);
        mpq_sub(err, typedValue, err);
        ToMpq(ParseDecimal(error.exact), shown);
        const size_t e = error.exact.find('E');
        EXPECT_TRUE(mpq_equal(shown, err) &&
                    (err.Sign() == 0 ? error.exact == "0" : e != std::string::npos && error.exact[e - 1] != '0'))
            << text << " -> " << error.exact.substr(0, 100);
        const int storedExponent = static_cast<int>((stored & ~f.signBit()) >> f.fractionBits);
        const long c = (storedExponent > 1 ? storedExponent : 1) - f.bias - f.fractionBits;  // the quantum 2^c
        if (c >= 0) mpq_div_2exp(r, err, static_cast<mp_bitcnt_t>(c));
        else mpq_mul_2exp(r, err, static_cast<mp_bitcnt_t>(-c));
        EXPECT_TRUE(RoundedOk(error.ulps, r, false)) << text << " -> " << error.ulps;
        if (typedValue.Sign() != 0) mpq_div(r, err, typedValue);  // else both are zero, and so is r
        EXPECT_TRUE(RoundedOk(error.relative, r, true)) << text << " -> " << error.relative;
    }
}

TEST(ConversionErrorSweep, Binary32) { ConversionErrorSweep(oracle::kF32, 11); }
TEST(ConversionErrorSweep, Binary64) { ConversionErrorSweep(oracle::kF64, 12); }
TEST(ConversionErrorSweep, Binary128) { ConversionErrorSweep(oracle::kF128, 13); }
TEST(ConversionErrorSweep, Binary16) { ConversionErrorSweep(oracle::kF16, 14); }
TEST(ConversionErrorSweep, Bfloat16) { ConversionErrorSweep(oracle::kBF16, 15); }

// What the sweep does not reach: texts that are no finite number, typed
// exponents far beyond every format (the work stays bounded), pairs that no
// format produces.
TEST(ConversionError, Boundaries) {
    ieee::TypedDecimal typed;
    for (const char* text : {"", "inf", "-NaN", ",1", "1e", "1.5x", "e5", "1e-10000000000000"})
        EXPECT_FALSE(ieee::ExactTypedNumber(text, typed)) << text;
    const ieee::FormatInfo& b32 = *ieee::FormatFor(4);
    const ieee::FormatInfo& b64 = *ieee::FormatFor(8);
    struct Case {
        const ieee::FormatInfo* f;
        const char* text;
        uint128 stored;
        const char* expected;  // exact | ulps | relative
    };
    for (const Case& c : std::vector<Case>{
             {&b32, "0.1", 0x3DCCCCCD, "-1.490116119384765625E-9|-0.2|-1.49E-8"},
             {&b32, "1e-999999999", 0, "1E-999999999|7.14E-999999955|1.00E+0"},
             {&b32, "-1e999999999", 0, "-1E+999999999|-7.14E+1000000043|1.00E+0"},
             {&b64, "0", 0x3FF0000000000000ull, "-1E+0|-4.5E+15|"},
             {&b64, "1e-6000", 0x3FF0000000000000ull, "||"},
             {&b64, "1", 0x7FF0000000000000ull, "||"},
             {&b64, "-0.0", 0x8000000000000000ull, "0|0|0"},
         }) {
        ASSERT_TRUE(ieee::ExactTypedNumber(c.text, typed)) << c.text;
        const ieee::ConversionError e = ieee::ConversionErrorOf(*c.f, typed, c.stored);
        EXPECT_EQ(e.exact + "|" + e.ulps + "|" + e.relative, c.expected) << c.text;
    }
    typed.digits = "12a";
    EXPECT_EQ(ieee::ConversionErrorOf(b32, typed, 0).exact, "");

    // Random byte strings: the exact number, when there is one, is the number
    // ReadFreeForm reads, and its error is computed safely in every format.
    std::mt19937_64 rng(7);
    const std::string alphabet = std::string("0123456789000.eEdDqQ+-  ,/xiInNaAfF\x80\xA0\xFF\t") + '\0';
    int numbers = 0;
    for (int i = 0; i < 10000; ++i) {
        std::string text;
        for (size_t k = 0, n = rng() % 24; k < n; ++k) text += alphabet[rng() % alphabet.size()];
        if (!ieee::ExactTypedNumber(text, typed)) continue;
        ++numbers;
        const std::string canonical = (typed.negative ? "-" : "") + typed.digits + "e" + std::to_string(typed.exponent);
        for (const ieee::FormatInfo& f : ieee::AllFormats()) {
            uint128 a = 0, b = 0;
            const ieee::ReadStatus status = ieee::ReadFreeForm(f, text, a);
            EXPECT_TRUE(status == ieee::ReadFreeForm(f, canonical, b) && a == b) << text;
            const ieee::ConversionError e = ieee::ConversionErrorOf(f, typed, a);
            EXPECT_TRUE(status != ieee::ReadStatus::Value || !e.exact.empty()) << text;
        }
    }
    EXPECT_GT(numbers, 600);
}

// A locale with a decimal comma changes what %Qa writes, not the text.
TEST(HexFloatText, PointWhateverTheLocale) {
    const uint128 tenth = ieee::Bits(strtoflt128("0.1", nullptr));
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    const std::string text = ieee::HexFloatText(*ieee::FormatFor(16), tenth);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(text, "0x1.999999999999999999999999999ap-4");
}

// The hexadecimal reader's refusals leave the pattern alone; 100 kB pastes
// are read in one pass.
TEST(ReadHexWord, RefusalsAndLongTexts) {
    const std::string lots(100000, ' ');
    struct Case {
        int kind;
        std::string text;
        HexStatus status;
        uint128 bits;  // when Ok
    };
    for (const Case& c : std::vector<Case>{
             {4, " \t0X3dcc_CCCD ", HexStatus::Ok, 0x3DCCCCCD},
             {4, "7f", HexStatus::Ok, 0x7F},
             {16, "0x" + lots + std::string(32, 'f') + std::string(100000, '_'), HexStatus::Ok, ~uint128(0)},
             {4, "000000000", HexStatus::TooManyDigits, 0},
             {2, "0x12345", HexStatus::TooManyDigits, 0},
             {4, std::string(100000, 'F'), HexStatus::TooManyDigits, 0},
             {4, "", HexStatus::Empty, 0},
             {4, "0x" + lots + "_\t", HexStatus::Empty, 0},
             {4, "0x0x1", HexStatus::BadCharacter, 0},
             {4, "-1", HexStatus::BadCharacter, 0},
             {4, "1\n", HexStatus::BadCharacter, 0},
             // clang-format off
             {4, std::string("1\0" "2", 3), HexStatus::BadCharacter, 0},
             {4, "3D\xC2\xA0" "CC", HexStatus::BadCharacter, 0},  // UTF-8 no-break space
             {4, "3D\xA0" "CC", HexStatus::BadCharacter, 0},      // Windows-1252 no-break space
             {4, "\xEF\xBC\x91", HexStatus::BadCharacter, 0},     // full-width digit one
             // clang-format on
             {4, std::string(100000, 'F') + "g", HexStatus::BadCharacter, 0},
         }) {
        uint128 bits = 0x5A5A;
        EXPECT_EQ(ieee::ReadHexWord(*ieee::FormatFor(c.kind), c.text, bits), c.status) << c.text.substr(0, 40);
        EXPECT_EQ(bits, c.status == HexStatus::Ok ? c.bits : uint128(0x5A5A)) << c.text.substr(0, 40);
    }
}

}  // namespace
