// The argument grammar of orvane-cli and its exit statuses, one row per
// command line: what it must print and what it must say on stderr.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.h"

namespace {

struct Row {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::vector<std::string> out;   // each must appear in the output
    std::string err;                // must appear on stderr ("" : stderr empty)
    std::string exactOut = "\x01";  // when set, the whole output
};

const std::string kOverlong(std::size_t(1) << 21, '1');

// clang-format off
const std::vector<Row> kRows = {
    // What it must show.
    {{"show", "0.1", "--format", "binary32"}, "", 0,
     {"3DCCCCCD", "0.100000001490116119384765625", "-1.490116119384765625E-9", "Normalized Number: Real(4)"}, ""},
    {{"batch", "--format", "binary32", "--op", "add"}, "3F800000 3F800001\n", 0, {}, "", "40000000 01\n"},
    {{"op", "--format", "binary16", "--all-directions", "div", "1", "3"}, "", 0, {}, "",
     "roundTiesToEven      3555  +3.3325E-01  inexact\n"
     "roundTiesToAway      3555  +3.3325E-01  inexact\n"
     "roundTowardPositive  3556  +3.3350E-01  inexact\n"
     "roundTowardNegative  3555  +3.3325E-01  inexact\n"
     "roundTowardZero      3555  +3.3325E-01  inexact\n"},
    // Options in either form, anywhere; "--" ends them; languages.
    {{"--format=binary64", "show", "--json", "--", "-0x1p-1074"}, "", 0,
     {"{\"input\": \"-0x1p-1074\", \"format\": \"binary64\", \"hex\": \"8000000000000001\"", "\"nan\": null}\n"}, ""},
    {{"show", "--lang", "ro", "nan"}, "", 0, {"Non-Numar", "NaN linistit, semn +, sarcina utila 0x3FFFFF"}, ""},
    {{"show", "0x7F800001", "inf", "1e-50"}, "", 0, {"Signalling NaN", "Signed Infinity", "Signed Zero"}, ""},
    {{"op", "--round", "up", "--tininess", "before", "--format", "binary128", "sqrt", "2"}, "", 0,
     {"roundTowardPositive", "3FFF6A09 E667F3BC C908B2FB 1366EA96", "inexact"}, ""},
    {{"op", "--json", "convert:binary16", "65520"}, "", 0, {"\"hex\": \"7C00\"", "\"flags_byte\": \"05\""}, ""},
    {{"op", "totalorder", "-0", "0"}, "", 0, {"true"}, ""},
    {{"--help"}, "", 0, {"usage: orvane-cli show", "Exit status"}, ""},
    {{"--lang", "ro", "-h"}, "", 0, {"utilizare:", "Starea de iesire"}, ""},
    {{"--version"}, "", 0, {"orvane-cli 1."}, ""},
    // Usage: status 2 and the reason.
    {{}, "", 2, {}, "no command"},
    {{"frobnicate"}, "", 2, {}, "unknown command 'frobnicate'"},
    {{"show"}, "", 2, {}, "show needs at least one value"},
    {{"show", "--round", "up", "1"}, "", 2, {}, "show takes no --round"},
    {{"show", "--format", "binary99", "1"}, "", 2, {}, "unknown format 'binary99'"},
    {{"show", "--format"}, "", 2, {}, "'--format' needs a value"},
    {{"show", "--json=yes", "1"}, "", 2, {}, "'--json=yes' takes no value"},
    {{"show", "--lang", "fr", "1"}, "", 2, {}, "--lang: ro, en"},
    {{"op", "fma", "1", "2"}, "", 2, {}, "fma takes 3 operands, not 2"},
    {{"op", "pow", "1", "2"}, "", 2, {}, "unknown operation 'pow'"},
    {{"op", "decimal", "1"}, "", 2, {}, "unknown operation 'decimal'"},
    {{"op", "--round", "sideways", "add", "1", "2"}, "", 2, {}, "unknown rounding direction 'sideways'"},
    {{"batch", "--op", "convert:binary7"}, "", 2, {}, "unknown format in 'convert:binary7'"},
    {{"batch"}, "", 2, {}, "batch needs --op"},
    {{"batch", "--op", "add", "3F800000"}, "", 2, {}, "batch reads its operands from standard input"},
    // Refused inputs: status 1, the reason, the rest still done.
    {{"show", "1e99", "2"}, "", 1, {"2 (binary32)"}, "value \"1e99\" refused: invalid value"},
    {{"show", "0x1p200"}, "", 1, {}, "beyond the format's range"},
    {{"op", "add", "1", "x"}, "", 1, {}, "operand b = \"x\" refused: not a value"},
    // Batch lines.
    {{"batch", "--op", "add"}, "", 0, {}, "", ""},
    {{"batch", "--op", "mul", "--format", "binary64", "--round", "down"},
     "3FF0000000000001 3FF0000000000001\r\n0x0000000000000001 3FE0000000000000", 0, {}, "",
     "3FF0000000000002 01\n0000000000000000 03\n"},
    {{"batch", "--op", "add"},
     "3F800000\n3F800000 0 0\nG0 0\n" + std::string("0\0 0\n", 5) + "\xC3\x28 0\n123456789 0\n0x 1\n\n" + kOverlong + "\n1 2\n",
     1, {}, "line 9: line too long", "?\n?\n?\n?\n?\n?\n?\n?\n?\n00000003 00\n"},
    {{"batch", "--op", "cmps", "--lang", "ro"}, "7FC00000 3F800000\n3F800000 3F800000\n1 2 3\n", 1, {}, "linia 3: prea multi operanzi",
     "unordered 10\nequal 00\n?\n"},
    {{"batch", "--op", "totalorder", "--format", "binary16"}, "8000 0000\n", 0, {}, "", "true 00\n"},
    {{"batch", "--op", "convert:binary64"}, "3DCCCCCD\n", 0, {}, "", "3FB99999A0000000 00\n"},
    {{"batch", "--op", "decimal", "--round", "up"}, "0.1\n 1e-46 \n1,5\n1e999\nx\n", 1, {}, "line 3: bad character 0x2C in column 2",
     "3DCCCCCD 01\n00000001 03\n?\n7F800000 05\n?\n"},
    {{"batch", "--op", "rint", "--round", "away"}, "3F000000\n", 0, {}, "", "3F800000 00\n"},
};
// clang-format on

TEST(CliGrammar, EveryRowGivesItsStatusOutputAndMessage) {
    for (const Row& row : kRows) {
        std::string line;
        for (const std::string& a : row.args) line += a.substr(0, 40) + ' ';
        SCOPED_TRACE(line);
        const cli_test::Ran ran = cli_test::Run(row.args, row.input);
        EXPECT_EQ(ran.status, row.status);
        for (const std::string& part : row.out) EXPECT_NE(ran.out.find(part), std::string::npos) << ran.out;
        if (row.exactOut != "\x01") {
            EXPECT_EQ(ran.out, row.exactOut);
        }
        if (row.err.empty()) EXPECT_EQ(ran.err, "");
        else EXPECT_NE(ran.err.find(row.err), std::string::npos) << ran.err;
    }
}

}  // namespace
