// The parameter list: exponent, significand, ULP, neighbours and epsilon of
// the datum in the fields, chosen with real clicks on the list.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QWidget>

#include <string>
#include <vector>

#include "app/state.h"
#include "editing_helpers.h"
#include "harness.h"

namespace {

using namespace edit_test;

constexpr int kExponent = 1, kSignificand = 2, kUlp = 3, kUp = 4, kDown = 5, kEpsilon = 6;

class ParamList : public harness::AppTest {
protected:
    int Selected() {
        int item = 0;
        DIALOG_GET_INT(ORVANEGLOBALS::DLG_MAIN, IDC_PARAM_LIST, item, 1);
        return item;
    }

    // Chooses an entry so that the selection changes (the list acts only on
    // a change of selection).
    void Pick(int item) {
        if (Selected() == item) harness::SelectListItem(IDC_PARAM_LIST, item == kEpsilon ? kUlp : kEpsilon);
        harness::SelectListItem(IDC_PARAM_LIST, item);
        harness::ProcessEvents();
    }

    void SetBinaryNeighbours(bool on) {
        auto* box = qobject_cast<QCheckBox*>(harness::Widget(IDC_BINARY_NEIGHBOURS));
        ASSERT_NE(box, nullptr);
        if (box->isChecked() != on) harness::Click(IDC_BINARY_NEIGHBOURS);
        ASSERT_EQ(box->isChecked(), on);
    }

    void English() {
        harness::Click(IDC_LANG_EN);
        harness::ProcessEvents();
    }
    void Romanian() {
        harness::Click(IDC_LANG_RO);
        harness::ProcessEvents();
    }

    // Enters a datum (by its bits) in its format and decodes it.
    void Datum(int kind, const std::vector<std::string>& fields) {
        ChooseFormat(kind);
        EnterBits(kind, fields);
        ASSERT_TRUE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
    }
};

std::string Z(int n) { return Repeat('0', n); }
std::string O(int n) { return Repeat('1', n); }

struct ExponentCase {
    const char* name;
    int kind;
    std::vector<std::string> fields;
    std::string value;
    const char* suffix;
};

TEST_F(ParamList, ExponentWithItsBoundInBothLanguages) {
    const ExponentCase cases[] = {
        {"binary32 zero", 4, Pattern(4, "0", Z(8), Z(23)), "-126", " (Emin)"},
        {"binary32 negative zero", 4, Pattern(4, "1", Z(8), Z(23)), "-126", " (Emin)"},
        {"binary32 subnormal", 4, Pattern(4, "0", Z(8), Z(22) + "1"), "-126", " (Emin)"},
        {"binary32 stored exponent 1", 4, Pattern(4, "0", "00000001", Z(23)), "-126", " (Emin)"},
        {"binary32 stored exponent 2", 4, Pattern(4, "1", "00000010", O(23)), "-125", " (E)"},
        {"binary32 one", 4, Pattern(4, "0", "01111111", Z(23)), "0", " (E)"},
        {"binary32 largest exponent", 4, Pattern(4, "0", "11111110", O(23)), "127", " (Emax)"},
        {"binary64 zero", 8, Pattern(8, "0", Z(11), Z(52)), "-1022", " (Emin)"},
        {"binary64 stored exponent 1", 8, Pattern(8, "0", Z(10) + "1", Z(52)), "-1022", " (Emin)"},
        {"binary64 one", 8, Pattern(8, "0", "0" + O(10), Z(52)), "0", " (E)"},
        {"binary64 largest exponent", 8, Pattern(8, "1", O(10) + "0", Z(52)), "1023", " (Emax)"},
        {"binary128 subnormal", 16, Pattern(16, "0", Z(15), Z(111) + "1"), "-16382", " (Emin)"},
        {"binary128 one", 16, Pattern(16, "0", "0" + O(14), Z(112)), "0", " (E)"},
        {"binary128 two", 16, Pattern(16, "0", "1" + Z(14), Z(112)), "1", " (E)"},
        {"binary128 largest exponent", 16, Pattern(16, "0", O(14) + "0", O(112)), "16383", " (Emax)"},
    };
    for (const ExponentCase& c : cases) {
        SCOPED_TRACE(c.name);
        Datum(c.kind, c.fields);
        Pick(kExponent);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.value);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), std::string("Exponentul reprezentarii") + c.suffix);
        EXPECT_FALSE(harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled());
        English();
        Pick(kExponent);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.value);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), std::string("Representation Exponent") + c.suffix);
        Romanian();
    }
}

struct SignificandCase {
    const char* name;
    int kind;
    std::vector<std::string> fields;
    std::string value;
};

TEST_F(ParamList, SignificandFromTheFractionField) {
    const SignificandCase cases[] = {
        {"binary32 zero", 4, Pattern(4, "1", Z(8), Z(23)), "0.0000000E+00"},
        {"binary32 1.5", 4, Pattern(4, "0", "01111111", "1" + Z(22)), "1.5000000E+00"},
        {"binary32 smallest subnormal", 4, Pattern(4, "0", Z(8), Z(22) + "1"), "1.1920929E-07"},
        {"binary32 largest finite", 4, Pattern(4, "0", "11111110", O(23)), "1.9999999E+00"},
        {"binary64 power of two", 8, Pattern(8, "0", "10000000011", Z(52)), "1.000000000000000E+00"},
        {"binary64 zero", 8, Pattern(8, "0", Z(11), Z(52)), "0.000000000000000E+00"},
        {"binary64 0.1", 8, Pattern(8, "0", "01111111011", "1001100110011001100110011001100110011001100110011010"),
         "1.600000000000000E+00"},
        {"binary128 subnormal with the first fraction bit", 16, Pattern(16, "0", Z(15), "1" + Z(111)),
         "5.000000000000000000000000000000000E-01"},
        {"binary128 one plus 2^-49", 16, Pattern(16, "0", "0" + O(14), Z(48) + "1" + Z(63)),
         "1.000000000000001776356839400250465E+00"},
        {"binary128 smallest subnormal", 16, Pattern(16, "1", Z(15), Z(111) + "1"),
         "1.925929944387235853055977942584927E-34"},
        // The high and low parts are two numbers: a blank ending the low part
        // does not move the high bits.
        {"binary128 low part one bit short", 16, Pattern(16, "0", "0" + O(14), "1" + Z(47) + Z(63)),
         "1.500000000000000000000000000000000E+00"},
    };
    for (const SignificandCase& c : cases) {
        SCOPED_TRACE(c.name);
        Datum(c.kind, c.fields);
        Pick(kSignificand);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.value);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "     Semnificand");
    }
    English();
    Pick(kSignificand);
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "     Significand");
}

struct UlpCase {
    const char* name;
    int kind;
    std::vector<std::string> fields;
    std::string value;
};

TEST_F(ParamList, UlpOfZerosSubnormalsAndNormals) {
    const UlpCase cases[] = {
        {"binary32 one", 4, Pattern(4, "0", "01111111", Z(23)), "1.1920929E-07"},
        {"binary32 zero", 4, Pattern(4, "0", Z(8), Z(23)), "5.9604645E-08"},
        {"binary32 negative zero", 4, Pattern(4, "1", Z(8), Z(23)), "5.9604645E-08"},
        {"binary32 subnormal", 4, Pattern(4, "0", Z(8), "1" + Z(22)), "0.0000000E+00"},
        {"binary32 smallest normal", 4, Pattern(4, "1", "00000001", Z(23)), "1.4012985E-45"},
        {"binary32 largest finite", 4, Pattern(4, "0", "11111110", O(23)), "2.0282410E+31"},
        {"binary64 one", 8, Pattern(8, "0", "0" + O(10), Z(52)), "2.2204460492503131D-16"},
        {"binary64 zero", 8, Pattern(8, "0", Z(11), Z(52)), "1.1102230246251565D-16"},
        {"binary64 smallest normal", 8, Pattern(8, "0", Z(10) + "1", Z(52)), "4.9406564584124654D-324"},
        {"binary128 one", 16, Pattern(16, "0", "0" + O(14), Z(112)), "1.925929944387235853055977942584927D-034"},
        {"binary128 smallest normal", 16, Pattern(16, "0", Z(14) + "1", Z(112)),
         "6.475175119438025110924438958227647D-4966"},
        {"binary128 subnormal", 16, Pattern(16, "0", Z(15), O(112)), "0.000000000000000000000000000000000D+000"},
    };
    for (const UlpCase& c : cases) {
        SCOPED_TRACE(c.name);
        Datum(c.kind, c.fields);
        Pick(kUlp);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.value);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "        ULP(X)");
        EXPECT_FALSE(harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled());
    }
}

struct NeighbourCase {
    const char* name;
    int kind;
    std::vector<std::string> fields;
    bool binary;
    std::string up, down;
    std::string upRo, downRo, upEn, downEn;  // captions
};

TEST_F(ParamList, NeighboursAsDecimalsAndAsBitPatterns) {
    const std::string decUp = "      Nearest, > X", decDown = "      Nearest, < X";
    const std::string b32Up = "      Nearest > X  (S_Exp_Sig)", b32Down = "      Nearest < X  (S_Exp_Sig)";
    const std::string roUp = "Nearest > X; Semnificand: ultimii 16 biti",
                      enUp = "Nearest > X; Significand: last 16 bits";
    const auto one = [](int kind) {
        return kind == 4   ? Pattern(4, "0", "01111111", Z(23))
               : kind == 8 ? Pattern(8, "0", "0" + O(10), Z(52))
                           : Pattern(16, "0", "0" + O(14), Z(112));
    };
    const NeighbourCase cases[] = {
        {"binary32 one", 4, one(4), false, "1.0000001E+00", "9.9999994E-01", decUp, decDown, decUp, decDown},
        {"binary32 one, bits", 4, one(4), true, "0_01111111_00000000000000000000001",
         "0_01111110_11111111111111111111111", b32Up, b32Down, b32Up, b32Down},
        {"binary32 zero", 4, Pattern(4, "0", Z(8), Z(23)), false, "1.4012985E-45", "-1.4012985E-45", decUp, decDown,
         decUp, decDown},
        {"binary32 negative zero", 4, Pattern(4, "1", Z(8), Z(23)), false, "1.4012985E-45", "-1.4012985E-45", decUp,
         decDown, decUp, decDown},
        {"binary32 largest finite", 4, Pattern(4, "0", "11111110", O(23)), false, "Infinity", "3.4028233E+38", decUp,
         decDown, decUp, decDown},
        {"binary32 largest finite, bits", 4, Pattern(4, "0", "11111110", O(23)), true,
         "0_11111111_00000000000000000000000", "0_11111110_11111111111111111111110", b32Up, b32Down, b32Up, b32Down},
        {"binary32 most negative finite", 4, Pattern(4, "1", "11111110", O(23)), false, "-3.4028233E+38", "-Infinity",
         decUp, decDown, decUp, decDown},
        {"binary64 one", 8, one(8), false, "1.0000000000000002D+00", "9.9999999999999989D-01", decUp, decDown, decUp,
         decDown},
        {"binary64 one, bits", 8, one(8), true, "0_01111111111_...0000000000000001",
         "0_01111111110_...1111111111111111", roUp, "Nearest < X, Semnificand: ultimii 16 biti", enUp,
         "Nearest < X, Significand: last 16 bits"},
        {"binary64 smallest subnormal, bits", 8, Pattern(8, "0", Z(11), Z(51) + "1"), true,
         "0_00000000000_...0000000000000010", "0_00000000000_...0000000000000000", roUp,
         "Nearest < X, Semnificand: ultimii 16 biti", enUp, "Nearest < X, Significand: last 16 bits"},
        {"binary128 one", 16, one(16), false, "1.000000000000000000000000000000000D+000",
         "9.999999999999999999999999999999999D-001", decUp, decDown, decUp, decDown},
        {"binary128 one, bits", 16, one(16), true, "0_011111111111111_...0000000000000001",
         "0_011111111111110_...1111111111111111", roUp, "Nearest < X; Semnificand: ultimii 16 biti", enUp,
         "Nearest < X; Significand: last 16 bits"},
        {"binary128 negative zero", 16, Pattern(16, "1", Z(15), Z(112)), false,
         "6.475175119438025110924438958227647D-4966", "-6.475175119438025110924438958227647D-4966", decUp, decDown,
         decUp, decDown},
    };
    for (const NeighbourCase& c : cases) {
        SCOPED_TRACE(c.name);
        Datum(c.kind, c.fields);
        Pick(kUp);
        ASSERT_TRUE(harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled());
        SetBinaryNeighbours(c.binary);
        Pick(kUp);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.up);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), c.upRo);
        Pick(kDown);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.down);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), c.downRo);
        EXPECT_TRUE(harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled());

        English();
        // The same datum and choices with English captions.
        Datum(c.kind, c.fields);
        Pick(kUp);
        SetBinaryNeighbours(c.binary);
        Pick(kUp);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.up);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), c.upEn);
        Pick(kDown);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.down);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), c.downEn);
        Romanian();
    }
}

// The Romanian bit-pattern captions have 41 characters and are shown whole.
TEST_F(ParamList, LongRomanianCaptionsAreNotCut) {
    Datum(8, Pattern(8, "0", "0" + O(10), Z(52)));
    Pick(kUp);
    SetBinaryNeighbours(true);
    Pick(kUp);
    const std::string caption = harness::Text(IDC_PARAM_CAPTION);
    EXPECT_EQ(caption.size(), 41u);
    EXPECT_EQ(caption.back(), 'i');
}

TEST_F(ParamList, CheckingTheBoxWaitsForTheNextChoice) {
    Datum(4, Pattern(4, "0", "01111111", Z(23)));
    Pick(kUp);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "1.0000001E+00");
    SetBinaryNeighbours(true);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "1.0000001E+00");
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "      Nearest, > X");
    harness::SelectListItem(IDC_PARAM_LIST, kDown);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "0_01111110_11111111111111111111111");
    SetBinaryNeighbours(false);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "0_01111110_11111111111111111111111");
    harness::SelectListItem(IDC_PARAM_LIST, kUp);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "1.0000001E+00");
}

TEST_F(ParamList, NeighboursEmptyTheCaretDisplay) {
    Datum(4, Pattern(4, "0", "01111111", Z(23)));
    harness::ClickInto(IDC_FRACTION_32);
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "0");
    Pick(kUlp);
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "0");
    Pick(kDown);
    EXPECT_EQ(harness::Text(IDC_CURSOR_POS), "");
}

TEST_F(ParamList, EpsilonTextPerFormatAndTheBoxOnlyForNeighbours) {
    const std::pair<int, const char*> cases[] = {
        {4, "Epsilon = ULP(1.0)."}, {8, "Epsilon = ULP(1.D0)."}, {16, "Epsilon = ULP(1.Q0)."}};
    for (const auto& [kind, text] : cases) {
        SCOPED_TRACE(kind);
        ChooseFormat(kind);
        harness::ClickInto(RowOf(kind).fields.front().id);
        harness::ProcessEvents();
        Pick(kEpsilon);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), text);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Epsilon");
        for (int item : {kExponent, kSignificand, kUlp, kUp, kDown, kEpsilon}) {
            Pick(item);
            EXPECT_EQ(harness::Widget(IDC_BINARY_NEIGHBOURS)->isEnabled(), item == kUp || item == kDown) << item;
        }
    }
    English();
    Pick(kEpsilon);
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Epsilon");
}

// Emptied exponent and fraction fields hold no digits: each reads as zeros in
// its own place, so the datum is +0 and every entry of the list shows that
// zero (the exponent Emin, the significand without its hidden 1).
TEST_F(ParamList, EmptiedFieldsAreReadSafely) {
    struct Case {
        int kind;
        std::string exponent, significand, ulp, up;
    };
    const Case cases[] = {
        {4, "-126", "0.0000000E+00", "5.9604645E-08", "1.4012985E-45"},
        {8, "-1022", "0.000000000000000E+00", "1.1102230246251565D-16", "4.9406564584124654D-324"},
        {16, "-16382", "0.000000000000000000000000000000000E+00", "9.629649721936179265279889712924637D-035",
         "6.475175119438025110924438958227647D-4966"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ChooseFormat(c.kind);
        const Row& row = RowOf(c.kind);
        for (size_t i = 1; i < row.fields.size(); ++i) ClearField(row.fields[i].id);
        harness::ClickInto(IDC_VALUE);
        harness::ClickInto(row.fields.front().id);
        ASSERT_TRUE(harness::Enabled(IDC_PARAM_LIST));
        Pick(kExponent);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.exponent);
        EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Exponentul reprezentarii (Emin)");
        Pick(kSignificand);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.significand);
        Pick(kUlp);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.ulp);
        Pick(kUp);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), c.up);
        Pick(kDown);
        EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "-" + c.up);
        Pick(kEpsilon);
        EXPECT_FALSE(harness::Text(IDC_PARAM_VALUE).empty());
    }
}

// The bulk buttons change the fields without decoding them: the exponent is
// read from the fields, the flags are those of the last decoding.
TEST_F(ParamList, ExponentAfterOnesUsesTheFieldsAndTheOldFlags) {
    EnterValue(4, "1.0");
    Pick(kUlp);
    harness::Click(IDC_ONES);
    harness::ProcessEvents();
    EXPECT_TRUE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
    harness::SelectListItem(IDC_PARAM_LIST, kExponent);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "128");
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Exponentul reprezentarii (E)");

    // Entering a field decodes the NaN and disables the list.
    harness::ClickInto(IDC_SIGN_32);
    EXPECT_FALSE(harness::Widget(IDC_PARAM_LIST)->isEnabled());
}

// Zeros on the exponent of the datum 1.0: the fields now hold a zero, but the
// last decoding said normal, so the significand keeps its hidden 1 and the
// exponent is the stored exponent 0 minus the bias, with the old " (E)".
TEST_F(ParamList, SignificandAndExponentAfterAFillUseTheOldFlags) {
    EnterValue(4, "1.0");
    harness::ClickInto(IDC_EXPONENT_32);
    harness::Click(IDC_CURRENT_FIELD);
    harness::Click(IDC_ZEROS);
    harness::ProcessEvents();
    EXPECT_EQ(harness::Text(IDC_EXPONENT_32), Z(8));
    Pick(kSignificand);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "1.0000000E+00");
    Pick(kExponent);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "-127");
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Exponentul reprezentarii (E)");

    // Once a field gains the focus the fields are decoded afresh.
    harness::ClickInto(IDC_SIGN_32);
    Pick(kSignificand);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "0.0000000E+00");
    Pick(kExponent);
    EXPECT_EQ(harness::Text(IDC_PARAM_VALUE), "-126");
    EXPECT_EQ(harness::Text(IDC_PARAM_CAPTION), "Exponentul reprezentarii (Emin)");
}

}  // namespace
