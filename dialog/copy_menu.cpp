// Copy menus over Qt Widgets. The context submenus are found by an event
// filter on the application, so they work whenever the control's window is
// built, and whatever the control's own context menu holds.
#include "dialog/copy_menu.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <memory>

#include "dialog/dialog_internal.h"

namespace {

std::function<int(const CopyMenuEntries&)>& Hook() {
    static std::function<int(const CopyMenuEntries&)> hook;
    return hook;
}

void Copy(const std::string& text) { QGuiApplication::clipboard()->setText(FromWindows1252(text)); }

// Adds one action per entry to `menu`; each copies its text.
void Fill(QMenu* menu, const CopyMenuEntries& entries) {
    for (const CopyMenuEntry& entry : entries) {
        QAction* action = menu->addAction(FromWindows1252(entry.caption));
        const std::string text = entry.text;
        QObject::connect(action, &QAction::triggered, menu, [text] { Copy(text); });
    }
}

// Answers through the hook when one is set; true when it did.
bool Hooked(const CopyMenuEntries& entries) {
    if (!Hook()) return false;
    const int chosen = Hook()(entries);
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < entries.size())
        Copy(entries[static_cast<std::size_t>(chosen)].text);
    return true;
}

struct Submenu {
    DIALOG* dlg;
    int id;
    CopyMenuTitle title;
    CopyMenuSource source;
};

class ContextFilter : public QObject {
public:
    std::vector<Submenu> submenus;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ContextMenu) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) return false;
        // A text box gets the event on its viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
            area != nullptr && area->viewport() == widget)
            widget = area;
        for (const Submenu& s : submenus) {
            if (DialogControl(*s.dlg, s.id) != widget) continue;
            const CopyMenuEntries entries = s.source();
            if (Hooked(entries)) return true;
            std::unique_ptr<QMenu> menu;
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) menu.reset(edit->createStandardContextMenu());
            else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) menu.reset(box->createStandardContextMenu());
            else menu = std::make_unique<QMenu>();
            if (!entries.empty()) {
                menu->addSeparator();
                QMenu* copyAs = menu->addMenu(FromWindows1252(s.title()));
                Fill(copyAs, entries);
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    }
};

ContextFilter* Filter() {
    static QPointer<ContextFilter> filter;
    if (!filter) {
        filter = new ContextFilter;
        filter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
    return filter;
}

}  // namespace

void DIALOG_COPY_MENU(DIALOG& dlg, int id, CopyMenuSource source) {
    if (source == nullptr) return;
    const CopyMenuEntries entries = source();
    if (entries.empty() || Hooked(entries)) return;
    QWidget* anchor = DialogControl(dlg, id);
    if (anchor == nullptr) return;
    QMenu menu(anchor);
    Fill(&menu, entries);
    if (!menu.actions().isEmpty()) menu.setActiveAction(menu.actions().first());
    menu.exec(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

void DIALOG_SET_COPY_SUBMENU(DIALOG& dlg, int id, CopyMenuTitle title, CopyMenuSource source) {
    if (title == nullptr || source == nullptr || QCoreApplication::instance() == nullptr) return;
    auto& list = Filter()->submenus;
    for (Submenu& s : list)
        if (s.dlg == &dlg && s.id == id) {
            s.title = title;
            s.source = source;
            return;
        }
    list.push_back({&dlg, id, title, source});
}

void SetCopyMenuHook(std::function<int(const CopyMenuEntries& entries)> hook) { Hook() = std::move(hook); }
