// What one keystroke costs the numeric core in each format of the table: the
// typed text read, then every display of the stored value (class, scientific
// and shortest texts, exact value and error, neighbours, ULP, hex word and
// hex-float text). Each format's benchmark also times binary128's keystroke
// on the same texts and prints the ratio; the goal is at most 1.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/pattern_class.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"
#include "numeric/ieee/stored_value.h"

namespace {

using ieee::uint128;

const std::vector<std::string>& Texts() {
    static const std::vector<std::string> texts = {
        "0.1",      "1.25",     "-448",       "3.14159265358979323846", "2.5e-3",  "6",
        "-0.375",   "1e-20",    "123456.789", "0.0009765625",           "57344.5", "7.5",
        "-1.7e308", "4.9e-324", "1e4000"};
    return texts;
}

size_t Keystroke(const ieee::FormatInfo& f, const std::string& text) {
    uint128 bits = 0;
    if (ieee::ReadFreeForm(f, text, bits) != ieee::ReadStatus::Value) return 0;
    ieee::TypedDecimal typed;
    ieee::ExactTypedNumber(text, typed);
    size_t n = static_cast<size_t>(ieee::ClassOf(f, bits).kind);
    n += ieee::ScientificText(f, bits, true).size() + ieee::ShortestText(f, bits).size();
    n += ieee::ExactDecimalText(f, bits).size() + ieee::ConversionErrorOf(f, typed, bits).exact.size();
    n += ieee::ScientificText(f, ieee::NextUpPattern(f, bits), false).size();
    n += ieee::ScientificText(f, ieee::NextDownPattern(f, bits), false).size();
    n += ieee::ScientificText(f, ieee::UlpPattern(f, bits), false).size();
    n += ieee::HexWord(f, bits).size() + ieee::HexFloatText(f, bits).size();
    return n;
}

double Seconds(const ieee::FormatInfo& f) {
    const auto start = std::chrono::steady_clock::now();
    size_t n = 0;
    for (const std::string& t : Texts()) n += Keystroke(f, t);
    benchmark::DoNotOptimize(n);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void KeystrokeOf(benchmark::State& state, const char* name) {
    const ieee::FormatInfo& f = *ieee::FormatByName(name);
    const ieee::FormatInfo& quad = *ieee::FormatByName("binary128");
    double own = 0, reference = 0;
    for (auto _ : state) {
        own += Seconds(f);
        state.PauseTiming();
        reference += Seconds(quad);
        state.ResumeTiming();
    }
    state.counters["ratio_to_binary128"] = own / reference;
}

BENCHMARK_CAPTURE(KeystrokeOf, x87, "x87");
BENCHMARK_CAPTURE(KeystrokeOf, e5m2, "e5m2");
BENCHMARK_CAPTURE(KeystrokeOf, e4m3, "e4m3");
BENCHMARK_CAPTURE(KeystrokeOf, e2m1, "e2m1");
BENCHMARK_CAPTURE(KeystrokeOf, custom_15_112, "custom:15,112");
BENCHMARK_CAPTURE(KeystrokeOf, custom_11_52, "custom:11,52");

}  // namespace
