#include "script/RegionalNumbers.h"
#include "script/LocaleService.h"
#include "script/RunnerError.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

std::string regional(const std::string& text) {
    std::string out;
    EXPECT_TRUE(tryGetRegionalStringFromEng(text, out)) << text;
    return out;
}

RunnerError conversionErrorFor(const std::string& text) {
    try {
        getRegionalStringFromEng(text);
    } catch (const RunnerError& error) {
        return error;
    }
    ADD_FAILURE() << "no error for " << text;
    return RunnerError(0, "", "");
}

} // namespace

TEST(RegionalNumbers, DecimalSeparatorIsTakenFromTheLocaleAtEveryConversion) {
    {
        ScopedLocale locale({",", "."});
        initRegionalSettings();
        EXPECT_EQ(strDecimalSeparator(), ",");
    }
    ScopedLocale locale({"::", ""});
    std::string out;
    EXPECT_TRUE(tryGetRegionalStringFromEng("1.5", out));
    EXPECT_EQ(strDecimalSeparator(), "::");
    EXPECT_EQ(out, "1::5");
}

TEST(RegionalNumbers, NormalisesUnderAPointLocale) {
    ScopedLocale locale({".", ","});
    EXPECT_EQ(regional("0.025"), "0.025");
    EXPECT_EQ(regional("0.300"), "0.3");
    EXPECT_EQ(regional("0.010"), "0.01");
    EXPECT_EQ(regional("0.000"), "0");
    EXPECT_EQ(regional("2"), "2");
}

TEST(RegionalNumbers, NormalisesUnderACommaLocale) {
    ScopedLocale locale({",", "."});
    EXPECT_EQ(regional("0.025"), "0,025");
    EXPECT_EQ(regional("1.5"), "1,5");
    EXPECT_EQ(regional("0.010"), "0,01");
}

TEST(RegionalNumbers, ACommaTextDependsOnTheLocale) {
    std::string out;
    {
        ScopedLocale locale({".", ","});
        EXPECT_TRUE(tryGetRegionalStringFromEng("0,180", out));
        EXPECT_EQ(out, "180");
    }
    ScopedLocale locale({",", "."});
    EXPECT_TRUE(tryGetRegionalStringFromEng("0,180", out));
    EXPECT_EQ(out, "0,18");
}

TEST(RegionalNumbers, TextThatIsNotANumberKeepsTheReplacedText) {
    ScopedLocale locale({",", "."});
    std::string out;
    EXPECT_FALSE(tryGetRegionalStringFromEng("a.b", out));
    EXPECT_EQ(out, "a,b");
    EXPECT_FALSE(tryGetRegionalStringFromEng("", out));
    EXPECT_EQ(out, "");
}

TEST(RegionalNumbers, ANumberTooLargeForADoubleGivesMinusOne) {
    ScopedLocale locale({".", ""});
    std::string out;
    EXPECT_FALSE(tryGetRegionalStringFromEng("1e999", out));
    EXPECT_EQ(out, "-1.0");
}

TEST(RegionalNumbers, FailureRaisesTheApplicationErrorWithItsExactText) {
    ScopedLocale locale({".", ""});
    RunnerError empty = conversionErrorFor("");
    EXPECT_EQ(empty.number(), -2147220991);
    EXPECT_EQ(empty.source(), "mdlRegional:getRegionalStringFromEng");
    EXPECT_EQ(empty.description(), "Could not successfully convert  to regional decimal format.");
    EXPECT_EQ(conversionErrorFor("abc").description(),
              "Could not successfully convert abc to regional decimal format.");
}
