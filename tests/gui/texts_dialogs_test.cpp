// The Info, summary and About dialogs opened through the real buttons of the
// main dialog. Modal dialogs are inspected and closed from a timer that runs
// inside their event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/state.h"
#include "harness.h"

namespace {

// The summary texts as the dialog shows them, per item: Romanian, English.
// Lines are joined by CR LF; "\x85" is the ellipsis.
struct SummaryItem {
    std::vector<std::string> romanian;
    std::vector<std::string> english;
};
const std::vector<SummaryItem> kSummary = {
    {{"Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:", "- Numere Finite:",
      "1) Numere normale (normalizate)", "2) Numere subnormale (denormalizate)", "3) Zero cu semn"},
     {"Data representable in a floating-point format (Floating-Point Data) are:", "- Finite Numbers:",
      "1) Normal numbers (normalized)", "2) Subnormal numbers (denormalized)", "3) Signed Zero"}},
    {{"- Alte Date:", "4) Infinit cu semn", "5) Non-Numere (Not-a-Number)"},
     {"- Other Data:", "4) Signed Infinity", "5) Non-Numbers (Not-a-Number)"}},
    {{"Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)", "S = bitul de semn;",
      "E = exponentul (reprezentarii) ;", "sig = semnificand", "", "Valoare = (-1)^S * 2^E * sig"},
     {"Data 1, 2, and 3, are represented by a triple:  (S, E, sig)", "S = sign bit;", "E = (representation) exponent;",
      "sig = significand", "", "Value =(-1)^S * 2^E * sig"}},
    {{"Codificare exponent \"E\":", "- Datele 2 and 3:  Camp exponent = 00 ... 0",
      "- Datele 4 and 5:  Camp exponent = 11 ... 1"},
     {"Exponent encoding:", "- Data 2 and 3: Exponent field = 00 ... 0", "- Data 4 and 5: Exponent field = 11 ... 1"}},
    {{"- Numere normale:          E = Exponent_stocat - deplasare", "- Numere subnormale:  E = Emin",
      "- Zero cu semn:                E = Emin"},
     {"- Normal's exponent:           E = Stored exponent - bias", "- Subnormal's exponent:    E = Emin",
      "- Signed Zero's exponent: E = Emin"}},
    {{"Codificare semnificand \"sig\":", "- Numere normale:           sig = 1.b1b2 \x85 bP-1",
      "- Numere subnormale:    sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:                 sig = 0.0"},
     {"Significand encoding:", "- Normal's significand:            sig = 1.b1b2 \x85 bP-1",
      "- Subnormal's significand:     sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"}},
    {{"- Infinit cu semn:  Camp semnificand  = 00 ... 0", "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0"},
     {"- Signed Infinity:  Significand Field = 00 ... 0", "- Not-a-Number: Significand Field is not 00 ... 0"}},
};

std::string Joined(const std::vector<std::string>& lines, const std::string& brk) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? brk : "") + lines[i];
    return out;
}

// Texts of all labels of a window, as shown (Unicode).
std::vector<QString> LabelTexts(QWidget* window) {
    std::vector<QString> texts;
    for (QLabel* label : window->findChildren<QLabel*>()) texts.push_back(label->text());
    return texts;
}

// True when a label of the window holds exactly these Windows-1252 bytes as
// the program set them.
bool HasLabelBytes(QWidget* window, const std::string& bytes) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QByteArray raw = label->property("windowsText").toByteArray();
        if (std::string(raw.constData(), static_cast<std::size_t>(raw.size())) == bytes) return true;
    }
    return false;
}

bool HasLabel(QWidget* window, const QString& text) {
    for (const QString& shown : LabelTexts(window)) {
        QString plain = shown;
        plain.remove(QChar('\r'));
        if (plain == text) return true;
    }
    return false;
}

// Clicks `id` of the main dialog; while the modal dialog it opens is up,
// `inspect` runs with its window, then the dialog is closed with `close`.
// Returns false if no modal window appeared.
bool WithModal(int id, const std::function<void(QWidget*)>& inspect, const std::function<void(QWidget*)>& close) {
    bool seen = false;
    QTimer* poll = new QTimer;
    poll->setInterval(10);
    int tries = 0;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            if (++tries > 300) poll->stop();  // 3 s: give up, the test fails
            return;
        }
        poll->stop();
        seen = true;
        inspect(modal);
        close(modal);
    });
    poll->start();
    harness::Click(id);
    poll->stop();
    delete poll;
    harness::ProcessEvents();
    return seen;
}

void PressEscape(QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); }

void ClickOk(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->text() == "OK") {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no visible OK button";
    window->close();
}

class HelpDialogs : public harness::AppTest {
protected:
    void ExpectSummaryTexts(bool english) {
        for (std::size_t i = 0; i < kSummary.size(); ++i) {
            const auto& lines = english ? kSummary[i].english : kSummary[i].romanian;
            const int id = IDC_SUMMARY_TEXT_1 + static_cast<int>(i);
            EXPECT_EQ(harness::Text(COMUN::DLG_SUMMARY, id), Joined(lines, "\r\n")) << "summary item " << i + 1;
        }
    }
};

TEST_F(HelpDialogs, InfoShowsTheFormulasInEitherLanguage) {
    // Each line break is line feed then carriage return; 86 characters in all.
    const std::string kInfoBytes =
        "X = 2^E * b0.b1 ... bP-1\n\r\n\rulp(X) = 2^(E+1-P)\n\r\n\rX  +ulp(X)  = X+\n\r\n\rX-  +ulp(X-) = X";
    ASSERT_EQ(kInfoBytes.size(), 86u);
    const QString expected =
        QString::fromLatin1("X = 2^E * b0.b1 ... bP-1\n\nulp(X) = 2^(E+1-P)\n\nX  +ulp(X)  = X+\n\nX-  +ulp(X-) = X");
    for (int lang : {IDC_LANG_RO, IDC_LANG_EN}) {
        harness::Click(lang);
        QString title;
        bool found = false;
        bool exact = false;
        const bool opened = WithModal(
            IDC_HELP_INFO,
            [&](QWidget* w) {
                title = w->windowTitle();
                found = HasLabel(w, expected);
                exact = HasLabelBytes(w, kInfoBytes);
            },
            PressEscape);
        ASSERT_TRUE(opened);
        EXPECT_EQ(title, "Info");
        EXPECT_TRUE(found) << "Info text not shown";
        EXPECT_TRUE(exact) << "Info text not set as LF CR pairs";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // Opening it again works after it was closed with OK.
    EXPECT_TRUE(WithModal(
        IDC_HELP_INFO, [](QWidget*) {}, ClickOk));
    EXPECT_TRUE(harness::Messages().empty());
}

TEST_F(HelpDialogs, AboutTakesTheLanguageOfTheMomentItOpens) {
    struct Case {
        int lang;
        const char* title;
        const char* heading;
    };
    const Case cases[] = {
        {IDC_LANG_RO, "Despre Program", "ORVANE\n\nReprezentarea datelor in vigula flotanta, intr-un format binar"},
        {IDC_LANG_EN, "About Program", "ORVANE\n\nRepresentation of Floating Point Data in a Binary Format"},
        {IDC_LANG_RO, "Despre Program", "ORVANE\n\nReprezentarea datelor in vigula flotanta, intr-un format binar"},
    };
    QString firstAuthor;
    for (const Case& c : cases) {
        harness::Click(c.lang);
        QString title;
        bool headingShown = false;
        QString author;
        const bool opened = WithModal(
            IDC_ABOUT,
            [&](QWidget* w) {
                title = w->windowTitle();
                headingShown = HasLabel(w, QString::fromLatin1(c.heading)) && HasLabelBytes(w, c.heading);
                for (const QString& text : LabelTexts(w))
                    if (text.contains("1.5")) author = text;
            },
            PressEscape);
        ASSERT_TRUE(opened);
        EXPECT_EQ(title.toStdString(), c.title);
        EXPECT_TRUE(headingShown) << c.heading;
        EXPECT_FALSE(author.isEmpty()) << "no version line";
        if (firstAuthor.isEmpty()) firstAuthor = author;
        EXPECT_EQ(author, firstAuthor);  // the same in both languages
    }
    EXPECT_TRUE(WithModal(
        IDC_ABOUT, [](QWidget*) {}, ClickOk));
}

TEST_F(HelpDialogs, SummaryShowsTheTextsOfTheLanguageAtEachOpening) {
    EXPECT_EQ(harness::Window(COMUN::DLG_SUMMARY) != nullptr && harness::Window(COMUN::DLG_SUMMARY)->isVisible(),
              false);
    harness::Click(IDC_HELP_SUMMARY);
    QWidget* window = harness::Window(COMUN::DLG_SUMMARY);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Floating-Point Data - Summary");
    ExpectSummaryTexts(false);

    // The main dialog stays usable; an open summary keeps its language.
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(harness::Text(IDC_ABOUT), "ABOUT");
    ExpectSummaryTexts(false);

    // Closed and opened again: English.
    QTest::keyClick(window, Qt::Key_Escape);
    harness::ProcessEvents();
    EXPECT_TRUE(harness::Window(COMUN::DLG_SUMMARY) == nullptr || !harness::Window(COMUN::DLG_SUMMARY)->isVisible());
    harness::Click(IDC_HELP_SUMMARY);
    ASSERT_NE(harness::Window(COMUN::DLG_SUMMARY), nullptr);
    ExpectSummaryTexts(true);
    EXPECT_EQ(harness::Window(COMUN::DLG_SUMMARY)->windowTitle(), "Floating-Point Data - Summary");

    // The ellipsis appears on screen as the ellipsis character.
    auto* item6 = qobject_cast<QLabel*>(harness::Widget(COMUN::DLG_SUMMARY, IDC_SUMMARY_TEXT_6));
    ASSERT_NE(item6, nullptr);
    EXPECT_EQ(item6->text().count(QChar(0x2026)), 2);
    EXPECT_FALSE(item6->text().contains(QChar(0x85)));

    // Item 3 shows an empty line between "sig = ..." and the formula.
    EXPECT_NE(harness::Text(COMUN::DLG_SUMMARY, IDC_SUMMARY_TEXT_3).find("significand\r\n\r\nValue"),
              std::string::npos);
}

TEST_F(HelpDialogs, SummaryIsOneWindowReusedAndRaised) {
    harness::Click(IDC_HELP_SUMMARY);
    QWidget* first = harness::Window(COMUN::DLG_SUMMARY);
    ASSERT_NE(first, nullptr);

    // A second click while it is open: the same window, texts refreshed to
    // the language of the moment, and it is the active window again.
    harness::Click(IDC_LANG_EN);
    harness::Click(IDC_HELP_SUMMARY);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Window(COMUN::DLG_SUMMARY), first);
    EXPECT_TRUE(first->isVisible());
    ExpectSummaryTexts(true);
    int visibleSummaries = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "Floating-Point Data - Summary") ++visibleSummaries;
    EXPECT_EQ(visibleSummaries, 1);

    // Closed with OK and reopened many times during one run.
    for (int round = 0; round < 5; ++round) {
        QWidget* window = harness::Window(COMUN::DLG_SUMMARY);
        ASSERT_NE(window, nullptr);
        harness::Click(COMUN::DLG_SUMMARY, IDOK);
        harness::ProcessEvents();
        EXPECT_TRUE(harness::Window(COMUN::DLG_SUMMARY) == nullptr ||
                    !harness::Window(COMUN::DLG_SUMMARY)->isVisible());
        harness::Click(round % 2 ? IDC_LANG_EN : IDC_LANG_RO);
        harness::Click(IDC_HELP_SUMMARY);
        ASSERT_NE(harness::Window(COMUN::DLG_SUMMARY), nullptr);
        EXPECT_TRUE(harness::Window(COMUN::DLG_SUMMARY)->isVisible());
        ExpectSummaryTexts(round % 2 == 1);
    }
    EXPECT_TRUE(harness::Messages().empty());
}

}  // namespace
