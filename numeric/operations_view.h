// What the Operations window shows, as plain texts: the choices (format,
// operation, direction, tininess, operand texts) turned into the operands'
// patterns and values, the result in the chosen direction with its exact
// value, error and flags, and one row per direction. Also the names of the
// operations, directions, flags and outcomes in both languages. No toolkit:
// the window only puts these texts on its widgets.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding.h"

namespace opsview {

// Language: 1 Romanian, 2 English (anything else counts as Romanian).
int LanguageIndex(int lang);

// Every operation, in the order the window lists them.
inline constexpr ieee::Operation kAllOperations[] = {
    ieee::Operation::Add,          ieee::Operation::Subtract,         ieee::Operation::Multiply,
    ieee::Operation::Divide,       ieee::Operation::SquareRoot,       ieee::Operation::FusedMultiplyAdd,
    ieee::Operation::Remainder,    ieee::Operation::RoundToIntegral,  ieee::Operation::ConvertFormat,
    ieee::Operation::CompareQuiet, ieee::Operation::CompareSignaling, ieee::Operation::TotalOrder,
};

std::string OperationName(ieee::Operation op, int lang);
std::string RoundingName(ieee::Rounding rounding, int lang);
// The five flags in the order invalid, divideByZero, overflow, underflow, inexact.
std::string FlagName(int index, int lang);
bool FlagOf(const ieee::Flags& flags, int index);
// The raised flags' names joined by ", ", or "none" / "niciunul".
std::string FlagsText(const ieee::Flags& flags, int lang);
std::string OutcomeText(ieee::Outcome outcome, int lang);
// "Invalid Value", the main dialog's word for a text that is no value.
std::string InvalidValueText(int lang);

struct Choices {
    const ieee::FormatInfo* format = nullptr;
    ieee::Operation operation = ieee::Operation::Add;
    const ieee::FormatInfo* target = nullptr;  // convertFormat only
    bool saturate = false;                     // convertFormat: an overflow gives the largest finite value
    ieee::Rounding rounding = ieee::Rounding::TiesToEven;
    ieee::Tininess tininess = ieee::Tininess::AfterRounding;
    std::array<std::string_view, 3> operands;  // a, b, c as typed
    int lang = 1;
};

struct OperandView {
    bool used = false;   // the operation takes it
    bool value = false;  // it holds a value
    ieee::uint128 bits = 0;
    std::string hex;         // "3FB999999999999A"
    std::string fields;      // sign, exponent and fraction bits, one blank between them
    std::string scientific;  // the format's scientific form, or "Invalid Value"
};

struct DirectionRow {
    std::string direction;   // the standard's name ("roundTiesToEven")
    std::string hex;         // a comparison: empty
    std::string scientific;  // a comparison: its outcome
    std::string flags;
};

struct View {
    std::array<OperandView, 3> operands;
    bool hasResult = false;  // every operand it takes holds a value
    ieee::Result result;
    std::string exactMark;  // "exact" or "not exact: first 40 significant digits"
    std::string fields, hex, scientific;
    std::string value;  // the rounded result's exact decimal value
    std::string error, errorUlps;
    std::string outcome;  // comparisons
    std::array<DirectionRow, 5> rows;
};

View Build(const Choices& choices);

}  // namespace opsview
