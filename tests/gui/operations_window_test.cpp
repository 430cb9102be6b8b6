// The Operations window through its real widgets: opened from the main
// dialog by its shortcut, operands typed, directions chosen by their radios,
// the result, its flags and the five-direction table read back, a result
// sent to the main dialog, the language switched while it is open, and text
// that is no value.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <string>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/widgets.h"
#include "harness.h"
#include "numeric/ieee/operations.h"

namespace {

using ieee::Operation;

class OperationsWindowTest : public harness::AppTest {
protected:
    // Opens the window with Alt+O pressed in the main dialog's value field.
    QWidget* Open() {
        harness::Key(IDC_VALUE, Qt::Key_O, Qt::AltModifier);
        harness::ProcessEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("IDD_OPERATIONS") && w->isVisible()) return w;
        return nullptr;
    }
    template <typename T>
    T* Child(const char* name) {
        T* child = window_->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Choose(const char* combo, int data) {
        auto* box = Child<QComboBox>(combo);
        box->setCurrentIndex(box->findData(data));
    }
    void ChooseOperation(Operation op) {
        auto* box = Child<QComboBox>("operation");
        for (int k = 0; k < box->count(); ++k)
            if (k == static_cast<int>(op)) box->setCurrentIndex(k);
    }
    // Replaces an operand's text by typing it, key by key.
    void TypeOperand(int k, const char* text) {
        auto* edit = Child<QLineEdit>(k == 0 ? "operand_a" : k == 1 ? "operand_b" : "operand_c");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    // A click on the radio's circle (a wide radio takes no click far right of its caption).
    void ClickRadio(const QString& name) {
        auto* radio = window_->findChild<QRadioButton*>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        EXPECT_TRUE(radio->isChecked());
    }
    std::string Shown(const char* name) {
        if (auto* edit = window_->findChild<QLineEdit*>(QLatin1String(name))) return edit->text().toStdString();
        return static_cast<dialog_qt::OrvaneTextBox*>(Child<QPlainTextEdit>(name))->FullText().toStdString();
    }
    // The flag indicators as the flags' byte (bit 0 inexact ... bit 4 invalid);
    // each indicator's accessible state must say the same.
    int Flags() {
        int byte = 0;
        for (int k = 0; k < 5; ++k) {
            auto* flag = Child<QCheckBox>(("flag" + std::to_string(k)).c_str());
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(flag);
            EXPECT_EQ(a->state().checked, flag->isChecked());
            if (flag->isChecked()) byte |= 16 >> k;
        }
        return byte;
    }

    QWidget* window_ = nullptr;
};

constexpr int kInexact = 1, kUnderflow = 2, kOverflow = 4, kInvalid = 16;

TEST_F(OperationsWindowTest, ResultsFlagsAndTable) {
    window_ = Open();
    ASSERT_NE(window_, nullptr);
    // It starts on the main dialog's format.
    EXPECT_EQ(Child<QComboBox>("format")->currentData().toInt(), ieee::KIND_BINARY32);

    struct Case {
        int kind;
        Operation op;
        int rounding;  // index in kAllRoundings
        int tininess;  // 0 after rounding, 1 before
        const char* a;
        const char* b;
        const char* c;
        const char* hex;
        int flags;
        const char* exact;  // nullptr: not checked
    };
    // clang-format off
    const Case cases[] = {
        {ieee::KIND_BINARY64, Operation::Add, 0, 0, "0.1", "0.2", "", "3FD3333333333334", kInexact,
         "0.3000000000000000166533453693773481063544750213623046875"},
        {ieee::KIND_BINARY64, Operation::Add, 4, 0, "0.1", "0.2", "", "3FD3333333333333", kInexact, nullptr},
        {ieee::KIND_BINARY32, Operation::FusedMultiplyAdd, 0, 0, "0x1.000002p0", "0x1.000002p0", "-0x1.000004p0",
         "28800000", 0, "0.0000000000000142108547152020037174224853515625"},
        {ieee::KIND_BINARY32, Operation::Multiply, 4, 0, "0x7F7FFFFF", "2", "", "7F7FFFFF", kOverflow | kInexact, nullptr},
        {ieee::KIND_BINARY32, Operation::Multiply, 0, 0, "0x7F7FFFFF", "2", "", "7F800000", kOverflow | kInexact, nullptr},
        {ieee::KIND_BINARY64, Operation::Multiply, 0, 0, "0x1p-1022", "0.5", "", "0008000000000000", 0, nullptr},
        {ieee::KIND_BINARY64, Operation::Multiply, 0, 0, "0x1p-1074", "0.5", "", "0000000000000000", kUnderflow | kInexact, nullptr},
        {ieee::KIND_BINARY64, Operation::Multiply, 2, 0, "0x1p-1074", "0.5", "", "0000000000000001", kUnderflow | kInexact, nullptr},
        {ieee::KIND_BINARY16, Operation::Divide, 0, 0, "1", "3", "", "3555", kInexact, "0.3333333333333333333333333333333333333333"},
        // The smallest binary128 subnormal squared: an exact product of thousands of digits.
        {ieee::KIND_BINARY128, Operation::Multiply, 0, 0, "0x1", "0x1", "", "00000000 00000000 00000000 00000000",
         kUnderflow | kInexact, nullptr},
        // Tiny before rounding only: 2^-14 * (1 - 2^-20) rounds to 2^-14, the smallest normal.
        {ieee::KIND_BINARY16, Operation::Multiply, 0, 0, "0x3BFE", "0x0401", "", "0400", kInexact, nullptr},
        {ieee::KIND_BINARY16, Operation::Multiply, 0, 1, "0x3BFE", "0x0401", "", "0400", kUnderflow | kInexact, nullptr},
        {ieee::KIND_BINARY64, Operation::CompareSignaling, 0, 0, "NaN", "1", "", "", kInvalid, nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b + " " + c.c);
        Choose("format", c.kind);
        ChooseOperation(c.op);
        ClickRadio(QStringLiteral("rounding%1").arg(c.rounding));
        ClickRadio(QStringLiteral("tininess%1").arg(c.tininess));
        const char* texts[3] = {c.a, c.b, c.c};
        for (int k = 0; k < ieee::OperandCount(c.op); ++k) TypeOperand(k, texts[k]);
        EXPECT_EQ(Shown("hex"), c.hex);
        EXPECT_EQ(Flags(), c.flags);
        if (c.exact) {
            EXPECT_EQ(Shown("exact"), c.exact);
        }
        // The table's row of the chosen direction agrees with the result.
        auto* table = Child<QTableWidget>("directions");
        EXPECT_EQ(table->item(c.rounding, 1)->text().toStdString(), c.hex);
    }
    // The last case is a comparison: its answer instead of a pattern, nothing to send.
    EXPECT_EQ(Shown("outcome"), "neordonat (unordered)");
    EXPECT_FALSE(Child<QPushButton>("send_to_main")->isEnabled());
    // The long texts are shown whole.
    ChooseOperation(Operation::Multiply);
    Choose("format", ieee::KIND_BINARY128);
    TypeOperand(0, "0x1");
    TypeOperand(1, "0x1");
    const std::string product = Shown("exact");
    EXPECT_GT(product.size(), 20000u);
    EXPECT_EQ(product.substr(0, 8), "4.192789");
    EXPECT_EQ(product.substr(product.size() - 6), "E-9931");
    // 0.1 + 0.2: an exact sum, and the error exact - rounded.
    Choose("format", ieee::KIND_BINARY64);
    ChooseOperation(Operation::Add);
    ClickRadio(QStringLiteral("rounding0"));
    ClickRadio(QStringLiteral("tininess0"));
    TypeOperand(0, "0.1");
    TypeOperand(1, "0.2");
    EXPECT_EQ(Shown("exact_mark"), "exact");
    EXPECT_EQ(Shown("error"), "-0.0000000000000000277555756156289135105907917022705078125");

    // 1 / 3 in binary16: every direction inexact, the quotient marked as cut short.
    Choose("format", ieee::KIND_BINARY16);
    ChooseOperation(Operation::Divide);
    TypeOperand(0, "1");
    TypeOperand(1, "3");
    EXPECT_NE(Shown("exact_mark"), "exact");
    auto* table = Child<QTableWidget>("directions");
    const char* hexes[5] = {"3555", "3555", "3556", "3555", "3555"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(table->item(row, 1)->text().toStdString(), hexes[row]);
        EXPECT_EQ(table->item(row, 3)->text().toStdString(), "inexact");
    }
    // Sent to the main dialog, which changes to binary16 and shows the pattern.
    QTest::mouseClick(Child<QPushButton>("send_to_main"), Qt::LeftButton);
    EXPECT_EQ(COMUN::FORMAT_KIND, ieee::KIND_BINARY16);
    EXPECT_EQ(harness::Text(IDC_HEX), "3555");
    EXPECT_TRUE(harness::Messages().empty());
}

TEST_F(OperationsWindowTest, OperandsLanguageAndBadInput) {
    harness::Type(IDC_VALUE, QStringLiteral("2.5"));
    window_ = Open();
    ASSERT_NE(window_, nullptr);
    // The main dialog's pattern as operand a (binary32, its own format).
    QTest::mouseClick(Child<QPushButton>("from_main_a"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>("operand_a")->text().toStdString(), "0x40200000");
    EXPECT_EQ(Shown("operand_hex_a"), "40200000");
    EXPECT_EQ(Shown("operand_value_a"), "+2.5000000E+00");

    // Text that is no value: the main dialog's word beside it, no result, no message box.
    TypeOperand(1, "1.5x");
    EXPECT_EQ(Shown("operand_value_b"), "Valoare invalida");
    EXPECT_EQ(Shown("hex"), "");
    EXPECT_FALSE(Child<QPushButton>("send_to_main")->isEnabled());
    TypeOperand(1, "");
    EXPECT_EQ(Shown("operand_value_b"), "");
    // Any length is read whole: a huge number overflows to infinity.
    Child<QLineEdit>("operand_b")->setText(QString(200000, QLatin1Char('9')));
    EXPECT_EQ(Shown("hex"), "7F800000");
    EXPECT_TRUE(harness::Messages().empty());

    // The language follows the main dialog's switch while the window is open.
    struct Lang {
        int radio;
        const char *title, *send, *invalid, *flag;
    };
    const Lang langs[] = {
        {IDC_LANG_EN, "Operations", "Send to the main dialog", "Invalid Value", "overflow"},
        {IDC_LANG_RO, "Operatii", "Trimite in dialogul principal", "Valoare invalida", "depasire superioara"},
    };
    TypeOperand(1, "?");
    for (const Lang& l : langs) {
        harness::Click(l.radio);
        EXPECT_EQ(window_->windowTitle().toStdString(), l.title);
        EXPECT_EQ(Child<QPushButton>("send_to_main")->accessibleName().toStdString(), l.send);
        EXPECT_EQ(Shown("operand_value_b"), l.invalid);
        EXPECT_EQ(Child<QCheckBox>("flag2")->accessibleName().toStdString(), l.flag);
    }
    EXPECT_TRUE(harness::Messages().empty());
}

}  // namespace
