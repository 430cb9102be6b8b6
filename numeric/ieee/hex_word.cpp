// The pattern as a hexadecimal word, and a word read back into a pattern.
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

// Characters a word may hold anywhere without meaning: blank, tab, underscore.
bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '_'; }

// 0..15 for a hexadecimal digit of either case, -1 for any other byte
// (control characters and bytes 0x80-0xFF included).
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string HexWord(const FormatInfo& f, uint128 bits) {
    static const char kDigits[] = "0123456789ABCDEF";
    const int count = f.hexDigits();
    // binary128 in groups of eight digits; a significand with an explicit
    // leading bit apart from the sign and exponent ("3FFF 8000000000000000").
    const bool grouped = f.bits == 128;
    const int apart = f.explicitLeadingBit ? (f.fractionBits + 1) / 4 : -1;
    std::string out;
    out.reserve(static_cast<size_t>(count + count / 8 + 1));
    for (int k = count - 1; k >= 0; --k) {
        out += kDigits[static_cast<unsigned>(bits >> (4 * k)) & 15u];
        if ((grouped && k > 0 && k % 8 == 0) || k == apart) out += ' ';
    }
    return out;
}

// One pass over the text; digits beyond the format's count are counted,
// not shifted in, so the value never wraps.
HexStatus ReadHexWord(const FormatInfo& f, std::string_view text, uint128& bits) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsIgnored(text[i])) ++i;
    if (n - i >= 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
    const size_t limit = static_cast<size_t>(f.hexDigits());
    size_t count = 0;
    uint128 value = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (IsIgnored(c)) continue;
        const int digit = HexValue(c);
        if (digit < 0) return HexStatus::BadCharacter;
        if (++count <= limit) value = (value << 4) | static_cast<unsigned>(digit);
    }
    if (count == 0) return HexStatus::Empty;
    // A format whose width is no multiple of four has fewer bits than its digits.
    if (count > limit || (value & ~f.patternMask()) != 0) return HexStatus::TooManyDigits;
    bits = value;
    return HexStatus::Ok;
}

}  // namespace ieee
