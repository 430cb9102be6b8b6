// The entries of "Copy as...".
#include "numeric/copy_as.h"

#include "numeric/datum_report.h"
#include "numeric/ieee/byte_order.h"
#include "numeric/ieee/code_literal.h"
#include "numeric/ieee/stored_value.h"
#include "text/bilingual.h"

namespace {

// A menu shows this many characters of a text at most.
constexpr std::size_t kShownCharacters = 60;

void Add(std::vector<CopyChoice>& out, const bilingual::Text& what, int lang, std::string text) {
    if (text.empty()) return;
    std::string caption = bilingual::PickString(what, lang);
    caption += ": ";
    caption += text.size() > kShownCharacters ? text.substr(0, kShownCharacters - 3) + "..." : text;
    out.push_back({std::move(caption), std::move(text)});
}

}  // namespace

std::vector<CopyChoice> CopyChoices(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed,
                                    int lang) {
    std::vector<CopyChoice> out;
    // clang-format off
    Add(out, {"Literal C/C++", "C/C++ literal"}, lang, ieee::CLiteral(f, bits));
    Add(out, {"Cel mai scurt text zecimal", "Shortest decimal text"}, lang, ieee::ShortestText(f, bits));
    Add(out, {"Cuvant hexazecimal", "Hexadecimal word"}, lang, ieee::HexWord(f, bits));
    Add(out, {"Octeti little-endian", "Bytes, little-endian"}, lang, ieee::BytesText(f, bits, ieee::ByteOrder::Little));
    Add(out, {"Octeti big-endian", "Bytes, big-endian"}, lang, ieee::BytesText(f, bits, ieee::ByteOrder::Big));
    Add(out, {"Python (struct)", "Python (struct)"}, lang, ieee::PythonStruct(f, bits));
    Add(out, {"Python (float.fromhex)", "Python (float.fromhex)"}, lang, ieee::PythonFromHex(f, bits));
    Add(out, {"JSON (tot grupul)", "JSON (the whole group)"}, lang, report::DatumJson(f, bits, typed, lang));
    // clang-format on
    return out;
}
