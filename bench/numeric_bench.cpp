// Cost of the numeric library's encode (text to bits) and decode (bits to
// displayed text) paths next to the raw conversion calls they build on.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

extern "C" {
#include <quadmath.h>
}

#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/scientific_text.h"

namespace {

using ieee::uint128;

constexpr size_t kInputs = 1024;

// Random finite patterns of the format, spread over all exponents.
template <typename T>
std::vector<T> Values() {
    std::mt19937_64 rng(42);
    std::vector<T> out;
    while (out.size() < kInputs) {
        const uint128 b = (uint128(rng()) << 64) | rng();
        T x;
        std::memcpy(&x, &b, sizeof x);
        bool finite;
        if constexpr (sizeof(T) == 16) finite = finiteq(x);
        else finite = std::isfinite(x);
        if (finite) out.push_back(x);
    }
    return out;
}

// Decimal texts of typed-value length: the values above with 9 / 17 / 36
// significant digits, written as from_chars and strtoflt128 accept them.
template <typename T>
std::vector<std::string> Texts() {
    std::vector<std::string> out;
    char buf[128];
    for (T x : Values<T>()) {
        if constexpr (sizeof(T) == 16) {
            quadmath_snprintf(buf, sizeof buf, "%.35Qe", x);
            out.emplace_back(buf);
        } else {
            const auto r =
                std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, sizeof(T) == 4 ? 8 : 16);
            out.emplace_back(buf, r.ptr);
        }
    }
    return out;
}

template <typename T>
void Encode(benchmark::State& state) {
    const std::vector<std::string> texts = Texts<T>();
    size_t i = 0;
    for (auto _ : state) {
        T x{};
        benchmark::DoNotOptimize(ieee::ReadFreeForm(texts[i++ % kInputs], x));
        std::string bits = ieee::BitString(x);
        benchmark::DoNotOptimize(bits.data());
    }
}

template <typename T>
void ReadOnly(benchmark::State& state) {
    const std::vector<std::string> texts = Texts<T>();
    size_t i = 0;
    for (auto _ : state) {
        T x{};
        benchmark::DoNotOptimize(ieee::ReadFreeForm(texts[i++ % kInputs], x));
        benchmark::DoNotOptimize(x);
    }
}

template <typename T>
void RawRead(benchmark::State& state) {
    const std::vector<std::string> texts = Texts<T>();
    size_t i = 0;
    for (auto _ : state) {
        const std::string& t = texts[i++ % kInputs];
        T x{};
        if constexpr (sizeof(T) == 16) {
            x = strtoflt128(t.c_str(), nullptr);
        } else {
            std::from_chars(t.data(), t.data() + t.size(), x);
        }
        benchmark::DoNotOptimize(x);
    }
}

template <typename T>
void Decode(benchmark::State& state) {
    std::vector<std::string> patterns;
    for (T x : Values<T>()) patterns.push_back(ieee::BitString(x));
    size_t i = 0;
    for (auto _ : state) {
        const std::string& p = patterns[i++ % kInputs];
        T x;
        if constexpr (sizeof(T) == 4) x = ieee::Binary32FromDigits(p);
        else if constexpr (sizeof(T) == 8) x = ieee::Binary64FromDigits(p);
        else x = ieee::Binary128FromDigits(p);
        std::string text = ieee::ScientificText(x, true);
        benchmark::DoNotOptimize(text.data());
    }
}

template <typename T>
void TextOnly(benchmark::State& state) {
    const std::vector<T> values = Values<T>();
    size_t i = 0;
    for (auto _ : state) {
        std::string text = ieee::ScientificText(values[i++ % kInputs], true);
        benchmark::DoNotOptimize(text.data());
    }
}

template <typename T>
void RawText(benchmark::State& state) {
    const std::vector<T> values = Values<T>();
    size_t i = 0;
    char buf[128];
    for (auto _ : state) {
        const T x = values[i++ % kInputs];
        if constexpr (sizeof(T) == 16) {
            benchmark::DoNotOptimize(quadmath_snprintf(buf, sizeof buf, "%.33Qe", x));
        } else {
            benchmark::DoNotOptimize(
                std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, sizeof(T) == 4 ? 7 : 16).ptr);
        }
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK_TEMPLATE(Encode, float)->Name("encode/binary32/ReadFreeForm+BitString");
BENCHMARK_TEMPLATE(ReadOnly, float)->Name("encode/binary32/ReadFreeForm");
BENCHMARK_TEMPLATE(RawRead, float)->Name("encode/binary32/raw_from_chars");
BENCHMARK_TEMPLATE(Encode, double)->Name("encode/binary64/ReadFreeForm+BitString");
BENCHMARK_TEMPLATE(ReadOnly, double)->Name("encode/binary64/ReadFreeForm");
BENCHMARK_TEMPLATE(RawRead, double)->Name("encode/binary64/raw_from_chars");
BENCHMARK_TEMPLATE(Encode, __float128)->Name("encode/binary128/ReadFreeForm+BitString");
BENCHMARK_TEMPLATE(ReadOnly, __float128)->Name("encode/binary128/ReadFreeForm");
BENCHMARK_TEMPLATE(RawRead, __float128)->Name("encode/binary128/raw_strtoflt128");
BENCHMARK_TEMPLATE(Decode, float)->Name("decode/binary32/FromDigits+ScientificText");
BENCHMARK_TEMPLATE(TextOnly, float)->Name("decode/binary32/ScientificText");
BENCHMARK_TEMPLATE(RawText, float)->Name("decode/binary32/raw_to_chars");
BENCHMARK_TEMPLATE(Decode, double)->Name("decode/binary64/FromDigits+ScientificText");
BENCHMARK_TEMPLATE(TextOnly, double)->Name("decode/binary64/ScientificText");
BENCHMARK_TEMPLATE(RawText, double)->Name("decode/binary64/raw_to_chars");
BENCHMARK_TEMPLATE(Decode, __float128)->Name("decode/binary128/FromDigits+ScientificText");
BENCHMARK_TEMPLATE(TextOnly, __float128)->Name("decode/binary128/ScientificText");
BENCHMARK_TEMPLATE(RawText, __float128)->Name("decode/binary128/raw_quadmath_snprintf");
