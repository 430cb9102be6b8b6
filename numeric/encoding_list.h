// Every encoding of a small format as the table of encodings shows it: the
// pattern's bits, its hexadecimal word, its exact value and its class.
#pragma once

#include <string>
#include <vector>

#include "numeric/ieee/format_table.h"

// Formats of at most this many bits have a table of every encoding.
constexpr int ENCODING_TABLE_MAX_BITS = 8;

struct EncodingEntry {
    ieee::uint128 pattern;
    std::string bits;   // sign, exponent, [integer bit,] fraction, separated by blanks
    std::string hex;    // the hexadecimal word
    std::string value;  // the exact value; "+Inf", "-Inf", "NaN" for the others
    std::string klass;  // the class in language lang
};

// Every pattern of f, from 0 up (empty for a format wider than
// ENCODING_TABLE_MAX_BITS); lang 1 Romanian, 2 English.
std::vector<EncodingEntry> EncodingList(const ieee::FormatInfo& f, int lang);
