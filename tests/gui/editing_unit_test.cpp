// Pure logic of the bit editing: the character check and the inversion.
#include <gtest/gtest.h>

#include <string>

#include "editing/bulk_ops.h"
#include "editing/validate.h"

namespace {

struct CheckCase {
    const char* name;
    std::string text;
    int count;
    std::string expected;
    bool replaced;
};

TEST(CheckBitEdit, RepairsOnlyTheExaminedPrefix) {
    const CheckCase cases[] = {
        {"valid bits and blanks", "01 10 ", 6, "01 10 ", false},
        {"one invalid digit", "0120", 4, "0110", true},
        {"every invalid character, not only the first", "a0b1c", 5, "10111", true},
        {"characters past count are left alone", "01x2", 2, "01x2", false},
        {"the excess position is examined when count reaches it", "00000000x", 9, "000000001", true},
        {"count zero examines nothing", "xyz", 0, "xyz", false},
        {"negative count examines nothing", "xyz", -5, "xyz", false},
        {"count beyond the text stays inside it", "2", 100, "1", true},
        {"empty text", "", 10, "", false},
        {"tabs and NUL bytes are invalid", std::string("0\t1\0", 4), 4, "0111", true},
        // clang-format off
        {"high Windows-1252 bytes are invalid", "\x85\xff" "0", 3, "110", true},
        // clang-format on
    };
    for (const CheckCase& c : cases) {
        std::string text = c.text;
        bool replaced = !c.replaced;  // the routine must set it either way
        CHECK_BITEDIT(c.count, text, replaced);
        EXPECT_EQ(text, c.expected) << c.name;
        EXPECT_EQ(replaced, c.replaced) << c.name;
        EXPECT_EQ(text.size(), c.text.size()) << c.name;
    }
}

struct FlipCase {
    const char* name;
    int n;
    std::string input;
    std::string expected;
};

TEST(FlipBits, InvertsBitsAndBlanksEverythingElse) {
    const FlipCase cases[] = {
        {"plain bits", 8, "01111011", "10000100"},
        {"sign", 1, "1", "0"},
        {"other characters become blanks", 6, "0x1 2-", "1 0   "},
        {"short input: missing positions are blanks", 8, "101", "010     "},
        {"long input: only n characters are looked at", 3, "000111", "111"},
        {"width zero", 0, "0101", ""},
        {"negative width", -3, "0101", ""},
        {"all 64 bits", 64, std::string(64, '1'), std::string(64, '0')},
    };
    for (const FlipCase& c : cases) {
        std::string out = "stale contents that must go";
        FLIP_BITS(c.n, c.input, out);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(FlipBits, TwiceRestoresAnyBitString) {
    const std::string bits = "0110100111010000111100001010101011001100";
    std::string once;
    std::string twice;
    FLIP_BITS(static_cast<int>(bits.size()), bits, once);
    FLIP_BITS(static_cast<int>(once.size()), once, twice);
    EXPECT_NE(once, bits);
    EXPECT_EQ(twice, bits);
}

}  // namespace
