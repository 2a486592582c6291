#include "script/LocaleConversions.h"
#include "script/LocaleService.h"
#include "script/RunnerError.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace lumora;

namespace {

const NumberFormat kGerman{",", "."};
const NumberFormat kEnglish{".", ","};

int32_t errorNumberOf(auto&& conversion) {
    try {
        conversion();
    } catch (const RunnerError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(NumberToText, WritesShortestTextWithAtMostFifteenDigits) {
    ScopedLocale locale(kEnglish);
    EXPECT_EQ(numberToText(0.01), "0.01");
    EXPECT_EQ(numberToText(0.3), "0.3");
    EXPECT_EQ(numberToText(2), "2");
    EXPECT_EQ(numberToText(-1.5), "-1.5");
    EXPECT_EQ(numberToText(-0.0), "0");
    EXPECT_EQ(numberToText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(numberToText(0.1 + 0.2), "0.3");
}

TEST(NumberToText, UsesExponentFormOnlyForVeryLargeAndVerySmallValues) {
    ScopedLocale locale(kEnglish);
    EXPECT_EQ(numberToText(1e14), "100000000000000");
    EXPECT_EQ(numberToText(1e15), "1E+15");
    EXPECT_EQ(numberToText(0.0001), "0.0001");
    EXPECT_EQ(numberToText(0.00001), "1E-05");
    EXPECT_EQ(numberToText(-2.5e-7), "-2.5E-07");
}

TEST(NumberToText, WritesTheLocaleDecimalSeparator) {
    ScopedLocale locale(kGerman);
    EXPECT_EQ(numberToText(0.025), "0,025");
    EXPECT_EQ(numberToText(1.5e-6), "1,5E-06");
}

TEST(NumberToText, IgnoresTheProcessGlobalCLocale) {
    // A GUI toolkit sets the global locale from the environment; only the service counts.
    ScopedLocale locale(kEnglish);
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(numberToText(0.5), "0.5");
    EXPECT_DOUBLE_EQ(toDouble("0.5"), 0.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(IsNumeric, AcceptsSignsBlanksGroupingAndExponents) {
    ScopedLocale locale(kEnglish);
    for (const char* text :
         {"1", "-1", "+1.5", " 2 ", "\t3", "1,000", "1,000.25", ".5", "5.", "1e3", "1.5E-3", "-2e+2"}) {
        EXPECT_TRUE(isNumeric(text)) << text;
    }
}

TEST(IsNumeric, RejectsTextThatIsNotANumber) {
    ScopedLocale locale(kEnglish);
    for (const char* text :
         {"", " ", "abc", "1a", "-", ".", "e5", "1e", "1e+", "1.2.3", ",5", "1 2", "Yes"}) {
        EXPECT_FALSE(isNumeric(text)) << '"' << text << '"';
    }
}

TEST(IsNumeric, FollowsTheLocaleSeparators) {
    ScopedLocale locale(kGerman);
    EXPECT_TRUE(isNumeric("0,025"));
    EXPECT_DOUBLE_EQ(toDouble("0,025"), 0.025);
    // "." groups digits here, so the English text reads as another number entirely.
    EXPECT_DOUBLE_EQ(toDouble("0.025"), 25.0);
    EXPECT_DOUBLE_EQ(toDouble("1.234,5"), 1234.5);
}

TEST(ToInteger, RoundsHalfToEvenAndChecksTheSixteenBitRange) {
    ScopedLocale locale(kEnglish);
    EXPECT_EQ(toInteger("2.5"), 2);
    EXPECT_EQ(toInteger("3.5"), 4);
    EXPECT_EQ(toInteger("-2.5"), -2);
    EXPECT_EQ(toInteger("32767"), 32767);
    EXPECT_EQ(toInteger("-32768"), -32768);
    EXPECT_EQ(toInteger("32767.4"), 32767);
    EXPECT_EQ(errorNumberOf([] { toInteger("32767.5"); }), errnum::Overflow);
    EXPECT_EQ(errorNumberOf([] { toInteger("40000"); }), errnum::Overflow);
    EXPECT_EQ(errorNumberOf([] { toInteger("x"); }), errnum::TypeMismatch);
}

TEST(ToLong, CoversTheThirtyTwoBitRange) {
    ScopedLocale locale(kEnglish);
    EXPECT_EQ(toLong("2147483647"), 2147483647);
    EXPECT_EQ(errorNumberOf([] { toLong("2147483648"); }), errnum::Overflow);
}

TEST(ToDouble, ReportsOverflowAndUnderflowsToZero) {
    ScopedLocale locale(kEnglish);
    EXPECT_EQ(errorNumberOf([] { toDouble("1e999"); }), errnum::Overflow);
    EXPECT_EQ(toDouble("1e-999"), 0.0);
    EXPECT_EQ(errorNumberOf([] { toDouble(""); }), errnum::TypeMismatch);
}

TEST(ToBoolean, TakesTrueFalseInAnyCaseOrANumber) {
    ScopedLocale locale(kEnglish);
    EXPECT_TRUE(toBoolean("true"));
    EXPECT_TRUE(toBoolean("TRUE"));
    EXPECT_FALSE(toBoolean("False"));
    EXPECT_TRUE(toBoolean("1"));
    EXPECT_TRUE(toBoolean("-0.5"));
    EXPECT_FALSE(toBoolean("0"));
    for (const char* text : {"Yes", "No", "", "T"}) {
        EXPECT_EQ(errorNumberOf([&] { toBoolean(text); }), errnum::TypeMismatch) << text;
    }
}
