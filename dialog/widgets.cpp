// The widget classes of the dialog layer (see widgets.h).
#include "dialog/widgets.h"

#include <QApplication>
#include <QTextDocumentFragment>

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

namespace {
// Characters of each piece of a long one-line text: every value of the
// shorter formats fits in one.
constexpr qsizetype kPiece = 256;
}  // namespace

bool OrvaneTextBox::ShowText(const QString& text) {
    if (text == full_ && (pieces_ || toPlainText() == text)) return false;
    full_ = text;
    pieces_ = text.size() > kPiece && !text.contains(u'\n') && !text.contains(u'\r');
    if (!pieces_) {
        setPlainText(text);
        return true;
    }
    QString shown;
    shown.reserve(text.size() + text.size() / kPiece + 1);
    for (qsizetype at = 0; at < text.size(); at += kPiece) {
        if (at > 0) shown += u'\n';
        shown += QStringView(text).mid(at, kPiece);
    }
    setPlainText(shown);
    return true;
}

QMimeData* OrvaneTextBox::createMimeDataFromSelection() const {
    if (!pieces_) return QPlainTextEdit::createMimeDataFromSelection();
    // The pieces' breaks are the box's own, not part of the number.
    QString selected = textCursor().selection().toPlainText();
    selected.remove(u'\n');
    auto* data = new QMimeData;
    data->setText(selected);
    return data;
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
