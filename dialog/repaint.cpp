// Pending changes and repainting. While a callback runs, what the program
// sets waits in the record's model; it goes to the widgets when the callback
// returns or at a flush, and then only where it differs from what they show,
// so a text set to what it already was, an enablement that ends where it
// began, or a caption that did not change costs no repaint. A flush paints
// the controls changed since the last flush, not the whole window; a flush
// asked for inside a callback paints when a modal window opens over the
// dialog or when the callback has returned, so each control paints once.
#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

#include <QCoreApplication>

namespace dialog_qt {

void Changed(DialogImpl* impl, ControlState& c, unsigned what) {
    if (!impl || !c.widget) return;  // no window: the model alone, applied when it is built
    c.pending |= what;
    impl->pending = true;
    if (g_running.empty()) ApplyPending(impl);
}

void ApplyPending(DialogImpl* impl) {
    if (!impl || !impl->pending) return;
    impl->pending = false;
    if (!impl->window) {
        for (ControlState& c : impl->controls) c.pending = 0;
        return;
    }
    ProgramChange guard;
    bool refit = false;
    std::vector<int> captions;
    for (ControlState& c : impl->controls) {
        const unsigned what = c.pending;
        c.pending = 0;
        QWidget* w = c.widget;
        if (!what || !w) continue;
        if ((what & PendingText) && PushText(c)) {
            if (c.def->kind != Kind::Edit && c.def->kind != Kind::TextBox) {
                refit = true;
                if (c.def->kind == Kind::Static) captions.push_back(c.def->id);
            }
        }
        if (what & PendingCaret) {
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                const QString text = edit->text();
                int pos = 0;
                for (int n = 0; n < c.caret && pos < text.size(); ++n)
                    pos += (text[pos].isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
                if (edit->cursorPosition() != pos) edit->setCursorPosition(pos);
            }
        }
        if ((what & PendingEnable) && w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    }
    if (refit) FitCaptions(impl->window);
    for (int id : captions) CaptionChanged(impl, id);
}

void ApplyAllPending() {
    for (DialogImpl* impl : std::vector<DialogImpl*>(g_live))
        if (Alive(impl)) ApplyPending(impl);
}

void Flush(DialogImpl* impl) {
    if (!impl) return;
    ApplyPending(impl);
    // The widgets changed since the last paint have asked for one; it is
    // done now, for them alone.
    if (impl->window) QCoreApplication::sendPostedEvents(impl->window, QEvent::UpdateRequest);
}

void RequestFlush(DialogImpl* impl) {
    if (!impl) return;
    if (g_running.empty()) {
        Flush(impl);
        return;
    }
    // Inside a callback the widgets take what was set, so a message box the
    // callback opens next (which paints them first) or anything reading them
    // sees it; the painting waits for that box or for the callback's end, so
    // a control set again after the flush is painted once, not twice.
    ApplyPending(impl);
}

void FlushAll() {
    for (DialogImpl* impl : std::vector<DialogImpl*>(g_live))
        if (Alive(impl)) Flush(impl);
}

}  // namespace dialog_qt
