// The class of a datum as the program names it, in both languages: the one
// source of the class texts the window and the command line show.
#pragma once

#include <string>

#include "numeric/ieee/pattern_class.h"

// The class text of pattern `bits` of format `f` in language `lang` (1
// Romanian, 2 English): "Signed Zero", "Denormalized Number", "Signed
// Infinity", "Not-a-Number", "Normalized Number: Real(4)", unpadded; the
// encodings only an explicit leading bit allows are named as such and marked
// " (non-canonical)", and the real indefinite NaN is named.
std::string ClassText(const ieee::FormatInfo& f, ieee::uint128 bits, int lang);
