// The application shell through the real start-up: start state, format radios,
// closing, the Enter key, pictures and the start-up error path.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/controls.h"
#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "resources/layouts.h"
#include "tests/gui/harness.h"

using namespace harness;

namespace {

DIALOG& Main() { return ORVANEGLOBALS::DLG_MAIN; }

struct Row {
    int kind;
    std::vector<std::pair<int, int>> edits;  // id, width
};
const Row kRows[] = {
    {4, {{IDC_SIGN_32, 1}, {IDC_EXPONENT_32, 8}, {IDC_FRACTION_32, 23}}},
    {8, {{IDC_SIGN_64, 1}, {IDC_EXPONENT_64, 11}, {IDC_FRACTION_64, 52}}},
    {16, {{IDC_SIGN_128, 1}, {IDC_EXPONENT_128, 15}, {IDC_FRACTION_128_HIGH, 48}, {IDC_FRACTION_128_LOW, 64}}},
};

int RadioOf(int kind) { return kind == 4 ? IDC_FORMAT_32 : kind == 8 ? IDC_FORMAT_64 : IDC_FORMAT_128; }

std::string Zeros(int width) { return width == 1 ? "0" : std::string(static_cast<std::size_t>(width), '0'); }

}  // namespace

TEST_F(AppTest, StartStateShowsBinary32ZeroAndPlaceholders) {
    QWidget* window = Window(Main());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), "Orvane (Binary Format)");
    EXPECT_EQ(COMUN::FORMAT_KIND, 4);
    EXPECT_EQ(COMUN::LANG, 1);
    EXPECT_TRUE(COMUN::LANG_RO);
    EXPECT_TRUE(Checked(IDC_FORMAT_32));
    EXPECT_FALSE(Checked(IDC_FORMAT_64));
    EXPECT_FALSE(Checked(IDC_FORMAT_128));
    EXPECT_TRUE(Checked(IDC_LANG_RO));
    EXPECT_FALSE(Checked(IDC_LANG_EN));
    EXPECT_TRUE(Checked(IDC_ALL_FIELDS));
    EXPECT_FALSE(Checked(IDC_CURRENT_FIELD));

    EXPECT_EQ(Text(IDC_VALUE), "0");
    EXPECT_EQ(Text(IDC_SIGN_32), "0");
    EXPECT_EQ(Text(IDC_EXPONENT_32), "00000000");
    EXPECT_EQ(Text(IDC_FRACTION_32), std::string(23, '0'));
    EXPECT_EQ(Text(IDC_SIGN_64), "S");
    EXPECT_EQ(Text(IDC_EXPONENT_64), "   Exponent");
    EXPECT_EQ(Text(IDC_FRACTION_64), std::string(25, ' ') + "Semnificand (Fractia)");
    EXPECT_EQ(Text(IDC_SIGN_128), std::string(1, ' '));
    EXPECT_EQ(Text(IDC_EXPONENT_128), std::string(15, ' '));
    EXPECT_EQ(Text(IDC_FRACTION_128_HIGH), std::string(48, ' '));
    EXPECT_EQ(Text(IDC_FRACTION_128_LOW), std::string(64, ' '));
    for (const Row& row : kRows)
        for (auto [id, width] : row.edits) EXPECT_EQ(Enabled(id), row.kind == 4) << "bit edit " << id;

    EXPECT_EQ(Text(IDC_DATA_TYPE), "");
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "");
    EXPECT_EQ(Text(IDC_PARAM_VALUE), "");
    EXPECT_EQ(Text(IDC_CURSOR_POS), "");
    EXPECT_EQ(Text(IDC_FIELD_WIDTH), "");
    EXPECT_FALSE(Checked(IDC_BINARY_NEIGHBOURS));
    EXPECT_FALSE(Enabled(IDC_BINARY_NEIGHBOURS));
    EXPECT_FALSE(Enabled(IDC_PARAM_LIST));
    EXPECT_EQ(ListSelection(IDC_PARAM_LIST), 0);
    const std::vector<std::string> items{
        "Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)", "X- = Nearest(x,-1.0)", "Epsilon"};
    EXPECT_EQ(ListItems(IDC_PARAM_LIST), items);
    EXPECT_EQ(Text(IDC_EXIT), "Exit");
    EXPECT_EQ(Text(IDC_ZEROS), "0's");
    EXPECT_EQ(Text(IDC_INVERT), "0 <--> 1");
    EXPECT_EQ(Text(IDC_FORMAT_128), "128    (Binary128)");
    EXPECT_FALSE(Widget(IDCANCEL)->isVisible());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AppTest, TheValueFieldStartsFocusedWithItsTextSelected) {
    QLineEdit* value = Edit(IDC_VALUE);
    EXPECT_TRUE(value->hasFocus());
    EXPECT_EQ(value->selectedText(), "0");
    // Typing replaces the start value.
    QTest::keyClick(value, Qt::Key_7);
    ProcessEvents();
    EXPECT_EQ(Text(IDC_VALUE), "7");
}

TEST_F(AppTest, StartStateThroughTheDialogLayer) {
    // The binary128 edits hold blanks, not empty texts.
    for (auto [id, width] : kRows[2].edits) {
        int length = -1;
        ASSERT_TRUE(DIALOG_GET_INT(Main(), id, length, INDEX_TEXTLENGTH));
        EXPECT_EQ(length, width);
    }
    int selected = -1;
    ASSERT_TRUE(DIALOG_GET_INT(Main(), IDC_PARAM_LIST, selected, 1));
    EXPECT_EQ(selected, 0);
    std::string item(40, 'x');
    ASSERT_TRUE(DIALOG_GET_TEXT(Main(), IDC_PARAM_LIST, item, 4));
    EXPECT_EQ(item, std::string("X+ = Nearest(x,+1.0)") + std::string(20, ' '));
    EXPECT_EQ(COMUN::STR_0, std::string(64, '0'));
    EXPECT_EQ(COMUN::STR_1, std::string(64, '1'));
}

TEST_F(AppTest, FormatRadiosSelectTheRowAndResetTheDisplay) {
    for (int kind : {8, 16, 4, 16, 8}) {
        // Stale displays that a format change must clear.
        DIALOG_SET_TEXT(Main(), IDC_PARAM_VALUE, "1.5");
        DIALOG_SET_TEXT(Main(), IDC_PARAM_CAPTION, "Exponent");
        DIALOG_SET_TEXT(Main(), IDC_DATA_TYPE, "Numar normal");
        DIALOG_SET_TEXT(Main(), IDC_CURSOR_POS, "3");
        DIALOG_SET_TEXT(Main(), IDC_VALUE, "12.5");
        DIALOG_SET_LOGICAL(Main(), IDC_BINARY_NEIGHBOURS, true, INDEX_ENABLE);
        DIALOG_SET_LOGICAL(Main(), IDC_BINARY_NEIGHBOURS, true);
        const std::string before64 = Text(IDC_FRACTION_64);

        Click(RadioOf(kind));
        SCOPED_TRACE("format kind " + std::to_string(kind));
        EXPECT_EQ(COMUN::FORMAT_KIND, kind);
        EXPECT_TRUE(Checked(RadioOf(kind)));
        for (int other : {4, 8, 16})
            if (other != kind) {
                EXPECT_FALSE(Checked(RadioOf(other)));
            }
        for (const Row& row : kRows)
            for (auto [id, width] : row.edits) {
                EXPECT_EQ(Enabled(id), row.kind == kind) << "bit edit " << id;
                if (row.kind == kind) {
                    EXPECT_EQ(Text(id), Zeros(width)) << "bit edit " << id;
                }
            }
        if (kind != 8) {
            EXPECT_EQ(Text(IDC_FRACTION_64), before64) << "a disabled row keeps its text";
        }
        EXPECT_EQ(Text(IDC_VALUE), "0");
        EXPECT_EQ(Text(IDC_PARAM_VALUE), "");
        EXPECT_EQ(Text(IDC_PARAM_CAPTION), "");
        EXPECT_EQ(Text(IDC_DATA_TYPE), "");
        EXPECT_EQ(Text(IDC_CURSOR_POS), "");
        EXPECT_FALSE(Checked(IDC_BINARY_NEIGHBOURS));
        // The neighbours check box keeps its enablement; only its check is cleared.
        EXPECT_TRUE(Enabled(IDC_BINARY_NEIGHBOURS));
    }
}

TEST_F(AppTest, DisabledRowsKeepTheirTexts) {
    Click(IDC_FORMAT_64);
    // binary32 row stays zero, the binary128 row stays blank.
    EXPECT_EQ(Text(IDC_EXPONENT_32), "00000000");
    EXPECT_EQ(Text(IDC_FRACTION_128_LOW), std::string(64, ' '));
    DIALOG_SET_TEXT(Main(), IDC_FRACTION_64, "1" + std::string(51, '0'));
    Click(IDC_FORMAT_128);
    EXPECT_EQ(Text(IDC_FRACTION_64), "1" + std::string(51, '0'));
    EXPECT_FALSE(Enabled(IDC_FRACTION_64));
    EXPECT_EQ(Text(IDC_FRACTION_128_HIGH), std::string(48, '0'));
    EXPECT_EQ(Text(IDC_FRACTION_128_LOW), std::string(64, '0'));
}

TEST_F(AppTest, ClickingTheCheckedRadioResetsItsRowAgain) {
    DIALOG_SET_TEXT(Main(), IDC_FRACTION_32, "101");
    DIALOG_SET_TEXT(Main(), IDC_VALUE, "-7");
    DIALOG_SET_TEXT(Main(), IDC_PARAM_VALUE, "x");
    Click(IDC_FORMAT_32);
    EXPECT_TRUE(Checked(IDC_FORMAT_32));
    EXPECT_EQ(COMUN::FORMAT_KIND, 4);
    EXPECT_EQ(Text(IDC_FRACTION_32), std::string(23, '0'));
    EXPECT_EQ(Text(IDC_VALUE), "0");
    EXPECT_EQ(Text(IDC_PARAM_VALUE), "");
}

TEST_F(AppTest, ParameterListKeepsItsStateAcrossAFormatChange) {
    DIALOG_SET_LOGICAL(Main(), IDC_PARAM_LIST, true, INDEX_ENABLE);
    DIALOG_SET_INT(Main(), IDC_PARAM_LIST, 3, 1);
    Click(IDC_FORMAT_128);
    EXPECT_TRUE(Enabled(IDC_PARAM_LIST));
    EXPECT_EQ(ListSelection(IDC_PARAM_LIST), 3);
}

TEST_F(AppTest, ArrowKeysMoveBetweenFormatRadiosAsClicks) {
    Click(IDC_FORMAT_32);
    QWidget* radio = Widget(IDC_FORMAT_32);
    ASSERT_TRUE(radio->hasFocus());
    QTest::keyClick(radio, Qt::Key_Down);
    ProcessEvents();
    EXPECT_TRUE(Checked(IDC_FORMAT_64));
    EXPECT_EQ(COMUN::FORMAT_KIND, 8);
    EXPECT_TRUE(Enabled(IDC_FRACTION_64));
    EXPECT_EQ(Text(IDC_FRACTION_64), std::string(52, '0'));
}

// ---------------------------------------------------------------- closing

TEST_F(AppTest, ExitButtonClosesTheMainWindowAndPostsQuitZero) {
    Click(IDC_EXIT);
    EXPECT_EQ(Window(Main()), nullptr);
    int code = -1;
    ASSERT_TRUE(QuitPosted(&code));
    EXPECT_EQ(code, 0);
}

class EscapeFrom : public AppTest, public ::testing::WithParamInterface<int> {};

TEST_P(EscapeFrom, ClosesTheMainWindowAndPostsQuitZero) {
    const int id = GetParam();
    DIALOG_SET_LOGICAL(Main(), id, true, INDEX_ENABLE);
    Widget(id)->setFocus(Qt::TabFocusReason);
    ProcessEvents();
    ASSERT_TRUE(Widget(id)->hasFocus());
    QTest::keyClick(Widget(id), Qt::Key_Escape);
    ProcessEvents();
    EXPECT_EQ(Window(Main()), nullptr);
    int code = -1;
    ASSERT_TRUE(QuitPosted(&code));
    EXPECT_EQ(code, 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, EscapeFrom,
                         ::testing::Values(IDC_VALUE, IDC_FRACTION_32, IDC_DATA_TYPE, IDC_PARAM_LIST, IDC_FORMAT_64,
                                           IDC_BINARY_NEIGHBOURS, IDC_ZEROS, IDC_EXIT));

TEST_F(AppTest, CloseBoxClosesTheMainWindowAndPostsQuitZero) {
    QWidget* window = Window(Main());
    ASSERT_NE(window, nullptr);
    window->close();  // what the window manager's close command does
    ProcessEvents();
    EXPECT_EQ(Window(Main()), nullptr);
    int code = -1;
    ASSERT_TRUE(QuitPosted(&code));
    EXPECT_EQ(code, 0);
}

TEST_F(AppTest, MessageLoopEndsWithCodeZeroForEachWayOfClosing) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE("way " + std::to_string(way));
        if (way > 0) {
            ORVANE_SHUTDOWN();
            ProcessEvents();
            platform_qt::ClearQuit();
            ASSERT_TRUE(ORVANE_STARTUP(1));
            ASSERT_TRUE(QTest::qWaitForWindowActive(Window(Main())));
        }
        QTimer::singleShot(0, [way] {
            if (way == 0) Click(IDC_EXIT);
            if (way == 1) QTest::keyClick(Window(Main()), Qt::Key_Escape);
            if (way == 2) Window(Main())->close();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { platform::PostQuitMessage(99); });
        watchdog.start(5000);
        EXPECT_EQ(platform::RunMessageLoop(), 0);
        EXPECT_FALSE(QuitPosted()) << "the loop consumes the quit";
        EXPECT_EQ(Window(Main()), nullptr);
    }
}

TEST_F(AppTest, EnterDoesNothingInTheMainDialog) {
    for (int id : {IDC_VALUE, IDC_FRACTION_32}) {
        ClickInto(id);
        Key(id, Qt::Key_Return);
        Key(id, Qt::Key_Enter);
    }
    // Focus on each push button in turn: Enter presses none of them.
    for (int id : {IDC_EXIT, IDC_ZEROS, IDC_ABOUT, IDC_HELP_INFO}) {
        Widget(id)->setFocus(Qt::TabFocusReason);
        ProcessEvents();
        QTest::keyClick(Widget(id), Qt::Key_Return);
        ProcessEvents();
    }
    EXPECT_NE(Window(Main()), nullptr);
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(Messages().empty());
    for (QObject* child : Window(Main())->children())
        if (auto* button = qobject_cast<QPushButton*>(child)) {
            EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
            EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
        }
}

// ---------------------------------------------------------------- pictures

TEST_F(AppTest, IconsAreOnTheWindowAndTheHelpButtons) {
    ASSERT_NE(COMUN::H_ICON_SMALL, nullptr);
    ASSERT_NE(COMUN::H_ICON_INFO, nullptr);
    ASSERT_NE(COMUN::H_ICON_SUMMARY, nullptr);
    const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    EXPECT_EQ(COMUN::H_ICON_SMALL->size, QSize(small, small));
    EXPECT_EQ(COMUN::H_ICON_INFO->size, QSize(32, 32));
    EXPECT_FALSE(Window(Main())->windowIcon().isNull());
    for (int id : {IDC_HELP_INFO, IDC_HELP_SUMMARY}) {
        auto* button = qobject_cast<QPushButton*>(Widget(id));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->text().isEmpty()) << "an icon button shows only its icon";
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_LE(button->iconSize().height(), button->height());
    }
    // The caption stays in the record.
    std::string caption(1, ' ');
    DIALOG_GET_TEXT(Main(), IDC_HELP_INFO, caption);
    EXPECT_EQ(caption, "?");
}

TEST(Pictures, EveryImageRendersItsColoursAtAnySize) {
    struct Expect {
        int id;
        QRgb colour;  // a colour its description asks for
    };
    const Expect pictures[] = {{IDI_INFO, qRgb(0, 0, 0xe0)},
                               {IDI_SUMMARY, qRgb(0, 0, 0xe0)},
                               {IDI_ABOUT, qRgb(0xff, 0xff, 0)},
                               {IDI_SMALL, qRgb(0x30, 0x50, 0xe0)},
                               {IDB_ULP, qRgb(0xe0, 0, 0)}};
    for (const Expect& e : pictures) {
        for (int side : {16, 32, 64, 128}) {
            HICON icon = platform::LoadIconResource(e.id, side, side);
            ASSERT_NE(icon, nullptr) << e.id;
            const QImage image = icon->icon.pixmap(QSize(side, side)).toImage();
            ASSERT_EQ(image.size(), QSize(side, side)) << e.id;
            if (side < 32 && e.id != IDI_SMALL) continue;  // colour checks where the details are drawn
            bool found = false;
            for (int y = 0; y < image.height() && !found; ++y)
                for (int x = 0; x < image.width() && !found; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const QColor want(e.colour);
                    found = std::abs(c.red() - want.red()) < 40 && std::abs(c.green() - want.green()) < 40 &&
                            std::abs(c.blue() - want.blue()) < 40 && c.alpha() > 200;
                }
            EXPECT_TRUE(found) << "picture " << e.id << " at " << side << " px";
        }
    }
    EXPECT_EQ(platform::LoadIconResource(4242, 32, 32), nullptr);
    EXPECT_EQ(platform::LoadIconResource(IDI_INFO, 32, 32), platform::LoadIconResource(IDI_INFO, 32, 32));
}

// ---------------------------------------------------------------- start-up failure

class StartupFailure : public ::testing::TestWithParam<int> {};

TEST_P(StartupFailure, ShowsTheErrorBoxAndReturnsWithoutAWindow) {
    RESET_SHARED_STATE();
    std::vector<std::tuple<std::string, std::string, unsigned>> boxes;
    platform::PlatformHooks hooks;
    hooks.messageBox = [&](std::string_view text, std::string_view caption, unsigned style) {
        boxes.emplace_back(std::string(text), std::string(caption), style);
        return IDOK;
    };
    platform::PlatformHooks saved = platform::SetPlatformHooks(hooks);
    layouts::WithholdLayout(GetParam(), true);
    const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    EXPECT_FALSE(ORVANE_STARTUP(1));
    layouts::WithholdLayout(GetParam(), false);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::get<0>(boxes[0]), "Error initializing application Orvane");
    EXPECT_EQ(std::get<1>(boxes[0]), "Error");
    EXPECT_EQ(std::get<2>(boxes[0]), 0u) << "no icon, OK button";
    EXPECT_EQ(DialogWindow(ORVANEGLOBALS::DLG_MAIN), nullptr);
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore);

    // The whole run ends with code 0 as well.
    boxes.clear();
    layouts::WithholdLayout(GetParam(), true);
    EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 0);
    layouts::WithholdLayout(GetParam(), false);
    EXPECT_EQ(boxes.size(), 1u);

    ORVANE_SHUTDOWN();
    ProcessEvents();
    platform_qt::ClearQuit();
    platform::SetPlatformHooks(saved);
}

INSTANTIATE_TEST_SUITE_P(Layouts, StartupFailure, ::testing::Values(IDD_MAIN, IDD_SUMMARY));
