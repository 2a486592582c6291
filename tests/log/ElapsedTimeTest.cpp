#include "log/ElapsedTime.h"

#include <gtest/gtest.h>

using lumora::elapsedText;
using std::chrono::seconds;

TEST(ElapsedText, CountsInUnitsOfADayOver100000RoundedToHundredths) {
    EXPECT_EQ(elapsedText(seconds{0}), "0");
    EXPECT_EQ(elapsedText(seconds{1}), "1.16");   // 1.1574...
    EXPECT_EQ(elapsedText(seconds{2}), "2.31");   // 2.3148...
    EXPECT_EQ(elapsedText(seconds{3}), "3.47");   // 3.4722...
    EXPECT_EQ(elapsedText(seconds{13}), "15.05"); // 15.0462...
}

TEST(ElapsedText, DropsTrailingZerosOfExactValues) {
    EXPECT_EQ(elapsedText(seconds{27}), "31.25");
    EXPECT_EQ(elapsedText(seconds{54}), "62.5");
    EXPECT_EQ(elapsedText(seconds{864}), "1000");
}

TEST(ElapsedText, LongRunsStayInPlainDecimals) {
    EXPECT_EQ(elapsedText(seconds{86400}), "100000");
    EXPECT_EQ(elapsedText(seconds{90000}), "104166.67");
}
