// The secondary dialogs built from their layouts: every text readable in full,
// the pictures in place, the hidden cancel buttons hidden.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "tests/gui/harness.h"
#include "tests/gui/modal_window.h"

using namespace harness;

namespace {

// Every label shows all its lines, every button its whole caption, all in
// the dialog's own font (a smaller font is no way to make a text fit).
void ExpectReadable(QWidget* window, const std::string& where) {
    const QFontInfo font(window->font());
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const std::string name = where + " " + w->objectName().toStdString();
        EXPECT_EQ(QFontInfo(w->font()).family(), font.family()) << name;
        EXPECT_EQ(QFontInfo(w->font()).pixelSize(), font.pixelSize()) << name;
        if (!w->isVisibleTo(window)) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty()) continue;
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << name << ": " << label->text().toStdString();
            } else {
                QFontMetrics fm(label->font());
                for (const QString& line : label->text().split(u'\n'))
                    EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width()) << name;
            }
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(button);
            opt.text = button->text();
            const QRect room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, w);
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), room.width()) << name;
        }
    }
    // Neighbours stay apart.
    const auto children = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* a : children) {
        for (QWidget* b : children) {
            if (a < b && a->isVisibleTo(window) && b->isVisibleTo(window) && !a->inherits("QGroupBox") &&
                !b->inherits("QGroupBox")) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << where << " " << a->objectName().toStdString() << " and " << b->objectName().toStdString();
            }
        }
    }
    // Nothing reaches past the window.
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(window)) {
            EXPECT_TRUE(window->rect().contains(w->geometry())) << where << " " << w->objectName().toStdString();
        }
    if (const char* dir = std::getenv("ORVANE_SHOTS"))
        window->grab().save(QString::fromLocal8Bit(dir) + "/" + window->objectName() + ".png");
}

}  // namespace

TEST_F(AppTest, SummaryDialogShowsEveryTextInBothLanguages) {
    for (int lang : {IDC_LANG_RO, IDC_LANG_EN}) {
        Click(lang);
        Click(IDC_HELP_SUMMARY);
        QWidget* window = Window(COMUN::DLG_SUMMARY);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle().toStdString(), "Floating-Point Data - Summary");
        EXPECT_FALSE(Widget(COMUN::DLG_SUMMARY, IDCANCEL)->isVisible());
        ExpectReadable(window, lang == IDC_LANG_RO ? "summary RO" : "summary EN");
        Click(COMUN::DLG_SUMMARY, IDOK);
        EXPECT_EQ(Window(COMUN::DLG_SUMMARY), nullptr);
    }
}

TEST_F(AppTest, InfoAndAboutDialogsAreReadableAndCentred) {
    for (int lang : {IDC_LANG_RO, IDC_LANG_EN}) {
        Click(lang);
        for (int button : {IDC_HELP_INFO, IDC_ABOUT}) {
            modal::CheckModalOf(button, [&](QWidget* modal) {
                ExpectReadable(modal, modal->objectName().toStdString());
                EXPECT_FALSE(modal->findChild<QWidget*>("IDCANCEL")->isVisible());
                auto* ok = modal->findChild<QPushButton*>("IDOK");
                ASSERT_NE(ok, nullptr);
                EXPECT_TRUE(ok->isDefault());
                const QRect screen = modal->screen()->availableGeometry();
                EXPECT_LE(std::abs(modal->geometry().center().x() - screen.center().x()), 2);
                EXPECT_LE(std::abs(modal->geometry().center().y() - screen.center().y()), 2);
            });
        }
    }
}
