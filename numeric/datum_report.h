// Everything the main window shows of one datum (a pattern of one format,
// and the number typed for it, if any), as plain texts: the bit fields, the
// hexadecimal word, the class, the value in the format's scientific form,
// every entry of the parameter list, the stored value group (exact value,
// conversion error, shortest text, hex-float text) and the NaN details.
// Each text comes from the numeric routines the window's own displays call,
// laid out as the window lays it out. No toolkit and no shared dialog state:
// the command line and the window's "copy as JSON" both build on this.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/stored_value.h"

namespace report {

// A VALUE as the command line takes it: what the main value field takes
// (a decimal number, Infinity or NaN, read to nearest with ties to even),
// a hexadecimal word with 0x (the pattern itself), or a hexadecimal
// floating-point literal ("0x1.8p3", rounded once to nearest).
struct ValueRead {
    bool ok = false;
    ieee::uint128 bits = 0;
    bool hexForm = false;      // a word or literal with 0x, which the value field does not take
    bool typedNumber = false;  // a finite decimal number: `typed` holds it exactly
    ieee::TypedDecimal typed;  // the number behind the conversion error
    std::string_view whyRo;    // why the text was refused (Romanian, English)
    std::string_view whyEn;
};
ValueRead ReadValue(const ieee::FormatInfo& f, std::string_view text);

struct DatumReport {
    const ieee::FormatInfo* format = nullptr;
    ieee::uint128 bits = 0;
    std::string sign, exponentField, fraction;  // the bit fields, as '0' and '1'
    std::string hex;                            // the hexadecimal word ("3DCCCCCD")
    std::string classText;                      // the class, in the chosen language
    std::string value;                          // the value field after decoding: "+1.0000000E-01"
    bool finite = false;                        // the parameter list holds entries only for a finite datum
    // The parameter list (empty texts for an infinity or a NaN).
    int exponent = 0;                      // representation exponent E
    std::string exponentMark;              // "E", "Emin" or "Emax", as the caption marks it
    std::string exponentCaption;           // "Representation Exponent (E)"
    std::string significand;               // "1.6000000E+00"
    std::string ulp;                       // "7.4505806E-09"
    std::string nextUp, nextDown;          // X+ and X- in the scientific form, unsigned
    std::string nextUpBits, nextDownBits;  // as the window shows them in bits: "0_01111011_100..."
    std::string nextUpHex, nextDownHex;    // their hexadecimal words
    std::string epsilon;                   // "Epsilon = ULP(1.0)."
    // The stored value group.
    std::string exact;      // every digit of a finite value; what the window says of an infinity or a NaN
    bool hasError = false;  // a typed number was given and the value is finite
    std::string error, errorUlps, errorRelative;  // typed - stored: exact, in ULP ("-0.2 ULP"), relative
    std::string shortest;                         // "0.1"
    std::string hexFloat;                         // "0x1.99999ap-4"
    bool nan = false;
    bool quiet = false;
    ieee::uint128 payload = 0;
};

// The report of pattern `bits` of format `f`; `typed` is the number typed
// for it (nullptr: none, so no conversion error). `lang` 2 English, else
// Romanian (the class text, the exponent caption and the special values).
DatumReport Report(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed, int lang);

// The report as one JSON object on one line. Keys, always present and in
// this order: format, hex, sign, exponent_field, fraction_field, class,
// value, finite, exponent, exponent_mark, significand, ulp, next_up,
// next_up_bits, next_up_hex, next_down, next_down_bits, next_down_hex,
// epsilon, exact, error, error_ulps, error_relative, shortest, hex_float,
// nan. Texts are JSON strings; exponent a number; finite a boolean; an
// entry the window leaves empty (the parameter list of an infinity or a
// NaN, the error without a typed number) is null; nan is null or
// {"quiet": bool, "payload": "0x..."}. With `input`, an "input" key with
// the text comes first.
std::string JsonOf(const DatumReport& r, std::optional<std::string_view> input = std::nullopt);
std::string DatumJson(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed, int lang);

// `text` as a JSON string with its quotes: control characters escaped, bytes
// that are not UTF-8 replaced by U+FFFD.
std::string JsonString(std::string_view text);

// Upper-case hexadecimal digits of a number, no leading zeros ("0" for 0).
std::string HexNumber(ieee::uint128 value);

}  // namespace report
