// The rows of the Compare formats window.
#include "numeric/compare_view.h"

#include "numeric/class_text.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/operations_view.h"
#include "text/bilingual.h"

namespace compareview {

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<Row> Build(std::string_view text, int lang) {
    ieee::TypedDecimal typed;
    const bool exact = ieee::ExactTypedNumber(text, typed);
    const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
    std::vector<Row> rows;
    rows.reserve(ieee::AllFormats().size());
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        Row row;
        row.format = &f;
        row.cells[0] = f.name;
        ieee::uint128 bits = 0;
        const ieee::ReadStatus status = blank ? ieee::ReadStatus::NoValue : ieee::ReadFreeForm(f, text, bits);
        if (status == ieee::ReadStatus::Invalid) {
            row.cells[1] = opsview::InvalidValueText(lang);
        } else if (status == ieee::ReadStatus::Value) {
            row.stored = true;
            row.bits = bits;
            row.cells[1] = Trimmed(ieee::ScientificText(f, bits, false));
            row.cells[2] = ieee::HexWord(f, bits);
            row.cells[3] = ClassText(f, bits, lang);
            if (exact && ieee::IsFinitePattern(f, bits)) {
                const ieee::ConversionError error = ieee::ConversionErrorOf(f, typed, bits);
                row.cells[4] = error.ulps;
                row.cells[5] = error.relative;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string ColumnTitle(int column, int lang) {
    // clang-format off
    static constexpr bilingual::Text kTitles[kColumns] = {
        {"Format", "Format"},
        {"Valoarea stocata", "Stored value"},
        {"Cuvant hexazecimal", "Hexadecimal word"},
        {"Clasa", "Class"},
        {"Eroarea in ULP", "Error in ULPs"},
        {"Eroarea relativa", "Relative error"},
    };
    // clang-format on
    if (column < 0 || column >= kColumns) return {};
    return bilingual::PickString(kTitles[column], lang);
}

}  // namespace compareview
