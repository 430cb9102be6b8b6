// The "0's", "1's" and "0 <--> 1" buttons on all fields or on the current
// field, clicked in the real dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QWidget>

#include <string>
#include <vector>

#include "editing_helpers.h"
#include "harness.h"

namespace {

using namespace edit_test;

class BulkButtons : public harness::AppTest {
protected:
    std::vector<std::string> FieldTexts(int kind) {
        std::vector<std::string> texts;
        for (const Field& field : RowOf(kind).fields) texts.push_back(harness::Text(field.id));
        return texts;
    }

    bool NeighboursChecked() {
        auto* box = qobject_cast<QCheckBox*>(harness::Widget(IDC_BINARY_NEIGHBOURS));
        return box != nullptr && box->isChecked();
    }

    // Fills every display a bulk button must empty: a decoded value with its
    // class, an X- in bits (so the neighbours box is checked), the caret display.
    void FillDisplays(int kind, const std::string& value) {
        EnterValue(kind, value);
        harness::SelectListItem(IDC_PARAM_LIST, 4);
        harness::Click(IDC_BINARY_NEIGHBOURS);
        harness::SelectListItem(IDC_PARAM_LIST, 5);
        harness::ClickInto(RowOf(kind).fields.back().id);
        harness::ProcessEvents();
    }

    void ExpectDisplaysEmptied() {
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "");
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "");
        EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "");
        EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "");
        EXPECT_FALSE(NeighboursChecked());
    }
};

TEST_F(BulkButtons, ZerosOnAllFieldsOfBinary32) {
    FillDisplays(4, "-2.5");
    EXPECT_EQ(FieldTexts(4), (std::vector<std::string>{"1", "10000000", "01" + Repeat('0', 21)}));
    ASSERT_FALSE(harness::Text(IDC_PARAM_VALUE).empty());
    ASSERT_FALSE(harness::Text(IDC_DATA_TYPE).empty());
    ASSERT_EQ(harness::Text(IDC_CURSOR_POS), "0");
    ASSERT_TRUE(NeighboursChecked());

    harness::Click(IDC_ZEROS);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(4), (std::vector<std::string>{"0", Repeat('0', 8), Repeat('0', 23)}));
    EXPECT_EQ(harness::Text(IDC_VALUE), "0");
    ExpectDisplaysEmptied();
}

TEST_F(BulkButtons, AllFieldsOfEachFormat) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.kind);
        ChooseFormat(row.kind);
        harness::Click(IDC_ONES);
        harness::ProcessEvents();
        for (const Field& field : row.fields) EXPECT_EQ(harness::Text(field.id), Repeat('1', field.width));
        EXPECT_EQ(harness::Text(IDC_VALUE), "0");

        harness::Click(IDC_INVERT);
        harness::ProcessEvents();
        for (const Field& field : row.fields) EXPECT_EQ(harness::Text(field.id), Repeat('0', field.width));

        harness::Click(IDC_INVERT);
        harness::Click(IDC_ZEROS);
        harness::ProcessEvents();
        for (const Field& field : row.fields) EXPECT_EQ(harness::Text(field.id), Repeat('0', field.width));
    }
}

TEST_F(BulkButtons, OnesOnTheCurrentBinary64Exponent) {
    ChooseFormat(8);
    SetField(IDC_FRACTION_64, "101");
    SetField(IDC_SIGN_64, "1");
    harness::ClickInto(IDC_EXPONENT_64);
    harness::Click(IDC_CURRENT_FIELD);
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(8), (std::vector<std::string>{"1", Repeat('1', 11), "101"}));
    EXPECT_EQ(harness::Text(IDC_VALUE), "0");
    ExpectDisplaysEmptied();
}

TEST_F(BulkButtons, CurrentFieldOfEachBinary128Field) {
    ChooseFormat(16);
    harness::Click(IDC_CURRENT_FIELD);
    for (const Field& field : RowOf(16).fields) {
        SCOPED_TRACE(field.id);
        harness::Click(IDC_ALL_FIELDS);
        harness::Click(IDC_ONES);
        harness::Click(IDC_CURRENT_FIELD);
        harness::ClickInto(field.id);
        harness::Click(IDC_ZEROS);
        harness::ProcessEvents();
        for (const Field& other : RowOf(16).fields) {
            EXPECT_EQ(harness::Text(other.id), Repeat(other.id == field.id ? '0' : '1', other.width));
        }
        harness::Click(IDC_INVERT);
        harness::ProcessEvents();
        for (const Field& other : RowOf(16).fields) EXPECT_EQ(harness::Text(other.id), Repeat('1', other.width));
    }
}

TEST_F(BulkButtons, InvertTwiceRestoresAndLeavesTheValueText) {
    EnterValue(4, "0.1");
    EXPECT_EQ(harness::Text(IDC_VALUE), "+1.0000000E-01");
    const std::vector<std::string> before = FieldTexts(4);
    harness::Click(IDC_INVERT);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(4), (std::vector<std::string>{"1", "10000100", "01100110011001100110010"}));
    EXPECT_EQ(harness::Text(IDC_VALUE), "+1.0000000E-01");
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "");
    harness::Click(IDC_INVERT);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(4), before);
    EXPECT_EQ(harness::Text(IDC_VALUE), "+1.0000000E-01");

    // Entering a field decodes what the buttons left.
    harness::Click(IDC_INVERT);
    harness::ClickInto(IDC_FRACTION_32);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(4));
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "0");
}

TEST_F(BulkButtons, InvertKeepsBlanksAndShortTexts) {
    SetField(IDC_FRACTION_32, "0 1");
    SetField(IDC_EXPONENT_32, "011");
    harness::Click(IDC_INVERT);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(4), (std::vector<std::string>{"1", "100", "1 0"}));
}

TEST_F(BulkButtons, CurrentFieldWidthSurvivesAFormatChange) {
    harness::ClickInto(IDC_SIGN_32);
    harness::Click(IDC_CURRENT_FIELD);
    ChooseFormat(8);
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(8), (std::vector<std::string>{"1", Repeat('0', 11), Repeat('0', 52)}));

    // A remembered width of 8 names no binary64 field: nothing changes, but
    // the value display is still reset.
    ChooseFormat(4);
    harness::ClickInto(IDC_EXPONENT_32);
    ChooseFormat(8);
    SetField(IDC_VALUE, "1.5");
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(8), (std::vector<std::string>{"0", "01111111111", "1" + Repeat('0', 51)}));
    EXPECT_EQ(harness::Text(IDC_VALUE), "0");
    harness::Click(IDC_INVERT);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(8), (std::vector<std::string>{"0", "01111111111", "1" + Repeat('0', 51)}));
}

TEST_F(BulkButtons, CurrentFieldDoesNothingBeforeAnyFieldWasEntered) {
    harness::Click(IDC_CURRENT_FIELD);
    harness::Click(IDC_ONES);
    harness::Click(IDC_INVERT);
    harness::ProcessEvents();
    EXPECT_EQ(FieldTexts(4), (std::vector<std::string>{"0", Repeat('0', 8), Repeat('0', 23)}));
}

TEST_F(BulkButtons, OnesThenEnteringAFieldShowsNaN) {
    harness::Click(IDC_ONES);
    harness::ClickInto(IDC_EXPONENT_32);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_VALUE), "NaN");
    EXPECT_FALSE(harness::Text(IDC_DATA_TYPE).empty());
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "0");
    EXPECT_FALSE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
}

}  // namespace
