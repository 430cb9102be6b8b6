// Operand texts: each form is read exactly into integers and rounded once by
// RoundExact or RoundQuotient.
#include "numeric/ieee/operand.h"

#include <string>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/exact_rounding.h"
#include "numeric/ieee/hex_float_reader.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

using detail::Mpz;

// A decimal number whose leading digit sits beyond 10^kDecades in magnitude
// overflows every format; below 10^-kDecades it is far under half the
// smallest binary128 subnormal.
constexpr int64_t kDecades = 5000;
// Stand-ins, as powers of two, for such numbers: 2^20000 overflows every
// format and 2^-20000 lies below half of every smallest subnormal.
constexpr int64_t kFarExponent = 20000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

OperandValue FromRounded(const Rounded& r) {
    OperandValue v;
    v.status = OperandStatus::Value;
    v.bits = r.bits;
    v.flags = r.flags;
    return v;
}

OperandValue PowerOfTwo(const FormatInfo& f, bool negative, int64_t exponent, Rounding rounding, Tininess tininess) {
    Mpz one;
    mpz_set_ui(one.get(), 1);
    return FromRounded(RoundExact(f, negative, one.get(), exponent, false, rounding, tininess));
}

// A hexadecimal floating-point literal, then nothing but blanks.
OperandValue ReadHexFloat(const FormatInfo& f, std::string_view text, size_t start, Rounding rounding,
                          Tininess tininess) {
    const HexFloatLiteral literal = ScanHexFloat(text, start);
    size_t i = literal.end;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (!literal.complete || i != text.size()) {
        OperandValue invalid;
        invalid.status = OperandStatus::Invalid;
        return invalid;
    }
    Mpz m;
    HexSignificand(literal, m.get());
    return FromRounded(RoundExact(f, literal.negative, m.get(), literal.exponent, false, rounding, tininess));
}

OperandValue ReadDecimal(const FormatInfo& f, std::string_view text, Rounding rounding, Tininess tininess) {
    OperandValue out;
    TypedDecimal typed;
    if (!ExactTypedNumber(text, typed)) {
        // The words, and numbers whose exponent the reader saturates.
        uint128 bits = 0;
        if (ReadFreeForm(f, text, bits) != ReadStatus::Value) {
            out.status = OperandStatus::Invalid;
            return out;
        }
        if (!IsFinitePattern(f, bits)) {
            out.status = OperandStatus::Value;
            out.bits = bits;
            return out;
        }
        // A finite value with a saturated exponent: a zero, or a magnitude
        // far below every subnormal, told apart by the significand's digits.
        size_t i = 0;
        while (i < text.size() && (IsBlank(text[i]) || text[i] == '+' || text[i] == '-')) ++i;
        bool nonZero = false;
        for (; i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.'); ++i)
            nonZero = nonZero || (text[i] >= '1' && text[i] <= '9');
        if (!nonZero) {
            out.status = OperandStatus::Value;
            out.bits = bits;
            return out;
        }
        return PowerOfTwo(f, IsNegative(f, bits), -kFarExponent, rounding, tininess);
    }
    const int64_t lead = typed.exponent + static_cast<int64_t>(typed.digits.size()) - 1;
    if (typed.digits == "0") {
        out.status = OperandStatus::Value;
        out.bits = typed.negative ? f.signBit() : 0;
        return out;
    }
    if (lead > kDecades) return PowerOfTwo(f, typed.negative, kFarExponent, rounding, tininess);
    if (lead < -kDecades) return PowerOfTwo(f, typed.negative, -kFarExponent, rounding, tininess);
    Mpz digits, power;
    mpz_set_str(digits.get(), typed.digits.c_str(), 10);
    mpz_ui_pow_ui(power.get(), 10, static_cast<unsigned long>(typed.exponent < 0 ? -typed.exponent : typed.exponent));
    if (typed.exponent >= 0) {
        mpz_mul(digits.get(), digits.get(), power.get());
        return FromRounded(RoundExact(f, typed.negative, digits.get(), 0, false, rounding, tininess));
    }
    return FromRounded(RoundQuotient(f, typed.negative, digits.get(), power.get(), 0, rounding, tininess));
}

}  // namespace

OperandValue ReadOperand(std::string_view text, const FormatInfo& f, Rounding rounding, Tininess tininess) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    if (i == n) return {};
    size_t j = i;
    bool signed_ = false;
    if (text[j] == '+' || text[j] == '-') {
        signed_ = true;
        ++j;
    }
    if (n - j >= 2 && text[j] == '0' && (text[j + 1] == 'x' || text[j + 1] == 'X')) {
        const std::string_view body = text.substr(j + 2);
        if (body.find_first_of(".pP") != std::string_view::npos) return ReadHexFloat(f, text, i, rounding, tininess);
        OperandValue out;
        out.status = OperandStatus::Invalid;
        uint128 bits = 0;
        if (!signed_ && ReadHexWord(f, text.substr(i), bits) == HexStatus::Ok) {
            out.status = OperandStatus::Value;
            out.bits = bits;
        }
        return out;
    }
    return ReadDecimal(f, text, rounding, tininess);
}

}  // namespace ieee
