// The parts of a NaN pattern.
#include "numeric/ieee/stored_value.h"

namespace ieee {

NaNDetails NaNDetailsOf(const FormatInfo& f, uint128 bits) {
    NaNDetails out;
    if (!IsNaNPattern(f, bits)) return out;
    if (f.specials == SpecialValues::NaNOnlyAllOnes) {
        out.quiet = true;  // the format's one NaN: no payload, never signalling
        return out;
    }
    out.quiet = (bits & f.quietBit()) != 0;
    out.payload = Fraction(f, bits) & ~f.quietBit();
    return out;
}

}  // namespace ieee
