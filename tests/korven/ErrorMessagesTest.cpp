#include "korven/ErrorMessages.h"
#include "korven/WrapperConversions.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

// The ends of the table and the texts whose spelling users search the run log for.
TEST(ReportError, KnownCodesGiveKorvensTexts) {
    EXPECT_EQ(reportError(0), "");
    EXPECT_EQ(reportError(1), "Too Many Errors");
    EXPECT_EQ(reportError(-1), "A General Error Occured");
    EXPECT_EQ(reportError(-2), "No Active Doucment");
    EXPECT_EQ(reportError(-16), "Missing DLL");
    EXPECT_EQ(reportError(-999), "No connection to KORVEN");
}

TEST(ReportError, OtherCodesAreNumbered) {
    EXPECT_EQ(reportError(-17), "#  -17 Occured.");
    EXPECT_EQ(reportError(-10), "#  -10 Occured.") << "a gap in KORVEN's numbering";
    EXPECT_EQ(reportError(2), "#  2 Occured.");
    EXPECT_EQ(reportError(-17, "dfmViaHoleSize"), "#  -17 Occured.") << "the routine's name is not used";
}

TEST(PadShapeCode, FirstShapeWordFoundWinsIgnoringCase) {
    const std::pair<const char*, int16_t> cases[] = {
        {"Round", 1},
        {"SQUARE", 2},
        {"rectangle", 3},
        {"Target", 4},
        {"thermal", 5},
        {"Complex pad", 6},
        {"donut", 7},
        {"OCTAGON", 8},
        {"oblong", 9},
        {"Blank", 10},
        {"star", 0},
        {"", 0},
        {"round rectangle", 1},
        {"rectangle or square", 2},
    };
    for (const auto& [text, code] : cases) {
        EXPECT_EQ(padShapeCode(text), code) << text;
    }
}

TEST(IsNumber, FollowsTheTextToNumberConversion) {
    EXPECT_TRUE(isNumber("10"));
    EXPECT_TRUE(isNumber(" -2.5 "));
    EXPECT_FALSE(isNumber(""));
    EXPECT_FALSE(isNumber("SMD"));
    EXPECT_FALSE(isNumber("10 mil"));
}

} // namespace
} // namespace lumora
