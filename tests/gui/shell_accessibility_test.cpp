// What a screen reader finds in the real windows, read through the
// accessibility tree; and that every action can be reached by keyboard alone.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <map>
#include <set>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "tests/gui/harness.h"
#include "tests/gui/modal_window.h"

using namespace harness;

namespace {

// Every interface below `root`, depth first.
void Walk(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& out) {
    if (!root || out.size() > 2000) return;
    out.push_back(root);
    for (int i = 0; i < root->childCount(); ++i) Walk(root->child(i), out);
}

std::vector<QAccessibleInterface*> Tree(QWidget* window) {
    std::vector<QAccessibleInterface*> all;
    Walk(QAccessible::queryAccessibleInterface(window), all);
    return all;
}

QAccessibleInterface* Of(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
std::string Name(QWidget* w) { return Of(w)->text(QAccessible::Name).toStdString(); }
QString Visible(QWidget* w) { return qobject_cast<QLabel*>(w)->text().simplified(); }

// Each bit field: its format, field and width, as a description.
const std::pair<int, const char*> kBitFieldDescriptions[] = {
    {IDC_SIGN_32, "binary32 sign, 1 bit"},
    {IDC_EXPONENT_32, "binary32 exponent, 8 bits"},
    {IDC_FRACTION_32, "binary32 fraction, 23 bits"},
    {IDC_SIGN_64, "binary64 sign, 1 bit"},
    {IDC_EXPONENT_64, "binary64 exponent, 11 bits"},
    {IDC_FRACTION_64, "binary64 fraction, 52 bits"},
    {IDC_SIGN_128, "binary128 sign, 1 bit"},
    {IDC_EXPONENT_128, "binary128 exponent, 15 bits"},
    {IDC_FRACTION_128_HIGH, "binary128 fraction, first 48 of 112 bits"},
    {IDC_FRACTION_128_LOW, "binary128 fraction, last 64 of 112 bits"},
    {IDC_SIGN_16, "binary16 sign, 1 bit"},
    {IDC_EXPONENT_16, "binary16 exponent, 5 bits"},
    {IDC_FRACTION_16, "binary16 fraction, 10 bits"},
    {IDC_SIGN_BF16, "bfloat16 sign, 1 bit"},
    {IDC_EXPONENT_BF16, "bfloat16 exponent, 8 bits"},
    {IDC_FRACTION_BF16, "bfloat16 fraction, 7 bits"},
};

}  // namespace

TEST_F(AppTest, TheMainWindowReadsAsItLooks) {
    Click(IDC_LANG_EN);  // the descriptions below are the English ones
    const auto tree = Tree(Window(ORVANEGLOBALS::DLG_MAIN));
    std::set<std::string> radios, checkBoxes, descriptions;
    for (QAccessibleInterface* a : tree) {
        if (a->role() == QAccessible::RadioButton) {
            radios.insert(a->object()->objectName().toStdString());
            EXPECT_TRUE(a->state().checkable);
            EXPECT_EQ(a->state().checked, qobject_cast<QAbstractButton*>(a->object())->isChecked());
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
        }
        if (a->role() == QAccessible::CheckBox) checkBoxes.insert(a->object()->objectName().toStdString());
        if (a->role() == QAccessible::EditableText && !a->text(QAccessible::Description).isEmpty())
            descriptions.insert(a->text(QAccessible::Description).toStdString());
    }
    EXPECT_EQ(radios, (std::set<std::string>{"IDC_LANG_RO", "IDC_LANG_EN", "IDC_FORMAT_32", "IDC_FORMAT_64",
                                             "IDC_FORMAT_128", "IDC_FORMAT_16", "IDC_FORMAT_BF16", "IDC_FORMAT_ALT",
                                             "IDC_ALL_FIELDS", "IDC_CURRENT_FIELD"}));
    EXPECT_EQ(checkBoxes, (std::set<std::string>{"IDC_BINARY_NEIGHBOURS", "IDC_BIG_ENDIAN"}));
    for (auto [id, description] : kBitFieldDescriptions) {
        EXPECT_TRUE(descriptions.count(description)) << description;
        EXPECT_EQ(Of(Widget(id))->text(QAccessible::Description).toStdString(), description);
    }
    // The radio's state follows the layer's own checking, and its action is a user's click.
    QAccessibleInterface* radio64 = Of(Widget(IDC_FORMAT_64));
    ASSERT_NE(radio64->actionInterface(), nullptr);
    radio64->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ProcessEvents();
    EXPECT_TRUE(radio64->state().checked);
    EXPECT_FALSE(Of(Widget(IDC_FORMAT_32))->state().checked);
    EXPECT_TRUE(Enabled(IDC_FRACTION_64)) << "pressed through its action, the radio chose binary64";

    // Displays are read with the caption beside them, in the current language.
    for (int lang : {IDC_LANG_RO, IDC_LANG_EN}) {
        Click(lang);
        for (auto [display, caption] : {std::pair{IDC_DATA_TYPE, IDC_DATA_TYPE_CAPTION},
                                        {IDC_CURSOR_POS, IDC_CURSOR_POS_CAPTION},
                                        {IDC_FIELD_WIDTH, IDC_FIELD_WIDTH_CAPTION},
                                        {IDC_PARAM_LIST, IDC_PARAM_LIST_CAPTION},
                                        {IDC_EXACT_VALUE, IDC_EXACT_CAPTION},
                                        {IDC_HEX, IDC_HEX_CAPTION}}) {
            EXPECT_FALSE(Visible(Widget(caption)).isEmpty());
            EXPECT_EQ(Name(Widget(display)), Visible(Widget(caption)).toStdString())
                << Widget(display)->objectName().toStdString();
        }
    }
    // A caption that is empty leaves the fallback name; a shown one names the display.
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "");
    EXPECT_EQ(Name(Widget(IDC_PARAM_VALUE)), "Parameter value");
    DIALOG_SET_TEXT(ORVANEGLOBALS::DLG_MAIN, IDC_PARAM_CAPTION, "ULP(X)");
    EXPECT_EQ(Name(Widget(IDC_PARAM_VALUE)), "ULP(X)");
    // Static texts say what they show.
    EXPECT_EQ(Of(Widget(IDC_DATA_TYPE_CAPTION))->text(QAccessible::Name).simplified(),
              Visible(Widget(IDC_DATA_TYPE_CAPTION)));
}

// Under RO no control of the main window is named or described in English,
// unless its name is the same in both languages.
TEST_F(AppTest, NamesAndDescriptionsFollowTheLanguage) {
    // clang-format off
    const std::set<QString> neutral = {"", "X", "RO", "EN", "0's", "1's", "0 <--> 1", "Exit", "CANCEL", "Format",
                                       "Hex-float (%a)", "32 (Binary32)", "64 (Binary64)", "128 (Binary128)",
                                       "16 (Binary16)", "16 (bfloat16)", "1", "5", "7", "8", "10", "11", "15", "23",
                                       "48", "52", "64", "(112)", "msb", "lsb", "-->", "binary16", "bfloat16",
                                       "Alt format", "x87", "custom:4,3", "63"};
    // clang-format on
    auto read = [] {
        std::map<QWidget*, std::pair<QString, QString>> texts;
        for (QWidget* w : Window(ORVANEGLOBALS::DLG_MAIN)->findChildren<QWidget*>())
            if (w->objectName().startsWith("IDC_") || w->objectName() == "IDCANCEL")
                texts[w] = {Of(w)->text(QAccessible::Name).simplified(), Of(w)->text(QAccessible::Description)};
        return texts;
    };
    Click(IDC_LANG_EN);
    const auto english = read();
    Click(IDC_LANG_RO);
    const auto romanian = read();
    ASSERT_EQ(romanian.size(), english.size());
    ASSERT_GT(romanian.size(), 90u);
    for (const auto& [w, texts] : romanian) {
        const auto& [name, description] = texts;
        const std::string what = w->objectName().toStdString() + " " + name.toStdString();
        EXPECT_TRUE(name != english.at(w).first || neutral.count(name)) << what;
        EXPECT_TRUE(description != english.at(w).second || neutral.count(description)) << what;
    }
    EXPECT_EQ(Name(Widget(IDC_VALUE)), "Valoarea X");
    EXPECT_EQ(Of(Widget(IDC_FRACTION_64))->text(QAccessible::Description).toStdString(),
              "binary64 fractie, 52 de biti");
    // The secondary windows too.
    modal::CheckModalOf(IDC_ABOUT, [](QWidget* about) {
        for (QAccessibleInterface* a : Tree(about))
            EXPECT_NE(a->text(QAccessible::Name).toStdString(), "Program picture");
    });
}

// A display that only the program writes cannot be rewritten through the
// accessibility interface either; an editable field still can be edited.
TEST_F(AppTest, DisplaysRefuseTextFromAssistiveTools) {
    Type(IDC_VALUE, "0.1");
    ClickInto(IDC_FRACTION_32);
    ProcessEvents();
    for (int id : {IDC_DATA_TYPE, IDC_PARAM_VALUE, IDC_CURSOR_POS, IDC_FIELD_WIDTH, IDC_EXACT_VALUE, IDC_ERROR_VALUE,
                   IDC_ERROR_ULP, IDC_ERROR_REL, IDC_SHORTEST, IDC_HEXFLOAT}) {
        const std::string before = Text(id);
        QAccessibleInterface* a = Of(Widget(id));
        EXPECT_TRUE(a->state().readOnly) << id;
        if (QAccessibleEditableTextInterface* edit = a->editableTextInterface()) {
            edit->insertText(0, "XHACKED");
            edit->replaceText(0, 1, "XHACKED");
            edit->deleteText(0, 1);
        }
        ProcessEvents();
        EXPECT_EQ(Text(id), before) << id;
        ASSERT_NE(a->textInterface(), nullptr) << id;
        EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()).toStdString(), before) << id;
    }
    EXPECT_FALSE(Text(IDC_EXACT_VALUE).empty());
    EXPECT_NE(Of(Widget(IDC_HEX))->editableTextInterface(), nullptr) << "the hexadecimal word is typed";
}

// A screen reader reads a value of thousands of digits as it is, without the
// breaks between the pieces the box lays out; a selection made through the
// interface copies exactly the characters chosen.
TEST_F(AppTest, TheExactValueReadsAsItCopies) {
    Click(IDC_FORMAT_128);
    ClickInto(IDC_HEX);
    Key(IDC_HEX, Qt::Key_A, Qt::ControlModifier);
    Paste(IDC_HEX, "1");  // the smallest subnormal
    QWidget* box = Widget(IDC_EXACT_VALUE);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    ASSERT_GT(copied.size(), 11000);
    EXPECT_EQ(copied.toStdString(), Text(IDC_EXACT_VALUE));
    QAccessibleTextInterface* text = Of(box)->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), copied.size());
    EXPECT_EQ(text->text(0, text->characterCount()), copied);
    EXPECT_EQ(Of(box)->text(QAccessible::Value), copied);
    for (int start : {0, 250, 5000, static_cast<int>(copied.size()) - 9}) {
        text->setSelection(0, start, start + 9);
        int from = -1, to = -1;
        text->selection(0, &from, &to);
        EXPECT_EQ(std::pair(from, to), std::pair(start, start + 9));
        EXPECT_EQ(text->text(start, start + 9), copied.mid(start, 9));
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), copied.mid(start, 9)) << start;
    }
}

// Once the parameter list has lost the focus none of its entries claims it:
// exactly one object of the window is focused. The selection stays.
TEST_F(AppTest, OnlyTheFocusedControlReadsAsFocused) {
    auto focusedIn = [](QAccessibleInterface* root) {
        std::vector<QAccessibleInterface*> all;
        Walk(root, all);
        std::vector<QAccessibleInterface*> focused;
        for (QAccessibleInterface* a : all)
            if (a->state().focused) focused.push_back(a);
        return focused;
    };
    Type(IDC_VALUE, "2.5");
    ClickInto(IDC_FRACTION_32);
    ProcessEvents();
    ASSERT_TRUE(Enabled(IDC_PARAM_LIST));
    QWidget* list = Widget(IDC_PARAM_LIST);
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    ProcessEvents();
    const int selected = ListSelection(IDC_PARAM_LIST);
    ASSERT_GT(selected, 0);
    auto inList = focusedIn(Of(list));
    ASSERT_EQ(inList.size(), 2u) << "the list and its selected entry";
    EXPECT_EQ(inList[1]->text(QAccessible::Name), qobject_cast<QListWidget*>(list)->item(selected - 1)->text());

    Widget(IDC_VALUE)->setFocus(Qt::TabFocusReason);
    ProcessEvents();
    EXPECT_TRUE(focusedIn(Of(list)).empty());
    const auto inWindow = focusedIn(Of(Window(ORVANEGLOBALS::DLG_MAIN)));
    ASSERT_EQ(inWindow.size(), 1u);
    EXPECT_EQ(inWindow[0]->object(), Widget(IDC_VALUE));
    EXPECT_EQ(ListSelection(IDC_PARAM_LIST), selected);
    // A selection the program makes meanwhile is no focus either.
    DIALOG_SET_INT(ORVANEGLOBALS::DLG_MAIN, IDC_PARAM_LIST, 1, 1);
    EXPECT_TRUE(focusedIn(Of(list)).empty());
    // Back in the list, the arrow keys go on from the selected entry.
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down);
    ProcessEvents();
    EXPECT_EQ(ListSelection(IDC_PARAM_LIST), 2);
}

TEST_F(AppTest, SecondaryDialogsReadTheirVisibleWords) {
    Click(IDC_LANG_EN);
    modal::CheckModalOf(IDC_HELP_INFO, [](QWidget* info) {
        bool found = false;
        for (QAccessibleInterface* a : Tree(info))
            if (a->role() == QAccessible::StaticText && a->text(QAccessible::Name).contains("ulp(X) = 2^(E+1-P)"))
                found = true;
        EXPECT_TRUE(found) << "the Info formulas by their words";
    });
    modal::CheckModalOf(IDC_ABOUT, [](QWidget* about) {
        std::vector<std::string> statics;
        for (QAccessibleInterface* a : Tree(about))
            if (a->role() == QAccessible::StaticText)
                statics.push_back(a->text(QAccessible::Name).simplified().toStdString());
        for (const char* name : {"IDC_ABOUT_HEADING", "IDC_ABOUT_AUTHOR"}) {
            auto* label = about->findChild<QLabel*>(name);
            ASSERT_NE(label, nullptr);
            EXPECT_FALSE(label->text().isEmpty());
            EXPECT_NE(std::find(statics.begin(), statics.end(), label->text().simplified().toStdString()),
                      statics.end())
                << name;
        }
        EXPECT_NE(Name(about->findChild<QLabel*>("IDC_ABOUT_HEADING")).find("Representation of Floating Point Data"),
                  std::string::npos);
    });
    Click(IDC_HELP_SUMMARY);
    for (int id = IDC_SUMMARY_TEXT_1; id <= IDC_SUMMARY_TEXT_7; ++id) {
        QWidget* item = Widget(COMUN::DLG_SUMMARY, id);
        EXPECT_EQ(Of(item)->text(QAccessible::Name).simplified(), Visible(item)) << id;
    }
    Click(COMUN::DLG_SUMMARY, IDOK);
}

// Tab visits the main dialog's controls in reading order, group by group (a
// radio group by its checked radio, the arrows choose within it), and every
// action can be done from the keyboard.
TEST_F(AppTest, EveryActionWorksFromTheKeyboard) {
    auto tabOrder = [] {
        std::vector<std::string> order;
        for (int step = 0; step < 80; ++step) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus) break;
            const std::string name = focus->objectName().toStdString();
            if (!order.empty() && name == order.front()) break;
            order.push_back(name);
            QTest::keyClick(focus, Qt::Key_Tab);
            ProcessEvents();
        }
        return order;
    };
    const std::vector<std::string> expected = {
        "IDC_VALUE",      "IDC_DATA_TYPE",    "IDC_PARAM_VALUE", "IDC_HELP_INFO",   "IDC_LANG_RO",
        "IDC_FORMAT_32",  "IDC_ALT_LIST",     "IDC_ALL_FIELDS",  "IDC_ZEROS",       "IDC_ONES",
        "IDC_INVERT",     "IDC_HELP_SUMMARY", "IDC_SIGN_32",     "IDC_EXPONENT_32", "IDC_FRACTION_32",
        "IDC_CURSOR_POS", "IDC_FIELD_WIDTH",  "IDC_EXACT_VALUE", "IDC_ERROR_VALUE", "IDC_ERROR_ULP",
        "IDC_ERROR_REL",  "IDC_HEX",          "IDC_BIG_ENDIAN",  "IDC_BYTES",       "IDC_SHORTEST",
        "IDC_HEXFLOAT",   "IDC_STEP_DOWN",    "IDC_STEP_UP",     "IDC_COPY_AS",     "IDC_STEPS",
        "IDC_ABOUT",      "IDC_COMPARE",      "IDC_OPERATIONS",  "IDC_EXIT"};
    EXPECT_EQ(tabOrder(), expected);

    // A format by the arrow keys; the list (enabled by a finite datum) by the arrow keys too.
    Widget(IDC_FORMAT_32)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Widget(IDC_FORMAT_32), Qt::Key_Down);
    ProcessEvents();
    EXPECT_TRUE(Checked(IDC_FORMAT_64));
    EXPECT_TRUE(Enabled(IDC_FRACTION_64));
    Widget(IDC_FRACTION_64)->setFocus(Qt::TabFocusReason);
    ProcessEvents();
    ASSERT_TRUE(Enabled(IDC_PARAM_LIST));
    QWidget* list = Widget(IDC_PARAM_LIST);
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down);
    ProcessEvents();
    EXPECT_GT(ListSelection(IDC_PARAM_LIST), 0);
    EXPECT_FALSE(Text(IDC_PARAM_VALUE).empty());
    // The language by Space, and the check box by Space.
    Widget(IDC_LANG_EN)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Widget(IDC_LANG_EN), Qt::Key_Space);
    ProcessEvents();
    EXPECT_TRUE(Checked(IDC_LANG_EN));
    EXPECT_EQ(Text(IDC_FIELD_WIDTH_CAPTION), "Field Width");

    // The modal dialogs open by Space and close by Enter (their default button) or Esc.
    for (auto [button, closeKey] : {std::pair{IDC_HELP_INFO, Qt::Key_Return}, {IDC_ABOUT, Qt::Key_Escape}}) {
        bool opened = false;
        QTimer::singleShot(0, [&, closeKey = closeKey] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            opened = true;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, closeKey);
        });
        Widget(button)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Widget(button), Qt::Key_Space);
        ProcessEvents();
        EXPECT_TRUE(opened) << button;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // The summary: Space opens it, Tab reaches Save and OK, Space on OK closes it.
    Widget(IDC_HELP_SUMMARY)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Widget(IDC_HELP_SUMMARY), Qt::Key_Space);
    ProcessEvents();
    QWidget* summary = Window(COMUN::DLG_SUMMARY);
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(summary));
    std::set<std::string> reached;
    for (int step = 0; step < 6 && QApplication::focusWidget(); ++step) {
        reached.insert(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(reached, (std::set<std::string>{"IDOK", "IDC_SAVE"}));
    QTest::keyClick(Widget(COMUN::DLG_SUMMARY, IDOK), Qt::Key_Space);
    ProcessEvents();
    EXPECT_EQ(Window(COMUN::DLG_SUMMARY), nullptr);
}
