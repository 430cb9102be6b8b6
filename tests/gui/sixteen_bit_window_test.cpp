// binary16 and bfloat16 through the real window, beside the other formats:
// typed values to bits, bits to value and class, the parameter list, the bit
// checks and the format switch among all five formats.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/format_rows.h"
#include "app/state.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using represent_test::Retype;

class SixteenBitWindow : public harness::AppTest {
protected:
    void Choose(int kind) { harness::Click(RowOfKind(kind)->radio); }
    std::vector<std::string> Row(int kind) {
        std::vector<std::string> texts;
        for (const FieldEdit& field : RowOfKind(kind)->Fields()) texts.push_back(Text(field.id));
        return texts;
    }
    // Replaces a field's text by one paste (one edit), as a user may.
    void PasteOver(int id, const std::string& text) {
        harness::ClickInto(id);
        harness::Key(id, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(id, QString::fromStdString(text));
    }
    void Pick(int item) {
        harness::SelectListItem(IDC_PARAM_LIST, item == 6 ? 5 : 6);
        harness::SelectListItem(IDC_PARAM_LIST, item);
    }
};

TEST_F(SixteenBitWindow, TypedValuesRoundOnceToTheFormat) {
    using V = std::vector<std::string>;
    struct Case {
        int kind;
        const char* text;
        V row;
    };
    const Case cases[] = {
        {ieee::KIND_BINARY16, "0.1", {"0", "01011", "1001100110"}},
        {ieee::KIND_BFLOAT16, "0.1", {"0", "01111011", "1001101"}},
        // Just above a tie: rounded through a wider format these give the even (all-zero) fraction.
        {ieee::KIND_BINARY16, "1.00048828125000000000000000000001", {"0", "01111", "0000000001"}},
        {ieee::KIND_BFLOAT16, "1.00390625000000000000000000000001", {"0", "01111111", "0000001"}},
        {ieee::KIND_BINARY16, "65504", {"0", "11110", "1111111111"}},
        {ieee::KIND_BINARY16, "-0.00000006", {"1", "00000", "0000000001"}},
        {ieee::KIND_BFLOAT16, "-nan", {"1", "11111111", "1111111"}},
        {ieee::KIND_BFLOAT16, "Inf", {"0", "11111111", "0000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Choose(c.kind);
        Retype(IDC_VALUE, c.text);
        EXPECT_EQ(Row(c.kind), c.row);
    }
    EXPECT_TRUE(Messages().empty());
    // 65520 rounds beyond the largest finite binary16 value.
    Choose(ieee::KIND_BINARY16);
    Retype(IDC_VALUE, "65504");
    PasteOver(IDC_VALUE, "65520");
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().text, "Invalid Value");
    EXPECT_EQ(Row(ieee::KIND_BINARY16), (V{"0", "11110", "1111111111"}));
}

TEST_F(SixteenBitWindow, BitsShowValueClassAndParameters) {
    Choose(ieee::KIND_BINARY16);
    Retype(IDC_SIGN_16, "0");
    Retype(IDC_EXPONENT_16, "01111");
    Retype(IDC_FRACTION_16, "0000000000");
    EXPECT_EQ(Text(IDC_VALUE), "+1.0000E+00");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(2)");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "10");
    const std::pair<int, const char*> params[] = {{1, "0"},          {2, "1.0000E+00"}, {3, "9.7656E-04"},
                                                  {4, "1.0010E+00"}, {5, "9.9951E-01"}, {6, "Epsilon = ULP(1.H0)."}};
    for (auto [item, shown] : params) {
        Pick(item);
        EXPECT_EQ(Text(IDC_PARAM_VALUE), shown) << item;
    }
    Pick(4);
    harness::Click(IDC_BINARY_NEIGHBOURS);
    Pick(4);
    EXPECT_EQ(Text(IDC_PARAM_VALUE), "0_01111_0000000001");
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "      Nearest > X  (S_Exp_Sig)");

    Choose(ieee::KIND_BFLOAT16);
    Retype(IDC_EXPONENT_BF16, "00000000");
    Retype(IDC_FRACTION_BF16, "0000001");
    EXPECT_EQ(Text(IDC_VALUE), "+9.184E-41");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar denormalizat");
    harness::Click(IDC_LANG_EN);
    Retype(IDC_EXPONENT_BF16, "10000000");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Normalized Number: Real(bf16)");
    Pick(1);
    EXPECT_EQ(Text(IDC_PARAM_VALUE), "1");
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "Representation Exponent (E)");
    EXPECT_TRUE(Messages().empty());

    // The bit checks repair the new rows as they do the others.
    harness::ClearMessages();
    Retype(IDC_EXPONENT_BF16, "2");
    EXPECT_EQ(Text(IDC_EXPONENT_BF16), "1");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Invalid input for bit !\n(It is being replaced by \"1\")");
    harness::ClearMessages();
    Retype(IDC_FRACTION_BF16, "00000001");
    EXPECT_EQ(Text(IDC_FRACTION_BF16), "0000000");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "1 Bit in Excess !\n(The last bit is being removed)");
}

// Any order of format clicks: only the chosen row is live and zero, the
// value is 0, and no display of the previous datum stays behind.
TEST_F(SixteenBitWindow, SwitchingAmongAllFormatsClearsEveryStaleDisplay) {
    std::mt19937 rng(12);
    const auto rows = FormatRows();
    for (int step = 0; step < 25; ++step) {
        const FormatRow& previous = *RowOfKind(COMUN::FORMAT_KIND);
        PasteOver(previous.Fields().back().id,
                  std::string(static_cast<std::size_t>(previous.Fields().back().width), '1'));
        harness::SelectListItem(IDC_PARAM_LIST, 3);
        const FormatRow& next = rows[rng() % rows.size()];
        SCOPED_TRACE(std::string(previous.info->name) + " -> " + next.info->name);
        Choose(next.kind);
        EXPECT_EQ(COMUN::FORMAT_KIND, next.kind);
        for (const FormatRow& row : rows)
            for (const FieldEdit& field : row.Fields()) {
                EXPECT_EQ(harness::Enabled(field.id), &row == &next) << field.id;
                if (&row == &next) {
                    EXPECT_EQ(Text(field.id), std::string(static_cast<std::size_t>(field.width), '0'));
                }
            }
        EXPECT_EQ(Text(IDC_VALUE), "0");
        for (int id : {IDC_PARAM_VALUE, IDC_PARAM_CAPTION, IDC_DATA_TYPE, IDC_CURSOR_POS, IDC_EXACT_VALUE, IDC_HEX})
            EXPECT_EQ(Text(id), "") << id;
    }
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
