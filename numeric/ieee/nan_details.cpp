// The parts of a NaN pattern.
#include "numeric/ieee/stored_value.h"

namespace ieee {

NaNDetails NaNDetailsOf(const FormatInfo& f, uint128 bits) {
    NaNDetails out;
    if (!IsNaNPattern(f, bits)) return out;
    out.quiet = (bits & f.quietBit()) != 0;
    out.payload = Fraction(f, bits) & ~f.quietBit();
    return out;
}

}  // namespace ieee
