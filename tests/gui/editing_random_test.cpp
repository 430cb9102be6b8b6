// Random use of the bit editing: keystrokes, pastes, button clicks, format,
// language and list choices in random order, with every message box answered.
// After each action every bit edit of the current format must hold at most its
// width of '0', '1' and blanks; whenever a bit field gains the focus the value
// display must show the decode of the fields.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/state.h"
#include "editing_helpers.h"
#include "harness.h"

namespace {

using namespace edit_test;

class RandomEditing : public harness::AppTest {
protected:
    std::mt19937 rng_;

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Uniform(1, 100) <= percent; }

    template <typename T>
    const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
    }

    // Pieces of text, each typed or pasted whole (the emoji is a surrogate pair).
    QString RandomText(int maxPieces, bool forTyping) {
        static const std::vector<QString> pieces = {
            // clang-format off
            "0", "1", "0", "1", "0", "1", " ", "2", "9", "x", "-", ".", "+", "e",
            QString(QChar(0xE9)), QString(QChar(0x20AC)), QString(QChar(0x4E2D)), QString(QChar(0x85)),
            // clang-format on
            QString::fromUtf8("\xF0\x9F\x98\x80"),
        };
        static const std::vector<QString> pasteOnly = {"\t", "\n", "\r\n", QString(QChar(0)), "0101010101010101"};
        QString text;
        const int count = Uniform(0, maxPieces);
        for (int i = 0; i < count; ++i) {
            text += (!forTyping && Chance(10)) ? OneOf(pasteOnly) : OneOf(pieces);
        }
        return text;
    }

    void CheckFields(int kind, int step) {
        for (const Field& field : RowOf(kind).fields) {
            const std::string shown = harness::Text(field.id);
            ASSERT_TRUE(IsBitText(shown, field.width))
                << "step " << step << ", field " << field.id << ": '" << shown << "'";
        }
    }
};

TEST_F(RandomEditing, ThousandsOfRandomActionsKeepTheFieldsValid) {
    unsigned seed = 20261208u;
    if (const char* env = std::getenv("ORVANE_RANDOM_SEED"))
        seed = static_cast<unsigned>(std::strtoul(env, nullptr, 10));
    rng_.seed(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    const std::vector<std::string> values = {"0.1",  "-2.5",   "1e-40", "3.4028235e38",   "-nan",
                                             "Inf",  "-in",    "abc",   "1e39",           "1.5D3",
                                             "-0.0", "5e-324", "12",    "1.17549435e-38", "1,5"};
    const std::vector<int> buttons = {IDC_ZEROS, IDC_ONES, IDC_INVERT};
    int kind = 4;
    int checkpoints = 0;
    constexpr int kActions = 1500;
    int events = 0;  // key presses, pastes and clicks sent

    for (int step = 0; step < kActions; ++step) {
        const Row& row = RowOf(kind);
        const Field& field = OneOf(row.fields);
        const int action = Uniform(0, 99);
        if (action < 30) {
            // Keystrokes at a random caret position.
            harness::ClickInto(field.id);
            const int move = Uniform(0, 3);
            if (move == 0) harness::Key(field.id, Qt::Key_Home);
            if (move == 1) harness::Key(field.id, Qt::Key_End);
            if (move == 2) harness::Key(field.id, Qt::Key_Left);
            const QString text = RandomText(4, true);
            harness::Type(field.id, text);
            events += 1 + (move < 3 ? 1 : 0) + static_cast<int>(text.size());
        } else if (action < 45) {
            harness::ClickInto(field.id);
            if (Chance(60)) SelectAll(field.id);
            QString text = RandomText(Chance(20) ? 200 : 30, false);
            harness::Paste(field.id, text);
            events += 2;
        } else if (action < 52) {
            harness::ClickInto(field.id);
            if (Chance(30)) SelectAll(field.id);
            harness::Key(field.id, Chance(50) ? Qt::Key_Backspace : Qt::Key_Delete);
            events += 2;
        } else if (action < 64) {
            harness::Click(OneOf(buttons));
        } else if (action < 68) {
            harness::Click(Chance(50) ? IDC_ALL_FIELDS : IDC_CURRENT_FIELD);
        } else if (action < 72) {
            const Row& next = OneOf(Rows());
            harness::Click(next.radio);
            kind = next.kind;
        } else if (action < 78) {
            SetField(IDC_VALUE, OneOf(values));
        } else if (action < 86) {
            if (harness::Widget(IDC_PARAM_LIST)->isEnabled()) harness::SelectListItem(IDC_PARAM_LIST, Uniform(1, 6));
        } else if (action < 89) {
            if (harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled()) harness::Click(IDC_BINARY_NEIGHBOURS);
        } else if (action < 91) {
            harness::Click(Chance(50) ? IDC_LANG_RO : IDC_LANG_EN);
        } else {
            // A bit field gains the focus: the value display follows the fields.
            harness::ClickInto(IDC_VALUE);
            harness::ClickInto(field.id);
            harness::ProcessEvents();
            ++checkpoints;
            ASSERT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(kind)) << "step " << step;
            ASSERT_EQ(harness::Text(IDC_CURSOR_POS), "0") << "step " << step;
            ASSERT_EQ(harness::Text(IDC_FIELD_WIDTH), std::to_string(field.width)) << "step " << step;
        }
        if (action >= 52) ++events;
        harness::ProcessEvents();
        ASSERT_EQ(COMUN::FORMAT_KIND, kind) << "step " << step;
        CheckFields(kind, step);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(checkpoints, 100);
    RecordProperty("user_events", events);
    std::printf("%d actions, %d key presses, pastes and clicks, %d focus checkpoints, %zu message boxes\n", kActions,
                events, checkpoints, harness::Messages().size());
    // Every message was one of the known error messages.
    for (const harness::MessageRecord& m : harness::Messages()) {
        EXPECT_TRUE(m.text == kInvalidBit || m.text == kExcessBit || m.text == "Invalid Value") << m.text;
        EXPECT_EQ(m.caption, "Error");
    }
}

}  // namespace
