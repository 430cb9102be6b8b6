// What "Copy as..." offers for the datum of the stored value group: each
// entry with the menu caption that says what it copies, in the chosen
// language, and the text it copies.
#pragma once

#include <string>
#include <vector>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/stored_value.h"

struct CopyChoice {
    std::string caption;  // "C literal: 0x1.99999ap-4f"
    std::string text;     // "0x1.99999ap-4f"
};

// The entries for pattern `bits` of format f, in menu order: the C/C++
// literal, the shortest decimal text, the hexadecimal word, the bytes
// little-endian and big-endian, the Python lines that apply (struct.unpack,
// float.fromhex), and the whole group as the JSON object the command line
// writes (with the conversion error of `typed`, the number typed for the
// pattern, when there is one). lang 2 English, else Romanian. Captions show
// a long text cut short with "..."; the text copied is always whole.
std::vector<CopyChoice> CopyChoices(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed,
                                    int lang);
