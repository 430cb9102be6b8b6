// binary16 and bfloat16 checked whole. Every one of the 2^16 patterns of each
// format is decoded, displayed and stepped and compared with MPFR; every value
// and every midpoint between neighbours is read back; random decimal texts in
// all the reader's spellings are compared with an exact rounding done here
// with GMP integers, which shares nothing with the reader; and the worked
// examples sit in one table.
#include <gtest/gtest.h>

#include <gmp.h>
#include <mpfr.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "mpfr_oracle.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"

using ieee::ReadStatus;
using ieee::uint128;
using oracle::Fmt;

namespace {

// About 0.3 s per format, under 2 s with the sanitizers.
constexpr int kRandomTexts = 100000;

const ieee::FormatInfo& Info(const Fmt& o) { return *ieee::FormatFor(o.kind); }
int ExponentBits(const Fmt& o) { return o.bits - 1 - o.fractionBits; }
uint32_t FractionMask(const Fmt& o) { return static_cast<uint32_t>(o.fractionMask()); }
uint32_t Infinity(const Fmt& o) { return static_cast<uint32_t>(o.infinity()); }
uint32_t MaxFinite(const Fmt& o) { return Infinity(o) - 1; }
constexpr uint32_t kSign = 0x8000;

// `width` binary digits of v, most significant first.
std::string Field(uint32_t v, int width) {
    std::string s(static_cast<size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, v >>= 1) s[static_cast<size_t>(i)] = static_cast<char>('0' + (v & 1));
    return s;
}

// "sign|exponent|fraction" of a pattern (flagged when bits above the
// pattern are set).
std::string Fields(const Fmt& o, uint128 pattern) {
    const uint32_t b = static_cast<uint32_t>(pattern);
    return (pattern >> 16 != 0 ? "high bits set " : "") + Field(b >> 15, 1) + "|" +
           Field((b >> o.fractionBits) & static_cast<uint32_t>(o.maxStored()), ExponentBits(o)) + "|" +
           Field(b & FractionMask(o), o.fractionBits);
}

// The next pattern up (MPFR_RNDU) or down (MPFR_RNDD) of a finite x: x plus or
// minus a quantity far below any spacing, rounded that way to the format.
uint32_t Neighbour(const Fmt& o, mpfr_ptr x, mpfr_rnd_t rnd) {
    oracle::Num tiny(2), sum(o.precision);
    mpfr_set_ui_2exp(tiny, 1, -4000, MPFR_RNDN);
    const int t = rnd == MPFR_RNDU ? mpfr_add(sum, x, tiny, rnd) : mpfr_sub(sum, x, tiny, rnd);
    return static_cast<uint32_t>(oracle::RoundToFormat(o, sum, t, rnd));
}

// A float as a text that tells every value apart, NaNs only by their sign.
std::string FloatText(float v) {
    if (std::isnan(v)) return std::signbit(v) ? "-NaN" : "NaN";
    return oracle::Hex(ieee::Bits(v));
}

// Value, both displayed texts, ULP, X+, X-, representation exponent and
// significand of every pattern.
void EveryPattern(const Fmt& o) {
    const ieee::FormatInfo& f = Info(o);
    const uint32_t quiet = uint32_t(1) << (o.fractionBits - 1);
    int failures = 0, checked = 0;
    for (uint32_t b = 0; b <= 0xFFFF; ++b) {
        const bool negative = (b & kSign) != 0;
        const int stored = static_cast<int>((b >> o.fractionBits) & static_cast<uint32_t>(o.maxStored()));
        const uint32_t fraction = b & FractionMask(o);
        // Bits above the pattern must be ignored.
        const uint128 in = b | (uint128(b * 0x9E3779B97F4A7C15ull) << 16);
        const std::string fractionText = Field(fraction, o.fractionBits);

        struct Item {
            const char* what;
            std::string actual, expected;
        };
        std::vector<Item> items = {
            {"value", FloatText(ieee::FloatValue(f, in)), ""},
            {"text", ieee::ScientificText(f, in, false), ""},
            {"+text", ieee::ScientificText(f, in, true), ""},
            {"ULP", Fields(o, ieee::UlpPattern(f, in)), ""},
            {"X+", Fields(o, ieee::NextUpPattern(f, in)), ""},
            {"X-", Fields(o, ieee::NextDownPattern(f, in)), ""},
            {"E",
             std::to_string(ieee::RepresentationExponent(o.kind, Field(static_cast<uint32_t>(stored), ExponentBits(o)),
                                                         stored == 0)),
             ""},
            {"significand", ieee::SignificandText(o.kind, fractionText, stored != 0), ""},
        };
        if (stored == o.maxStored()) {
            // Infinities step to the largest finite value or stay; NaNs come
            // back quiet with sign and payload; E is the all-ones exponent's.
            const bool nan = fraction != 0;
            const std::string word = nan ? "NaN" : negative ? "-Infinity" : "Infinity";
            items[0].expected = nan ? (negative ? "-NaN" : "NaN") : FloatText(negative ? -INFINITY : INFINITY);
            items[1].expected = items[2].expected = word;
            items[3].expected = Fields(o, nan ? b | quiet : Infinity(o));
            items[4].expected = Fields(o, nan ? b | quiet : negative ? b - 1 : b);
            items[5].expected = Fields(o, nan ? b | quiet : negative ? b : b - 1);
            items[6].expected = std::to_string(stored - o.bias);
            items[7].expected = ieee::SignificandText(o.kind, fractionText, true);  // only checked for finite values
        } else {
            oracle::Num x(o.precision);
            oracle::ToMpfr(o, b, x);
            const bool zero = mpfr_zero_p(x) != 0;
            const bool subnormal = !zero && stored == 0;
            items[0].expected = FloatText(mpfr_get_flt(x, MPFR_RNDN));  // exact: 11 bits at most, in binary32's range
            items[1].expected = oracle::Scientific(x, o.sciDigits, o.letter, o.minExpDigits, false);
            items[2].expected = oracle::Scientific(x, o.sciDigits, o.letter, o.minExpDigits, true);
            // ULP: 2^(exponent(x) - p), exponent 0 for a zero, rounded once.
            oracle::Num u(2);
            mpfr_set_ui_2exp(u, 1, (zero ? 0 : mpfr_get_exp(x)) - o.precision, MPFR_RNDN);
            items[3].expected = Fields(o, oracle::RoundToFormat(o, u, 0, MPFR_RNDN));
            items[4].expected = Fields(o, Neighbour(o, x, MPFR_RNDU));
            items[5].expected = Fields(o, Neighbour(o, x, MPFR_RNDD));
            const long E = (zero || subnormal) ? o.emin() : static_cast<long>(mpfr_get_exp(x)) - 1;
            items[6].expected = std::to_string(E);
            oracle::Num sig(o.precision);
            mpfr_abs(sig, x, MPFR_RNDN);
            mpfr_mul_2si(sig, sig, -E, MPFR_RNDN);  // exact
            items[7].expected = oracle::Scientific(sig, 1 + f.sigDigits, 'E', 2, false);
        }
        for (const Item& item : items) {
            ++checked;
            if (item.actual != item.expected && ++failures <= 20)
                // clang-format off
                ADD_FAILURE() << f.name << " " << Fields(o, b) << " " << item.what << ": " << item.actual << ", expected "
                              << item.expected;
            // clang-format on
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(checked, 8 * 65536);
}

// A decimal number: (-1)^negative * digits * 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;  // at least one digit
    long exponent = 0;   // of the last digit
    std::string Canonical() const { return (negative ? "-" : "") + digits + "e" + std::to_string(exponent); }
};

// The exact value of a finite pattern, or of the midpoint between it and the
// next pattern up.
Decimal Exact(const Fmt& o, uint32_t b, bool midpoint) {
    const std::string s = oracle::ExactDecimal(o, b, midpoint);
    Decimal d;
    d.negative = s[0] == '-';
    const size_t e = s.find('e');
    d.digits = s.substr(d.negative ? 1 : 0, e - (d.negative ? 1 : 0));
    d.exponent = std::stol(s.substr(e + 1));
    return d;
}

// The first k digits (towards zero).
Decimal Truncate(Decimal d, size_t k) {
    if (k >= d.digits.size()) return d;
    d.exponent += static_cast<long>(d.digits.size() - k);
    d.digits.resize(k);
    return d;
}

// One unit in the last digit away from zero, or towards it (digits > 0).
Decimal Step(Decimal d, bool up) {
    size_t i = d.digits.size();
    while (i-- > 0) {
        char& c = d.digits[i];
        if (up ? c != '9' : c != '0') {
            c = static_cast<char>(c + (up ? 1 : -1));
            return d;
        }
        c = up ? '0' : '9';
    }
    d.digits.insert(0, "1");  // only reached going up from all nines
    return d;
}

// A decimal beside d (whose first digit is not 0) by one unit in its 30th
// significant digit: just above it, or just below it.
Decimal Perturbed(Decimal d, bool above) {
    if (d.digits.size() < 30) {
        const size_t pad = 30 - d.digits.size();
        d.digits.append(pad, '0');
        d.exponent -= static_cast<long>(pad);
    }
    const bool exact = d.digits.find_first_not_of('0', 30) == std::string::npos;
    const Decimal cut = Truncate(d, 30);
    if (above) return Step(cut, true);
    return exact ? Step(cut, false) : cut;
}

// Round to nearest, ties to even, done with integers alone: the midpoints
// between consecutive non-negative finite patterns (the last one being the
// overflow threshold, halfway to 2^(emax+1)) in units of half the smallest
// subnormal, and a binary search among them.
class ExactRounding {
public:
    explicit ExactRounding(const Fmt& o) : shift_(static_cast<unsigned long>(o.fractionBits + 1 - o.emin())) {
        const auto units = [&o](uint32_t b, mpz_ptr out) {  // value of b in smallest-subnormal units
            const uint32_t stored = b >> o.fractionBits;
            const uint32_t fraction = b & FractionMask(o);
            if (stored == 0) {
                mpz_set_ui(out, fraction);
            } else {
                mpz_set_ui(out, fraction | (uint32_t(1) << o.fractionBits));
                mpz_mul_2exp(out, out, stored - 1);
            }
        };
        mid_.resize(MaxFinite(o) + 1);
        oracle::Int next;
        for (uint32_t b = 0; b < mid_.size(); ++b) {
            mpz_init(&mid_[b]);
            units(b, &mid_[b]);
            units(b + 1, next);  // b + 1 = the infinity pattern is 2^(emax+1) by the same rule
            mpz_add(&mid_[b], &mid_[b], next);
        }
    }
    ~ExactRounding() {
        for (__mpz_struct& m : mid_) mpz_clear(&m);
    }
    ExactRounding(const ExactRounding&) = delete;
    ExactRounding& operator=(const ExactRounding&) = delete;

    // The magnitude pattern |d| rounds to; the infinity pattern for overflow.
    uint32_t Round(const Decimal& d) const {
        oracle::Int num, den, q, r;
        mpz_set_str(num, d.digits.c_str(), 10);
        mpz_ui_pow_ui(den, 10, static_cast<unsigned long>(d.exponent < 0 ? -d.exponent : 0));
        if (d.exponent > 0) {
            oracle::Int scale;
            mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(d.exponent));
            mpz_mul(num, num, scale);
        }
        mpz_mul_2exp(num, num, shift_);
        mpz_fdiv_qr(q, r, num, den);  // |d| in half-units = q + r / den
        const bool exact = mpz_sgn(static_cast<mpz_ptr>(r)) == 0;
        size_t lo = 0, hi = mid_.size();  // first midpoint not below |d|
        while (lo < hi) {
            const size_t m = (lo + hi) / 2;
            const int c = mpz_cmp(&mid_[m], q);
            if (c < 0 || (c == 0 && !exact)) lo = m + 1;
            else hi = m;
        }
        const bool tie = lo < mid_.size() && exact && mpz_cmp(&mid_[lo], q) == 0;
        return static_cast<uint32_t>(tie && (lo & 1) ? lo + 1 : lo);
    }

private:
    unsigned long shift_;
    std::vector<__mpz_struct> mid_;
};

// Reads `text`: the pattern; ~0u when rejected with the value left alone;
// 0xDEAD0000 for a rejection that changed it or a result above 16 bits.
uint32_t Read(const Fmt& o, const std::string& text, ReadStatus* status = nullptr) {
    const uint128 sentinel = Infinity(o) | 0x15;  // a NaN the reader never makes
    uint128 bits = sentinel;
    const ReadStatus s = ieee::ReadFreeForm(Info(o), text, bits);
    if (status) *status = s;
    if (s != ReadStatus::Value) return bits == sentinel ? ~0u : 0xDEAD0000u;
    return bits >> 16 != 0 ? 0xDEAD0000u : static_cast<uint32_t>(bits);
}

// Every finite value reads back from its exact decimal; every midpoint reads
// as its even neighbour, and one unit in the 30th digit above or below it
// decides; beyond the last midpoint the reader reports overflow.
void EveryValueAndMidpoint(const Fmt& o) {
    int failures = 0;
    const auto expect = [&](const Decimal& d, uint32_t expected) {
        const uint32_t actual = Read(o, d.Canonical());
        if (actual != expected && ++failures <= 20)
            ADD_FAILURE() << Info(o).name << " \"" << d.Canonical()
                          << "\": " << (actual == ~0u ? "rejected" : Fields(o, actual)) << ", expected "
                          << (expected == ~0u ? "rejected" : Fields(o, expected));
    };
    for (uint32_t b = 0; b <= MaxFinite(o); ++b) {
        for (const uint32_t sign : {0u, kSign}) {
            const auto withSign = [sign, &o](uint32_t m) { return m >= Infinity(o) ? ~0u : m | sign; };
            Decimal value = Exact(o, b, false);
            value.negative = sign != 0;
            expect(value, b | sign);
            Decimal mid = Exact(o, b, true);
            mid.negative = sign != 0;
            expect(mid, withSign((b & 1) ? b + 1 : b));
            expect(Perturbed(mid, false), b | sign);
            expect(Perturbed(mid, true), withSign(b + 1));
        }
    }
    EXPECT_EQ(failures, 0);
}

// A finite magnitude pattern, often at the edges of the range.
uint32_t RandomMagnitude(const Fmt& o, std::mt19937_64& rng) {
    const uint32_t minNormal = uint32_t(1) << o.fractionBits;
    switch (rng() % 8) {
    case 0: return static_cast<uint32_t>(rng() % 4);                  // zero, smallest subnormals
    case 1: return static_cast<uint32_t>(rng() % minNormal);          // subnormals
    case 2: return minNormal - 2 + static_cast<uint32_t>(rng() % 4);  // around the smallest normal
    case 3: return MaxFinite(o) - static_cast<uint32_t>(rng() % 4);   // largest finite values
    default: return static_cast<uint32_t>(rng() % (MaxFinite(o) + 1));
    }
}

enum Source { kPrinted, kRandomDigits, kMidpoint, kNearMidpoint, kSources };

// One decimal: a value printed with a few digits, random digits anywhere in
// and around the range, an exact midpoint, or a decimal near one.
Decimal MakeDecimal(const Fmt& o, std::mt19937_64& rng, Source& source) {
    const uint64_t pick = rng() % 10;
    Decimal d;
    if (pick < 3) {
        source = kPrinted;
        oracle::Num x(o.precision);
        oracle::ToMpfr(o, RandomMagnitude(o, rng), x);
        if (mpfr_zero_p(x)) {
            d.digits = "0";
        } else {
            mpfr_exp_t e = 0;
            char* s = mpfr_get_str(nullptr, &e, 10, 1 + rng() % static_cast<uint64_t>(o.sciDigits + 6), x, MPFR_RNDN);
            d.digits = s;
            mpfr_free_str(s);
            d.exponent = static_cast<long>(e) - static_cast<long>(d.digits.size());
        }
    } else if (pick < 5) {
        // Up to 42 digits, the leading one from a hundredth of the smallest
        // subnormal to ten times the largest finite value.
        source = kRandomDigits;
        const size_t n = 1 + rng() % 42;
        for (size_t i = 0; i < n; ++i) d.digits += static_cast<char>('0' + rng() % 10);
        const long lo = static_cast<long>(std::floor(std::log10(std::ldexp(1.0, o.emin() - o.fractionBits)))) - 2;
        const long hi = static_cast<long>(std::floor(std::log10(std::ldexp(1.0, o.bias + 1)))) + 1;
        d.exponent = lo + static_cast<long>(rng() % static_cast<uint64_t>(hi - lo + 1)) - static_cast<long>(n - 1);
    } else {
        uint32_t b = RandomMagnitude(o, rng);
        if (rng() % 8 == 0) b = rng() % 2 ? 0 : MaxFinite(o);  // half the smallest subnormal, the overflow threshold
        const Decimal mid = Exact(o, b, true);
        source = kNearMidpoint;
        switch (rng() % 5) {
        case 0:
            source = kMidpoint;
            d = mid;
            break;
        case 1: d = Perturbed(mid, false); break;
        case 2: d = Perturbed(mid, true); break;
        case 3: d = Truncate(mid, 1 + rng() % mid.digits.size()); break;
        default: d = Step(Truncate(mid, 1 + rng() % mid.digits.size()), true); break;
        }
    }
    d.negative = rng() % 2;
    return d;
}

// The number in one of the reader's spellings: leading blanks and tabs, '+',
// a point anywhere (or none), leading zeros, an exponent with E, D or Q in
// either case or a bare sign, and a terminator followed by anything.
std::string Spell(const Decimal& d, std::mt19937_64& rng) {
    std::string out;
    for (uint64_t n = rng() % 3; n > 0; --n) out += rng() % 2 ? ' ' : '\t';
    out += d.negative ? "-" : (rng() % 3 == 0 ? "+" : "");
    std::string digits = d.digits;
    long exponent = d.exponent;
    if (rng() % 2) {
        const size_t at = rng() % (digits.size() + 1);
        exponent += static_cast<long>(digits.size() - at);
        digits.insert(at, ".");
    }
    if (rng() % 4 == 0) digits.insert(0, std::string(1 + rng() % 3, '0'));
    out += digits;
    if (exponent != 0 || rng() % 2) {
        static const char letters[] = "eEdDqQ";
        std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        if (rng() % 4 == 0) magnitude.insert(0, std::string(1 + rng() % 2, '0'));
        const uint64_t form = rng() % 8;
        if (form < 6) {
            out += letters[form];
            if (exponent < 0) out += '-';
            else if (rng() % 2) out += '+';
        } else {
            out += exponent < 0 ? '-' : '+';  // "1.5+3", "15-1"
        }
        out += magnitude;
    }
    static const char* const tails[] = {"", "", " 12 junk", "\t9e9", ",7", "/x", "  "};
    out += tails[rng() % 7];
    return out;
}

void RandomTexts(const Fmt& o, uint64_t seed) {
    const ExactRounding exact(o);
    std::mt19937_64 rng(seed);
    int failures = 0, overflows = 0, tiny = 0, ties = 0;
    int sources[kSources] = {};
    for (int i = 0; i < kRandomTexts; ++i) {
        Source source = kPrinted;
        const Decimal d = MakeDecimal(o, rng, source);
        const std::string text = Spell(d, rng);
        const uint32_t magnitude = exact.Round(d);
        const bool overflow = magnitude == Infinity(o);
        const uint32_t expected = overflow ? ~0u : magnitude | (d.negative ? kSign : 0);
        ReadStatus status;
        const uint32_t actual = Read(o, text, &status);
        ++sources[source];
        overflows += overflow;
        tiny += !overflow && (magnitude >> o.fractionBits) == 0;
        ties += source == kMidpoint;
        if ((actual != expected || status != (overflow ? ReadStatus::Invalid : ReadStatus::Value)) && ++failures <= 20)
            ADD_FAILURE() << Info(o).name << " \"" << text << "\" (" << d.Canonical()
                          << "): " << (actual == ~0u ? "rejected" : Fields(o, actual)) << ", exact rounding "
                          << (overflow ? "overflow" : Fields(o, expected));
    }
    EXPECT_EQ(failures, 0);
    // Every kind of input must really occur.
    EXPECT_GT(overflows, kRandomTexts / 100);
    EXPECT_GT(tiny, kRandomTexts / 20);
    EXPECT_GT(ties, kRandomTexts / 20);
    for (int count : sources) EXPECT_GT(count, kRandomTexts / 20);
    std::printf("%s: %d texts, %d overflow, %d zero or subnormal, %d exact midpoints\n", Info(o).name, kRandomTexts,
                overflows, tiny, ties);
}

}  // namespace

TEST(SixteenBitExhaustive, Binary16EveryPattern) { EveryPattern(oracle::kF16); }
TEST(SixteenBitExhaustive, Bfloat16EveryPattern) { EveryPattern(oracle::kBF16); }
TEST(SixteenBitExhaustive, Binary16EveryValueAndMidpointReadsBack) { EveryValueAndMidpoint(oracle::kF16); }
TEST(SixteenBitExhaustive, Bfloat16EveryValueAndMidpointReadsBack) { EveryValueAndMidpoint(oracle::kBF16); }
TEST(SixteenBitReader, Binary16RandomTexts) { RandomTexts(oracle::kF16, 0x1601); }
TEST(SixteenBitReader, Bfloat16RandomTexts) { RandomTexts(oracle::kBF16, 0xBF01); }

TEST(SixteenBitReader, WorkedExamples) {
    const Fmt& h = oracle::kF16;
    const Fmt& bf = oracle::kBF16;
    struct Case {
        const Fmt& o;
        std::string text;
        const char* expected;
    };
    const std::string zeros(5000, '0');
    const Case cases[] = {
        {h, "0.1", "0|01011|1001100110"},
        {bf, "0.1", "0|01111011|1001101"},
        // Just above the midpoint 1 + 2^-11 (1 + 2^-8): rounds up; the
        // midpoint itself ties to the even pattern.
        {h, "1.00048828125000000000000000000001", "0|01111|0000000001"},
        {h, "1.00048828125", "0|01111|0000000000"},
        {h, "1.00048828124999999999999999999999", "0|01111|0000000000"},
        {bf, "1.00390625000000000000000000000001", "0|01111111|0000001"},
        {bf, "1.00390625", "0|01111111|0000000"},
        {bf, "1.01171875", "0|01111111|0000010"},  // 1 + 3 * 2^-8: ties up, to the even pattern
        // The largest finite values and the overflow thresholds above them.
        {h, "65504", "0|11110|1111111111"},
        {h, "65519.99999999999999999999999999", "0|11110|1111111111"},
        {h, "65520", "invalid"},
        {h, "-6.552D4", "invalid"},
        {h, "1e5", "invalid"},
        {bf, "338953138925153547590470800371487866880", "0|11111110|1111111"},
        {bf, "339617752923046005526922703901628039167", "0|11111110|1111111"},
        {bf, "339617752923046005526922703901628039168", "invalid"},
        {bf, "-3.4028235e38", "invalid"},
        // Subnormals: the smallest, half of it (ties to zero), just above half.
        {h, "5.9604644775390625E-8", "0|00000|0000000001"},
        {h, "6.0975552e-5", "0|00000|1111111111"},
        {h, "6.103515625e-5", "0|00001|0000000000"},
        {h, "2.98023223876953125e-8", "0|00000|0000000000"},
        {h, "-2.98023223876953125000000000001e-8", "1|00000|0000000001"},
        {h, "-1e-30", "1|00000|0000000000"},
        {bf, "9.18354961579912115600575419704879435795832466228193376178712270530013483949005603790283203125E-41",
         "0|00000000|0000001"},
        {bf, "4.591774807899560578002877098524397178979162331140966880893561352650067419745028018951416015625E-41",
         "0|00000000|0000000"},
        {bf, "4.5917748078995605780028770985243971789791623311409668808935613526500674197450280189514160156251E-41",
         "0|00000000|0000001"},
        // The grammar is the one of the other formats.
        {h, " 1.5+3", "0|11001|0111011100"},
        {h, "\t+15D2/9", "0|11001|0111011100"},
        {bf, "150000q-2 x", "0|10001001|0111100"},  // 1500: halfway, to the even pattern
        {h, "-0e99", "1|00000|0000000000"},
        {h, "-Inf", "1|11111|0000000000"},
        {bf, "nan", "0|11111111|1111111"},
        {h, ",5", "none"},
        {h, "1.5e", "invalid"},
        // Long texts and huge exponents: every digit counts, exponents saturate.
        {h, "1.00048828125" + zeros + "1", "0|01111|0000000001"},
        {bf, "1" + zeros + "e-5000", "0|01111111|0000000"},
        {h, "0." + zeros + "1e+5002", "0|10010|0100000000"},
        {h, "0." + zeros + "1", "0|00000|0000000000"},
        {bf, std::string(5000, '9'), "invalid"},
        {h, "1e99999999999999999999", "invalid"},
        {bf, "-1e-99999999999999999999", "1|00000000|0000000"},
    };
    for (const Case& c : cases) {
        ReadStatus status;
        const uint32_t actual = Read(c.o, c.text, &status);
        const std::string shown = status == ReadStatus::NoValue ? "none"
                                  : actual == ~0u               ? "invalid"
                                                                : Fields(c.o, actual);
        EXPECT_EQ(shown, c.expected) << Info(c.o).name << " \"" << c.text.substr(0, 80) << "\"";
    }
    // Read as binary32 first, the two texts above would land exactly on the
    // midpoint and then tie to the even pattern: all zeros.
    float x = 0;
    ASSERT_EQ(ieee::ReadFreeForm("1.00048828125000000000000000000001", x), ReadStatus::Value);
    EXPECT_EQ(ieee::Bits(x), 0x3F801000u);  // 1 + 2^-11 exactly
    ASSERT_EQ(ieee::ReadFreeForm("1.00390625000000000000000000000001", x), ReadStatus::Value);
    EXPECT_EQ(ieee::Bits(x), 0x3F808000u);  // 1 + 2^-8 exactly
}

TEST(SixteenBitTexts, WorkedExamples) {
    const ieee::FormatInfo& h = Info(oracle::kF16);
    const ieee::FormatInfo& bf = Info(oracle::kBF16);
    EXPECT_EQ(ieee::ScientificText(h, 0x0400, true), "+6.1035E-05");
    EXPECT_EQ(ieee::ScientificText(h, 0xFBFF, true), "-6.5504E+04");
    EXPECT_EQ(ieee::ScientificText(h, 0x8000, true), "+0.0000E+00");
    EXPECT_EQ(ieee::ScientificText(h, 0x5002, false), "3.2062E+01");  // 32.0625: the tie goes to the even digit
    EXPECT_EQ(ieee::ScientificText(bf, 0x0001, true), "+9.184E-41");
    EXPECT_EQ(ieee::ScientificText(bf, 0x3DCD, false), "1.001E-01");
    EXPECT_EQ(ieee::ScientificText(bf, 0xFF81, false), "NaN");
    EXPECT_EQ(ieee::SignificandText(ieee::KIND_BINARY16, "1001100110", true), "1.5996E+00");
    EXPECT_EQ(ieee::SignificandText(ieee::KIND_BINARY16, "0000000001", false), "9.7656E-04");
    EXPECT_EQ(ieee::SignificandText(ieee::KIND_BFLOAT16, "1111111", true), "1.992E+00");
    EXPECT_EQ(ieee::SignificandText(ieee::KIND_BFLOAT16, "11 0000000", false), "0.000E+00");  // low 7 bits only
    EXPECT_EQ(ieee::Bits(ieee::FloatValue(h, 0x3555)), ieee::Bits(0x1.554p-2f));
    EXPECT_EQ(ieee::Bits(ieee::FloatValue(h, 0x83FF)), ieee::Bits(-0x3FFp-24f));
}

// The toolkit switches the C locale to the user's; with a decimal comma the
// 16-bit formats must read and show exactly as in the C locale.
TEST(SixteenBitTexts, IndependentOfTheCLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    const Fmt& h = oracle::kF16;
    const uint32_t tenth = Read(h, "0.1");
    const uint32_t comma = Read(h, "0,1");
    const uint32_t midpoint = Read(oracle::kBF16, "1.00390625000000000000000000000001");
    const std::string text = ieee::ScientificText(Info(h), 0x2E66, true);
    const std::string significand = ieee::SignificandText(ieee::KIND_BINARY16, "1001100110", true);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(Fields(h, tenth), "0|01011|1001100110");
    EXPECT_EQ(Fields(h, comma), "0|00000|0000000000");  // "0" ended by the comma
    EXPECT_EQ(Fields(oracle::kBF16, midpoint), "0|01111111|0000001");
    EXPECT_EQ(text, "+9.9976E-02");
    EXPECT_EQ(significand, "1.5996E+00");
}
