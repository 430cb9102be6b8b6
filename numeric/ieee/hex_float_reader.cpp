// The hexadecimal floating-point literal scanner.
#include "numeric/ieee/hex_float_reader.h"

#include <algorithm>

namespace ieee {

namespace {

// Binary exponents saturate here: far beyond every format's range and far
// from int64_t's limits once four bits per fraction digit are taken off
// (the fraction's length is bounded by the text's).
constexpr int64_t kExponentCap = 1'000'000'000'000LL;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsSuffix(char c) { return c == 'f' || c == 'F' || c == 'l' || c == 'L' || c == 'q' || c == 'Q'; }

}  // namespace

HexFloatLiteral ScanHexFloat(std::string_view text, size_t start) {
    HexFloatLiteral out;
    const size_t n = text.size();
    size_t i = start;
    if (i < n && (text[i] == '+' || text[i] == '-')) out.negative = text[i++] == '-';
    if (n - std::min(i, n) < 2 || text[i] != '0' || (text[i + 1] != 'x' && text[i + 1] != 'X')) {
        out.end = start;
        return out;
    }
    out.hex = true;
    i += 2;
    int64_t fractionDigits = 0;
    bool point = false, any = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        const int d = HexValue(c);
        if (d < 0) break;
        any = true;
        if (point) ++fractionDigits;
        if (!out.digits.empty() || d != 0) out.digits += c;
    }
    int64_t exponent = 0;
    bool exponentDigits = false;
    const bool hasExponent = i < n && (text[i] == 'p' || text[i] == 'P');
    if (hasExponent) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
            exponentDigits = true;
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
        }
        if (negativeExponent) exponent = -exponent;
        if (exponentDigits && i < n && IsSuffix(text[i])) ++i;
    }
    out.complete = any && (hasExponent ? exponentDigits : point);
    out.exponent = exponent - 4 * fractionDigits;
    out.end = i;
    return out;
}

void HexSignificand(const HexFloatLiteral& literal, mpz_ptr out) {
    if (literal.digits.empty()) mpz_set_ui(out, 0);
    else mpz_set_str(out, literal.digits.c_str(), 16);
}

}  // namespace ieee
