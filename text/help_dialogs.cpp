// The Info dialog (ULP and the neighbours), the modeless summary dialog and
// the About dialog. The Info and About records live only while their modal
// dialog is open; the summary record is built once at start-up and reused.
#include "text/help_dialogs.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "app/fixed_text.h"
#include "app/controls.h"
#include "app/state.h"
#include "text/bilingual.h"
#include "text/captions.h"

namespace {

int LanguageIndex(int lang) { return bilingual::Index(lang); }

// Between two lines of the Info text stand two line breaks, each written as
// line feed then carriage return, so an empty line separates the lines.
constexpr std::string_view kInfoBreak = "\n\r\n\r";
constexpr std::array<std::string_view, 4> kInfoLines{
    "X = 2^E * b0.b1 ... bP-1",
    "ulp(X) = 2^(E+1-P)",
    "X  +ulp(X)  = X+",
    "X-  +ulp(X-) = X",
};
constexpr std::size_t kInfoLength = 90;

constexpr std::size_t kAboutTextLength = 100;
constexpr std::size_t kAboutTitleLength = 20;
constexpr std::array<std::string_view, 2> kAboutText{
    "ORVANE\n\nReprezentarea datelor in vigula flotanta, intr-un format binar",
    "ORVANE\n\nRepresentation of Floating Point Data in a Binary Format"};
constexpr std::array<std::string_view, 2> kAboutTitle{"Despre Program", "About Program"};
// The same in both languages.
constexpr std::string_view kAboutAuthor = "Orvane 1.5";

}  // namespace

void SUB_HELP(DIALOG&, int, int) {
    std::string text;
    for (std::size_t line = 0; line < kInfoLines.size(); ++line) {
        if (line > 0) text += kInfoBreak;
        text += kInfoLines[line];
    }
    const std::string info = Padded(text, kInfoLength);

    DIALOG record;
    DIALOG_INIT(IDD_INFO, record);
    DIALOG_SET_TEXT(record, IDC_INFO_TEXT, RightTrim(info));
    DIALOG_SHOW_MODAL(record);
    DIALOG_UNINIT(record);
}

void SUB_HELP2(DIALOG&, int, int) {
    // The texts follow the language at every opening; an open window is
    // reused and raised by the dialog layer.
    SHOW_SUMMARY_TEXTS(COMUN::DLG_SUMMARY);
    DIALOG_SHOW_MODELESS(COMUN::DLG_SUMMARY, 1);
}

void SUB_ABOUT(DIALOG&, int, int) {
    DIALOG record;
    DIALOG_INIT(IDD_ABOUT, record);

    const int lang = LanguageIndex(COMUN::LANG);
    const std::string heading = Padded(kAboutText[lang], kAboutTextLength);
    const std::string title = Padded(kAboutTitle[lang], kAboutTitleLength);
    const std::string author = Padded(kAboutAuthor, kAboutTextLength);

    DIALOG_SET_TITLE(record, RightTrim(title));
    DIALOG_SET_TEXT(record, IDC_ABOUT_HEADING, RightTrim(heading));
    DIALOG_SET_TEXT(record, IDC_ABOUT_AUTHOR, RightTrim(author));
    DIALOG_SHOW_MODAL(record);
    DIALOG_UNINIT(record);
}
