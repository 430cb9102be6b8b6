// The operations of the dialog layer over Qt Widgets.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <algorithm>
#include <memory>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

using namespace dialog_qt;

namespace {

// An edit keeps its caret where a new text leaves it: in place (or at the
// new end) while it has the focus, at the start otherwise.
void KeepCaret(ControlState& c) {
    if (c.def->kind != Kind::Edit || !c.widget) return;
    const int length = static_cast<int>(c.text.size());
    c.caret = c.widget->hasFocus() ? std::min(c.caret, length) : 0;
}

}  // namespace

bool DIALOG_INIT(int layoutId, DIALOG& dlg) {
    if (Alive(dlg.impl)) DIALOG_UNINIT(dlg);
    dlg.impl = nullptr;
    EnsureResources();
    const LayoutDef* layout = layouts::FindLayout(layoutId);
    if (!layout) return false;
    auto impl = std::make_unique<DialogImpl>();
    impl->layout = layout;
    impl->record = &dlg;
    impl->title = layout->title;
    impl->controls.reserve(layout->count);
    for (std::size_t i = 0; i < layout->count; ++i) {
        ControlState c;
        c.def = &layout->controls[i];
        c.text = c.def->caption;
        if (c.def->kind == Kind::SpinBox && c.text.empty()) c.text = "0";
        impl->controls.push_back(std::move(c));
    }
    dlg.impl = impl.release();
    g_live.push_back(dlg.impl);
    return true;
}

void DIALOG_UNINIT(DIALOG& dlg) {
    DialogImpl* impl = ImplOf(dlg);
    dlg.impl = nullptr;
    if (!impl) return;
    DestroyWindow(impl, true);
    for (DialogImpl* other : g_live)
        if (other->owner == impl) other->owner = nullptr;
    g_live.erase(std::remove(g_live.begin(), g_live.end(), impl), g_live.end());
    delete impl;
}

bool DIALOG_SET_CALLBACK(DIALOG& dlg, int id, DialogCallback routine, int event) {
    DialogImpl* impl = ImplOf(dlg);
    if (!impl) return false;
    if (id == impl->layout->id) {
        impl->dialogCallback = routine;
        return true;
    }
    ControlState* c = Find(impl, id);
    if (!c) return false;
    if (event == INDEX_DEFAULT) {
        switch (c->def->kind) {
        case Kind::Edit: event = EVENT_CHANGE; break;
        case Kind::ListBox:
        case Kind::ComboBox: event = EVENT_SELCHANGE; break;
        case Kind::SpinBox: event = EVENT_CHANGE; break;
        case Kind::PushButton:
        case Kind::RadioButton:
        case Kind::CheckBox: event = EVENT_CLICKED; break;
        default: return false;
        }
    }
    if (routine) c->callbacks[event] = routine;
    else c->callbacks.erase(event);
    return true;
}

bool DIALOG_SET_TEXT(DIALOG& dlg, int id, std::string_view text, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    ProgramChange guard;
    const std::string value(Trimmed(text));
    if (c->def->kind == Kind::ComboBox) {
        if (index == INDEX_ADDSTRING) c->items.push_back(value);
        else if (index >= 1 && static_cast<std::size_t>(index) <= c->items.size())
            c->items[static_cast<std::size_t>(index - 1)] = value;
        else return false;
        if (c->widget) PullFromWidget(*c);
        PushItems(*c);
        PushSelection(*c);
        return true;
    }
    if (c->def->kind == Kind::ListBox) {
        if (index == INDEX_ADDSTRING) {
            c->items.push_back(value);
            if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) list->addItem(FromWindows1252(value));
            return true;
        }
        if (index >= 1 && static_cast<std::size_t>(index) <= c->items.size()) {
            c->items[static_cast<std::size_t>(index - 1)] = value;
            if (auto* list = qobject_cast<QListWidget*>(c->widget.data()))
                if (QListWidgetItem* item = list->item(index - 1)) item->setText(FromWindows1252(value));
            return true;
        }
        return false;
    }
    if (c->def->kind == Kind::IconPicture || c->def->kind == Kind::BitmapPicture) return false;
    if (c->widget) PullFromWidget(*c);
    c->text = value;
    KeepCaret(*c);
    Changed(impl, *c, PendingText);
    return true;
}

bool DIALOG_GET_TEXT(DIALOG& dlg, int id, std::string& variable, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    std::string value;
    if (HasItems(*c)) {
        if (c->widget) PullFromWidget(*c);
        const int item = index >= 1 ? index : c->selection;
        if (item < 1 || static_cast<std::size_t>(item) > c->items.size()) {
            if (index >= 1) return false;
        } else {
            value = c->items[static_cast<std::size_t>(item - 1)];
        }
    } else {
        if (c->widget) PullFromWidget(*c);
        value = c->text;
    }
    const std::size_t length = variable.size();
    value.resize(length, ' ');
    variable = std::move(value);
    return true;
}

bool DIALOG_SET_INT(DIALOG& dlg, int id, int value, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    ProgramChange guard;
    if (c->def->kind == Kind::Edit) {
        if (c->widget) PullFromWidget(*c);
        if (index == INDEX_TEXTLENGTH) {
            c->text.resize(static_cast<std::size_t>(std::max(value, 0)), ' ');
            KeepCaret(*c);
            Changed(impl, *c, PendingText);
            return true;
        }
        if (index == INDEX_POSITION) {
            c->caret = std::clamp(value, 0, static_cast<int>(c->text.size()));
            Changed(impl, *c, PendingCaret);
            return true;
        }
        return false;
    }
    if (c->def->kind == Kind::SpinBox && index == INDEX_DEFAULT) {
        if (c->widget) PullFromWidget(*c);
        c->text = std::to_string(std::clamp(value, c->minimum, c->maximum));
        PushText(*c);
        return true;
    }
    if (HasItems(*c) && index == 1) {
        const bool valid = value >= 1 && static_cast<std::size_t>(value) <= c->items.size();
        c->selection = valid ? value : 0;
        PushSelection(*c);
        return valid || value == 0;
    }
    return false;
}

bool DIALOG_GET_INT(DIALOG& dlg, int id, int& variable, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    if (c->widget) PullFromWidget(*c);
    if (c->def->kind == Kind::Edit) {
        if (index == INDEX_TEXTLENGTH || index == INDEX_DEFAULT) {
            variable = static_cast<int>(c->text.size());
            return true;
        }
        if (index == INDEX_POSITION) {
            variable = std::min(c->caret, static_cast<int>(c->text.size()));
            return true;
        }
        return false;
    }
    if (c->def->kind == Kind::SpinBox && index == INDEX_DEFAULT) {
        variable = SpinValue(*c);
        return true;
    }
    if (HasItems(*c)) {
        if (index == 1 || index == INDEX_DEFAULT) {
            variable = c->selection;
            return true;
        }
        if (index == INDEX_TEXTLENGTH) {
            variable = static_cast<int>(c->items.size());
            return true;
        }
        return false;
    }
    return false;
}

bool DIALOG_SET_LOGICAL(DIALOG& dlg, int id, bool value, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    ProgramChange guard;
    if (index == INDEX_ENABLE) {
        c->enabled = value;
        Changed(impl, *c, PendingEnable);
        return true;
    }
    if (index == INDEX_VISIBLE) {
        c->visible = value;
        if (c->widget) c->widget->setVisible(value && !(c->def->style & layouts::HIDDEN));
        return true;
    }
    if (index != INDEX_DEFAULT && index != INDEX_STATE) return false;
    if (c->def->kind != Kind::RadioButton && c->def->kind != Kind::CheckBox) return false;
    c->checked = value;
    if (value) UncheckGroup(impl, *c);
    for (auto& other : impl->controls)
        if (other.def->kind == Kind::RadioButton || other.def->kind == Kind::CheckBox) PushCheck(other);
    return true;
}

bool DIALOG_GET_LOGICAL(DIALOG& dlg, int id, bool& variable, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    if (index == INDEX_ENABLE) {
        variable = c->enabled;
        return true;
    }
    if (index == INDEX_VISIBLE) {
        variable = c->visible;
        return true;
    }
    if (c->def->kind != Kind::RadioButton && c->def->kind != Kind::CheckBox) return false;
    if (c->widget) PullFromWidget(*c);
    variable = c->checked;
    return true;
}

void DIALOG_FLUSH(DIALOG& dlg) { RequestFlush(ImplOf(dlg)); }

bool DIALOG_SET_TITLE(DIALOG& dlg, std::string_view text) {
    DialogImpl* impl = ImplOf(dlg);
    if (!impl) return false;
    impl->title = std::string(Trimmed(text));
    if (impl->window) impl->window->setWindowTitle(FromWindows1252(impl->title));
    return true;
}

bool DIALOG_SHOW_MODELESS(DIALOG& dlg, int showMode) {
    DialogImpl* impl = ImplOf(dlg);
    if (!impl || impl->modalRunning) return false;
    if (impl->window) {
        if (showMode != 0) {
            ProgramChange guard;
            if (impl->window->isMinimized()) impl->window->showNormal();
            impl->window->show();
            RaiseAndActivate(impl->window);
        }
        return true;
    }
    DialogImpl* owner = CurrentOwner();
    if (owner == impl) owner = nullptr;
    if (!CreateWindow(impl, owner ? owner->window.data() : nullptr)) return false;
    impl->owner = owner;
    Invoke(impl, impl->layout->id, EVENT_INIT);
    if (!impl->window) return false;  // closed by its own start
    ProgramChange guard;
    SetInitialFocus(impl->window);
    switch (showMode) {
    case 0: break;  // created hidden
    case 2:
    case 6:
    case 7: impl->window->showMinimized(); break;
    default:
        impl->window->show();
        RaiseAndActivate(impl->window);
        break;
    }
    return true;
}

int DIALOG_SHOW_MODAL(DIALOG& dlg) {
    DialogImpl* impl = ImplOf(dlg);
    if (!impl || impl->window || impl->modalRunning) return -1;
    QWidget* parent = CurrentOwnerWindow();
    if (!parent) parent = QApplication::activeWindow();
    if (!CreateWindow(impl, parent)) return -1;
    impl->owner = nullptr;
    impl->result = IDCANCEL;
    Invoke(impl, impl->layout->id, EVENT_INIT);
    if (!impl->window) return impl->result;
    impl->modalRunning = true;
    QPointer<OrvaneDialog> window = impl->window;
    window->setWindowModality(Qt::ApplicationModal);
    {
        ProgramChange guard;
        SetInitialFocus(window);
    }
    // What the owners show while the modal window is open is what the program has set so far.
    FlushAll();
    window->exec();
    if (Alive(impl)) {
        impl->modalRunning = false;
        const int result = impl->result;
        DestroyWindow(impl, true);
        return result;
    }
    return IDCANCEL;
}

void DIALOG_SET_WINDOW_ICON(DIALOG& dlg, HICON icon) {
    DialogImpl* impl = ImplOf(dlg);
    if (!impl) return;
    impl->windowIcon = icon;
    if (impl->window) impl->window->setWindowIcon(icon ? icon->icon : QIcon());
}

void DIALOG_SET_BUTTON_IMAGE(DIALOG& dlg, int id, HICON icon) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c || c->def->kind != Kind::PushButton) return;
    c->image = icon;
    ApplyIcon(*c);
}

bool DIALOG_SET_SHORTCUT(DIALOG& dlg, int id, std::string_view keys) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c || c->def->kind != Kind::PushButton) return false;
    c->shortcut = std::string(keys);
    ApplyShortcut(*c);
    return true;
}

bool DIALOG_SET_RANGE(DIALOG& dlg, int id, int minimum, int maximum) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c || c->def->kind != Kind::SpinBox || minimum > maximum) return false;
    ProgramChange guard;
    if (c->widget) PullFromWidget(*c);
    c->minimum = minimum;
    c->maximum = maximum;
    c->text = std::to_string(SpinValue(*c));
    PushText(*c);
    return true;
}

bool DIALOG_SET_ACCESSIBLE_TEXT(DIALOG& dlg, int id, std::string_view nameRo, std::string_view nameEn,
                                std::string_view descriptionRo, std::string_view descriptionEn) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    c->ownAccessible = true;
    c->accessibleName[0] = nameRo;
    c->accessibleName[1] = nameEn;
    c->accessibleDesc[0] = descriptionRo;
    c->accessibleDesc[1] = descriptionEn;
    ApplyAccessibleText(impl, *c);
    return true;
}
