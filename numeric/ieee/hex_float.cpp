// The C99 %a text of a stored value. binary64 comes from std::to_chars's
// hexadecimal form; binary32, binary16 and bfloat16 values are converted
// exactly to binary64 first, as printf's %a sees a float argument, so a
// subnormal is written normalised ("0x1p-149"). binary128 comes from
// quadmath_snprintf's %Qa, whose decimal point follows the C locale; it is
// written back as '.'.
#include <charconv>
#include <string>

extern "C" {
#include <quadmath.h>
}

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string FromDouble(double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::hex);
    std::string_view raw(buf, static_cast<size_t>(r.ptr - buf));
    std::string out;
    if (!raw.empty() && raw[0] == '-') {
        out += '-';
        raw.remove_prefix(1);
    }
    out += "0x";
    out += raw;
    return out;
}

// "[-]0x<digit><point><digits>p<exponent>" with any point text rebuilt as '.'.
std::string FromQuad(__float128 x) {
    char buf[128];
    const int n = quadmath_snprintf(buf, sizeof buf, "%Qa", x);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buf) return {};
    const std::string_view raw(buf, static_cast<size_t>(n));
    const size_t p = raw.find('p');
    size_t i = raw.find('x');
    if (p == std::string_view::npos || i == std::string_view::npos || i + 1 >= p) return {};
    std::string out(raw.substr(0, i + 2));  // sign, "0x", the leading digit
    i += 2;
    while (i < p && !IsHexDigit(raw[i])) ++i;  // the decimal point, if any
    if (i < p) {
        out += '.';
        out += raw.substr(i, p - i);
    }
    out += raw.substr(p);
    return out;
}

// "[-]0x1.<hex digits>p<exponent>" straight from the exact value, trailing
// zero digits dropped; a zero is "0x0p+0". Any width of significand.
std::string Normalised(const FormatInfo& f, uint128 bits) {
    static const char kDigits[] = "0123456789abcdef";
    const detail::BinaryValue v = detail::Decompose(f, bits);
    std::string out = v.negative ? "-0x" : "0x";
    if (v.significand == 0) return out + "0p+0";
    int top = 127;
    while (((v.significand >> top) & 1) == 0) --top;
    out += '1';
    const uint128 rest =
        v.significand & ((uint128(1) << top) - 1);  // odd or zero: no trailing zero bits but the padding
    if (top > 0) {
        const int digits = (top + 3) / 4;
        const uint128 padded = rest << (4 * digits - top);
        out += '.';
        for (int k = digits - 1; k >= 0; --k) out += kDigits[static_cast<unsigned>(padded >> (4 * k)) & 15u];
    }
    const int64_t e = v.exponent + top;
    out += e < 0 ? "p-" : "p+";
    out += std::to_string(e < 0 ? -e : e);
    return out;
}

}  // namespace

std::string HexFloatText(const FormatInfo& f, uint128 bits) {
    if (IsNaNPattern(f, bits)) return "nan";
    if (IsInfinityPattern(f, bits)) return IsNegative(f, bits) ? "-inf" : "inf";
    switch (f.kind) {
    case KIND_BINARY32: return FromDouble(FloatFromBits(static_cast<uint32_t>(bits)));
    case KIND_BINARY64: return FromDouble(DoubleFromBits(static_cast<uint64_t>(bits)));
    case KIND_BINARY128: return FromQuad(QuadFromBits(bits));
    default: break;
    }
    if (FloatHoldsFormat(f)) return FromDouble(FloatValue(f, bits));
    return Normalised(f, bits);
}

}  // namespace ieee
