// Every display of a datum reads the same pattern from the bit fields: a
// field text shorter than its field is that field's number in its own place,
// whatever field it is and whatever follows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/format_rows.h"
#include "editing_helpers.h"
#include "harness.h"

namespace {

using edit_test::SetField;
using harness::Text;

class DisplaysAgree : public harness::AppTest {
protected:
    // Puts the texts into the row's fields and decodes them by entering the sign field.
    void Enter(const FormatRow& row, const std::vector<std::string>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (Text(row.fields[i].id) != texts[i]) SetField(row.fields[i].id, texts[i]);
        harness::ClickInto(IDC_VALUE);
        harness::ClickInto(row.Sign().id);
        harness::ProcessEvents();
    }

    // Chooses a list entry so that the selection changes.
    void Pick(int item) {
        harness::SelectListItem(IDC_PARAM_LIST, item == 6 ? 1 : 6);
        harness::SelectListItem(IDC_PARAM_LIST, item);
        harness::ProcessEvents();
    }

    // What the window shows of the datum: value, class, the stored value
    // group, and every entry of the parameter list (neighbours also as bits).
    std::vector<std::string> Displays() {
        std::vector<std::string> shown;
        for (int id : {IDC_VALUE, IDC_DATA_TYPE, IDC_EXACT_VALUE, IDC_HEX, IDC_SHORTEST, IDC_HEXFLOAT})
            shown.push_back(Text(id));
        if (!harness::Enabled(IDC_PARAM_LIST)) return shown;
        for (int item = 1; item <= 5; ++item) {
            Pick(item);
            shown.push_back(Text(IDC_PARAM_CAPTION) + ": " + Text(IDC_PARAM_VALUE));
        }
        harness::Click(IDC_BINARY_NEIGHBOURS);  // usable while a neighbour is shown
        for (int item : {4, 5}) {
            Pick(item);
            shown.push_back(Text(IDC_PARAM_VALUE));
        }
        harness::Click(IDC_BINARY_NEIGHBOURS);
        return shown;
    }
};

TEST_F(DisplaysAgree, AShortFieldIsItsNumberInItsOwnPlace) {
    for (const FormatRow& row : FormatRows()) {
        harness::Click(row.radio);
        // Negative, exponent just below the bias, a fraction (each part) with
        // bits at both ends: every field but the sign begins with '0'.
        std::vector<std::string> full;
        for (const FieldEdit& field : row.Fields()) {
            const auto width = static_cast<std::size_t>(field.width);
            if (field.first == 0) full.push_back("1");
            else if (field.first == 1) full.push_back("0" + std::string(width - 1, '1'));
            else if (width < 3) full.push_back("0" + std::string(width - 1, '1'));  // an integer bit, a short fraction
            else full.push_back("01" + std::string(width - 3, '0') + "1");
        }
        for (std::size_t k = 0; k < full.size(); ++k) {
            SCOPED_TRACE(std::string(row.info->name) + ", field " + std::to_string(k) + " one bit short");
            // The field without its first character, and the same number typed in full.
            std::vector<std::string> shortened = full, padded = full;
            shortened[k] = full[k].substr(1);
            padded[k] = "0" + shortened[k];
            Enter(row, padded);
            const std::vector<std::string> expected = Displays();
            Enter(row, shortened);
            EXPECT_EQ(Displays(), expected);
        }
    }
    EXPECT_TRUE(harness::Messages().empty());
}

}  // namespace
