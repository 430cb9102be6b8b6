// The class texts.
#include "numeric/class_text.h"

#include "text/bilingual.h"

std::string ClassText(const ieee::FormatInfo& f, ieee::uint128 bits, int lang) {
    switch (ieee::ClassOf(f, bits).kind) {
    case ieee::PatternClass::Zero: return bilingual::PickString({"Zero cu semn", "Signed Zero"}, lang);
    case ieee::PatternClass::Subnormal:
        return bilingual::PickString({"Numar denormalizat", "Denormalized Number"}, lang);
    case ieee::PatternClass::Infinity: return bilingual::PickString({"Infinit cu semn", "Signed Infinity"}, lang);
    case ieee::PatternClass::NaN: return bilingual::PickString({"Non-Numar", "Not-a-Number"}, lang);
    case ieee::PatternClass::Normal: break;
    }
    // The kind as the class name shows it: the storage size of binary32,
    // binary64 and binary128, the other formats' own labels.
    return bilingual::PickString({"Numar normalizat: Real(", "Normalized Number: Real("}, lang) + f.classLabel + ")";
}
