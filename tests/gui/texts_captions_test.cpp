// Bilingual captions of the main dialog and the language switch, driven
// through the real "RO" / "EN" radios, bit fields and parameter list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "app/controls.h"
#include "app/state.h"
#include "harness.h"

namespace {

struct Caption {
    int id;
    const char* romanian;
    const char* english;  // as shown: trailing blanks are not displayed
};

// The thirteen captions that follow the language ("\n" is one line feed).
const std::vector<Caption> kCaptions = {
    {IDC_GROUP_DATA, "Data", "Datum"},
    {IDC_GROUP_REPRESENTATION, "Reprezentare FP", "FP Representation"},
    {IDC_GROUP_FORMAT, "Format", "Format"},
    {IDC_FORMAT_CAPTION, "Biti     (Nume)", "Bits     (Name)"},
    {IDC_DATA_TYPE_CAPTION, "Tip data  (click pe un camp din format)", "Data Type  (click a format field)"},
    {IDC_PARAM_LIST_CAPTION, "Parametru  (Numere finite)", "Parameter  (Finite Numbers)"},
    {IDC_BINARY_NEIGHBOURS, "Binar: X+ -", "Binary: X+ -"},
    {IDC_ALL_FIELDS, "Toate campurile", "All Fields"},
    {IDC_CURRENT_FIELD, "Campul curent  (click pe un camp)", "Current Field  (click a field)"},
    {IDC_CURSOR_POS_CAPTION, "Pozitie cursor in camp\n(msb = 1)", "Cursor Position in Field\n(msb = 1)"},
    {IDC_CURSOR_POS_CAPTION2, "Pozitie (Modificare /Actualizare)", "Position\n(Change/Update)"},
    {IDC_FIELD_WIDTH_CAPTION, "Latime camp", "Field Width"},
    {IDC_ABOUT, "DESPRE", "ABOUT"},
};

// Controls whose layout captions never change with the language.
struct Fixed {
    int id;
    const char* caption;
};
const std::vector<Fixed> kFixedCaptions = {
    {IDC_LANG_RO, "RO"}, {IDC_LANG_EN, "EN"},      {IDC_ZEROS, "0's"},
    {IDC_ONES, "1's"},   {IDC_INVERT, "0 <--> 1"}, {IDC_EXIT, "Exit"},
};

const std::string kRomanianPlaceholder = std::string(25, ' ') + "Semnificand (Fractia)";
const std::string kEnglishPlaceholder = std::string(25, ' ') + "Trailing Significand (Fraction)";

std::string ListItem(int id, int item) {
    auto* view = qobject_cast<QAbstractItemView*>(harness::Widget(id));
    if (view == nullptr || view->model() == nullptr) return "<no list>";
    return view->model()->index(item - 1, 0).data().toString().toStdString();
}

class LanguageSwitch : public harness::AppTest {
protected:
    // Every caption of the table in one language, plus the unchanging ones.
    void ExpectCaptions(bool english) {
        for (const Caption& c : kCaptions)
            EXPECT_EQ(harness::Text(c.id), english ? c.english : c.romanian) << "control " << c.id;
        for (const Fixed& f : kFixedCaptions) EXPECT_EQ(harness::Text(f.id), f.caption) << "control " << f.id;
        EXPECT_EQ(ListItem(IDC_PARAM_LIST, 2), english ? "Significand" : "Semnificand");
        for (int item : {1, 3, 4, 5, 6}) {
            static const char* const others[] = {"Exponent", "", "ULP", "X+ = Nearest(x,+1.0)", "X- = Nearest(x,-1.0)",
                                                 "Epsilon"};
            EXPECT_EQ(ListItem(IDC_PARAM_LIST, item), others[item - 1]);
        }
        EXPECT_EQ(COMUN::LANG, english ? 2 : 1);
        EXPECT_EQ(COMUN::LANG_RO, !english);
    }
};

TEST_F(LanguageSwitch, StartsRomanianAndSwitchesBackAndForth) {
    ExpectCaptions(false);
    const std::string windowTitle = harness::Window(ORVANEGLOBALS::DLG_MAIN)->windowTitle().toStdString();

    harness::Click(IDC_LANG_EN);
    harness::ProcessEvents();
    ExpectCaptions(true);

    harness::Click(IDC_LANG_RO);
    harness::ProcessEvents();
    ExpectCaptions(false);

    // Clicking the radio that is already checked changes nothing.
    harness::Click(IDC_LANG_RO);
    harness::ProcessEvents();
    ExpectCaptions(false);
    harness::Click(IDC_LANG_EN);
    harness::Click(IDC_LANG_EN);
    harness::ProcessEvents();
    ExpectCaptions(true);

    // The window title does not follow the language.
    EXPECT_EQ(harness::Window(ORVANEGLOBALS::DLG_MAIN)->windowTitle().toStdString(), windowTitle);
}

TEST_F(LanguageSwitch, Binary64PlaceholderIsSwappedButBitsAreKept) {
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), kRomanianPlaceholder);
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), kEnglishPlaceholder);
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), kEnglishPlaceholder);
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), kRomanianPlaceholder);

    // Once binary64 is chosen the field shows bits, which no switch touches.
    harness::Click(IDC_FORMAT_64);
    const std::string zeros(52, '0');
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), zeros);
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), zeros);
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(harness::Text(IDC_FRACTION_64), zeros);
}

TEST_F(LanguageSwitch, DataTypeFollowsTheLanguage) {
    // Focus into the fraction field decodes the zero pattern.
    harness::ClickInto(IDC_FRACTION_32);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Zero cu semn");
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Signed Zero");

    // A format change empties the box; the next switch shows the class of the
    // last decoded pattern again, in the new language.
    harness::Click(IDC_FORMAT_64);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "");
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Zero cu semn");

    // A normal binary64 pattern: one exponent bit typed by the user.
    harness::ClickInto(IDC_EXPONENT_64);
    harness::Key(IDC_EXPONENT_64, Qt::Key_End);
    harness::Key(IDC_EXPONENT_64, Qt::Key_Left, Qt::ShiftModifier);
    harness::Type(IDC_EXPONENT_64, "1");
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Numar normalizat: Real(8)");
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Normalized Number: Real(8)");
}

TEST_F(LanguageSwitch, BeforeAnyDecodingTheStartPatternIsNamedAZero) {
    // Start-up shows the zero binary32 pattern; a switch before any bit field
    // was entered names that pattern, not a normal number.
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "");
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Signed Zero");
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(harness::Text(IDC_DATA_TYPE), "Zero cu semn");
}

TEST_F(LanguageSwitch, ParameterCaptionFollowsOnlyForTheSignificand) {
    harness::ClickInto(IDC_FRACTION_32);  // decodes zero: the list becomes usable
    harness::ProcessEvents();
    ASSERT_TRUE(harness::Widget(IDC_PARAM_LIST)->isEnabled());

    harness::SelectListItem(IDC_PARAM_LIST, 2);
    harness::ProcessEvents();
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Significand");
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Semnificand");

    harness::SelectListItem(IDC_PARAM_LIST, 1);
    harness::ProcessEvents();
    const std::string exponentCaption = harness::Text(IDC_PARAM_CAPTION);
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), exponentCaption);
    EXPECT_EQ(ListItem(IDC_PARAM_LIST, 2), "Significand");
}

}  // namespace
