// The dialog layer with its own records and callbacks over the real widgets:
// which events raise callbacks, texts and their limits, list boxes, closing
// rules of modeless and modal dialogs, ownership, flushing.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <random>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/dialog_internal.h"
#include "dialog/dialog_qt.h"
#include "resources/layouts.h"
#include "tests/gui/harness.h"

namespace {

struct Event {
    int id;
    int event;
    bool operator==(const Event&) const = default;
};
std::vector<Event> g_log;
int g_depth = 0;
int g_maxDepth = 0;
std::function<void(DIALOG&, int, int)> g_action;  // what the logging callback also does
DIALOG* record_for_box = nullptr;                 // the record a message-box hook looks at

void Log(DIALOG& dlg, int id, int event) {
    ++g_depth;
    g_maxDepth = std::max(g_maxDepth, g_depth);
    g_log.push_back({id, event});
    if (g_action) g_action(dlg, id, event);
    --g_depth;
}

void Pump() { harness::ProcessEvents(); }

QLineEdit* EditOf(DIALOG& dlg, int id) { return qobject_cast<QLineEdit*>(DialogControl(dlg, id)); }

void ClickInto(QLineEdit* edit) {
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(edit->width() - 4, edit->height() / 2));
    Pump();
}

void TypeInto(QLineEdit* edit, const QString& text) {
    if (QApplication::focusWidget() != edit) ClickInto(edit);
    QTest::keyClicks(edit, text);
    Pump();
}

void SendText(QWidget* w, const QString& unit) {
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, unit, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, unit, Qt::NoModifier);
    Pump();
}

std::string Get(DIALOG& dlg, int id, std::size_t length) {
    std::string v(length, '#');
    EXPECT_TRUE(DIALOG_GET_TEXT(dlg, id, v));
    return v;
}

int GetInt(DIALOG& dlg, int id, int index) {
    int v = -99;
    EXPECT_TRUE(DIALOG_GET_INT(dlg, id, v, index));
    return v;
}

// A main-dialog record of our own with logging callbacks on everything.
class LayerTest : public ::testing::Test {
protected:
    DIALOG dlg;
    platform::PlatformHooks saved;

    void SetUp() override {
        g_log.clear();
        g_action = nullptr;
        g_depth = g_maxDepth = 0;
        platform::PlatformHooks hooks;
        hooks.messageBox = [](std::string_view, std::string_view, unsigned) { return IDOK; };
        saved = platform::SetPlatformHooks(hooks);
        ASSERT_TRUE(DIALOG_INIT(IDD_MAIN, dlg));
        DIALOG_SET_CALLBACK(dlg, IDD_MAIN, Log);
        for (int id : {IDC_VALUE, IDC_EXPONENT_32, IDC_FRACTION_32, IDC_DATA_TYPE}) {
            DIALOG_SET_CALLBACK(dlg, id, Log);
            DIALOG_SET_CALLBACK(dlg, id, Log, EVENT_GAINFOCUS);
        }
        for (int id : {IDC_FORMAT_32, IDC_FORMAT_64, IDC_FORMAT_128, IDC_ZEROS, IDC_PARAM_LIST, IDC_BINARY_NEIGHBOURS})
            DIALOG_SET_CALLBACK(dlg, id, Log);
        for (const char* item : {"Exponent", "Semnificand", "ULP", "X+", "X-", "Epsilon"})
            DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, item, INDEX_ADDSTRING);
    }
    void Show() {
        ASSERT_TRUE(DIALOG_SHOW_MODELESS(dlg, 1));
        QWidget* window = DialogWindow(dlg);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        Pump();
        g_log.clear();
    }
    void TearDown() override {
        DIALOG_UNINIT(dlg);
        Pump();
        platform_qt::ClearQuit();
        platform::SetPlatformHooks(saved);
        g_action = nullptr;
    }
};

}  // namespace

TEST_F(LayerTest, ProgramChangesRaiseNoCallbacks) {
    Show();
    ClickInto(EditOf(dlg, IDC_FRACTION_32));
    g_log.clear();
    for (int id : {IDC_VALUE, IDC_EXPONENT_32, IDC_FRACTION_32, IDC_DATA_TYPE}) {
        DIALOG_SET_TEXT(dlg, id, "101");
        DIALOG_SET_INT(dlg, id, 12, INDEX_TEXTLENGTH);
        DIALOG_SET_INT(dlg, id, 2, INDEX_POSITION);
    }
    DIALOG_SET_LOGICAL(dlg, IDC_FORMAT_64, true);
    DIALOG_SET_LOGICAL(dlg, IDC_FORMAT_64, false);
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, true);
    DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 3, 1);
    DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, "Significand", 2);
    DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 0, 1);
    // Disabling the focused edit moves the focus elsewhere: still no callback.
    DIALOG_SET_LOGICAL(dlg, IDC_FRACTION_32, false, INDEX_ENABLE);
    DIALOG_SET_LOGICAL(dlg, IDC_FRACTION_32, true, INDEX_ENABLE);
    DIALOG_FLUSH(dlg);
    Pump();
    EXPECT_TRUE(g_log.empty()) << g_log.size() << " callbacks, first id " << (g_log.empty() ? 0 : g_log[0].id);
    bool checked = true;
    DIALOG_GET_LOGICAL(dlg, IDC_FORMAT_64, checked);
    EXPECT_FALSE(checked) << "a radio can be unchecked by the program";
}

TEST_F(LayerTest, UserActionsRaiseTheirCallbacks) {
    Show();
    QLineEdit* value = EditOf(dlg, IDC_VALUE);
    ClickInto(EditOf(dlg, IDC_FRACTION_32));
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_FRACTION_32, EVENT_GAINFOCUS}}));
    g_log.clear();
    ClickInto(value);
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_VALUE, EVENT_GAINFOCUS}}));
    g_log.clear();
    QTest::keyClicks(value, "0.1");
    Pump();
    EXPECT_EQ(g_log, (std::vector<Event>(3, {IDC_VALUE, EVENT_CHANGE}))) << "one change per keystroke";
    g_log.clear();
    QTest::keyClick(value, Qt::Key_Backspace);
    QTest::keyClick(value, Qt::Key_Z, Qt::ControlModifier);  // undo
    QGuiApplication::clipboard()->setText("25");
    QTest::keyClick(value, Qt::Key_V, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(g_log, (std::vector<Event>(3, {IDC_VALUE, EVENT_CHANGE})));
    EXPECT_EQ(Get(dlg, IDC_VALUE, 6), "0.125 ");

    g_log.clear();
    harness::Click(dlg, IDC_FORMAT_64);
    harness::Click(dlg, IDC_FORMAT_64);  // the checked one: clicked again
    harness::Click(dlg, IDC_BINARY_NEIGHBOURS);
    harness::Click(dlg, IDC_ZEROS);
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_FORMAT_64, EVENT_CLICKED},
                                         {IDC_FORMAT_64, EVENT_CLICKED},
                                         {IDC_BINARY_NEIGHBOURS, EVENT_CLICKED},
                                         {IDC_ZEROS, EVENT_CLICKED}}));
    bool state = false;
    DIALOG_GET_LOGICAL(dlg, IDC_FORMAT_64, state);
    EXPECT_TRUE(state);
    DIALOG_GET_LOGICAL(dlg, IDC_FORMAT_32, state);
    EXPECT_FALSE(state);
    DIALOG_GET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, state);
    EXPECT_TRUE(state);

    g_log.clear();
    auto* list = qobject_cast<QListWidget*>(DialogControl(dlg, IDC_PARAM_LIST));
    ASSERT_NE(list, nullptr);
    list->scrollToItem(list->item(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(4)).center());
    Pump();
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_PARAM_LIST, EVENT_SELCHANGE}}));
    EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 5);
    EXPECT_EQ(Get(dlg, IDC_PARAM_LIST, 4), "X-  ");
    // Choosing the selected entry again reports it again; the keyboard moves the selection.
    g_log.clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(4)).center());
    QTest::keyClick(list, Qt::Key_Up);
    Pump();
    EXPECT_EQ(g_log, (std::vector<Event>(2, {IDC_PARAM_LIST, EVENT_SELCHANGE})));
    EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 4);
}

TEST_F(LayerTest, ReadOnlyAndDigitsOnlyEdits) {
    Show();
    QLineEdit* exponent = EditOf(dlg, IDC_EXPONENT_32);
    DIALOG_SET_TEXT(dlg, IDC_EXPONENT_32, "");
    TypeInto(exponent, "1a2-3 .4");
    EXPECT_EQ(Get(dlg, IDC_EXPONENT_32, 4), "1234");
    // A paste is not filtered (the bit check repairs it).
    QGuiApplication::clipboard()->setText("x9");
    QTest::keyClick(exponent, Qt::Key_V, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(Get(dlg, IDC_EXPONENT_32, 6), "1234x9");
    // Other edits take any character.
    DIALOG_SET_TEXT(dlg, IDC_FRACTION_32, "");
    TypeInto(EditOf(dlg, IDC_FRACTION_32), "1a2");
    EXPECT_EQ(Get(dlg, IDC_FRACTION_32, 3), "1a2");
    // Read-only: the user cannot change it, the program can.
    g_log.clear();
    TypeInto(EditOf(dlg, IDC_DATA_TYPE), "abc");
    EXPECT_EQ(Get(dlg, IDC_DATA_TYPE, 3), "   ");
    for (const Event& e : g_log) EXPECT_NE(e.event, EVENT_CHANGE);
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "Numar normal");
    EXPECT_EQ(Get(dlg, IDC_DATA_TYPE, 12), "Numar normal");
}

TEST_F(LayerTest, TextsAreWindows1252AndCountCharacters) {
    Show();
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "a\x85\x80\xe9");
    EXPECT_EQ(EditOf(dlg, IDC_VALUE)->text(), QString::fromUtf8("a\u2026\u20ac\u00e9"));
    EXPECT_EQ(Get(dlg, IDC_VALUE, 4), "a\x85\x80\xe9");
    EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_TEXTLENGTH), 4);

    // Typed characters without a Windows-1252 byte arrive as one '?' each,
    // also outside the basic plane; lengths and caret count characters.
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "");
    QLineEdit* value = EditOf(dlg, IDC_VALUE);
    ClickInto(value);
    SendText(value, QString::fromUtf8("\u0103"));      // a with breve
    SendText(value, QString::fromUtf8("\u20ac"));      // euro: has a byte (0x80)
    SendText(value, QString::fromUtf8("\U0001F600"));  // a surrogate pair
    SendText(value, "1");
    EXPECT_EQ(Get(dlg, IDC_VALUE, 5), "?\x80?1 ");
    EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_TEXTLENGTH), 4);
    EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_POSITION), 4);
    QTest::keyClick(value, Qt::Key_Left);
    QTest::keyClick(value, Qt::Key_Left);
    EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_POSITION), 2);
    EXPECT_EQ(g_log.back(), (Event{IDC_VALUE, EVENT_CHANGE}));

    // Round trip of every byte.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b == ' ' ? 'x' : b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

TEST_F(LayerTest, TextLengthsArePaddedCutAndTrimmed) {
    // Before and while the window exists, the same answers.
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "not shown");
        if (shown) Show();
        DIALOG_SET_TEXT(dlg, IDC_VALUE, "12.5   ");
        EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_TEXTLENGTH), 4) << "trailing blanks are dropped";
        EXPECT_EQ(Get(dlg, IDC_VALUE, 6), "12.5  ");
        EXPECT_EQ(Get(dlg, IDC_VALUE, 2), "12");
        EXPECT_EQ(Get(dlg, IDC_VALUE, 0), "");
        DIALOG_SET_TEXT(dlg, IDC_VALUE, std::string_view("7\0junk", 6));
        EXPECT_EQ(Get(dlg, IDC_VALUE, 3), "7  ") << "a text ends at its NUL";
        DIALOG_SET_TEXT(dlg, IDC_VALUE, "  lead");
        EXPECT_EQ(Get(dlg, IDC_VALUE, 6), "  lead") << "leading blanks stay";
        DIALOG_SET_INT(dlg, IDC_VALUE, 9, INDEX_TEXTLENGTH);
        EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_TEXTLENGTH), 9);
        EXPECT_EQ(Get(dlg, IDC_VALUE, 10), "  lead    ");
        DIALOG_SET_INT(dlg, IDC_VALUE, 3, INDEX_TEXTLENGTH);
        EXPECT_EQ(Get(dlg, IDC_VALUE, 4), "  l ");
        DIALOG_SET_INT(dlg, IDC_VALUE, -5, INDEX_TEXTLENGTH);
        EXPECT_EQ(GetInt(dlg, IDC_VALUE, INDEX_TEXTLENGTH), 0);
        const std::string huge(100000, '7');
        DIALOG_SET_TEXT(dlg, IDC_VALUE, huge);
        EXPECT_EQ(Get(dlg, IDC_VALUE, 42), std::string(42, '7'));
        // Captions of statics and buttons, read back as set.
        DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS_CAPTION, "Line 1\r\nLine 2  ");
        EXPECT_EQ(Get(dlg, IDC_CURSOR_POS_CAPTION, 14), "Line 1\r\nLine 2");
        DIALOG_SET_TEXT(dlg, IDC_ABOUT, "ABOUT");
        EXPECT_EQ(Get(dlg, IDC_ABOUT, 6), "ABOUT ");
    }
    auto* label = DialogControl(dlg, IDC_CURSOR_POS_CAPTION);
    EXPECT_EQ(qobject_cast<QLabel*>(label)->text(), "Line 1\nLine 2");
    // Unknown controls and bad indexes are refused, never crash.
    std::string v(3, ' ');
    int n = 0;
    bool b = false;
    EXPECT_FALSE(DIALOG_SET_TEXT(dlg, 4242, "x"));
    EXPECT_FALSE(DIALOG_GET_TEXT(dlg, 4242, v));
    EXPECT_FALSE(DIALOG_GET_INT(dlg, IDC_ABOUT, n, INDEX_TEXTLENGTH));
    EXPECT_FALSE(DIALOG_GET_LOGICAL(dlg, IDC_VALUE, b));
    EXPECT_FALSE(DIALOG_SET_CALLBACK(dlg, 4242, Log));
    DIALOG empty;
    EXPECT_FALSE(DIALOG_SET_TEXT(empty, IDC_VALUE, "x"));
    EXPECT_FALSE(DIALOG_SHOW_MODELESS(empty, 1));
    EXPECT_FALSE(DIALOG_INIT(4242, empty));
}

TEST_F(LayerTest, ListBoxesAppendReplaceAndSelectFromOne) {
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "not shown");
        if (shown) Show();
        DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 0, 1);
        EXPECT_TRUE(DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, "Significand  ", 2));
        EXPECT_FALSE(DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, "none", 7));
        EXPECT_FALSE(DIALOG_SET_TEXT(dlg, IDC_PARAM_LIST, "none", 0));
        EXPECT_EQ(Get(dlg, IDC_PARAM_LIST, 12).substr(0, 12), "            ") << "no selection: empty text";
        std::string item(12, ' ');
        EXPECT_TRUE(DIALOG_GET_TEXT(dlg, IDC_PARAM_LIST, item, 2));
        EXPECT_EQ(item, "Significand ");
        EXPECT_FALSE(DIALOG_GET_TEXT(dlg, IDC_PARAM_LIST, item, 9));
        EXPECT_TRUE(DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 6, 1));
        EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 6);
        EXPECT_EQ(Get(dlg, IDC_PARAM_LIST, 7), "Epsilon");
        EXPECT_TRUE(DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 0, 1));
        EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 0);
        EXPECT_FALSE(DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 7, 1));
        EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 0);
        DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 3, 1);
    }
    auto* list = qobject_cast<QListWidget*>(DialogControl(dlg, IDC_PARAM_LIST));
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(1)->text(), "Significand");
    EXPECT_TRUE(list->item(2)->isSelected()) << "a selection set before the window exists applies";
}

TEST_F(LayerTest, ValuesSetBeforeTheWindowApplyBeforeInit) {
    DIALOG_SET_TEXT(dlg, IDC_FRACTION_32, "0101");
    DIALOG_SET_LOGICAL(dlg, IDC_FORMAT_128, true);
    DIALOG_SET_LOGICAL(dlg, IDC_VALUE, false, INDEX_ENABLE);
    DIALOG_SET_TITLE(dlg, "Title set early");
    std::string seenAtInit;
    static std::string* seen;
    seen = &seenAtInit;
    g_action = [](DIALOG& d, int id, int event) {
        if (id == IDD_MAIN && event == EVENT_INIT) {
            QLineEdit* e = EditOf(d, IDC_FRACTION_32);
            *seen = e ? e->text().toStdString() : "no widget";
        }
    };
    Show();
    EXPECT_EQ(seenAtInit, "0101");
    auto* radio = qobject_cast<QAbstractButton*>(DialogControl(dlg, IDC_FORMAT_128));
    EXPECT_TRUE(radio->isChecked());
    EXPECT_FALSE(DialogControl(dlg, IDC_VALUE)->isEnabled());
    EXPECT_EQ(DialogWindow(dlg)->windowTitle(), "Title set early");
}

TEST_F(LayerTest, ChangesInsideACallbackAreReadBackAndEventsNeverNest) {
    Show();
    static std::string readBack;
    static DIALOG* record;
    record = &dlg;
    g_action = [](DIALOG& d, int id, int event) {
        if (id != IDC_VALUE || event != EVENT_CHANGE) return;
        DIALOG_SET_TEXT(d, IDC_DATA_TYPE, "changed in callback");
        readBack.assign(19, ' ');
        DIALOG_GET_TEXT(d, IDC_DATA_TYPE, readBack);
        // A user event that arrives now waits until this callback has returned.
        QLineEdit* other = EditOf(*record, IDC_FRACTION_32);
        QTest::keyClick(other, Qt::Key_1);
        g_log.push_back({-1, -1});  // end of this callback
    };
    QLineEdit* value = EditOf(dlg, IDC_VALUE);
    ClickInto(value);
    g_log.clear();
    QTest::keyClick(value, Qt::Key_5);
    Pump();
    EXPECT_EQ(readBack, "changed in callback");
    ASSERT_EQ(g_log.size(), 3u);
    EXPECT_EQ(g_log[0], (Event{IDC_VALUE, EVENT_CHANGE}));
    EXPECT_EQ(g_log[1], (Event{-1, -1}));
    EXPECT_EQ(g_log[2], (Event{IDC_FRACTION_32, EVENT_CHANGE}));
    EXPECT_EQ(g_maxDepth, 1);
}

TEST_F(LayerTest, FlushPaintsNow) {
    Show();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    QWidget* edit = DialogControl(dlg, IDC_PARAM_VALUE);
    edit->installEventFilter(&counter);
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "now");
    const int before = counter.paints;
    DIALOG_FLUSH(dlg);
    EXPECT_GT(counter.paints, before) << "painted inside the call, not later";
    edit->removeEventFilter(&counter);
}

TEST_F(LayerTest, PushButtonWithoutCallbackClosesAModelessDialog) {
    Show();
    harness::Click(dlg, IDC_EXIT);
    EXPECT_EQ(DialogWindow(dlg), nullptr);
    EXPECT_EQ(g_log, (std::vector<Event>{{IDD_MAIN, EVENT_DESTROY}}));
    // The record lives on: a fresh window shows what the record holds.
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "kept");
    Show();
    EXPECT_EQ(EditOf(dlg, IDC_VALUE)->text(), "kept");
}

TEST_F(LayerTest, EscapeAndCloseBoxCloseWithCancelOrCallIt) {
    Show();
    QTest::keyClick(DialogControl(dlg, IDC_FORMAT_32), Qt::Key_Escape);
    Pump();
    EXPECT_EQ(DialogWindow(dlg), nullptr);
    Show();
    DialogWindow(dlg)->close();
    Pump();
    EXPECT_EQ(DialogWindow(dlg), nullptr);
    // With a routine on IDCANCEL, Esc and the close box call it instead.
    DIALOG_SET_CALLBACK(dlg, IDCANCEL, Log);
    Show();
    QTest::keyClick(DialogWindow(dlg), Qt::Key_Escape);
    DialogWindow(dlg)->close();
    Pump();
    EXPECT_NE(DialogWindow(dlg), nullptr);
    EXPECT_EQ(g_log, (std::vector<Event>(2, {IDCANCEL, EVENT_CLICKED})));
}

TEST_F(LayerTest, ModalDialogsReturnTheIdTheyCloseWith) {
    Show();
    struct Way {
        const char* name;
        std::function<void(QWidget*)> close;
        int expected;
    };
    const Way ways[] = {
        {"OK", [](QWidget* w) { QTest::mouseClick(w->findChild<QPushButton*>("IDOK"), Qt::LeftButton); }, IDOK},
        {"Enter", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, IDOK},
        {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, IDCANCEL},
        {"close box", [](QWidget* w) { w->close(); }, IDCANCEL},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        DIALOG info;
        ASSERT_TRUE(DIALOG_INIT(IDD_INFO, info));
        DIALOG_SET_TEXT(info, IDC_INFO_TEXT, "X = 2^E\n\rulp");
        bool sawHiddenCancel = false;
        QTimer::singleShot(0, [&] {
            QWidget* w = DialogWindow(info);
            ASSERT_NE(w, nullptr);
            ASSERT_TRUE(w->isModal());
            QWidget* cancel = DialogControl(info, IDCANCEL);
            sawHiddenCancel = cancel && !cancel->isVisible();
            way.close(w);
        });
        EXPECT_EQ(DIALOG_SHOW_MODAL(info), way.expected);
        EXPECT_TRUE(sawHiddenCancel);
        EXPECT_EQ(DialogWindow(info), nullptr);
        DIALOG_UNINIT(info);
        Pump();
    }
}

TEST_F(LayerTest, AWindowShownFromACallbackGoesWithItsOwner) {
    static DIALOG summary;
    ASSERT_TRUE(DIALOG_INIT(IDD_SUMMARY, summary));
    DIALOG_SET_CALLBACK(summary, IDD_SUMMARY, Log);
    DIALOG_SET_TEXT(summary, IDC_SUMMARY_TEXT_1, "first text");
    g_action = [](DIALOG&, int id, int event) {
        if (id == IDC_ZEROS && event == EVENT_CLICKED) DIALOG_SHOW_MODELESS(summary, 1);
    };
    Show();
    harness::Click(dlg, IDC_ZEROS);
    QWidget* window = DialogWindow(summary);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), DialogWindow(dlg));
    EXPECT_EQ(harness::Text(summary, IDC_SUMMARY_TEXT_1), "first text");
    // Shown again while open: the same window.
    harness::Click(dlg, IDC_ZEROS);
    EXPECT_EQ(DialogWindow(summary), window);
    // OK closes the summary only; it can be shown again with its texts.
    harness::Click(summary, IDOK);
    EXPECT_EQ(DialogWindow(summary), nullptr);
    EXPECT_NE(DialogWindow(dlg), nullptr);
    harness::Click(dlg, IDC_ZEROS);
    ASSERT_NE(DialogWindow(summary), nullptr);
    EXPECT_EQ(harness::Text(summary, IDC_SUMMARY_TEXT_1), "first text");
    // Closing the owner takes the summary along, each with its destroy event.
    g_log.clear();
    harness::Click(dlg, IDC_EXIT);
    EXPECT_EQ(DialogWindow(summary), nullptr);
    EXPECT_EQ(DialogWindow(dlg), nullptr);
    EXPECT_EQ(g_log, (std::vector<Event>{{IDD_SUMMARY, EVENT_DESTROY}, {IDD_MAIN, EVENT_DESTROY}}));
    DIALOG_UNINIT(summary);
}

TEST_F(LayerTest, RandomUserInputNeverBreaksTheLayer) {
    Show();
    static int changes;
    changes = 0;
    g_action = [](DIALOG& d, int id, int event) {
        if (event != EVENT_CHANGE) return;
        ++changes;
        std::string text(42, ' ');
        DIALOG_GET_TEXT(d, id, text);
        DIALOG_SET_TEXT(d, IDC_DATA_TYPE, text);
    };
    std::mt19937 random(1234);
    const int edits[] = {IDC_VALUE, IDC_EXPONENT_32, IDC_FRACTION_32};
    const Qt::Key keys[] = {Qt::Key_0,    Qt::Key_1,     Qt::Key_A,    Qt::Key_Minus, Qt::Key_Backspace, Qt::Key_Delete,
                            Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End,   Qt::Key_Return,    Qt::Key_Tab};
    for (int step = 0; step < 400; ++step) {
        QLineEdit* e = EditOf(dlg, edits[random() % 3]);
        switch (random() % 4) {
        case 0: ClickInto(e); break;
        case 1: SendText(e, QString::fromUtf8(random() % 2 ? "\u00e9" : "\u0219")); break;
        case 2:
            QGuiApplication::clipboard()->setText(
                QString(static_cast<int>(random() % 300), QChar(static_cast<char16_t>(u'0' + random() % 10))));
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
            break;
        default: QTest::keyClick(e, keys[random() % std::size(keys)]); break;
        }
    }
    Pump();
    EXPECT_NE(DialogWindow(dlg), nullptr);
    EXPECT_GT(changes, 50);
    for (int id : edits) {
        QLineEdit* e = EditOf(dlg, id);
        EXPECT_EQ(GetInt(dlg, id, INDEX_TEXTLENGTH), CodePointCount(e->text()));
        EXPECT_LE(GetInt(dlg, id, INDEX_POSITION), GetInt(dlg, id, INDEX_TEXTLENGTH));
    }
}

// Single selection as on the classic platform: a click with any modifier or
// a key chooses an entry (again), none takes the selection away.
TEST_F(LayerTest, TheListNeverLosesItsSelectionToTheUser) {
    Show();
    auto* list = qobject_cast<QListWidget*>(DialogControl(dlg, IDC_PARAM_LIST));
    ASSERT_NE(list, nullptr);
    auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
        list->scrollToItem(list->item(row));
        Pump();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
        Pump();
    };
    clickRow(2, Qt::NoModifier);
    ASSERT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 3);
    g_log.clear();
    const Qt::KeyboardModifiers modifiers[] = {Qt::ControlModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier,
                                               Qt::AltModifier | Qt::ControlModifier};
    for (Qt::KeyboardModifiers m : modifiers) {
        clickRow(2, m);
        EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 3) << "modifiers " << m.toInt();
        EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
    }
    EXPECT_EQ(g_log, (std::vector<Event>(std::size(modifiers), {IDC_PARAM_LIST, EVENT_SELCHANGE})))
        << "each click chose it again";
    list->setFocus();
    for (Qt::KeyboardModifiers m : {Qt::ControlModifier, Qt::NoModifier}) QTest::keyClick(list, Qt::Key_Space, m);
    Pump();
    EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 3);
    clickRow(4, Qt::ControlModifier);
    EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 5) << "a click with Ctrl on another entry chooses it";
    QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    Pump();
    EXPECT_NE(GetInt(dlg, IDC_PARAM_LIST, 1), 0);
    // The program can still clear it.
    DIALOG_SET_INT(dlg, IDC_PARAM_LIST, 0, 1);
    EXPECT_EQ(GetInt(dlg, IDC_PARAM_LIST, 1), 0);
    EXPECT_TRUE(list->selectionModel()->selectedRows().isEmpty());
}

namespace {

// Text from an input method: a commit string, with or without a preedit.
void Commit(QWidget* w, const QString& commit, const QString& preedit = {}) {
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QApplication::sendEvent(w, &event);
    Pump();
}

}  // namespace

// Input-method text into an editable field goes the way of typed text.
TEST_F(LayerTest, InputMethodTextIsOneUserEdit) {
    Show();
    QLineEdit* value = EditOf(dlg, IDC_VALUE);
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "");
    ClickInto(value);
    g_log.clear();
    Commit(value, "1.5");
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_VALUE, EVENT_CHANGE}})) << "one commit, one edit";
    Commit(value, QString::fromUtf8("\u0219\u20ac"));  // s-comma (no byte: '?'), euro (0x80)
    EXPECT_EQ(Get(dlg, IDC_VALUE, 5), "1.5?\x80");
    g_log.clear();
    Commit(value, "", "12");  // still composing: nothing typed yet
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(Get(dlg, IDC_VALUE, 5), "1.5?\x80");
    Commit(value, "", "");
    // The exponent edits take only digits from an input method too.
    QLineEdit* exponent = EditOf(dlg, IDC_EXPONENT_32);
    DIALOG_SET_TEXT(dlg, IDC_EXPONENT_32, "");
    ClickInto(exponent);
    g_log.clear();
    Commit(exponent, "1x0-1");
    EXPECT_EQ(Get(dlg, IDC_EXPONENT_32, 3), "101");
    EXPECT_EQ(g_log, (std::vector<Event>{{IDC_EXPONENT_32, EVENT_CHANGE}}));
}

// A read-only display changes only when the program writes it, in every format.
using InputMethod = harness::AppTest;
TEST_F(InputMethod, ReadOnlyDisplaysRefuseIt) {
    const auto& layout = *layouts::FindLayout(IDD_MAIN);
    const QString commits[] = {QString(3, QChar(0)), QStringLiteral("??????"),
                               QString::fromUtf8("\u0103\u00ee\u0219 1")};
    for (int format : {IDC_FORMAT_32, IDC_FORMAT_64, IDC_FORMAT_128, IDC_FORMAT_16, IDC_FORMAT_BF16}) {
        harness::Click(format);
        harness::ClickInto(IDC_VALUE);
        harness::Type(IDC_VALUE, "0.1");
        harness::ClickInto(format == IDC_FORMAT_32 ? IDC_FRACTION_32 : IDC_VALUE);
        int readOnly = 0;
        for (std::size_t i = 0; i < layout.count; ++i) {
            const auto& def = layout.controls[i];
            if (!(def.style & layouts::READ_ONLY)) continue;
            ++readOnly;
            QWidget* w = harness::Widget(def.id);
            ASSERT_NE(w, nullptr) << def.name;
            const std::string before = harness::Text(def.id);
            for (const QString& commit : commits) {
                Commit(w, commit);
                Commit(w, commit, QStringLiteral("ab"));
            }
            EXPECT_EQ(harness::Text(def.id), before) << def.name << " in format " << format;
            std::string got(before.size() + 4, ' ');
            DIALOG_GET_TEXT(ORVANEGLOBALS::DLG_MAIN, def.id, got);
            EXPECT_EQ(std::string(dialog_qt::Trimmed(got)), std::string(dialog_qt::Trimmed(before))) << def.name;
        }
        EXPECT_GE(readOnly, 10);
    }
}

namespace {

// Paint events per widget (an item view paints its viewport).
struct PaintCounter : QObject {
    std::map<QObject*, int> paints;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints[o];
        return false;
    }
    int Of(QWidget* w) {
        int n = paints[w];
        for (QWidget* child : w->findChildren<QWidget*>()) n += paints[child];
        return n;
    }
    void Watch(QWidget* window) {
        window->installEventFilter(this);
        for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(this);
    }
};

}  // namespace

// Inside a callback a flush paints nothing twice: controls set before and
// after it are painted once, when the callback is done, showing the last text.
TEST_F(LayerTest, AFlushInACallbackPaintsEachControlOnce) {
    Show();
    PaintCounter counter;
    counter.Watch(DialogWindow(dlg));
    g_action = [](DIALOG& d, int id, int event) {
        if (id != IDC_ZEROS || event != EVENT_CLICKED) return;
        for (const char* text : {"1", "2", "3"}) {
            DIALOG_SET_TEXT(d, IDC_CURSOR_POS, text);
            DIALOG_SET_TEXT(d, IDC_PARAM_VALUE, text);
            DIALOG_FLUSH(d);
        }
    };
    Pump();
    counter.paints.clear();
    harness::Click(dlg, IDC_ZEROS);
    Pump();
    for (int id : {IDC_CURSOR_POS, IDC_PARAM_VALUE}) {
        EXPECT_EQ(counter.Of(DialogControl(dlg, id)), 1) << id;
        EXPECT_EQ(qobject_cast<QLineEdit*>(DialogControl(dlg, id))->text(), "3") << id;
    }
}

// A flush paints the controls changed since the last flush; what ends as it
// was costs no paint; before a message box the window shows what was set.
TEST_F(LayerTest, AFlushPaintsOnlyWhatChanged) {
    Show();
    PaintCounter counter;
    counter.Watch(DialogWindow(dlg));
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "now");
    counter.paints.clear();
    DIALOG_FLUSH(dlg);
    EXPECT_GT(counter.Of(DialogControl(dlg, IDC_PARAM_VALUE)), 0) << "painted inside the call";
    for (int far : {IDC_FRACTION_128_LOW, IDC_EXIT, IDC_FORMAT_128, IDC_PARAM_LIST, IDC_HELP_SUMMARY})
        EXPECT_EQ(counter.Of(DialogControl(dlg, far)), 0) << far;

    // Inside a callback: a text set to what it shows, an enablement that ends
    // where it began and an unchanged caption are not painted again.
    static std::string caption;
    caption = "Tip data  (click pe un camp din format)";
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE_CAPTION, caption);
    static bool readBackDisabled;
    g_action = [](DIALOG& d, int id, int event) {
        if (id != IDC_ZEROS || event != EVENT_CLICKED) return;
        DIALOG_SET_TEXT(d, IDC_PARAM_VALUE, "");
        DIALOG_SET_TEXT(d, IDC_PARAM_VALUE, "now");
        DIALOG_SET_LOGICAL(d, IDC_PARAM_LIST, false, INDEX_ENABLE);
        bool enabled = true;
        DIALOG_GET_LOGICAL(d, IDC_PARAM_LIST, enabled, INDEX_ENABLE);
        readBackDisabled = !enabled;
        DIALOG_SET_LOGICAL(d, IDC_PARAM_LIST, true, INDEX_ENABLE);
        DIALOG_SET_TEXT(d, IDC_DATA_TYPE_CAPTION, caption);
        DIALOG_FLUSH(d);
    };
    Pump();
    counter.paints.clear();
    harness::Click(dlg, IDC_ZEROS);
    EXPECT_TRUE(readBackDisabled) << "a get returns what was set";
    for (int same : {IDC_PARAM_VALUE, IDC_PARAM_LIST, IDC_DATA_TYPE_CAPTION})
        EXPECT_EQ(counter.Of(DialogControl(dlg, same)), 0) << same;

    // Flushed before a message box: the box opens over what the program has set.
    static bool shownAtBox = false;
    platform::PlatformHooks hooks;
    hooks.messageBox = [](std::string_view, std::string_view, unsigned) {
        auto* type = qobject_cast<QLineEdit*>(DialogControl(*record_for_box, IDC_DATA_TYPE));
        shownAtBox = type->text() == "shown" && !DialogControl(*record_for_box, IDC_PARAM_LIST)->isEnabled();
        return IDOK;
    };
    record_for_box = &dlg;
    platform::SetPlatformHooks(hooks);
    g_action = [](DIALOG& d, int id, int event) {
        if (id != IDC_ZEROS || event != EVENT_CLICKED) return;
        DIALOG_SET_TEXT(d, IDC_DATA_TYPE, "shown");
        DIALOG_SET_LOGICAL(d, IDC_PARAM_LIST, false, INDEX_ENABLE);
        DIALOG_FLUSH(d);
        platform::MessageBoxA(nullptr, "text", "Error", platform::MB_OK);
        DIALOG_SET_LOGICAL(d, IDC_PARAM_LIST, true, INDEX_ENABLE);
    };
    counter.paints.clear();
    harness::Click(dlg, IDC_ZEROS);
    EXPECT_TRUE(shownAtBox);
    EXPECT_TRUE(DialogControl(dlg, IDC_PARAM_LIST)->isEnabled()) << "and the callback's end shows the rest";
}
