// An exact real number as the rounding of a conversion or an operation sees
// it before the rounding: a rational with a power of two, the square root of
// one, or no finite number at all (an infinity, a NaN, a comparison).
#pragma once

#include <cstdint>

#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/format_table.h"

namespace ieee {

struct ExactValue {
    enum class Shape {
        NotFinite,  // an infinity or a NaN: `pattern` holds what the operation gives
        Rational,   // (-1)^negative * num / den * 2^exp2 (num may be 0, den positive)
        Root,       // sqrt(num * 2^exp2), exp2 even, num positive
    };
    Shape shape = Shape::NotFinite;
    bool negative = false;
    detail::Mpz num, den;
    int64_t exp2 = 0;
    uint128 pattern = 0;  // NotFinite only

    ExactValue() { mpz_set_ui(den.get(), 1); }
};

}  // namespace ieee
