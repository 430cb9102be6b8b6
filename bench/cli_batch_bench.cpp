// Batch mode's throughput. Against a reference loop that reads the same
// lines by hand, adds with the processor's own arithmetic and reads its
// flags: binary32 and binary64 addition to nearest, whose ratio (batch lines
// per second over the reference's) is printed at the end, goal at least 1/3.
// Then lines per second for every format and operation (goal at least
// 200,000 a second on one core). Output goes to a sink that only counts it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cfenv>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "cli/batch.h"
#include "cli/names.h"
#include "numeric/ieee/operations.h"

namespace {

using ieee::uint128;

constexpr int kLines = 20000;

std::string Digits(uint128 bits, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int k = digits - 1; k >= 0; --k, bits >>= 4) text[static_cast<std::size_t>(k)] = kHex[bits & 0xF];
    return text;
}

// Lines of finite operands of ordinary size (the bulk of a conformance run),
// or decimal numbers of up to 20 digits for the decimal operation.
std::string Input(const ieee::FormatInfo& f, int operands, bool decimal) {
    std::mt19937_64 rng(42);
    std::string input;
    for (int line = 0; line < kLines; ++line) {
        if (decimal) {
            input += std::to_string(rng() % 100000000000000000ull) + "e" +
                     std::to_string(static_cast<int>(rng() % 40) - 30) + "\n";
            continue;
        }
        for (int k = 0; k < operands; ++k) {
            const uint128 random = (uint128(rng()) << 64 | rng()) & f.fractionMask();
            const int stored = f.bias - 20 + static_cast<int>(rng() % 40);
            const uint128 sign = rng() % 2 ? f.signBit() : 0;
            input += (k != 0 ? " " : "") + Digits(sign | uint128(stored) << f.fractionBits | random, f.hexDigits());
        }
        input += '\n';
    }
    return input;
}

void Discard(void* context, std::string_view bytes) { *static_cast<std::size_t*>(context) += bytes.size(); }

void RunBatch(benchmark::State& state, const cli::BatchSetup& setup, const std::string& input) {
    for (auto _ : state) {
        std::size_t written = 0;
        cli::Batch batch(setup, Discard, Discard, &written);
        for (std::size_t at = 0; at < input.size(); at += 1 << 16)
            batch.Feed(std::string_view(input).substr(at, 1 << 16));
        batch.Finish();
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// The reference: the same lines, parsed by hand, added by the processor,
// its flags read after each addition.
template <class T, class Word>
void Reference(benchmark::State& state, const std::string& input) {
    for (auto _ : state) {
        Word checksum = 0;
        int flags = 0;
        const char* p = input.data();
        const char* const end = p + input.size();
        while (p < end) {
            Word words[2] = {0, 0};
            for (Word& w : words) {
                while (*p == ' ') ++p;
                for (; *p != ' ' && *p != '\n'; ++p) w = (w << 4) | static_cast<Word>(HexValue(*p));
            }
            ++p;  // the line feed
            T a, b;
            std::memcpy(&a, &words[0], sizeof a);
            std::memcpy(&b, &words[1], sizeof b);
            std::feclearexcept(FE_ALL_EXCEPT);
            asm volatile("" : "+x"(a), "+x"(b));
            T sum = a + b;
            asm volatile("" : "+x"(sum));
            flags |= std::fetestexcept(FE_ALL_EXCEPT);
            Word bits;
            std::memcpy(&bits, &sum, sizeof bits);
            checksum += bits;
        }
        benchmark::DoNotOptimize(checksum);
        benchmark::DoNotOptimize(flags);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

// Lines per second of every benchmark, by name, for the closing ratios.
class Recorder : public benchmark::ConsoleReporter {
public:
    explicit Recorder(OutputOptions options) : ConsoleReporter(options) {}
    std::map<std::string, double> perSecond;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("items_per_second");
            // The name without the "/min_time:..." the library appends.
            const std::string name = run.benchmark_name();
            if (it != run.counters.end()) perSecond[name.substr(0, name.find("/min_time"))] = it->second.value;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::string b32 = Input(*ieee::FormatFor(ieee::KIND_BINARY32), 2, false);
    const std::string b64 = Input(*ieee::FormatFor(ieee::KIND_BINARY64), 2, false);
    benchmark::RegisterBenchmark("Reference/binary32/add", Reference<float, uint32_t>, b32);
    benchmark::RegisterBenchmark("Reference/binary64/add", Reference<double, uint64_t>, b64);

    const char* names[] = {"add",
                           "sub",
                           "mul",
                           "div",
                           "sqrt",
                           "fma",
                           "rem",
                           "rint",
                           "cmpq",
                           "cmps",
                           "totalorder",
                           "convert:binary16",
                           "convert:binary64",
                           "decimal"};
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        for (const char* name : names) {
            const cli::OperationName op = cli::OperationNamed(name, true);
            cli::BatchSetup setup;
            setup.format = &f;
            setup.op = op.op;
            setup.decimal = op.decimal;
            setup.target = op.target;
            benchmark::RegisterBenchmark((std::string("Batch/") + f.name + "/" + name).c_str(), RunBatch, setup,
                                         Input(f, op.decimal ? 1 : ieee::OperandCount(op.op), op.decimal))
                ->MinTime(0.2);
        }
    }
    Recorder recorder(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                            : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&recorder);

    double slowest = 0;
    std::string slowestName;
    for (const auto& [name, rate] : recorder.perSecond) {
        if (name.rfind("Batch/", 0) == 0 && (slowestName.empty() || rate < slowest)) {
            slowest = rate;
            slowestName = name;
        }
    }
    for (const char* format : {"binary32", "binary64"}) {
        const std::string batch = std::string("Batch/") + format + "/add";
        const std::string reference = std::string("Reference/") + format + "/add";
        if (recorder.perSecond.count(batch) && recorder.perSecond.count(reference))
            std::printf("ratio %s add, batch / reference loop: %.3f (goal >= 0.333)\n", format,
                        recorder.perSecond[batch] / recorder.perSecond[reference]);
    }
    if (!slowestName.empty())
        std::printf("slowest: %s at %.0f lines/s (goal >= 200000)\n", slowestName.c_str(), slowest);
    benchmark::Shutdown();
    return 0;
}
