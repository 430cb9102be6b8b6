// Cost of one refresh of the stored-value texts (exact value, conversion
// error, hexadecimal word, shortest text, hex-float text) for the patterns
// with the most digits of each format: the smallest subnormal (the longest
// exact expansion), the largest finite value (the most integer digits), the
// largest subnormal and a value just below 2 (the longest shortest texts).
// Goals: the binary128 exact value of the smallest subnormal within 5 ms,
// every other refresh within 0.5 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/stored_value.h"

namespace {

using ieee::uint128;

enum Case { kSmallestSubnormal, kLargestSubnormal, kLargestFinite, kBelowTwo };

uint128 PatternOf(const ieee::FormatInfo& f, Case c) {
    switch (c) {
    case kSmallestSubnormal: return 1;
    case kLargestSubnormal: return f.fractionMask();
    case kLargestFinite: return f.infinity() - 1;
    case kBelowTwo: return (uint128(f.bias) << f.fractionBits) | f.fractionMask();
    }
    return 0;
}

const char* const kCaseNames[] = {"smallest_subnormal", "largest_subnormal", "largest_finite", "below_two"};

// The typed number of the refresh: the shortest text, which is what a user
// pastes back most often, so the error has a typed operand of realistic length.
void Refresh(benchmark::State& state) {
    const ieee::FormatInfo& f = ieee::AllFormats()[static_cast<size_t>(state.range(0))];
    const uint128 bits = PatternOf(f, static_cast<Case>(state.range(1)));
    ieee::TypedDecimal typed;
    ieee::ExactTypedNumber(ieee::ShortestText(f, bits), typed);
    size_t chars = 0;
    for (auto _ : state) {
        const std::string exact = ieee::ExactDecimalText(f, bits);
        const ieee::ConversionError error = ieee::ConversionErrorOf(f, typed, bits);
        const std::string word = ieee::HexWord(f, bits);
        const std::string shortest = ieee::ShortestText(f, bits);
        const std::string hex = ieee::HexFloatText(f, bits);
        chars = exact.size() + error.exact.size() + error.ulps.size() + error.relative.size() + word.size() +
                shortest.size() + hex.size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetLabel(std::string(f.name) + " " + kCaseNames[state.range(1)] + ", " + std::to_string(chars) +
                   " characters");
}

// The parts on their own, for the worst pattern of the format.
template <int Part>
void PartOf(benchmark::State& state) {
    const ieee::FormatInfo& f = ieee::AllFormats()[static_cast<size_t>(state.range(0))];
    const uint128 bits = PatternOf(f, static_cast<Case>(state.range(1)));
    ieee::TypedDecimal typed;
    ieee::ExactTypedNumber(ieee::ShortestText(f, bits), typed);
    for (auto _ : state) {
        if constexpr (Part == 0) benchmark::DoNotOptimize(ieee::ExactDecimalText(f, bits));
        if constexpr (Part == 1) benchmark::DoNotOptimize(ieee::ConversionErrorOf(f, typed, bits));
        if constexpr (Part == 2) benchmark::DoNotOptimize(ieee::ShortestText(f, bits));
    }
    state.SetLabel(std::string(f.name) + " " + kCaseNames[state.range(1)]);
}

void AllCases(benchmark::internal::Benchmark* b) {
    for (int format = 0; format < 5; ++format)
        for (int c = kSmallestSubnormal; c <= kBelowTwo; ++c) b->Args({format, c});
}

void WorstCases(benchmark::internal::Benchmark* b) {
    for (int format = 0; format < 5; ++format) b->Args({format, kSmallestSubnormal});
    b->Args({2, kLargestFinite});
    b->Args({2, kBelowTwo});
}

// A 100 kB paste into the hexadecimal reader: blanks around one word.
void ReadLongHexWord(benchmark::State& state) {
    const std::string text = std::string(50000, ' ') + "3DCC_CCCD" + std::string(50000, '_');
    uint128 bits = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ieee::ReadHexWord(*ieee::FormatFor(ieee::KIND_BINARY32), text, bits));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK(Refresh)->Apply(AllCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(PartOf<0>)->Name("ExactDecimalText")->Apply(WorstCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(PartOf<1>)->Name("ConversionErrorOf")->Apply(WorstCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(PartOf<2>)->Name("ShortestText")->Apply(WorstCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadLongHexWord)->Unit(benchmark::kMicrosecond);
