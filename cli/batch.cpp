// Batch mode: large reads, hexadecimal words parsed by hand, one output
// buffer written in large pieces.
#include "cli/batch.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "cli/names.h"
#include "numeric/ieee/operand.h"
#include "text/bilingual.h"

namespace cli {

namespace {

constexpr std::size_t kBufferSize = std::size_t(1) << 16;

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// 0-15 for a hexadecimal digit, else -1.
constexpr int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendHex(std::string& out, ieee::uint128 value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char text[32];
    for (int k = digits - 1; k >= 0; --k) {
        text[k] = kDigits[static_cast<unsigned>(value & 0xF)];
        value >>= 4;
    }
    out.append(text, static_cast<std::size_t>(digits));
}

std::string ByteText(unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[c >> 4] + kDigits[c & 0xF];
}

}  // namespace

Batch::Batch(const BatchSetup& setup, Sink out, Sink err, void* context)
    : setup_(setup),
      // Decimal lines are read by the exact reader alone: no native path.
      native_(setup.decimal ? ieee::Operation::TotalOrder : setup.op, *setup.format, setup.rounding, setup.tininess,
              setup.target),
      count_(setup.decimal ? 1 : ieee::OperandCount(setup.op)),
      digits_(setup.format->hexDigits()),
      resultDigits_(setup.target != nullptr && setup.op == ieee::Operation::ConvertFormat ? setup.target->hexDigits()
                                                                                          : setup.format->hexDigits()),
      out_(out),
      err_(err),
      context_(context) {
    outBuffer_.reserve(kBufferSize + 256);
}

void Batch::Feed(std::string_view chunk) {
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        if (end == std::string_view::npos) {
            // The line goes on in the next piece: held, unless it is already too long.
            if (!overlong_ && pending_.size() + chunk.size() > kLongestLine) {
                overlong_ = true;
                pending_.clear();
            }
            if (!overlong_) pending_.append(chunk);
            return;
        }
        const std::string_view piece = chunk.substr(0, end);
        chunk.remove_prefix(end + 1);
        if (!overlong_ && pending_.size() + piece.size() > kLongestLine) overlong_ = true;
        if (overlong_) {
            ++lineNumber_;
            Refuse(bilingual::Pick({"linie prea lunga", "line too long"}, setup_.lang));
            overlong_ = false;
            pending_.clear();
        } else if (pending_.empty()) {
            Line(piece);
        } else {
            pending_.append(piece);
            Line(pending_);
            pending_.clear();
        }
    }
}

void Batch::Finish() {
    if (overlong_) {
        ++lineNumber_;
        Refuse(bilingual::Pick({"linie prea lunga", "line too long"}, setup_.lang));
    } else if (!pending_.empty()) {
        Line(pending_);
    }
    pending_.clear();
    overlong_ = false;
    Flush();
}

void Batch::Flush() {
    if (!errBuffer_.empty()) err_(context_, errBuffer_);
    if (!outBuffer_.empty()) out_(context_, outBuffer_);
    errBuffer_.clear();
    outBuffer_.clear();
}

void Batch::Refuse(std::string_view why) {
    ++refused_;
    outBuffer_ += "?\n";
    errBuffer_ += "orvane-cli: ";
    errBuffer_ += bilingual::Pick({"linia ", "line "}, setup_.lang);
    errBuffer_ += std::to_string(lineNumber_);
    errBuffer_ += ": ";
    errBuffer_ += why;
    errBuffer_ += '\n';
    if (errBuffer_.size() >= kBufferSize) Flush();
}

// The line's words into `words`; false (after the refusal) when it does not
// hold exactly `count` words of at most digits_ digits each.
bool Batch::ReadWords(std::string_view line, ieee::uint128* words, int count) {
    const char* p = line.data();
    const char* const end = p + line.size();
    int found = 0;
    while (true) {
        while (p != end && IsBlank(*p)) ++p;
        if (p == end) break;
        if (found == count) {
            Refuse(bilingual::Pick({"prea multi operanzi", "too many operands"}, setup_.lang));
            return false;
        }
        if (end - p > 1 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
        ieee::uint128 value = 0;
        int digits = 0;
        for (; p != end && !IsBlank(*p); ++p) {
            const int d = DigitValue(*p);
            if (d < 0) {
                const auto column = static_cast<std::size_t>(p - line.data()) + 1;
                std::string why(bilingual::Pick({"caracter invalid ", "bad character "}, setup_.lang));
                why += ByteText(static_cast<unsigned char>(*p));
                why += bilingual::Pick({" in coloana ", " in column "}, setup_.lang);
                why += std::to_string(column);
                Refuse(why);
                return false;
            }
            if (++digits > digits_) {
                std::string why(bilingual::Pick({"prea multe cifre (un cuvant ", "too many digits (a "}, setup_.lang));
                why += setup_.format->name;
                why += bilingual::Pick({" are ", " word has "}, setup_.lang);
                why += std::to_string(digits_);
                why += ')';
                Refuse(why);
                return false;
            }
            value = (value << 4) | static_cast<unsigned>(d);
        }
        if (digits == 0) {
            Refuse(bilingual::Pick({"0x fara cifre", "0x without digits"}, setup_.lang));
            return false;
        }
        words[found++] = value;
    }
    if (found < count) {
        std::string why(bilingual::Pick({"lipsesc operanzi (", "missing operands ("}, setup_.lang));
        why += std::to_string(found);
        why += bilingual::Pick({" din ", " of "}, setup_.lang);
        why += std::to_string(count);
        why += ')';
        Refuse(why);
        return false;
    }
    return true;
}

void Batch::Line(std::string_view line) {
    ++lineNumber_;
    ieee::uint128 words[3] = {0, 0, 0};
    ieee::uint128 bits = 0;
    ieee::Flags flags;
    ieee::Outcome outcome = ieee::Outcome::None;
    bool noValue = false;
    if (setup_.decimal) {
        // One number, printable ASCII only, nothing after it: the value
        // field's grammar would stop at a blank, comma or slash and ignore
        // the rest, which a corpus line must not do silently.
        std::size_t begin = 0, stop = line.size();
        while (begin < stop && IsBlank(line[begin])) ++begin;
        while (stop > begin && IsBlank(line[stop - 1])) --stop;
        const std::string_view text = line.substr(begin, stop - begin);
        for (std::size_t k = 0; k < text.size(); ++k) {
            const auto c = static_cast<unsigned char>(text[k]);
            if (c <= 0x20 || c >= 0x7F || c == ',' || c == '/') {
                std::string why(bilingual::Pick({"caracter invalid ", "bad character "}, setup_.lang));
                why += ByteText(c);
                why += bilingual::Pick({" in coloana ", " in column "}, setup_.lang);
                why += std::to_string(begin + k + 1);
                Refuse(why);
                return;
            }
        }
        const ieee::OperandValue read = ieee::ReadOperand(text, *setup_.format, setup_.rounding, setup_.tininess);
        if (read.status != ieee::OperandStatus::Value) {
            Refuse(text.empty() ? bilingual::Pick({"linie goala", "empty line"}, setup_.lang)
                                : bilingual::Pick({"nu este un numar", "not a number"}, setup_.lang));
            return;
        }
        bits = read.bits;
        flags = read.flags;
    } else {
        if (!ReadWords(line, words, count_)) return;
        if (!native_.Run(words, bits, flags)) {
            native_.Pause();
            const ieee::Result r = ieee::ComputeWithoutTexts(
                setup_.op, *setup_.format, std::span<const ieee::uint128>(words, static_cast<std::size_t>(count_)),
                setup_.rounding, setup_.tininess, setup_.target);
            bits = r.bits;
            flags = r.flags;
            native_.Resume();
            if (!r.hasPattern) {
                outcome = r.outcome;
                // An invalid result in a format without NaNs has no pattern.
                noValue = outcome == ieee::Outcome::None;
            }
        }
    }
    if (noValue) outBuffer_ += "none";
    else if (outcome != ieee::Outcome::None) outBuffer_ += ShortName(outcome);
    else AppendHex(outBuffer_, bits, resultDigits_);
    outBuffer_ += ' ';
    AppendHex(outBuffer_, flags.Byte(), 2);
    outBuffer_ += '\n';
    if (outBuffer_.size() >= kBufferSize) Flush();
}

namespace {

struct Descriptors {
    int out;
    int err;
    bool failed = false;
};

void WriteAll(int fd, std::string_view bytes, bool& failed) {
    while (!bytes.empty() && !failed) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void WriteOut(void* context, std::string_view bytes) {
    auto* d = static_cast<Descriptors*>(context);
    WriteAll(d->out, bytes, d->failed);
}

void WriteErr(void* context, std::string_view bytes) {
    auto* d = static_cast<Descriptors*>(context);
    bool ignored = false;  // a message that cannot be written does not stop the run
    WriteAll(d->err, bytes, ignored);
}

}  // namespace

int RunBatch(const BatchSetup& setup, int in, int out, int err) {
    Descriptors d{out, err};
    Batch batch(setup, WriteOut, WriteErr, &d);
    std::vector<char> buffer(kBufferSize);
    bool readFailed = false;
    while (!d.failed) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readFailed = true;
        if (n <= 0) break;
        batch.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
    batch.Finish();
    if (readFailed || d.failed) {
        const std::string why =
            std::string("orvane-cli: ") +
            std::string(readFailed ? bilingual::Pick({"eroare la citire: ", "read error: "}, setup.lang)
                                   : bilingual::Pick({"eroare la scriere: ", "write error: "}, setup.lang)) +
            std::strerror(errno) + "\n";
        bool ignored = false;
        WriteAll(err, why, ignored);
        return 1;
    }
    return batch.Refused() != 0 ? 1 : 0;
}

}  // namespace cli
