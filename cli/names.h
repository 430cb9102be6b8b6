// The names the command line takes: formats, rounding directions, tininess
// and operations, and the short names it writes back.
#pragma once

#include <string_view>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding.h"

namespace cli {

// Any name the format table knows ("binary32", "bfloat16", ...); nullptr otherwise.
const ieee::FormatInfo* FormatNamed(std::string_view name);
// "even", "away", "up", "down", "zero" or the standard's names ("roundTiesToEven", ...).
bool RoundingNamed(std::string_view name, ieee::Rounding& rounding);
// "after" or "before".
bool TininessNamed(std::string_view name, ieee::Tininess& tininess);

// An operation name: add, sub, mul, div, sqrt, fma, rem, rint, cmpq, cmps,
// totalorder, convert:FORMAT, and (where `decimalAllowed`) decimal.
struct OperationName {
    bool ok = false;
    bool decimal = false;  // read decimal text and round it
    ieee::Operation op = ieee::Operation::Add;
    const ieee::FormatInfo* target = nullptr;  // convert:FORMAT
    bool badTarget = false;                    // convert: with a format nobody knows
};
OperationName OperationNamed(std::string_view name, bool decimalAllowed);

// The short name of an operation ("add"), of a direction ("even"), of an outcome ("less").
std::string_view ShortName(ieee::Operation op);
std::string_view ShortName(ieee::Rounding rounding);
std::string_view ShortName(ieee::Outcome outcome);

}  // namespace cli
