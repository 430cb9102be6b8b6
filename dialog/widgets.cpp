// The widget classes of the dialog layer (see widgets.h).
#include "dialog/widgets.h"

#include <QApplication>

namespace dialog_qt {

void OrvaneDialog::reject() {
    if (impl) CancelRequested(impl);
}

bool OrvaneEdit::digitsOnly() const {
    return window_ && window_->impl &&
           (window_->impl->controls[static_cast<std::size_t>(index_)].def->style & layouts::DIGITS_ONLY);
}

void OrvaneEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (g_programChange > 0 || event->reason() == Qt::PopupFocusReason) return;
    if (!window_ || !window_->impl) return;
    DialogImpl* impl = window_->impl;
    Dispatch(impl, impl->controls[static_cast<std::size_t>(index_)].def->id, EVENT_GAINFOCUS);
}

OrvaneDialog::~OrvaneDialog() {
    // Deleted with an owner window that went first: forget the widgets.
    if (impl && Alive(impl) && impl->window == this) DestroyWindow(impl, true);
}

}  // namespace dialog_qt

int EditTextRoom(QWidget* edit) {
    auto* e = dynamic_cast<dialog_qt::OrvaneEdit*>(edit);
    return e ? e->textRoom() : 0;
}

int EditTextNeed(QWidget* edit, const QString& text) {
    // The text and the caret after its last character: an edit scrolls only
    // when the caret would leave its room.
    return QFontMetrics(edit->font()).horizontalAdvance(text) + 1;
}
