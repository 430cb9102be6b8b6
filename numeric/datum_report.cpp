// The texts of one datum, computed as the main window's displays compute
// them: the decoding (class, value), the parameter list (exponent,
// significand, ULP, neighbours, epsilon) and the stored value group.
#include "numeric/datum_report.h"

#include "numeric/class_text.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/decimal_reader.h"
#include "numeric/ieee/operand.h"
#include "numeric/ieee/pattern_class.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/spacing.h"
#include "text/bilingual.h"

namespace report {

namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// The value field's keyword test: the first three characters, exactly.
bool StartsWithOneOf(std::string_view text, std::initializer_list<std::string_view> keys) {
    if (text.size() < 3) return false;
    for (std::string_view key : keys)
        if (text.substr(0, 3) == key) return true;
    return false;
}

// A sign (optional) and "0x" after leading blanks: a word or a hex-float literal.
bool HexPrefixed(std::string_view text) {
    std::size_t k = text.find_first_not_of(" \t");
    if (k == std::string_view::npos) return false;
    if (text[k] == '+' || text[k] == '-') ++k;
    return k + 1 < text.size() && text[k] == '0' && (text[k + 1] == 'x' || text[k + 1] == 'X');
}

// What the exact value box says of a pattern that is no finite number.
std::string SpecialValueText(const ieee::FormatInfo& f, ieee::uint128 bits, int lang) {
    const bool negative = ieee::IsNegative(f, bits);
    if (ieee::ClassOf(f, bits).kind == ieee::PatternClass::Infinity)
        return bilingual::PickString(
            negative ? bilingual::Text{"-Infinit", "-Infinity"} : bilingual::Text{"+Infinit", "+Infinity"}, lang);
    const ieee::NaNDetails nan = ieee::NaNDetailsOf(f, bits);
    std::string text = bilingual::PickString(nan.quiet ? bilingual::Text{"NaN linistit", "Quiet NaN"}
                                                       : bilingual::Text{"NaN semnalizator", "Signalling NaN"},
                                             lang);
    text += bilingual::Pick({", semn ", ", sign "}, lang);
    text += negative ? "-" : "+";
    text += bilingual::Pick({", sarcina utila 0x", ", payload 0x"}, lang);
    text += HexNumber(nan.payload);
    return text;
}

// A neighbour in bits as the parameter list shows it: sign, exponent and
// fraction joined by '_' up to 32 bits; wider formats show only the last 16
// fraction bits.
std::string NeighbourBits(const ieee::FormatInfo& f, ieee::uint128 bits) {
    const std::string all = ieee::BitString(f, bits);
    const auto exponentEnd = static_cast<std::size_t>(1 + f.exponentBits);
    const std::string head = all.substr(0, 1) + "_" + all.substr(1, exponentEnd - 1) + "_";
    if (f.bits <= 32) return head + all.substr(exponentEnd);
    return head + "..." + all.substr(all.size() - 16);
}

void Key(std::string& out, std::string_view key) {
    if (out.size() > 1) out += ", ";
    out += '"';
    out += key;
    out += "\": ";
}

void TextOrNull(std::string& out, std::string_view key, std::string_view text) {
    Key(out, key);
    out += text.empty() ? std::string("null") : JsonString(text);
}

}  // namespace

std::string HexNumber(ieee::uint128 value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[static_cast<unsigned>(value & 0xF)]);
        value >>= 4;
    } while (value != 0);
    return out;
}

ValueRead ReadValue(const ieee::FormatInfo& f, std::string_view text) {
    ValueRead out;
    if (text.find_first_not_of(" \t") == std::string_view::npos) {
        out.whyRo = "text gol";
        out.whyEn = "empty text";
        return out;
    }
    if (HexPrefixed(text)) {
        out.hexForm = true;
        const ieee::OperandValue read = ieee::ReadOperand(text, f, ieee::Rounding::TiesToEven);
        if (read.status != ieee::OperandStatus::Value) {
            out.whyRo = "cuvant hexazecimal sau literal hexazecimal invalid";
            out.whyEn = "not a hexadecimal word or hexadecimal floating-point literal";
        } else if (read.flags.overflow) {
            // The value field refuses a number beyond the format's range; so does this.
            out.whyRo = "in afara domeniului formatului";
            out.whyEn = "beyond the format's range";
        } else {
            out.ok = true;
            out.bits = read.bits;
            // A hex-float literal is a finite decimal: its error is exact too.
            out.typedNumber = ieee::ExactTypedNumber(text, out.typed);
        }
        return out;
    }
    // The value field: the keywords by their first three characters, as the
    // window tests them, then the free-form reader.
    const bool nan = StartsWithOneOf(text, {"NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na", "-na"});
    const bool infinity = !nan && StartsWithOneOf(text, {"Inf", "inf", "+In", "+in", "-In", "-in"});
    if (nan || infinity) {
        const ieee::uint128 sign = text[0] == '-' ? f.signBit() : 0;
        out.ok = true;
        out.bits = sign | (nan ? f.patternMask() & ~f.signBit() : f.infinity());
        return out;
    }
    switch (ieee::ReadFreeForm(f, text, out.bits)) {
    case ieee::ReadStatus::Value:
        out.ok = true;
        out.typedNumber = ieee::ExactTypedNumber(text, out.typed);
        break;
    case ieee::ReadStatus::NoValue:
        out.whyRo = "o virgula sau o bara inaintea oricarui numar";
        out.whyEn = "a comma or slash before any number";
        break;
    case ieee::ReadStatus::Invalid:
        out.whyRo = "valoare invalida (nu este un numar, sau este in afara domeniului formatului)";
        out.whyEn = "invalid value (not a number, or beyond the format's range)";
        break;
    }
    return out;
}

DatumReport Report(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed, int lang) {
    DatumReport r;
    bits &= f.patternMask();
    r.format = &f;
    r.bits = bits;
    const std::string all = ieee::BitString(f, bits);
    const auto exponentBits = static_cast<std::size_t>(f.exponentBits);
    r.sign = all.substr(0, 1);
    r.exponentField = all.substr(1, exponentBits);
    r.fraction = all.substr(1 + exponentBits);
    r.hex = ieee::HexWord(f, bits);
    r.classText = ClassText(f, bits, lang);
    r.value = Trimmed(ieee::ScientificText(f, bits, true));

    const ieee::ClassInfo info = ieee::ClassOf(f, bits);
    r.finite = ieee::IsFinite(info.kind);
    // A pseudo-denormal's exponent is Emin, as a subnormal's is.
    const bool smallOrZero = info.kind == ieee::PatternClass::Zero || info.kind == ieee::PatternClass::Subnormal ||
                             info.kind == ieee::PatternClass::PseudoDenormal;
    // An explicit leading bit is the significand's integer part, whatever the class.
    const bool leadingOne = f.explicitLeadingBit ? (bits & f.integerBit()) != 0 : !smallOrZero;
    if (r.finite) {
        r.exponent = ieee::RepresentationExponent(f.kind, r.exponentField, smallOrZero);
        // The caption's mark reads the exponent field as the decoding does:
        // all but its last bit zero, or all but its last bit one.
        const int stored = ieee::StoredExponent(f, bits);
        r.exponentMark = stored <= 1 ? "Emin" : stored >= f.maxStored() - 1 ? "Emax" : "E";
        r.exponentCaption = bilingual::PickString({"Exponentul reprezentarii", "Representation Exponent"}, lang) +
                            " (" + r.exponentMark + ")";
        r.significand = Trimmed(ieee::SignificandText(f.kind, r.fraction, leadingOne));
        r.ulp = Trimmed(ieee::ScientificText(f, ieee::UlpPattern(f, bits), false));
        const ieee::uint128 up = ieee::NextUpPattern(f, bits);
        const ieee::uint128 down = ieee::NextDownPattern(f, bits);
        r.nextUp = Trimmed(ieee::ScientificText(f, up, false));
        r.nextDown = Trimmed(ieee::ScientificText(f, down, false));
        r.nextUpBits = NeighbourBits(f, up);
        r.nextDownBits = NeighbourBits(f, down);
        r.nextUpHex = ieee::HexWord(f, up);
        r.nextDownHex = ieee::HexWord(f, down);
        r.epsilon = f.epsilonText;
        r.exact = ieee::ExactDecimalText(f, bits);
    } else {
        r.exact = SpecialValueText(f, bits, lang);
    }
    if (typed != nullptr && r.finite) {
        const ieee::ConversionError error = ieee::ConversionErrorOf(f, *typed, bits);
        r.hasError = true;
        r.error = error.exact;
        r.errorUlps = error.ulps.empty() ? std::string() : error.ulps + " ULP";
        r.errorRelative = error.relative;
    }
    r.shortest = ieee::ShortestText(f, bits);
    r.hexFloat = ieee::HexFloatText(f, bits);
    const ieee::NaNDetails nan = ieee::NaNDetailsOf(f, bits);
    r.nan = info.kind == ieee::PatternClass::NaN;
    r.quiet = nan.quiet;
    r.payload = nan.payload;
    return r;
}

std::string JsonOf(const DatumReport& r, std::optional<std::string_view> input) {
    std::string out = "{";
    if (input) {
        Key(out, "input");
        out += JsonString(*input);
    }
    TextOrNull(out, "format", r.format != nullptr ? r.format->name : "");
    TextOrNull(out, "hex", r.hex);
    TextOrNull(out, "sign", r.sign);
    TextOrNull(out, "exponent_field", r.exponentField);
    TextOrNull(out, "fraction_field", r.fraction);
    TextOrNull(out, "class", r.classText);
    TextOrNull(out, "value", r.value);
    Key(out, "finite");
    out += r.finite ? "true" : "false";
    Key(out, "exponent");
    out += r.finite ? std::to_string(r.exponent) : std::string("null");
    TextOrNull(out, "exponent_mark", r.exponentMark);
    TextOrNull(out, "significand", r.significand);
    TextOrNull(out, "ulp", r.ulp);
    TextOrNull(out, "next_up", r.nextUp);
    TextOrNull(out, "next_up_bits", r.nextUpBits);
    TextOrNull(out, "next_up_hex", r.nextUpHex);
    TextOrNull(out, "next_down", r.nextDown);
    TextOrNull(out, "next_down_bits", r.nextDownBits);
    TextOrNull(out, "next_down_hex", r.nextDownHex);
    TextOrNull(out, "epsilon", r.epsilon);
    TextOrNull(out, "exact", r.exact);
    TextOrNull(out, "error", r.error);
    TextOrNull(out, "error_ulps", r.errorUlps);
    TextOrNull(out, "error_relative", r.errorRelative);
    TextOrNull(out, "shortest", r.shortest);
    TextOrNull(out, "hex_float", r.hexFloat);
    Key(out, "nan");
    if (r.nan) {
        out += "{\"quiet\": ";
        out += r.quiet ? "true" : "false";
        out += ", \"payload\": \"0x" + HexNumber(r.payload) + "\"}";
    } else {
        out += "null";
    }
    out += '}';
    return out;
}

std::string DatumJson(const ieee::FormatInfo& f, ieee::uint128 bits, const ieee::TypedDecimal* typed, int lang) {
    return JsonOf(Report(f, bits, typed, lang));
}

std::string JsonString(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t k = 0; k < text.size();) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c < 0x80) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kDigits[c >> 4];
                out += kDigits[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
            ++k;
            continue;
        }
        // A well-formed UTF-8 sequence passes whole; anything else is one U+FFFD per byte.
        const std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool good = length != 0 && k + length <= text.size();
        for (std::size_t j = 1; good && j < length; ++j)
            good = (static_cast<unsigned char>(text[k + j]) & 0xC0) == 0x80;
        if (good && length >= 3) {
            const auto c1 = static_cast<unsigned char>(text[k + 1]);
            // No overlong forms, no surrogates, nothing beyond U+10FFFF.
            if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
                (c == 0xF4 && c1 >= 0x90))
                good = false;
        }
        if (good) {
            out.append(text.substr(k, length));
            k += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++k;
        }
    }
    out += '"';
    return out;
}

}  // namespace report
