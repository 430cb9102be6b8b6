// show: the report of each value, as labelled lines or as JSON.
#include <algorithm>

#include "cli/commands.h"
#include "numeric/datum_report.h"
#include "text/bilingual.h"

namespace cli {

namespace {

constexpr std::size_t kLabelWidth = 32;

void Line(std::string& out, std::string_view label, std::string_view text) {
    if (text.empty()) return;
    out += "  ";
    out += label;
    if (label.size() < kLabelWidth) out.append(kLabelWidth - label.size(), ' ');
    out += ' ';
    out += text;
    out += '\n';
}

std::string Text(const report::DatumReport& r, std::string_view input, int lang) {
    auto pick = [lang](bilingual::Text t) { return bilingual::Pick(t, lang); };
    // The value as typed, unless a control byte in it could upset the terminal.
    const bool plain = std::all_of(input.begin(), input.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u != 0x7F;
    });
    std::string out = plain ? std::string(input) : report::JsonString(input);
    out += " (";
    out += r.format->name;
    out += ")\n";
    // x87's integer bit is a field of its own, before the fraction.
    if (r.format->explicitLeadingBit && !r.fraction.empty())
        Line(out, pick({"campuri (semn exponent bit intreg fractie)", "fields (sign exponent integer fraction)"}),
             r.sign + ' ' + r.exponentField + ' ' + r.fraction.substr(0, 1) + ' ' + r.fraction.substr(1));
    else
        Line(out, pick({"campuri (semn exponent fractie)", "fields (sign exponent fraction)"}),
             r.sign + ' ' + r.exponentField + ' ' + r.fraction);
    Line(out, pick({"cuvant hexazecimal", "hexadecimal word"}), r.hex);
    Line(out, pick({"clasa", "class"}), r.classText);
    Line(out, pick({"valoare", "value"}), r.value);
    if (r.finite) {
        Line(out, r.exponentCaption, std::to_string(r.exponent));
        Line(out, pick({"Semnificand", "Significand"}), r.significand);
        Line(out, "ULP(X)", r.ulp);
        Line(out, "X+ = Nearest(x,+1.0)", r.nextUp + "   " + r.nextUpBits + "   " + r.nextUpHex);
        Line(out, "X- = Nearest(x,-1.0)", r.nextDown + "   " + r.nextDownBits + "   " + r.nextDownHex);
        Line(out, "Epsilon", r.epsilon);
    }
    Line(out, pick({"valoarea exacta", "exact value"}), r.exact);
    Line(out, pick({"eroare (tastat - stocat)", "error (typed - stored)"}), r.error);
    Line(out, pick({"eroare in ULP", "error in ULP"}), r.errorUlps);
    Line(out, pick({"eroare relativa", "relative error"}), r.errorRelative);
    Line(out, pick({"cel mai scurt text", "shortest text"}), r.shortest);
    Line(out, pick({"text hex-float", "hex-float text"}), r.hexFloat);
    if (r.nan) {
        std::string details(
            pick(r.quiet ? bilingual::Text{"linistit", "quiet"} : bilingual::Text{"semnalizator", "signalling"}));
        details += pick({", sarcina utila 0x", ", payload 0x"});
        details += report::HexNumber(r.payload);
        Line(out, pick({"detalii NaN", "NaN details"}), details);
    }
    return out;
}

}  // namespace

int Show(const Options& options) {
    const ieee::FormatInfo& f = *options.format;
    int status = 0;
    bool first = true;
    for (std::string_view value : options.values) {
        const report::ValueRead read = report::ReadValue(f, value);
        if (!read.ok) {
            std::string why(bilingual::Pick({"valoarea ", "value "}, options.lang));
            why += report::JsonString(value);
            why += bilingual::Pick({" refuzata: ", " refused: "}, options.lang);
            why += bilingual::Pick({read.whyRo, read.whyEn}, options.lang);
            Complain(why);
            status = 1;
            continue;
        }
        const report::DatumReport r =
            report::Report(f, read.bits, read.typedNumber ? &read.typed : nullptr, options.lang);
        if (options.json) {
            Write(report::JsonOf(r, value) + '\n');
        } else {
            if (!first) Write("\n");
            Write(Text(r, value, options.lang));
        }
        first = false;
    }
    return status;
}

}  // namespace cli
