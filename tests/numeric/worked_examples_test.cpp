// Worked examples of the numeric library: encodings of typed values, the
// reader's grammar, the displayed texts and the spacing functions.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"

using namespace ieee;

namespace {

std::string Join(const std::string& s, size_t a, size_t b) {
    return s.substr(0, 1) + "|" + s.substr(1, a) + "|" + s.substr(1 + a, b);
}

// Reads `text` and returns the sign|exponent|fraction pattern, or "invalid"/"none".
template <typename T>
std::string Encode(std::string_view text) {
    T x{};
    switch (ReadFreeForm(text, x)) {
    case ReadStatus::Invalid: return "invalid";
    case ReadStatus::NoValue: return "none";
    case ReadStatus::Value: break;
    }
    if constexpr (sizeof(T) == 4) return Join(BitString(x), 8, 23);
    if constexpr (sizeof(T) == 8) return Join(BitString(x), 11, 52);
    return Join(BitString(x), 15, 112);
}

std::string Ones(size_t n) { return std::string(n, '1'); }
std::string Zeros(size_t n) { return std::string(n, '0'); }

}  // namespace

TEST(FormatTable, ParametersOfTheThreeFormats) {
    const FormatInfo* f4 = FormatFor(4);
    const FormatInfo* f8 = FormatFor(8);
    const FormatInfo* f16 = FormatFor(16);
    ASSERT_TRUE(f4 && f8 && f16);
    EXPECT_EQ(FormatFor(0), nullptr);
    EXPECT_EQ(FormatFor(12), nullptr);
    EXPECT_EQ(FormatFor(-4), nullptr);
    for (const FormatInfo* f : {f4, f8, f16}) {
        EXPECT_EQ(f->bits, 8 * f->kind);
        EXPECT_EQ(1 + f->exponentBits + f->fractionBits, f->bits);
        EXPECT_EQ(f->precision, f->fractionBits + 1);
        EXPECT_EQ(f->bias, (1 << (f->exponentBits - 1)) - 1);
        EXPECT_EQ(f->emin, 1 - f->bias);
        EXPECT_EQ(f->emax, f->bias);
        EXPECT_EQ(f->sigDigits + 1, f->sciDigits - (f->kind == 8 ? 1 : 0));
    }
    EXPECT_EQ(std::make_tuple(f4->sciDigits, f4->sciWidth, f4->sciExpDigits, f4->sciLetter, f4->sigWidth),
              std::make_tuple(8, 15, 2, 'E', 14));
    EXPECT_EQ(std::make_tuple(f8->sciDigits, f8->sciWidth, f8->sciExpDigits, f8->sciLetter, f8->sigWidth),
              std::make_tuple(17, 25, 2, 'D', 22));
    EXPECT_EQ(std::make_tuple(f16->sciDigits, f16->sciWidth, f16->sciExpDigits, f16->sciLetter, f16->sigWidth),
              std::make_tuple(34, 42, 3, 'D', 41));
}

TEST(Encode, TypedValuesGiveTheirPatterns) {
    EXPECT_EQ(Encode<float>("0.1"), "0|01111011|10011001100110011001101");
    EXPECT_EQ(Encode<double>("0.1"), "0|01111111011|1001100110011001100110011001100110011001100110011010");
    EXPECT_EQ(Encode<__float128>("1.0"), "0|011111111111111|" + Zeros(112));
    EXPECT_EQ(Encode<__float128>("0.1"),
              "0|011111111111011|100110011001100110011001100110011001100110011001"
              "1001100110011001100110011001100110011001100110011001100110011010");
    EXPECT_EQ(Encode<float>("-2.5"), "1|10000000|01000000000000000000000");
    EXPECT_EQ(Encode<float>("-0.0"), "1|00000000|" + Zeros(23));
    EXPECT_EQ(Encode<double>("-0"), "1|" + Zeros(11) + "|" + Zeros(52));
    EXPECT_EQ(Encode<__float128>("-0e999999"), "1|" + Zeros(15) + "|" + Zeros(112));
}

TEST(Encode, ReaderGrammar) {
    const std::string p15 = Encode<float>("1.5");
    const std::string p1500 = Encode<float>("1500");
    ASSERT_EQ(p15, "0|01111111|10000000000000000000000");
    ASSERT_EQ(p1500, "0|10001001|01110111000000000000000");
    struct Case {
        const char* text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // clang-format off
        {"1.5 abc", p15}, {"1.5,7", p15}, {"1.5/x", p15}, {"  +1.5", p15}, {"\t1.5\t9", p15},
        {"1.5D3", p1500}, {"1.5d3", p1500}, {"1.5+3", p1500}, {"1.5E3", p1500}, {"1.5e+3", p1500},
        {"1.5Q3", p1500}, {"1.5q+03", p1500}, {"15.e2", p1500}, {".15e4", p1500}, {"15000-1", p1500},
        {"0001500.000", p1500}, {"150000D-2", p1500},
        {",5", "none"}, {"  /", "none"}, {",", "none"},
        {"abc", "invalid"}, {"", "invalid"}, {"   ", "invalid"}, {".", "invalid"}, {"+", "invalid"},
        {"-.e5", "invalid"}, {"1.5e", "invalid"}, {"1.5+", "invalid"}, {"1.5e+", "invalid"},
        {"1.5x", "invalid"}, {"1..5", "invalid"}, {"1.5.", "invalid"}, {"1.5e3e4", "invalid"},
        {"1.5e3.0", "invalid"}, {"+,5", "invalid"}, {"- 1", "invalid"}, {"1.5e 3", "invalid"},
        {"1.5++3", "invalid"}, {"0x10", "invalid"}, {"Infinit", "invalid"}, {"infinityx", "invalid"},
        {"nanny", "invalid"}, {"Nancy", "invalid"}, {"in", "invalid"},
        {"1.5\xff", "invalid"}, {"\xe2\x80\x93" "1", "invalid"},
        {"INF", "0|11111111|" + Zeros(23)}, {"-Infinity", "1|11111111|" + Zeros(23)},
        // clang-format on
        {"+iNf,", "0|11111111|" + Zeros(23)},
        {"NAN", "0|11111111|" + Ones(23)},
        {" nan", "0|11111111|" + Ones(23)},
        {"-NaN 7", "1|11111111|" + Ones(23)},
    };
    for (const Case& c : cases) EXPECT_EQ(Encode<float>(c.text), c.expected) << '"' << c.text << '"';
    // An embedded NUL is an ordinary invalid character.
    EXPECT_EQ(Encode<float>(std::string_view("1\0", 2)), "invalid");
    EXPECT_EQ(Encode<double>("NaN"), "0|" + Ones(11) + "|" + Ones(52));
    EXPECT_EQ(Encode<__float128>("-nan"), "1|" + Ones(15) + "|" + Ones(112));
    EXPECT_EQ(Encode<__float128>("-inf"), "1|" + Ones(15) + "|" + Zeros(112));
}

TEST(Encode, NoValueAndInvalidLeaveTheStoredValue) {
    float f = 7.0f;
    EXPECT_EQ(ReadFreeForm(",5", f), ReadStatus::NoValue);
    EXPECT_EQ(ReadFreeForm("abc", f), ReadStatus::Invalid);
    EXPECT_EQ(ReadFreeForm("1e39", f), ReadStatus::Invalid);
    EXPECT_EQ(f, 7.0f);
    double d = 7.0;
    EXPECT_EQ(ReadFreeForm("1e309", d), ReadStatus::Invalid);
    EXPECT_EQ(d, 7.0);
    __float128 q = 7;
    EXPECT_EQ(ReadFreeForm("1e4933", q), ReadStatus::Invalid);
    EXPECT_TRUE(q == 7);
}

TEST(Encode, OverflowThresholds) {
    // Largest finite values and values just below the overflow threshold
    // (half an ULP above the largest finite value) are accepted.
    EXPECT_EQ(Encode<float>("3.4028235e38"), "0|11111110|" + Ones(23));
    EXPECT_EQ(Encode<float>("340282356779733661637539395458142568447"), "0|11111110|" + Ones(23));
    EXPECT_EQ(Encode<float>("340282356779733661637539395458142568448"), "invalid");
    EXPECT_EQ(Encode<float>("1e39"), "invalid");
    EXPECT_EQ(Encode<double>("1.7976931348623157e308"), "0|11111111110|" + Ones(52));
    EXPECT_EQ(Encode<double>("1.7976931348623158079372897140530341507993413271003782693617377898044e308"),
              "0|11111111110|" + Ones(52));
    EXPECT_EQ(
        Encode<double>(
            "1."
            "7976931348623158079372897140530341507993413271003782693617377898044496829276475094664901797758720709633028"
            "6416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069855"
            "5713669596228429148198608349364752927190741684443655107043427115596995080930428801779041744977920000e308"),
        "invalid");
    EXPECT_EQ(Encode<double>("1e309"), "invalid");
    EXPECT_EQ(Encode<__float128>("1.189731495357231765085759326628007e4932"), "0|111111111111110|" + Ones(112));
    EXPECT_EQ(Encode<__float128>("1.189731495357231765085759326628007073479e4932"), "0|111111111111110|" + Ones(112));
    EXPECT_EQ(Encode<__float128>("1.189731495357231765085759326628007073480e4932"), "invalid");
    EXPECT_EQ(Encode<__float128>("1e4933"), "invalid");
    // Huge exponents saturate instead of wrapping around.
    for (const char* huge : {"1e99999999999999999999", "1e+99999999999999999999999999999999999999", "1e2147483648",
                             "1e4294967296", "1e9223372036854775808"}) {
        EXPECT_EQ(Encode<float>(huge), "invalid") << huge;
        EXPECT_EQ(Encode<double>(huge), "invalid") << huge;
        EXPECT_EQ(Encode<__float128>(huge), "invalid") << huge;
    }
    EXPECT_EQ(Encode<float>("-1e-99999999999999999999"), "1|00000000|" + Zeros(23));
    EXPECT_EQ(Encode<double>("1e-2147483649"), "0|" + Zeros(11) + "|" + Zeros(52));
    EXPECT_EQ(Encode<__float128>("-1e-9223372036854775809"), "1|" + Zeros(15) + "|" + Zeros(112));
    // A long mantissa with a negative exponent can still overflow.
    EXPECT_EQ(Encode<double>("1" + std::string(400, '0') + "1e-5"), "invalid");
    EXPECT_EQ(Encode<double>("0." + std::string(400, '0') + "1e+402"), Encode<double>("10"));
}

TEST(Encode, UnderflowRoundsCorrectlyAndKeepsTheSign) {
    // Half the smallest binary32 subnormal is 2^-150 = 7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319094181060791015625e-46.
    const std::string half32 =
        "7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319094181060791015625e-"
        "46";
    EXPECT_EQ(Encode<float>(half32), "0|00000000|" + Zeros(23));  // tie to even: zero
    EXPECT_EQ(Encode<float>("-" + half32), "1|00000000|" + Zeros(23));
    EXPECT_EQ(Encode<float>("7."
                            "006492321624085354618647916449580656401309709382578858785341419448955413429303007433190941"
                            "810607910156251e-46"),
              "0|00000000|" + Zeros(22) + "1");
    EXPECT_EQ(Encode<float>("-7.0064923216240854e-46"), "1|00000000|" + Zeros(22) + "1");
    EXPECT_EQ(Encode<float>("7.0064923216240853e-46"), "0|00000000|" + Zeros(23));
    EXPECT_EQ(Encode<float>("1.4e-45"), "0|00000000|" + Zeros(22) + "1");
    EXPECT_EQ(Encode<float>("-1e-50"), "1|00000000|" + Zeros(23));
    EXPECT_EQ(Encode<double>("2.4703282292062328e-324"), "0|" + Zeros(11) + "|" + Zeros(51) + "1");
    EXPECT_EQ(Encode<double>("-2.4703282292062327e-324"), "1|" + Zeros(11) + "|" + Zeros(52));
    EXPECT_EQ(Encode<double>("4.9406564584124654e-324"), "0|" + Zeros(11) + "|" + Zeros(51) + "1");
    EXPECT_EQ(Encode<__float128>("6.475175119438025110924438958227647e-4966"),
              "0|" + Zeros(15) + "|" + Zeros(111) + "1");
    EXPECT_EQ(Encode<__float128>("3.237587559719012555462219479113824e-4966"),
              "0|" + Zeros(15) + "|" + Zeros(111) + "1");
    EXPECT_EQ(Encode<__float128>("-3.237587559719012555462219479113823e-4966"), "1|" + Zeros(15) + "|" + Zeros(112));
    EXPECT_EQ(Encode<__float128>("1e-5000"), "0|" + Zeros(15) + "|" + Zeros(112));
}

TEST(Encode, Binary32IsNotRoundedThroughBinary64) {
    // 1 + 2^-24 + tiny rounds up in binary32; read as binary64 first it would
    // become exactly 1 + 2^-24 and then tie to even, down to 1.
    EXPECT_EQ(Encode<float>("1.0000000596046447753906250000000001"), "0|01111111|00000000000000000000001");
    EXPECT_EQ(Encode<float>("1.000000059604644775390625"), "0|01111111|" + Zeros(23));
    EXPECT_EQ(Encode<double>("1.00000000000000011102230246251565404236316680908203125000000000001"),
              "0|01111111111|" + Zeros(51) + "1");
}

TEST(ScientificTexts, DisplayedValues) {
    EXPECT_EQ(ScientificText(0.1f, true), "+1.0000000E-01");
    EXPECT_EQ(ScientificText(0.1, true), "+1.0000000000000001D-01");
    EXPECT_EQ(ScientificText(DoubleFromBits(0x0010000000000000ull), true), "+2.2250738585072014D-308");
    EXPECT_EQ(ScientificText(DoubleFromBits(1), true), "+4.9406564584124654D-324");
    EXPECT_EQ(ScientificText(FloatFromBits(1), true), "+1.4012985E-45");
    EXPECT_EQ(ScientificText(FloatFromBits(0x7F7FFFFF), true), "+3.4028235E+38");
    EXPECT_EQ(ScientificText(QuadFromBits(~(uint128(1) << 127) - (uint128(1) << 112)), true),
              "+1.189731495357231765085759326628007D+4932");
    EXPECT_EQ(ScientificText(QuadFromBits(1), true), "+6.475175119438025110924438958227647D-4966");
    EXPECT_EQ(ScientificText(static_cast<__float128>(1), true), "+1.000000000000000000000000000000000D+000");
    EXPECT_EQ(ScientificText(FloatFromBits(0x20000000), true), "+1.0842022E-19");
    EXPECT_EQ(ScientificText(-2.5f, true), "-2.5000000E+00");
    EXPECT_EQ(ScientificText(-2.5f, false), "-2.5000000E+00");
    EXPECT_EQ(ScientificText(1e100, false), "1.0000000000000000D+100");
    EXPECT_EQ(ScientificText(static_cast<__float128>(1e100), false), "1.000000000000000015902891109759918D+100");
    // Zeros: no minus sign, exponent +0.
    EXPECT_EQ(ScientificText(-0.0f, true), "+0.0000000E+00");
    EXPECT_EQ(ScientificText(-0.0f, false), "0.0000000E+00");
    EXPECT_EQ(ScientificText(-0.0, true), "+0.0000000000000000D+00");
    EXPECT_EQ(ScientificText(QuadFromBits(uint128(1) << 127), true), "+0.000000000000000000000000000000000D+000");
    // Specials.
    EXPECT_EQ(ScientificText(FloatFromBits(0x7F800000), true), "Infinity");
    EXPECT_EQ(ScientificText(FloatFromBits(0xFF800000), true), "-Infinity");
    EXPECT_EQ(ScientificText(DoubleFromBits(0xFFF0000000000000ull), false), "-Infinity");
    EXPECT_EQ(ScientificText(QuadFromBits(uint128(0x7FFF) << 112), true), "Infinity");
    EXPECT_EQ(ScientificText(FloatFromBits(0xFF800001), true), "NaN");
    EXPECT_EQ(ScientificText(DoubleFromBits(0x7FF0000000000001ull), true), "NaN");
    EXPECT_EQ(ScientificText(QuadFromBits(~uint128(0)), true), "NaN");
    // Field widths: the texts fit the display fields.
    EXPECT_EQ(ScientificText(DoubleFromBits(0x8000000000000001ull), true).size(), 24u);
    EXPECT_EQ(ScientificText(QuadFromBits(1), true).size(), 42u);
}

TEST(ScientificTexts, SignificandDisplay) {
    EXPECT_EQ(SignificandText(4, "10000000000000000000000", true), "1.5000000E+00");
    EXPECT_EQ(SignificandText(4, Zeros(23), false), "0.0000000E+00");
    EXPECT_EQ(SignificandText(4, Zeros(22) + "1", false), "1.1920929E-07");
    EXPECT_EQ(SignificandText(4, Ones(23), true), "1.9999999E+00");
    EXPECT_EQ(SignificandText(8, Zeros(52), true), "1.000000000000000E+00");
    EXPECT_EQ(SignificandText(8, Zeros(52), false), "0.000000000000000E+00");
    EXPECT_EQ(SignificandText(16, "1" + Zeros(111), false), "5.000000000000000000000000000000000E-01");
    EXPECT_EQ(SignificandText(16, Zeros(48) + "1" + Zeros(63), true), "1.000000000000001776356839400250465E+00");
    EXPECT_EQ(SignificandText(16, Zeros(111) + "1", false), "1.925929944387235853055977942584927E-34");
    EXPECT_EQ(SignificandText(16, Ones(112), true), "2.000000000000000000000000000000000E+00");
    EXPECT_EQ(SignificandText(16, Ones(112), false), "9.999999999999999999999999999999998E-01");
    EXPECT_EQ(SignificandText(12, "1", true), "");
    EXPECT_EQ(SignificandText(0, "", false), "");
}

TEST(Spacing, UlpOfWorkedValues) {
    EXPECT_EQ(ScientificText(ULP4(1.0f), false), "1.1920929E-07");
    EXPECT_EQ(ScientificText(ULP8(1.0), false), "2.2204460492503131D-16");
    EXPECT_EQ(ScientificText(ULP16(static_cast<__float128>(1)), false), "1.925929944387235853055977942584927D-034");
    EXPECT_EQ(ScientificText(ULP4(0.0f), false), "5.9604645E-08");
    EXPECT_EQ(ScientificText(ULP4(-0.0f), false), "5.9604645E-08");
    EXPECT_EQ(Bits(ULP8(0.0)), Bits(0x1p-53));
    EXPECT_EQ(Bits(ULP16(static_cast<__float128>(0))), Bits(QuadFromBits(uint128(16383 - 113) << 112)));
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x00000001))), 0u);
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x807FFFFF))), 0u);
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x00800000))), 1u);
    EXPECT_EQ(Bits(ULP8(DoubleFromBits(0x8010000000000000ull))), 1u);
    EXPECT_EQ(Bits(ULP16(QuadFromBits(uint128(1) << 112))), uint128(1));
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x01000000))), 2u);
    EXPECT_EQ(Bits(ULP4(-3.0f)), Bits(0x1p-22f));
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x7F7FFFFF))), Bits(0x1p104f));
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0xFF800000))), 0x7F800000u);
    EXPECT_EQ(Bits(ULP4(FloatFromBits(0x7F800001))), 0x7FC00001u);
}

TEST(Spacing, NeighboursOfWorkedValues) {
    EXPECT_EQ(ScientificText(NEAR4(1.0f), false), "1.0000001E+00");
    EXPECT_EQ(ScientificText(NEAR_4(1.0f), false), "9.9999994E-01");
    EXPECT_EQ(BitString(NEAR4(1.0f)), "001111111" + Zeros(22) + "1");
    EXPECT_EQ(BitString(NEAR_4(1.0f)), "001111110" + Ones(23));
    EXPECT_EQ(BitString(NEAR8(1.0)).substr(48), Zeros(15) + "1");
    EXPECT_EQ(BitString(NEAR16(static_cast<__float128>(1))).substr(112), Zeros(15) + "1");
    EXPECT_EQ(ScientificText(NEAR4(0.0f), false), "1.4012985E-45");
    EXPECT_EQ(ScientificText(NEAR4(-0.0f), false), "1.4012985E-45");
    EXPECT_EQ(ScientificText(NEAR_4(0.0f), false), "-1.4012985E-45");
    EXPECT_EQ(ScientificText(NEAR4(FloatFromBits(0x7F7FFFFF)), false), "Infinity");
    EXPECT_EQ(BitString(NEAR4(FloatFromBits(0x7F7FFFFF))), "011111111" + Zeros(23));
    EXPECT_EQ(ScientificText(NEAR_4(FloatFromBits(0xFF7FFFFF)), false), "-Infinity");
    EXPECT_EQ(Bits(NEAR4(FloatFromBits(0x80000001))), 0x80000000u);   // -0
    EXPECT_EQ(Bits(NEAR_4(FloatFromBits(0x00000001))), 0x00000000u);  // +0
    EXPECT_EQ(Bits(NEAR4(FloatFromBits(0xFF800000))), 0xFF7FFFFFu);
    EXPECT_EQ(Bits(NEAR4(FloatFromBits(0x7F800000))), 0x7F800000u);
    EXPECT_EQ(Bits(NEAR_4(FloatFromBits(0xFF800000))), 0xFF800000u);
    EXPECT_EQ(Bits(NEAR4(FloatFromBits(0x007FFFFF))), 0x00800000u);
    EXPECT_EQ(Bits(NEAR_8(DoubleFromBits(0x0010000000000000ull))), 0x000FFFFFFFFFFFFFull);
    EXPECT_EQ(Bits(NEAR4(FloatFromBits(0x7F800001))), 0x7FC00001u);  // signalling NaN comes back quiet
    EXPECT_EQ(Bits(NEAR_8(DoubleFromBits(0xFFF0000000000001ull))), 0xFFF8000000000001ull);
    const uint128 sNaN16 = (uint128(0xFFFF) << 112) | 5;
    EXPECT_EQ(Bits(NEAR16(QuadFromBits(sNaN16))), sNaN16 | (uint128(1) << 111));
}

TEST(Spacing, RepresentationExponent) {
    EXPECT_EQ(RepresentationExponent(4, "01111111", false), 0);
    EXPECT_EQ(RepresentationExponent(4, "00000000", true), -126);
    EXPECT_EQ(RepresentationExponent(4, "00000001", false), -126);
    EXPECT_EQ(RepresentationExponent(4, "11111110", false), 127);
    EXPECT_EQ(RepresentationExponent(4, "11111111", false), 128);
    EXPECT_EQ(RepresentationExponent(8, "00000000000", true), -1022);
    EXPECT_EQ(RepresentationExponent(8, "11111111110", false), 1023);
    EXPECT_EQ(RepresentationExponent(16, "000000000000000", true), -16382);
    EXPECT_EQ(RepresentationExponent(16, "111111111111110", false), 16383);
    EXPECT_EQ(RepresentationExponent(16, "011111111111111", false), 0);
    EXPECT_EQ(RepresentationExponent(4, "1000000 ", false), 64 - 127);  // blank skipped
    EXPECT_EQ(RepresentationExponent(7, "11111110", false), 0);
}

TEST(BitPatterns, StringsAndDigitsRoundTripBitForBit) {
    EXPECT_EQ(BitString(-2.5f), "11000000001000000000000000000000");
    EXPECT_EQ(BitString(1.0), "0011111111110000" + Zeros(48));
    EXPECT_EQ(BitString(static_cast<__float128>(-1)), "1011111111111111" + Zeros(112));
    // Signalling NaNs with payloads and negative zeros survive.
    const std::string sNaN32 = "01111111101000000000000000000101";
    EXPECT_EQ(BitString(Binary32FromDigits(sNaN32)), sNaN32);
    const std::string sNaN64 = "1111111111110" + Zeros(50) + "1";
    EXPECT_EQ(BitString(Binary64FromDigits(sNaN64)), sNaN64);
    const std::string sNaN128 = "0111111111111111" + Zeros(40) + "1" + Zeros(70) + "1";
    EXPECT_EQ(BitString(Binary128FromDigits(sNaN128)), sNaN128);
    EXPECT_EQ(Bits(Binary32FromDigits("1" + Zeros(31))), 0x80000000u);
    // Blanks and other characters are skipped; short texts land in the low bits.
    EXPECT_EQ(Bits(Binary32FromDigits("0 1000000 " + Zeros(23))), 0x20000000u);
    EXPECT_EQ(Bits(Binary32FromDigits("1x0y1")), 5u);
    EXPECT_EQ(Bits(Binary64FromDigits("")), 0u);
    EXPECT_EQ(Bits(Binary64FromDigits("   ")), 0u);
    // Only the low-order bits of a long text are kept.
    EXPECT_EQ(Bits(Binary32FromDigits("111" + Zeros(31) + "1")), 1u);
    EXPECT_EQ(UnsignedFromDigits(Ones(200)), ~uint128(0));
    EXPECT_EQ(UnsignedFromDigits("10" + Zeros(127)), uint128(0));
    EXPECT_EQ(UnsignedFromDigits("2101"), uint128(5));
}

// The toolkit switches the C locale to the user's; a locale with a decimal
// comma must not change what is read or shown.
TEST(ScientificTexts, IndependentOfTheCLocale) {
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ro_RO.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string quadText = ScientificText(static_cast<__float128>(1) / 10, true);
    const std::string sigText = SignificandText(16, "1" + Zeros(111), true);
    __float128 tenth = 0, zero = 7;
    const ReadStatus status = ReadFreeForm("0.1", tenth);
    const ReadStatus commaStatus = ReadFreeForm("0,1", zero);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(quadText, "+1.000000000000000000000000000000000D-001");
    EXPECT_EQ(sigText, "1.500000000000000000000000000000000E+00");
    EXPECT_EQ(status, ReadStatus::Value);
    EXPECT_TRUE(tenth == static_cast<__float128>(1) / 10);
    EXPECT_EQ(commaStatus, ReadStatus::Value);  // "0" ended by the comma
    EXPECT_TRUE(zero == 0);
}
