// Building a record's window from its layout, and destroying it again.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <limits>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

QWidget* CreateControl(OrvaneDialog* window, DialogImpl* impl, std::size_t index, const BaseUnits& u) {
    ControlState& c = impl->controls[index];
    const ControlDef& d = *c.def;
    QWidget* w = nullptr;
    const int id = d.id;
    switch (d.kind) {
    case Kind::Static: {
        auto* label = new QLabel(window);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (d.style & layouts::SUNKEN_EDGE) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        w = label;
        break;
    }
    case Kind::Edit: {
        auto* edit = new OrvaneEdit(window, static_cast<int>(index), window);
        edit->setReadOnly(d.style & layouts::READ_ONLY);
        // No length limit of the widget's own: a pasted text reaches the
        // program whole, which reads it or refuses it with a message, and is
        // never cut into a different number or word.
        edit->setMaxLength(std::numeric_limits<int>::max());
        if (d.style & layouts::READ_ONLY) {
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Base, pal.color(QPalette::Window));
            edit->setPalette(pal);
        }
        QObject::connect(edit, &QLineEdit::textEdited, edit, [window, index](const QString& text) {
            DialogImpl* impl = window->impl;
            if (!impl) return;
            ControlState& c = impl->controls[index];
            c.text = ToWindows1252(text);
            if (g_programChange == 0) Dispatch(impl, c.def->id, EVENT_CHANGE);
        });
        w = edit;
        break;
    }
    case Kind::GroupBox: w = new QGroupBox(window); break;
    case Kind::TextBox: {
        auto* box = new OrvaneTextBox(window);
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WrapAnywhere);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // a width that never changes: no second layout
        box->setTabChangesFocus(true);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        box->setPalette(pal);
        w = box;
        break;
    }
    case Kind::PushButton: {
        auto* button = new QPushButton(window);
        QObject::connect(button, &QPushButton::clicked, button, [window, id]() {
            DialogImpl* impl = window->impl;
            if (!impl || g_programChange > 0) return;
            if (CallbackFor(impl, id, EVENT_CLICKED)) Dispatch(impl, id, EVENT_CLICKED);
            else CloseDialog(impl, id);
        });
        w = button;
        break;
    }
    case Kind::RadioButton:
    case Kind::CheckBox: {
        QAbstractButton* button = d.kind == Kind::CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(window))
                                                           : static_cast<QAbstractButton*>(new QRadioButton(window));
        if (d.kind == Kind::RadioButton) {
            button->setAutoExclusive(false);
            button->setProperty("dialogRadio", true);  // read as a radio button all the same
        }
        QObject::connect(button, &QAbstractButton::clicked, button, [window, id]() {
            DialogImpl* impl = window->impl;
            if (!impl) return;
            for (auto& other : impl->controls)
                if (other.def->kind == Kind::RadioButton || other.def->kind == Kind::CheckBox) PullFromWidget(other);
            if (g_programChange == 0) Dispatch(impl, id, EVENT_CLICKED);
        });
        w = button;
        break;
    }
    case Kind::ListBox: {
        auto* list = new OrvaneList(window);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setVerticalScrollBarPolicy((d.style & layouts::VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
        // A click on the entry that is already selected chooses it again and
        // is reported like a change, so the user can ask for it anew.
        auto changedSincePress = std::make_shared<bool>(false);
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [window, index, changedSincePress]() {
            DialogImpl* impl = window->impl;
            if (!impl || g_programChange > 0) return;
            ControlState& c = impl->controls[index];
            PullFromWidget(c);
            *changedSincePress = true;
            if (c.def->style & layouts::NOTIFY) Dispatch(impl, c.def->id, EVENT_SELCHANGE);
        });
        list->viewport()->installEventFilter(new PressWatcher(changedSincePress, list));
        QObject::connect(list, &QListWidget::clicked, list,
                         [window, index, changedSincePress](const QModelIndex& clicked) {
                             DialogImpl* impl = window->impl;
                             if (!impl || g_programChange > 0 || *changedSincePress) return;
                             ControlState& c = impl->controls[index];
                             PullFromWidget(c);
                             if (clicked.row() + 1 == c.selection && (c.def->style & layouts::NOTIFY))
                                 Dispatch(impl, c.def->id, EVENT_SELCHANGE);
                         });
        w = list;
        break;
    }
    case Kind::ComboBox: {
        auto* combo = new QComboBox(window);
        combo->setEditable(false);
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [window, index](int) {
            DialogImpl* impl = window->impl;
            if (!impl || g_programChange > 0) return;
            ControlState& c = impl->controls[index];
            PullFromWidget(c);
            Dispatch(impl, c.def->id, EVENT_SELCHANGE);
        });
        w = combo;
        break;
    }
    case Kind::SpinBox: {
        auto* spin = new QSpinBox(window);
        spin->setRange(c.minimum, c.maximum);
        // A typed number outside the bounds is clamped when the field is left.
        spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        spin->setKeyboardTracking(false);
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [window, index](int value) {
            DialogImpl* impl = window->impl;
            if (!impl || g_programChange > 0) return;
            ControlState& c = impl->controls[index];
            c.text = std::to_string(value);
            Dispatch(impl, c.def->id, EVENT_CHANGE);
        });
        w = spin;
        break;
    }
    case Kind::IconPicture: w = new Picture(d.image, QSize(64, 64), window); break;
    case Kind::BitmapPicture: w = new Picture(d.image, QSize(132, 50), window); break;
    }
    w->setObjectName(QString::fromLatin1(d.name));
    w->setGeometry(u.px(d.x), u.py(d.y), u.px(d.w), u.py(d.h));
    if (d.kind == Kind::TextBox) static_cast<OrvaneTextBox*>(w)->FitWholeLines();
    w->setProperty("layoutGeometry", w->geometry());
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        const bool hasDefault = std::any_of(impl->controls.begin(), impl->controls.end(), [](const ControlState& s) {
            return s.def->style & layouts::DEFAULT_BUTTON;
        });
        // Without a default button, Enter presses nothing.
        button->setAutoDefault(hasDefault);
        button->setDefault(d.style & layouts::DEFAULT_BUTTON);
    }
    c.widget = w;
    PushText(c);
    if (HasItems(c)) {
        PushItems(c);
        PushSelection(c);
    }
    if (d.kind == Kind::RadioButton || d.kind == Kind::CheckBox) PushCheck(c);
    if (d.kind == Kind::PushButton && (d.style & layouts::ICON_BUTTON)) ApplyIcon(c);
    if (d.kind == Kind::PushButton) ApplyShortcut(c);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QString text = edit->text();
        int pos = 0;
        for (int n = 0; n < c.caret && pos < text.size(); ++n)
            pos += (text[pos].isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
        edit->setCursorPosition(pos);
    }
    w->setEnabled(c.enabled);
    w->setVisible(!(d.style & layouts::HIDDEN) && c.visible);
    return w;
}

void ApplyShortcut(ControlState& c) {
    auto* button = qobject_cast<QPushButton*>(c.widget.data());
    if (!button) return;
    for (QShortcut* old : button->findChildren<QShortcut*>(QString(), Qt::FindDirectChildrenOnly)) delete old;
    if (c.shortcut.empty()) return;
    auto* shortcut = new QShortcut(
        QKeySequence(QString::fromLatin1(c.shortcut.data(), static_cast<qsizetype>(c.shortcut.size()))), button);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button]() {
        if (button->isEnabled() && button->isVisible()) button->click();
    });
}

bool CreateWindow(DialogImpl* impl, QWidget* parent) {
    if (!QApplication::instance()) return false;
    ProgramChange guard;
    InstallAccessibility();
    const LayoutDef& layout = *impl->layout;
    auto* window = new OrvaneDialog(impl, parent);
    Qt::WindowFlags flags = (parent ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (layout.flags & layouts::MINIMIZE_BOX) flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->setObjectName(QString::fromLatin1(layout.name));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    const QFont font = DialogFont(layout);
    window->setFont(font);
    const BaseUnits u = UnitsOf(font);
    impl->window = window;
    window->setFixedSize(u.px(layout.w), u.py(layout.h));
    window->setProperty("layoutSize", window->size());

    std::map<int, QButtonGroup*> groups;
    std::vector<QWidget*> frames;
    for (std::size_t i = 0; i < impl->controls.size(); ++i) {
        QWidget* w = CreateControl(window, impl, i, u);
        const ControlDef& d = *impl->controls[i].def;
        if (d.kind == Kind::RadioButton && d.radioGroup) {
            QButtonGroup*& group = groups[d.radioGroup];
            if (!group) {
                group = new QButtonGroup(window);
                group->setExclusive(true);
            }
            group->addButton(static_cast<QAbstractButton*>(w));
        }
        if (d.kind == Kind::GroupBox) frames.push_back(w);
        if (d.kind == Kind::Edit && d.fitDigits > 0) FitBitEdit(static_cast<OrvaneEdit*>(w), d.fitDigits);
    }
    // Group boxes lie under the controls they frame.
    for (QWidget* frame : frames) frame->lower();
    FitCaptions(window);
    for (ControlState& c : impl->controls) {
        PrepareAccessible(c);
        ApplyAccessibleText(impl, c);
    }
    ApplyTabOrder(impl);
    window->setWindowTitle(FromWindows1252(impl->title));
    if (impl->windowIcon) window->setWindowIcon(impl->windowIcon->icon);
    if (layout.flags & layouts::CENTERED) {
        QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            QRect area = screen->availableGeometry();
            window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
        }
    } else {
        window->move(u.px(layout.x), u.py(layout.y));
    }
    return true;
}

void DestroyWindow(DialogImpl* impl, bool notify) {
    if (!impl->window) return;
    // Windows owned by this one go first.
    for (DialogImpl* other : std::vector<DialogImpl*>(g_live))
        if (other != impl && other->owner == impl && other->window && Alive(other)) DestroyWindow(other, notify);
    OrvaneDialog* window = impl->window;
    for (auto& c : impl->controls) {
        PullFromWidget(c);
        c.widget = nullptr;
        c.pending = 0;  // the model holds it; a new window starts from the model
    }
    impl->pending = false;
    impl->window = nullptr;
    impl->owner = nullptr;
    window->impl = nullptr;
    {
        ProgramChange guard;
        window->hide();
    }
    window->deleteLater();
    if (notify) Invoke(impl, impl->layout->id, EVENT_DESTROY);
}

void CloseDialog(DialogImpl* impl, int code) {
    impl->result = code;
    if (impl->modalRunning) {
        if (impl->window) impl->window->QDialog::done(code);
    } else {
        DestroyWindow(impl, true);
    }
}

void CancelRequested(DialogImpl* impl) {
    if (g_programChange > 0) return;
    if (CallbackFor(impl, IDCANCEL, EVENT_CLICKED)) Dispatch(impl, IDCANCEL, EVENT_CLICKED);
    else CloseDialog(impl, IDCANCEL);
}

// A new window starts with the focus on its first control that takes the Tab
// key; an edit there has its whole text selected, so typing replaces it.
void SetInitialFocus(QWidget* window) {
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (w->window() != window || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(window))
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

// Brings a window to the front; without a window manager (Xvfb) a window only
// gets the keyboard when it is activated explicitly.
void RaiseAndActivate(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->raise();
    window->activateWindow();
}

}  // namespace dialog_qt

// The images live in the program's resources, linked from a static library:
// register them before the first use.
static void InitResources() { Q_INIT_RESOURCE(resources); }

void EnsureResources() {
    static const bool done = (InitResources(), true);
    (void)done;
}

QWidget* DialogWindow(DIALOG& dlg) {
    DialogImpl* impl = dialog_qt::ImplOf(dlg);
    return impl ? impl->window.data() : nullptr;
}

QWidget* DialogControl(DIALOG& dlg, int id) {
    DialogImpl* impl = dialog_qt::ImplOf(dlg);
    dialog_qt::ControlState* c = dialog_qt::Find(impl, id);
    return c ? c->widget.data() : nullptr;
}
