// Names of the command line.
#include "cli/names.h"

#include <iterator>

namespace cli {

namespace {

struct NamedOperation {
    std::string_view name;
    ieee::Operation op;
};
constexpr NamedOperation kOperations[] = {
    {"add", ieee::Operation::Add},
    {"sub", ieee::Operation::Subtract},
    {"mul", ieee::Operation::Multiply},
    {"div", ieee::Operation::Divide},
    {"sqrt", ieee::Operation::SquareRoot},
    {"fma", ieee::Operation::FusedMultiplyAdd},
    {"rem", ieee::Operation::Remainder},
    {"rint", ieee::Operation::RoundToIntegral},
    {"convert", ieee::Operation::ConvertFormat},
    {"cmpq", ieee::Operation::CompareQuiet},
    {"cmps", ieee::Operation::CompareSignaling},
    {"totalorder", ieee::Operation::TotalOrder},
};

struct NamedRounding {
    std::string_view shortName;
    std::string_view standardName;
    ieee::Rounding rounding;
};
constexpr NamedRounding kRoundings[] = {
    {"even", "roundTiesToEven", ieee::Rounding::TiesToEven},
    {"away", "roundTiesToAway", ieee::Rounding::TiesToAway},
    {"up", "roundTowardPositive", ieee::Rounding::TowardPositive},
    {"down", "roundTowardNegative", ieee::Rounding::TowardNegative},
    {"zero", "roundTowardZero", ieee::Rounding::TowardZero},
};

}  // namespace

const ieee::FormatInfo* FormatNamed(std::string_view name) { return ieee::FormatByName(name); }

bool RoundingNamed(std::string_view name, ieee::Rounding& rounding) {
    for (const NamedRounding& r : kRoundings) {
        if (name == r.shortName || name == r.standardName) {
            rounding = r.rounding;
            return true;
        }
    }
    return false;
}

bool TininessNamed(std::string_view name, ieee::Tininess& tininess) {
    if (name == "after") tininess = ieee::Tininess::AfterRounding;
    else if (name == "before") tininess = ieee::Tininess::BeforeRounding;
    else return false;
    return true;
}

OperationName OperationNamed(std::string_view name, bool decimalAllowed) {
    OperationName out;
    if (decimalAllowed && name == "decimal") {
        out.ok = out.decimal = true;
        return out;
    }
    constexpr std::string_view kConvert = "convert:";
    if (name.substr(0, kConvert.size()) == kConvert) {
        out.op = ieee::Operation::ConvertFormat;
        out.target = FormatNamed(name.substr(kConvert.size()));
        out.ok = out.target != nullptr;
        out.badTarget = !out.ok;
        return out;
    }
    for (const NamedOperation& o : kOperations) {
        if (name == o.name && o.op != ieee::Operation::ConvertFormat) {
            out.ok = true;
            out.op = o.op;
        }
    }
    return out;
}

std::string_view ShortName(ieee::Operation op) {
    for (const NamedOperation& o : kOperations)
        if (o.op == op) return o.name;
    return {};
}

std::string_view ShortName(ieee::Rounding rounding) {
    for (const NamedRounding& r : kRoundings)
        if (r.rounding == rounding) return r.shortName;
    return {};
}

std::string_view ShortName(ieee::Outcome outcome) {
    switch (outcome) {
    case ieee::Outcome::Less: return "less";
    case ieee::Outcome::Equal: return "equal";
    case ieee::Outcome::Greater: return "greater";
    case ieee::Outcome::Unordered: return "unordered";
    case ieee::Outcome::True: return "true";
    case ieee::Outcome::False: return "false";
    case ieee::Outcome::None: break;
    }
    return {};
}

}  // namespace cli
