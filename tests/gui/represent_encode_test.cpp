// Typed values reach the bit fields: numbers, keywords, the free-form reader's
// words and terminators, texts longer than 42 characters, rounding traps, overflow and
// the "Invalid Value" message, all typed into the real value field.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/state.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using represent_test::FormatRadio;
using represent_test::Ones;
using represent_test::Retype;
using represent_test::RowBits;
using represent_test::Zeros;

class RepresentEncode : public harness::AppTest {
protected:
    void UseFormat(int kind) {
        if (kind != 4) harness::Click(FormatRadio(kind));
        harness::ProcessEvents();
        ASSERT_EQ(COMUN::FORMAT_KIND, kind);
    }
    // Types `text` into the value field key by key; the last key is checked to
    // raise no message (earlier prefixes may be incomplete numbers).
    void TypeValue(const std::string& text) {
        ASSERT_FALSE(text.empty());
        if (text.size() > 1) {
            Retype(IDC_VALUE, text.substr(0, text.size() - 1));
            harness::ClearMessages();
            harness::Type(IDC_VALUE, QString::fromLatin1(text.substr(text.size() - 1).c_str()));
        } else {
            harness::ClearMessages();
            Retype(IDC_VALUE, text);
        }
        harness::ProcessEvents();
    }
    static void ExpectInvalidValueMessages(std::size_t count) {
        ASSERT_EQ(Messages().size(), count);
        for (const harness::MessageRecord& m : Messages()) {
            EXPECT_EQ(m.text, "Invalid Value");
            EXPECT_EQ(m.caption, "Error");
            EXPECT_EQ(m.style, 0x30u);
        }
    }
};

struct EncodeCase {
    int kind;
    const char* text;
    std::string bits;  // sign, exponent and fraction joined
};

const std::string kNaN32 = "0" + Ones(8) + Ones(23);
const std::string kNaN32Neg = "1" + Ones(8) + Ones(23);
const std::string kInf32 = "0" + Ones(8) + Zeros(23);
const std::string kInf32Neg = "1" + Ones(8) + Zeros(23);
// clang-format off
const std::string k1500_32 = "0" "10001001" "01110111000000000000000";
const std::string k1p5_32 = "0" "01111111" "10000000000000000000000";
// clang-format on

TEST_F(RepresentEncode, TypedValuesGiveTheirPatterns) {
    const std::vector<EncodeCase> cases = {
        // clang-format off
        {4, "0.1", "0" "01111011" "10011001100110011001101"},
        {8, "0.1", "0" "01111111011" "1001100110011001100110011001100110011001100110011010"},
        {16, "1.0", "0" "011111111111111" + Zeros(112)},
        {16, "0.1", "0" "011111111111011" "100110011001100110011001100110011001100110011001"
                    "1001100110011001100110011001100110011001100110011001100110011010"},
        {4, "-2.5", "1" "10000000" "01000000000000000000000"},
        // clang-format on
        {4, "-0.0", "1" + Zeros(31)},
        {8, "-0.0", "1" + Zeros(63)},
        {16, "-0.0", "1" + Zeros(127)},
        // Keywords (first three characters, case-sensitive).
        {4, "nan", kNaN32},
        {4, "NaN", kNaN32},
        {4, "Nancy", kNaN32},
        {4, "+na", kNaN32},
        {4, "-nan", kNaN32Neg},
        {4, "-Infinity", kInf32Neg},
        {4, "-in", kInf32Neg},
        {4, "Inf", kInf32},
        {8, "-nan", "1" + Ones(11) + Ones(52)},
        {8, "inf", "0" + Ones(11) + Zeros(52)},
        {16, "nan", "0" + Ones(15) + Ones(112)},
        {16, "-inf", "1" + Ones(15) + Zeros(112)},
        // Not keywords: the reader's words, in any case.
        {4, "NAN", kNaN32},
        {4, "INF", kInf32},
        {4, " nan", kNaN32},
        {4, "-NAN", kNaN32Neg},
        {4, "-INFINITY", kInf32Neg},
        {8, " -InFiNiTy", "1" + Ones(11) + Zeros(52)},
        // Terminators and exponent forms.
        {4, "1.5 abc", k1p5_32},
        {4, "1.5,7", k1p5_32},
        {4, "1.5/2", k1p5_32},
        {4, "1.5D3", k1500_32},
        {4, "1.5+3", k1500_32},
        {4, "1.5e+3", k1500_32},
        {4, "15q2", k1500_32},
        {4, "  +.15E4", k1500_32},
        {4, "150000d-2", k1500_32},
        // Exact halfway between 1 and its successor rounds to even (1); one
        // more digit pushes it up. A binary32 result is not a rounded binary64.
        // clang-format off
        {4, "1.000000059604644775390625", "0" "01111111" + Zeros(23)},
        {4, "1.0000000596046447753906250000000001", "0" "01111111" + Zeros(22) + "1"},
        // clang-format on
        // Subnormals and the smallest values.
        {4, "1.4e-45", "0" + Zeros(8) + Zeros(22) + "1"},
        {4, "1e-50", "0" + Zeros(31)},
        {8, "4.9406564584124654e-324", "0" + Zeros(11) + Zeros(51) + "1"},
        {8, "2.2250738585072014D-308", "0" + Zeros(10) + "1" + Zeros(52)},
        {16, "6.475175119438025110924438958227647e-4966", "0" + Zeros(15) + Zeros(111) + "1"},
        // Largest finite values, and values just below the overflow threshold.
        // clang-format off
        {4, "3.4028235e38", "0" "11111110" + Ones(23)},
        {4, "340282346638528859811704183484516925440", "0" "11111110" + Ones(23)},
        {4, "3.4028235677973366e38", "0" "11111110" + Ones(23)},
        {4, "-3.4028235677973366e38", "1" "11111110" + Ones(23)},
        {8, "1.7976931348623157e308", "0" "11111111110" + Ones(52)},
        {8, "1.7976931348623158079e308", "0" "11111111110" + Ones(52)},
        {16, "1.18973149535723176508575932662800702e4932", "0" "111111111111110" + Ones(112)},
        {16, "1.18973149535723176508575932662800707e4932", "0" "111111111111110" + Ones(112)},
        // clang-format on
    };
    int shownKind = 4;
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(std::string("format ") + std::to_string(c.kind) + " text '" + c.text + "'");
        if (c.kind != shownKind) {
            harness::Click(FormatRadio(c.kind));
            harness::ProcessEvents();
            shownKind = c.kind;
        }
        TypeValue(c.text);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(RowBits(c.kind), c.bits);
        // A typed value is not decoded back: the value text stays as typed.
        EXPECT_EQ(Text(IDC_VALUE), c.text);
        EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    }
}

TEST_F(RepresentEncode, BinaryRowSplitsTheFractionOverTwoControls) {
    UseFormat(16);
    TypeValue("0.1");
    EXPECT_EQ(Text(IDC_SIGN_128), "0");
    EXPECT_EQ(Text(IDC_EXPONENT_128), "011111111111011");
    EXPECT_EQ(Text(IDC_FRACTION_128_HIGH), "100110011001100110011001100110011001100110011001");
    EXPECT_EQ(Text(IDC_FRACTION_128_LOW), "1001100110011001100110011001100110011001100110011001100110011010");
    EXPECT_EQ(COMUN::CX16.substr(0, 16), "0011111111111011");
}

TEST_F(RepresentEncode, InvalidValuesShowTheMessageAndLeaveTheFields) {
    struct Case {
        int kind;
        const char* text;
    };
    const Case cases[] = {
        {4, "abc"},
        {4, "1e39"},
        {4, "3.4028235677973367e38"},
        {4, "340282356779733661637539395458142568448"},  // exact threshold: ties to overflow
        // clang-format off
        {4, "-1e39"}, {4, "1.2.3"}, {4, "1.5x"},   {4, "--1"},  {4, "1e+"},
        {8, "1e309"}, {8, "1.7976931348623158080e308"}, {8, "-1e309"},
        {16, "1e4933"}, {16, "1.18973149535723176508575932662800708e4932"},
        // clang-format on
    };
    int shownKind = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("format ") + std::to_string(c.kind) + " text '" + c.text + "'");
        if (c.kind != shownKind) {
            harness::Click(FormatRadio(c.kind));
            harness::ProcessEvents();
            shownKind = c.kind;
        }
        // A known pattern first, then the whole text pasted over the field at once.
        TypeValue("-2.5");
        const std::string before = RowBits(c.kind);
        std::vector<std::string> duringMessage;
        harness::OnMessage([&](const harness::MessageRecord&) { duringMessage.push_back(RowBits(c.kind)); });
        harness::ClearMessages();
        harness::ClickInto(IDC_VALUE);
        harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(IDC_VALUE, QString::fromLatin1(c.text));
        harness::ProcessEvents();
        harness::OnMessage(nullptr);
        ExpectInvalidValueMessages(1);
        ASSERT_EQ(duringMessage.size(), 1u);
        EXPECT_EQ(duringMessage[0], before);
        EXPECT_EQ(RowBits(c.kind), before);
        EXPECT_EQ(Text(IDC_VALUE), c.text);
    }
}

TEST_F(RepresentEncode, OverflowTypedKeyByKeyKeepsThePreviousPattern) {
    // '1e3' is accepted; its fourth key makes '1e39', which overflows binary32.
    Retype(IDC_VALUE, "1e3");
    const std::string thousand = RowBits(4);
    // clang-format off
    EXPECT_EQ(thousand, "0" "10001000" "11110100000000000000000");
    // clang-format on
    harness::ClearMessages();
    harness::Type(IDC_VALUE, "9");
    harness::ProcessEvents();
    ExpectInvalidValueMessages(1);
    EXPECT_EQ(RowBits(4), thousand);
    // Deleting the last key brings the accepted number back.
    harness::Key(IDC_VALUE, Qt::Key_Backspace);
    harness::ProcessEvents();
    EXPECT_EQ(RowBits(4), thousand);
    ExpectInvalidValueMessages(1);
}

TEST_F(RepresentEncode, TextsLongerThan42CharactersAreReadWhole) {
    // 42 characters make the exact halfway between 1 and its binary32
    // successor (ties to even: 1); the 43rd character rounds it up.
    std::string halfway = "1.000000059604644775390625";
    halfway.resize(42, '0');
    TypeValue(halfway + "1");
    EXPECT_TRUE(Messages().empty());
    // clang-format off
    EXPECT_EQ(RowBits(4), "0" "01111111" + Zeros(22) + "1");
    // clang-format on
    EXPECT_EQ(COMUN::VALUE_CHAR, halfway + "1");
    // What follows a blank after the number is not examined.
    TypeValue(halfway + " xyz");
    EXPECT_TRUE(Messages().empty());
    // clang-format off
    EXPECT_EQ(RowBits(4), "0" "01111111" + Zeros(23));
    // clang-format on
}

TEST_F(RepresentEncode, NoValueBeforeACommaRewritesTheStoredPattern) {
    TypeValue("-2.5");
    const std::string pattern = RowBits(4);
    TypeValue(",,,");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(RowBits(4), pattern);
    TypeValue(" /7");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(RowBits(4), pattern);
}

}  // namespace
