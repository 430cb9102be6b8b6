// Every encoding of a small format, as texts.
#include "numeric/encoding_list.h"

#include "numeric/class_text.h"
#include "numeric/ieee/bit_pattern.h"
#include "numeric/ieee/stored_value.h"

std::vector<EncodingEntry> EncodingList(const ieee::FormatInfo& f, int lang) {
    std::vector<EncodingEntry> list;
    if (f.bits > ENCODING_TABLE_MAX_BITS) return list;
    const unsigned count = 1u << f.bits;
    list.reserve(count);
    // Where the sign and the exponent end in the bit string.
    const auto signEnd = std::size_t{1};
    const auto exponentEnd = signEnd + static_cast<std::size_t>(f.exponentBits);
    for (unsigned p = 0; p < count; ++p) {
        EncodingEntry e;
        e.pattern = p;
        const std::string all = ieee::BitString(f, p);
        e.bits =
            all.substr(0, signEnd) + ' ' + all.substr(signEnd, exponentEnd - signEnd) + ' ' + all.substr(exponentEnd);
        e.hex = ieee::HexWord(f, p);
        if (ieee::IsFinitePattern(f, p)) e.value = ieee::ExactDecimalText(f, p);
        else if (ieee::IsInfinityPattern(f, p)) e.value = ieee::IsNegative(f, p) ? "-Inf" : "+Inf";
        else e.value = "NaN";
        e.klass = ClassText(f, p, lang);
        list.push_back(std::move(e));
    }
    return list;
}
