// Texts of the Operations window, worked out from the choices alone.
#include "numeric/operations_view.h"

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/stored_value.h"
#include "text/bilingual.h"

namespace opsview {

namespace {

using Pair = bilingual::Text;
using bilingual::PickString;

// The standard's own names stay in both languages, after the Romanian words.
constexpr Pair kOperationNames[] = {
    {"adunare (addition)", "addition"},
    {"scadere (subtraction)", "subtraction"},
    {"inmultire (multiplication)", "multiplication"},
    {"impartire (division)", "division"},
    {"radacina patrata (squareRoot)", "squareRoot"},
    {"inmultire-adunare fuzionata a*b+c (fusedMultiplyAdd)", "fusedMultiplyAdd a*b+c"},
    {"rest (remainder)", "remainder"},
    {"rotunjire la intreg (roundToIntegral)", "roundToIntegral"},
    {"conversie de format (convertFormat)", "convertFormat"},
    {"comparatie linistita (compareQuiet)", "compareQuiet"},
    {"comparatie semnalizata (compareSignaling)", "compareSignaling"},
    {"ordine totala a <= b (totalOrder)", "totalOrder a <= b"},
};

constexpr Pair kRoundingNames[] = {
    {"la cel mai apropiat, egalitate la par (roundTiesToEven)", "roundTiesToEven"},
    {"la cel mai apropiat, egalitate departe de zero (roundTiesToAway)", "roundTiesToAway"},
    {"spre +infinit (roundTowardPositive)", "roundTowardPositive"},
    {"spre -infinit (roundTowardNegative)", "roundTowardNegative"},
    {"spre zero (roundTowardZero)", "roundTowardZero"},
};

constexpr Pair kFlagNames[] = {
    {"operatie invalida", "invalid"},
    {"impartire la zero", "divideByZero"},
    {"depasire superioara", "overflow"},
    {"depasire inferioara", "underflow"},
    {"inexact", "inexact"},
};

// Gives the bits of a pattern as sign, exponent and fraction.
std::string FieldsText(const ieee::FormatInfo& f, ieee::uint128 bits) {
    const std::string all = ieee::BitString(f, bits);
    const std::size_t e = static_cast<std::size_t>(f.exponentBits);
    // x87's integer bit is a field of its own, before the fraction.
    if (f.explicitLeadingBit)
        return all.substr(0, 1) + ' ' + all.substr(1, e) + ' ' + all.substr(1 + e, 1) + ' ' + all.substr(2 + e);
    return all.substr(0, 1) + ' ' + all.substr(1, e) + ' ' + all.substr(1 + e);
}

// A text cut short after its first significant digits gets an ellipsis
// after its last digit, before the exponent if it has one.
std::string Marked(const std::string& text, bool complete) {
    if (complete || text.empty()) return text;
    const std::size_t e = text.find('E');
    return e == std::string::npos ? text + "..." : text.substr(0, e) + "..." + text.substr(e);
}

}  // namespace

int LanguageIndex(int lang) { return bilingual::Index(lang); }

std::string OperationName(ieee::Operation op, int lang) {
    for (std::size_t k = 0; k < std::size(kAllOperations); ++k)
        if (kAllOperations[k] == op) return PickString(kOperationNames[k], lang);
    return {};
}

std::string RoundingName(ieee::Rounding rounding, int lang) {
    return PickString(kRoundingNames[static_cast<int>(rounding)], lang);
}

std::string FlagName(int index, int lang) { return index >= 0 && index < 5 ? PickString(kFlagNames[index], lang) : ""; }

bool FlagOf(const ieee::Flags& flags, int index) {
    switch (index) {
    case 0: return flags.invalid;
    case 1: return flags.divideByZero;
    case 2: return flags.overflow;
    case 3: return flags.underflow;
    case 4: return flags.inexact;
    default: return false;
    }
}

std::string FlagsText(const ieee::Flags& flags, int lang) {
    std::string text;
    for (int k = 0; k < 5; ++k) {
        if (!FlagOf(flags, k)) continue;
        if (!text.empty()) text += ", ";
        text += FlagName(k, lang);
    }
    return text.empty() ? PickString({"niciunul", "none"}, lang) : text;
}

std::string OutcomeText(ieee::Outcome outcome, int lang) {
    switch (outcome) {
    case ieee::Outcome::None: return {};
    case ieee::Outcome::Less: return PickString({"mai mic (less)", "less"}, lang);
    case ieee::Outcome::Equal: return PickString({"egal (equal)", "equal"}, lang);
    case ieee::Outcome::Greater: return PickString({"mai mare (greater)", "greater"}, lang);
    case ieee::Outcome::Unordered: return PickString({"neordonat (unordered)", "unordered"}, lang);
    case ieee::Outcome::True: return PickString({"adevarat (true)", "true"}, lang);
    case ieee::Outcome::False: return PickString({"fals (false)", "false"}, lang);
    }
    return {};
}

std::string InvalidValueText(int lang) { return PickString({"Valoare invalida", "Invalid Value"}, lang); }

View Build(const Choices& c) {
    View v;
    if (c.format == nullptr) return v;
    const ieee::FormatInfo& f = *c.format;
    const int count = ieee::OperandCount(c.operation);
    ieee::uint128 bits[3] = {0, 0, 0};
    bool complete = true;
    for (int k = 0; k < 3; ++k) {
        OperandView& o = v.operands[static_cast<std::size_t>(k)];
        o.used = k < count;
        if (!o.used) continue;
        // An operand is read as the main value field reads a number, to
        // nearest with ties to even: 0.1 is the same operand in every
        // direction, and only the operation is rounded as chosen.
        const ieee::OperandValue read =
            ieee::ReadOperand(c.operands[static_cast<std::size_t>(k)], f, ieee::Rounding::TiesToEven, c.tininess);
        if (read.status != ieee::OperandStatus::Value) {
            complete = false;
            if (read.status == ieee::OperandStatus::Invalid) o.scientific = InvalidValueText(c.lang);
            continue;
        }
        o.value = true;
        o.bits = bits[k] = read.bits;
        o.hex = ieee::HexWord(f, read.bits);
        o.fields = FieldsText(f, read.bits);
        o.scientific = ieee::ScientificText(f, read.bits, true);
    }
    if (!complete) return v;

    v.hasResult = true;
    const std::span<const ieee::uint128> in(bits, static_cast<std::size_t>(count));
    const ieee::ResultAndRows computed =
        ieee::ComputeWithAllDirections(c.operation, f, in, c.rounding, c.tininess, c.target,
                                       c.saturate ? ieee::OnOverflow::Saturate : ieee::OnOverflow::Standard);
    v.result = computed.chosen;
    const ieee::Result& r = v.result;
    if (r.hasPattern) {
        v.fields = FieldsText(*r.format, r.bits);
        v.hex = ieee::HexWord(*r.format, r.bits);
        v.scientific = ieee::ScientificText(*r.format, r.bits, true);
        v.value = ieee::ExactDecimalText(*r.format, r.bits);
    } else {
        v.outcome = OutcomeText(r.outcome, c.lang);
    }
    if (!r.exact.empty())
        v.exactMark =
            r.exactComplete
                ? "exact"
                : PickString({"neexact: primele 40 de cifre semnificative", "not exact: first 40 significant digits"},
                             c.lang);
    v.error = Marked(r.error, r.errorComplete);
    v.errorUlps = Marked(r.errorUlps, r.errorUlpsComplete);

    const auto& all = computed.rows;
    for (std::size_t k = 0; k < all.size(); ++k) {
        DirectionRow& row = v.rows[k];
        row.direction = RoundingName(ieee::kAllRoundings[k], 2);  // the standard's name: short, in both languages
        if (all[k].hasPattern) {
            row.hex = ieee::HexWord(*all[k].format, all[k].bits);
            row.scientific = ieee::ScientificText(*all[k].format, all[k].bits, true);
        } else {
            row.scientific = OutcomeText(all[k].outcome, c.lang);
        }
        row.flags = FlagsText(all[k].flags, c.lang);
    }
    return v;
}

}  // namespace opsview
