// Random texts typed and pasted into the value field in every format: ASCII
// noise, number-like noise, non-ASCII and non-Latin characters, empty and
// overlong texts. Nothing may crash; every message is the "Invalid Value"
// box, at most one per edit, and an edit that raises it leaves the bit fields
// exactly as they were; the fields always hold a whole bit pattern.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/state.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using represent_test::FormatRadio;
using represent_test::RowBits;

class RepresentFuzz : public harness::AppTest {
protected:
    // Fixed texts by default; --gtest_random_seed=N draws another set.
    std::mt19937 rng{20261208u + static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed())};

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    QString RandomText(int length, int flavour) {
        static const char kNumberish[] = "0123456789+-.eEdDqQ ,/iInNfFaAtTyY";
        static const char32_t kWide[] = {0xE9,   0xFF,   0xA0,    0xB2,    0x2026, 0x20AC, 0x0660, 0xFF11,
                                         0x4E00, 0x0394, 0x1D7CE, 0x1F600, 0x2212, 0xFF0E, 0x00BD};
        QString text;
        for (int i = 0; i < length; ++i) {
            switch (flavour) {
            case 0:  // printable ASCII
                text += QChar(static_cast<char16_t>(0x20 + Pick(95)));
                break;
            case 1:  // number-like
                text += QChar(static_cast<char16_t>(kNumberish[Pick(sizeof kNumberish - 1)]));
                break;
            default: {  // mostly number-like with non-ASCII characters mixed in
                if (Pick(3) == 0) {
                    const char32_t cp = kWide[Pick(sizeof kWide / sizeof kWide[0])];
                    text += QString::fromUcs4(&cp, 1);
                } else {
                    text += QChar(static_cast<char16_t>(kNumberish[Pick(sizeof kNumberish - 1)]));
                }
                break;
            }
            }
        }
        return text;
    }

    // What the free-form reader makes of the whole text the value field
    // shows: its status and, for a value, the bit string.
    static ieee::ReadStatus Expected(int kind, std::string& bits) {
        std::string seen = harness::Text(IDC_VALUE);
        seen.resize(std::max<std::size_t>(seen.size(), 42), ' ');
        ieee::ReadStatus status = ieee::ReadStatus::Invalid;
        if (kind == 4) {
            float x = 0;
            status = ieee::ReadFreeForm(seen, x);
            bits = ieee::BitString(x);
        } else if (kind == 8) {
            double x = 0;
            status = ieee::ReadFreeForm(seen, x);
            bits = ieee::BitString(x);
        } else {
            __float128 x = 0;
            status = ieee::ReadFreeForm(seen, x);
            bits = ieee::BitString(x);
        }
        return status;
    }

    static bool LooksLikeKeyword(const std::string& text) {
        if (text.size() < 3) return false;
        const std::string head = text.substr(0, 3);
        for (const char* k :
             {"NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na", "-na", "Inf", "inf", "+In", "+in", "-In", "-in"}) {
            if (head == k) return true;
        }
        return false;
    }

    // The checks after one edit of the value field.
    void CheckEdit(int kind, const std::string& before, const std::vector<std::string>& duringMessage,
                   std::size_t messagesBefore, const QString& label) {
        const std::size_t added = Messages().size() - messagesBefore;
        // A message exactly when a text of three or more characters that is no
        // keyword is rejected by the reader; an accepted number is shown.
        const std::string shown = harness::Text(IDC_VALUE);
        const auto last = shown.find_last_not_of(' ');
        const std::size_t length = last == std::string::npos ? 0 : last + 1;
        if (length < 3) {
            EXPECT_EQ(added, 0u) << label.toStdString();
            EXPECT_EQ(RowBits(kind), before) << label.toStdString();
        } else if (!LooksLikeKeyword(shown)) {
            std::string bits;
            const ieee::ReadStatus status = Expected(kind, bits);
            EXPECT_EQ(added, status == ieee::ReadStatus::Invalid ? 1u : 0u) << label.toStdString();
            if (status == ieee::ReadStatus::Value) {
                EXPECT_EQ(RowBits(kind), bits) << label.toStdString();
            }
        }
        ASSERT_LE(added, 1u) << label.toStdString();
        const std::string after = RowBits(kind);
        ASSERT_EQ(after.size(), static_cast<std::size_t>(8 * kind)) << label.toStdString();
        ASSERT_EQ(after.find_first_not_of("01"), std::string::npos) << label.toStdString();
        ASSERT_EQ(COMUN::VALUE_CHAR.size(), std::max<std::size_t>(shown.size(), 42));
        if (added == 1) {
            const harness::MessageRecord& m = Messages().back();
            EXPECT_EQ(m.text, "Invalid Value") << label.toStdString();
            EXPECT_EQ(m.caption, "Error");
            EXPECT_EQ(m.style, 0x30u);
            ASSERT_EQ(duringMessage.size(), 1u);
            EXPECT_EQ(duringMessage[0], before) << label.toStdString();
            EXPECT_EQ(after, before) << label.toStdString();
        }
    }

    void FuzzFormat(int kind, int texts) {
        harness::Click(FormatRadio(kind));
        harness::ProcessEvents();
        ASSERT_EQ(COMUN::FORMAT_KIND, kind);
        std::vector<std::string> duringMessage;
        harness::OnMessage([&](const harness::MessageRecord&) { duringMessage.push_back(RowBits(kind)); });
        for (int t = 0; t < texts; ++t) {
            const int flavour = t % 3;
            const int length = (t % 10 == 9) ? 60 + Pick(200) : Pick(14);
            const QString text = RandomText(length, flavour);
            const bool paste = (t % 2 == 1) || text.size() > 40;
            harness::ClickInto(IDC_VALUE);
            harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
            if (paste || text.isEmpty()) {
                const std::string before = RowBits(kind);
                const std::size_t count = Messages().size();
                duringMessage.clear();
                if (text.isEmpty()) {
                    harness::Key(IDC_VALUE, Qt::Key_Delete);
                } else {
                    harness::Paste(IDC_VALUE, text);
                }
                harness::ProcessEvents();
                CheckEdit(kind, before, duringMessage, count, text);
            } else {
                // Key by key; a character outside the basic plane arrives whole,
                // as an input method would insert it.
                for (int i = 0; i < text.size(); ++i) {
                    const int n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
                    const std::string before = RowBits(kind);
                    const std::size_t count = Messages().size();
                    duringMessage.clear();
                    if (n == 2) {
                        harness::Paste(IDC_VALUE, text.mid(i, n));
                    } else {
                        harness::Type(IDC_VALUE, text.mid(i, n));
                    }
                    harness::ProcessEvents();
                    CheckEdit(kind, before, duringMessage, count, text.left(i + n));
                    i += n - 1;
                }
            }
            if (HasFatalFailure()) break;
        }
        harness::OnMessage(nullptr);
    }
};

TEST_F(RepresentFuzz, RandomTextsInEveryFormat) {
    for (int kind : {4, 8, 16}) {
        SCOPED_TRACE(kind);
        FuzzFormat(kind, 90);
        if (HasFatalFailure()) return;
    }
}

TEST_F(RepresentFuzz, GarbageAfterATerminatorIsNeverRead) {
    // A valid number, a terminator, then anything at all: the number's pattern
    // and no message. Garbage glued to the number is an invalid value.
    for (int kind : {4, 8, 16}) {
        SCOPED_TRACE(kind);
        harness::Click(FormatRadio(kind));
        harness::ProcessEvents();
        harness::ClickInto(IDC_VALUE);
        harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(IDC_VALUE, "-2.5");
        harness::ProcessEvents();
        const std::string minus25 = RowBits(kind);
        for (int t = 0; t < 30; ++t) {
            const QString garbage = RandomText(1 + Pick(30), 2);
            const QString terminators[] = {" ", ",", "/"};
            harness::ClearMessages();
            harness::ClickInto(IDC_VALUE);
            harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
            harness::Paste(IDC_VALUE, "-2.5" + terminators[Pick(3)] + garbage);
            harness::ProcessEvents();
            EXPECT_TRUE(Messages().empty()) << garbage.toStdString();
            EXPECT_EQ(RowBits(kind), minus25) << garbage.toStdString();

            // A non-ASCII character right after the digits.
            const char32_t wide[] = {0xE9, 0x20AC, 0x4E00, 0x1F600, 0xB2};
            const char32_t cp = wide[Pick(5)];
            harness::ClickInto(IDC_VALUE);
            harness::Key(IDC_VALUE, Qt::Key_A, Qt::ControlModifier);
            harness::Paste(IDC_VALUE, "0.5" + QString::fromUcs4(&cp, 1));
            harness::ProcessEvents();
            ASSERT_EQ(Messages().size(), 1u) << static_cast<unsigned>(cp);
            EXPECT_EQ(Messages()[0].text, "Invalid Value");
            EXPECT_EQ(RowBits(kind), minus25);
        }
    }
}

}  // namespace
