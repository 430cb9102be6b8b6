// Decimal text to bits and bits to displayed text, compared with MPFR on
// random inputs: ordinary decimals, decimals near and exactly at the midpoints
// between neighbouring values (subnormal and overflow ranges included), and
// random finite patterns for the displayed texts.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "mpfr_oracle.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/scientific_text.h"

using ieee::ReadStatus;
using ieee::uint128;
using oracle::Fmt;
using oracle::FmtOf;
using oracle::FromPattern;
using oracle::Hex;

namespace {

constexpr int kCases = 100000;

// A decimal "[-]<digits>e<exponent>" split into its parts.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;  // of the last digit
    std::string Canonical() const { return (negative ? "-" : "") + digits + "e" + std::to_string(exponent); }
};

Decimal Parse(const std::string& s) {
    Decimal d;
    size_t i = 0;
    if (s[0] == '-') {
        d.negative = true;
        i = 1;
    }
    const size_t e = s.find('e');
    d.digits = s.substr(i, e - i);
    d.exponent = std::stol(s.substr(e + 1));
    return d;
}

// Keeps the first k digits (the value moves towards zero when a non-zero
// digit is dropped).
Decimal Truncate(const Decimal& d, size_t k) {
    Decimal t = d;
    if (k >= d.digits.size()) return t;
    t.exponent += static_cast<long>(d.digits.size() - k);
    t.digits.resize(k);
    return t;
}

// Adds one unit in the last digit (away from zero).
Decimal Increment(const Decimal& d) {
    Decimal t = d;
    size_t i = t.digits.size();
    while (i > 0) {
        --i;
        if (t.digits[i] != '9') {
            ++t.digits[i];
            return t;
        }
        t.digits[i] = '0';
    }
    t.digits.insert(0, "1");
    return t;
}

// The same number spelt in one of the reader's other ways: leading blanks,
// explicit '+', a point inside the digits, another exponent letter or a bare
// exponent sign, a terminator with trailing junk.
std::string Spell(const Decimal& d, std::mt19937_64& rng) {
    std::string out(rng() % 3, ' ');
    out += d.negative ? "-" : (rng() % 2 ? "+" : "");
    std::string digits = d.digits;
    long exponent = d.exponent;
    if (rng() % 2) {  // put a point after some digit, or before all of them
        const size_t at = rng() % (digits.size() + 1);
        exponent += static_cast<long>(digits.size() - at);
        digits.insert(at, ".");
        if (at == 0 && rng() % 2) digits.insert(0, "0");
    }
    if (rng() % 4 == 0) digits.insert(0, std::string(rng() % 4, '0'));
    out += digits;
    if (exponent != 0 || rng() % 2) {
        static const char letters[] = "eEdDqQ";
        const int pick = static_cast<int>(rng() % 8);
        if (pick < 6) {
            out += letters[pick];
            if (exponent >= 0 && rng() % 2) out += '+';
        } else if (exponent >= 0) {
            out += '+';
        }
        out += std::to_string(exponent);
    }
    switch (rng() % 5) {
    case 0: out += " 12 junk"; break;
    case 1: out += ",7"; break;
    case 2: out += "/"; break;
    default: break;
    }
    return out;
}

// One decimal input for the text-to-bits sweep.
Decimal MakeDecimal(const Fmt& f, oracle::PatternSource& src) {
    std::mt19937_64& rng = src.rng();
    const int kind = static_cast<int>(rng() % 10);
    if (kind < 3) {
        // A finite value printed with a random number of digits.
        const uint128 b = src.Next();
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, b, x);
        Decimal d;
        d.negative = mpfr_signbit(x) != 0;
        if (mpfr_zero_p(x)) {
            d.digits = "0";
            return d;
        }
        const size_t n = 1 + rng() % static_cast<size_t>(f.sciDigits + 4);
        mpfr_exp_t e = 0;
        char* s = mpfr_get_str(nullptr, &e, 10, n, x, MPFR_RNDN);
        d.digits = s[0] == '-' ? s + 1 : s;
        mpfr_free_str(s);
        d.exponent = static_cast<long>(e) - static_cast<long>(d.digits.size());
        return d;
    }
    if (kind < 5) {
        // Random digits at a random place in and around the format's range.
        Decimal d;
        d.negative = rng() % 2;
        const size_t n = 1 + rng() % 25;
        for (size_t i = 0; i < n; ++i) d.digits += static_cast<char>('0' + rng() % 10);
        const long lo = f.bits == 32 ? -52 : f.bits == 64 ? -330 : -4972;
        const long hi = f.bits == 32 ? 40 : f.bits == 64 ? 310 : 4935;
        d.exponent = lo + static_cast<long>(rng() % static_cast<uint64_t>(hi - lo)) - static_cast<long>(n);
        return d;
    }
    // The exact midpoint between a value and its upper neighbour (for the
    // largest finite value: the overflow threshold), as it is, cut short, cut
    // short and rounded away from zero, or just beyond it.
    uint128 b = src.Next();
    if (f.bits == 128) {
        // Exact binary128 expansions far below 1 run to thousands of digits;
        // keep most of them short and still visit the subnormal range.
        const int stored = static_cast<int>((b & ~f.signBit()) >> f.fractionBits);
        if (stored < f.bias - 3000 && rng() % 16 != 0)
            b = (b & ~(uint128(0x7FFF) << f.fractionBits)) | (uint128(f.bias - 3000 + rng() % 6000) << f.fractionBits);
    }
    const Decimal mid = Parse(oracle::ExactDecimal(f, b, true));
    switch (rng() % 4) {
    case 0: return mid;
    case 1: return Truncate(mid, 1 + rng() % mid.digits.size());
    case 2: return Increment(Truncate(mid, 1 + rng() % mid.digits.size()));
    default: {
        Decimal above = mid;
        above.digits += std::string(rng() % 3, '0') + "1";
        above.exponent -= static_cast<long>(above.digits.size() - mid.digits.size());
        return above;
    }
    }
}

template <typename T>
void TextToBitsSweep(uint64_t seed) {
    const Fmt& f = FmtOf<T>();
    oracle::PatternSource src(f, seed);
    const auto start = std::chrono::steady_clock::now();
    int mismatches = 0, invalid = 0, subnormalOrZero = 0;
    const uint128 sentinel = f.infinity() | 12345;  // a NaN no read produces
    for (int i = 0; i < kCases && mismatches < 10; ++i) {
        const Decimal d = MakeDecimal(f, src);
        const uint128 expected = oracle::ReadDecimal(f, d.Canonical());
        const std::string spelt = Spell(d, src.rng());
        T x = FromPattern<T>(sentinel);
        const ReadStatus status = ieee::ReadFreeForm(spelt, x);
        const bool overflow = (expected & ~f.signBit()) == f.infinity();
        invalid += overflow;
        subnormalOrZero += ((expected & ~f.signBit()) >> f.fractionBits) == 0;
        const bool ok = overflow ? (status == ReadStatus::Invalid && ieee::Bits(x) == sentinel)
                                 : (status == ReadStatus::Value && ieee::Bits(x) == expected);
        if (!ok) {
            ++mismatches;
            ADD_FAILURE() << "text \"" << spelt.substr(0, 300) << "\" (canonical " << d.Canonical().substr(0, 300)
                          << "): status " << static_cast<int>(status) << " bits " << Hex(ieee::Bits(x)) << ", MPFR "
                          << Hex(expected);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(mismatches, 0);
    // The sweep must really reach both ends of the range.
    EXPECT_GT(invalid, kCases / 400);
    EXPECT_GT(subnormalOrZero, kCases / 50);
    std::printf("binary%d text->bits: %d cases, %d overflow, %d subnormal or zero, %.1f s\n", f.bits, kCases, invalid,
                subnormalOrZero, seconds);
}

template <typename T>
void BitsToTextSweep(uint64_t seed) {
    const Fmt& f = FmtOf<T>();
    oracle::PatternSource src(f, seed);
    std::vector<uint128> patterns = oracle::EdgePatterns(f);
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < 10; ++i) {
        const uint128 b = i < static_cast<int>(patterns.size()) ? patterns[static_cast<size_t>(i)] : src.Next();
        const bool plus = src.rng()() % 2;
        oracle::Num x(f.precision);
        oracle::ToMpfr(f, b, x);
        const std::string expected = oracle::Scientific(x, f.sciDigits, f.letter, f.minExpDigits, plus);
        const std::string actual = ieee::ScientificText(FromPattern<T>(b), plus);
        if (actual != expected) {
            ++mismatches;
            ADD_FAILURE() << "pattern " << Hex(b) << ": " << actual << ", MPFR " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Non-finite patterns, including signalling NaNs with payloads.
template <typename T>
void SpecialTexts(uint64_t seed) {
    const Fmt& f = FmtOf<T>();
    oracle::PatternSource src(f, seed);
    for (int i = 0; i < 1000; ++i) {
        const uint128 fraction = i < 2 ? 0 : (src.RandomU128() & f.fractionMask()) >> (src.rng()() % f.fractionBits);
        const uint128 sign = i % 2 ? f.signBit() : 0;
        const uint128 b = sign | f.infinity() | fraction;
        const std::string expected = fraction != 0 ? "NaN" : sign ? "-Infinity" : "Infinity";
        EXPECT_EQ(ieee::ScientificText(FromPattern<T>(b), true), expected) << Hex(b);
        EXPECT_EQ(ieee::ScientificText(FromPattern<T>(b), false), expected) << Hex(b);
    }
}

}  // namespace

TEST(DecimalDifferential, Binary32TextToBits) { TextToBitsSweep<float>(0x3201); }
TEST(DecimalDifferential, Binary64TextToBits) { TextToBitsSweep<double>(0x6401); }
TEST(DecimalDifferential, Binary128TextToBits) { TextToBitsSweep<__float128>(0x12801); }
TEST(DecimalDifferential, Binary32BitsToText) { BitsToTextSweep<float>(0x3202); }
TEST(DecimalDifferential, Binary64BitsToText) { BitsToTextSweep<double>(0x6402); }
TEST(DecimalDifferential, Binary128BitsToText) { BitsToTextSweep<__float128>(0x12802); }
TEST(DecimalDifferential, NonFiniteTexts) {
    SpecialTexts<float>(0x3203);
    SpecialTexts<double>(0x6403);
    SpecialTexts<__float128>(0x12803);
}

// Exact midpoints around the edge values (zeros, subnormals, the smallest
// normal, one, the largest finite value) and the decimals just beside them.
template <typename T>
void EdgeMidpoints() {
    const Fmt& f = FmtOf<T>();
    for (const uint128 b : oracle::EdgePatterns(f)) {
        const Decimal mid = Parse(oracle::ExactDecimal(f, b, true));
        Decimal above = mid;
        above.digits += "1";
        above.exponent -= 1;
        const Decimal below = Truncate(mid, mid.digits.size() > 40 ? 40 : mid.digits.size() - 1);
        for (const Decimal& d : {mid, above, below}) {
            if (d.digits.empty()) continue;
            const uint128 expected = oracle::ReadDecimal(f, d.Canonical());
            T x = FromPattern<T>(f.infinity() | 1);
            const ReadStatus status = ieee::ReadFreeForm(d.Canonical(), x);
            if ((expected & ~f.signBit()) == f.infinity())
                EXPECT_EQ(status, ReadStatus::Invalid) << d.Canonical().substr(0, 80);
            else EXPECT_EQ(Hex(ieee::Bits(x)), Hex(expected)) << d.Canonical().substr(0, 80) << " e" << d.exponent;
        }
    }
}

TEST(DecimalDifferential, EdgeMidpoints) {
    EdgeMidpoints<float>();
    EdgeMidpoints<double>();
    EdgeMidpoints<__float128>();
}
