// The window's start arguments [--format F] [VALUE]: a good set chooses the
// format and enters the value; a bad one changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "app/startup.h"
#include "harness.h"

namespace {

struct Row {
    std::vector<std::string> args;
    bool applied;
    int radio;          // the format chosen afterwards
    std::string value;  // the value field afterwards
    std::string hex;    // the hexadecimal word afterwards
    std::string error;  // the conversion error afterwards
};

class StartArguments : public harness::AppTest {};

TEST_F(StartArguments, AGoodSetIsEnteredABadOneChangesNothing) {
    const Row rows[] = {
        {{"--format", "binary64", "0.1"},
         true,
         IDC_FORMAT_64,
         "0.1",
         "3FB999999999999A",
         "-5.5511151231257827021181583404541015625E-18"},
        {{"--format=binary16", "--", "-0x1p-24"}, true, IDC_FORMAT_16, "-5.9605E-08", "8001", ""},
        {{"2"}, true, IDC_FORMAT_32, "2", "40000000", "0"},
        {{"--format", "binary99", "1"}, false, IDC_FORMAT_32, "0", "", ""},
        {{"--format", "bfloat16", "1e999"}, false, IDC_FORMAT_32, "0", "", ""},
        {{"1", "2"}, false, IDC_FORMAT_32, "0", "", ""},
        {{"--colour"}, false, IDC_FORMAT_32, "0", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.front());
        TearDown();
        SetUp();
        EXPECT_EQ(APPLY_START_ARGUMENTS(row.args), row.applied);
        harness::ProcessEvents();
        EXPECT_TRUE(harness::Checked(row.radio));
        EXPECT_EQ(harness::Text(IDC_VALUE), row.value);
        EXPECT_EQ(harness::Text(IDC_HEX), row.hex);
        EXPECT_EQ(harness::Text(IDC_ERROR_VALUE), row.error);
    }
    EXPECT_TRUE(harness::Messages().empty());
}

}  // namespace
