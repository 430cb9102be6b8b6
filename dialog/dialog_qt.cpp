// The dialog layer over Qt Widgets. A record keeps a model of every control's
// state (text, check, enablement, list items and selection, image), so values
// set while the record has no window apply when the window is created; while a
// window exists, sets and gets go to the widgets and keep the model in step.
// Callbacks are raised only by the user (typing, pasting, clicks, selection,
// focus), never by program changes, and never nest: an event that arrives while
// a callback runs waits until the outermost callback has returned.
#include "dialog/dialog_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QSvgRenderer>
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "resources/layouts.h"

// Internal types of the layer (named, since the record type refers to them).
namespace dialog_qt {

using layouts::ControlDef;
using layouts::Kind;
using layouts::LayoutDef;

class OrvaneDialog;

struct ControlState {
    const ControlDef* def = nullptr;
    std::string text;  // Windows-1252
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> items;
    int selection = 0;  // 1-based, 0 = none
    int caret = 0;      // characters before the caret
    HICON image = nullptr;
    QPointer<QWidget> widget;
    std::map<int, DialogCallback> callbacks;  // event kind -> routine
};

}  // namespace dialog_qt

using namespace dialog_qt;

struct DialogImpl {
    const LayoutDef* layout = nullptr;
    DIALOG* record = nullptr;
    std::vector<ControlState> controls;
    DialogCallback dialogCallback = nullptr;
    std::string title;
    HICON windowIcon = nullptr;
    QPointer<OrvaneDialog> window;
    DialogImpl* owner = nullptr;
    bool modalRunning = false;
    int result = 0;
};

namespace dialog_qt {

// ---------------------------------------------------------------- text

constexpr char16_t kHighHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighHalf[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// Text up to the first NUL, without trailing blanks.
std::string_view Trimmed(std::string_view text) {
    auto nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// ---------------------------------------------------------------- dispatch

std::vector<DialogImpl*> g_live;
int g_depth = 0;         // callbacks running
int g_programChange = 0; // > 0 while the program itself changes widgets
struct PendingEvent {
    DialogImpl* impl;
    int id;
    int event;
};
std::deque<PendingEvent> g_pending;
std::vector<DialogImpl*> g_running;  // records whose callbacks run, innermost last

struct ProgramChange {
    ProgramChange() { ++g_programChange; }
    ~ProgramChange() { --g_programChange; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
};

bool Alive(const DialogImpl* impl) {
    return impl && std::find(g_live.begin(), g_live.end(), impl) != g_live.end();
}

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
    // Events that arrived meanwhile run once the outermost callback is done.
    while (g_depth == 0 && !g_pending.empty()) {
        PendingEvent next = g_pending.front();
        g_pending.pop_front();
        Invoke(next.impl, next.id, next.event);
    }
}

// A user event: runs its callback now, or after the running callbacks return.
void Dispatch(DialogImpl* impl, int id, int event) {
    if (!CallbackFor(impl, id, event)) return;
    if (g_depth > 0 && !impl->modalRunning) {
        g_pending.push_back({impl, id, event});
        return;
    }
    Invoke(impl, id, event);
}

// ---------------------------------------------------------------- widgets

class OrvaneDialog : public QDialog {
public:
    OrvaneDialog(DialogImpl* owner, QWidget* parent) : QDialog(parent), impl(owner) {}
    ~OrvaneDialog() override;
    DialogImpl* impl;

protected:
    void reject() override;
    void accept() override {}
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        reject();
    }
};

void CancelRequested(DialogImpl* impl);
void CloseDialog(DialogImpl* impl, int code);
void DestroyWindow(DialogImpl* impl, bool notify);

void OrvaneDialog::reject() {
    if (impl) CancelRequested(impl);
}

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

OrvaneDialog::~OrvaneDialog() {
    // Deleted with an owner window that went first: forget the widgets.
    if (impl && Alive(impl) && impl->window == this) DestroyWindow(impl, true);
}

// ---------------------------------------------------------------- model <-> widgets

void PullFromWidget(ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return;
    switch (c.def->kind) {
    case Kind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        c.text = ToWindows1252(e->text());
        c.caret = CodePointCount(QStringView(e->text()).left(e->cursorPosition()));
        break;
    }
    case Kind::RadioButton:
    case Kind::CheckBox:
        c.checked = static_cast<QAbstractButton*>(w)->isChecked();
        break;
    case Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(w);
        auto selected = list->selectionModel() ? list->selectionModel()->selectedRows() : QModelIndexList{};
        c.selection = selected.isEmpty() ? 0 : selected.first().row() + 1;
        break;
    }
    default:
        break;
    }
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

void PushText(ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return;
    const QString text = FromWindows1252(c.text);
    switch (c.def->kind) {
    case Kind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (e->text() != text) {
            int caret = e->hasFocus() ? e->cursorPosition() : 0;
            e->setText(text);
            e->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
        }
        break;
    }
    case Kind::Static:
        // Lines break at blanks only: a caption without one ("-->") stays on its line.
        static_cast<QLabel*>(w)->setWordWrap(!(c.def->style & layouts::NO_WRAP) && text.contains(u' '));
        static_cast<QLabel*>(w)->setText(DisplayLineBreaks(text));
        w->setProperty("windowsText", QByteArray(c.text.data(), static_cast<qsizetype>(c.text.size())));
        break;
    case Kind::GroupBox:
        static_cast<QGroupBox*>(w)->setTitle(text);
        break;
    case Kind::PushButton:
        if (c.def->style & layouts::ICON_BUTTON && c.image)
            break;
        static_cast<QAbstractButton*>(w)->setText(text);
        break;
    case Kind::RadioButton:
    case Kind::CheckBox:
        static_cast<QAbstractButton*>(w)->setText(text);
        break;
    default:
        break;
    }
}

void PushItems(ControlState& c) {
    auto* list = qobject_cast<QListWidget*>(c.widget.data());
    if (!list) return;
    list->clear();
    for (const auto& item : c.items) list->addItem(FromWindows1252(item));
}

void PushSelection(ControlState& c) {
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
        if (&other != &checked && other.def->kind == Kind::RadioButton && other.def->radioGroup == checked.def->radioGroup)
            other.checked = false;
}

// ---------------------------------------------------------------- fonts and units

QFont DialogFont(const LayoutDef& layout) {
    QFont font;
    QStringList families{QString::fromLatin1(layout.fontFamily)};
    if (layout.serifFont)
        families << QStringLiteral("DejaVu Serif") << QStringLiteral("Liberation Serif");
    else
        families << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans");
    font.setFamilies(families);
    font.setStyleHint(layout.serifFont ? QFont::Serif : QFont::SansSerif);
    // Points at the 96 dpi of the layouts' design, rounded as the layouts expect.
    font.setPixelSize((layout.fontPoints * 96 + 36) / 72);
    return font;
}

struct BaseUnits {
    int x = 4;
    int y = 8;
    int px(int du) const { return (du * x + 2) / 4; }
    int py(int du) const { return (du * y + 4) / 8; }
};

BaseUnits UnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    BaseUnits units;
    units.x = std::max(1, (letters / 26 + 1) / 2);
    units.y = std::max(1, fm.height());
    return units;
}

// The bit edits must show every bit at once; try narrower fonts when the
// dialog font is too wide for them.
void FitBitEdit(OrvaneEdit* edit, int digits) {
    const QString bits(digits, u'0');
    if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    // First give the text the edit's inner margin (one-bit fields are very narrow).
    edit->setTextMargins(-1, 0, -1, 0);
    if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    edit->setTextMargins(0, 0, 0, 0);
    QFont font = edit->font();
    const QStringList narrow{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                             QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Mono")};
    for (const QString& family : narrow) {
        QFont candidate = font;
        candidate.setFamilies({family});
        if (QFontInfo(candidate).family() != family) continue;
        edit->setFont(candidate);
        if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    }
    QFont smaller = edit->font();
    for (int size = font.pixelSize() - 1; size >= 6; --size) {
        smaller.setPixelSize(size);
        edit->setFont(smaller);
        if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    }
}

// ---------------------------------------------------------------- captions that must fit

// Width a control needs so that its caption is not clipped (its own width when it fits).
int WidthForCaption(QWidget* w) {
    QFontMetrics fm(w->font());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty()) return w->width();
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QStyle::SubElement contents = qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                            : qobject_cast<QCheckBox*>(w)  ? QStyle::SE_CheckBoxContents
                                                                           : QStyle::SE_PushButtonContents;
        const int room = w->style()->subElementRect(contents, &opt, w).width();
        const int need = fm.horizontalAdvance(button->text());
        return need > room ? w->width() + (need - room) : w->width();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // Each line of the caption on one row, where there is room for it.
        int need = 0;
        for (const QString& line : label->text().split(u'\n')) need = std::max(need, fm.horizontalAdvance(line));
        const int room = label->contentsRect().width();
        return need > room ? w->width() + (need - room) : w->width();
    }
    return w->width();
}

// Fonts differ from the ones the layout was drawn for: a caption that does not
// fit may widen its control into free space on its right, never over another
// control nor past the frame around it.
struct Room {
    int right;
    int bottom;
};

// How far a control may grow to the right and downwards without covering
// another control or crossing the frame around it.
Room FreeRoom(QWidget* w) {
    QWidget* window = w->parentWidget();
    const QRect r = w->geometry();
    Room room{window->width() - 2, window->height() - 2};
    for (QWidget* other : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other == w || other->isHidden()) continue;
        const QRect o = other->geometry();
        if (qobject_cast<QGroupBox*>(other)) {
            if (o.contains(r)) {
                room.right = std::min(room.right, o.right() - 3);
                room.bottom = std::min(room.bottom, o.bottom() - 3);
            }
            continue;
        }
        const bool besideVertically = o.top() <= r.bottom() && o.bottom() >= r.top();
        if (besideVertically && o.left() > r.left()) room.right = std::min(room.right, o.left() - 1);
        const bool besideHorizontally = o.left() <= r.right() && o.right() >= r.left();
        if (besideHorizontally && o.top() > r.top()) room.bottom = std::min(room.bottom, o.top() - 1);
    }
    return room;
}

// Fonts differ from the ones the layouts were drawn for. A caption that does
// not fit first takes free room on its right (and, for wrapped text, below),
// and only then a smaller font; no text is ever cut off.
// Wrapped text fits when all its lines fit in the height and no word is wider than a line.
bool WrappedTextFits(QLabel* label) {
    if (label->heightForWidth(label->width()) > label->height()) return false;
    QFontMetrics fm(label->font());
    const QString text = label->text();
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > label->contentsRect().width()) return false;
    return true;
}

void WidenForCaption(QWidget* w) {
    QWidget* window = w->parentWidget();
    if (!window || (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLabel*>(w))) return;
    // Each caption is fitted afresh from the layout's rectangle and the dialog font.
    const QVariant layoutRect = w->property("layoutGeometry");
    if (layoutRect.isValid()) w->setGeometry(layoutRect.toRect());
    w->setFont(QFont());
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || !label->wordWrap()) {
        // One-line captions: as wide as the caption, where there is room.
        const int want = WidthForCaption(w);
        if (want > w->width()) {
            const Room room = FreeRoom(w);
            const int width = std::min(want, room.right - w->x() + 1);
            if (width > w->width()) w->resize(width, w->height());
        }
        return;
    }
    // Wrapped text: the least extra width that makes it fit, then extra
    // height, then a smaller font.
    if (label->text().isEmpty() || WrappedTextFits(label)) return;
    const Room room = FreeRoom(w);
    const int widest = std::max(w->width(), std::min(WidthForCaption(w), room.right - w->x() + 1));
    const int tallest = std::max(w->height(), room.bottom - w->y() + 1);
    const QSize layoutSize = w->size();
    // 1. The least extra width.
    for (int width = layoutSize.width() + 1; width <= widest; ++width) {
        w->resize(width, layoutSize.height());
        if (WrappedTextFits(label)) return;
    }
    // 2. The least extra height at the layout's width.
    auto growDown = [&](int width) {
        w->resize(width, layoutSize.height());
        const int height = std::min(label->heightForWidth(width), tallest);
        if (height > w->height()) w->resize(width, height);
        return WrappedTextFits(label);
    };
    if (growDown(layoutSize.width())) return;
    // 3. All the room there is, then 4. a smaller font.
    if (growDown(widest)) return;
    QFont font = label->font();
    while (!WrappedTextFits(label) && font.pixelSize() > 7) {
        font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }
}

// ---------------------------------------------------------------- window building

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
    case Kind::GroupBox:
        w = new QGroupBox(window);
        break;
    case Kind::PushButton: {
        auto* button = new QPushButton(window);
        QObject::connect(button, &QPushButton::clicked, button, [window, id]() {
            DialogImpl* impl = window->impl;
            if (!impl || g_programChange > 0) return;
            if (CallbackFor(impl, id, EVENT_CLICKED))
                Dispatch(impl, id, EVENT_CLICKED);
            else
                CloseDialog(impl, id);
        });
        w = button;
        break;
    }
    case Kind::RadioButton:
    case Kind::CheckBox: {
        QAbstractButton* button = d.kind == Kind::CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(window))
                                                           : static_cast<QAbstractButton*>(new QRadioButton(window));
        if (d.kind == Kind::RadioButton) button->setAutoExclusive(false);
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
        auto* list = new QListWidget(window);
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
        QObject::connect(list, &QListWidget::clicked, list, [window, index, changedSincePress](const QModelIndex& clicked) {
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
    case Kind::IconPicture:
        w = new Picture(d.image, QSize(64, 64), window);
        break;
    case Kind::BitmapPicture:
        w = new Picture(d.image, QSize(132, 50), window);
        break;
    }
    w->setObjectName(QString::fromLatin1(d.name));
    if (d.accessibleName) w->setAccessibleName(QString::fromLatin1(d.accessibleName));
    w->setGeometry(u.px(d.x), u.py(d.y), u.px(d.w), u.py(d.h));
    w->setProperty("layoutGeometry", w->geometry());
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        const bool hasDefault = std::any_of(impl->controls.begin(), impl->controls.end(),
                                            [](const ControlState& s) { return s.def->style & layouts::DEFAULT_BUTTON; });
        // Without a default button, Enter presses nothing.
        button->setAutoDefault(hasDefault);
        button->setDefault(d.style & layouts::DEFAULT_BUTTON);
    }
    c.widget = w;
    PushText(c);
    if (d.kind == Kind::ListBox) {
        PushItems(c);
        PushSelection(c);
    }
    if (d.kind == Kind::RadioButton || d.kind == Kind::CheckBox) PushCheck(c);
    if (d.kind == Kind::PushButton && (d.style & layouts::ICON_BUTTON)) ApplyIcon(c);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QString text = edit->text();
        int pos = 0;
        for (int n = 0; n < c.caret && pos < text.size(); ++n)
            pos += (text[pos].isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
        edit->setCursorPosition(pos);
    }
    w->setEnabled(c.enabled);
    w->setVisible(!(d.style & layouts::HIDDEN));
    return w;
}

bool CreateWindow(DialogImpl* impl, QWidget* parent) {
    if (!QApplication::instance()) return false;
    ProgramChange guard;
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
    window->setFixedSize(u.px(layout.w), u.py(layout.h));
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) WidenForCaption(w);
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

void DestroyWindow(DialogImpl* impl, bool notify) {
    if (!impl->window) return;
    // Windows owned by this one go first.
    for (DialogImpl* other : std::vector<DialogImpl*>(g_live))
        if (other != impl && other->owner == impl && other->window && Alive(other)) DestroyWindow(other, notify);
    OrvaneDialog* window = impl->window;
    for (auto& c : impl->controls) {
        PullFromWidget(c);
        c.widget = nullptr;
    }
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
    if (CallbackFor(impl, IDCANCEL, EVENT_CLICKED))
        Dispatch(impl, IDCANCEL, EVENT_CLICKED);
    else
        CloseDialog(impl, IDCANCEL);
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

// The record behind a DIALOG, or nullptr.
DialogImpl* ImplOf(DIALOG& dlg) { return Alive(dlg.impl) ? dlg.impl : nullptr; }

void Flush(DialogImpl* impl) {
    if (impl && impl->window) impl->window->repaint();
}

}  // namespace dialog_qt

// ================================================================ resources

// The images live in the program's resources, linked from a static library:
// register them before the first use.
static void InitResources() { Q_INIT_RESOURCE(resources); }

void EnsureResources() {
    static const bool done = (InitResources(), true);
    (void)done;
}

// ================================================================ text helpers

QString FromWindows1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b < 0xA0)
            out += QChar(kHighHalf[b - 0x80]);
        else
            out += QChar(b);
    }
    return out;
}

std::string ToWindows1252(QStringView text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        out += ByteOf(cp);
    }
    return out;
}

int CodePointCount(QStringView text) {
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++n;
    }
    return n;
}

QString DisplayLineBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r' || ch == u'\n') {
            if (i + 1 < text.size() && (text[i + 1] == u'\r' || text[i + 1] == u'\n') && text[i + 1] != ch) ++i;
            out += u'\n';
        } else {
            out += ch;
        }
    }
    return out;
}

int EditTextRoom(QWidget* edit) {
    auto* e = dynamic_cast<OrvaneEdit*>(edit);
    return e ? e->textRoom() : 0;
}

int EditTextNeed(QWidget* edit, const QString& text) {
    // The text and the caret after its last character: an edit scrolls only
    // when the caret would leave its room.
    return QFontMetrics(edit->font()).horizontalAdvance(text) + 1;
}

QWidget* DialogWindow(DIALOG& dlg) {
    DialogImpl* impl = ImplOf(dlg);
    return impl ? impl->window.data() : nullptr;
}

QWidget* DialogControl(DIALOG& dlg, int id) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    return c ? c->widget.data() : nullptr;
}

// ================================================================ the layer

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
        case Kind::ListBox: event = EVENT_SELCHANGE; break;
        case Kind::PushButton:
        case Kind::RadioButton:
        case Kind::CheckBox: event = EVENT_CLICKED; break;
        default: return false;
        }
    }
    if (routine)
        c->callbacks[event] = routine;
    else
        c->callbacks.erase(event);
    return true;
}

bool DIALOG_SET_TEXT(DIALOG& dlg, int id, std::string_view text, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    ProgramChange guard;
    const std::string value(Trimmed(text));
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
    PushText(*c);
    if (c->widget && c->def->kind != Kind::Edit) WidenForCaption(c->widget);
    return true;
}

bool DIALOG_GET_TEXT(DIALOG& dlg, int id, std::string& variable, int index) {
    DialogImpl* impl = ImplOf(dlg);
    ControlState* c = Find(impl, id);
    if (!c) return false;
    std::string value;
    if (c->def->kind == Kind::ListBox) {
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
            PushText(*c);
            return true;
        }
        if (index == INDEX_POSITION) {
            c->caret = std::clamp(value, 0, static_cast<int>(c->text.size()));
            if (auto* edit = qobject_cast<QLineEdit*>(c->widget.data())) {
                const QString text = edit->text();
                int pos = 0;
                for (int n = 0; n < c->caret && pos < text.size(); ++n)
                    pos += (text[pos].isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
                edit->setCursorPosition(pos);
            }
            return true;
        }
        return false;
    }
    if (c->def->kind == Kind::ListBox && index == 1) {
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
    if (c->def->kind == Kind::ListBox) {
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
        if (c->widget) c->widget->setEnabled(value);
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
        variable = c->widget ? c->widget->isEnabled() : c->enabled;
        return true;
    }
    if (c->def->kind != Kind::RadioButton && c->def->kind != Kind::CheckBox) return false;
    if (c->widget) PullFromWidget(*c);
    variable = c->checked;
    return true;
}

void DIALOG_FLUSH(DIALOG& dlg) { Flush(ImplOf(dlg)); }

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
    case 0: break;                                // created hidden
    case 2: case 6: case 7: impl->window->showMinimized(); break;
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
