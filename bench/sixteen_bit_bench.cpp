// Cost of binary16 and bfloat16 conversions to and from text: the reader on
// typical, long (42-character), subnormal and halfway texts, and the
// scientific text of ordinary and subnormal patterns. Each conversion is
// meant to stay well under 10 us.
#include <benchmark/benchmark.h>

#include <mpfr.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/scientific_text.h"

namespace {

using ieee::uint128;

constexpr size_t kInputs = 1024;

const ieee::FormatInfo& Format(int kind) { return *ieee::FormatFor(kind); }

// Random finite patterns: anywhere, or subnormal only.
std::vector<uint128> Patterns(const ieee::FormatInfo& f, bool subnormal, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<uint128> out;
    while (out.size() < kInputs) {
        uint128 b = rng() & 0xFFFF;
        if (subnormal) b &= f.signBit() | f.fractionMask();
        if (ieee::IsFinitePattern(f, b) && (!subnormal || ieee::Fraction(f, b) != 0)) out.push_back(b);
    }
    return out;
}

// The value of a pattern, or the midpoint above it, exactly in decimal
// (every expansion here ends within 200 digits), as "[-]0.<digits>e<exp>".
std::string ExactText(const ieee::FormatInfo& f, uint128 b, bool midpoint) {
    mpfr_t x;
    mpfr_init2(x, f.precision + 1);
    const long m =
        static_cast<long>(ieee::Fraction(f, b)) | (ieee::StoredExponent(f, b) != 0 ? 1L << f.fractionBits : 0L);
    const int e = (ieee::StoredExponent(f, b) != 0 ? ieee::StoredExponent(f, b) : 1) - f.bias - f.fractionBits;
    mpfr_set_si_2exp(x, 2 * m + (midpoint ? 1 : 0), e - 1, MPFR_RNDN);  // exact
    if (ieee::IsNegative(f, b)) mpfr_neg(x, x, MPFR_RNDN);
    mpfr_exp_t exp10 = 0;
    char* s = mpfr_get_str(nullptr, &exp10, 10, 200, x, MPFR_RNDN);
    std::string digits = s;
    mpfr_free_str(s);
    mpfr_clear(x);
    const bool negative = digits[0] == '-';
    if (negative) digits.erase(0, 1);
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) digits = "0";
    return (negative ? "-0." : "0.") + digits + "e" + std::to_string(exp10);
}

enum class Texts { Typical, Long42, Subnormal, Halfway, HalfwayPerturbed };

std::vector<std::string> MakeTexts(const ieee::FormatInfo& f, Texts kind) {
    std::vector<std::string> out;
    std::mt19937_64 rng(7);
    const bool subnormal = kind == Texts::Subnormal;
    for (const uint128 b : Patterns(f, subnormal, 11)) {
        switch (kind) {
        case Texts::Typical:  // the displayed text, as a user would type it back
            out.push_back(ieee::ScientificText(f, b, false));
            break;
        case Texts::Long42: {  // 42 characters: sign, 36 digits, point, exponent
            std::string s = rng() % 2 ? "-" : "+";
            s += static_cast<char>('1' + rng() % 9);
            s += '.';
            for (int i = 0; i < 35; ++i) s += static_cast<char>('0' + rng() % 10);
            s += f.kind == ieee::KIND_BINARY16 ? "E-0" : "E-1";
            s += static_cast<char>('0' + rng() % 8);
            out.push_back(s);
            break;
        }
        case Texts::Subnormal: out.push_back(ExactText(f, b, false)); break;
        case Texts::Halfway: out.push_back(ExactText(f, b, true)); break;
        case Texts::HalfwayPerturbed: {  // the midpoint plus one unit in its 30th digit
            std::string s = ExactText(f, b, true);
            const size_t e = s.find('e');
            const size_t start = s.find('.') + 1;
            std::string digits = s.substr(start, e - start);
            if (digits.size() < 30) digits.append(30 - digits.size(), '0');
            digits.resize(30);
            digits.back() = static_cast<char>(digits.back() == '9' ? '8' : digits.back() + 1);
            out.push_back(s.substr(0, start) + digits + s.substr(e));
            break;
        }
        }
    }
    return out;
}

void Read(benchmark::State& state, int formatKind, Texts kind) {
    const ieee::FormatInfo& f = Format(formatKind);
    const std::vector<std::string> texts = MakeTexts(f, kind);
    size_t longest = 0;
    for (const std::string& t : texts) longest = t.size() > longest ? t.size() : longest;
    size_t i = 0;
    for (auto _ : state) {
        uint128 bits = 0;
        benchmark::DoNotOptimize(ieee::ReadFreeForm(f, texts[i], bits));
        benchmark::DoNotOptimize(bits);
        i = (i + 1) % texts.size();
    }
    state.counters["longest_text"] = static_cast<double>(longest);
}

void Write(benchmark::State& state, int formatKind, bool subnormal) {
    const ieee::FormatInfo& f = Format(formatKind);
    const std::vector<uint128> patterns = Patterns(f, subnormal, 13);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ieee::ScientificText(f, patterns[i], true));
        i = (i + 1) % patterns.size();
    }
}

void Significand(benchmark::State& state, int formatKind) {
    const ieee::FormatInfo& f = Format(formatKind);
    std::vector<std::string> fields;
    for (const uint128 b : Patterns(f, false, 17)) {
        std::string s;
        for (int k = f.fractionBits - 1; k >= 0; --k) s += ((b >> k) & 1) ? '1' : '0';
        fields.push_back(s);
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ieee::SignificandText(formatKind, fields[i], true));
        i = (i + 1) % fields.size();
    }
}

constexpr int kH = ieee::KIND_BINARY16;
constexpr int kB = ieee::KIND_BFLOAT16;

BENCHMARK_CAPTURE(Read, Binary16Typical, kH, Texts::Typical);
BENCHMARK_CAPTURE(Read, Binary16Long42, kH, Texts::Long42);
BENCHMARK_CAPTURE(Read, Binary16Subnormal, kH, Texts::Subnormal);
BENCHMARK_CAPTURE(Read, Binary16Halfway, kH, Texts::Halfway);
BENCHMARK_CAPTURE(Read, Binary16HalfwayPerturbed, kH, Texts::HalfwayPerturbed);
BENCHMARK_CAPTURE(Write, Binary16, kH, false);
BENCHMARK_CAPTURE(Write, Binary16Subnormal, kH, true);
BENCHMARK_CAPTURE(Significand, Binary16, kH);
BENCHMARK_CAPTURE(Read, Bfloat16Typical, kB, Texts::Typical);
BENCHMARK_CAPTURE(Read, Bfloat16Long42, kB, Texts::Long42);
BENCHMARK_CAPTURE(Read, Bfloat16Subnormal, kB, Texts::Subnormal);
BENCHMARK_CAPTURE(Read, Bfloat16Halfway, kB, Texts::Halfway);
BENCHMARK_CAPTURE(Read, Bfloat16HalfwayPerturbed, kB, Texts::HalfwayPerturbed);
BENCHMARK_CAPTURE(Write, Bfloat16, kB, false);
BENCHMARK_CAPTURE(Write, Bfloat16Subnormal, kB, true);
BENCHMARK_CAPTURE(Significand, Bfloat16, kB);

}  // namespace
