// The "How it was rounded" window through the real widgets: opened by its
// shortcut for the value typed in the main dialog, following each keystroke,
// the language switch and a refused text; and opened from the Operations
// window for 0.1 + 0.2 in binary64, its result the same as that window's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "app/controls.h"
#include "dialog/widgets.h"
#include "harness.h"

namespace {

QWidget* TopLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

std::string Steps(QWidget* window) {
    harness::ProcessEvents();
    auto* box = window->findChild<dialog_qt::OrvaneTextBox*>(QStringLiteral("steps"));
    return box ? box->FullText().toStdString() : std::string();
}

class StepsWindowTest : public harness::AppTest {};

TEST_F(StepsWindowTest, FollowsTheValueFieldAndTheOperationsWindow) {
    harness::Click(IDC_LANG_EN);
    harness::Type(IDC_VALUE, QStringLiteral("0.1"));
    harness::Key(IDC_VALUE, Qt::Key_W, Qt::AltModifier);
    harness::ProcessEvents();
    QWidget* conversion = TopLevel("IDD_STEPS_CONVERSION");
    ASSERT_NE(conversion, nullptr);
    std::string text = Steps(conversion);
    for (const char* part :
         {"1. The typed number, exactly: 0.1.", "1.10011001100110011001100 | g 1 | r 1 | s 1 x 2^-4", "period 4 bits",
          "3DCCCCCD = +1.0000000E-01", "-1.490116119384765625E-9", "Flags: inexact."})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

    // The next keystroke is followed; the language switch too.
    harness::Type(IDC_VALUE, QStringLiteral("5"));
    EXPECT_NE(Steps(conversion).find("0.15."), std::string::npos);
    harness::Click(IDC_LANG_RO);
    text = Steps(conversion);
    EXPECT_NE(text.find("1. Numarul tastat, exact: 0.15."), std::string::npos) << text;
    EXPECT_EQ(conversion->windowTitle(), QStringLiteral("Cum a fost rotunjit"));

    // A text the field refuses is "Invalid Value" here as well.
    harness::Type(IDC_VALUE, QStringLiteral("x"));
    EXPECT_NE(Steps(conversion).find("\"Valoare invalida\""), std::string::npos);

    // From the Operations window: 0.1 + 0.2 in binary64, a tie to even.
    harness::Click(IDC_LANG_EN);
    harness::Click(IDC_OPERATIONS);
    harness::ProcessEvents();
    QWidget* ops = TopLevel("IDD_OPERATIONS");
    ASSERT_NE(ops, nullptr);
    auto* format = ops->findChild<QComboBox*>(QStringLiteral("format"));
    format->setCurrentIndex(format->findData(8));
    for (auto [name, value] : {std::pair{"operand_a", "0.1"}, std::pair{"operand_b", "0.2"}})
        ops->findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(value));
    QTest::mouseClick(ops->findChild<QPushButton*>(QStringLiteral("steps")), Qt::LeftButton);
    QWidget* operation = TopLevel("IDD_STEPS_OPERATION");
    ASSERT_NE(operation, nullptr);
    text = Steps(operation);
    for (const char* part : {"0.3000000000000000166533453693773481063544750213623046875", "| g 1 | r 0 | s 0",
                             "a tie goes to the neighbour whose last bit is even", "3FD3333333333334"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    // The same result and error texts as the Operations window shows.
    for (const char* display : {"hex", "error"}) {
        QWidget* w = ops->findChild<QWidget*>(QLatin1String(display));
        ASSERT_NE(w, nullptr) << display;
        auto* edit = qobject_cast<QLineEdit*>(w);
        const std::string shown =
            edit ? edit->text().toStdString() : static_cast<dialog_qt::OrvaneTextBox*>(w)->FullText().toStdString();
        EXPECT_FALSE(shown.empty());
        EXPECT_NE(text.find(shown), std::string::npos) << display << " " << shown;
    }
    QTest::mouseClick(operation->findChild<QPushButton*>(QStringLiteral("copy")), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), text + "\n");
}

}  // namespace
