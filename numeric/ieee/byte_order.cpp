// Patterns as bytes in memory order.
#include "numeric/ieee/byte_order.h"

namespace ieee {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsSeparator(char c) {
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case ',':
    case ';':
    case ':':
    case '-':
    case '_':
    case '{':
    case '}': return true;
    default: return false;
    }
}

// Byte k of the pattern, k = 0 the least significant.
unsigned ByteOf(uint128 bits, int k) { return static_cast<unsigned>(bits >> (8 * k)) & 0xFFu; }

}  // namespace

std::string BytesText(const FormatInfo& f, uint128 bits, ByteOrder order) {
    static const char kDigits[] = "0123456789ABCDEF";
    const int count = StorageBytes(f);
    std::string out;
    out.reserve(static_cast<size_t>(3 * count));
    for (int i = 0; i < count; ++i) {
        const unsigned b = ByteOf(bits & f.patternMask(), order == ByteOrder::Little ? i : count - 1 - i);
        if (i > 0) out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 15u];
    }
    return out;
}

BytesStatus ReadBytes(const FormatInfo& f, std::string_view text, ByteOrder order, uint128& bits) {
    const size_t limit = static_cast<size_t>(StorageBytes(f));
    // The bytes in the order typed, the first `limit` of them; more are only counted.
    unsigned kept[16] = {};
    size_t count = 0;
    bool halfByte = false, unfinished = false;
    const size_t n = text.size();
    size_t i = 0;
    auto add = [&](unsigned byte) {
        if (count < limit && count < 16) kept[count] = byte;
        ++count;
    };
    while (i < n) {
        const char c = text[i];
        if (IsSeparator(c)) {
            ++i;
            continue;
        }
        // A prefixed byte: 0x or \x and one or two digits.
        const bool prefixed = i + 1 < n && (text[i + 1] == 'x' || text[i + 1] == 'X') && (c == '0' || c == '\\');
        if (prefixed) {
            i += 2;
            size_t digits = 0;
            unsigned byte = 0;
            for (; i < n && HexValue(text[i]) >= 0; ++i, ++digits)
                byte = ((byte << 4) | static_cast<unsigned>(HexValue(text[i]))) & 0xFFFu;
            if (digits == 0 && i == n) unfinished = true;
            else if (digits == 0 || digits > 2) halfByte = true;
            else add(byte);
            continue;
        }
        if (c == '\\' && i + 1 == n) {  // a prefix being typed
            unfinished = true;
            ++i;
            continue;
        }
        if (HexValue(c) < 0) return BytesStatus::BadCharacter;
        // A run of digits: two to a byte.
        size_t digits = 0;
        unsigned byte = 0;
        for (; i < n && HexValue(text[i]) >= 0; ++i, ++digits) {
            byte = (byte << 4) | static_cast<unsigned>(HexValue(text[i]));
            if (digits % 2 == 1) {
                add(byte);
                byte = 0;
            }
        }
        if (digits % 2 == 1) (i == n ? unfinished : halfByte) = true;
    }
    if (halfByte) return BytesStatus::HalfByte;
    if (unfinished) return BytesStatus::Unfinished;
    if (count == 0) return BytesStatus::Empty;
    if (count > limit) return BytesStatus::TooManyBytes;
    uint128 value = 0;
    for (size_t k = 0; k < count; ++k) {
        const size_t place = order == ByteOrder::Little ? k : count - 1 - k;  // 0 = least significant
        value |= uint128(kept[k]) << (8 * place);
    }
    if ((value & ~f.patternMask()) != 0) return BytesStatus::TooWide;
    bits = value;
    return BytesStatus::Ok;
}

}  // namespace ieee
