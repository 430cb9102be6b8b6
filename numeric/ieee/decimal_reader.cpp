// Free-form decimal reader. The text is checked here against the grammar;
// the number is then read by a correctly rounded converter, directly from the
// decimal digits into each format: std::from_chars for binary32 and binary64,
// strtoflt128 for binary128. When the typed spelling is one from_chars reads
// itself (digits, point, an 'e'/'E' exponent of a few digits) it is passed as
// it stands; otherwise, and always for strtoflt128, it is first normalised
// into "<significant digits>e<exponent>" (no point, so the C locale's decimal
// point never matters, and no exponent beyond what the formats can reach).
// Every other format has no converter of its own: MPFR reads the normalised
// form at its precision, under its exponent range, and rounds subnormals
// once, at their own position.
#include "numeric/ieee/decimal_reader.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include <mpfr.h>

extern "C" {
#include <quadmath.h>
}

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/exact_binary.h"
#include "numeric/ieee/exact_rounding.h"
#include "numeric/ieee/hex_float_reader.h"
#include "numeric/ieee/stored_value.h"

namespace ieee {

namespace {

// Any magnitude whose leading digit sits above 10^kOverflowExp overflows every
// format (the largest binary128 value is about 1.19e4932); any magnitude below
// 10^kUnderflowExp is far under half the smallest binary128 subnormal
// (about 6.5e-4966) and rounds to zero in every format.
constexpr int64_t kOverflowExp = 6000;
constexpr int64_t kUnderflowExp = -6000;
// Exponent digits saturate here, far beyond both limits yet far from the
// int64_t range even after the point position (bounded by the text length)
// is added.
constexpr int64_t kExponentCap = 1'000'000'000'000LL;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsTerminator(char c) { return IsBlank(c) || c == ',' || c == '/'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (Lower(text[at + k]) != word[k]) return false;
    return true;
}

bool EndsHere(std::string_view text, size_t at) { return at == text.size() || IsTerminator(text[at]); }

enum class Kind { Finite, Infinity, NaN };

// The outcome of checking the text: what it denotes, and for a number where
// its digits and exponent are.
struct Scan {
    ReadStatus status = ReadStatus::Invalid;
    Kind kind = Kind::Finite;
    bool negative = false;
    std::string_view mantissa;       // digits with at most one point
    int64_t digitsBeforePoint = 0;   // all digits when there is no point
    int64_t typedExponent = 0;       // saturated at kExponentCap
    bool exponentSaturated = false;  // the typed exponent was beyond kExponentCap
    // The number as typed, when std::from_chars reads that spelling itself
    // (digits, point, no exponent or an 'e'/'E' one of a few digits).
    std::string_view plain;
};

// Where the significant digits of a checked number lie; filled on demand,
// since the common path hands the typed spelling straight to from_chars.
struct Significance {
    bool zero = true;              // no non-zero digit
    int64_t firstSignificant = 0;  // digit index (point not counted)
    int64_t lastSignificant = 0;
    int64_t exponent = 0;    // decimal exponent of the last significant digit
    int64_t leading = 0;     // decimal exponent of the first significant digit
    bool overflow = false;   // magnitude certainly beyond every format
    bool underflow = false;  // magnitude certainly rounds to zero in every format
};

Scan Check(std::string_view text) {
    Scan s;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && IsBlank(text[i])) ++i;
    if (i == n) return s;
    if (text[i] == ',' || text[i] == '/') {
        s.status = ReadStatus::NoValue;
        return s;
    }
    if (text[i] == '+' || text[i] == '-') {
        s.negative = text[i] == '-';
        ++i;
    }

    // The words: Infinity is tried before its prefix Inf.
    if (i < n && !IsDigit(text[i]) && text[i] != '.') {
        if ((StartsWithNoCase(text, i, "infinity") && EndsHere(text, i + 8)) ||
            (StartsWithNoCase(text, i, "inf") && EndsHere(text, i + 3))) {
            s.kind = Kind::Infinity;
            s.status = ReadStatus::Value;
        } else if (StartsWithNoCase(text, i, "nan") && EndsHere(text, i + 3)) {
            s.kind = Kind::NaN;
            s.status = ReadStatus::Value;
        }
        return s;
    }

    // Digits with at most one point, at least one digit.
    const size_t mantissaStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    s.digitsBeforePoint = static_cast<int64_t>(i - mantissaStart);
    int64_t digitCount = s.digitsBeforePoint;
    if (i < n && text[i] == '.') {
        const size_t fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        digitCount += static_cast<int64_t>(i - fractionStart);
    }
    if (digitCount == 0) return s;
    s.mantissa = text.substr(mantissaStart, i - mantissaStart);

    // Exponent: a letter with an optionally signed integer, or a bare sign
    // with an integer.
    bool plainSpelling = true;
    if (i < n && !IsTerminator(text[i])) {
        const char c = Lower(text[i]);
        bool expNegative = false;
        plainSpelling = text[i] == 'e' || text[i] == 'E';
        if (c == 'e' || c == 'd' || c == 'q') {
            ++i;
            if (i < n && (text[i] == '+' || text[i] == '-')) {
                expNegative = text[i] == '-';
                ++i;
            }
        } else if (c == '+' || c == '-') {
            expNegative = c == '-';
            ++i;
        } else {
            return s;
        }
        if (i == n || !IsDigit(text[i])) return s;
        const size_t expStart = i;
        int64_t exponent = 0;
        for (; i < n && IsDigit(text[i]); ++i) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
            else s.exponentSaturated = true;
        }
        if (exponent > kExponentCap) {
            exponent = kExponentCap;
            s.exponentSaturated = true;
        }
        s.typedExponent = expNegative ? -exponent : exponent;
        if (i - expStart > 6) plainSpelling = false;
    }
    if (!EndsHere(text, i)) return s;
    if (plainSpelling) s.plain = text.substr(mantissaStart, i - mantissaStart);
    s.status = ReadStatus::Value;
    return s;
}

Significance Locate(const Scan& s) {
    Significance g;
    int64_t index = 0;
    int64_t first = -1;
    int64_t last = -1;
    for (char c : s.mantissa) {
        if (c == '.') continue;
        if (c != '0') {
            if (first < 0) first = index;
            last = index;
        }
        ++index;
    }
    if (first < 0) return g;
    g.zero = false;
    g.firstSignificant = first;
    g.lastSignificant = last;
    // value = d(first) d(first+1) ... d(last) x 10^(exponent of the last digit)
    g.exponent = s.typedExponent + (s.digitsBeforePoint - 1 - last);
    g.leading = s.typedExponent + (s.digitsBeforePoint - 1 - first);
    g.overflow = g.leading > kOverflowExp;
    g.underflow = g.leading < kUnderflowExp;
    return g;
}

// Writes "<significant digits>e<exponent>" followed by a NUL into a small
// buffer when it fits, otherwise into a heap string.
class Normalised {
public:
    Normalised(const Normalised&) = delete;
    Normalised& operator=(const Normalised&) = delete;
    Normalised(const Scan& s, const Significance& g) {
        const size_t digits = static_cast<size_t>(g.lastSignificant - g.firstSignificant + 1);
        const size_t need = digits + 24;
        char* out = small_.data();
        if (need > small_.size()) {
            big_.resize(need);
            out = big_.data();
        }
        begin_ = out;
        int64_t index = 0;
        for (char c : s.mantissa) {
            if (c == '.') continue;
            if (index >= g.firstSignificant && index <= g.lastSignificant) *out++ = c;
            ++index;
        }
        *out++ = 'e';
        out = std::to_chars(out, begin_ + need - 1, g.exponent).ptr;
        *out = '\0';
        end_ = out;
    }
    const char* begin() const { return begin_; }
    const char* end() const { return end_; }

private:
    std::array<char, 96> small_;
    std::string big_;
    char* begin_ = nullptr;
    char* end_ = nullptr;
};

// Reads `begin`..`end` (the typed spelling or the normalised form) with
// from_chars. It leaves the value alone and reports out of range both when
// the magnitude rounds beyond the largest finite value and when it rounds to
// zero; the position of the leading digit tells the two apart.
template <typename T>
ReadStatus FromChars(const Scan& s, const char* begin, const char* end, T& magnitude) {
    T value{};
    const auto result = std::from_chars(begin, end, value);
    if (result.ptr != end) return ReadStatus::Invalid;
    if (result.ec == std::errc::result_out_of_range) {
        if (Locate(s).leading >= 0) return ReadStatus::Invalid;
        magnitude = T(0);
        return ReadStatus::Value;
    }
    if (result.ec != std::errc()) return ReadStatus::Invalid;
    magnitude = value;
    return ReadStatus::Value;
}

// Zeros, magnitudes certain to round to zero and magnitudes certain to
// overflow need no converter: true when `status` (and, for a zero result,
// `magnitude`) is decided here.
template <typename T>
bool DecidedWithoutConverter(const Significance& g, T& magnitude, ReadStatus& status) {
    if (g.zero || g.underflow) {
        magnitude = T(0);
        status = ReadStatus::Value;
        return true;
    }
    if (g.overflow) {
        status = ReadStatus::Invalid;
        return true;
    }
    return false;
}

template <typename T>
ReadStatus ConvertCharconv(const Scan& s, T& magnitude) {
    if (!s.plain.empty()) return FromChars(s, s.plain.data(), s.plain.data() + s.plain.size(), magnitude);
    const Significance g = Locate(s);
    ReadStatus status;
    if (DecidedWithoutConverter(g, magnitude, status)) return status;
    const Normalised text(s, g);
    return FromChars(s, text.begin(), text.end(), magnitude);
}

// Decimal digits of 5^16495, so that 5^16495 * 10^-16495 is exactly 2^-16495,
// half the smallest binary128 subnormal. Built once, on first need.
const std::string& HalfSmallestQuadSubnormalDigits() {
    static const std::string digits = [] {
        mpz_t power;
        mpz_init(power);
        mpz_ui_pow_ui(power, 5, 16495);
        std::string out(mpz_sizeinbase(power, 10) + 1, '\0');
        mpz_get_str(out.data(), 10, power);
        out.resize(std::char_traits<char>::length(out.c_str()));
        mpz_clear(power);
        return out;
    }();
    return digits;
}

// strtoflt128 rounds a value exactly half the smallest subnormal up to that
// subnormal; rounding to nearest, ties to even, gives zero.
bool IsHalfSmallestQuadSubnormal(const Scan& s, const Significance& g) {
    if (g.exponent != -16495) return false;
    const std::string& half = HalfSmallestQuadSubnormalDigits();
    if (g.lastSignificant - g.firstSignificant + 1 != static_cast<int64_t>(half.size())) return false;
    size_t k = 0;
    int64_t index = 0;
    for (char c : s.mantissa) {
        if (c == '.') continue;
        if (index >= g.firstSignificant && index <= g.lastSignificant && c != half[k++]) return false;
        ++index;
    }
    return true;
}

// strtoflt128 follows the C locale's decimal point, so it only ever sees the
// normalised form, which has none.
ReadStatus ConvertQuad(const Scan& s, __float128& magnitude) {
    const Significance g = Locate(s);
    ReadStatus status;
    if (DecidedWithoutConverter(g, magnitude, status)) return status;
    const Normalised text(s, g);
    char* end = nullptr;
    __float128 value = strtoflt128(text.begin(), &end);
    if (end != text.end()) return ReadStatus::Invalid;
    if (isinfq(value)) return ReadStatus::Invalid;  // rounds beyond the largest finite value
    if (Bits(value) == 1 && IsHalfSmallestQuadSubnormal(s, g)) value = 0;
    magnitude = value;
    return ReadStatus::Value;
}

template <typename T>
struct Layout;
template <>
struct Layout<float> {
    using U = uint32_t;
    static constexpr U kSign = U(1) << 31;
    static constexpr U kInfinity = 0x7F800000u;
    static constexpr U kQuietAllOnes = 0x7FFFFFFFu;
    static float From(U b) { return FloatFromBits(b); }
};
template <>
struct Layout<double> {
    using U = uint64_t;
    static constexpr U kSign = U(1) << 63;
    static constexpr U kInfinity = 0x7FF0000000000000ull;
    static constexpr U kQuietAllOnes = 0x7FFFFFFFFFFFFFFFull;
    static double From(U b) { return DoubleFromBits(b); }
};
template <>
struct Layout<__float128> {
    using U = uint128;
    static constexpr U kSign = U(1) << 127;
    static constexpr U kInfinity = U(0x7FFF) << 112;
    static constexpr U kQuietAllOnes = ~kSign;
    static __float128 From(U b) { return QuadFromBits(b); }
};

template <typename T>
ReadStatus Read(std::string_view text, T& x) {
    using L = Layout<T>;
    const Scan s = Check(text);
    if (s.status != ReadStatus::Value) return s.status;
    const typename L::U sign = s.negative ? L::kSign : 0;
    switch (s.kind) {
    case Kind::NaN: x = L::From(sign | L::kQuietAllOnes); return ReadStatus::Value;
    case Kind::Infinity: x = L::From(sign | L::kInfinity); return ReadStatus::Value;
    case Kind::Finite: break;
    }
    T magnitude{};
    ReadStatus status;
    if constexpr (std::is_same_v<T, __float128>) status = ConvertQuad(s, magnitude);
    else status = ConvertCharconv(s, magnitude);
    if (status != ReadStatus::Value) return status;
    x = L::From(sign | Bits(magnitude));
    return ReadStatus::Value;
}

// MPFR's exponent range narrowed to a format's for the lifetime of the object.
class MpfrRange {
public:
    explicit MpfrRange(const FormatInfo& f) : oldMin_(mpfr_get_emin()), oldMax_(mpfr_get_emax()) {
        // MPFR writes x = m * 2^e with 0.5 <= m < 1: the smallest subnormal
        // 2^(emin - fractionBits) has e = emin - fractionBits + 1, and the
        // largest finite value e = emax + 1.
        mpfr_set_emin(f.emin - f.fractionBits + 1);
        mpfr_set_emax(f.emax + 1);
    }
    ~MpfrRange() {
        mpfr_set_emin(oldMin_);
        mpfr_set_emax(oldMax_);
    }
    MpfrRange(const MpfrRange&) = delete;
    MpfrRange& operator=(const MpfrRange&) = delete;

private:
    mpfr_exp_t oldMin_, oldMax_;
};

// A finite magnitude of any format, correctly rounded by MPFR at the
// format's precision and exponent range, straight from the digits. The
// result is refused when it rounds beyond the largest finite value (which
// for a format whose top patterns are no numbers lies below MPFR's limit).
ReadStatus ConvertGeneric(const FormatInfo& f, const Scan& s, uint128& magnitude) {
    const Significance g = Locate(s);
    ReadStatus status;
    if (DecidedWithoutConverter(g, magnitude, status)) return status;
    const Normalised text(s, g);
    long exponent = 0;
    detail::Mpz significand;
    bool infinite = false;
    {
        const MpfrRange range(f);
        mpfr_t x;
        mpfr_init2(x, f.precision);
        char* end = nullptr;
        int inexact = mpfr_strtofr(x, text.begin(), &end, 10, MPFR_RNDN);
        inexact = mpfr_check_range(x, inexact, MPFR_RNDN);
        mpfr_subnormalize(x, inexact, MPFR_RNDN);
        infinite = mpfr_inf_p(x) != 0;
        // x = significand * 2^exponent exactly, the significand below 2^precision.
        if (!infinite && !mpfr_zero_p(x)) exponent = mpfr_get_z_2exp(significand.get(), x);
        mpfr_clear(x);
    }
    if (infinite) return ReadStatus::Invalid;  // rounds beyond the largest finite value
    uint128 m = 0;
    if (mpz_sgn(significand.get()) != 0) {
        uint64_t words[2] = {0, 0};
        mpz_export(words, nullptr, -1, sizeof(uint64_t), 0, 0, significand.get());  // fits: below 2^113
        m = (uint128(words[1]) << 64) | words[0];
    }
    if (m == 0) {
        magnitude = 0;
        return ReadStatus::Value;
    }
    // Normalise m to precision bits; a value below the normal range stays a
    // multiple of the smallest subnormal.
    while (m < (uint128(1) << f.fractionBits)) {
        m <<= 1;
        --exponent;
    }
    const long stored = exponent + f.fractionBits + f.bias;
    const uint128 index = stored >= 1 ? (static_cast<uint128>(stored) << f.fractionBits) | (m & f.fractionMask())
                                      : m >> (1 - stored);  // exact: subnormalize rounded to this position
    if (index > MagnitudeIndex(f, f.largestFinite())) return ReadStatus::Invalid;
    magnitude = MagnitudeFromIndex(f, index);
    return ReadStatus::Value;
}

// A hexadecimal floating-point literal where the number starts (after blanks
// and before a terminator, as a decimal number): Value when it is a whole
// one, NoValue for one cut short ("0x1", "0x1.8p-": being typed), Invalid
// when anything else follows. False when the text is no hexadecimal literal.
bool HexForm(std::string_view text, HexFloatLiteral& literal, ReadStatus& status) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    literal = ScanHexFloat(text, i);
    if (!literal.hex) return false;
    if (!EndsHere(text, literal.end)) status = ReadStatus::Invalid;
    else status = literal.complete ? ReadStatus::Value : ReadStatus::NoValue;
    return true;
}

// The exact value of a literal as a decimal number, when its binary
// magnitude lies within 2^-40000 .. 2^20000 (every format's range and far
// beyond) and its significand has at most 2^16 bits: at most some 40,000
// decimal digits, which the conversion error handles at once.
bool HexDecimal(const HexFloatLiteral& literal, TypedDecimal& out) {
    detail::Mpz m;
    HexSignificand(literal, m.get());
    out.negative = literal.negative;
    out.exponent = 0;
    if (mpz_sgn(m.get()) == 0) {
        out.digits.assign(1, '0');
        return true;
    }
    const mp_bitcnt_t zeros = mpz_scan1(m.get(), 0);
    mpz_tdiv_q_2exp(m.get(), m.get(), zeros);
    const int64_t exponent = literal.exponent + static_cast<int64_t>(zeros);
    const int64_t length = static_cast<int64_t>(mpz_sizeinbase(m.get(), 2));
    if (length > (int64_t(1) << 16) || exponent < -40000 || length + exponent > 20000) return false;
    // m * 2^e = m * 5^-e * 10^e for e < 0.
    detail::Mpz power;
    if (exponent >= 0) {
        mpz_mul_2exp(m.get(), m.get(), static_cast<mp_bitcnt_t>(exponent));
    } else {
        mpz_ui_pow_ui(power.get(), 5, static_cast<unsigned long>(-exponent));
        mpz_mul(m.get(), m.get(), power.get());
        out.exponent = exponent;
    }
    out.digits = detail::DecimalDigits(m.get());
    return true;
}

// The generic path of every format: the words by the format's special
// values, numbers by ConvertGeneric.
ReadStatus ReadGeneric(const FormatInfo& f, std::string_view text, uint128& bits) {
    const Scan s = Check(text);
    if (s.status != ReadStatus::Value) return s.status;
    const uint128 sign = s.negative ? f.signBit() : 0;
    switch (s.kind) {
    case Kind::NaN:
        if (!f.hasNaN()) return ReadStatus::Invalid;
        bits = sign | DefaultNaNPattern(f);
        return ReadStatus::Value;
    case Kind::Infinity:
        if (!f.hasInfinity()) return ReadStatus::Invalid;
        bits = sign | f.infinity();
        return ReadStatus::Value;
    case Kind::Finite: break;
    }
    uint128 magnitude = 0;
    const ReadStatus status = ConvertGeneric(f, s, magnitude);
    if (status == ReadStatus::Value) bits = sign | magnitude;
    return status;
}

}  // namespace

// binary32, binary64 and binary128 have native converters (the speed path,
// checked by the tests against the generic path of a custom format of the
// same widths); every other format has the generic path.
ReadStatus ReadFreeForm(const FormatInfo& f, std::string_view text, uint128& bits) {
    HexFloatLiteral literal;
    ReadStatus hexStatus;
    if (HexForm(text, literal, hexStatus)) {
        if (hexStatus != ReadStatus::Value) return hexStatus;
        detail::Mpz m;
        HexSignificand(literal, m.get());
        const Rounded r = RoundExact(f, literal.negative, m.get(), literal.exponent, false, Rounding::TiesToEven,
                                     Tininess::AfterRounding);
        if (r.flags.overflow) return ReadStatus::Invalid;
        bits = r.bits;
        return ReadStatus::Value;
    }
    switch (f.kind) {
    case KIND_BINARY32: {
        float x = FloatFromBits(static_cast<uint32_t>(bits));
        const ReadStatus status = Read(text, x);
        if (status == ReadStatus::Value) bits = Bits(x);
        return status;
    }
    case KIND_BINARY64: {
        double x = DoubleFromBits(static_cast<uint64_t>(bits));
        const ReadStatus status = Read(text, x);
        if (status == ReadStatus::Value) bits = Bits(x);
        return status;
    }
    case KIND_BINARY128: {
        __float128 x = QuadFromBits(bits);
        const ReadStatus status = Read(text, x);
        if (status == ReadStatus::Value) bits = Bits(x);
        return status;
    }
    default: return ReadGeneric(f, text, bits);
    }
}

// The same scan as ReadFreeForm, so both always agree on what the text is;
// the significant digits are copied out instead of converted.
bool ExactTypedNumber(std::string_view text, TypedDecimal& out) {
    HexFloatLiteral literal;
    ReadStatus hexStatus;
    if (HexForm(text, literal, hexStatus)) {
        TypedDecimal typed;
        if (hexStatus != ReadStatus::Value || !HexDecimal(literal, typed)) return false;
        out = std::move(typed);
        return true;
    }
    const Scan s = Check(text);
    if (s.status != ReadStatus::Value || s.kind != Kind::Finite || s.exponentSaturated) return false;
    const Significance g = Locate(s);
    TypedDecimal typed;
    typed.negative = s.negative;
    if (g.zero) {
        typed.digits.push_back('0');
    } else {
        typed.digits.reserve(static_cast<size_t>(g.lastSignificant - g.firstSignificant + 1));
        int64_t index = 0;
        for (char c : s.mantissa) {
            if (c == '.') continue;
            if (index >= g.firstSignificant && index <= g.lastSignificant) typed.digits += c;
            ++index;
        }
        typed.exponent = g.exponent;
    }
    out = std::move(typed);
    return true;
}

ReadStatus ReadFreeForm(std::string_view text, float& x) { return Read(text, x); }
ReadStatus ReadFreeForm(std::string_view text, double& x) { return Read(text, x); }
ReadStatus ReadFreeForm(std::string_view text, __float128& x) { return Read(text, x); }

}  // namespace ieee
