// The record's model of its controls and the widgets behind them: values set
// while the record has no window apply when the window is created; while a
// window exists, sets and gets go to the widgets and keep the model in step.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

void PullFromWidget(ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return;
    switch (c.def->kind) {
    case Kind::Edit: {
        // A text or caret set by the program and not yet shown is the current one.
        auto* e = static_cast<QLineEdit*>(w);
        if (!(c.pending & PendingText)) c.text = ToWindows1252(e->text());
        if (!(c.pending & (PendingText | PendingCaret)))
            c.caret = CodePointCount(QStringView(e->text()).left(e->cursorPosition()));
        break;
    }
    case Kind::RadioButton:
    case Kind::CheckBox: c.checked = static_cast<QAbstractButton*>(w)->isChecked(); break;
    case Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(w);
        auto selected = list->selectionModel() ? list->selectionModel()->selectedRows() : QModelIndexList{};
        c.selection = selected.isEmpty() ? 0 : selected.first().row() + 1;
        break;
    }
    case Kind::ComboBox: c.selection = static_cast<QComboBox*>(w)->currentIndex() + 1; break;
    case Kind::SpinBox:
        if (!(c.pending & PendingText)) c.text = std::to_string(static_cast<QSpinBox*>(w)->value());
        break;
    default: break;
    }
}

int SpinValue(const ControlState& c) {
    // The model's text read as a whole number; anything else counts as the lower bound.
    long value = c.minimum;
    bool digits = !c.text.empty() && c.text.size() < 10;
    for (std::size_t i = 0; digits && i < c.text.size(); ++i)
        digits = (c.text[i] >= '0' && c.text[i] <= '9') || (i == 0 && c.text[i] == '-' && c.text.size() > 1);
    if (digits) value = std::stol(c.text);
    return static_cast<int>(std::clamp<long>(value, c.minimum, c.maximum));
}

void ApplyIcon(ControlState& c) {
    auto* button = qobject_cast<QPushButton*>(c.widget.data());
    if (!button) return;
    if (c.image) {
        button->setText(QString());
        int side = std::min({c.image->size.width(), c.image->size.height(), button->height() - 6, button->width() - 6});
        button->setIconSize(QSize(std::max(side, 8), std::max(side, 8)));
        button->setIcon(c.image->icon);
    } else {
        button->setIcon(QIcon());
        button->setText(FromWindows1252(c.text));
    }
}

bool PushText(ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return false;
    const QString text = FromWindows1252(c.text);
    switch (c.def->kind) {
    case Kind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (e->text() == text) return false;
        int caret = e->hasFocus() ? e->cursorPosition() : 0;
        e->setText(text);
        e->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
        return true;
    }
    case Kind::Static: {
        auto* label = static_cast<QLabel*>(w);
        const QByteArray raw(c.text.data(), static_cast<qsizetype>(c.text.size()));
        // Lines break at blanks only: a caption without one ("-->") stays on its line.
        const bool wrap = !(c.def->style & layouts::NO_WRAP) && text.contains(u' ');
        const QString shown = DisplayLineBreaks(text);
        if (label->wordWrap() == wrap && label->text() == shown && w->property("windowsText").toByteArray() == raw)
            return false;
        label->setWordWrap(wrap);
        label->setText(shown);
        w->setProperty("windowsText", raw);
        return true;
    }
    case Kind::GroupBox: {
        auto* group = static_cast<QGroupBox*>(w);
        if (group->title() == text) return false;
        group->setTitle(text);
        return true;
    }
    case Kind::TextBox: return static_cast<OrvaneTextBox*>(w)->ShowText(text);
    case Kind::SpinBox: {
        auto* spin = static_cast<QSpinBox*>(w);
        if (spin->minimum() != c.minimum || spin->maximum() != c.maximum) spin->setRange(c.minimum, c.maximum);
        const int value = SpinValue(c);
        if (spin->value() == value) return false;
        spin->setValue(value);
        return true;
    }
    case Kind::PushButton:
    case Kind::RadioButton:
    case Kind::CheckBox: {
        if (c.def->kind == Kind::PushButton && (c.def->style & layouts::ICON_BUTTON) && c.image) return false;
        auto* button = static_cast<QAbstractButton*>(w);
        if (button->text() == text) return false;
        button->setText(text);
        return true;
    }
    default: return false;
    }
}

void PushItems(ControlState& c) {
    if (auto* combo = qobject_cast<QComboBox*>(c.widget.data())) {
        combo->clear();
        for (const auto& item : c.items) combo->addItem(FromWindows1252(item));
        return;
    }
    auto* list = qobject_cast<QListWidget*>(c.widget.data());
    if (!list) return;
    list->clear();
    for (const auto& item : c.items) list->addItem(FromWindows1252(item));
}

void PushSelection(ControlState& c) {
    if (auto* combo = qobject_cast<QComboBox*>(c.widget.data())) {
        const int index = c.selection >= 1 && c.selection <= combo->count() ? c.selection - 1 : -1;
        if (combo->currentIndex() != index) combo->setCurrentIndex(index);
        return;
    }
    auto* list = qobject_cast<QListWidget*>(c.widget.data());
    if (!list) return;
    if (c.selection >= 1 && c.selection <= list->count()) {
        list->setCurrentRow(c.selection - 1, QItemSelectionModel::ClearAndSelect);
    } else {
        list->clearSelection();
        list->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
}

void PushCheck(ControlState& c) {
    auto* button = qobject_cast<QAbstractButton*>(c.widget.data());
    if (!button) return;
    if (button->isChecked() == c.checked) return;
    QButtonGroup* group = button->group();
    if (group && !c.checked) {
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    } else {
        button->setChecked(c.checked);
    }
}

// Checking a radio unchecks the other radios of its group.
void UncheckGroup(DialogImpl* impl, const ControlState& checked) {
    if (checked.def->kind != Kind::RadioButton || checked.def->radioGroup == 0) return;
    for (auto& other : impl->controls)
        if (&other != &checked && other.def->kind == Kind::RadioButton &&
            other.def->radioGroup == checked.def->radioGroup)
            other.checked = false;
}

}  // namespace dialog_qt
