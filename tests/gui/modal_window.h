// Answering the real modal windows (message boxes, the file chooser) like a
// user: a timer waits until the window is open and active, then acts on it
// with real clicks and keys. Set the answer up before the call that opens the
// window, since that call returns only once the window is closed.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/gui/harness.h"

namespace modal {

// Runs `act` on the active modal window once it is open (about 2 s at most).
inline void WhenAnyOpen(std::function<void(QWidget*)> act, int attempt = 0) {
    QTimer::singleShot(attempt == 0 ? 0 : 20, [act, attempt] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) {
            if (attempt < 100) WhenAnyOpen(act, attempt + 1);
            return;
        }
        act(w);
    });
}

// Runs `act` on the next modal window of class T once it is open.
template <class T>
void WhenOpen(std::function<void(T*)> act, int attempt = 0) {
    QTimer::singleShot(attempt == 0 ? 0 : 20, [act, attempt] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) {
            if (attempt < 100) WhenOpen<T>(act, attempt + 1);
            return;
        }
        act(w);
    });
}

inline void ClickButton(QMessageBox* box, QMessageBox::StandardButton which) {
    QAbstractButton* button = box->button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Real key clicks for `text`; a character outside ASCII comes as the text of
// a key without a key code, as a keyboard layout for that script sends it.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClick(widget, static_cast<char>(c.unicode()));
        else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types `name` into the chooser's file-name box and presses Enter.
inline void ChooseName(QFileDialog* chooser, const QString& name) {
    auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->clear();
    TypeText(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The chooser's accept button ("Open").
inline QAbstractButton* AcceptButton(QFileDialog* chooser) {
    auto* box = chooser->findChild<QDialogButtonBox*>("buttonBox");
    return box ? box->button(QDialogButtonBox::Open) : nullptr;
}

// Clicks main-dialog button `button`, runs `check` on the modal dialog the
// click opens, then closes it with Esc; no modal window is left open.
inline void CheckModalOf(int button, const std::function<void(QWidget*)>& check) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        check(modal);
        ran = true;
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    harness::Click(button);
    EXPECT_TRUE(ran);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace modal
