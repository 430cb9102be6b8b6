// The "How it was rounded" lines. Every number in them comes from the exact
// value (rounding_steps.h) and from the same routines the Stored Value group
// and the Operations window use for their texts, so the two never disagree.
#include "numeric/rounding_steps_view.h"

#include <algorithm>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/pattern_class.h"
#include "numeric/ieee/rounding_steps.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"
#include "numeric/ieee/stored_value.h"
#include "text/bilingual.h"

namespace stepsview {

namespace {

using bilingual::Text;

constexpr int kExactDigits = 60;       // digits shown of a number that is no finite decimal, or a very long one
constexpr size_t kLongestShown = 200;  // a typed number with more digits is summarised by its length

class Lines {
public:
    explicit Lines(int lang) : lang_(lang) {}
    std::string T(const Text& text) const { return bilingual::PickString(text, lang_); }
    // A numbered step.
    void Step(const std::string& text) { out_.push_back(std::to_string(++number_) + ". " + text); }
    // A line under the last step.
    void More(const std::string& text) { out_.push_back("   " + text); }
    int lang() const { return lang_; }
    std::vector<std::string> Take() { return std::move(out_); }

private:
    int lang_;
    int number_ = 0;
    std::vector<std::string> out_;
};

std::string Pattern(const ieee::FormatInfo& f, ieee::uint128 bits) {
    return ieee::HexWord(f, bits) + " = " + ieee::ScientificText(f, bits, true);
}

std::string Power(int64_t e) { return "2^" + std::to_string(e); }

// The binary form: the kept bits with a point after the leading one (or,
// below the normal range, as a fraction of 2^emin), then the guard and round
// bits.
struct BinaryForm {
    std::string kept;
    std::string scale;
};
BinaryForm FormOf(const ieee::FormatInfo& f, const ieee::RoundingSteps& s) {
    BinaryForm b;
    const size_t width = static_cast<size_t>(s.subnormal ? f.precision - 1 + 2 : f.precision + 2);
    std::string bits = s.bits;
    if (bits.size() < width) bits.insert(0, width - bits.size(), '0');
    const std::string kept = bits.substr(0, bits.size() - 2);
    if (s.subnormal) {
        b.kept = "0." + kept;
        b.scale = Power(f.emin);
    } else {
        b.kept = kept.substr(0, 1) + (kept.size() > 1 ? "." + kept.substr(1) : "");
        b.scale = Power(s.exponent);
    }
    return b;
}

// The guard, round and sticky bits marked after the kept ones.
std::string Marks(const ieee::RoundingSteps& s) {
    return " | g " + std::to_string(s.guard) + " | r " + std::to_string(s.round) + " | s " + (s.sticky ? "1" : "0");
}

std::string TailText(const Lines& L, const ieee::RoundingSteps& s) {
    using Tail = ieee::RoundingSteps::Tail;
    switch (s.tail) {
    case Tail::None: return L.T({"nimic nu urmeaza dupa bitul de rotunjire", "nothing follows the round bit"});
    case Tail::Finite:
        return L.T({"SAU-ul celor ", "the OR of the "}) + s.stickyCount +
               L.T({" biti de dupa bitul de rotunjire (ultimul este 1)",
                    " bits after the round bit (the last of them is 1)"});
    case Tail::Periodic:
        if (s.period.empty())
            return L.T({"SAU-ul unei cozi periodice infinite (perioada nu a fost calculata)",
                        "the OR of an infinite periodic tail (its period was not worked out)"});
        return L.T({"SAU-ul unei cozi periodice infinite, de perioada ",
                    "the OR of an infinite periodic tail of period "}) +
               s.period + L.T({" biti", " bits"});
    case Tail::Endless:
        return L.T({"SAU-ul unei cozi infinite neperiodice (radacina nu este exacta)",
                    "the OR of an infinite tail that never repeats (the root is not exact)"});
    }
    return "";
}

// Steps 2 to 4 (and the overflow and underflow lines): the binary form, the
// cut, the decision, the result. `result` is the pattern the displays show.
void RoundingLines(Lines& L, const ieee::FormatInfo& f, const ieee::RoundingSteps& s, ieee::Rounding rounding,
                   bool mainDialog, bool saturate) {
    using Decision = ieee::RoundingSteps::Decision;
    const std::string p = std::to_string(f.precision);
    if (s.zero) {
        L.Step(L.T({"Numarul este zero: se pastreaza exact, cu semnul sau.",
                    "The number is zero: it is stored exactly, with its sign."}));
        return;
    }
    const BinaryForm form = FormOf(f, s);
    if (!s.subnormal) {
        L.Step(L.T({"Forma binara normalizata: ", "Normalised binary form: "}) + form.kept + Marks(s) + " x " +
               form.scale + ".");
        L.More(L.T({"Se pastreaza cei ", "The "}) + p +
               L.T({" biti semnificativi ai formatului ", " significant bits of "}) + f.name +
               L.T({"; dupa ei: bitul de garda ", " are kept; after them: the guard bit "}) + std::to_string(s.guard) +
               L.T({", bitul de rotunjire ", ", the round bit "}) + std::to_string(s.round) +
               L.T({", bitul lipicios (sticky) ", ", the sticky bit "}) + (s.sticky ? "1" : "0") + " (" +
               TailText(L, s) + ").");
    } else {
        L.Step(L.T({"Numarul este sub domeniul normal: E = ", "The number is below the normal range: E = "}) +
               std::to_string(s.exponent) + " < emin = " + std::to_string(f.emin) + ".");
        const std::string left = std::to_string(std::max<int64_t>(s.keptBits, 0));
        L.More(L.T({"Ultimul bit pastrat valoreaza cuanta subnormala ",
                    "The last kept bit is worth the subnormal quantum "}) +
               Power(s.quantumExp) + L.T({", deci raman ", ", so "}) + left +
               L.T({" biti semnificativi: ", " significant bits are left: "}) + form.kept + Marks(s) + " x " +
               form.scale + ".");
        L.More(L.T({"Dupa ei: bitul de garda ", "After them: the guard bit "}) + std::to_string(s.guard) +
               L.T({", bitul de rotunjire ", ", the round bit "}) + std::to_string(s.round) +
               L.T({", bitul lipicios (sticky) ", ", the sticky bit "}) + (s.sticky ? "1" : "0") + " (" +
               TailText(L, s) + ").");
    }

    // The decision.
    switch (s.decision) {
    case Decision::Exact:
        L.Step(L.T({"Bitii de garda, rotunjire si sticky sunt 0: numarul se pastreaza exact, fara rotunjire.",
                    "The guard, round and sticky bits are all 0: the number is kept exactly, nothing is rounded."}));
        break;
    case Decision::BelowHalf:
        L.Step(L.T({"Bitul de garda este 0: restul este sub jumatate de ULP.",
                    "The guard bit is 0: the rest is below half an ULP."}));
        break;
    case Decision::AboveHalf:
        L.Step(L.T({"Bitul de garda este 1 si dupa el mai este un 1: restul este peste jumatate de ULP.",
                    "The guard bit is 1 and a 1 follows it: the rest is above half an ULP."}));
        break;
    case Decision::Tie:
        L.Step(L.T({"Garda 1, rotunjire 0, sticky 0: restul este exact jumatate de ULP (egalitate).",
                    "Guard 1, round 0, sticky 0: the rest is exactly half an ULP, a tie."}));
        break;
    }
    if (s.decision != Decision::Exact) {
        const std::string direction = opsview::RoundingName(rounding, 2);
        std::string why;
        const bool tie = s.decision == Decision::Tie;
        switch (rounding) {
        case ieee::Rounding::TiesToEven:
            why = tie ? L.T({"la egalitate merge la vecinul al carui ultim bit este par (0)",
                             "a tie goes to the neighbour whose last bit is even (0)"})
                      : L.T({"merge la cel mai apropiat vecin", "goes to the nearer neighbour"});
            break;
        case ieee::Rounding::TiesToAway:
            why = tie ? L.T({"la egalitate merge departe de zero", "a tie goes away from zero"})
                      : L.T({"merge la cel mai apropiat vecin", "goes to the nearer neighbour"});
            break;
        case ieee::Rounding::TowardPositive: why = L.T({"merge spre +infinit", "goes toward +infinity"}); break;
        case ieee::Rounding::TowardNegative: why = L.T({"merge spre -infinit", "goes toward -infinity"}); break;
        case ieee::Rounding::TowardZero: why = L.T({"merge spre zero", "goes toward zero"}); break;
        }
        L.More(direction + " " + why + ": " +
               (s.awayFromZero ? L.T({"se adauga un ULP bitilor pastrati (rotunjire in sus, in modul).",
                                      "one ULP is added to the kept bits (rounded up in magnitude)."})
                               : L.T({"bitii pastrati raman (trunchiere spre zero).",
                                      "the kept bits stay (truncated toward zero)."})));
        if (s.carry)
            L.More(L.T({"Adunarea ULP-ului se propaga intr-un nou bit de frunte: exponentul creste cu 1.",
                        "Adding the ULP carries into a new leading bit: the exponent grows by 1."}));
    }

    // Overflow and underflow.
    const ieee::ClassInfo cls = ieee::ClassOf(f, s.result.bits);
    if (s.beyondRange) {
        const ieee::uint128 largest = f.largestFinite();
        L.Step(L.T({"Rotunjit cu exponent nelimitat, rezultatul (E = ",
                    "Rounded with an unbounded exponent, the result (E = "}) +
               std::to_string(s.exponent + (s.carry ? 1 : 0)) +
               L.T({") este peste cea mai mare valoare finita a formatului, ",
                    ") lies above the largest finite value of the format, "}) +
               Pattern(f, largest) + L.T({": depaseste domeniul (overflow).", ": it overflows."}));
        if (mainDialog)
            L.More(L.T({"Campul de valoare refuza un astfel de numar: \"Valoare invalida\".",
                        "The value field refuses such a number: \"Invalid Value\"."}));
        else if (saturate)
            L.More(L.T({"Conversia cu saturare da cea mai mare valoare finita: ",
                        "The saturating conversion gives the largest finite value: "}) +
                   Pattern(f, f.largestFinite() | (s.negative ? f.signBit() : 0)) + ".");
        else if (cls.kind == ieee::PatternClass::Infinity)
            L.More(L.T({"In aceasta directie formatul da infinitul: ",
                        "In this direction the format gives the infinity: "}) +
                   Pattern(f, s.result.bits) + ".");
        else if (cls.kind == ieee::PatternClass::NaN)
            L.More(L.T({"Formatul nu are infinit: da NaN: ", "The format has no infinity: it gives NaN: "}) +
                   Pattern(f, s.result.bits) + ".");
        else
            L.More(L.T({"In aceasta directie formatul da cea mai mare valoare finita: ",
                        "In this direction the format gives its largest finite value: "}) +
                   Pattern(f, s.result.bits) + ".");
    } else if (s.subnormal && s.decision != Decision::Exact) {
        L.More(
            s.result.flags.underflow
                ? L.T({"Rezultatul este mic (sub 2^emin) si inexact: se ridica underflow.",
                       "The result is tiny (below 2^emin) and inexact: underflow is raised."})
                : L.T({"Rotunjit cu exponent nelimitat, rezultatul ajunge la 2^emin: nu este mic, fara underflow.",
                       "Rounded with an unbounded exponent the result reaches 2^emin: it is not tiny, no underflow."}));
    }
    if (!s.beyondRange && s.decision != Decision::Exact) {
        const ieee::uint128 toward = s.truncated;
        const ieee::uint128 away = s.negative ? ieee::NextDownPattern(f, toward) : ieee::NextUpPattern(f, toward);
        L.More(L.T({"Cei doi candidati: ", "The two candidates: "}) + ieee::HexWord(f, toward) +
               L.T({" (spre zero) si ", " (toward zero) and "}) + ieee::HexWord(f, away) +
               L.T({" (departe de zero).", " (away from zero)."}));
    }
}

void ResultLines(Lines& L, const ieee::FormatInfo& f, ieee::uint128 bits, const std::string& error,
                 const std::string& errorUlps, const ieee::Flags& flags) {
    L.Step(L.T({"Rezultatul: ", "The result: "}) + Pattern(f, bits) +
           (ieee::IsFinitePattern(f, bits) ? L.T({", exact ", ", exactly "}) + ieee::ExactDecimalText(f, bits) : "") +
           ".");
    L.More(L.T({"Vecinii sai: X- = ", "Its neighbours: X- = "}) + Pattern(f, ieee::NextDownPattern(f, bits)) +
           ", X+ = " + Pattern(f, ieee::NextUpPattern(f, bits)) + ".");
    if (!error.empty())
        L.More(L.T({"Eroarea exact - rezultat: ", "The error exact - result: "}) + error +
               (errorUlps.empty() ? "" : " (" + errorUlps + " ULP)") + ".");
    L.More(L.T({"Indicatori: ", "Flags: "}) + opsview::FlagsText(flags, L.lang()) + ".");
}

// The typed number, exactly, summarised when it is very long.
std::string TypedText(const Lines& L, const ieee::TypedDecimal& t, const ieee::ExactValue* x) {
    const std::string sign = t.negative ? "-" : "";
    if (x != nullptr && t.digits.size() <= kLongestShown) {
        bool complete = true;
        return ieee::ExactValueText(*x, static_cast<int>(kLongestShown), complete);
    }
    std::string head = t.digits.substr(0, std::min<size_t>(t.digits.size(), kExactDigits));
    const int64_t exp10 = static_cast<int64_t>(t.digits.size()) - 1 + t.exponent;
    std::string text = sign + head.substr(0, 1) + (head.size() > 1 ? "." + head.substr(1) : "") + "..." +
                       ieee::detail::ExponentPart(exp10);
    return text + L.T({" (primele ", " (the first "}) + std::to_string(head.size()) + L.T({" din cele ", " of its "}) +
           std::to_string(t.digits.size()) + L.T({" cifre semnificative)", " significant digits)"});
}

}  // namespace

std::vector<std::string> ConversionLines(const ieee::FormatInfo& f, const ieee::TypedDecimal* typed,
                                         std::string_view fieldText, ieee::uint128 stored, int lang) {
    Lines L(lang);
    ieee::TypedDecimal refused;
    if (typed == nullptr) {
        ieee::uint128 read = 0;
        const bool blank = fieldText.find_first_not_of(" \t") == std::string_view::npos;
        if (!blank && ieee::ReadFreeForm(f, fieldText, read) == ieee::ReadStatus::Invalid) {
            // A number the field refused is still explained: it overflowed.
            if (!ieee::ExactTypedNumber(fieldText, refused)) {
                L.Step(L.T({"Textul tastat nu este o valoare: \"Valoare invalida\".",
                            "The typed text is no value: \"Invalid Value\"."}));
                return L.Take();
            }
            typed = &refused;
        } else if (ieee::IsFinitePattern(f, stored)) {
            L.Step(
                L.T({"Data a fost data prin bitii ei (sau prin cuvantul hexazecimal): se pastreaza asa cum este, nimic "
                     "nu a fost rotunjit.",
                     "The datum was given by its bits (or its hexadecimal word): it is stored as given, nothing was "
                     "rounded."}));
            L.More(Pattern(f, stored) + L.T({", exact ", ", exactly "}) + ieee::ExactDecimalText(f, stored) + ".");
            return L.Take();
        } else {
            L.Step(L.T({"Data este un infinit sau un NaN: modelul ei se scrie direct, nimic nu se rotunjeste: ",
                        "The datum is an infinity or a NaN: its pattern is written directly, nothing is rounded: "}) +
                   Pattern(f, stored) + ".");
            return L.Take();
        }
    }
    const ieee::TypedDecimal& number = *typed;
    ieee::ExactValue x;
    const bool held = ieee::ExactOfTyped(number, x);
    L.Step(L.T({"Numarul tastat, exact: ", "The typed number, exactly: "}) + TypedText(L, number, held ? &x : nullptr) +
           ".");
    if (!held) {
        // So far outside every range that only its size matters.
        const bool huge = static_cast<int64_t>(number.digits.size()) + number.exponent > 0;
        L.Step(huge ? L.T({"Numarul este cu mult peste cea mai mare valoare finita: \"Valoare invalida\".",
                           "The number is far above the largest finite value: \"Invalid Value\"."})
                    : L.T({"Numarul este cu mult sub cel mai mic subnormal: se rotunjeste la zero, cu semnul sau.",
                           "The number is far below the smallest subnormal: it rounds to zero, keeping its sign."}));
        if (!huge) ResultLines(L, f, stored, "", "", ieee::Flags{false, false, false, true, true});
        return L.Take();
    }
    const ieee::RoundingSteps s =
        ieee::ExplainRounding(f, x, ieee::Rounding::TiesToEven, ieee::Tininess::AfterRounding);
    RoundingLines(L, f, s, ieee::Rounding::TiesToEven, true, false);
    if (s.beyondRange) return L.Take();
    const ieee::ConversionError error = ieee::ConversionErrorOf(f, number, stored);
    ResultLines(L, f, stored, error.exact, error.ulps, s.result.flags);
    return L.Take();
}

std::vector<std::string> OperationLines(const opsview::Choices& c, const opsview::View& v) {
    Lines L(c.lang);
    if (c.format == nullptr) return L.Take();
    if (!v.hasResult) {
        L.Step(
            L.T({"Un operand nu este o valoare: nu exista rezultat.", "An operand is no value: there is no result."}));
        return L.Take();
    }
    const ieee::FormatInfo& f = *c.format;
    const ieee::FormatInfo& rf = v.result.format ? *v.result.format : f;
    if (ieee::IsComparison(c.operation)) {
        L.Step(L.T({"O comparatie nu da un numar: nimic nu se rotunjeste. Rezultat: ",
                    "A comparison gives no number: nothing is rounded. Outcome: "}) +
               v.outcome + "; " + L.T({"indicatori: ", "flags: "}) + opsview::FlagsText(v.result.flags, c.lang) + ".");
        return L.Take();
    }
    const int count = ieee::OperandCount(c.operation);
    ieee::uint128 bits[3] = {v.operands[0].bits, v.operands[1].bits, v.operands[2].bits};
    const std::span<const ieee::uint128> in(bits, static_cast<size_t>(count));
    ieee::ExactValue x;
    ieee::ExactResultOf(c.operation, f, in, c.rounding, x, c.target);
    if (x.shape == ieee::ExactValue::Shape::NotFinite) {
        L.Step(L.T({"Rezultatul nu este un numar finit: nu se rotunjeste nimic.",
                    "The result is no finite number: nothing is rounded."}));
        ResultLines(L, rf, v.result.bits, "", "", v.result.flags);
        return L.Take();
    }
    bool complete = true;
    std::string total;
    const std::string exact = ieee::ExactValueText(x, kExactDigits, complete, &total);
    L.Step(complete ? L.T({"Rezultatul exact al operatiei: ", "The exact result of the operation: "}) + exact + "."
                    : L.T({"Rezultatul exact al operatiei, primele 60 de cifre semnificative (nu este exact): ",
                           "The exact result of the operation, its first 60 significant digits (not exact): "}) +
                          exact + "...");

    // How the exact result was formed.
    switch (c.operation) {
    case ieee::Operation::Add:
    case ieee::Operation::Subtract: {
        ieee::RoundingSteps a, b;
        ieee::ExactValue xa, xb;
        for (int k = 0; k < 2; ++k) {
            const ieee::detail::BinaryValue d = ieee::detail::Decompose(f, bits[k]);
            ieee::ExactValue& e = k == 0 ? xa : xb;
            e.shape = ieee::ExactValue::Shape::Rational;
            ieee::detail::SetU128(e.num.get(), d.significand);
            e.exp2 = d.exponent;
            (k == 0 ? a : b) = ieee::ExplainRounding(f, e, ieee::Rounding::TiesToEven, c.tininess);
        }
        if (!ieee::IsFinitePattern(f, bits[0]) || !ieee::IsFinitePattern(f, bits[1]) || a.zero || b.zero) break;
        const bool aFirst = a.exponent >= b.exponent;
        const ieee::RoundingSteps& hi = aFirst ? a : b;
        const ieee::RoundingSteps& lo = aFirst ? b : a;
        const int64_t d = hi.exponent - lo.exponent;
        L.Step(L.T({"Alinierea: a = ", "Alignment: a = "}) + FormOf(f, a).kept + " x " + FormOf(f, a).scale +
               ", b = " + FormOf(f, b).kept + " x " + FormOf(f, b).scale + ".");
        if (d == 0) {
            L.More(L.T({"Exponentii sunt egali: semnificantii se aduna direct.",
                        "The exponents are equal: the significands are added as they are."}));
        } else {
            std::string shifted;
            const BinaryForm low = FormOf(f, lo);
            std::string digits = low.kept;
            digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
            if (!lo.subnormal && d <= 2 * f.precision)
                shifted = "; " + std::string(aFirst ? "b" : "a") + " = 0." +
                          std::string(static_cast<size_t>(d - 1), '0') + digits + " x " + Power(hi.exponent);
            L.More(L.T({"Diferenta exponentilor este ", "The exponent difference is "}) + std::to_string(d) +
                   L.T({": operandul mai mic se deplaseaza la dreapta cu atatia biti",
                        ": the smaller operand is shifted right by as many bits"}) +
                   shifted + ".");
        }
        L.More(L.T({"Suma se formeaza exact, apoi se rotunjeste o singura data.",
                    "The sum is formed exactly, then rounded once."}));
        break;
    }
    case ieee::Operation::Multiply:
        L.More(L.T({"Produsul semnificantilor are cel mult ", "The product of the significands has at most "}) +
               std::to_string(2 * f.precision) +
               L.T({" biti; se pastreaza exact, apoi se rotunjeste o data.",
                    " bits; it is kept exactly, then rounded once."}));
        break;
    case ieee::Operation::FusedMultiplyAdd:
        L.More(L.T({"a*b se pastreaza exact (nu se rotunjeste), c i se adauga, iar suma se rotunjeste o singura data.",
                    "a*b is kept exactly (not rounded), c is added to it, and the sum is rounded only once."}));
        break;
    case ieee::Operation::Remainder:
        L.More(L.T({"Restul este intotdeauna exact reprezentabil.", "The remainder is always exactly representable."}));
        break;
    case ieee::Operation::RoundToIntegral:
        L.More(
            L.T({"Operandul se rotunjeste la un intreg in directia aleasa; intregul incape in format, deci nu se "
                 "ridica inexact.",
                 "The operand is rounded to an integer in the chosen direction; the integer fits the format, so "
                 "inexact is not raised."}));
        break;
    case ieee::Operation::ConvertFormat:
        L.More(L.T({"Operandul se rotunjeste la precizia formatului tinta ",
                    "The operand is rounded to the precision of the target format "}) +
               rf.name + ".");
        break;
    default: break;
    }

    const ieee::RoundingSteps s = ieee::ExplainRounding(rf, x, c.rounding, c.tininess);
    RoundingLines(L, rf, s, c.rounding, false, c.saturate && ieee::IsFinitePattern(rf, v.result.bits));
    ResultLines(L, rf, v.result.bits, v.error, v.errorUlps, v.result.flags);
    return L.Take();
}

std::string PlainText(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

}  // namespace stepsview
