// Every format of the list through the real window: chosen from the list,
// typed values (with each format's special-value rules), bit editing, the
// class of x87's own encodings, and the table of every encoding.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <string>

#include "app/fixed_text.h"
#include "app/format_rows.h"
#include "app/operations_link.h"
#include "app/state.h"
#include "numeric/class_text.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/row_bits.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using ieee::uint128;
using represent_test::Retype;

class FormatsWindow : public harness::AppTest {
protected:
    // Chooses list entry `name` ("x87", "custom:4,3") as a user does: the
    // list, the widths, then the radio.
    const ieee::FormatInfo& Choose(const std::string& name) {
        auto* list = static_cast<QComboBox*>(harness::Widget(IDC_ALT_LIST));
        const bool custom = name.starts_with("custom:");
        const int entry =
            list->findText(QString::fromStdString(custom ? list->itemText(list->count() - 1).toStdString() : name));
        list->setCurrentIndex(entry);
        harness::ProcessEvents();
        if (custom) {
            const ieee::FormatInfo* f = ieee::FormatByName(name);
            static_cast<QSpinBox*>(harness::Widget(IDC_ALT_EXPONENT_BITS))->setValue(f->exponentBits);
            static_cast<QSpinBox*>(harness::Widget(IDC_ALT_FRACTION_BITS))->setValue(f->fractionBits);
            harness::ProcessEvents();
        }
        harness::Click(IDC_FORMAT_ALT);
        return *AltRow().info;
    }
    uint128 Stored() { return STORED_PATTERN(COMUN::FORMAT_KIND); }
    uint128 Fields() { return READ_ROW_PATTERN(ORVANEGLOBALS::DLG_MAIN, AltRow()); }
};

TEST_F(FormatsWindow, EveryListedFormatTypesEditsAndShowsItsValues) {
    constexpr uint128 kInvalid = ~uint128(0);
    const uint128 x87High = uint128(1) << 64;
    struct Case {
        const char* format;
        const char* typed;
        uint128 pattern;  // kInvalid: "Invalid Value", the datum unchanged
    };
    const Case cases[] = {
        {"x87", "0.1", 0x3FFB * x87High | 0xCCCCCCCCCCCCCCCDu},
        {"x87", "1.25", 0x3FFF * x87High | 0xA000000000000000u},
        {"x87", "-inf", 0xFFFF * x87High | 0x8000000000000000u},
        {"e4m3", "448", 0x7E},
        {"e4m3", "464", 0x7E},
        {"e4m3", "465", kInvalid},
        {"e4m3", "0.001953125", 0x01},
        {"e4m3", "-nan", 0xFF},
        {"e4m3", "inf", kInvalid},
        {"e5m2", "57344", 0x7B},
        {"e5m2", "inf", 0x7C},
        {"e3m2", "28.0", 0x1F},
        {"e3m2", "nan", kInvalid},
        {"e2m3", "7.5", 0x1F},
        {"e2m3", "-inf", kInvalid},
        {"e2m1", "6.0", 0x7},
        {"e2m1", "nan", kInvalid},
        {"custom:4,3", "240", 0x77},
        {"custom:4,3", "inf", 0x78},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + c.typed);
        const ieee::FormatInfo& f = Choose(c.format);
        EXPECT_EQ(f.name, std::string(c.format));
        harness::ClearMessages();
        Retype(IDC_VALUE, "1");
        Retype(IDC_VALUE, c.typed);
        if (c.pattern == kInvalid) {
            ASSERT_FALSE(Messages().empty());
            for (const auto& message : Messages()) EXPECT_EQ(message.text, "Invalid Value");
            continue;
        }
        EXPECT_TRUE(Messages().empty());
        EXPECT_TRUE(Fields() == c.pattern);
        // Editing the sign bit is decoded at once: value, class and the stored pattern.
        const uint128 negated = c.pattern ^ f.signBit();
        Retype(IDC_SIGN_ALT, (negated & f.signBit()) != 0 ? "1" : "0");
        EXPECT_TRUE(Stored() == negated);
        EXPECT_EQ(Text(IDC_VALUE), Trim(ieee::ScientificText(f, negated, true)));
        EXPECT_EQ(Text(IDC_DATA_TYPE), ClassText(f, negated, 1));
    }
}

// x87's own encodings sent to the window as the Operations window sends a
// result: each is named, with whether it is canonical.
TEST_F(FormatsWindow, X87EncodingsAreNamed) {
    const ieee::FormatInfo& f = Choose("x87");
    harness::Click(IDC_LANG_EN);
    const uint128 high = uint128(1) << 64;
    const std::pair<uint128, const char*> cases[] = {
        {0x0000 * high | 0x8000000000000000u, "Pseudo-denormal Number (non-canonical)"},
        {0x3FFF * high | 0x4000000000000000u, "Unnormal Number (non-canonical)"},
        {0xFFFF * high | 0xC000000000000000u, "Not-a-Number: Real Indefinite"},
    };
    for (auto [bits, name] : cases) {
        SEND_TO_MAIN(f.kind, bits);
        EXPECT_TRUE(Stored() == bits);
        EXPECT_EQ(Text(IDC_DATA_TYPE), name);
        // The pseudo-denormal is 2^-16382.
        if (bits == 0x8000000000000000u) {
            EXPECT_EQ(Text(IDC_EXACT_VALUE).substr(0, 12), "3.3621031431");
        }
    }
}

// The table lists every encoding of E2M1; a click, or Enter, on a row makes it the datum.
TEST_F(FormatsWindow, TheTableOfEncodingsSetsThePattern) {
    Choose("e2m1");
    harness::Click(IDC_ALT_TABLE);
    harness::ProcessEvents();
    auto* table = qApp->findChild<QTableView*>("IDC_ENCODINGS_TABLE");
    if (table == nullptr)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = w->findChild<QTableView*>("IDC_ENCODINGS_TABLE")) table = found;
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->model()->rowCount(), 16);
    std::vector<std::string> values;
    for (int r = 0; r < 16; ++r) values.push_back(table->model()->index(r, 2).data().toString().toStdString());
    EXPECT_EQ(values, (std::vector<std::string>{"0", "0.5", "1", "1.5", "2", "3", "4", "6", "-0", "-0.5", "-1", "-1.5",
                                                "-2", "-3", "-4", "-6"}));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(5, 0)).center());
    EXPECT_TRUE(Stored() == 5);
    EXPECT_EQ(Text(IDC_VALUE), "+3.0E+00");
    table->setCurrentIndex(table->model()->index(14, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_TRUE(Stored() == 14);
}

}  // namespace
