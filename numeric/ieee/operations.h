// The operations of binary floating point on patterns of any format of the
// table: the exact mathematical result, rounded once in a chosen direction,
// the five exception flags, and the exact texts that show what the rounding
// did. Comparisons give a relation instead of a pattern.
#pragma once

#include <array>
#include <span>
#include <string>

#include "numeric/ieee/exact_value.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/rounding.h"

namespace ieee {

enum class Operation {
    Add,               // a + b
    Subtract,          // a - b
    Multiply,          // a * b
    Divide,            // a / b
    SquareRoot,        // sqrt(a)
    FusedMultiplyAdd,  // a * b + c, rounded once
    Remainder,         // a - n * b, n the integer nearest a / b (ties to even); always exact
    RoundToIntegral,   // a rounded to an integer in the chosen direction; never inexact
    ConvertFormat,     // a rounded to the target format
    CompareQuiet,      // less, equal, greater or unordered; invalid only for a signalling NaN
    CompareSignaling,  // the same; invalid for any NaN
    TotalOrder,        // true when a is not above b in the total order of patterns; never a flag
};

// 1, 2 or 3.
int OperandCount(Operation op);
bool IsComparison(Operation op);

enum class Outcome { None, Less, Equal, Greater, Unordered, True, False };

struct Result {
    const FormatInfo* format = nullptr;  // the format of `bits`: the target of a conversion, else the operands'
    bool hasPattern = true;              // false for the comparisons
    uint128 bits = 0;                    // the rounded result
    Flags flags;
    Outcome outcome = Outcome::None;  // the comparisons' answer
    // The exact mathematical result in decimal: every digit when it is a
    // finite decimal ("0.3000000000000000166533453693773481063544750213623046875"),
    // else its first 40 significant digits, truncated, with exactComplete
    // false. Plain positional form, or "d.ddd" with 'E' and a signed exponent
    // for magnitudes below 1E-20 (and for incomplete texts from 1E40 up).
    // Empty when the result is no finite number (an infinity, a NaN, a
    // comparison).
    std::string exact;
    bool exactComplete = true;
    // exact - rounded, in the same form (every digit of a finite decimal);
    // then in units in the last place of the rounded result
    // (2^(max(E, emin) - p + 1), E its exponent), every digit up to about 40
    // significant ones, else the first 40 truncated. Empty when either side
    // is not finite.
    std::string error;
    bool errorComplete = true;
    std::string errorUlps;
    bool errorUlpsComplete = true;
};

// The operation on the first OperandCount(op) patterns of `operands` (the
// low f.bits bits of each; a missing operand counts as +0), rounded once in
// `rounding`, tininess detected as `tininess` says. `target` is the format of
// a conversion (nullptr: the same format); other operations ignore it.
//
// A NaN result is quiet: the first NaN operand's pattern with the quiet bit
// set (a conversion keeps the sign and the high bits of the fraction that fit
// the target), else the format's default quiet NaN (the pattern the decimal
// reader gives for "NaN"). In a fused multiply-add, 0 * infinity raises
// invalid whatever c is, a quiet NaN included.
//
// Formats whose special values differ:
// - A result beyond the largest finite value follows `onOverflow`:
//   Standard gives what the direction gives (the largest finite value when
//   it rounds towards zero, else an infinity; a format without infinities
//   gives its NaN instead, a format without NaNs, such as the 6- and 4-bit
//   ones, the largest finite value); Saturate always gives the largest
//   finite value. Overflow and inexact are raised either way.
// - An infinite result (an infinite operand, a division by zero) in a format
//   without infinities is such an overflow too, with the same flags.
// - An invalid operation, or a NaN converted, into a format without NaNs
//   has no pattern: hasPattern is false, the invalid flag is raised, and the
//   outcome is None; the result is to be shown as "no value", never as a
//   number.
// - A format with only one NaN per sign gives that NaN for every NaN result.
// - Encodings the hardware refuses as operands (x87 unnormals,
//   pseudo-infinities, pseudo-NaNs) act as signalling NaNs: invalid, and
//   the default NaN with their sign. Pseudo-denormals are their value.
Result Compute(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
               Tininess tininess, const FormatInfo* target = nullptr, OnOverflow onOverflow = OnOverflow::Standard);

// The same without the decimal texts (format, pattern, flags and outcome
// only), for long runs of operations whose texts nobody reads.
Result ComputeWithoutTexts(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
                           Tininess tininess, const FormatInfo* target = nullptr,
                           OnOverflow onOverflow = OnOverflow::Standard);

// The same in the five directions, in the order of kAllRoundings: the rows of
// a table, each with its format, pattern, flags and outcome; their texts are
// left empty (Compute gives them for the chosen direction). The exact result
// is worked out once.
std::array<Result, 5> ComputeAllDirections(Operation op, const FormatInfo& f, std::span<const uint128> operands,
                                           Tininess tininess, const FormatInfo* target = nullptr,
                                           OnOverflow onOverflow = OnOverflow::Standard);

// Compute in `rounding` (with its texts) and the five rows of
// ComputeAllDirections, the exact result worked out once for both.
struct ResultAndRows {
    Result chosen;
    std::array<Result, 5> rows;
};
ResultAndRows ComputeWithAllDirections(Operation op, const FormatInfo& f, std::span<const uint128> operands,
                                       Rounding rounding, Tininess tininess, const FormatInfo* target = nullptr,
                                       OnOverflow onOverflow = OnOverflow::Standard);

// The exact mathematical result of the operation before its rounding, as
// Compute works it out (a zero sum's sign already follows `rounding`);
// comparisons, infinities and NaNs give the NotFinite shape with the pattern
// Compute returns. The result's format is the target of a conversion, else f.
void ExactResultOf(Operation op, const FormatInfo& f, std::span<const uint128> operands, Rounding rounding,
                   ExactValue& out, const FormatInfo* target = nullptr);

// The default quiet NaN of the format: sign clear, all fraction bits set
// (the one NaN of a format that has one; 0 for a format without NaNs).
uint128 DefaultNaN(const FormatInfo& f);

}  // namespace ieee
