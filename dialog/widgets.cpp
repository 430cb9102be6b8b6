// The widget classes of the dialog layer (see widgets.h).
#include "dialog/widgets.h"

#include <QApplication>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

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

void OrvaneTextBox::FitWholeLines() {
    // The text starts at the very top of the area and the area holds whole
    // lines, so the lines shown at the top of the text and at every scroll
    // position (the box scrolls by lines) end at its bottom edge. The blank
    // border the document margin gave goes around the area instead.
    constexpr int kBorder = 4;
    document()->setDocumentMargin(0);
    // The height of one line as the box lays its text out (leading
    // included), which may differ from the font's fractional line spacing.
    QTextLayout sample(QStringLiteral("0"), font());
    sample.beginLayout();
    QTextLine first = sample.createLine();
    first.setLeadingIncluded(true);
    sample.endLayout();
    const qreal line = first.isValid() && first.height() > 0 ? first.height() : QFontMetricsF(font()).lineSpacing();
    const int room = height() - 2 * frameWidth();  // no horizontal scroll bar
    int lines = static_cast<int>((room - kBorder) / line);
    if (lines < 1) lines = 1;
    const int area = std::min(room, static_cast<int>(std::lround(lines * line)));
    const int top = std::max(0, (room - area) / 2);
    setViewportMargins(kBorder, top, kBorder, std::max(0, room - area - top));
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
