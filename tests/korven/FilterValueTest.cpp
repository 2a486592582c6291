#include "tests/korven/KorvenFixture.h"

#include "script/LocaleService.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

struct FilterCase {
    const char* situation;
    const char* value;
    int32_t comparisonType;
    const char* sent;
};

// Script units mils, page units inches.
class FilterValueTest : public KorvenFixture, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterValueTest, SendsTheValueText) {
    scriptOneBoard();
    connect(1);

    EXPECT_EQ(objKorven.dfmFilterGeometry(12, "PIN_PITCH", GetParam().value, GetParam().comparisonType), 0);

    EXPECT_EQ(korven.trace(), "FilterGeometry(12, \"PIN_PITCH\", \"" + std::string(GetParam().sent) + "\", " +
                                  std::to_string(GetParam().comparisonType) + ") -> 0\n");
}

INSTANTIATE_TEST_SUITE_P(Comparisons, FilterValueTest,
                         ::testing::Values(FilterCase{"GreaterIsConverted", "10", 1, "0.01"},
                                           FilterCase{"LessIsConverted", "25", -1, "0.025"},
                                           FilterCase{"AtLeastIsConverted", "250", 2, "0.25"},
                                           FilterCase{"AtMostIsConverted", "0.5", -2, "0.0005"},
                                           FilterCase{"EqualityKeepsTheText", "10", 0, "10"},
                                           FilterCase{"ContainsKeepsTheText", "10", 5, "10"},
                                           FilterCase{"EmptyValueGoesUnchanged", "", 6, ""},
                                           FilterCase{"TextIsNotConverted", "SMD", 1, "SMD"}),
                         [](const ::testing::TestParamInfo<FilterCase>& info) {
                             return info.param.situation;
                         });

class FilterValueLocaleTest : public KorvenFixture {};

TEST_F(FilterValueLocaleTest, RegionalNumbersAreReadAndWrittenInTheUsersNotation) {
    ScopedLocale locale({",", "."});
    scriptOneBoard();
    connect(1);

    objKorven.dfmFilterGeometry(12, "PIN_PITCH", "2,5", 1);

    EXPECT_EQ(korven.trace(), "FilterGeometry(12, \"PIN_PITCH\", \"0,0025\", 1) -> 0\n");
}

} // namespace
} // namespace lumora::test
