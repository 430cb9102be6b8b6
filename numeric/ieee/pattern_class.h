// The class of a stored pattern, worked out once from the pattern alone:
// what every display of the datum (the class text, the parameter list, the
// command line) reads.
#pragma once

#include "numeric/ieee/format_table.h"

namespace ieee {

enum class PatternClass {
    Zero,       // a signed zero
    Subnormal,  // exponent field 0, fraction not 0
    Normal,     // a finite number with a normal exponent
    Infinity,   // a signed infinity
    NaN,        // a quiet or signalling NaN
};

struct ClassInfo {
    PatternClass kind = PatternClass::Zero;
    bool negative = false;
    bool canonical = true;  // false for an encoding the format accepts but never produces
};

ClassInfo ClassOf(const FormatInfo& f, uint128 bits);

constexpr bool IsFinite(PatternClass c) { return c != PatternClass::Infinity && c != PatternClass::NaN; }

}  // namespace ieee
