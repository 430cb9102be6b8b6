// What assistive technology reads of a dialog: radios as radio buttons, the
// displays named by the captions beside them and read exactly as the program
// wrote them (and never rewritten by a tool), the bit fields described by
// their format, field and width, in the language of the captions, and a tab
// order that follows the window.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

namespace {

// The layer's radios are not auto-exclusive (it unchecks their groups
// itself), which Qt's own interface takes for a check box. They are radio
// buttons all the same: checkable, checked or not, pressed by their action.
class RadioAccessible : public QAccessibleWidget {
public:
    explicit RadioAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            QString name = button()->text();
            name.remove(u'&');
            return name;
        }
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (!widget()->isEnabled()) return;
        if (action == pressAction() || action == toggleAction())
            button()->click();  // the same way as a click by the user
        else QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction() || action == toggleAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A display the program alone writes: a read-only edit or text box. Its
// text interface reads the value exactly as the program set it; it has no
// editable-text interface, so an assistive tool can select and read the
// text but not change it (as keys and input methods cannot).
class DisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DisplayAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);  // never the editable-text interface
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Value();
        return QAccessibleWidget::text(t);
    }

    // Offsets are characters of the value.
    QString text(int startOffset, int endOffset) const override {
        const QString value = Value();
        const auto [start, end] = Range(startOffset, endOffset, value.size());
        return value.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    int cursorPosition() const override { return CaretAndAnchor().first; }
    void setCursorPosition(int position) override { Select(position, position); }
    int selectionCount() const override {
        const auto [caret, anchor] = CaretAndAnchor();
        return caret != anchor ? 1 : 0;
    }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const auto [caret, anchor] = CaretAndAnchor();
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || caret == anchor) return;
        *startOffset = std::min(caret, anchor);
        *endOffset = std::max(caret, anchor);
    }
    void addSelection(int startOffset, int endOffset) override { Select(startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) setCursorPosition(cursorPosition());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) Select(startOffset, endOffset);
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        // Moving the caret there scrolls it into view.
        setCursorPosition(endIndex);
        setCursorPosition(startIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return QString();
    }

protected:
    virtual QString Value() const = 0;
    // Caret and selection anchor, as offsets into the value.
    virtual std::pair<int, int> CaretAndAnchor() const = 0;
    // Selects from anchor to caret (offsets already within the value).
    virtual void SetSelection(int anchor, int caret) = 0;

    static std::pair<int, int> Range(int start, int end, qsizetype size) {
        const int n = static_cast<int>(size);
        if (end < 0 || end > n) end = n;  // -1: to the end
        start = std::clamp(start, 0, end);
        return {start, end};
    }
    void Select(int anchor, int caret) {
        const int n = characterCount();
        SetSelection(std::clamp(anchor, 0, n), std::clamp(caret, 0, n));
    }
};

class LineDisplayAccessible : public DisplayAccessible {
public:
    explicit LineDisplayAccessible(QLineEdit* edit) : DisplayAccessible(edit) {}

    QRect characterRect(int offset) const override {
        const QString value = Value();
        if (offset < 0 || offset >= value.size()) return QRect();
        // From the caret's rectangle and the advances of the text before.
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        const int x = caret.left() + metrics.horizontalAdvance(value.left(offset)) -
                      metrics.horizontalAdvance(value.left(edit()->cursorPosition()));
        return QRect(edit()->mapToGlobal(QPoint(x, caret.top())),
                     QSize(metrics.horizontalAdvance(value[offset]), caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }

protected:
    QString Value() const override { return edit()->text(); }
    std::pair<int, int> CaretAndAnchor() const override {
        const int caret = edit()->cursorPosition();
        if (!edit()->hasSelectedText()) return {caret, caret};
        const int start = edit()->selectionStart();
        const int end = start + static_cast<int>(edit()->selectedText().size());
        return {caret, caret == start ? end : start};
    }
    void SetSelection(int anchor, int caret) override {
        if (anchor == caret) edit()->setCursorPosition(caret);
        else edit()->setSelection(anchor, caret - anchor);
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// A text box may show a long one-line value in pieces, one paragraph each;
// its offsets count the value's characters, not the pieces' breaks.
class BoxDisplayAccessible : public DisplayAccessible {
public:
    explicit BoxDisplayAccessible(OrvaneTextBox* box) : DisplayAccessible(box) {}

    QAccessible::State state() const override {
        QAccessible::State s = DisplayAccessible::state();
        s.multiLine = true;
        return s;
    }
    QRect characterRect(int offset) const override {
        const QString value = Value();
        if (offset < 0 || offset >= value.size()) return QRect();
        QTextCursor cursor(box()->document());
        cursor.setPosition(ToDocument(offset));
        const QRect caret = box()->cursorRect(cursor);
        const QFontMetrics metrics(box()->font());
        return QRect(box()->viewport()->mapToGlobal(caret.topLeft()),
                     QSize(metrics.horizontalAdvance(value[offset]), caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return FromDocument(box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position());
    }

protected:
    QString Value() const override { return box()->FullText(); }
    std::pair<int, int> CaretAndAnchor() const override {
        const QTextCursor cursor = box()->textCursor();
        return {FromDocument(cursor.position()), FromDocument(cursor.anchor())};
    }
    void SetSelection(int anchor, int caret) override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(ToDocument(anchor));
        cursor.setPosition(ToDocument(caret), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }

private:
    OrvaneTextBox* box() const { return static_cast<OrvaneTextBox*>(widget()); }
    // The paragraphs are pieces of one line (a value with line breaks of its
    // own is shown as it is).
    bool InPieces() const {
        const QString& value = box()->FullText();
        return box()->document()->blockCount() > 1 && !value.contains(u'\n') && !value.contains(u'\r');
    }
    int FromDocument(int position) const {
        if (!InPieces()) return position;
        // Every paragraph before the position's own adds one break.
        const int offset = position - box()->document()->findBlock(position).blockNumber();
        return std::clamp(offset, 0, static_cast<int>(Value().size()));
    }
    int ToDocument(int offset) const {
        if (!InPieces()) return offset;
        for (QTextBlock block = box()->document()->firstBlock(); block.isValid(); block = block.next()) {
            const int length = block.length() - 1;  // without the break
            if (offset <= length || !block.next().isValid()) return block.position() + std::min(offset, length);
            offset -= length;
        }
        return 0;
    }
};

// The program's radios, displays and lists; everything else is Qt's own.
QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (object->property("dialogRadio").toBool() && qobject_cast<QRadioButton*>(object)) return new RadioAccessible(w);
    if (auto* edit = dynamic_cast<OrvaneEdit*>(w); edit && edit->isReadOnly()) return new LineDisplayAccessible(edit);
    if (auto* box = dynamic_cast<OrvaneTextBox*>(w)) return new BoxDisplayAccessible(box);
    return nullptr;
}

// A list's current entry is the one a screen reader takes for focused, so a
// list keeps a current entry only while it has the focus. The selection
// stays; with the focus the current entry comes back to the selected one.
class ListFocusKeeper : public QObject {
public:
    explicit ListFocusKeeper(QListWidget* list) : QObject(list), list_(list) {
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
            if (current.isValid() && !list_->hasFocus()) Forget();
        });
        list->installEventFilter(this);
        if (!list->hasFocus()) Forget();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // Before the list's own handling, which makes its first entry
        // current when there is none.
        if (event->type() == QEvent::FocusIn) {
            const QModelIndexList selected = list_->selectionModel()->selectedRows();
            if (!selected.isEmpty()) {
                // Without scrolling: a click that brings the focus lands
                // where the user pointed.
                const bool autoScroll = list_->hasAutoScroll();
                list_->setAutoScroll(false);
                list_->selectionModel()->setCurrentIndex(selected.first(), QItemSelectionModel::NoUpdate);
                list_->setAutoScroll(autoScroll);
            }
        } else if (event->type() == QEvent::FocusOut) {
            Forget();
        }
        return false;
    }

private:
    void Forget() {
        if (list_->selectionModel()->currentIndex().isValid())
            list_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    QListWidget* list_;
};

int g_accessibleLanguage = 1;  // 1 Romanian, 2 English

QString Words(const char* english) {
    return english ? QString::fromLatin1(layouts::AccessibleWords(english, g_accessibleLanguage)) : QString();
}

// A caption's text as one line for a name.
QString NameOf(const std::string& caption) { return DisplayLineBreaks(FromWindows1252(Trimmed(caption))).simplified(); }

}  // namespace

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

void PrepareAccessible(ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return;
    if (auto* list = qobject_cast<QListWidget*>(w); list && !list->property("focusKeeper").toBool()) {
        list->setProperty("focusKeeper", true);
        new ListFocusKeeper(list);
    }
    auto* edit = dynamic_cast<OrvaneEdit*>(w);
    const bool display = dynamic_cast<OrvaneTextBox*>(w) || (edit && edit->isReadOnly());
    if (!display || !QAccessible::isActive()) return;
    // A tool listening while the widget was built may have been given Qt's
    // editable interface before it became read-only: drop that one.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface && !dynamic_cast<DisplayAccessible*>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void ApplyAccessibleText(DialogImpl* impl, ControlState& c) {
    QWidget* w = c.widget;
    if (!w) return;
    const layouts::AccessibleDef* a = layouts::FindAccessible(impl->layout->id, c.def->id);
    if (c.ownAccessible) {
        // Texts the program gave, in the language set.
        const std::size_t form = g_accessibleLanguage == 2 ? 1 : 0;
        const QString ownName = FromWindows1252(c.accessibleName[form]);
        const QString ownDescription = FromWindows1252(c.accessibleDesc[form]);
        if (w->accessibleDescription() != ownDescription) w->setAccessibleDescription(ownDescription);
        if (w->accessibleName() != ownName) w->setAccessibleName(ownName);
        return;
    }
    const QString description = Words(a ? a->description : nullptr);
    if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    // The caption beside the control names it; the control's own name stands
    // in while the caption is empty.
    QString name;
    if (a && a->captionId != layouts::ID_STATIC) {
        if (ControlState* caption = Find(impl, a->captionId)) {
            name = NameOf(caption->text);
            if (auto* label = qobject_cast<QLabel*>(caption->widget.data()); label && label->buddy() != w)
                label->setBuddy(w);
        }
    }
    if (name.isEmpty()) name = Words(c.def->accessibleName);
    if (w->accessibleName() != name) w->setAccessibleName(name);
}

void CaptionChanged(DialogImpl* impl, int captionId) {
    for (ControlState& c : impl->controls) {
        const layouts::AccessibleDef* a = layouts::FindAccessible(impl->layout->id, c.def->id);
        if (a && a->captionId == captionId) ApplyAccessibleText(impl, c);
    }
}

void ApplyTabOrder(DialogImpl* impl) {
    const layouts::TabOrder order = layouts::TabOrderOf(impl->layout->id);
    if (!order.ids) return;
    // Rank of every control: its place in the list, or just after the
    // control created before it.
    std::vector<std::pair<double, QWidget*>> ranked;
    double rank = -1;
    for (ControlState& c : impl->controls) {
        if (!c.widget || c.def->id == layouts::ID_STATIC) continue;
        const int* found = std::find(order.ids, order.ids + order.count, c.def->id);
        rank = found != order.ids + order.count ? static_cast<double>(found - order.ids) : rank + 0.001;
        if (c.widget->focusPolicy() & Qt::TabFocus) ranked.emplace_back(rank, c.widget.data());
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ranked.size(); ++i) QWidget::setTabOrder(ranked[i - 1].second, ranked[i].second);
}

}  // namespace dialog_qt

void DIALOG_SET_ACCESSIBLE_LANGUAGE(int lang) {
    lang = lang == 2 ? 2 : 1;
    if (lang == dialog_qt::g_accessibleLanguage) return;
    dialog_qt::g_accessibleLanguage = lang;
    for (DialogImpl* impl : dialog_qt::g_live)
        if (impl->window)
            for (dialog_qt::ControlState& c : impl->controls) dialog_qt::ApplyAccessibleText(impl, c);
}
