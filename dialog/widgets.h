// The widget classes of the dialog layer: the dialog window, the edit box
// (digits-only filtering, gain-focus reports), the list press watcher and
// the vector picture.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QSvgRenderer>
#include <QWidget>
#include <memory>

#include "dialog/dialog_internal.h"

namespace dialog_qt {

class OrvaneDialog : public QDialog {
public:
    OrvaneDialog(DialogImpl* owner, QWidget* parent) : QDialog(parent), impl(owner) {}
    ~OrvaneDialog() override;
    DialogImpl* impl;

protected:
    void reject() override;
    void accept() override {}
    bool event(QEvent* event) override {
        // A modal window (a message box ...) opens over this one: first show
        // everything the program has set.
        if (event->type() == QEvent::WindowBlocked) FlushAll();
        return QDialog::event(event);
    }
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        reject();
    }
};

class OrvaneEdit : public QLineEdit {
public:
    OrvaneEdit(OrvaneDialog* w, int index, QWidget* parent) : QLineEdit(parent), window_(w), index_(index) {}

    int textRoom() const {
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
        r = r.marginsRemoved(textMargins());
        return r.width() - 2 * 2;  // the line edit's own horizontal margin
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (digitsOnly() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const QString typed = event->text();
            bool refused = false;
            for (QChar ch : typed)
                if (ch.isPrint() && !(ch >= u'0' && ch <= u'9')) refused = true;
            if (refused) {
                event->accept();
                QApplication::beep();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }
    void inputMethodEvent(QInputMethodEvent* event) override {
        // A read-only edit changes only when the program writes it: text
        // from an input method is refused like typed text.
        if (isReadOnly()) {
            event->accept();
            return;
        }
        if (digitsOnly() && !event->commitString().isEmpty()) {
            QString digits;
            for (QChar ch : event->commitString())
                if (ch >= u'0' && ch <= u'9') digits += ch;
            if (digits != event->commitString()) {
                QInputMethodEvent filtered(event->preeditString(), event->attributes());
                filtered.setCommitString(digits, event->replacementStart(), event->replacementLength());
                QLineEdit::inputMethodEvent(&filtered);
                return;
            }
        }
        QLineEdit::inputMethodEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override;

private:
    bool digitsOnly() const;
    QPointer<OrvaneDialog> window_;
    int index_;
};

// A read-only text of several lines: selectable and copyable, never changed
// by the user (not by an input method either).
class OrvaneTextBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Shows `text`; false when it already shows it. A long text of one line
    // (thousands of digits) is laid out in pieces: the box keeps it as many
    // short paragraphs, so that only the visible ones are laid out, and a
    // copy joins them again.
    bool ShowText(const QString& text);
    // The text as the program set it (without the pieces' breaks).
    const QString& FullText() const { return full_; }
    // Sizes the text area to a whole number of lines for the box's present
    // height and font, so no line is ever shown cut, scrolled or not.
    void FitWholeLines();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void resizeEvent(QResizeEvent* event) override {
        FitWholeLines();
        QPlainTextEdit::resizeEvent(event);
    }
    void inputMethodEvent(QInputMethodEvent* event) override {
        if (isReadOnly()) {
            event->accept();
            return;
        }
        QPlainTextEdit::inputMethodEvent(event);
    }

private:
    QString full_;
    bool pieces_ = false;  // the shown text was cut into paragraphs
};

// A single-selection list box as on the classic platform: a click (with any
// modifier) or a key chooses an entry, none removes the selection; only the
// program clears it.
class OrvaneList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
        if (selectionMode() != QAbstractItemView::SingleSelection) return command;
        if (!index.isValid()) return QItemSelectionModel::NoUpdate;
        if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        return command;
    }
};

// Clears a flag at every mouse press, before the list handles the press.
class PressWatcher : public QObject {
public:
    PressWatcher(std::shared_ptr<bool> flag, QObject* parent) : QObject(parent), flag_(std::move(flag)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) *flag_ = false;
        return false;
    }

private:
    std::shared_ptr<bool> flag_;
};

// A picture drawn from a vector image, centred and scaled down to fit.
class Picture : public QWidget {
public:
    Picture(int resourceId, QSize natural, QWidget* parent)
        : QWidget(parent), renderer_(QStringLiteral(":/icons/%1.svg").arg(resourceId)), natural_(natural) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!renderer_.isValid()) return;
        QSize size = natural_.scaled(rect().size().boundedTo(natural_), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), size);
        target.moveCenter(rect().center());
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&painter, QRectF(target));
    }

private:
    QSvgRenderer renderer_;
    QSize natural_;
};

}  // namespace dialog_qt
