// Cost of one refresh of the "How it was rounded" lines, the work each
// keystroke adds while the window is open: binary128 with the texts a user
// types or pastes (a short decimal, the 11,536-digit exact value of the
// smallest subnormal, a number of 100,000 digits) and binary128 operations
// whose exact result is no finite decimal. Goal: at most 2 ms of CPU for the
// typed texts of the value field (the counter share_of_2ms is the time as a
// fraction of that budget).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "cpu_time.h"

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/rounding_steps_view.h"

namespace {

const ieee::FormatInfo& Binary128() { return *ieee::FormatFor(ieee::KIND_BINARY128); }

std::string TypedText(int which) {
    switch (which) {
    case 0: return "0.1";
    case 1: return ieee::ExactDecimalText(Binary128(), 1);  // every digit of 2^-16494
    default: return "1." + std::string(99999, '3');
    }
}

void Conversion(benchmark::State& state) {
    const std::string text = TypedText(static_cast<int>(state.range(0)));
    ieee::TypedDecimal typed;
    ieee::ExactTypedNumber(text, typed);
    ieee::uint128 stored = 0;
    ieee::ReadFreeForm(Binary128(), text, stored);
    for (auto _ : state) benchmark::DoNotOptimize(stepsview::ConversionLines(Binary128(), &typed, text, stored, 2));
    state.SetLabel(std::to_string(text.size()) + " characters typed");
}

void Operation(benchmark::State& state) {
    const char* const operands[][2] = {{"1", "3"}, {"2", "0"}, {"0.1", "0.2"}};
    const ieee::Operation ops[] = {ieee::Operation::Divide, ieee::Operation::SquareRoot, ieee::Operation::Add};
    const int k = static_cast<int>(state.range(0));
    opsview::Choices c;
    c.format = &Binary128();
    c.operation = ops[k];
    c.operands = {operands[k][0], operands[k][1], ""};
    c.lang = 2;
    // The window hands over the view it built for the keystroke; the
    // explanation's own work is what is timed.
    const opsview::View view = opsview::Build(c);
    for (auto _ : state) benchmark::DoNotOptimize(stepsview::OperationLines(c, view));
    state.SetLabel(opsview::OperationName(ops[k], 2));
}

// Runs a case and prints its CPU time per refresh as a share of 2 ms.
template <void (*Case)(benchmark::State&)>
void WithBudget(benchmark::State& state) {
    const double start = CpuMs();
    Case(state);
    const double perRefresh =
        (CpuMs() - start) / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["share_of_2ms"] = perRefresh / 2.0;
}

}  // namespace

BENCHMARK(WithBudget<Conversion>)->Name("Conversion")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(WithBudget<Operation>)->Name("Operation")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
