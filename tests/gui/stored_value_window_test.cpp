// The stored value group through the real window: what a typed number was
// stored as, the hexadecimal word typed or pasted back, and the one-ULP steps.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>
#include <random>
#include <string>

#include "app/format_rows.h"
#include "app/state.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/stored_value.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using represent_test::Retype;

class StoredValueWindow : public harness::AppTest {
protected:
    void Choose(int kind) {
        harness::Click(RowOfKind(kind)->radio);
        ASSERT_EQ(COMUN::FORMAT_KIND, kind);
    }
    // The whole bit string the row of `kind` shows.
    std::string Bits(int kind) {
        std::string bits;
        for (const FieldEdit& field : RowOfKind(kind)->Fields()) bits += Text(field.id);
        return bits;
    }
    // Replaces the hexadecimal word by a paste, as a user does: select all, paste.
    void PasteWord(const QString& text) {
        harness::ClickInto(IDC_HEX);
        harness::Key(IDC_HEX, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(IDC_HEX, text);
    }
    void PasteWord(const std::string& text) { PasteWord(QString::fromStdString(text)); }
    void PasteWord(const char* text) { PasteWord(QString::fromLatin1(text)); }
};

TEST_F(StoredValueWindow, TypedTenthShowsWhatWasStored) {
    struct Case {
        int kind;
        const char *exact, *error, *ulps, *relative, *hex, *hexFloat;
    };
    const Case cases[] = {
        {ieee::KIND_BINARY32, "0.100000001490116119384765625", "-1.490116119384765625E-9", "-0.2 ULP", "-1.49E-8",
         "3DCCCCCD", "0x1.99999ap-4"},
        {ieee::KIND_BINARY64, "0.1000000000000000055511151231257827021181583404541015625",
         "-5.5511151231257827021181583404541015625E-18", "-0.4 ULP", "-5.55E-17", "3FB999999999999A",
         "0x1.999999999999ap-4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Choose(c.kind);
        Retype(IDC_VALUE, "0.1");
        harness::ClickInto(RowOfKind(c.kind)->fields[2].id);  // the fraction field
        EXPECT_EQ(Text(IDC_EXACT_VALUE), c.exact);
        EXPECT_EQ(Text(IDC_ERROR_VALUE), c.error);
        EXPECT_EQ(Text(IDC_ERROR_ULP), c.ulps);
        EXPECT_EQ(Text(IDC_ERROR_REL), c.relative);
        EXPECT_EQ(Text(IDC_HEX), c.hex);
        EXPECT_EQ(Text(IDC_SHORTEST), "0.1");
        EXPECT_EQ(Text(IDC_HEXFLOAT), c.hexFloat);
        // An edited bit is no longer what was typed: the error goes, the rest follows the bits.
        harness::Key(RowOfKind(c.kind)->fields[2].id, Qt::Key_Backspace);
        EXPECT_EQ(Text(IDC_ERROR_VALUE), "");
        EXPECT_EQ(Text(IDC_ERROR_ULP), "");
        EXPECT_NE(Text(IDC_HEX), c.hex);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StoredValueWindow, KeywordsAndStaleDisplays) {
    Retype(IDC_VALUE, "-inf");
    harness::ClickInto(IDC_SIGN_32);
    EXPECT_EQ(Text(IDC_EXACT_VALUE), "-Infinit");
    EXPECT_EQ(Text(IDC_ERROR_VALUE), "");  // a keyword is no typed number
    EXPECT_EQ(Text(IDC_HEX), "FF800000");
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(Text(IDC_EXACT_VALUE), "-Infinity");
    PasteWord("7FA00001");
    EXPECT_EQ(Text(IDC_EXACT_VALUE), "Signalling NaN, sign +, payload 0x200001");
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(Text(IDC_EXACT_VALUE), "NaN semnalizator, semn +, sarcina utila 0x200001");
    // A bulk button and a format change leave no stale display behind.
    harness::Click(IDC_ONES);
    for (int id : {IDC_EXACT_VALUE, IDC_ERROR_VALUE, IDC_HEX, IDC_SHORTEST, IDC_HEXFLOAT})
        EXPECT_EQ(Text(id), "") << id;
    harness::ClickInto(IDC_FRACTION_32);
    EXPECT_EQ(Text(IDC_HEX), "FFFFFFFF");
    harness::Click(IDC_FORMAT_64);
    for (int id : {IDC_EXACT_VALUE, IDC_HEX, IDC_SHORTEST, IDC_HEXFLOAT}) EXPECT_EQ(Text(id), "") << id;
    EXPECT_TRUE(Messages().empty());
}

// Thousands of digits are shown whole: the box scrolls, and a copy of it is
// the number, every digit, in one piece.
TEST_F(StoredValueWindow, LongExactValuesAreWholeAndCopyWhole) {
    Choose(ieee::KIND_BINARY128);
    PasteWord("00000000 00000000 00000000 00000001");
    const std::string exact = ieee::ExactDecimalText(*ieee::FormatFor(ieee::KIND_BINARY128), 1);
    ASSERT_GT(exact.size(), 11000u);
    EXPECT_EQ(Text(IDC_EXACT_VALUE), exact);
    QWidget* box = harness::Widget(IDC_EXACT_VALUE);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), exact);
}

// The exact value the group offers to copy, pasted into the value field, is
// read whole in every format: the same pattern, and no conversion error.
TEST_F(StoredValueWindow, PastedExactValuesAreReadWhole) {
    for (const FormatRow& row : FormatRows()) {
        SCOPED_TRACE(row.info->name);
        Choose(row.kind);
        for (ieee::uint128 pattern : {ieee::uint128(1), row.info->largestFinite()}) {
            const std::string exact = ieee::ExactDecimalText(*row.info, pattern);
            harness::ClickInto(IDC_VALUE);
            harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
            harness::Paste(IDC_VALUE, QString::fromLatin1(exact.c_str()));
            EXPECT_EQ(Bits(row.kind), ieee::BitString(*row.info, pattern)) << exact.size() << " characters";
            EXPECT_EQ(Text(IDC_ERROR_VALUE), "0");
        }
    }
    EXPECT_TRUE(Messages().empty());
}

// A pasted text far longer than a line edit keeps by default reaches the
// program whole in every field that takes one: it is read whole, or refused
// with the field's message and nothing changes.
TEST_F(StoredValueWindow, LongPastesAreReadWholeOrRefused) {
    const char* tooManyDigits = "Prea multe cifre hexazecimale !\n(Formatul binary32 are 8 cifre)";
    const char* excessBit = "1 Bit in Excess !\n(The last bit is being removed)";
    struct Case {
        int kind;
        int id;
        QString text;
        ieee::uint128 pattern;  // the pattern of the fields afterwards (the start is 2.5)
        const char* message;    // nullptr: none
    };
    const Case cases[] = {
        {ieee::KIND_BINARY16, IDC_HEX, QString(32765, u' ') + "3C00", 0x3C00, nullptr},
        {ieee::KIND_BINARY128, IDC_HEX, QString(32767, u' ') + "1", 1, nullptr},
        {ieee::KIND_BINARY32, IDC_HEX, QString(1 << 17, u' ') + "1", 0x40200000, tooManyDigits},
        {ieee::KIND_BINARY32, IDC_VALUE, QString(40000, u' ') + "1.5", 0x3FC00000, nullptr},
        {ieee::KIND_BINARY64, IDC_VALUE, "1" + QString(40000, u'0') + "E-40000", 0x3FF0000000000000, nullptr},
        {ieee::KIND_BINARY32, IDC_FRACTION_32, QString(40000, u'1'), 0x407FFFFF, excessBit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.id) + " " + std::to_string(c.text.size()));
        Choose(c.kind);
        Retype(IDC_VALUE, "2.5");
        harness::ClearMessages();
        harness::ClickInto(c.id);
        harness::Key(c.id, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(c.id, c.text);
        EXPECT_EQ(Bits(c.kind), ieee::BitString(*ieee::FormatFor(c.kind), c.pattern));
        ASSERT_EQ(Messages().size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(Messages()[0].text, c.message);
        }
    }
}

// Every text box shows whole lines: its text area is a whole number of lines
// high and its first line starts at the area's top, so none is cut.
TEST_F(StoredValueWindow, TextBoxesShowWholeLines) {
    Retype(IDC_VALUE, "0.1");
    for (int id : {IDC_EXACT_VALUE, IDC_ERROR_VALUE}) {
        auto* box = qobject_cast<QPlainTextEdit*>(harness::Widget(id));
        ASSERT_NE(box, nullptr) << id;
        const QTextBlock first = box->document()->firstBlock();
        const QTextLine line = first.layout()->lineAt(0);
        ASSERT_TRUE(line.isValid()) << id;
        const double height = box->viewport()->height();
        const double lines = std::floor(height / line.height());
        EXPECT_GE(lines, 1.0) << id;
        EXPECT_LT(height - lines * line.height(), 1.0) << id << ": " << height << " / " << line.height();
        EXPECT_EQ(box->cursorRect(QTextCursor(first)).top(), 0) << id;
    }
}

// Every pattern shown as a word and pasted back gives the same bits, in every
// format; the word is what the program shows for the fields it sets.
TEST_F(StoredValueWindow, HexWordsRoundTrip) {
    std::mt19937_64 rng(20261209);
    for (const FormatRow& row : FormatRows()) {
        Choose(row.kind);
        const ieee::FormatInfo& f = *row.info;
        for (int i = 0; i < 40; ++i) {
            ieee::uint128 pattern = (ieee::uint128(rng()) << 64 | rng()) & f.patternMask();
            if (i < 8)
                pattern = (i & 1 ? f.signBit() : 0) | (i < 2 ? 0 : i < 4 ? 1 : i < 6 ? f.infinity() - 1 : f.infinity());
            const std::string word = ieee::HexWord(f, pattern);
            PasteWord(word);
            ASSERT_EQ(Bits(row.kind), ieee::BitString(f, pattern)) << f.name << " " << word;
            EXPECT_EQ(Text(IDC_HEX), word);
            // Shown again after a focus change and pasted back: the same bits.
            harness::ClickInto(row.Sign().id);
            const std::string shown = Text(IDC_HEX);
            ASSERT_EQ(shown, word);
            PasteWord("0x" + shown);
            EXPECT_EQ(Bits(row.kind), ieee::BitString(f, pattern)) << f.name;
        }
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StoredValueWindow, BadWordsChangeNothing) {
    Retype(IDC_VALUE, "1.5");
    harness::ClickInto(IDC_FRACTION_32);
    ASSERT_EQ(Text(IDC_HEX), "3FC00000");
    const std::string bits = Bits(ieee::KIND_BINARY32);
    struct Case {
        QString text;
        const char* message;
    };
    const Case cases[] = {
        {"3FC0X000", "Cuvant hexazecimal invalid !\n(Sunt permise doar cifrele 0-9 si A-F)"},
        {"123456789", "Prea multe cifre hexazecimale !\n(Formatul binary32 are 8 cifre)"},
        {QString(100000, u'A'), "Prea multe cifre hexazecimale !\n(Formatul binary32 are 8 cifre)"},
        {QString::fromUtf8("3F\u00e9C"), "Cuvant hexazecimal invalid !\n(Sunt permise doar cifrele 0-9 si A-F)"},
        {QString::fromUtf8("3F\U0001F600"), "Cuvant hexazecimal invalid !\n(Sunt permise doar cifrele 0-9 si A-F)"},
        // clang-format off
        {QString("3F\x01" "C"), "Cuvant hexazecimal invalid !\n(Sunt permise doar cifrele 0-9 si A-F)"},
        // clang-format on
    };
    for (const Case& c : cases) {
        harness::ClearMessages();
        PasteWord(c.text);
        ASSERT_EQ(Messages().size(), 1u) << c.text.left(20).toStdString();
        EXPECT_EQ(Messages()[0].text, c.message);
        EXPECT_EQ(Messages()[0].caption, "Error");
        EXPECT_EQ(Messages()[0].style, platform::MB_ICONEXCLAMATION);
        EXPECT_EQ(Bits(ieee::KIND_BINARY32), bits);
        EXPECT_EQ(Text(IDC_HEX), "3FC00000");
        EXPECT_EQ(Text(IDC_VALUE), "+1.5000000E+00");
    }
    harness::Click(IDC_LANG_EN);
    harness::ClearMessages();
    harness::Type(IDC_HEX, "G");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Invalid hexadecimal word !\n(Only the digits 0-9 and A-F are allowed)");
    EXPECT_EQ(Messages()[0].caption, "Error");
    // Blanks, underscores and a short word: the low digits.
    harness::ClearMessages();
    PasteWord(" 0x_80_0 ");
    EXPECT_EQ(Bits(ieee::KIND_BINARY32), "00000000000000000000100000000000");
    EXPECT_EQ(Text(IDC_VALUE), "+2.8698593E-42");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StoredValueWindow, StepsAreNextUpAndNextDown) {
    struct Case {
        int kind;
        const char* from;
        int button;
        const char* to;  // nullptr: nothing happens
    };
    const Case cases[] = {
        {ieee::KIND_BINARY32, "3F800000", IDC_STEP_UP, "3F800001"},
        {ieee::KIND_BINARY32, "40000000", IDC_STEP_DOWN, "3FFFFFFF"},  // 2^k: the gap below is half
        {ieee::KIND_BINARY32, "7F7FFFFF", IDC_STEP_UP, "7F800000"},
        {ieee::KIND_BINARY32, "7F800000", IDC_STEP_DOWN, "7F7FFFFF"},
        {ieee::KIND_BINARY32, "7F800000", IDC_STEP_UP, nullptr},
        {ieee::KIND_BINARY32, "FF800000", IDC_STEP_DOWN, nullptr},
        {ieee::KIND_BINARY32, "FF800000", IDC_STEP_UP, "FF7FFFFF"},
        {ieee::KIND_BINARY32, "00000000", IDC_STEP_UP, "00000001"},
        {ieee::KIND_BINARY32, "80000000", IDC_STEP_UP, "00000001"},
        {ieee::KIND_BINARY32, "00000000", IDC_STEP_DOWN, "80000001"},
        {ieee::KIND_BINARY32, "00000001", IDC_STEP_DOWN, "00000000"},
        {ieee::KIND_BINARY32, "7FC00000", IDC_STEP_UP, nullptr},
        {ieee::KIND_BINARY64, "7FEFFFFFFFFFFFFF", IDC_STEP_UP, "7FF0000000000000"},
        {ieee::KIND_BINARY128, "00000000 00000000 00000000 00000000", IDC_STEP_UP,
         "00000000 00000000 00000000 00000001"},
        {ieee::KIND_BINARY16, "7BFF", IDC_STEP_UP, "7C00"},
        {ieee::KIND_BFLOAT16, "3F80", IDC_STEP_DOWN, "3F7F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.button == IDC_STEP_UP ? " up" : " down"));
        if (COMUN::FORMAT_KIND != c.kind) Choose(c.kind);
        PasteWord(c.from);
        harness::ClickInto(RowOfKind(c.kind)->Sign().id);
        const std::string value = Text(IDC_VALUE), exact = Text(IDC_EXACT_VALUE);
        harness::Click(c.button);
        EXPECT_EQ(Text(IDC_HEX), c.to ? c.to : c.from);
        if (!c.to) {
            EXPECT_EQ(Text(IDC_VALUE), value);
            EXPECT_EQ(Text(IDC_EXACT_VALUE), exact);
        }
    }
    // The shortcuts work from the value field and from a bit field.
    Choose(ieee::KIND_BINARY32);
    PasteWord("3F800000");
    harness::Key(IDC_VALUE, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(Text(IDC_HEX), "3F800001");
    EXPECT_EQ(Text(IDC_VALUE), "+1.0000001E+00");
    EXPECT_EQ(Text(IDC_DATA_TYPE), "Numar normalizat: Real(4)");
    harness::Key(IDC_FRACTION_32, Qt::Key_Down, Qt::AltModifier);
    harness::Key(IDC_FRACTION_32, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Text(IDC_HEX), "3F7FFFFF");
    EXPECT_TRUE(Messages().empty());
}

// A step right after typing starts from the typed text, read as a conversion
// reads it: a text that is no number gets its message and nothing steps.
TEST_F(StoredValueWindow, StepStartsFromTheTypedText) {
    struct Case {
        const char* typed;
        int key;
        const char* value;  // nullptr: the text is refused and the bits stay
    };
    const Case cases[] = {
        {"5", Qt::Key_Up, "+5.0000005E+00"},
        {"-2", Qt::Key_Down, "-2.0000002E+00"},
        {"-in", Qt::Key_Up, "-3.4028235E+38"},
        {"x", Qt::Key_Up, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PasteWord("3DCCCCCD");
        const std::string before = Bits(ieee::KIND_BINARY32);
        Retype(IDC_VALUE, c.typed);
        harness::ClearMessages();
        harness::Key(IDC_VALUE, c.key, Qt::AltModifier);
        if (c.value) {
            EXPECT_EQ(Text(IDC_VALUE), c.value);
            EXPECT_NE(Text(IDC_DATA_TYPE), "");
            EXPECT_TRUE(Messages().empty());
        } else {
            EXPECT_EQ(Text(IDC_VALUE), c.typed);
            EXPECT_EQ(Bits(ieee::KIND_BINARY32), before);
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0].text, "Invalid Value");
        }
    }
}

}  // namespace
