// op: one operation as the Operations window shows it, or its five
// directions, as labelled lines or as JSON.
#include <algorithm>

#include "cli/commands.h"
#include "cli/names.h"
#include "numeric/datum_report.h"
#include "numeric/operations_view.h"
#include "text/bilingual.h"

namespace cli {

namespace {

constexpr std::size_t kLabelWidth = 24;

void Line(std::string& out, std::string_view label, std::string_view text) {
    if (text.empty()) return;
    out += label;
    if (label.size() < kLabelWidth) out.append(kLabelWidth - label.size(), ' ');
    out += ' ';
    out += text;
    out += '\n';
}

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

std::string FlagsJson(const ieee::Flags& flags) {
    std::string out = "{";
    for (int k = 0; k < 5; ++k) {
        if (k != 0) out += ", ";
        out += '"' + opsview::FlagName(k, 2) + "\": ";
        out += opsview::FlagOf(flags, k) ? "true" : "false";
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const unsigned byte = flags.Byte();
    out += std::string("}, \"flags_byte\": \"") + kDigits[byte >> 4] + kDigits[byte & 0xF] + '"';
    return out;
}

std::string OrNull(std::string_view text) { return text.empty() ? std::string("null") : report::JsonString(text); }

std::string Json(const Options& o, const opsview::View& v, ieee::Operation op, const ieee::FormatInfo* target) {
    const ieee::Result& r = v.result;
    std::string out = "{\"operation\": ";
    out += report::JsonString(op == ieee::Operation::ConvertFormat ? std::string("convert:") + target->name
                                                                   : std::string(ShortName(op)));
    out += ", \"format\": " + report::JsonString(o.format->name);
    out += ", \"rounding\": " + report::JsonString(opsview::RoundingName(o.rounding, 2));
    out += ", \"tininess\": ";
    out += o.tininess == ieee::Tininess::AfterRounding ? "\"after\"" : "\"before\"";
    out += ", \"operands\": [";
    for (int k = 0; k < ieee::OperandCount(op); ++k) {
        const opsview::OperandView& a = v.operands[static_cast<std::size_t>(k)];
        if (k != 0) out += ", ";
        out += "{\"input\": " + report::JsonString(o.values[static_cast<std::size_t>(k)]);
        out += ", \"hex\": " + OrNull(a.hex) + ", \"value\": " + OrNull(a.scientific) + "}";
    }
    out += "], \"result_format\": " + report::JsonString(r.format->name);
    if (r.hasPattern) {
        out += ", \"hex\": " + OrNull(v.hex) + ", \"fields\": " + OrNull(v.fields);
        out += ", \"value\": " + OrNull(v.scientific) + ", \"exact_value\": " + OrNull(v.value);
        out += ", \"outcome\": null";
    } else {
        out += ", \"hex\": null, \"fields\": null, \"value\": null, \"exact_value\": null, \"outcome\": ";
        out += report::JsonString(ShortName(r.outcome));
    }
    out += ", \"exact\": " + OrNull(r.exact);
    out += ", \"exact_complete\": ";
    out += r.exactComplete ? "true" : "false";
    out += ", \"error\": " + OrNull(v.error) + ", \"error_ulps\": " + OrNull(v.errorUlps);
    out += ", \"flags\": " + FlagsJson(r.flags);
    if (o.allDirections) {
        // The rows' flags and outcomes: the texts of the view name them only in words.
        const ieee::uint128 in[3] = {v.operands[0].bits, v.operands[1].bits, v.operands[2].bits};
        const auto rows = ieee::ComputeAllDirections(
            op, *o.format, std::span<const ieee::uint128>(in, static_cast<std::size_t>(ieee::OperandCount(op))),
            o.tininess, target);
        out += ", \"directions\": [";
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (k != 0) out += ", ";
            out += "{\"rounding\": " + report::JsonString(v.rows[k].direction);
            out += ", \"hex\": " + OrNull(v.rows[k].hex);
            out += ", \"value\": " + (rows[k].hasPattern ? OrNull(v.rows[k].scientific) : std::string("null"));
            out += ", \"outcome\": " +
                   (rows[k].hasPattern ? std::string("null") : report::JsonString(ShortName(rows[k].outcome)));
            out += ", \"flags\": " + FlagsJson(rows[k].flags) + "}";
        }
        out += ']';
    }
    out += "}\n";
    return out;
}

}  // namespace

int Op(const Options& o, ieee::Operation op, const ieee::FormatInfo* target) {
    const int lang = o.lang;
    auto pick = [lang](bilingual::Text t) { return bilingual::Pick(t, lang); };
    opsview::Choices choices;
    choices.format = o.format;
    choices.operation = op;
    choices.target = target;
    choices.rounding = o.rounding;
    choices.tininess = o.tininess;
    choices.lang = lang;
    for (std::size_t k = 0; k < o.values.size() && k < 3; ++k) choices.operands[k] = o.values[k];
    const opsview::View v = opsview::Build(choices);

    static constexpr std::string_view kNames[] = {"a", "b", "c"};
    if (!v.hasResult) {
        int status = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            if (!v.operands[k].used || v.operands[k].value) continue;
            std::string why(pick({"operandul ", "operand "}));
            why += kNames[k];
            why += " = " + report::JsonString(o.values[k]);
            why += pick({" refuzat: nu este o valoare", " refused: not a value"});
            Complain(why);
            status = 1;
        }
        return status;
    }
    if (o.json) {
        Write(Json(o, v, op, target));
        return 0;
    }
    std::string out;
    if (o.allDirections) {
        // The five rows: direction, word, value (or outcome), flags.
        std::size_t widths[3] = {0, 0, 0};
        for (const opsview::DirectionRow& row : v.rows) {
            widths[0] = std::max(widths[0], row.direction.size());
            widths[1] = std::max(widths[1], row.hex.size());
            widths[2] = std::max(widths[2], row.scientific.size());
        }
        for (const opsview::DirectionRow& row : v.rows) {
            out += Padded(row.direction, widths[0] + 2);
            if (widths[1] != 0) out += Padded(row.hex, widths[1] + 2);
            out += Padded(row.scientific, widths[2] + 2);
            out += row.flags;
            out += '\n';
        }
        Write(out);
        return 0;
    }
    const ieee::Result& r = v.result;
    Line(out, pick({"operatie", "operation"}), opsview::OperationName(op, lang));
    Line(out, pick({"format", "format"}),
         target != nullptr && op == ieee::Operation::ConvertFormat ? std::string(o.format->name) + " -> " + target->name
                                                                   : std::string(o.format->name));
    Line(out, pick({"rotunjire", "rounding"}), opsview::RoundingName(o.rounding, lang));
    Line(out, pick({"detectarea subdepasirii", "tininess"}),
         o.tininess == ieee::Tininess::AfterRounding ? pick({"dupa rotunjire", "after rounding"})
                                                     : pick({"inainte de rotunjire", "before rounding"}));
    for (std::size_t k = 0; k < 3; ++k) {
        const opsview::OperandView& a = v.operands[k];
        if (!a.used) continue;
        Line(out, kNames[k], a.hex + "   " + a.scientific);
    }
    if (!r.exact.empty()) Line(out, pick({"rezultat exact", "exact result"}), r.exact + "   (" + v.exactMark + ")");
    if (r.hasPattern) {
        Line(out, pick({"rezultat rotunjit", "rounded result"}), v.hex + "   " + v.scientific);
        Line(out, pick({"campuri", "fields"}), v.fields);
        Line(out, pick({"valoarea exacta", "exact value"}), v.value);
    } else {
        Line(out, pick({"rezultat", "outcome"}), v.outcome);
    }
    Line(out, pick({"eroare (exact - rotunjit)", "error (exact - rounded)"}), v.error);
    Line(out, pick({"eroare in ULP", "error in ULP"}), v.errorUlps);
    Line(out, pick({"exceptii", "flags"}), opsview::FlagsText(r.flags, lang));
    Write(out);
    return 0;
}

}  // namespace cli
