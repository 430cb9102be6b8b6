// The class texts.
#include "numeric/class_text.h"

#include "text/bilingual.h"

namespace {

std::string Base(const ieee::FormatInfo& f, const ieee::ClassInfo& c, int lang) {
    switch (c.kind) {
    case ieee::PatternClass::Zero: return bilingual::PickString({"Zero cu semn", "Signed Zero"}, lang);
    case ieee::PatternClass::Subnormal:
        return bilingual::PickString({"Numar denormalizat", "Denormalized Number"}, lang);
    case ieee::PatternClass::Infinity: return bilingual::PickString({"Infinit cu semn", "Signed Infinity"}, lang);
    case ieee::PatternClass::NaN:
        if (c.realIndefinite)
            return bilingual::PickString({"Non-Numar: nedefinit real", "Not-a-Number: Real Indefinite"}, lang);
        return bilingual::PickString({"Non-Numar", "Not-a-Number"}, lang);
    case ieee::PatternClass::PseudoDenormal:
        return bilingual::PickString({"Numar pseudo-denormalizat", "Pseudo-denormal Number"}, lang);
    case ieee::PatternClass::Unnormal: return bilingual::PickString({"Numar nenormalizat", "Unnormal Number"}, lang);
    case ieee::PatternClass::PseudoInfinity: return bilingual::PickString({"Pseudo-infinit", "Pseudo-infinity"}, lang);
    case ieee::PatternClass::PseudoNaN: return bilingual::PickString({"Pseudo-Non-Numar", "Pseudo-NaN"}, lang);
    case ieee::PatternClass::Normal: break;
    }
    // The kind as the class name shows it: the storage size of binary32,
    // binary64 and binary128, the other formats' own labels.
    return bilingual::PickString({"Numar normalizat: Real(", "Normalized Number: Real("}, lang) + f.classLabel + ")";
}

}  // namespace

std::string ClassText(const ieee::FormatInfo& f, ieee::uint128 bits, int lang) {
    const ieee::ClassInfo c = ieee::ClassOf(f, bits);
    std::string text = Base(f, c, lang);
    if (!c.canonical) text += bilingual::PickString({" (necanonic)", " (non-canonical)"}, lang);
    return text;
}
