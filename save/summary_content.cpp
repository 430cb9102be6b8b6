// The summary file's text: the summary dialog's texts, with the blanks before
// the "=" signs of items 5 and 6 set for a fixed-width file.
#include "save/summary_content.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "app/fixed_text.h"
#include "app/state.h"
#include "text/bilingual.h"

namespace {

constexpr std::size_t kSummaryLength = 180;
constexpr std::string_view kLineBreak = "\r\n";

// Items 5 and 6 as they are written to the file: only the blanks before the
// "=" signs differ from the dialog's texts. [item 5, 6][language].
constexpr std::array<std::array<std::array<std::string_view, 4>, 2>, 2> kFileItems{{
    {{
        {"- Numere normale:      E = Exponent_stocat - deplasare", "- Numere subnormale:   E = Emin",
         "- Zero cu semn:        E = Emin", ""},
        {"- Normal's exponent:      E = Stored exponent - bias", "- Subnormal's exponent:   E = Emin",
         "- Signed Zero's exponent: E = Emin", ""},
    }},
    {{
        {"Codificare semnificand \"sig\":", "- Numere normale:      sig = 1.b1b2 \x85 bP-1",
         "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:        sig = 0.0"},
        {"Significand encoding:", "- Normal's significand:       sig = 1.b1b2 \x85 bP-1",
         "- Subnormal's significand:    sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"},
    }},
}};
constexpr std::array<int, 2> kFileItemLineCount{3, 4};

}  // namespace

std::string SummaryFileContent(int lang) {
    const int form = bilingual::Index(lang);
    // TEXT_2: a copy of the summary texts with the file versions of items 5 and 6.
    std::array<std::array<std::string, 2>, 7> TEXT_2 = COMUN::STATIC_2;
    for (int k = 0; k < 2; ++k) {
        for (int language = 0; language < 2; ++language) {
            std::string text;
            for (int line = 0; line < kFileItemLineCount[k]; ++line) {
                if (line > 0) text += kLineBreak;
                text += kFileItems[k][language][line];
            }
            TEXT_2[4 + k][language] = Padded(text, kSummaryLength);
        }
    }
    std::string content;
    for (const auto& item : TEXT_2) {
        content += RightTrim(item[form]);
        content += kLineBreak;
        content += ' ';
        content += kLineBreak;
    }
    return content;
}
