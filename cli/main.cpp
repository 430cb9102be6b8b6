// orvane-cli: the numeric core of Orvane from a terminal. The argument
// grammar: a command (show, op, batch), its options anywhere after the
// program name (--name VALUE or --name=VALUE; "--" ends them, so that a
// value may begin with "--"), and its values. Exit status 0 done, 1 an input
// was refused, 2 usage.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/names.h"
#include "text/bilingual.h"

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

namespace cli {

void Write(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void Complain(std::string_view text) {
    std::string line = "orvane-cli: ";
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace cli

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

// clang-format off
constexpr bilingual::Text kUsageText{
    "utilizare: orvane-cli show [--format F] [--json] [--lang ro|en] VALOARE...\n"
    "           orvane-cli op [--format F] [--round DIR] [--tininess after|before]\n"
    "                         [--all-directions] [--json] [--lang ro|en] OP A [B [C]]\n"
    "           orvane-cli batch [--format F] --op OP [--round DIR] [--tininess after|before] [--lang ro|en]\n"
    "           orvane-cli --help | --version\n",
    "usage: orvane-cli show [--format F] [--json] [--lang ro|en] VALUE...\n"
    "       orvane-cli op [--format F] [--round DIR] [--tininess after|before]\n"
    "                     [--all-directions] [--json] [--lang ro|en] OP A [B [C]]\n"
    "       orvane-cli batch [--format F] --op OP [--round DIR] [--tininess after|before] [--lang ro|en]\n"
    "       orvane-cli --help | --version\n"};

constexpr bilingual::Text kHelpText{
    "\n"
    "show   tot ce arata fereastra pentru fiecare valoare: campuri, cuvant hexazecimal,\n"
    "       clasa, valoare, exponent, semnificand, ULP, vecini, epsilon, valoarea exacta,\n"
    "       eroarea conversiei, cel mai scurt text, text hex-float, detalii NaN.\n"
    "       VALOARE: ce primeste campul valorii, un cuvant hexazecimal cu 0x sau un\n"
    "       literal hex-float (0x1.8p3).\n"
    "op     o operatie: rezultatul exact, rezultatul rotunjit, eroarea si cele cinci\n"
    "       exceptii; --all-directions: cele cinci directii de rotunjire.\n"
    "batch  linii de operanzi (cuvinte hexazecimale) din intrarea standard, o linie de\n"
    "       rezultat pe linie: cuvantul, un spatiu, exceptiile in doua cifre hexazecimale\n"
    "       (bit 0 inexact, 1 underflow, 2 overflow, 3 divideByZero, 4 invalid).\n"
    "\n"
    "F:   binary16, bfloat16, binary32 (implicit), binary64, binary128 si celelalte\n"
    "     formate ale programului.\n"
    "DIR: even (implicit), away, up, down, zero sau numele IEEE (roundTiesToEven, ...).\n"
    "OP:  add, sub, mul, div, sqrt, fma (a*b+c), rem, rint, convert:F, cmpq, cmps,\n"
    "     totalorder; la batch si decimal (linii de text zecimal).\n"
    "Starea de iesire: 0 gata, 1 o intrare a fost refuzata, 2 utilizare gresita.\n"
    "Vezi orvane-cli(1).\n",
    "\n"
    "show   everything the window shows of each value: fields, hexadecimal word,\n"
    "       class, value, exponent, significand, ULP, neighbours, epsilon, exact value,\n"
    "       conversion error, shortest text, hex-float text, NaN details.\n"
    "       VALUE: what the value field takes, a hexadecimal word with 0x, or a\n"
    "       hex-float literal (0x1.8p3).\n"
    "op     one operation: the exact result, the rounded result, the error and the\n"
    "       five flags; --all-directions: the five rounding directions.\n"
    "batch  operand lines (hexadecimal words) from standard input, one result line per\n"
    "       line: the word, a blank, the flags as two hexadecimal digits\n"
    "       (bit 0 inexact, 1 underflow, 2 overflow, 3 divideByZero, 4 invalid).\n"
    "\n"
    "F:   binary16, bfloat16, binary32 (default), binary64, binary128 and the\n"
    "     program's other formats.\n"
    "DIR: even (default), away, up, down, zero or the IEEE names (roundTiesToEven, ...).\n"
    "OP:  add, sub, mul, div, sqrt, fma (a*b+c), rem, rint, convert:F, cmpq, cmps,\n"
    "     totalorder; for batch also decimal (lines of decimal text).\n"
    "Exit status: 0 done, 1 an input was refused, 2 usage.\n"
    "See orvane-cli(1).\n"};
// clang-format on

// The option names, and which commands take them.
enum Command { kNone = 0, kShow = 1, kOp = 2, kBatch = 4 };
struct OptionSpec {
    std::string_view name;
    bool takesValue;
    int commands;
};
constexpr OptionSpec kOptions[] = {
    {"format", true, kShow | kOp | kBatch},
    {"lang", true, kShow | kOp | kBatch},
    {"json", false, kShow | kOp},
    {"round", true, kOp | kBatch},
    {"tininess", true, kOp | kBatch},
    {"all-directions", false, kOp},
    {"op", true, kBatch},
};

struct Parsed {
    int command = kNone;
    std::string_view commandName;
    cli::Options options;
    std::string_view opName;  // batch --op
};

int Usage(int lang, const std::string& why) {
    cli::Complain(why);
    std::fputs(std::string(bilingual::Pick(kUsageText, lang)).c_str(), stderr);
    return kUsage;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The language the messages are in, read before anything else is checked.
int LanguageOf(const std::vector<std::string_view>& args) {
    int lang = 2;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--") break;
        if (args[k] == "--lang=ro" || (args[k] == "--lang" && k + 1 < args.size() && args[k + 1] == "ro")) lang = 1;
        if (args[k] == "--lang=en" || (args[k] == "--lang" && k + 1 < args.size() && args[k + 1] == "en")) lang = 2;
    }
    return lang;
}

int Run(const std::vector<std::string_view>& args) {
    const int lang = LanguageOf(args);
    auto pick = [lang](bilingual::Text t) { return std::string(bilingual::Pick(t, lang)); };
    for (std::string_view a : args) {
        if (a == "--") break;
        if (a == "--help" || a == "-h") {
            std::fputs((pick(kUsageText) + pick(kHelpText)).c_str(), stdout);
            return kDone;
        }
        if (a == "--version") {
            std::fputs("orvane-cli " ORVANE_VERSION "\n", stdout);
            return kDone;
        }
    }

    Parsed p;
    p.options.lang = lang;
    struct Given {
        const OptionSpec* spec;
        std::string_view value;
    };
    std::vector<Given> given;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view a = args[k];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || a.size() < 3 || a.substr(0, 2) != "--") {
            if (p.command == kNone) {
                p.commandName = a;
                if (a == "show") p.command = kShow;
                else if (a == "op") p.command = kOp;
                else if (a == "batch") p.command = kBatch;
                else return Usage(lang, pick({"comanda necunoscuta ", "unknown command "}) + Quoted(a));
            } else {
                p.options.values.push_back(a);
            }
            continue;
        }
        const std::string_view body = a.substr(2);
        const std::size_t equals = body.find('=');
        const std::string_view name = body.substr(0, equals);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& s : kOptions)
            if (s.name == name) spec = &s;
        if (spec == nullptr) return Usage(lang, pick({"optiune necunoscuta ", "unknown option "}) + Quoted(a));
        std::string_view value;
        if (spec->takesValue) {
            if (equals != std::string_view::npos) value = body.substr(equals + 1);
            else if (k + 1 < args.size()) value = args[++k];
            else return Usage(lang, Quoted(a) + pick({" cere o valoare", " needs a value"}));
        } else if (equals != std::string_view::npos) {
            return Usage(lang, Quoted(a) + pick({" nu primeste o valoare", " takes no value"}));
        }
        given.push_back({spec, value});
    }
    if (p.command == kNone) return Usage(lang, pick({"lipseste comanda", "no command"}));

    cli::Options& o = p.options;
    o.format = cli::FormatNamed("binary32");
    for (const Given& g : given) {
        const std::string option = "--" + std::string(g.spec->name);
        if ((g.spec->commands & p.command) == 0)
            return Usage(lang, std::string(p.commandName) + pick({" nu primeste ", " takes no "}) + option);
        if (g.spec->name == "format") {
            o.format = cli::FormatNamed(g.value);
            if (o.format == nullptr)
                return Usage(lang, pick({"format necunoscut ", "unknown format "}) + Quoted(g.value));
        } else if (g.spec->name == "round") {
            if (!cli::RoundingNamed(g.value, o.rounding))
                return Usage(lang, pick({"directie de rotunjire necunoscuta ", "unknown rounding direction "}) +
                                       Quoted(g.value));
        } else if (g.spec->name == "tininess") {
            if (!cli::TininessNamed(g.value, o.tininess))
                return Usage(lang, "--tininess: after, before; " + pick({"nu ", "not "}) + Quoted(g.value));
        } else if (g.spec->name == "lang") {
            if (g.value != "ro" && g.value != "en")
                return Usage(lang, "--lang: ro, en; " + pick({"nu ", "not "}) + Quoted(g.value));
        } else if (g.spec->name == "json") {
            o.json = true;
        } else if (g.spec->name == "all-directions") {
            o.allDirections = true;
        } else if (g.spec->name == "op") {
            p.opName = g.value;
        }
    }

    auto unknownOperation = [&](std::string_view name) {
        const cli::OperationName named = cli::OperationNamed(name, p.command == kBatch);
        if (named.badTarget) return pick({"format necunoscut in ", "unknown format in "}) + Quoted(name);
        return pick({"operatie necunoscuta ", "unknown operation "}) + Quoted(name);
    };

    switch (p.command) {
    case kShow:
        if (o.values.empty())
            return Usage(lang, pick({"show cere cel putin o valoare", "show needs at least one value"}));
        return cli::Show(o);
    case kOp: {
        if (o.values.empty()) return Usage(lang, pick({"op cere o operatie", "op needs an operation"}));
        const cli::OperationName named = cli::OperationNamed(o.values.front(), false);
        if (!named.ok) return Usage(lang, unknownOperation(o.values.front()));
        o.values.erase(o.values.begin());
        const int count = ieee::OperandCount(named.op);
        if (static_cast<int>(o.values.size()) != count)
            return Usage(lang, std::string(cli::ShortName(named.op)) + pick({" cere ", " takes "}) +
                                   std::to_string(count) + pick({" operanzi, nu ", " operands, not "}) +
                                   std::to_string(o.values.size()));
        return cli::Op(o, named.op, named.target);
    }
    case kBatch: {
        if (!o.values.empty())
            return Usage(lang, pick({"batch citeste operanzii din intrarea standard, nu ",
                                     "batch reads its operands from standard input, not "}) +
                                   Quoted(o.values.front()));
        if (p.opName.empty()) return Usage(lang, pick({"batch cere --op", "batch needs --op"}));
        const cli::OperationName named = cli::OperationNamed(p.opName, true);
        if (!named.ok) return Usage(lang, unknownOperation(p.opName));
        cli::BatchSetup setup;
        setup.format = o.format;
        setup.op = named.op;
        setup.decimal = named.decimal;
        setup.target = named.target;
        setup.rounding = o.rounding;
        setup.tininess = o.tininess;
        setup.lang = lang;
        std::fflush(stdout);
        return cli::RunBatch(setup, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
    }
    default: return kUsage;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    int status = Run(args);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        cli::Complain(bilingual::Pick({"eroare la scriere", "write error"}, LanguageOf(args)));
        if (status == kDone) status = kRefused;
    }
    return status;
}
