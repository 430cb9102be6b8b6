// The main dialog as built from its layout: names, geometry in dialog units,
// and nothing clipped in either language.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

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

const std::pair<int, int> kBitEdits[] = {
    {IDC_SIGN_32, 1},  {IDC_EXPONENT_32, 8},   {IDC_FRACTION_32, 23},       {IDC_SIGN_64, 1},
    {IDC_EXPONENT_64, 11}, {IDC_FRACTION_64, 52}, {IDC_SIGN_128, 1},          {IDC_EXPONENT_128, 15},
    {IDC_FRACTION_128_HIGH, 48}, {IDC_FRACTION_128_LOW, 64}};

int CaretX(QLineEdit* edit, int position) {
    edit->setCursorPosition(position);
    edit->grab();  // lays the text out as a paint does
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// Every caption of the main dialog must be readable in full.
void ExpectNothingClipped(const char* language) {
    QWidget* window = Window(Main());
    ASSERT_NE(window, nullptr);
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(window)) continue;
        const std::string name = w->objectName().toStdString() + " (" + language + ")";
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty()) continue;
            QFontMetrics fm(label->font());
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name << ": " << label->text().toStdString();
                for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                    EXPECT_LE(fm.horizontalAdvance(word), label->width()) << name << ": word " << word.toStdString();
            } else {
                const QStringList lines = label->text().split(u'\n');
                for (const QString& line : lines) EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width()) << name;
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
        const bool captionless = def.kind == layouts::Kind::Edit || def.kind == layouts::Kind::ListBox ||
                                 (def.style & layouts::ICON_BUTTON);
        if (captionless) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << def.name << " needs an accessible name";
        }
    }
    // Accessible names tell the bit fields apart.
    QStringList names;
    for (auto [id, width] : kBitEdits) names << Widget(id)->accessibleName();
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 10);
    EXPECT_EQ(Widget(IDC_VALUE)->accessibleName().toStdString(), "Value X");
    EXPECT_EQ(Widget(IDC_EXPONENT_64)->accessibleName().toStdString(), "binary64 exponent bits");
}

TEST_F(AppTest, GeometryFollowsTheDialogUnitsOfTheDialogFont) {
    QWidget* window = Window(Main());
    const Units u = UnitsOf(window->font());
    ASSERT_GT(u.x, 0);
    auto px = [&](int du) { return (du * u.x + 2) / 4; };
    auto py = [&](int du) { return (du * u.y + 4) / 8; };
    EXPECT_EQ(window->size(), QSize(px(428), py(318)));
    const auto& layout = MainLayout();
    for (std::size_t i = 0; i < layout.count; ++i) {
        const auto& def = layout.controls[i];
        if (def.id == layouts::ID_STATIC) continue;
        const QRect want(px(def.x), py(def.y), px(def.w), py(def.h));
        const QRect got = Widget(def.id)->geometry();
        EXPECT_EQ(got.topLeft(), want.topLeft()) << def.name;
        EXPECT_EQ(got.height(), want.height()) << def.name;
        // Only a caption that needs it may widen its control (never an edit, list or frame).
        if (def.kind == layouts::Kind::RadioButton || def.kind == layouts::Kind::CheckBox || def.kind == layouts::Kind::Static ||
            def.kind == layouts::Kind::PushButton) {
            EXPECT_GE(got.width(), want.width()) << def.name;
            EXPECT_LE(got.width(), want.width() + px(12)) << def.name;
        } else {
            EXPECT_EQ(got.width(), want.width()) << def.name;
        }
    }
    // The layout font resolves to a real font of similar size on any machine.
    EXPECT_GE(QFontInfo(window->font()).pixelSize(), 10);
    EXPECT_LE(QFontInfo(window->font()).pixelSize(), 12);
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
