#include "ui/DebugSettingsFile.h"
#include "script/LocaleService.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace lumora;

namespace {

DebugSettings read(const std::string& text) {
    std::istringstream in(text);
    return readDebugSettings(in);
}

} // namespace

TEST(DebugSettingsFile, KeysAndValuesIgnoreCaseAndBlanksFold) {
    DebugSettings settings = read(".debugmode y\r\n.EXPANDEDREP\t\t  Y\n.SaveOnFail \t y\n");
    EXPECT_TRUE(settings.debugMenus);
    EXPECT_TRUE(settings.expandedRep);
    EXPECT_TRUE(settings.saveOnFail);
    EXPECT_FALSE(settings.drcLimit.has_value());
}

TEST(DebugSettingsFile, LinesThatAreNotExactlyTwoWordsAreIgnored) {
    DebugSettings settings =
        read(".DEBUGMODE Y extra\n .EXPANDEDREP Y\n.SAVEONFAIL Y \nDEBUGMODE Y\n# .DRCLIMIT 5\n\n");
    EXPECT_FALSE(settings.debugMenus);
    EXPECT_FALSE(settings.expandedRep);
    EXPECT_FALSE(settings.saveOnFail);
    EXPECT_FALSE(settings.drcLimit.has_value());
}

TEST(DebugSettingsFile, OnlyYMeansTrueAndLaterLinesWin) {
    DebugSettings settings = read(".DEBUGMODE Y\n.DEBUGMODE Yes\n.EXPANDEDREP N\n.EXPANDEDREP y\n");
    EXPECT_FALSE(settings.debugMenus);
    EXPECT_TRUE(settings.expandedRep);
}

// The file reads the same under every locale: "1.000" is no thousand under a decimal comma.
TEST(DebugSettingsFile, DrcLimitIsASixteenBitCountAndAMalformedOneIsIgnored) {
    ScopedLocale locale({",", "."});
    EXPECT_EQ(read(".DRCLIMIT 25\n").drcLimit, 25);
    EXPECT_EQ(read(".DRCLIMIT 10\n.DRCLIMIT many\n.drclimit 2.5\n.DRCLIMIT -3\n.DRCLIMIT 1.000\n").drcLimit,
              10);
    EXPECT_FALSE(read(".DRCLIMIT 40000\n").drcLimit.has_value());
    EXPECT_FALSE(read(".DRCLIMIT\n").drcLimit.has_value());
}
