// Pure logic of the encode/decode/classify routines that needs no widgets:
// integer widths, bit-run tests, the keyword test, the class flags, the class
// names and the field widths by control and format.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/controls.h"
#include "app/state.h"
#include "numeric/classify.h"
#include "numeric/decode.h"
#include "numeric/encode.h"

namespace {

class RepresentUnit : public ::testing::Test {
protected:
    void SetUp() override { RESET_SHARED_STATE(); }
    void TearDown() override { RESET_SHARED_STATE(); }
};

std::string Padded42(const std::string& text) {
    std::string v = text;
    v.resize(42, ' ');
    return v;
}

std::string Trimmed(const std::string& text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

TEST_F(RepresentUnit, WidthCountsDigitsAndMinusSign) {
    struct Case {
        int32_t n;
        int width;
    };
    const Case cases[] = {{0, 1},   {7, 1},     {-5, 2},     {9, 1},     {10, 2},     {-10, 3},        {99, 2},
                          {100, 3}, {16383, 5}, {-16382, 6}, {99999, 5}, {100000, 6}, {INT32_MAX, 10}, {INT32_MIN, 11}};
    for (const Case& c : cases) EXPECT_EQ(WIDTH(c.n), c.width) << c.n;
}

TEST_F(RepresentUnit, BitRunTests) {
    EXPECT_TRUE(ALLBITS_ZERO(8, "00000000"));
    EXPECT_FALSE(ALLBITS_ZERO(8, "00000001"));
    EXPECT_TRUE(ALLBITS_ZERO(7, "00000001"));   // only the first n are looked at
    EXPECT_FALSE(ALLBITS_ZERO(8, "0000000 "));  // a blank is not a zero
    EXPECT_TRUE(ALLBITS_ONE(3, "111"));
    EXPECT_FALSE(ALLBITS_ONE(3, "1 1"));
    EXPECT_TRUE(ALLBITS_ZERO(0, "1"));  // n <= 0 is vacuously true
    EXPECT_TRUE(ALLBITS_ONE(-4, "0"));
    EXPECT_FALSE(ALLBITS_ONE(5, "111"));  // a missing character reads as a blank

    EXPECT_TRUE(ALLONE_EXCEPT_LAST(8, "11111110"));
    EXPECT_TRUE(ALLONE_EXCEPT_LAST(8, "11111111"));
    EXPECT_FALSE(ALLONE_EXCEPT_LAST(8, "01111111"));
    EXPECT_TRUE(ALLZERO_EXCEPT_LAST(11, "00000000001"));
    EXPECT_TRUE(ALLZERO_EXCEPT_LAST(11, "0000000000 "));
    EXPECT_FALSE(ALLZERO_EXCEPT_LAST(11, "10000000000"));
    EXPECT_TRUE(ALLZERO_EXCEPT_LAST(1, "1"));
    EXPECT_TRUE(ALLONE_EXCEPT_LAST(0, ""));
}

TEST_F(RepresentUnit, KeywordTestReadsFirstThreeCharactersExactly) {
    using namespace COMUN;
    struct Case {
        const char* text;
        bool nan;
        bool inf;
        char sign;
    };
    const Case cases[] = {
        // clang-format off
        {"nan", true, false, '0'},   {"NaN", true, false, '0'},   {"Nancy", true, false, '0'},
        {"naN", true, false, '0'},   {"Nan", true, false, '0'},   {"+na", true, false, '0'},
        {"+Na", true, false, '0'},   {"-nan", true, false, '1'},  {"-Na", true, false, '1'},
        {"Inf", false, true, '0'},   {"inf", false, true, '0'},   {"+In", false, true, '0'},
        {"-in", false, true, '1'},   {"-Infinity", false, true, '1'},
        // clang-format on
        // Not keywords: other cases, a leading blank, an infinity with a capital N.
        {"NAN", false, false, '0'},
        {"INF", false, false, '0'},
        {" nan", false, false, '0'},
        {"nAn", false, false, '0'},
        {"iNf", false, false, '0'},
        {"-IN", false, false, '1'},
        {"1.5", false, false, '0'},
        {"-1.", false, false, '1'},
    };
    for (const Case& c : cases) {
        VALUE_CHAR = Padded42(c.text);
        ISINFINITY_OR_NAN();
        EXPECT_EQ(IS_NAN, c.nan) << c.text;
        EXPECT_EQ(IS_INFINITY, c.inf) << c.text;
        if (c.nan) {
            EXPECT_EQ(NAN_SIGN, c.sign) << c.text;
        } else {
            EXPECT_EQ(INF_SIGN, c.sign) << c.text;
        }
    }
}

TEST_F(RepresentUnit, NanKeywordLeavesInfinitySignAlone) {
    using namespace COMUN;
    VALUE_CHAR = Padded42("-inf");
    ISINFINITY_OR_NAN();
    EXPECT_EQ(INF_SIGN, '1');
    VALUE_CHAR = Padded42("nan");
    ISINFINITY_OR_NAN();
    EXPECT_TRUE(IS_NAN);
    EXPECT_EQ(NAN_SIGN, '0');
    EXPECT_EQ(INF_SIGN, '1');  // kept from the earlier keyword
    // A keyword test that finds nothing clears both flags.
    VALUE_CHAR = Padded42("12.5");
    ISINFINITY_OR_NAN();
    EXPECT_FALSE(IS_NAN);
    EXPECT_FALSE(IS_INFINITY);
}

TEST_F(RepresentUnit, ClassFlagsFromExponentAndFraction) {
    using namespace COMUN;
    struct Case {
        const char* e;
        const char* f;
        bool zero, sub, inf, nan, finite, maxFinite, minNormal;
    };
    const Case cases[] = {
        {"00000000", "00000000000000000000000", true, false, false, false, true, false, true},
        {"00000000", "00000000000000000000001", false, true, false, false, true, false, true},
        {"11111111", "00000000000000000000000", false, false, true, false, false, true, false},
        {"11111111", "10000000000000000000000", false, false, false, true, false, true, false},
        {"11111110", "11111111111111111111111", false, false, false, false, true, true, false},
        {"00000001", "00000000000000000000000", false, false, false, false, true, false, true},
        {"01111111", "00000000000000000000000", false, false, false, false, true, false, false},
        // A blank in the exponent is neither zero nor one: finite, not zero.
        {"1000000 ", "00000000000000000000000", false, false, false, false, true, false, false},
        {"1111111 ", "00000000000000000000000", false, false, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        ISNONNUMBER(8, 23, c.e, c.f);
        const std::string label = std::string(c.e) + "/" + c.f;
        EXPECT_EQ(IS_ZERO, c.zero) << label;
        EXPECT_EQ(IS_SUBNORMAL, c.sub) << label;
        EXPECT_EQ(IS_INFINITY, c.inf) << label;
        EXPECT_EQ(IS_NAN, c.nan) << label;
        EXPECT_EQ(IS_FINITE, c.finite) << label;
        EXPECT_EQ(EXP_MAX_FINITE, c.maxFinite) << label;
        EXPECT_EQ(EXP_MIN_NORMAL, c.minNormal) << label;
    }
    // binary128: the last of 112 fraction bits decides between infinity and NaN.
    const std::string ones15(15, '1');
    std::string fraction(112, '0');
    ISNONNUMBER(15, 112, ones15, fraction);
    EXPECT_TRUE(IS_INFINITY);
    fraction[111] = '1';
    ISNONNUMBER(15, 112, ones15, fraction);
    EXPECT_TRUE(IS_NAN);
    EXPECT_FALSE(IS_INFINITY);
}

TEST_F(RepresentUnit, ClassNamesInOrderAndPaddedTo30) {
    using namespace COMUN;
    // The class comes from the pattern alone (the flags follow it).
    struct Case {
        ieee::uint128 pattern;
        int kind;
        const char* ro;
        const char* en;
    };
    const Case cases[] = {
        {0x80000000u, 4, "Zero cu semn", "Signed Zero"},
        {0x00000001u, 4, "Numar denormalizat", "Denormalized Number"},
        {0xFFF0000000000000u, 8, "Infinit cu semn", "Signed Infinity"},
        {ieee::uint128(0x7FFF800000000000u) << 64, 16, "Non-Numar", "Not-a-Number"},
        {0x3F800000u, 4, "Numar normalizat: Real(4)", "Normalized Number: Real(4)"},
        {0x3FF0000000000000u, 8, "Numar normalizat: Real(8)", "Normalized Number: Real(8)"},
        {ieee::uint128(0x3FFF000000000000u) << 64, 16, "Numar normalizat: Real(16)", "Normalized Number: Real(16)"},
    };
    for (const Case& c : cases) {
        FORMAT_KIND = c.kind;
        TAKE_CLASS(*ieee::FormatFor(c.kind), c.pattern);
        EXPECT_EQ(IS_ZERO, std::string(c.en) == "Signed Zero");
        RETRIEVEDATATYPE();
        ASSERT_EQ(DATATYPE[0].size(), 30u);
        ASSERT_EQ(DATATYPE[1].size(), 30u);
        EXPECT_EQ(Trimmed(DATATYPE[0]), c.ro);
        EXPECT_EQ(Trimmed(DATATYPE[1]), c.en);
    }
}

TEST_F(RepresentUnit, FieldWidthByControlAndFormat) {
    using namespace COMUN;
    struct Case {
        int kind;
        int id;
        int width;
    };
    const Case cases[] = {
        // clang-format off
        {4, IDC_SIGN_32, 1},          {4, IDC_EXPONENT_32, 8},        {4, IDC_FRACTION_32, 23},
        {4, IDC_FRACTION_64, 0},      {4, IDC_SIGN_128, 1},           {4, IDC_VALUE, 0},
        {8, IDC_SIGN_64, 1},          {8, IDC_EXPONENT_64, 11},       {8, IDC_FRACTION_64, 52},
        {8, IDC_SIGN_128, 1},         {8, IDC_EXPONENT_32, 0},        {8, IDC_FRACTION_128_LOW, 0},
        {16, IDC_SIGN_128, 1},        {16, IDC_EXPONENT_128, 15},     {16, IDC_FRACTION_128_HIGH, 48},
        {16, IDC_FRACTION_128_LOW, 64}, {16, IDC_SIGN_32, 1},         {16, IDC_FRACTION_32, 0},
        {5, IDC_EXPONENT_32, 0},      {5, IDC_SIGN_64, 1},
        // clang-format on
    };
    for (const Case& c : cases) {
        FORMAT_KIND = c.kind;
        CURRENT_FIELD_WIDTH = -7;
        EXPECT_EQ(IFIELD(c.id), c.width) << c.kind << " " << c.id;
        EXPECT_EQ(CURRENT_FIELD_WIDTH, c.width) << c.kind << " " << c.id;
    }
}

}  // namespace
