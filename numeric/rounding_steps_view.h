// The "How it was rounded" texts: numbered plain lines, in either language,
// that explain one conversion of typed text or one operation, step by step,
// from the exact value to the stored result. No toolkit: a window only shows
// the lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/operations_view.h"

namespace stepsview {

// How the main dialog's datum in format `f` came to be. `typed` is the
// number the value field's text was read as, when the datum `stored` is that
// number rounded (to nearest, ties to even); nullptr when the datum came from
// elsewhere. `fieldText` is the value field's text now: a text the field
// refuses is explained too (a number beyond the largest finite value, or
// "Invalid Value"); else, without a typed number, the datum was given by its
// bits or names an infinity or a NaN, and nothing was rounded. Language: 1
// Romanian, 2 English.
std::vector<std::string> ConversionLines(const ieee::FormatInfo& f, const ieee::TypedDecimal* typed,
                                         std::string_view fieldText, ieee::uint128 stored, int lang);

// How the Operations window's result for these choices was rounded; `view`
// is what opsview::Build gave for them (the window's own texts, not worked
// out again).
std::vector<std::string> OperationLines(const opsview::Choices& choices, const opsview::View& view);

// The lines as one text, one per line, for the clipboard.
std::string PlainText(const std::vector<std::string>& lines);

}  // namespace stepsview
