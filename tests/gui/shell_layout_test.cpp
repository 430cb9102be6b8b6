// The dialogs as built from their layouts: the layout tables against the
// designed numbers, names, geometry in dialog units, and nothing clipped, in
// the dialog's own font, in either language.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <set>
#include <tuple>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "resources/layouts.h"
#include "tests/gui/harness.h"

using namespace harness;

namespace {

DIALOG& Main() { return ORVANEGLOBALS::DLG_MAIN; }

struct Units {
    int x, y;
};
// Windows' base units of a font: average width of the 52 letters, rounded, and the line height.
Units UnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, fm.height()};
}

const layouts::LayoutDef& MainLayout() { return *layouts::FindLayout(IDD_MAIN); }

// The designed layouts, in dialog units: name (IDC_STATIC for the controls the
// program never addresses), caption of such a static, x, y, w, h.
struct Designed {
    const char* name;
    const char* caption;
    int x, y, w, h;
};

const Designed kMainDesign[] = {
    // clang-format off
    {"IDC_GROUP_DATA", "", 7, 18, 323, 86},           {"IDC_VALUE", "", 21, 39, 171, 12},
    {"IDC_STATIC", "X", 107, 28, 8, 8},                {"IDC_DATA_TYPE_CAPTION", "", 200, 27, 122, 8},
    {"IDC_DATA_TYPE", "", 200, 39, 100, 12},          {"IDC_LANG_RO", "", 187, 7, 22, 10},
    {"IDC_LANG_EN", "", 219, 7, 21, 10},              {"IDC_BINARY_NEIGHBOURS", "", 21, 70, 48, 10},
    {"IDC_PARAM_CAPTION", "", 76, 70, 116, 10},       {"IDC_PARAM_VALUE", "", 21, 83, 171, 12},
    {"IDC_PARAM_LIST_CAPTION", "", 200, 64, 101, 10}, {"IDC_PARAM_LIST", "", 200, 77, 91, 18},
    {"IDC_HELP_INFO", "", 301, 75, 21, 20},           {"IDC_GROUP_FORMAT", "", 336, 18, 85, 86},
    {"IDC_FORMAT_CAPTION", "", 357, 32, 52, 10},      {"IDC_FORMAT_32", "", 347, 47, 67, 10},
    {"IDC_FORMAT_64", "", 347, 66, 67, 10},           {"IDC_FORMAT_128", "", 347, 85, 67, 10},
    {"IDC_GROUP_REPRESENTATION", "", 8, 108, 413, 174}, {"IDC_ALL_FIELDS", "", 222, 121, 63, 11},
    {"IDC_CURRENT_FIELD", "", 294, 121, 123, 11},     {"IDC_ZEROS", "", 222, 143, 20, 14},
    {"IDC_ONES", "", 269, 143, 20, 14},               {"IDC_INVERT", "", 316, 143, 30, 14},
    {"IDC_HELP_SUMMARY", "", 390, 137, 21, 20},       {"IDC_SIGN_32", "", 25, 138, 10, 12},
    {"IDC_EXPONENT_32", "", 35, 138, 38, 12},         {"IDC_FRACTION_32", "", 73, 138, 97, 12},
    {"IDC_STATIC", "1", 27, 126, 8, 10},               {"IDC_STATIC", "8", 51, 126, 8, 9},
    {"IDC_STATIC", "23", 111, 126, 10, 10},            {"IDC_SIGN_64", "", 25, 180, 10, 12},
    {"IDC_EXPONENT_64", "", 35, 180, 50, 12},         {"IDC_FRACTION_64", "", 84, 180, 213, 12},
    {"IDC_STATIC", "1", 27, 168, 8, 10},               {"IDC_STATIC", "11", 54, 168, 8, 10},
    {"IDC_STATIC", "52", 173, 169, 10, 10},            {"IDC_STATIC", "msb", 35, 194, 14, 8},
    {"IDC_STATIC", "lsb", 73, 194, 10, 8},             {"IDC_STATIC", "msb", 85, 194, 14, 8},
    {"IDC_STATIC", "lsb", 288, 194, 10, 8},            {"IDC_FRACTION_128_LOW", "", 25, 226, 262, 12},
    {"IDC_STATIC", "-->", 14, 227, 9, 10},             {"IDC_STATIC", "64", 173, 215, 11, 10},
    {"IDC_STATIC", "(112)", 270, 215, 18, 10},         {"IDC_SIGN_128", "", 25, 258, 10, 12},
    {"IDC_EXPONENT_128", "", 35, 258, 67, 12},        {"IDC_FRACTION_128_HIGH", "", 102, 258, 199, 12},
    {"IDC_STATIC", "1", 27, 247, 8, 10},               {"IDC_STATIC", "15", 65, 247, 9, 10},
    {"IDC_STATIC", "48", 173, 247, 10, 10},            {"IDC_STATIC", "-->", 304, 259, 9, 10},
    {"IDC_CURSOR_POS_CAPTION", "", 334, 180, 73, 18}, {"IDC_CURSOR_POS", "", 334, 202, 17, 12},
    {"IDC_CURSOR_POS_CAPTION2", "", 355, 200, 61, 17}, {"IDC_FIELD_WIDTH", "", 334, 225, 17, 12},
    {"IDC_FIELD_WIDTH_CAPTION", "", 355, 226, 52, 10}, {"IDC_ABOUT", "", 191, 294, 44, 16},
    {"IDC_EXIT", "", 376, 295, 45, 15},               {"IDCANCEL", "", 8, 295, 40, 15},
    // clang-format on
};
const QSize kMainDesignFrame(428, 318);

// The window grew for the two 16-bit formats and the stored value: these
// depart from the design above.
const Designed kMainDepartures[] = {
    {"IDC_GROUP_FORMAT", "", 336, 18, 276, 86},          // wider: two more radios and a second heading
    {"IDC_GROUP_REPRESENTATION", "", 8, 108, 413, 286},  // taller: the 16-bit rows and the listed format's row
    {"IDC_ABOUT", "", 191, 406, 44, 16},                 // the three buttons below the taller group
    {"IDC_EXIT", "", 567, 407, 45, 15},
    {"IDCANCEL", "", 8, 407, 40, 15},
};
const QSize kMainFrame(620, 430);

// Controls that the design did not have.
const Designed kMainAdditions[] = {
    // clang-format off
    {"IDC_FORMAT_16", "", 440, 47, 70, 10},           {"IDC_FORMAT_BF16", "", 440, 66, 70, 10},
    {"IDC_FORMAT_CAPTION2", "", 450, 32, 52, 10},     {"IDC_SIGN_16", "", 25, 292, 10, 12},
    {"IDC_EXPONENT_16", "", 35, 292, 27, 12},         {"IDC_FRACTION_16", "", 62, 292, 46, 12},
    {"IDC_STATIC", "1", 27, 280, 8, 10},               {"IDC_STATIC", "5", 46, 280, 8, 10},
    {"IDC_STATIC", "10", 81, 280, 10, 10},             {"IDC_STATIC", "binary16", 114, 293, 40, 10},
    {"IDC_SIGN_BF16", "", 25, 322, 10, 12},           {"IDC_EXPONENT_BF16", "", 35, 322, 38, 12},
    {"IDC_FRACTION_BF16", "", 73, 322, 35, 12},       {"IDC_STATIC", "1", 27, 310, 8, 10},
    {"IDC_STATIC", "8", 51, 310, 8, 9},                {"IDC_STATIC", "7", 87, 310, 8, 10},
    {"IDC_STATIC", "bfloat16", 114, 323, 40, 10},      {"IDC_GROUP_STORED", "", 428, 108, 184, 236},
    {"IDC_EXACT_CAPTION", "", 436, 119, 168, 9},      {"IDC_EXACT_VALUE", "", 436, 129, 168, 32},
    {"IDC_ERROR_CAPTION", "", 436, 164, 168, 9},      {"IDC_ERROR_VALUE", "", 436, 174, 168, 22},
    {"IDC_ERROR_ULP_CAPTION", "", 436, 199, 80, 9},   {"IDC_ERROR_ULP", "", 436, 209, 80, 12},
    {"IDC_ERROR_REL_CAPTION", "", 524, 199, 80, 9},   {"IDC_ERROR_REL", "", 524, 209, 80, 12},
    {"IDC_HEX_CAPTION", "", 436, 224, 168, 9},        {"IDC_HEX", "", 436, 234, 168, 12},
    {"IDC_BYTES_CAPTION", "", 436, 249, 100, 9},      {"IDC_BIG_ENDIAN", "", 530, 248, 74, 10},
    {"IDC_BYTES", "", 436, 259, 168, 12},
    {"IDC_SHORTEST_CAPTION", "", 436, 274, 168, 9},   {"IDC_SHORTEST", "", 436, 284, 168, 12},
    {"IDC_HEXFLOAT_CAPTION", "", 436, 299, 168, 9},   {"IDC_HEXFLOAT", "", 436, 309, 168, 12},
    {"IDC_STEP_DOWN", "", 436, 325, 54, 14},          {"IDC_STEP_UP", "", 493, 325, 54, 14},
    {"IDC_COPY_AS", "", 550, 325, 54, 14},
    {"IDC_COMPARE", "", 312, 407, 116, 15},           {"IDC_OPERATIONS", "", 436, 407, 100, 15},
    {"IDC_STEPS", "", 62, 407, 126, 15},
    {"IDC_FORMAT_ALT", "", 440, 85, 70, 10},          {"IDC_ALT_LIST", "", 520, 44, 84, 14},
    {"IDC_ALT_LIST_CAPTION", "", 520, 32, 84, 10},
    {"IDC_ALT_EXPONENT_CAPTION", "", 520, 62, 40, 9}, {"IDC_ALT_EXPONENT_BITS", "", 520, 72, 38, 13},
    {"IDC_ALT_FRACTION_CAPTION", "", 566, 62, 40, 9}, {"IDC_ALT_FRACTION_BITS", "", 566, 72, 38, 13},
    {"IDC_STATIC", "1", 27, 344, 8, 10},               {"IDC_ALT_EXPONENT_WIDTH", "", 62, 344, 12, 10},
    {"IDC_ALT_INTEGER_WIDTH", "", 104, 344, 8, 10},   {"IDC_ALT_HIGH_WIDTH", "", 200, 344, 12, 10},
    {"IDC_SIGN_ALT", "", 25, 355, 10, 12},            {"IDC_EXPONENT_ALT", "", 35, 355, 67, 12},
    {"IDC_INTEGER_ALT", "", 102, 355, 10, 12},        {"IDC_FRACTION_ALT_HIGH", "", 112, 355, 199, 12},
    {"IDC_ALT_HIGH_ARROW", "", 314, 356, 9, 10},      {"IDC_ALT_NAME", "", 330, 356, 84, 10},
    {"IDC_ALT_LOW_WIDTH", "", 150, 369, 40, 9},       {"IDC_ALT_LOW_ARROW", "", 14, 378, 9, 10},
    {"IDC_FRACTION_ALT_LOW", "", 25, 377, 262, 12},   {"IDC_ALT_TABLE", "", 300, 375, 80, 15},
    // clang-format on
};

const Designed kInfoDesign[] = {
    {"IDOK", "", 109, 145, 28, 11},
    {"IDCANCEL", "", 8, 145, 34, 13},
    {"IDC_STATIC", "", 13, 14, 118, 53},
    {"IDC_INFO_TEXT", "", 38, 74, 68, 58},
    {"IDC_STATIC", "ULP, X+, and  X-", 7, 3, 130, 137},
};
const Designed kAboutDesign[] = {
    {"IDOK", "", 137, 80, 30, 12},
    {"IDCANCEL", "", 7, 80, 32, 12},
    {"IDC_ABOUT_HEADING", "", 7, 7, 160, 36},
    {"IDC_ABOUT_AUTHOR", "", 7, 49, 160, 21},
    {"IDC_STATIC", "", 79, 77, 20, 20},
};
const Designed kSummaryDesign[] = {
    {"IDOK", "", 217, 300, 33, 12},
    {"IDCANCEL", "", 104, 300, 33, 12},
    {"IDC_SUMMARY_TEXT_1", "", 22, 15, 220, 40},
    {"IDC_SUMMARY_TEXT_2", "", 22, 64, 220, 26},
    {"IDC_SUMMARY_TEXT_3", "", 22, 99, 220, 54},
    {"IDC_SUMMARY_TEXT_4", "", 22, 160, 220, 27},
    {"IDC_SUMMARY_TEXT_5", "", 22, 192, 220, 27},
    {"IDC_SUMMARY_TEXT_6", "", 22, 225, 220, 39},
    {"IDC_SUMMARY_TEXT_7", "", 22, 268, 220, 18},
    {"IDC_STATIC", "", 10, 3, 240, 292},
    {"IDC_SAVE", "", 9, 299, 39, 12},
};

using Row = std::tuple<std::string, std::string, int, int, int, int>;
Row RowOf(const Designed& d) {
    return {d.name, std::string(d.name) == "IDC_STATIC" ? d.caption : "", d.x, d.y, d.w, d.h};
}

// The main dialog's designed numbers with the departures and the additions.
std::map<std::string, Designed> MainExpected() {
    std::map<std::string, Designed> out;
    for (const Designed& d : kMainDesign)
        if (std::string(d.name) != "IDC_STATIC") out[d.name] = d;
    for (const Designed& d : kMainDepartures) out[d.name] = d;
    for (const Designed& d : kMainAdditions)
        if (std::string(d.name) != "IDC_STATIC") out[d.name] = d;
    return out;
}
std::multiset<Row> MainExpectedRows() {
    std::multiset<Row> rows;
    for (const auto& [name, d] : MainExpected()) rows.insert(RowOf(d));
    for (const Designed& d : kMainDesign)
        if (std::string(d.name) == "IDC_STATIC") rows.insert(RowOf(d));
    for (const Designed& d : kMainAdditions)
        if (std::string(d.name) == "IDC_STATIC") rows.insert(RowOf(d));
    return rows;
}

std::multiset<Row> TableRows(int layoutId) {
    std::multiset<Row> rows;
    const layouts::LayoutDef& layout = *layouts::FindLayout(layoutId);
    for (std::size_t i = 0; i < layout.count; ++i) {
        const auto& c = layout.controls[i];
        const bool unnamed = std::string(c.name) == "IDC_STATIC";
        rows.insert({c.name, unnamed ? c.caption : "", c.x, c.y, c.w, c.h});
    }
    return rows;
}

const std::pair<int, int> kBitEdits[] = {
    {IDC_SIGN_32, 1},           {IDC_EXPONENT_32, 8},   {IDC_FRACTION_32, 23},
    {IDC_SIGN_64, 1},           {IDC_EXPONENT_64, 11},  {IDC_FRACTION_64, 52},
    {IDC_SIGN_128, 1},          {IDC_EXPONENT_128, 15}, {IDC_FRACTION_128_HIGH, 48},
    {IDC_FRACTION_128_LOW, 64}, {IDC_SIGN_16, 1},       {IDC_EXPONENT_16, 5},
    {IDC_FRACTION_16, 10},      {IDC_SIGN_BF16, 1},     {IDC_EXPONENT_BF16, 8},
    {IDC_FRACTION_BF16, 7}};

int CaretX(QLineEdit* edit, int position) {
    edit->setCursorPosition(position);
    edit->grab();  // lays the text out as a paint does
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// A dialog uses one font: every control has the window's family and size.
// No caption covers another control (unless their layout rectangles meet).
void ExpectOneFontAndNeighboursApart(QWidget* window, const std::string& where) {
    const QFontInfo font(window->font());
    const auto children = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        const QFontInfo own(w->font());
        EXPECT_EQ(own.family(), font.family()) << where << " " << w->objectName().toStdString();
        EXPECT_EQ(own.pixelSize(), font.pixelSize()) << where << " " << w->objectName().toStdString();
        if (!w->isVisibleTo(window) || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) continue;
        for (QWidget* o : children) {
            if (o == w || !o->isVisibleTo(window) || qobject_cast<QGroupBox*>(o)) continue;
            if (w->property("layoutGeometry").toRect().intersects(o->property("layoutGeometry").toRect())) continue;
            EXPECT_FALSE(w->geometry().intersects(o->geometry()))
                << where << ": " << w->objectName().toStdString() << " covers " << o->objectName().toStdString();
        }
    }
}

// Every caption of the main dialog must be readable in full.
void ExpectNothingClipped(const char* language) {
    QWidget* window = Window(Main());
    ASSERT_NE(window, nullptr);
    ExpectOneFontAndNeighboursApart(window, language);
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(window)) continue;
        const std::string name = w->objectName().toStdString() + " (" + language + ")";
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty()) continue;
            QFontMetrics fm(label->font());
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << name << ": " << label->text().toStdString();
                for (const QString& word :
                     label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                    EXPECT_LE(fm.horizontalAdvance(word), label->width()) << name << ": word " << word.toStdString();
            } else {
                const QStringList lines = label->text().split(u'\n');
                for (const QString& line : lines)
                    EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width()) << name;
                EXPECT_LE(static_cast<int>(lines.size()) * fm.height(), label->height() + 1) << name;
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty()) continue;
            // The room the style leaves for the caption must hold all of it.
            QStyleOptionButton opt;
            opt.initFrom(button);
            opt.text = button->text();
            const QStyle::SubElement contents = w->inherits("QRadioButton") ? QStyle::SE_RadioButtonContents
                                                : w->inherits("QCheckBox")  ? QStyle::SE_CheckBoxContents
                                                                            : QStyle::SE_PushButtonContents;
            const QRect room = w->style()->subElementRect(contents, &opt, w);
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), room.width())
                << name << ": " << button->text().toStdString();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            QFontMetrics fm(group->font());
            EXPECT_LE(fm.horizontalAdvance(group->title()) + 16, group->width()) << name;
        }
    }
}

}  // namespace

TEST_F(AppTest, EveryControlIsNamedForTestsAndScreenReaders) {
    const auto& layout = MainLayout();
    for (std::size_t i = 0; i < layout.count; ++i) {
        const auto& def = layout.controls[i];
        if (def.id == layouts::ID_STATIC) continue;
        QWidget* w = Widget(def.id);
        ASSERT_NE(w, nullptr) << def.name;
        EXPECT_EQ(w->objectName().toStdString(), def.name);
        const bool captionless =
            def.kind == layouts::Kind::Edit || def.kind == layouts::Kind::ListBox || (def.style & layouts::ICON_BUTTON);
        if (captionless) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << def.name << " needs an accessible name";
        }
    }
    // Accessible names tell the bit fields apart.
    QStringList names;
    for (auto [id, width] : kBitEdits) names << Widget(id)->accessibleName();
    names.removeDuplicates();
    EXPECT_EQ(names.size(), static_cast<qsizetype>(std::size(kBitEdits)));
    Click(IDC_LANG_EN);  // the names follow the language of the captions
    EXPECT_EQ(Widget(IDC_VALUE)->accessibleName().toStdString(), "Value X");
    EXPECT_EQ(Widget(IDC_EXPONENT_64)->accessibleName().toStdString(), "binary64 exponent bits");
}

TEST_F(AppTest, TheLayoutTablesHoldTheDesignedNumbers) {
    EXPECT_EQ(TableRows(IDD_MAIN), MainExpectedRows());
    EXPECT_EQ(QSize(MainLayout().w, MainLayout().h), kMainFrame);
    EXPECT_NE(kMainFrame, kMainDesignFrame) << "the growth is a departure listed above";
    const std::tuple<int, const Designed*, std::size_t, QSize> others[] = {
        {IDD_INFO, kInfoDesign, std::size(kInfoDesign), QSize(144, 158)},
        {IDD_ABOUT, kAboutDesign, std::size(kAboutDesign), QSize(174, 99)},
        {IDD_SUMMARY, kSummaryDesign, std::size(kSummaryDesign), QSize(260, 318)},
    };
    for (auto [id, design, count, frame] : others) {
        std::multiset<Row> rows;
        for (std::size_t i = 0; i < count; ++i) rows.insert(RowOf(design[i]));
        EXPECT_EQ(TableRows(id), rows) << "layout " << id;
        const auto& layout = *layouts::FindLayout(id);
        EXPECT_EQ(QSize(layout.w, layout.h), frame) << "layout " << id;
    }
}

TEST_F(AppTest, GeometryFollowsTheDialogUnitsOfTheDialogFont) {
    QWidget* window = Window(Main());
    const Units u = UnitsOf(window->font());
    ASSERT_GT(u.x, 0);
    auto px = [&](int du) { return (du * u.x + 2) / 4; };
    auto py = [&](int du) { return (du * u.y + 4) / 8; };
    EXPECT_EQ(window->size(), QSize(px(kMainFrame.width()), py(kMainFrame.height())));
    for (const auto& [name, d] : MainExpected()) {
        QWidget* w = window->findChild<QWidget*>(QString::fromLatin1(name.c_str()), Qt::FindDirectChildrenOnly);
        ASSERT_NE(w, nullptr) << name;
        const QRect want(px(d.x), py(d.y), px(d.w), py(d.h));
        const QRect got = w->geometry();
        EXPECT_EQ(got.topLeft(), want.topLeft()) << name;
        EXPECT_EQ(got.height(), want.height()) << name;
        // Only a caption that needs it may widen its control (never an edit, list or frame).
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(got.width(), want.width()) << name;
            EXPECT_LE(got.width(), want.width() + px(12)) << name;
        } else {
            EXPECT_EQ(got.width(), want.width()) << name;
        }
    }
    // The layout font resolves to a real font of similar size on any machine.
    EXPECT_GE(QFontInfo(window->font()).pixelSize(), 10);
    EXPECT_LE(QFontInfo(window->font()).pixelSize(), 12);
}

// The summary dialog's texts wrap in the dialog's font; a text that needs more
// lines than its rectangle holds moves the ones below it down a little.
TEST_F(AppTest, SummaryTextsKeepTheirOrderAndPlace) {
    for (int lang : {IDC_LANG_RO, IDC_LANG_EN}) {
        Click(lang);
        Click(IDC_HELP_SUMMARY);
        QWidget* window = Window(COMUN::DLG_SUMMARY);
        ASSERT_NE(window, nullptr);
        const Units u = UnitsOf(window->font());
        auto px = [&](int du) { return (du * u.x + 2) / 4; };
        auto py = [&](int du) { return (du * u.y + 4) / 8; };
        EXPECT_EQ(window->width(), px(260));
        EXPECT_GE(window->height(), py(318));
        EXPECT_LE(window->height(), py(318 + 16)) << "grows a little at most";
        int previousBottom = -1;
        for (const Designed& d : kSummaryDesign) {
            QWidget* w = window->findChild<QWidget*>(QString::fromLatin1(d.name), Qt::FindDirectChildrenOnly);
            ASSERT_NE(w, nullptr);
            if (std::string(d.name) == "IDC_STATIC") continue;
            EXPECT_EQ(w->x(), px(d.x)) << d.name;
            EXPECT_GE(w->y(), py(d.y)) << d.name;
            EXPECT_LE(w->y(), py(d.y + 16)) << d.name;
            if (std::string(d.name).rfind("IDC_SUMMARY_TEXT_", 0) == 0) {
                EXPECT_GT(w->y(), previousBottom) << d.name << " below the text before it";
                previousBottom = w->geometry().bottom();
            }
        }
        Click(COMUN::DLG_SUMMARY, IDOK);
    }
}

TEST_F(AppTest, GroupBoxesLieUnderTheControlsTheyFrame) {
    QWidget* window = Window(Main());
    const QObjectList& children = window->children();
    const auto indexOf = [&](int id) { return children.indexOf(Widget(id)); };
    // Later children are drawn on top and take the clicks.
    EXPECT_LT(indexOf(IDC_GROUP_REPRESENTATION), indexOf(IDC_FRACTION_32));
    EXPECT_LT(indexOf(IDC_GROUP_REPRESENTATION), indexOf(IDC_ZEROS));
    EXPECT_LT(indexOf(IDC_GROUP_FORMAT), indexOf(IDC_FORMAT_128));
    EXPECT_LT(indexOf(IDC_GROUP_DATA), indexOf(IDC_VALUE));
    const QPoint inside = Widget(IDC_FRACTION_32)->geometry().center();
    EXPECT_EQ(window->childAt(inside), Widget(IDC_FRACTION_32));
}

TEST_F(AppTest, EveryBitOfTheWidestFieldsIsVisibleAtOnce) {
    for (auto [id, width] : kBitEdits) {
        QLineEdit* edit = Edit(id);
        ASSERT_NE(edit, nullptr);
        for (char bit : {'0', '1'}) {
            const std::string bits(static_cast<std::size_t>(width), bit);
            DIALOG_SET_TEXT(Main(), id, bits);
            const QString text = edit->text();
            SCOPED_TRACE(edit->objectName().toStdString() + " filled with " + bit);
            EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(text), EditTextRoom(edit));
            EXPECT_LE(EditTextNeed(edit, text), EditTextRoom(edit));
            // No horizontal scrolling: from the first to the last character the
            // caret travels the whole width of the text.
            const int start = CaretX(edit, 0);
            const int end = CaretX(edit, static_cast<int>(text.size()));
            EXPECT_GE(end - start, QFontMetrics(edit->font()).horizontalAdvance(text) - 1);
            EXPECT_LE(end, edit->width());
        }
    }
}

TEST_F(AppTest, NothingIsClippedInEitherLanguage) {
    ExpectNothingClipped("start");
    Click(IDC_LANG_EN);
    ExpectNothingClipped("English");
    Click(IDC_LANG_RO);
    ExpectNothingClipped("Romanian");
    // The longest parameter caption: a binary64 neighbour shown as bits.
    Click(IDC_FORMAT_64);
    ClickInto(IDC_FRACTION_64);
    SelectListItem(IDC_PARAM_LIST, 4);
    Click(IDC_BINARY_NEIGHBOURS);
    SelectListItem(IDC_PARAM_LIST, 4);
    ASSERT_EQ(Text(IDC_PARAM_CAPTION), "Nearest > X; Semnificand: ultimii 16 biti");
    ExpectNothingClipped("binary64 neighbour caption");
    // It starts on the row of the check box beside it.
    EXPECT_EQ(Widget(IDC_PARAM_CAPTION)->y(), Widget(IDC_BINARY_NEIGHBOURS)->y());
}

TEST_F(AppTest, ACaptionIsFittedAfreshEachTimeItChanges) {
    QWidget* caption = Widget(IDC_PARAM_CAPTION);
    const QRect layoutRect = caption->geometry();
    const QFont dialogFont = Window(Main())->font();
    DIALOG_SET_TEXT(Main(), IDC_PARAM_CAPTION, "Nearest > X; Significand: last 16 bits, shown in full");
    ExpectNothingClipped("long parameter caption");
    EXPECT_LE(caption->geometry().right(), Widget(IDC_DATA_TYPE)->geometry().left()) << "never over its neighbour";
    DIALOG_SET_TEXT(Main(), IDC_PARAM_CAPTION, "ULP");
    EXPECT_EQ(caption->geometry(), layoutRect);
    EXPECT_EQ(QFontInfo(caption->font()).pixelSize(), QFontInfo(dialogFont).pixelSize());
    EXPECT_EQ(Text(IDC_PARAM_CAPTION), "ULP");
}

// At any device-pixel ratio the icon buttons and the pictures are drawn from
// their vector sources at full resolution, never a scaled-up small bitmap.
TEST_F(AppTest, IconsAndPicturesAreCrispAtTheDevicePixelRatio) {
    QWidget* window = Window(Main());
    const qreal ratio = window->devicePixelRatioF();
    for (int id : {IDC_HELP_INFO, IDC_HELP_SUMMARY}) {
        auto* button = qobject_cast<QAbstractButton*>(Widget(id));
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(button->icon().isNull()) << id;
        const QPixmap pm = button->icon().pixmap(button->iconSize(), ratio);
        EXPECT_GE(pm.width(), qRound(button->iconSize().width() * ratio)) << id;
        EXPECT_EQ(pm.deviceIndependentSize().toSize(), button->iconSize()) << id;
    }
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        for (QWidget* w : about->findChildren<QWidget*>("IDC_STATIC")) {
            const QPixmap shot = w->grab();
            EXPECT_EQ(shot.devicePixelRatio(), about->devicePixelRatioF());
            EXPECT_EQ(shot.width(), qRound(w->width() * about->devicePixelRatioF()));
        }
        ran = true;
        QTest::keyClick(about, Qt::Key_Escape);
    });
    Click(IDC_ABOUT);
    EXPECT_TRUE(ran);
}
