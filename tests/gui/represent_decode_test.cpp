// Bit fields back to a value: bits typed into the real bit edits are decoded,
// classified and shown in scientific form; stored values keep every bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/state.h"
#include "numeric/ieee/bit_pattern.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using represent_test::FormatRadio;
using represent_test::Ones;
using represent_test::Retype;
using represent_test::TypeRow;
using represent_test::Zeros;

class RepresentDecode : public harness::AppTest {
protected:
    static void UseFormat(int kind) {
        if (kind != 4) harness::Click(FormatRadio(kind));
        harness::ProcessEvents();
    }
};

struct DecodeCase {
    int kind;
    std::string bits;
    const char* shown;
    const char* dataType;  // Romanian, the start-up language
    bool finite;
};

TEST_F(RepresentDecode, TypedBitsShowValueAndClass) {
    const std::vector<DecodeCase> cases = {
        // clang-format off
        {4, "0" "01111011" "10011001100110011001101", "+1.0000000E-01", "Numar normalizat: Real(4)", true},
        {4, "0" + Zeros(8) + Zeros(22) + "1", "+1.4012985E-45", "Numar denormalizat", true},
        {4, "0" "11111110" + Ones(23), "+3.4028235E+38", "Numar normalizat: Real(4)", true},
        {4, "1" "10000000" "01000000000000000000000", "-2.5000000E+00", "Numar normalizat: Real(4)", true},
        // clang-format on
        {4, "1" + Zeros(31), "+0.0000000E+00", "Zero cu semn", true},
        {4, "0" + Ones(8) + Zeros(23), "Infinity", "Infinit cu semn", false},
        {4, "1" + Ones(8) + Zeros(23), "-Infinity", "Infinit cu semn", false},
        {4, "1" + Ones(8) + Zeros(22) + "1", "NaN", "Non-Numar", false},
        {4, "0" + Ones(8) + "1" + Zeros(22), "NaN", "Non-Numar", false},
        // clang-format off
        {8, "0" "01111111011" "1001100110011001100110011001100110011001100110011010",
         // clang-format on
         "+1.0000000000000001D-01", "Numar normalizat: Real(8)", true},
        {8, "0" + Zeros(11) + Zeros(51) + "1", "+4.9406564584124654D-324", "Numar denormalizat", true},
        {8, "0" + Zeros(10) + "1" + Zeros(52), "+2.2250738585072014D-308", "Numar normalizat: Real(8)", true},
        {8, "1" + Ones(11) + Zeros(52), "-Infinity", "Infinit cu semn", false},
        {8, "1" + Ones(11) + Zeros(51) + "1", "NaN", "Non-Numar", false},
        // clang-format off
        {16, "0" "011111111111111" + Zeros(112), "+1.000000000000000000000000000000000D+000",
         "Numar normalizat: Real(16)", true},
        {16, "0" + Zeros(15) + Zeros(111) + "1", "+6.475175119438025110924438958227647D-4966",
         "Numar denormalizat", true},
        {16, "0" "111111111111110" + Ones(112), "+1.189731495357231765085759326628007D+4932",
         "Numar normalizat: Real(16)", true},
        // clang-format on
        {16, "0" + Ones(15) + Zeros(112), "Infinity", "Infinit cu semn", false},
        {16, "1" + Zeros(127), "+0.000000000000000000000000000000000D+000", "Zero cu semn", true},
    };
    int shownKind = 4;
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE("format " + std::to_string(c.kind) + " bits " + c.bits);
        if (c.kind != shownKind) {
            harness::Click(FormatRadio(c.kind));
            harness::ProcessEvents();
            shownKind = c.kind;
        }
        TypeRow(c.kind, c.bits);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(Text(IDC_VALUE), c.shown);
        EXPECT_EQ(Text(IDC_DATA_TYPE), c.dataType);
        EXPECT_EQ(COMUN::IS_FINITE, c.finite);
        EXPECT_EQ(harness::Widget(IDC_PARAM_LIST)->isEnabled(), c.finite);
    }
}

TEST_F(RepresentDecode, StoredValuesKeepEveryBit) {
    // Signalling NaNs with payloads, negative zero, a negative NaN: copied bit for bit.
    TypeRow(4, "1" + Ones(8) + "0" + Zeros(21) + "1");
    EXPECT_EQ(ieee::Bits(COMUN::X4), 0xFF800001u);
    EXPECT_EQ(Text(IDC_VALUE), "NaN");
    TypeRow(4, "1" + Zeros(31));
    EXPECT_EQ(ieee::Bits(COMUN::X4), 0x80000000u);
    EXPECT_TRUE(COMUN::IS_ZERO);

    harness::Click(IDC_FORMAT_64);
    const std::string snan64 = "0" + Ones(11) + "0101" + Zeros(44) + "1011";
    TypeRow(8, snan64);
    EXPECT_EQ(ieee::Bits(COMUN::X8), 0x7FF500000000000BULL);

    harness::Click(IDC_FORMAT_128);
    const std::string snan128 = "1" + Ones(15) + "0" + Zeros(46) + "1" + Zeros(63) + "1";
    TypeRow(16, snan128);
    const ieee::uint128 bits = ieee::Bits(COMUN::X16);
    EXPECT_EQ(static_cast<uint64_t>(bits >> 64), 0xFFFF000000000001ULL);
    EXPECT_EQ(static_cast<uint64_t>(bits), 0x0000000000000001ULL);
    EXPECT_EQ(Text(IDC_VALUE), "NaN");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Non-Numar");
}

TEST_F(RepresentDecode, BlankInExponentReadsAsLowOrderDigits) {
    // clang-format off
    TypeRow(4, "0" "01111111" + Zeros(23));
    // clang-format on
    // Seven exponent characters: the eighth reads as a blank, which is skipped.
    Retype(IDC_EXPONENT_32, "1000000");
    EXPECT_EQ(Text(IDC_EXPONENT_32), "1000000");
    EXPECT_TRUE(COMUN::IS_FINITE);
    EXPECT_FALSE(COMUN::IS_ZERO);
    EXPECT_FALSE(COMUN::IS_SUBNORMAL);
    EXPECT_EQ(ieee::Bits(COMUN::X4), 0x20000000u);
    EXPECT_EQ(Text(IDC_VALUE), "+1.0842022E-19");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(4)");
}

TEST_F(RepresentDecode, BoundaryExponentFlags) {
    TypeRow(4, "0" + Zeros(8) + Zeros(22) + "1");
    EXPECT_TRUE(COMUN::IS_SUBNORMAL);
    EXPECT_TRUE(COMUN::EXP_MIN_NORMAL);
    EXPECT_FALSE(COMUN::EXP_MAX_FINITE);
    // clang-format off
    TypeRow(4, "0" "00000001" + Zeros(23));
    // clang-format on
    EXPECT_FALSE(COMUN::IS_SUBNORMAL);
    EXPECT_TRUE(COMUN::EXP_MIN_NORMAL);
    // clang-format off
    TypeRow(4, "0" "11111110" + Ones(23));
    // clang-format on
    EXPECT_TRUE(COMUN::EXP_MAX_FINITE);
    EXPECT_FALSE(COMUN::EXP_MIN_NORMAL);
    EXPECT_TRUE(COMUN::IS_FINITE);
    // clang-format off
    TypeRow(4, "0" "01111110" + Ones(23));
    // clang-format on
    EXPECT_FALSE(COMUN::EXP_MAX_FINITE);
    EXPECT_FALSE(COMUN::EXP_MIN_NORMAL);
}

TEST_F(RepresentDecode, EnteringAFieldDecodesWithoutValidation) {
    // A typed value fills the fields but is not decoded; entering a field is.
    Retype(IDC_VALUE, "0.1");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(Text(IDC_VALUE), "0.1");
    harness::ClickInto(IDC_FRACTION_32);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_VALUE), "+1.0000000E-01");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(4)");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "0");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "23");
    EXPECT_TRUE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
    EXPECT_EQ(COMUN::CURRENT_FIELD_WIDTH, 23);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RepresentDecode, OnesButtonThenEnteringAFieldShowsNaN) {
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_VALUE), "0");
    harness::ClickInto(IDC_SIGN_32);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_VALUE), "NaN");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Non-Numar");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "0");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "1");
    EXPECT_FALSE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
    EXPECT_EQ(ieee::Bits(COMUN::X4), 0xFFFFFFFFu);
}

TEST_F(RepresentDecode, LanguageSwitchShowsTheSameClass) {
    TypeRow(4, "1" + Zeros(31));
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Zero cu semn");
    harness::Click(IDC_LANG_EN);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Signed Zero");
    // clang-format off
    TypeRow(4, "0" "01111111" + Zeros(23));
    // clang-format on
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Normalized Number: Real(4)");
    harness::Click(IDC_LANG_RO);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(4)");
}

}  // namespace
