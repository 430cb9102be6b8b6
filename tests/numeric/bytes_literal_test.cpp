// Patterns written out and read back: bytes in either order, hexadecimal
// words, hex-float constants and C literals (compiled by GCC) over random
// patterns of every format; and hex-float texts read by the value field's
// reader against strtof / strtod or MPFR.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "mpfr_oracle.h"
#include "numeric/ieee/pattern_class.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/byte_order.h"
#include "numeric/ieee/code_literal.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/stored_value.h"

using ieee::ByteOrder;
using ieee::uint128;

namespace {

uint128 RandomPattern(std::mt19937_64& rng, const ieee::FormatInfo& f) {
    return ((uint128(rng()) << 64) | rng()) & f.patternMask();
}

std::string Hex128(uint128 v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%016llx%016llx", static_cast<unsigned long long>(v >> 64),
                  static_cast<unsigned long long>(v));
    return buf;
}

TEST(BytesAndLiterals, RoundTripEveryFormat) {
    std::mt19937_64 rng(20261209);
    std::string program = "#include <cstdio>\n#include <cstring>\nint main() {\n";
    std::vector<std::string> expected;
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        std::vector<uint128> patterns = {0, f.signBit(), 1, f.infinity(), f.infinity() | 1, f.patternMask()};
        for (int n = 0; n < 300; ++n) patterns.push_back(RandomPattern(rng, f));
        for (const uint128 bits : patterns) {
            for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
                uint128 back = ~bits;
                ASSERT_EQ(ieee::ReadBytes(f, ieee::BytesText(f, bits, order), order, back), ieee::BytesStatus::Ok);
                EXPECT_EQ(back, bits) << f.name;
            }
            uint128 word = ~bits;
            ASSERT_EQ(ieee::ReadHexWord(f, ieee::HexWord(f, bits), word), ieee::HexStatus::Ok);
            EXPECT_EQ(word, bits) << f.name;
            // A value is read back as its canonical encoding, which a
            // non-canonical one (an x87 unnormal) is not.
            if (!ieee::ClassOf(f, bits).canonical) continue;
            if (ieee::IsFinitePattern(f, bits)) {
                const std::string hexFloat = ieee::CHexFloat(f, bits);
                uint128 read = ~bits;
                ASSERT_EQ(ieee::ReadFreeForm(f, hexFloat, read), ieee::ReadStatus::Value) << hexFloat;
                EXPECT_EQ(read, bits) << f.name << " " << hexFloat;
            }
            const std::string literal = ieee::CLiteral(f, bits);
            // Every literal up to 64 bits, and the binary128 constants, compiled.
            const bool integer = literal.find("/*") != std::string::npos;
            if (integer && f.bits > 64) continue;
            const char* type = !integer && f.bits == 128  ? "__float128"
                               : !integer && f.bits == 80 ? "long double"
                               : !integer && f.bits == 64 ? "double"
                               : !integer                 ? "float"
                                                          : "unsigned long long";
            program += "  { " + std::string(type) + " v = " + literal + "; unsigned char b[16] = {0};" +
                       " std::memcpy(b, &v, " + std::to_string(integer ? 8 : ieee::StorageBytes(f)) +
                       "); for (int i = 15; i >= 0; --i) std::printf(\"%02x\", b[i]); std::printf(\"\\n\"); }\n";
            expected.push_back(Hex128(bits));
        }
    }
    program += "}\n";
    const std::string dir = ::testing::TempDir();
    std::ofstream(dir + "literals.cpp") << program;
    const std::string build = "g++ -std=gnu++20 -o " + dir + "literals " + dir + "literals.cpp && " + dir +
                              "literals > " + dir + "literals.txt";
    ASSERT_EQ(std::system(build.c_str()), 0);
    std::ifstream out(dir + "literals.txt");
    std::string line;
    for (const std::string& want : expected) {
        ASSERT_TRUE(std::getline(out, line));
        EXPECT_EQ(line, want);
    }

    // What the task's examples show.
    const ieee::FormatInfo& b32 = *ieee::FormatFor(ieee::KIND_BINARY32);
    const ieee::FormatInfo& b64 = *ieee::FormatFor(ieee::KIND_BINARY64);
    uint128 tenth = 0;
    ASSERT_EQ(ieee::ReadBytes(b32, "\\xcd\\xcc\\xcc\\x3d", ByteOrder::Little, tenth), ieee::BytesStatus::Ok);
    EXPECT_EQ(ieee::BytesText(b32, tenth, ByteOrder::Little), "CD CC CC 3D");
    EXPECT_EQ(ieee::BytesText(b32, tenth, ByteOrder::Big), "3D CC CC CD");
    for (const char* typing : {"cd c", "cd 0x", "cd \\"})
        EXPECT_EQ(ieee::ReadBytes(b32, typing, ByteOrder::Little, tenth), ieee::BytesStatus::Unfinished);
    EXPECT_EQ(ieee::ReadBytes(b32, "c d", ByteOrder::Little, tenth), ieee::BytesStatus::HalfByte);
    EXPECT_EQ(ieee::CLiteral(b64, 0x3FB999999999999Aull), "0x1.999999999999ap-4");
    EXPECT_EQ(ieee::CLiteral(*ieee::FormatFor(ieee::KIND_BINARY16), 0x2E66), "0x2E66 /* binary16 0.1 */");
}

// The independent reading of a hex-float text (suffix taken off) into f.
uint128 Reference(const ieee::FormatInfo& f, std::string text, bool& overflow) {
    if (!text.empty() && std::string("fFlLqQ").find(text.back()) != std::string::npos) text.pop_back();
    uint128 bits = 0;
    if (f.kind == ieee::KIND_BINARY32) bits = ieee::Bits(std::strtof(text.c_str(), nullptr));
    else if (f.kind == ieee::KIND_BINARY64) bits = ieee::Bits(std::strtod(text.c_str(), nullptr));
    else {
        // binary128 too: strtoflt128 rounds half the smallest subnormal
        // (0x1p-16495) up instead of to even.
        const oracle::Fmt o{f.kind, f.bits, f.fractionBits, f.precision, f.bias, f.sciDigits, f.sciLetter, 2};
        oracle::Num r(f.precision);
        const oracle::Range range(o);
        int t = mpfr_strtofr(r, text.c_str(), nullptr, 16, MPFR_RNDN);
        t = mpfr_check_range(r, t, MPFR_RNDN);
        mpfr_subnormalize(r, t, MPFR_RNDN);
        bits = oracle::FromMpfr(o, r);
    }
    overflow = ieee::IsInfinityPattern(f, bits);
    return bits;
}

TEST(BytesAndLiterals, HexFloatReadingCases) {
    // clang-format off
    const char* cases[] = {
        "0x1.99999ap-4", "-0X1P-149", "0x.8p1", "0x1p+0", "0x1.000001p0", "0x1.0000011p0", "0x1p-1074",
        "0x1.99999ap-4f", "0x1.999999999999ap-4", "0x1.999999999999999999999999999ap-4Q", "0x1p0L",
        "0x1.0000000000000800p0", "0x1.0000000000000800000000000001p0", "0x1.0000000000000000000000000008p0",
        "0x1.ffep-15", "0x1.002p0", "0x1.006p0", "0x1.01p0", "0x1.03p0", "0x1.ffffffp127", "0x1.fffffep127",
        "0x1p128", "0x1.ffcp15", "0x1.ffep15", "0x0.0000000000001p-1022", "0x1p-1075", "0x1.8p-1075",
        "0x1p-150", "0x1.000002p-150", "0x1p-25", "0x1.8p-24", "0x1p-16494", "0x1p-16495", "0x1.1p-16495",
        "0x1p-134", "0x1.8p-133", "0x0p0", "-0x0.0p-5", "0x000000000000000001.8p-64", "0x1p16384", "0x1p-20000",
    };
    // clang-format on
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        if (f.bits < 16 || f.bits == 80) continue;  // the MPFR reference assumes an IEEE layout with infinities
        for (const char* text : cases) {
            bool overflow = false;
            const uint128 want = Reference(f, text, overflow);
            uint128 got = 0;
            const ieee::ReadStatus status = ieee::ReadFreeForm(f, text, got);
            if (overflow) {
                EXPECT_EQ(status, ieee::ReadStatus::Invalid) << f.name << " " << text;
                continue;
            }
            ASSERT_EQ(status, ieee::ReadStatus::Value) << f.name << " " << text;
            EXPECT_EQ(got, want) << f.name << " " << text;
            EXPECT_EQ(ieee::ReadOperand(text, f, ieee::Rounding::TiesToEven).bits, want) << f.name << " " << text;
            // The error is exact: the same as for the literal's exact decimal digits.
            ieee::TypedDecimal hex, decimal;
            ASSERT_TRUE(ieee::ExactTypedNumber(text, hex)) << text;
            const ieee::FormatInfo& b128 = *ieee::FormatFor(ieee::KIND_BINARY128);
            uint128 q = 0;
            if (ieee::ReadFreeForm(b128, text, q) != ieee::ReadStatus::Value) continue;
            ASSERT_TRUE(ieee::ExactTypedNumber(ieee::ExactDecimalText(b128, q), decimal));
            if (hex.digits != decimal.digits) continue;  // not a binary128 value: no decimal twin to compare with
            EXPECT_EQ(ieee::ConversionErrorOf(f, hex, got).exact, ieee::ConversionErrorOf(f, decimal, got).exact);
        }
    }
    // What the task's examples show.
    const ieee::FormatInfo& b32 = *ieee::FormatFor(ieee::KIND_BINARY32);
    ieee::TypedDecimal typed;
    uint128 bits = 0;
    ASSERT_TRUE(ieee::ExactTypedNumber("0x1.99999ap-4", typed));
    ASSERT_EQ(ieee::ReadFreeForm(b32, "0x1.99999ap-4", bits), ieee::ReadStatus::Value);
    EXPECT_EQ(bits, 0x3DCCCCCDu);
    EXPECT_EQ(ieee::ConversionErrorOf(b32, typed, bits).exact, "0");
    EXPECT_EQ(ieee::ReadFreeForm(b32, "0x1", bits), ieee::ReadStatus::NoValue);
    EXPECT_EQ(ieee::ReadFreeForm(b32, "0x1.8p1x", bits), ieee::ReadStatus::Invalid);
}

}  // namespace
