// The commands of orvane-cli, each given its parsed options; each returns the
// exit status: 0 done, 1 an input was refused (its message is on stderr).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding.h"

namespace cli {

struct Options {
    const ieee::FormatInfo* format = nullptr;
    ieee::Rounding rounding = ieee::Rounding::TiesToEven;
    ieee::Tininess tininess = ieee::Tininess::AfterRounding;
    bool json = false;
    bool allDirections = false;
    int lang = 2;                          // 2 English, 1 Romanian
    std::vector<std::string_view> values;  // the arguments after the options
};

// Everything the window shows of each value.
int Show(const Options& options);
// One operation: values[0] names it, the rest are its operands (as many as it takes).
int Op(const Options& options, ieee::Operation op, const ieee::FormatInfo* target);

// Output helpers shared by the commands.
void Write(std::string_view text);
void Complain(std::string_view text);  // "orvane-cli: text" on stderr

}  // namespace cli
