// The program's bilingual texts: every message it adds has a Romanian and an
// English form, and one rule picks between them.
#pragma once

#include <string>
#include <string_view>

namespace bilingual {

struct Text {
    std::string_view ro;  // Romanian, without diacritics
    std::string_view en;
};

// The program's language numbers: 1 Romanian, 2 English; anything else counts
// as Romanian, the language the program starts in.
constexpr std::string_view Pick(const Text& text, int lang) { return lang == 2 ? text.en : text.ro; }
inline std::string PickString(const Text& text, int lang) { return std::string(Pick(text, lang)); }
// The same rule as an index into a {Romanian, English} pair of slots: 0 or 1.
constexpr int Index(int lang) { return lang == 2 ? 1 : 0; }

}  // namespace bilingual
