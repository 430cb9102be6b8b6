// Class of the current datum in both languages.
#pragma once

#include "numeric/ieee/format_table.h"

// Works out the class of `pattern` of format `f` once, with the pure
// library's classification, and sets from it the class flags (IS_ZERO,
// IS_SUBNORMAL, IS_INFINITY, IS_NAN, IS_FINITE, EXP_MAX_FINITE,
// EXP_MIN_NORMAL) and DATATYPE; the pattern is remembered as the one the
// class describes.
void TAKE_CLASS(const ieee::FormatInfo& f, ieee::uint128 pattern);
// Fills DATATYPE (Romanian, English; 30 characters each) again, in both
// languages: the class of the pattern last classified (before any, of the
// current format's stored value).
void RETRIEVEDATATYPE();
