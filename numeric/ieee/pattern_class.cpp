// The class of a stored pattern.
#include "numeric/ieee/pattern_class.h"

namespace ieee {

ClassInfo ClassOf(const FormatInfo& f, uint128 bits) {
    ClassInfo info;
    info.negative = IsNegative(f, bits);
    const int stored = StoredExponent(f, bits);
    const bool fractionZero = Fraction(f, bits) == 0;
    if (IsNaNPattern(f, bits)) {
        info.kind = PatternClass::NaN;
        if (f.explicitLeadingBit && !LeadingBit(f, bits)) {
            info.kind = fractionZero ? PatternClass::PseudoInfinity : PatternClass::PseudoNaN;
            info.canonical = false;
        } else if (f.explicitLeadingBit) {
            info.realIndefinite = info.negative && Fraction(f, bits) == f.quietBit();
        }
    } else if (IsInfinityPattern(f, bits)) {
        info.kind = PatternClass::Infinity;
    } else if (stored == 0) {
        info.kind = fractionZero ? PatternClass::Zero : PatternClass::Subnormal;
        if (f.explicitLeadingBit && LeadingBit(f, bits)) {
            info.kind = PatternClass::PseudoDenormal;
            info.canonical = false;
        }
    } else {
        info.kind = PatternClass::Normal;
        if (!LeadingBit(f, bits)) {
            info.kind = PatternClass::Unnormal;
            info.canonical = false;
        }
    }
    return info;
}

}  // namespace ieee
