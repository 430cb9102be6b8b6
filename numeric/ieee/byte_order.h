// A pattern as the bytes a machine stores, in either byte order, and bytes
// read back in the forms hex dumps and code write them.
#pragma once

#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"

namespace ieee {

enum class ByteOrder { Little, Big };

// How many bytes hold a pattern of f: its width in the fewest whole bytes
// (a format narrower than a byte, or whose width is no multiple of 8, keeps
// its pattern in the low bits of the last byte, the others clear).
constexpr int StorageBytes(const FormatInfo& f) { return (f.bits + 7) / 8; }

// The bytes in memory order, two upper-case digits each, one blank between:
// 0.1 in binary32 is "CD CC CC 3D" little-endian, "3D CC CC CD" big-endian.
std::string BytesText(const FormatInfo& f, uint128 bits, ByteOrder order);

enum class BytesStatus {
    Ok,            // bits holds the pattern
    Empty,         // no byte at all: bits unchanged
    BadCharacter,  // a character that belongs to no byte form: bits unchanged
    Unfinished,    // the text ends inside a byte ("cd c", "cd 0x", "\\"), as while typing: bits unchanged
    HalfByte,      // a byte of one digit in a run, or of three or more after 0x or \x: bits unchanged
    TooManyBytes,  // more bytes than the format stores: bits unchanged
    TooWide,       // the bytes set bits above the format's width: bits unchanged
};

// Reads bytes in memory order `order`. A byte is two hexadecimal digits of
// either case; a run of digits is several bytes ("CDCCCC3D"); a byte may be
// written 0xCD or \xcd (one or two digits after the prefix). Blanks, tabs,
// line breaks, commas, semicolons, colons, hyphens, underscores and braces
// separate bytes and are otherwise ignored, so "cd cc cc 3d",
// "0xcd, 0xcc, 0xcc, 0x3d", "\xcd\xcc\xcc\x3d" and "{0xCD,0xCC,0xCC,0x3D}"
// read alike. Fewer bytes than the format stores are its low bytes: the
// first ones little-endian, the last ones big-endian, the rest zero. A bad
// character is reported before anything else, a half byte inside the text
// before too many bytes; a half byte at its very end is Unfinished. One
// pass; any length of text is safe and linear.
BytesStatus ReadBytes(const FormatInfo& f, std::string_view text, ByteOrder order, uint128& bits);

}  // namespace ieee
