// The report of a datum (what orvane-cli show and the window's JSON give)
// against the real window: random values typed into the value field or as
// hexadecimal words, in every format and both languages, and every display
// the window shows of them must be the report's text.
#include <gtest/gtest.h>

#include <QCheckBox>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/format_rows.h"
#include "editing_helpers.h"
#include "harness.h"
#include "numeric/datum_report.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/stored_value.h"

namespace {

using harness::Text;
using ieee::uint128;

std::string Trim(std::string text) {
    text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

uint128 RandomPattern(const ieee::FormatInfo& f, std::mt19937_64& rng) {
    const uint128 random = (uint128(rng()) << 64 | rng()) & f.patternMask();
    switch (rng() % 4) {
    case 0: return random & ~f.exponentMask();  // zero or subnormal
    case 1: return random | f.exponentMask();   // infinity or NaN
    default: return random;
    }
}

// A decimal text of at least three characters that the value field reads
// to a value of format f.
std::string RandomText(const ieee::FormatInfo& f, std::mt19937_64& rng) {
    switch (rng() % 6) {
    case 0: {
        const char* words[] = {"-Inf", "Infinity", "nan", "-NaN", "0.0", "-0.0"};
        return words[rng() % std::size(words)];
    }
    case 1:
    case 2: {
        uint128 bits = RandomPattern(f, rng) & ~f.exponentMask();
        bits |= uint128(1 + rng() % static_cast<unsigned>(f.maxStored() - 1)) << f.fractionBits;
        return Trim(ieee::ScientificText(f, bits, rng() % 2 != 0));
    }
    default: {
        std::string text = rng() % 2 ? "-" : "";
        text += static_cast<char>('1' + rng() % 9);
        text += '.';
        for (int d = static_cast<int>(rng() % 40); d >= 0; --d) text += static_cast<char>('0' + rng() % 10);
        const int range = (f.emax * 3) / 10;  // decimal digits of the exponent range, roughly
        return text + "E" + std::to_string(static_cast<int>(rng() % static_cast<unsigned>(2 * range)) - range);
    }
    }
}

class DatumReportAgrees : public harness::AppTest {
protected:
    // The whole text of an edit replaced at once, as a paste does (typed key
    // by key, a half-typed number would be read and refused on the way).
    void Replace(int id, const std::string& text) {
        harness::ClickInto(id);
        edit_test::SelectAll(id);
        harness::Paste(id, QString::fromLatin1(text.data(), static_cast<int>(text.size())));
    }

    void Pick(int item) {
        harness::SelectListItem(IDC_PARAM_LIST, item == 6 ? 1 : 6);
        harness::SelectListItem(IDC_PARAM_LIST, item);
    }

    // The window's displays of the datum and the report's texts for them, as name, shown, reported.
    std::vector<std::string> Compare(const FormatRow& row, const report::DatumReport& r) {
        std::vector<std::string> differences;
        auto check = [&](const char* name, const std::string& shown, const std::string& reported) {
            if (Trim(shown) != reported)
                differences.push_back(std::string(name) + ": window '" + shown + "', report '" + reported + "'");
        };
        std::string fraction;
        for (std::size_t k = 2; k < static_cast<std::size_t>(row.fieldCount); ++k) fraction += Text(row.fields[k].id);
        check("sign", Text(row.fields[0].id), r.sign);
        check("exponent field", Text(row.fields[1].id), r.exponentField);
        check("fraction", fraction, r.fraction);
        check("value", Text(IDC_VALUE), r.value);
        check("class", Text(IDC_DATA_TYPE), r.classText);
        check("exact", Text(IDC_EXACT_VALUE), r.exact);
        check("error", Text(IDC_ERROR_VALUE), r.error);
        check("error ULP", Text(IDC_ERROR_ULP), r.errorUlps);
        check("error relative", Text(IDC_ERROR_REL), r.errorRelative);
        check("hex", Text(IDC_HEX), r.hex);
        check("shortest", Text(IDC_SHORTEST), r.shortest);
        check("hex-float", Text(IDC_HEXFLOAT), r.hexFloat);
        if (harness::Enabled(IDC_PARAM_LIST) != r.finite) differences.push_back("parameter list enabled");
        if (!r.finite) return differences;
        Pick(1);
        check("exponent caption", Text(IDC_PARAM_CAPTION), r.exponentCaption);
        check("exponent", Text(IDC_PARAM_VALUE), std::to_string(r.exponent));
        Pick(2);
        check("significand", Text(IDC_PARAM_VALUE), r.significand);
        Pick(3);
        check("ULP", Text(IDC_PARAM_VALUE), r.ulp);
        Pick(4);
        check("X+", Text(IDC_PARAM_VALUE), r.nextUp);
        Pick(5);
        check("X-", Text(IDC_PARAM_VALUE), r.nextDown);
        Pick(6);
        check("epsilon", Text(IDC_PARAM_VALUE), r.epsilon);
        Pick(4);
        harness::Click(IDC_BINARY_NEIGHBOURS);  // usable while a neighbour is shown; read when one is chosen
        Pick(4);
        check("X+ bits", Text(IDC_PARAM_VALUE), r.nextUpBits);
        Pick(5);
        check("X- bits", Text(IDC_PARAM_VALUE), r.nextDownBits);
        harness::Click(IDC_BINARY_NEIGHBOURS);
        return differences;
    }
};

TEST_F(DatumReportAgrees, EveryDisplayOfTheWindowIsTheReportsText) {
    std::mt19937_64 rng(12092026);
    constexpr int kValues = 200;
    for (const FormatRow& row : FormatRows()) {
        const ieee::FormatInfo& f = *row.info;
        harness::Click(row.radio);
        for (int k = 0; k < kValues; ++k) {
            const int lang = k < kValues / 2 ? 1 : 2;
            if (k == kValues / 2) harness::Click(IDC_LANG_EN);
            report::DatumReport expected;
            std::string entered;
            if (k % 3 == 0) {
                const uint128 bits = RandomPattern(f, rng);
                entered = ieee::HexWord(f, bits);
                Replace(IDC_HEX, entered);
                expected = report::Report(f, bits, nullptr, lang);
            } else {
                entered = RandomText(f, rng);
                const report::ValueRead read = report::ReadValue(f, entered);
                ASSERT_TRUE(read.ok) << entered;
                Replace(IDC_VALUE, entered);
                expected = report::Report(f, read.bits, read.typedNumber ? &read.typed : nullptr, lang);
            }
            harness::ClickInto(row.Sign().id);
            harness::ProcessEvents();
            const std::vector<std::string> differences = Compare(row, expected);
            ASSERT_TRUE(differences.empty()) << f.name << " " << entered << "\n" << differences.front();
        }
        harness::Click(IDC_LANG_RO);
    }
    for (const harness::MessageRecord& m : harness::Messages()) ADD_FAILURE() << "message: " << m.text;
}

}  // namespace
