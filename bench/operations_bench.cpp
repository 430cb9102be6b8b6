// Cost of one keystroke in the operations window, per format and operation:
// the operands read, the result in the chosen direction and in all five,
// and the texts shown (hexadecimal words, scientific texts, the exact
// decimal value, the exact result and its errors). Beside each format the
// baseline: the main dialog's keystroke, one decimal value read and shown.
#include <benchmark/benchmark.h>

#include <string>

#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/stored_value.h"

namespace {

using ieee::Operation;

struct Named {
    Operation op;
    const char* name;
};
constexpr Named kOperations[] = {
    {Operation::Add, "add"},
    {Operation::Subtract, "subtract"},
    {Operation::Multiply, "multiply"},
    {Operation::Divide, "divide"},
    {Operation::SquareRoot, "squareRoot"},
    {Operation::FusedMultiplyAdd, "fusedMultiplyAdd"},
    {Operation::Remainder, "remainder"},
    {Operation::RoundToIntegral, "roundToIntegral"},
    {Operation::ConvertFormat, "convertFormat"},
    {Operation::CompareQuiet, "compareQuiet"},
    {Operation::CompareSignaling, "compareSignaling"},
    {Operation::TotalOrder, "totalOrder"},
};

// Operands whose quotient and root have no finite decimal expansion, so the
// 40-digit texts are worked out.
constexpr const char* kTexts[3] = {"2.7182818284590452353602874713527", "0.3", "-1.25e-3"};
// The far ends of the range: the largest finite value, the smallest
// subnormal and a value near one, whose exact results and errors run to
// thousands of digits.
constexpr const char* kExtremeTexts[3] = {"1e4932", "0x1p-16494", "-0x1.ffffp-16382"};

void Keystroke(benchmark::State& state, const ieee::FormatInfo* f, Operation op, const char* const* texts) {
    const ieee::FormatInfo* target = ieee::FormatFor(ieee::KIND_BINARY16);
    for (auto _ : state) {
        ieee::uint128 in[3] = {0, 0, 0};
        for (int k = 0; k < ieee::OperandCount(op); ++k)
            in[k] = ieee::ReadOperand(texts[k], *f, ieee::Rounding::TiesToEven).bits;
        const auto computed = ieee::ComputeWithAllDirections(op, *f, in, ieee::Rounding::TiesToEven,
                                                             ieee::Tininess::AfterRounding, target);
        const ieee::Result& one = computed.chosen;
        const auto& all = computed.rows;
        std::string shown = ieee::HexWord(*one.format, one.bits) + ieee::ScientificText(*one.format, one.bits, false) +
                            ieee::ExactDecimalText(*one.format, one.bits);
        for (const auto& row : all)
            shown += ieee::HexWord(*row.format, row.bits) + ieee::ScientificText(*row.format, row.bits, false);
        benchmark::DoNotOptimize(shown);
        benchmark::DoNotOptimize(one.exact);
    }
}

// The main dialog's keystroke: one decimal value read and its displays.
void Baseline(benchmark::State& state, const ieee::FormatInfo* f) {
    for (auto _ : state) {
        ieee::uint128 bits = 0;
        ieee::ReadFreeForm(*f, kTexts[0], bits);
        std::string shown =
            ieee::HexWord(*f, bits) + ieee::ScientificText(*f, bits, false) + ieee::ExactDecimalText(*f, bits);
        benchmark::DoNotOptimize(shown);
    }
}

const bool kRegistered = [] {
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        benchmark::RegisterBenchmark((std::string("Operations/") + f.name + "/baseline_main_keystroke").c_str(),
                                     Baseline, &f)
            ->Unit(benchmark::kMicrosecond);
        for (const Named& n : kOperations)
            benchmark::RegisterBenchmark((std::string("Operations/") + f.name + "/" + n.name).c_str(), Keystroke, &f,
                                         n.op, kTexts)
                ->Unit(benchmark::kMicrosecond);
    }
    const ieee::FormatInfo* quad = ieee::FormatFor(ieee::KIND_BINARY128);
    for (const Named& n : kOperations)
        benchmark::RegisterBenchmark((std::string("Operations/binary128_extremes/") + n.name).c_str(), Keystroke, quad,
                                     n.op, kExtremeTexts)
            ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
