// The class of a stored pattern, worked out once from the pattern alone:
// what every display of the datum (the class text, the parameter list, the
// command line) reads.
#pragma once

#include "numeric/ieee/format_table.h"

namespace ieee {

enum class PatternClass {
    Zero,       // a signed zero
    Subnormal,  // exponent field 0, fraction not 0 (explicit leading bit: that bit 0)
    Normal,     // a finite number with a normal exponent
    Infinity,   // a signed infinity
    NaN,        // a quiet or signalling NaN
    // Encodings only a format with an explicit leading bit has; none is canonical.
    PseudoDenormal,  // exponent field 0, leading bit 1: the value 1.f * 2^emin
    Unnormal,        // exponent field neither 0 nor all ones, leading bit 0: the value 0.f * 2^(e - bias)
    PseudoInfinity,  // all-ones exponent, leading bit 0, fraction 0
    PseudoNaN,       // all-ones exponent, leading bit 0, fraction not 0
};

struct ClassInfo {
    PatternClass kind = PatternClass::Zero;
    bool negative = false;
    bool canonical = true;        // false for an encoding the format accepts but never produces (isCanonical)
    bool realIndefinite = false;  // the default NaN an explicit-leading-bit format's invalid operations give
};

ClassInfo ClassOf(const FormatInfo& f, uint128 bits);

constexpr bool IsFinite(PatternClass c) {
    return c == PatternClass::Zero || c == PatternClass::Subnormal || c == PatternClass::Normal ||
           c == PatternClass::PseudoDenormal || c == PatternClass::Unnormal;
}

}  // namespace ieee
