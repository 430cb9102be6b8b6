// Randomised robustness checks of the reader and of the bit-digit readers:
// arbitrary bytes (every value, NUL included), empty and overlong texts, and
// texts assembled from the pieces of the number grammar. Beyond not crashing,
// every outcome must be consistent: a rejected text leaves the value alone, an
// accepted one reads the same again, ignores what follows its terminator,
// survives a round trip through its own decimal form, and a text of digits
// reads as MPFR reads it.
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

extern "C" {
#include <quadmath.h>
}

#include "mpfr_oracle.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"

using ieee::ReadStatus;
using ieee::uint128;
using oracle::Fmt;
using oracle::FmtOf;
using oracle::FromPattern;

namespace {

// A decimal text that reads back to exactly x (enough digits for any value).
template <typename T>
std::string RoundTripText(T x) {
    char buf[128];
    if constexpr (sizeof(T) == 16) {
        const int n = quadmath_snprintf(buf, sizeof buf, "%.35Qe", x);
        return std::string(buf, static_cast<size_t>(n));
    } else {
        const auto r = std::to_chars(buf, buf + sizeof buf, x);
        return std::string(buf, r.ptr);
    }
}

bool IsTerminator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '/'; }

std::string RandomBytes(std::mt19937_64& rng) {
    size_t n = rng() % 48;
    if (rng() % 50 == 0) n = rng() % 4000;
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng() % 256);
    return s;
}

std::string GrammarText(std::mt19937_64& rng) {
    // clang-format off
    static const char* pieces[] = {"0", "1", "7", "9", "00", "123456789", ".", "+", "-", "e", "E", "d", "D", "q", "Q", " ", ",",
                                   "/", "\t", "inf", "INF", "Infinity", "nan", "NaN", "x", "\xff", "\x85", "<NUL>",
                                   "99999999999999999999", "e-4966", "e4932", "e-324", "e308", "e-45", "e38", "E+", "D-"};
    // clang-format on
    std::string s;
    const size_t n = rng() % 12;
    for (size_t i = 0; i < n; ++i) {
        const size_t pick = rng() % (sizeof pieces / sizeof pieces[0]);
        if (pick == 27) s += '\0';  // the NUL piece (a C string cannot hold it)
        else s += pieces[pick];
    }
    return s;
}

// A number built along the grammar (blanks, sign, digits, point, exponent,
// terminator and junk), sometimes with one piece spoilt.
std::string StructuredText(std::mt19937_64& rng) {
    static const char* words[] = {"inf", "Infinity", "NaN", "nAn", "INF"};
    static const char* letters[] = {"e", "E", "d", "D", "q", "Q", ""};
    static const char* tails[] = {"", " ", ", 3", "/", "\t\xff", " \0 junk"};
    auto digits = [&rng](size_t most) {
        std::string d;
        for (size_t n = rng() % most; n > 0; --n) d += static_cast<char>('0' + rng() % 10);
        return d;
    };
    std::string s(rng() % 3, ' ');
    if (rng() % 2) s += rng() % 2 ? '+' : '-';
    if (rng() % 10 == 0) {
        s += words[rng() % 5];
    } else {
        s += digits(30);
        if (rng() % 2) s += "." + digits(30);
        if (rng() % 2) {
            s += letters[rng() % 7];
            if (rng() % 2) s += rng() % 2 ? '+' : '-';
            s += digits(rng() % 10 == 0 ? 25 : 6);
        }
    }
    s += tails[rng() % 6];
    if (rng() % 4 == 0) s.insert(rng() % (s.size() + 1), 1, static_cast<char>(rng() % 256));
    return s;
}

std::string DigitText(std::mt19937_64& rng) {
    size_t n = 1 + rng() % 40;
    if (rng() % 100 == 0) n = 1 + rng() % 3000;
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    if (rng() % 2) s.insert(rng() % (n + 1), ".");
    return s;
}

template <typename T>
bool CheckOne(const std::string& text, int& failures) {
    const Fmt& f = FmtOf<T>();
    const uint128 sentinel = f.infinity() | 0x1234;  // a signalling NaN the reader never makes
    T x = FromPattern<T>(sentinel);
    const ReadStatus status = ieee::ReadFreeForm(text, x);
    const uint128 got = ieee::Bits(x);
    auto fail = [&](const char* why) {
        if (++failures <= 10)
            ADD_FAILURE() << why << " for binary" << f.bits << " text of " << text.size() << " bytes: \""
                          << text.substr(0, 80) << "\"";
    };
    if (status != ReadStatus::Value) {
        if (got != sentinel) fail("rejected text changed the value");
        return false;
    }
    // Reading again gives the same bits.
    T again = FromPattern<T>(0);
    if (ieee::ReadFreeForm(text, again) != ReadStatus::Value || ieee::Bits(again) != got) fail("second read differs");
    // Nothing after the terminator matters.
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    size_t end = start;
    while (end < text.size() && !IsTerminator(text[end])) ++end;
    T cut = FromPattern<T>(0);
    if (ieee::ReadFreeForm(std::string_view(text).substr(start, end - start), cut) != ReadStatus::Value ||
        ieee::Bits(cut) != got)
        fail("text after the terminator changed the result");
    const uint128 mag = got & ~f.signBit();
    if (mag > f.infinity()) {
        if (mag != (f.infinity() | f.fractionMask())) fail("NaN read is not the all-ones quiet NaN");
        return true;
    }
    if (mag == f.infinity()) return true;
    // The value's own round-trip decimal reads back to it.
    T back = FromPattern<T>(0);
    const std::string own = RoundTripText(x);
    if (ieee::ReadFreeForm(own, back) != ReadStatus::Value || ieee::Bits(back) != got)
        fail("round trip through own decimal form");
    return true;
}

template <typename T>
void FuzzReader(uint64_t seed, int count) {
    std::mt19937_64 rng(seed);
    int failures = 0;
    int values = 0;
    for (int i = 0; i < count; ++i) {
        values += CheckOne<T>(RandomBytes(rng), failures);
        values += CheckOne<T>(GrammarText(rng), failures);
        values += CheckOne<T>(StructuredText(rng), failures);
    }
    // The grammar pieces must produce a fair share of accepted numbers.
    EXPECT_GT(values, count / 4);
    std::printf("binary%d: %d accepted of %d texts\n", FmtOf<T>().bits, values, 3 * count);
    CheckOne<T>("", failures);
    CheckOne<T>(std::string(5000, ' '), failures);
    CheckOne<T>(std::string(5000, '9'), failures);
    CheckOne<T>("0." + std::string(5000, '0') + "1", failures);
    CheckOne<T>(std::string(5000, '0') + "1e-5001", failures);
    CheckOne<T>("1" + std::string(5000, '0') + "e-5000", failures);
    CheckOne<T>("1e" + std::string(5000, '9'), failures);
    CheckOne<T>("1e-" + std::string(5000, '9'), failures);
    EXPECT_EQ(failures, 0);
}

// Texts of digits (and at most one point) are numbers; they must read as MPFR
// reads them, or be rejected exactly when MPFR overflows.
template <typename T>
void FuzzDigits(uint64_t seed, int count) {
    const Fmt& f = FmtOf<T>();
    std::mt19937_64 rng(seed);
    int failures = 0;
    for (int i = 0; i < count && failures < 10; ++i) {
        const std::string text = DigitText(rng);
        const std::string forMpfr = text == "." ? "0" : text;
        const uint128 expected = oracle::ReadDecimal(f, forMpfr);
        T x = FromPattern<T>(0);
        const ReadStatus status = ieee::ReadFreeForm(text, x);
        const bool overflow = (expected & ~f.signBit()) == f.infinity();
        const bool ok =
            overflow ? status == ReadStatus::Invalid : (status == ReadStatus::Value && ieee::Bits(x) == expected);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "binary" << f.bits << " digits \"" << text.substr(0, 80) << "\" (" << text.size()
                          << " bytes)";
        }
    }
    EXPECT_EQ(failures, 0);
}

// Reference for the bit-digit readers: the '0'/'1' characters, low-order
// `bits` of them, as a number.
uint128 LowBits(const std::string& text, int bits) {
    std::string digits;
    for (char c : text)
        if (c == '0' || c == '1') digits += c;
    if (digits.size() > static_cast<size_t>(bits)) digits = digits.substr(digits.size() - static_cast<size_t>(bits));
    uint128 v = 0;
    for (char c : digits) v = v * 2 + static_cast<uint128>(c - '0');
    return v;
}

}  // namespace

TEST(ReaderFuzz, Binary32) { FuzzReader<float>(0x3205, 100000); }
TEST(ReaderFuzz, Binary64) { FuzzReader<double>(0x6405, 100000); }
TEST(ReaderFuzz, Binary128) { FuzzReader<__float128>(0x12805, 100000); }
TEST(ReaderFuzz, DigitTextsBinary32) { FuzzDigits<float>(0x3206, 20000); }
TEST(ReaderFuzz, DigitTextsBinary64) { FuzzDigits<double>(0x6406, 20000); }
TEST(ReaderFuzz, DigitTextsBinary128) { FuzzDigits<__float128>(0x12806, 20000); }

TEST(ReaderFuzz, BitDigitReaders) {
    std::mt19937_64 rng(0x5207);
    for (int i = 0; i < 30000; ++i) {
        std::string text;
        const size_t n = rng() % 4 == 0 ? rng() % 3000 : rng() % 160;
        for (size_t k = 0; k < n; ++k) {
            const uint64_t r = rng() % 8;
            text += r < 3 ? '0' : r < 6 ? '1' : static_cast<char>(rng() % 256);
        }
        ASSERT_EQ(ieee::Bits(ieee::Binary32FromDigits(text)), static_cast<uint32_t>(LowBits(text, 32))) << text;
        ASSERT_EQ(ieee::Bits(ieee::Binary64FromDigits(text)), static_cast<uint64_t>(LowBits(text, 64))) << text;
        ASSERT_TRUE(ieee::Bits(ieee::Binary128FromDigits(text)) == LowBits(text, 128)) << text;
        ASSERT_TRUE(ieee::UnsignedFromDigits(text) == LowBits(text, 128)) << text;
    }
    // Any pattern, signalling NaNs included, survives BitString and back.
    for (int i = 0; i < 30000; ++i) {
        const uint128 b = (uint128(rng()) << 64) | rng();
        const uint128 nanish = (b | (uint128(0x7FFF) << 112)) & ~(uint128(1) << 111);
        for (const uint128 p : {b, nanish}) {
            ASSERT_EQ(
                ieee::Bits(ieee::Binary32FromDigits(ieee::BitString(ieee::FloatFromBits(static_cast<uint32_t>(p))))),
                static_cast<uint32_t>(p));
            ASSERT_EQ(
                ieee::Bits(ieee::Binary64FromDigits(ieee::BitString(ieee::DoubleFromBits(static_cast<uint64_t>(p))))),
                static_cast<uint64_t>(p));
            ASSERT_TRUE(ieee::Bits(ieee::Binary128FromDigits(ieee::BitString(ieee::QuadFromBits(p)))) == p);
        }
    }
}
