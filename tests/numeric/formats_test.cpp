// The formats beyond binary16-128 against references built apart from the
// format table: the small formats pattern by pattern against exact rationals
// computed from the field widths alone, x87 extended against the CPU's own
// long double, custom widths against MPFR.
#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "mpfr_oracle.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/pattern_class.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"
#include "numeric/ieee/stored_value.h"

namespace {

using ieee::PatternClass;
using ieee::uint128;

// An mpq_t that frees itself.
struct Q {
    mpq_t v;
    Q() { mpq_init(v); }
    ~Q() { mpq_clear(v); }
    Q(const Q& o) : Q() { mpq_set(v, o.v); }
    Q& operator=(const Q& o) {
        mpq_set(v, o.v);
        return *this;
    }
    bool operator<(const Q& o) const { return mpq_cmp(v, o.v) < 0; }
    bool operator==(const Q& o) const { return mpq_equal(v, o.v) != 0; }
};

// A decimal text as a rational, through MPFR at a precision far beyond any
// value here: exactly for every dyadic text (then true), otherwise nearer to
// it than any gap between values matters.
bool ToQ(const std::string& text, Q& out) {
    oracle::Num x(4000);
    char* end = nullptr;
    const bool exact = mpfr_strtofr(x, text.c_str(), &end, 10, MPFR_RNDN) == 0;
    mpfr_get_q(out.v, x);
    return exact && *end == '\0';
}

// ---- Small formats: every pattern ----

enum class Specials { Ieee, OneNaN, None };
struct Small {
    const char* name;
    int e, m;
    Specials specials;
};
const Small kSmall[] = {{"e5m2", 5, 2, Specials::Ieee},      {"e4m3", 4, 3, Specials::OneNaN},
                        {"e3m2", 3, 2, Specials::None},      {"e2m3", 2, 3, Specials::None},
                        {"e2m1", 2, 1, Specials::None},      {"custom:4,3", 4, 3, Specials::Ieee},
                        {"custom:2,1", 2, 1, Specials::Ieee}};

// One pattern as the fields say, without the format table.
struct RefValue {
    PatternClass kind = PatternClass::Zero;
    bool negative = false;
    Q value;
};
RefValue Reference(const Small& s, uint32_t b) {
    RefValue r;
    const uint32_t frac = b & ((1u << s.m) - 1), stored = (b >> s.m) & ((1u << s.e) - 1);
    const int bias = (1 << (s.e - 1)) - 1;
    r.negative = (b >> (s.e + s.m)) & 1;
    const bool allOnes = stored == (1u << s.e) - 1;
    if (s.specials == Specials::Ieee && allOnes) r.kind = frac == 0 ? PatternClass::Infinity : PatternClass::NaN;
    else if (s.specials == Specials::OneNaN && allOnes && frac == (1u << s.m) - 1) r.kind = PatternClass::NaN;
    else r.kind = stored == 0 ? (frac == 0 ? PatternClass::Zero : PatternClass::Subnormal) : PatternClass::Normal;
    const long exponent = (stored == 0 ? 1 : static_cast<long>(stored)) - bias - s.m;
    mpq_set_ui(r.value.v, frac + (stored == 0 ? 0 : 1u << s.m), 1);
    if (exponent >= 0) mpq_mul_2exp(r.value.v, r.value.v, static_cast<unsigned long>(exponent));
    else mpq_div_2exp(r.value.v, r.value.v, static_cast<unsigned long>(-exponent));
    if (r.negative) mpq_neg(r.value.v, r.value.v);
    return r;
}

// The non-negative finite values in increasing order, each with its pattern,
// and a virtual next one above the largest (where an unbounded exponent range
// would put it) with the parity of its would-be pattern.
struct Ladder {
    std::vector<Q> values;
    std::vector<uint32_t> patterns;
};
Ladder Climb(const Small& s) {
    Ladder l;
    for (uint32_t b = 0; b < (1u << (s.e + s.m)); ++b) {
        const RefValue r = Reference(s, b);
        if (r.kind == PatternClass::Zero || r.kind == PatternClass::Subnormal || r.kind == PatternClass::Normal) {
            l.values.push_back(r.value);
            l.patterns.push_back(b);
        }
    }
    Q step;  // one unit in the last place of the largest binade
    mpq_sub(step.v, l.values.back().v, l.values[l.values.size() - 2].v);
    Q top;
    mpq_add(top.v, l.values.back().v, step.v);
    l.values.push_back(top);
    l.patterns.push_back(l.patterns.back() + 1);
    return l;
}

// Round to nearest, ties to even, against the ladder: the index of the
// result (the virtual top, or beyond it, means overflow).
size_t Nearest(const Ladder& l, const Q& magnitude) {
    const size_t hi =
        static_cast<size_t>(std::lower_bound(l.values.begin(), l.values.end(), magnitude) - l.values.begin());
    if (hi == l.values.size()) return hi;
    if (hi == 0 || l.values[hi] == magnitude) return hi;
    Q mid;
    mpq_add(mid.v, l.values[hi - 1].v, l.values[hi].v);
    mpq_div_2exp(mid.v, mid.v, 1);
    const int c = mpq_cmp(magnitude.v, mid.v);
    if (c != 0) return c < 0 ? hi - 1 : hi;
    return (l.patterns[hi] & 1) == 0 ? hi : hi - 1;
}

// What reading a magnitude gives: the pattern, or -1 when it is refused.
long ReadRef(const Ladder& l, const Q& magnitude) {
    const size_t k = Nearest(l, magnitude);
    return k + 1 >= l.values.size() ? -1 : static_cast<long>(l.patterns[k]);
}

void SmallFormat(const Small& s) {
    const ieee::FormatInfo* f = ieee::FormatByName(s.name);
    ASSERT_NE(f, nullptr) << s.name;
    const Ladder l = Climb(s);
    const size_t top = l.values.size() - 2;  // the largest finite value
    const uint32_t sign = 1u << (s.e + s.m);
    for (uint32_t b = 0; b < 2 * sign; ++b) {
        SCOPED_TRACE(std::string(s.name) + " pattern " + std::to_string(b));
        const RefValue r = Reference(s, b);
        EXPECT_EQ(ieee::ClassOf(*f, b).kind, r.kind);
        uint128 back = 0;
        EXPECT_EQ(ieee::ReadHexWord(*f, ieee::HexWord(*f, b), back), ieee::HexStatus::Ok);
        EXPECT_EQ(back, b);
        const std::string bitText = ieee::BitString(*f, b);
        EXPECT_EQ(bitText.size() == static_cast<size_t>(s.e + s.m + 1) ? ieee::UnsignedFromDigits(bitText) : 0, b);
        const bool finite = ieee::IsFinite(r.kind);
        if (!finite) continue;
        Q got;
        EXPECT_TRUE(ToQ(ieee::ExactDecimalText(*f, b), got) && got == r.value);
        ToQ(ieee::ShortestText(*f, b), got);
        EXPECT_GE(ReadRef(l, got), 0);
        uint128 read = 0;
        EXPECT_EQ(ieee::ReadFreeForm(*f, ieee::ShortestText(*f, b), read), ieee::ReadStatus::Value);
        EXPECT_EQ(read, b);
        mpq_set_d(got.v, std::strtod(ieee::HexFloatText(*f, b).c_str(), nullptr));
        EXPECT_EQ(mpq_cmp(got.v, r.value.v), 0) << ieee::HexFloatText(*f, b);
        oracle::Num x(64);
        mpfr_set_q(x, r.value.v, MPFR_RNDN);
        if (r.negative) mpfr_setsign(x, x, 1, MPFR_RNDN);
        EXPECT_EQ(ieee::ScientificText(*f, b, true),
                  oracle::Scientific(x, f->sciDigits, f->sciLetter, f->sciExpDigits, true));
        // Neighbours: the next value of the ladder in each direction; the
        // top of a format without infinities has none above it.
        const uint32_t mag = b & (sign - 1);
        const size_t k = static_cast<size_t>(std::find(l.patterns.begin(), l.patterns.end(), mag) - l.patterns.begin());
        const bool up = !r.negative || mag == 0;  // the side nextUp moves away from zero
        const size_t away = k + 1, toward = k == 0 ? 0 : k - 1;
        uint32_t wantUp = up ? (away > top ? (s.specials == Specials::Ieee ? l.patterns[away] : mag) : l.patterns[away])
                             : l.patterns[toward] | sign;
        if (mag == 0) wantUp = l.patterns[1];
        EXPECT_EQ(ieee::NextUpPattern(*f, b), wantUp);
        EXPECT_EQ(ieee::NextDownPattern(*f, b ^ sign), wantUp ^ sign);
        // ULP: 2^(floor(log2 |x|) + 1 - p), rounded to the format; 2^-p for a
        // zero (every value here is a double, so ilogb is exact).
        Q ulp;
        mpq_set_d(ulp.v, std::ldexp(1.0, mag == 0 ? -(s.m + 1) : std::ilogb(mpq_get_d(r.value.v)) - s.m));
        EXPECT_EQ(ieee::UlpPattern(*f, b), l.patterns[Nearest(l, ulp)]);
    }
    // Reading: every midpoint between neighbours (a tie) and just above it;
    // above the largest value, reading is refused once it rounds beyond it.
    const oracle::Fmt o{0, 1 + s.e + s.m, s.m, s.m + 1, (1 << (s.e - 1)) - 1, 0, 'E', 2};
    for (size_t k = 0; k <= top; ++k) {
        const std::string text = oracle::ExactDecimal(o, l.patterns[k], true);  // the midpoint above
        const size_t e = text.find('e');
        const std::string above = text.substr(0, e) + "1e" + std::to_string(std::stol(text.substr(e + 1)) - 1);
        for (const std::string& t : {text, above, "-" + text}) {
            Q v;
            ToQ(t, v);
            mpq_abs(v.v, v.v);
            const long want = ReadRef(l, v);
            uint128 got = 0;
            const ieee::ReadStatus status = ieee::ReadFreeForm(*f, t, got);
            EXPECT_EQ(status == ieee::ReadStatus::Value ? static_cast<long>(got & (sign - 1)) : -1, want)
                << s.name << " " << t;
        }
    }
    // Operations: every pair of finite operands, rounded by the ladder, in
    // both overflow modes.
    for (uint32_t a = 0; a < 2 * sign && s.e + s.m <= 8; ++a)
        for (uint32_t c = 0; c < 2 * sign; ++c) {
            const RefValue ra = Reference(s, a), rc = Reference(s, c);
            if (!ieee::IsFinite(ra.kind) || !ieee::IsFinite(rc.kind)) continue;
            for (ieee::Operation op : {ieee::Operation::Add, ieee::Operation::Multiply}) {
                Q exact;
                if (op == ieee::Operation::Add) mpq_add(exact.v, ra.value.v, rc.value.v);
                else mpq_mul(exact.v, ra.value.v, rc.value.v);
                const bool negative = mpq_sgn(exact.v) < 0;
                mpq_abs(exact.v, exact.v);
                const size_t k = Nearest(l, exact);
                for (ieee::OnOverflow mode : {ieee::OnOverflow::Standard, ieee::OnOverflow::Saturate}) {
                    const uint128 in[] = {a, c};
                    const ieee::Result res = ieee::Compute(op, *f, in, ieee::Rounding::TiesToEven,
                                                           ieee::Tininess::AfterRounding, nullptr, mode);
                    // Beyond the top: the largest value when saturating (always
                    // without NaNs), else the pattern above it (infinity or NaN).
                    const bool clamp = mode == ieee::OnOverflow::Saturate || s.specials == Specials::None;
                    uint32_t want = k <= top ? l.patterns[k] : l.patterns[top] + (clamp ? 0 : 1);
                    if (negative) want |= sign;
                    if (mpq_sgn(exact.v) == 0) continue;  // the sign of an exact zero sum is another matter
                    EXPECT_EQ(res.bits, want)
                        << s.name << " " << a << (op == ieee::Operation::Add ? " + " : " * ") << c;
                    EXPECT_EQ(res.flags.overflow, k > top);
                }
            }
        }
}

TEST(FormatsSweep, SmallFormatsEveryPattern) {
    for (const Small& s : kSmall) SmallFormat(s);
}

// ---- x87 extended against the CPU's long double ----

// A canonical finite pattern, mostly of ordinary magnitude.
uint128 CanonicalOf(const ieee::FormatInfo& f, std::mt19937_64& rng) {
    const int stored = rng() % 8 == 0 ? static_cast<int>(rng() % 32767) : 16383 + static_cast<int>(rng() % 128) - 64;
    const uint128 b = (uint128(rng() & 1) << 79) | (uint128(stored) << 64) | (rng() >> 1);
    return stored != 0 ? b | f.integerBit() : b;
}

// The 80 bits in memory, low-order bytes first: the same layout as the pattern.
long double Ld(uint128 b) { return std::bit_cast<long double>(b); }
uint128 Bits(long double x) { return std::bit_cast<uint128>(x) & ((uint128(1) << 80) - 1); }

// The C library's "%.*Le" in the format's layout: letter, two exponent digits at least.
std::string LibcScientific(const ieee::FormatInfo& f, long double x) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%+.*Le", f.sciDigits - 1, x);
    std::string out(buf);
    const size_t e = out.find('e');
    std::string exp = out.substr(e + 2);
    while (exp.size() > 2 && exp[0] == '0') exp.erase(0, 1);
    return out.substr(0, e) + f.sciLetter + out[e + 1] + exp;
}

TEST(FormatsSweep, X87AgainstLongDouble) {
    const ieee::FormatInfo& f = *ieee::FormatByName("x87");
    std::mt19937_64 rng(87);
    const uint128 j = uint128(1) << 63;
    for (int i = 0; i < 3000; ++i) {
        // Canonical patterns weighted towards the ends of the range.
        const int kEnds[] = {0, 1, 2, 16383, 32765, 32766, 32767};
        const int stored = rng() % 2 == 0 ? kEnds[rng() % 7] : static_cast<int>(rng() % 32768);
        uint64_t fraction = rng() >> (rng() % 64);
        if (rng() % 4 == 0) fraction = 0;
        const uint128 b =
            (uint128(rng() & 1) << 79) | (uint128(stored) << 64) | (stored != 0 ? j : 0) | (fraction & (j - 1));
        const long double x = Ld(b);
        SCOPED_TRACE(ieee::HexWord(f, b));
        const int kClasses[] = {FP_ZERO, FP_SUBNORMAL, FP_NORMAL, FP_INFINITE, FP_NAN};  // in PatternClass order
        EXPECT_EQ(std::fpclassify(x), kClasses[static_cast<int>(ieee::ClassOf(f, b).kind)]);
        if (!std::isnan(x)) {
            EXPECT_EQ(ieee::NextUpPattern(f, b), Bits(std::nextafterl(x, INFINITY)));
            EXPECT_EQ(ieee::NextDownPattern(f, b), Bits(std::nextafterl(x, -INFINITY)));
        }
        if (!std::isfinite(x)) continue;
        int e = 0;
        std::frexp(x, &e);
        EXPECT_EQ(ieee::UlpPattern(f, b), Bits(std::ldexp(1.0L, (x == 0 ? 0 : e) - 64)));
        EXPECT_EQ(Bits(std::strtold(ieee::ExactDecimalText(f, b).c_str(), nullptr)), b);
        EXPECT_EQ(Bits(std::strtold(ieee::ShortestText(f, b).c_str(), nullptr)), b);
        EXPECT_EQ(Bits(std::strtold(ieee::HexFloatText(f, b).c_str(), nullptr)), b);
        EXPECT_EQ(ieee::ScientificText(f, b, true), LibcScientific(f, x == 0 ? 0.0L : x));
        // A random decimal text reads as strtold reads it; overflow is refused.
        std::string text =
            std::to_string(rng() % 1000000000000ull) + "e" + std::to_string(static_cast<int>(rng() % 9900) - 4960);
        uint128 got = 0;
        const long double want = std::strtold(text.c_str(), nullptr);
        const ieee::ReadStatus status = ieee::ReadFreeForm(f, text, got);
        EXPECT_EQ(status == ieee::ReadStatus::Value ? got : ~uint128(0), std::isinf(want) ? ~uint128(0) : Bits(want))
            << text;
        // Operations in every direction the hardware has.
        const uint128 c = CanonicalOf(f, rng);
        const long double y = Ld(c);
        if (!std::isfinite(y)) continue;
        const int kModes[] = {FE_TONEAREST, FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};  // kAllRoundings
        const int kPicks[] = {0, 2, 3, 4};  // every direction but ties-to-away, which the hardware lacks
        const int k = kPicks[rng() % 4];
        const int mode = kModes[k];
        const uint128 in[] = {b, c};
        std::fesetround(mode);
        volatile long double vx = x, vy = y;
        const long double sum = vx + vy, product = vx * vy, quotient = vx / vy, root = std::sqrt(vx);
        std::fesetround(FE_TONEAREST);
        using ieee::Operation;
        for (auto [op, want] : {std::pair{Operation::Add, sum}, std::pair{Operation::Multiply, product},
                                std::pair{Operation::Divide, quotient}, std::pair{Operation::SquareRoot, root}})
            EXPECT_TRUE(std::isnan(want) ||  // the hardware's NaN is its own
                        ieee::Compute(op, f, in, ieee::kAllRoundings[k], ieee::Tininess::AfterRounding).bits ==
                            Bits(want))
                << static_cast<int>(op);
    }
}

// ---- Custom widths against MPFR; the native readers against the generic one ----

TEST(FormatsSweep, CustomWidthsAgainstMpfr) {
    std::mt19937_64 rng(4321);
    for (int w = 0; w < 120; ++w) {
        const int e = 2 + static_cast<int>(rng() % 14), m = 1 + static_cast<int>(rng() % 112);
        const ieee::FormatInfo& f = *ieee::CustomFormat(e, m);
        ASSERT_EQ(f.name, "custom:" + std::to_string(e) + "," + std::to_string(m));
        const oracle::Fmt o{f.kind, 1 + e + m, m, m + 1, (1 << (e - 1)) - 1, f.sciDigits, f.sciLetter, f.sciExpDigits};
        oracle::PatternSource source(o, rng());
        for (int i = 0; i < 40; ++i) {
            const uint128 b = source.Next() & o.mask();  // the source's exponent may leave a narrow field
            if (!oracle::IsFinitePattern(o, b)) continue;
            SCOPED_TRACE(std::string(f.name) + " " + ieee::HexWord(f, b));
            oracle::Num x(o.precision), y(o.precision);
            oracle::ToMpfr(o, b, x);
            EXPECT_EQ(ieee::ScientificText(f, b, false),
                      oracle::Scientific(x, f.sciDigits, f.sciLetter, f.sciExpDigits, false));
            {
                const oracle::Range range(o);
                mpfr_set(y, x, MPFR_RNDN);
                mpfr_nextabove(y);
                mpfr_subnormalize(y, 0, MPFR_RNDN);
            }
            if (((b & ~o.signBit()) >> m) > 1) {
                EXPECT_EQ(ieee::NextUpPattern(f, b), oracle::FromMpfr(o, y));
            }
            uint128 back = 0;
            EXPECT_EQ(ieee::ReadFreeForm(f, ieee::ShortestText(f, b), back), ieee::ReadStatus::Value);
            EXPECT_EQ(back, b);
            Q exact, want;
            ToQ(oracle::ExactDecimal(o, b, false), want);
            EXPECT_TRUE(ToQ(ieee::ExactDecimalText(f, b), exact) && exact == want);
            // The midpoint above reads by MPFR's rounding; overflow is refused.
            const std::string mid = oracle::ExactDecimal(o, b & ~o.signBit(), true);
            const uint128 ref = oracle::ReadDecimal(o, mid);
            EXPECT_EQ(ieee::ReadFreeForm(f, mid, back) == ieee::ReadStatus::Value ? back : o.infinity(), ref) << mid;
        }
    }
    // The native paths of binary32, binary64 and binary128 against the generic
    // one: a custom format of the same widths has the same patterns.
    for (int i = 0; i < 6000; ++i) {
        const ieee::FormatInfo& f = ieee::AllFormats()[static_cast<size_t>(i % 3)];
        const ieee::FormatInfo& twin = *ieee::CustomFormat(f.exponentBits, f.fractionBits);
        const std::string text = (rng() % 2 ? "-" : "") + std::to_string(rng() >> (rng() % 64)) + "e" +
                                 std::to_string(static_cast<int>(rng() % 10000) - 5000);
        uint128 a = 0, b = 0;
        EXPECT_EQ(ieee::ReadFreeForm(f, text, a), ieee::ReadFreeForm(twin, text, b));
        EXPECT_EQ(a, b) << text;
        EXPECT_EQ(ieee::ShortestText(f, a), ieee::ShortestText(twin, a)) << text;
        EXPECT_EQ(ieee::NextUpPattern(f, a), ieee::NextUpPattern(twin, a)) << text;
    }
}

// ---- The values each format must show ----

std::string ClassName(const ieee::ClassInfo& c) {
    static const char* const kNames[] = {"zero",      "subnormal",       "normal",   "infinity",
                                         "NaN",       "pseudo-denormal", "unnormal", "pseudo-infinity",
                                         "pseudo-NaN"};
    return std::string(kNames[static_cast<int>(c.kind)]) + (c.canonical ? "" : " non-canonical") +
           (c.realIndefinite ? " indefinite" : "");
}

TEST(FormatsSweep, WorkedValues) {
    struct Row {
        const char* format;
        const char* typed;    // read by ReadFreeForm; empty: `hex` is the pattern
        const char* hex;      // the pattern's word, or "Invalid"
        const char* english;  // its class, or empty
    };
    // clang-format off
    const Row kRows[] = {
        {"x87", "0.1", "3FFB CCCCCCCCCCCCCCCD", "normal"},
        {"x87", "1.25", "3FFF A000000000000000", ""},
        {"x87", "", "0000 8000000000000000", "pseudo-denormal non-canonical"},
        {"x87", "", "3FFF 4000000000000000", "unnormal non-canonical"},
        {"x87", "", "FFFF C000000000000000", "NaN indefinite"},
        {"x87", "", "7FFF 0000000000000001", "pseudo-NaN non-canonical"},
        {"x87", "", "7FFF 0000000000000000", "pseudo-infinity non-canonical"},
        {"x87", "-nan", "FFFF FFFFFFFFFFFFFFFF", ""},
        {"e4m3", "448", "7E", ""},
        {"e4m3", "464", "7E", ""},
        {"e4m3", "465", "Invalid", ""},
        {"e4m3", "inf", "Invalid", ""},
        {"e4m3", "-NaN", "FF", "NaN"},
        {"e4m3", "0.001953125", "01", "subnormal"},
        {"e5m2", "57344", "7B", ""},
        {"e5m2", "", "7C", "infinity"},
        {"e3m2", "28", "1F", ""},
        {"e3m2", "nan", "Invalid", ""},
        {"e2m3", "7.5", "1F", ""},
        {"e2m1", "6", "7", ""},
        {"custom:4,3", "240", "77", ""},
        {"custom:4,3", "", "78", "infinity"},
    };
    // clang-format on
    for (const Row& r : kRows) {
        const ieee::FormatInfo& f = *ieee::FormatByName(r.format);
        uint128 b = 0;
        if (*r.typed != 0) {
            const bool ok = ieee::ReadFreeForm(f, r.typed, b) == ieee::ReadStatus::Value;
            EXPECT_EQ(ok ? ieee::HexWord(f, b) : "Invalid", r.hex) << r.format << " " << r.typed;
        } else {
            ASSERT_EQ(ieee::ReadHexWord(f, r.hex, b), ieee::HexStatus::Ok);
        }
        if (*r.english != 0) {
            EXPECT_EQ(ClassName(ieee::ClassOf(f, b)), r.english) << r.format << " " << r.hex;
        }
    }
    const ieee::FormatInfo& x87 = *ieee::FormatByName("x87");
    EXPECT_EQ(ieee::ExactDecimalText(x87, uint128(1) << 63),
              ieee::ExactDecimalText(x87, uint128(3) << 63));  // 2^-16382 both
    // E4M3's 465 converted from binary32: the largest value saturated, NaN otherwise.
    const ieee::FormatInfo& e4m3 = *ieee::FormatByName("e4m3");
    const uint128 in[] = {ieee::Bits(465.0f)};
    for (auto [mode, want] : {std::pair{ieee::OnOverflow::Saturate, 0x7E}, std::pair{ieee::OnOverflow::Standard, 0x7F}})
        EXPECT_EQ(ieee::Compute(ieee::Operation::ConvertFormat, *ieee::FormatFor(4), in, ieee::Rounding::TiesToEven,
                                ieee::Tininess::AfterRounding, &e4m3, mode)
                      .bits,
                  uint128(want));
    // Results a format cannot hold: no pattern (hasPattern false), the
    // largest value, the NaN; refused x87 encodings are invalid operands.
    // format, operation, operands, mode, the result's word or "none", Flags::Byte()
    struct OpRow {
        const char *format, *a, *b;
        ieee::Operation op;
        ieee::OnOverflow mode;
        const char* want;
        uint8_t flags;
    };
    constexpr auto kAdd = ieee::Operation::Add, kDiv = ieee::Operation::Divide, kMul = ieee::Operation::Multiply;
    constexpr auto kStd = ieee::OnOverflow::Standard, kSat = ieee::OnOverflow::Saturate;
    // clang-format off
    const OpRow kOps[] = {
        {"x87", "3FFF 4000000000000000", "3FFF 8000000000000000", kAdd, kStd, "7FFF FFFFFFFFFFFFFFFF", 16},
        {"e2m1", "0", "0", kDiv, kStd, "none", 16},   {"e2m1", "2", "0", kDiv, kStd, "7", 8 | 4 | 1},
        {"e4m3", "38", "0", kDiv, kStd, "7F", 8 | 4 | 1}, {"e4m3", "B8", "0", kDiv, kSat, "FE", 8 | 4 | 1},
        {"e4m3", "7E", "40", kMul, kStd, "7F", 4 | 1},
    };
    // clang-format on
    for (const OpRow& r : kOps) {
        const ieee::FormatInfo& f = *ieee::FormatByName(r.format);
        uint128 in[2] = {0, 0};
        ieee::ReadHexWord(f, r.a, in[0]);
        ieee::ReadHexWord(f, r.b, in[1]);
        const ieee::Result res =
            ieee::Compute(r.op, f, in, ieee::Rounding::TiesToEven, ieee::Tininess::AfterRounding, nullptr, r.mode);
        EXPECT_EQ(res.hasPattern ? ieee::HexWord(f, res.bits) : "none", r.want) << r.format << " " << r.a;
        EXPECT_EQ(res.flags.Byte(), r.flags) << r.format << " " << r.a;
    }
    // E2M1 lists 0, 0.5, 1, 1.5, 2, 3, 4, 6 and their negatives.
    std::string list;
    for (uint128 b = 0; b < 16; ++b) list += ieee::ShortestText(*ieee::FormatByName("e2m1"), b) + " ";
    EXPECT_EQ(list, "0 0.5 1 1.5 2 3 4 6 -0 -0.5 -1 -1.5 -2 -3 -4 -6 ");
}

}  // namespace
