// Typed bits are checked and repaired field by field: offending characters
// become '1', overlong texts are cut to the field width, and every repair is
// announced by a message box. Driven with real keystrokes and pastes.
#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

#include "dialog/platform.h"
#include "editing_helpers.h"
#include "harness.h"

namespace {

using namespace edit_test;

// What the program showed while one message box was open.
struct Seen {
    std::string text;
    std::string caption;
    unsigned style = 0;
    std::string field;
    std::string cursor;
    std::string value;
};

class BitValidation : public harness::AppTest {
protected:
    // Records every message with the edited field's text, the caret display
    // and the value display at the moment the box is open.
    void Watch(int fieldId) {
        seen_.clear();
        harness::ClearMessages();
        harness::OnMessage([this, fieldId](const harness::MessageRecord& m) {
            seen_.push_back({m.text, m.caption, m.style, harness::Text(fieldId), harness::Text(IDC_CURSOR_POS),
                             harness::Text(IDC_VALUE)});
        });
    }
    std::vector<Seen> seen_;
};

struct Expected {
    const char* message;  // kInvalidBit or kExcessBit
    std::string field;    // what the field shows while the box is open
};

struct TypingCase {
    const char* name;
    int kind;
    int field;
    std::string start;  // typed into the emptied field first (valid, not overlong)
    int caretKey;       // Qt::Key_Home or Qt::Key_End before the keystroke
    char key;           // the one character typed
    std::vector<Expected> messages;
    std::string final;
};

std::vector<TypingCase> TypingCases() {
    const std::string z8 = Repeat('0', 8), z11 = Repeat('0', 11), z15 = Repeat('0', 15);
    const std::string z23 = Repeat('0', 23), z48 = Repeat('0', 48), z52 = Repeat('0', 52), z64 = Repeat('0', 64);
    return {
        // clang-format off
        {"invalid digit into an empty binary32 exponent", 4, IDC_EXPONENT_32, "", Qt::Key_End, '2',
         {{kInvalidBit, "1"}}, "1"},
        {"invalid character in a short fraction", 4, IDC_FRACTION_32, "0101", Qt::Key_End, '#',
         {{kInvalidBit, "01011"}}, "01011"},
        {"valid ninth bit of the binary32 exponent is only cut", 4, IDC_EXPONENT_32, z8, Qt::Key_End, '1',
         {{kExcessBit, z8 + "1"}}, z8},
        {"invalid ninth character of the binary32 exponent is reported, then cut", 4, IDC_EXPONENT_32, z8,
         Qt::Key_End, '7', {{kInvalidBit, z8}, {kExcessBit, z8}}, z8},
        {"invalid first character of an overlong binary32 exponent", 4, IDC_EXPONENT_32, z8, Qt::Key_Home, '5',
         {{kInvalidBit, "1" + Repeat('0', 7)}, {kExcessBit, "1" + Repeat('0', 7)}}, "1" + Repeat('0', 7)},
        {"invalid first character of a full binary32 fraction", 4, IDC_FRACTION_32, z23, Qt::Key_Home, 'a',
         {{kInvalidBit, "1" + Repeat('0', 22)}, {kExcessBit, "1" + Repeat('0', 22)}}, "1" + Repeat('0', 22)},
        {"invalid 24th character of the binary32 fraction", 4, IDC_FRACTION_32, z23, Qt::Key_End, 'x',
         {{kInvalidBit, z23}, {kExcessBit, z23}}, z23},
        {"invalid character into an empty binary32 sign", 4, IDC_SIGN_32, "", Qt::Key_End, 'x',
         {{kInvalidBit, "1"}}, "1"},
        {"second sign character is never reported as invalid", 4, IDC_SIGN_32, "0", Qt::Key_End, 'x',
         {{kExcessBit, "0"}}, "0"},
        {"invalid first of two sign characters", 4, IDC_SIGN_32, "0", Qt::Key_Home, 'x',
         {{kInvalidBit, "1"}, {kExcessBit, "1"}}, "1"},
        {"binary64 exponent: an invalid twelfth character is only cut", 8, IDC_EXPONENT_64, z11, Qt::Key_End, '9',
         {{kExcessBit, z11 + "9"}}, z11},
        {"binary64 exponent: invalid first character of twelve", 8, IDC_EXPONENT_64, z11, Qt::Key_Home, '3',
         {{kInvalidBit, "1" + Repeat('0', 10)}, {kExcessBit, "1" + Repeat('0', 10)}}, "1" + Repeat('0', 10)},
        {"binary64 fraction: invalid 53rd character", 8, IDC_FRACTION_64, z52, Qt::Key_End, 'q',
         {{kInvalidBit, z52}, {kExcessBit, z52}}, z52},
        {"binary64 sign: second character cut", 8, IDC_SIGN_64, "1", Qt::Key_End, '1', {{kExcessBit, "1"}}, "1"},
        {"binary128 exponent: an invalid 16th character is only cut", 16, IDC_EXPONENT_128, z15, Qt::Key_End, '4',
         {{kExcessBit, z15 + "4"}}, z15},
        {"binary128 high fraction: invalid 49th character", 16, IDC_FRACTION_128_HIGH, z48, Qt::Key_End, 'z',
         {{kInvalidBit, z48}, {kExcessBit, z48}}, z48},
        {"binary128 high fraction: valid 49th bit", 16, IDC_FRACTION_128_HIGH, z48, Qt::Key_End, '1',
         {{kExcessBit, z48 + "1"}}, z48},
        {"binary128 low fraction: an invalid 65th character is only cut", 16, IDC_FRACTION_128_LOW, z64,
         Qt::Key_End, 'z', {{kExcessBit, z64 + "z"}}, z64},
        {"binary128 low fraction: invalid character inside", 16, IDC_FRACTION_128_LOW, "11", Qt::Key_Home, '-',
         {{kInvalidBit, "111"}}, "111"},
        // clang-format on
        {"binary128 sign: invalid character", 16, IDC_SIGN_128, "", Qt::Key_End, '+', {{kInvalidBit, "1"}}, "1"},
    };
}

TEST_F(BitValidation, TypedCharactersAreRepairedWithTheirMessages) {
    for (const TypingCase& c : TypingCases()) {
        SCOPED_TRACE(c.name);
        ChooseFormat(c.kind);
        SetField(c.field, c.start);
        harness::Key(c.field, c.caretKey);
        Watch(c.field);
        harness::Type(c.field, QString(QChar::fromLatin1(c.key)));
        harness::ProcessEvents();
        harness::OnMessage(nullptr);

        ASSERT_EQ(seen_.size(), c.messages.size());
        for (size_t i = 0; i < seen_.size(); ++i) {
            EXPECT_EQ(seen_[i].text, c.messages[i].message) << "message " << i;
            EXPECT_EQ(seen_[i].caption, "Error");
            const unsigned icon = c.messages[i].message == std::string(kInvalidBit) ? platform::MB_ICONEXCLAMATION
                                                                                    : platform::MB_ICONERROR;
            EXPECT_EQ(seen_[i].style, platform::MB_OK | icon) << "message " << i;
            EXPECT_EQ(seen_[i].field, c.messages[i].field) << "field while message " << i << " is open";
        }
        EXPECT_EQ(harness::Text(c.field), c.final);
        EXPECT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(c.kind));
    }
}

// The keystroke shows the caret position first, then checks the field, and
// only then decodes: while the message is open the position is already shown
// and the value display still holds the previous value.
TEST_F(BitValidation, PositionCheckDecodeAndValueRunInThisOrder) {
    ClearField(IDC_EXPONENT_32);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_VALUE), "+0.0000000E+00");
    Watch(IDC_EXPONENT_32);
    harness::Type(IDC_EXPONENT_32, "2");
    harness::OnMessage(nullptr);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].field, "1");
    EXPECT_EQ(seen_[0].cursor, "1");
    EXPECT_EQ(seen_[0].value, "+0.0000000E+00");
    EXPECT_EQ(harness::Text(IDC_FIELD_WIDTH), "8");
    // Sign '0', exponent '1' (the blank-padded rest skipped), 23 zero bits:
    // the pattern 0x00800000, the smallest normal number.
    EXPECT_EQ(harness::Text(IDC_VALUE), "+1.1754944E-38");
    EXPECT_FALSE(harness::Text(IDC_DATA_TYPE).empty());
}

// While a message of a binary64 or binary128 edit is open the parameter list
// is disabled; a binary32 edit leaves it alone. The decoding after the check
// enables it again for a finite pattern.
TEST_F(BitValidation, ParameterListWhileAMessageIsOpen) {
    const std::pair<int, int> cases[] = {{4, IDC_FRACTION_32}, {8, IDC_FRACTION_64}, {16, IDC_FRACTION_128_LOW}};
    for (const auto& [kind, id] : cases) {
        SCOPED_TRACE(kind);
        ChooseFormat(kind);
        SetField(id, "01");
        harness::ClickInto(IDC_VALUE);
        harness::ClickInto(id);
        ASSERT_TRUE(harness::Enabled(IDC_PARAM_LIST));
        std::vector<bool> enabledDuring;
        harness::OnMessage(
            [&](const harness::MessageRecord&) { enabledDuring.push_back(harness::Enabled(IDC_PARAM_LIST)); });
        harness::Type(id, "5");
        harness::OnMessage(nullptr);
        EXPECT_EQ(enabledDuring, std::vector<bool>{kind == 4});
        EXPECT_TRUE(harness::Enabled(IDC_PARAM_LIST));
        EXPECT_EQ(harness::Text(id), "011");
    }
}

TEST_F(BitValidation, BlanksAreAcceptedWithoutMessage) {
    SetField(IDC_FRACTION_32, "0");
    harness::Key(IDC_FRACTION_32, Qt::Key_End);
    harness::ClearMessages();
    harness::Type(IDC_FRACTION_32, " 1 ");
    harness::ProcessEvents();
    EXPECT_TRUE(harness::Messages().empty());
    EXPECT_EQ(harness::Text(IDC_FRACTION_32).substr(0, 3), "0 1");
    EXPECT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(4));
}

// Pasting a long mixed text: the field ends with at most its width of '0',
// '1' and blanks, after the invalid-bit message (when an invalid character
// lies within the examined prefix) and the excess-bit message.
TEST_F(BitValidation, LongPastesAreCutAndRepairedInEveryField) {
    // Letters, punctuation, non-ASCII; digits other than 0 and 1; and a run of
    // valid bits longer than the field in front, so that the first invalid
    // character lies past the examined prefix.
    const std::string digitMix = "0110923847561029384756102938475610293847561029384756";
    // clang-format off
    const std::string anyMix = "01 0\xE9" "1x1*0 \x80" "0A10111 10?1\xFC" "00 1;01";
    // clang-format on
    for (const Row& row : Rows()) {
        ChooseFormat(row.kind);
        for (const Field& field : row.fields) {
            for (int variant = 0; variant < 3; ++variant) {
                std::string text = variant == 1 ? digitMix : anyMix;
                while (text.size() < 150) text += text;
                if (variant == 2) text = Repeat('1', field.width + 1) + text;
                SCOPED_TRACE(std::to_string(row.kind) + "/" + std::to_string(field.id) + "/" + std::to_string(variant));

                // Expected outcome from the first width + 1 characters.
                const int m = field.sign                                                      ? 1
                              : (field.width == 11 || field.width == 15 || field.width == 64) ? field.width
                                                                                              : field.width + 1;
                std::string work = text.substr(0, static_cast<size_t>(field.width) + 1);
                bool invalid = false;
                for (int i = 0; i < m; ++i) {
                    char& ch = work[static_cast<size_t>(i)];
                    if (ch != '0' && ch != '1' && ch != ' ') {
                        ch = '1';
                        invalid = true;
                    }
                }
                std::string final = work.substr(0, static_cast<size_t>(field.width));
                final.erase(final.find_last_not_of(' ') + 1);

                harness::ClickInto(field.id);
                SelectAll(field.id);
                Watch(field.id);
                harness::Paste(field.id, QString::fromLatin1(text.data(), static_cast<int>(text.size())));
                harness::ProcessEvents();
                harness::OnMessage(nullptr);

                std::vector<std::string> texts;
                for (const Seen& s : seen_) texts.push_back(s.text);
                std::vector<std::string> expected;
                if (invalid) expected.push_back(kInvalidBit);
                expected.push_back(kExcessBit);
                EXPECT_EQ(texts, expected);
                const std::string shown = harness::Text(field.id);
                EXPECT_TRUE(IsBitText(shown, field.width)) << shown;
                EXPECT_EQ(shown, final);
                EXPECT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(row.kind));
            }
        }
    }
}

// Whatever is pasted (control characters, characters outside the code page,
// very long texts), every field of the format ends as a valid bit text and the
// value display shows the decode of the fields.
TEST_F(BitValidation, ArbitraryPastesLeaveValidFields) {
    const std::vector<QString> pastes = {
        QString(),
        QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87 0101 \xF0\x9F\x98\x80 10"),
        QString::fromLatin1("\t01\r\n10\t"),
        QString(5000, QChar('1')),
        QString(3000, QChar('7')),
        // clang-format off
        QString::fromUtf8("\xE2\x80\xA6\xE2\x82\xAC" "0\xC2\xA0" "1"),
        // clang-format on
        QString(QChar(0)) + QString::fromLatin1("0101"),
    };
    for (const Row& row : Rows()) {
        ChooseFormat(row.kind);
        for (const Field& field : row.fields) {
            for (const QString& paste : pastes) {
                harness::ClickInto(field.id);
                SelectAll(field.id);
                harness::Paste(field.id, paste);
                harness::ProcessEvents();
                for (const Field& f : row.fields) {
                    const std::string shown = harness::Text(f.id);
                    EXPECT_TRUE(IsBitText(shown, f.width)) << f.id << ": '" << shown << "'";
                }
                EXPECT_EQ(harness::Text(IDC_VALUE), ExpectedValueText(row.kind));
            }
        }
    }
}

}  // namespace
