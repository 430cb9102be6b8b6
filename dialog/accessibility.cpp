// What assistive technology reads of a dialog: radios as radio buttons, the
// displays named by the captions beside them, the bit fields described by
// their format, field and width, and a tab order that follows the window.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QRadioButton>

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
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction() || action == toggleAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* RadioFactory(const QString&, QObject* object) {
    if (object && object->isWidgetType() && object->property("dialogRadio").toBool() && qobject_cast<QRadioButton*>(object))
        return new RadioAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// A caption's text as one line for a name.
QString NameOf(const std::string& caption) { return DisplayLineBreaks(FromWindows1252(Trimmed(caption))).simplified(); }

}  // namespace

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(RadioFactory), true);
    (void)installed;
}

void ApplyAccessibleText(DialogImpl* impl, ControlState& c) {
    const layouts::AccessibleDef* a = layouts::FindAccessible(impl->layout->id, c.def->id);
    QWidget* w = c.widget;
    if (!a || !w) return;
    if (a->description) {
        const QString description = QString::fromLatin1(a->description);
        if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    }
    if (a->captionId == layouts::ID_STATIC) return;
    ControlState* caption = Find(impl, a->captionId);
    if (!caption) return;
    QString name = NameOf(caption->text);
    if (name.isEmpty() && c.def->accessibleName) name = QString::fromLatin1(c.def->accessibleName);
    if (w->accessibleName() != name) w->setAccessibleName(name);
    if (auto* label = qobject_cast<QLabel*>(caption->widget.data()); label && label->buddy() != w) label->setBuddy(w);
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
