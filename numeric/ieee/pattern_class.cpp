// The class of a stored pattern.
#include "numeric/ieee/pattern_class.h"

namespace ieee {

ClassInfo ClassOf(const FormatInfo& f, uint128 bits) {
    ClassInfo info;
    info.negative = IsNegative(f, bits);
    const int stored = StoredExponent(f, bits);
    const bool fractionZero = Fraction(f, bits) == 0;
    if (stored == f.maxStored())
        info.kind = fractionZero ? PatternClass::Infinity : PatternClass::NaN;
    else if (stored == 0)
        info.kind = fractionZero ? PatternClass::Zero : PatternClass::Subnormal;
    else
        info.kind = PatternClass::Normal;
    return info;
}

}  // namespace ieee
