// Records and the event dispatch. Callbacks are raised only by the user
// (typing, pasting, clicks, selection, focus), never by program changes, and
// never nest: an event that arrives while a callback runs waits until the
// outermost callback has returned.
#include <algorithm>
#include <deque>

#include <QtGlobal>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

std::vector<DialogImpl*> g_live;
int g_programChange = 0;
std::vector<DialogImpl*> g_running;

namespace {

int g_depth = 0;  // callbacks running
struct PendingEvent {
    DialogImpl* impl;
    int id;
    int event;
};
std::deque<PendingEvent> g_pending;

}  // namespace

bool Alive(const DialogImpl* impl) { return impl && std::find(g_live.begin(), g_live.end(), impl) != g_live.end(); }

ControlState* Find(DialogImpl* impl, int id) {
    if (!impl || id == layouts::ID_STATIC) return nullptr;
    for (auto& c : impl->controls)
        if (c.def->id == id) return &c;
    return nullptr;
}

DialogCallback CallbackFor(DialogImpl* impl, int id, int event) {
    if (impl->layout->id == id) return impl->dialogCallback;
    ControlState* c = Find(impl, id);
    if (!c) return nullptr;
    auto it = c->callbacks.find(event);
    return it == c->callbacks.end() ? nullptr : it->second;
}

void Invoke(DialogImpl* impl, int id, int event) {
    if (!Alive(impl)) return;
    DialogCallback routine = CallbackFor(impl, id, event);
    if (!routine) return;
    ++g_depth;
    g_running.push_back(impl);
    try {
        routine(*impl->record, id, event);
    } catch (...) {
        qWarning("A dialog callback ended with an exception");
    }
    g_running.pop_back();
    --g_depth;
    // What the callback set reaches the widgets now; the event loop paints it.
    ApplyAllPending();
    // Events that arrived meanwhile run once the outermost callback is done.
    while (g_depth == 0 && !g_pending.empty()) {
        PendingEvent next = g_pending.front();
        g_pending.pop_front();
        Invoke(next.impl, next.id, next.event);
    }
}

void Dispatch(DialogImpl* impl, int id, int event) {
    if (!CallbackFor(impl, id, event)) return;
    if (g_depth > 0 && !impl->modalRunning) {
        g_pending.push_back({impl, id, event});
        return;
    }
    Invoke(impl, id, event);
}

DialogImpl* ImplOf(DIALOG& dlg) { return Alive(dlg.impl) ? dlg.impl : nullptr; }

QWidget* CurrentOwnerWindow() {
    for (auto it = g_running.rbegin(); it != g_running.rend(); ++it)
        if (Alive(*it) && (*it)->window) return (*it)->window;
    return nullptr;
}

DialogImpl* CurrentOwner() {
    for (auto it = g_running.rbegin(); it != g_running.rend(); ++it)
        if (Alive(*it) && (*it)->window) return *it;
    return nullptr;
}

}  // namespace dialog_qt
