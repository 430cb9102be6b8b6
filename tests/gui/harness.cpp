#include "tests/gui/harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/widgets.h"

namespace harness {
namespace {

std::vector<MessageRecord> g_messages;
std::function<void(const MessageRecord&)> g_onMessage;
std::function<int(const MessageRecord&)> g_answer;
std::function<int(platform::OPENFILENAMEA&)> g_fileAnswer;
platform::PlatformHooks g_savedHooks;
int g_fileCalls = 0;

void Require(QWidget* w, const char* what, int id) {
    if (!w) ADD_FAILURE() << what << ": no widget for control " << id;
}

QPoint ClickPoint(QWidget* w) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const bool radio = w->inherits("QRadioButton");
        const bool check = w->inherits("QCheckBox");
        if (radio || check) {
            QStyleOptionButton opt;
            opt.initFrom(button);
            opt.text = button->text();
            const QRect r = w->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, w);
            if (r.isValid()) return r.center();
        }
    }
    return w->rect().center();
}

std::string ShownText(QWidget* w) {
    if (!w) return {};
    if (auto* e = qobject_cast<QLineEdit*>(w)) return ToWindows1252(e->text());
    if (auto* box = dynamic_cast<dialog_qt::OrvaneTextBox*>(w)) return ToWindows1252(box->FullText());
    if (auto* l = qobject_cast<QLabel*>(w)) {
        const QVariant raw = l->property("windowsText");
        if (raw.isValid()) {
            const QByteArray bytes = raw.toByteArray();
            const std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            if (DisplayLineBreaks(FromWindows1252(text)) == l->text()) return text;
        }
        return ToWindows1252(l->text());
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) return ToWindows1252(g->title());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return ToWindows1252(b->text());
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        std::string out;
        for (int i = 0; i < list->count(); ++i) {
            if (i) out += '\n';
            out += ToWindows1252(list->item(i)->text());
        }
        return out;
    }
    return {};
}

}  // namespace

void AppTest::SetUp() {
    RESET_SHARED_STATE();
    platform_qt::ClearQuit();
    g_messages.clear();
    g_onMessage = nullptr;
    g_answer = nullptr;
    g_fileAnswer = nullptr;
    g_fileCalls = 0;
    platform::PlatformHooks hooks;
    hooks.messageBox = [](std::string_view text, std::string_view caption, unsigned style) {
        MessageRecord record{std::string(text), std::string(caption), style};
        g_messages.push_back(record);
        if (g_onMessage) g_onMessage(record);
        return g_answer ? g_answer(record) : IDOK;
    };
    hooks.openFileName = [](platform::OPENFILENAMEA& request) {
        ++g_fileCalls;
        return g_fileAnswer ? g_fileAnswer(request) : 0;
    };
    g_savedHooks = platform::SetPlatformHooks(hooks);
    ASSERT_TRUE(ORVANE_STARTUP(1)) << "start-up failed";
    QWidget* window = DialogWindow(ORVANEGLOBALS::DLG_MAIN);
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ProcessEvents();
}

void AppTest::TearDown() {
    ORVANE_SHUTDOWN();
    ProcessEvents();
    platform::SetPlatformHooks(g_savedHooks);
    g_savedHooks = {};
    platform_qt::ClearQuit();
    g_onMessage = nullptr;
    g_answer = nullptr;
    g_fileAnswer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) ADD_FAILURE() << "window left open: " << w->objectName().toStdString();
}

QWidget* Widget(int id) { return DialogControl(ORVANEGLOBALS::DLG_MAIN, id); }
QWidget* Widget(DIALOG& dlg, int id) { return DialogControl(dlg, id); }
QWidget* Window(DIALOG& dlg) { return DialogWindow(dlg); }
QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Widget(id)); }
std::string Text(int id) { return ShownText(Widget(id)); }
std::string Text(DIALOG& dlg, int id) { return ShownText(Widget(dlg, id)); }

void ClickInto(int id) {
    QLineEdit* e = Edit(id);
    Require(e, "ClickInto", id);
    if (!e) return;
    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(e->width() - 4, e->height() / 2));
    ProcessEvents();
}

void Type(int id, const QString& text) {
    QLineEdit* e = Edit(id);
    Require(e, "Type", id);
    if (!e) return;
    if (QApplication::focusWidget() != e) ClickInto(id);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString unit(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size()) unit += text[++i];
        const QChar ch = unit[0];
        if (unit.size() == 1 && ch.unicode() < 0x80 && ch.isPrint()) {
            QTest::keyClick(e, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, e, Qt::Key_unknown, unit, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, e, Qt::Key_unknown, unit, Qt::NoModifier);
        }
    }
    ProcessEvents();
}

void Key(int id, int qtKey, int modifiers) {
    QWidget* w = Widget(id);
    Require(w, "Key", id);
    if (!w) return;
    if (qobject_cast<QLineEdit*>(w) && QApplication::focusWidget() != w) ClickInto(id);
    QTest::keyClick(w, static_cast<Qt::Key>(qtKey), Qt::KeyboardModifiers(modifiers));
    ProcessEvents();
}

void Paste(int id, const QString& text) {
    QLineEdit* e = Edit(id);
    Require(e, "Paste", id);
    if (!e) return;
    QGuiApplication::clipboard()->setText(text);
    if (QApplication::focusWidget() != e) ClickInto(id);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    ProcessEvents();
}

void Click(DIALOG& dlg, int id) {
    QWidget* w = Widget(dlg, id);
    Require(w, "Click", id);
    if (!w) return;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, ClickPoint(w));
    ProcessEvents();
}

void Click(int id) { Click(ORVANEGLOBALS::DLG_MAIN, id); }

void SelectListItem(int id, int item) {
    auto* list = qobject_cast<QListWidget*>(Widget(id));
    Require(list, "SelectListItem", id);
    if (!list) return;
    QListWidgetItem* entry = list->item(item - 1);
    if (!entry) {
        ADD_FAILURE() << "list " << id << " has no item " << item;
        return;
    }
    list->scrollToItem(entry);
    ProcessEvents();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(entry).center());
    ProcessEvents();
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

std::vector<MessageRecord>& Messages() { return g_messages; }
void ClearMessages() { g_messages.clear(); }
void OnMessage(std::function<void(const MessageRecord&)> hook) { g_onMessage = std::move(hook); }
void SetMessageAnswer(std::function<int(const MessageRecord&)> answer) { g_answer = std::move(answer); }
void SetFileChooserAnswer(std::function<int(platform::OPENFILENAMEA&)> answer) { g_fileAnswer = std::move(answer); }

bool Checked(int id) {
    auto* b = qobject_cast<QAbstractButton*>(Widget(id));
    return b && b->isChecked();
}
bool Enabled(int id) {
    QWidget* w = Widget(id);
    return w && w->isEnabled();
}
std::vector<std::string> ListItems(int id) {
    std::vector<std::string> out;
    if (auto* list = qobject_cast<QListWidget*>(Widget(id)))
        for (int i = 0; i < list->count(); ++i) out.push_back(ToWindows1252(list->item(i)->text()));
    return out;
}
int ListSelection(int id) {
    auto* list = qobject_cast<QListWidget*>(Widget(id));
    if (!list || !list->selectionModel()) return 0;
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}
bool QuitPosted(int* code) { return platform_qt::QuitPending(code); }
int FileChooserCalls() { return g_fileCalls; }

}  // namespace harness
