// Batch mode against the operations core: random operand lines for every
// format, operation and direction go through the program, and each output
// line must be what Compute gives for that line's operands. This checks the
// input and output of batch mode, and its native speed path for binary32
// and binary64, which must agree with Compute bit for bit and flag for flag.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "cli/names.h"
#include "numeric/datum_report.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/stored_value.h"
#include "run_program.h"

namespace {

using ieee::uint128;

// Operands that reach every case: any pattern, the edges of the range, and
// values near the bottom, the middle and the top of the exponent range
// (where sums, products and quotients round, overflow and underflow).
uint128 RandomOperand(const ieee::FormatInfo& f, std::mt19937_64& rng) {
    const uint128 random = (uint128(rng()) << 64 | rng()) & f.patternMask();
    const uint128 sign = rng() % 2 ? f.signBit() : 0;
    switch (rng() % 4) {
    case 0: return random;
    case 1: {
        const uint128 edges[] = {0,
                                 1,
                                 f.fractionMask(),
                                 f.fractionMask() + 1,
                                 f.infinity() - 1,
                                 f.infinity(),
                                 f.infinity() | 1,
                                 f.infinity() | f.quietBit(),
                                 uint128(f.bias) << f.fractionBits};
        return sign | edges[rng() % std::size(edges)];
    }
    default: {
        const int centres[] = {1, f.bias, f.maxStored() - 1};
        const int spread = std::min(f.precision + 2, f.bias);
        int stored = centres[rng() % 3] + static_cast<int>(rng() % (2 * spread + 1)) - spread;
        stored = std::clamp(stored, 0, f.maxStored() - 1);
        // Short fractions give exact results and ties too.
        uint128 fraction = random & f.fractionMask();
        if (rng() % 2) fraction &= ~((uint128(1) << std::max(0, f.fractionBits - static_cast<int>(rng() % 4))) - 1);
        return sign | uint128(stored) << f.fractionBits | fraction;
    }
    }
}

std::string Digits(uint128 bits, int digits) {
    std::string text = report::HexNumber(bits);
    return std::string(static_cast<std::size_t>(std::max(0, digits - static_cast<int>(text.size()))), '0') + text;
}

std::string Expected(const ieee::Result& r) {
    std::string line = r.hasPattern                       ? Digits(r.bits, r.format->hexDigits())
                       : r.outcome == ieee::Outcome::None ? std::string("none")
                                                          : std::string(cli::ShortName(r.outcome));
    return line + ' ' + Digits(r.flags.Byte(), 2);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

TEST(BatchSweep, EveryLineIsWhatComputeGives) {
    std::mt19937_64 rng(20261209);
    constexpr int kLines = 300;
    const ieee::Operation ops[] = {
        ieee::Operation::Add,          ieee::Operation::Subtract,         ieee::Operation::Multiply,
        ieee::Operation::Divide,       ieee::Operation::SquareRoot,       ieee::Operation::FusedMultiplyAdd,
        ieee::Operation::Remainder,    ieee::Operation::RoundToIntegral,  ieee::Operation::ConvertFormat,
        ieee::Operation::CompareQuiet, ieee::Operation::CompareSignaling, ieee::Operation::TotalOrder,
    };
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        for (ieee::Operation op : ops) {
            for (ieee::Rounding rounding : ieee::kAllRoundings) {
                const ieee::Tininess tininess =
                    rng() % 4 == 0 ? ieee::Tininess::BeforeRounding : ieee::Tininess::AfterRounding;
                const ieee::FormatInfo* target = &ieee::AllFormats()[rng() % ieee::AllFormats().size()];
                std::string opName(cli::ShortName(op));
                if (op == ieee::Operation::ConvertFormat) opName += std::string(":") + target->name;
                const std::vector<std::string> args = {"batch",
                                                       "--format",
                                                       f.name,
                                                       "--op",
                                                       opName,
                                                       "--round",
                                                       std::string(cli::ShortName(rounding)),
                                                       "--tininess",
                                                       tininess == ieee::Tininess::AfterRounding ? "after" : "before"};
                std::string input;
                std::vector<std::string> expected;
                for (int line = 0; line < kLines; ++line) {
                    uint128 in[3];
                    for (int k = 0; k < ieee::OperandCount(op); ++k) {
                        in[k] = RandomOperand(f, rng);
                        input += (k != 0 ? " " : "") + Digits(in[k], f.hexDigits());
                    }
                    input += '\n';
                    expected.push_back(Expected(ieee::Compute(
                        op, f, std::span<const uint128>(in, static_cast<std::size_t>(ieee::OperandCount(op))), rounding,
                        tininess, target)));
                }
                SCOPED_TRACE(std::string(f.name) + " " + opName + " " + args[6] + " " + args[8]);
                const cli_test::Ran ran = cli_test::Run(args, input);
                ASSERT_EQ(ran.status, 0) << ran.err;
                const std::vector<std::string> got = Lines(ran.out);
                ASSERT_EQ(got.size(), expected.size());
                const std::vector<std::string> inputs = Lines(input);
                for (std::size_t k = 0; k < got.size(); ++k) ASSERT_EQ(got[k], expected[k]) << inputs[k];
            }
        }
        // Decimal lines, rounded in each direction as ReadOperand rounds them.
        for (ieee::Rounding rounding : ieee::kAllRoundings) {
            std::string input;
            std::vector<std::string> expected;
            for (int line = 0; line < kLines; ++line) {
                std::string text = rng() % 2 ? "-" : "";
                for (int d = 1 + static_cast<int>(rng() % 40); d > 0; --d) text += static_cast<char>('0' + rng() % 10);
                text += "e" + std::to_string(static_cast<int>(rng() % 80) - 40 - (rng() % 2 ? f.bias / 3 : 0));
                input += text + '\n';
                const ieee::OperandValue read = ieee::ReadOperand(text, f, rounding);
                ieee::Result r;
                r.format = &f;
                r.bits = read.bits;
                r.flags = read.flags;
                expected.push_back(Expected(r));
            }
            const cli_test::Ran ran = cli_test::Run(
                {"batch", "--format", f.name, "--op", "decimal", "--round", std::string(cli::ShortName(rounding))},
                input);
            ASSERT_EQ(ran.status, 0) << ran.err;
            EXPECT_EQ(Lines(ran.out), expected) << f.name;
        }
    }
}

}  // namespace
