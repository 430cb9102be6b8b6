// Batch mode: operand lines in, one result line out per input line. A line
// holds hexadecimal words separated by blanks (as many as the operation
// takes), or for the decimal operation one decimal number; the output line
// is the result's word, a blank and the flags as two hexadecimal digits
// (a comparison writes its outcome instead of a word). A line that cannot be
// read gives "?" and a message with its line number; the run goes on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/native_operations.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding.h"

namespace cli {

struct BatchSetup {
    const ieee::FormatInfo* format = nullptr;
    ieee::Operation op = ieee::Operation::Add;
    bool decimal = false;                      // lines are decimal texts, rounded in `rounding`
    const ieee::FormatInfo* target = nullptr;  // of a conversion
    ieee::Rounding rounding = ieee::Rounding::TiesToEven;
    ieee::Tininess tininess = ieee::Tininess::AfterRounding;
    int lang = 2;  // of the messages
};

// The longest line read; a longer one is refused without being held.
inline constexpr std::size_t kLongestLine = std::size_t(1) << 20;

class Batch {
public:
    // Where output goes: called with full buffers and at the end.
    using Sink = void (*)(void* context, std::string_view bytes);
    Batch(const BatchSetup& setup, Sink out, Sink err, void* context);
    // Input in pieces of any size, split anywhere.
    void Feed(std::string_view chunk);
    // The last line (if it has no line feed) and every buffered byte.
    void Finish();
    std::size_t Refused() const { return refused_; }

private:
    void Line(std::string_view line);
    void Refuse(std::string_view why);
    void Flush();
    bool ReadWords(std::string_view line, ieee::uint128* words, int count);

    BatchSetup setup_;
    ieee::NativeOperations native_;
    int count_;   // operands per line
    int digits_;  // hexadecimal digits of an operand
    int resultDigits_;
    Sink out_, err_;
    void* context_;
    std::string pending_;  // a line not yet ended
    bool overlong_ = false;
    std::size_t lineNumber_ = 0;
    std::size_t refused_ = 0;
    std::string outBuffer_, errBuffer_;
};

// Runs a whole batch from file descriptor `in` to `out`, messages to `err`.
// The exit status: 0, or 1 when a line was refused (or output failed).
int RunBatch(const BatchSetup& setup, int in, int out, int err);

}  // namespace cli
