// The representation callback driven through the widgets: the third-character
// rule of the value field, the order of work on every bit-field keystroke,
// the caret position and field width, and the class display across language
// and format changes.
#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "app/state.h"
#include "represent_support.h"

namespace {

using harness::Checked;
using harness::Messages;
using harness::Text;
using harness::Widget;
using represent_test::Ones;
using represent_test::Retype;
using represent_test::RowBits;
using represent_test::TypeRow;
using represent_test::Zeros;

class RepresentUpdate : public harness::AppTest {};

TEST_F(RepresentUpdate, ValueFieldActsFromTheThirdCharacter) {
    // Fill every display that a typed value must clear.
    // clang-format off
    TypeRow(4, "0" "01111111" + Zeros(23));
    // clang-format on
    ASSERT_TRUE(Widget(IDC_PARAM_LIST)->isEnabled());
    harness::SelectListItem(IDC_PARAM_LIST, 4);
    harness::ProcessEvents();
    harness::Click(IDC_BINARY_NEIGHBOURS);
    harness::ProcessEvents();
    ASSERT_NE(Text(IDC_PARAM_VALUE), "");
    ASSERT_TRUE(Checked(IDC_BINARY_NEIGHBOURS));
    harness::ClickInto(IDC_SIGN_32);  // decodes again and shows position "0"
    harness::ProcessEvents();
    ASSERT_NE(Text(IDC_DATA_TYPE), "");
    ASSERT_EQ(Text(IDC_CURSOR_POS), "0");
    const std::string cursorBefore = Text(IDC_CURSOR_POS);
    const std::string one = RowBits(4);

    Retype(IDC_VALUE, "12");
    EXPECT_EQ(Text(IDC_PARAM_VALUE), "");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "");
    EXPECT_FALSE(Checked(IDC_BINARY_NEIGHBOURS));
    EXPECT_FALSE(Widget(IDC_PARAM_LIST)->isEnabled());
    EXPECT_EQ(RowBits(4), one);  // two characters: the fields stay
    EXPECT_EQ(Text(IDC_CURSOR_POS), cursorBefore);

    harness::Type(IDC_VALUE, "3");
    harness::ProcessEvents();
    // clang-format off
    EXPECT_EQ(RowBits(4), "0" "10000101" "11101100000000000000000");
    // clang-format on
    EXPECT_EQ(Text(IDC_VALUE), "123");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(Text(IDC_CURSOR_POS), cursorBefore);
    EXPECT_TRUE(Messages().empty());

    // Trailing blanks do not count towards the three characters; leading ones do.
    Retype(IDC_VALUE, "7  ");
    // clang-format off
    EXPECT_EQ(RowBits(4), "0" "10000101" "11101100000000000000000");
    Retype(IDC_VALUE, "  7");
    EXPECT_EQ(RowBits(4), "0" "10000001" "11000000000000000000000");
    // clang-format on
}

TEST_F(RepresentUpdate, MinusNanFillsTheFieldsFromTheThirdCharacter) {
    const std::string zeros = RowBits(4);
    ASSERT_EQ(zeros, Zeros(32));
    harness::ClickInto(IDC_VALUE);
    harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
    const char* keys[] = {"-", "n", "a", "n"};
    const std::string expected[] = {zeros, zeros, "1" + Ones(31), "1" + Ones(31)};
    for (int i = 0; i < 4; ++i) {
        harness::Type(IDC_VALUE, keys[i]);
        harness::ProcessEvents();
        EXPECT_EQ(RowBits(4), expected[i]) << "after key " << i + 1;
        EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    }
    EXPECT_EQ(Text(IDC_VALUE), "-nan");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(Widget(IDC_PARAM_LIST)->isEnabled());
}

TEST_F(RepresentUpdate, EveryBitKeystrokeShowsPositionDecodesAndShowsTheValue) {
    harness::ClickInto(IDC_EXPONENT_32);
    harness::Key(IDC_EXPONENT_32, Qt::Key_A, Qt::ControlModifier);
    const std::string exponent = "01111111";
    for (std::size_t i = 0; i < exponent.size(); ++i) {
        harness::Type(IDC_EXPONENT_32, QString(QChar(exponent[i])));
        harness::ProcessEvents();
        EXPECT_EQ(Text(IDC_CURSOR_POS), std::to_string(i + 1));
        EXPECT_EQ(Text(IDC_FIELD_WIDTH), "8");
        EXPECT_NE(Text(IDC_DATA_TYPE), "");
    }
    EXPECT_EQ(Text(IDC_VALUE), "+1.0000000E+00");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(4)");
    // Six of eight characters: the missing two read as blanks and the digits
    // sit in the low-order bits.
    harness::Key(IDC_EXPONENT_32, Qt::Key_Backspace);
    harness::Key(IDC_EXPONENT_32, Qt::Key_Backspace);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_CURSOR_POS), "6");
    // Digits '0', '011111', 23 zeros: the pattern 0F800000 (2 to the power -96).
    EXPECT_EQ(Text(IDC_VALUE), "+1.2621774E-29");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RepresentUpdate, PositionIsShownBeforeTheBitCheckMessage) {
    std::vector<std::string> positionDuringMessage;
    std::vector<std::string> widthDuringMessage;
    harness::OnMessage([&](const harness::MessageRecord&) {
        positionDuringMessage.push_back(Text(IDC_CURSOR_POS));
        widthDuringMessage.push_back(Text(IDC_FIELD_WIDTH));
    });
    Retype(IDC_EXPONENT_32, "2");
    harness::OnMessage(nullptr);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(positionDuringMessage.at(0), "1");
    EXPECT_EQ(widthDuringMessage.at(0), "8");
    EXPECT_EQ(Text(IDC_EXPONENT_32), "1");
    // Decoded after the repair: sign 0, exponent '1' + 7 blanks, 23 zeros.
    EXPECT_EQ(Text(IDC_VALUE), "+1.1754944E-38");
}

TEST_F(RepresentUpdate, WiderGroupsDisableTheListUntilDecoded) {
    struct Case {
        int kind;
        int radio;
        int fraction;
        std::string one;
        bool enabledDuringMessage;
    };
    const Case cases[] = {
        // clang-format off
        {8, IDC_FORMAT_64, IDC_FRACTION_64, "0" "01111111111" + Zeros(52), false},
        {16, IDC_FORMAT_128, IDC_FRACTION_128_LOW, "0" "011111111111111" + Zeros(112), false},
        {4, IDC_FORMAT_32, IDC_FRACTION_32, "0" "01111111" + Zeros(23), true},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        harness::Click(c.radio);
        harness::ProcessEvents();
        TypeRow(c.kind, c.one);
        ASSERT_TRUE(Widget(IDC_PARAM_LIST)->isEnabled());
        std::vector<bool> enabledDuringMessage;
        harness::OnMessage([&](const harness::MessageRecord&) {
            enabledDuringMessage.push_back(Widget(IDC_PARAM_LIST)->isEnabled());
        });
        harness::ClearMessages();
        harness::ClickInto(c.fraction);
        harness::Key(c.fraction, Qt::Key_End);
        harness::Key(c.fraction, Qt::Key_Backspace);
        harness::Type(c.fraction, "x");  // invalid: replaced by '1' with a message
        harness::ProcessEvents();
        harness::OnMessage(nullptr);
        ASSERT_FALSE(enabledDuringMessage.empty());
        EXPECT_EQ(enabledDuringMessage[0], c.enabledDuringMessage);
        EXPECT_TRUE(Widget(IDC_PARAM_LIST)->isEnabled());
        EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(" + std::to_string(c.kind) + ")");
    }
}

TEST_F(RepresentUpdate, CaretPositionAndFieldWidth) {
    // clang-format off
    TypeRow(4, "0" "01111011" + Zeros(23));
    // clang-format on
    // Caret at the very beginning after deleting the first bit.
    harness::ClickInto(IDC_EXPONENT_32);
    harness::Key(IDC_EXPONENT_32, Qt::Key_Home);
    harness::Key(IDC_EXPONENT_32, Qt::Key_Delete);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_EXPONENT_32), "1111011");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "0");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "8");
    // In the middle: three to the right, then a new bit.
    harness::Key(IDC_EXPONENT_32, Qt::Key_Right);
    harness::Key(IDC_EXPONENT_32, Qt::Key_Right);
    harness::Key(IDC_EXPONENT_32, Qt::Key_Right);
    harness::Type(IDC_EXPONENT_32, "0");
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_EXPONENT_32), "11101011");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "4");

    // The first bit typed into an emptied exponent.
    Retype(IDC_EXPONENT_32, "1");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "1");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "8");
    EXPECT_EQ(COMUN::CURRENT_FIELD_WIDTH, 8);

    // The end of the 64-bit low part of the binary128 fraction.
    harness::Click(IDC_FORMAT_128);
    harness::ProcessEvents();
    Retype(IDC_FRACTION_128_LOW, Ones(64));
    EXPECT_EQ(Text(IDC_CURSOR_POS), "64");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "64");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RepresentUpdate, EnteringAFieldMakesItCurrent) {
    harness::Click(IDC_FORMAT_64);
    harness::ProcessEvents();
    harness::ClickInto(IDC_FRACTION_64);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_CURSOR_POS), "0");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "52");
    harness::Click(IDC_CURRENT_FIELD);
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_SIGN_64), "0");
    EXPECT_EQ(Text(IDC_EXPONENT_64), Zeros(11));
    EXPECT_EQ(Text(IDC_FRACTION_64), Ones(52));

    const int signs[][2] = {{IDC_FORMAT_32, IDC_SIGN_32}, {IDC_FORMAT_64, IDC_SIGN_64}, {IDC_FORMAT_128, IDC_SIGN_128}};
    for (const auto& s : signs) {
        harness::Click(s[0]);
        harness::ProcessEvents();
        harness::ClickInto(s[1]);
        harness::ProcessEvents();
        EXPECT_EQ(Text(IDC_FIELD_WIDTH), "1") << s[1];
        EXPECT_EQ(Text(IDC_CURSOR_POS), "0") << s[1];
        EXPECT_EQ(COMUN::CURRENT_FIELD_WIDTH, 1);
    }
}

TEST_F(RepresentUpdate, ClassTextFollowsTheLanguage) {
    harness::Click(IDC_FORMAT_64);
    harness::ProcessEvents();
    harness::Click(IDC_LANG_EN);
    harness::ProcessEvents();
    // clang-format off
    TypeRow(8, "0" "10000000000" + Zeros(52));
    // clang-format on
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Normalized Number: Real(8)");
    EXPECT_EQ(Text(IDC_VALUE), "+2.0000000000000000D+00");

    // A zero decoded, then an infinity keyword typed: the stale zero flag wins
    // when the language changes.
    TypeRow(8, "1" + Zeros(63));
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Signed Zero");
    Retype(IDC_VALUE, "inf");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(RowBits(8), "0" + Ones(11) + Zeros(52));
    harness::Click(IDC_LANG_RO);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Zero cu semn");

    // A format change empties the class; the language switch brings it back.
    TypeRow(8, "0" + Zeros(11) + Zeros(51) + "1");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar denormalizat");
    harness::Click(IDC_FORMAT_32);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    harness::Click(IDC_LANG_EN);
    harness::ProcessEvents();
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Denormalized Number");
}

}  // namespace
