#include "script/LocaleService.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lumora;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries entriesOf(const clsTestItem& item) {
    Entries entries;
    for (const auto& entry : item.dictProperties()) {
        entries.push_back(entry);
    }
    return entries;
}

// Items without defaults, so that only what addProperty stored is seen.
clsTestItem bareItem(const std::string& name) {
    clsTestItem item;
    item.strName = name;
    return item;
}

} // namespace

TEST(AddProperty, KeyIsNeverStored) {
    for (const char* name : {"Panel Dimensions", "Etch Width", "Distance Check Vias and Vias", ""}) {
        clsTestItem item = bareItem(name);
        item.addProperty("Key", "1");
        EXPECT_FALSE(item.dictProperties().exists("Key")) << name;
    }
}

TEST(AddProperty, NormalisesNumbersToTheLocale) {
    {
        ScopedLocale locale({".", ","});
        clsTestItem item = bareItem("Panel Dimensions");
        item.addProperty("Minimum_Width", "0.010");
        EXPECT_EQ(item.dictProperties().item("Minimum_Width"), "0.01");
    }
    ScopedLocale locale({",", "."});
    clsTestItem item = bareItem("Panel Dimensions");
    item.addProperty("Minimum_Width", "0.010");
    item.addProperty("Note", "not a number");
    EXPECT_EQ(item.dictProperties().item("Minimum_Width"), "0,01");
    EXPECT_EQ(item.dictProperties().item("Note"), "not a number");
}

TEST(AddProperty, OrientationTestsKeepRotationListsVerbatim) {
    for (NumberFormat format : {NumberFormat{".", ","}, NumberFormat{",", "."}}) {
        ScopedLocale locale(format);
        for (const char* name :
             {"Top Surface Thru-hole Component Orientation", "Bottom Surface SMT Component Orientation"}) {
            clsTestItem item = bareItem(name);
            item.addProperty("Allowed_Rotations", "0,180");
            item.addProperty("Tolerance", "0.50");
            EXPECT_EQ(item.dictProperties().item("Allowed_Rotations"), "0,180");
            EXPECT_EQ(item.dictProperties().item("Tolerance"), "0.50");
        }
        clsTestItem other = bareItem("Etch Width");
        other.addProperty("Allowed_Rotations", "0,180");
        EXPECT_NE(other.dictProperties().item("Allowed_Rotations"), "0,180") << format.decimalSeparator;
    }
}

TEST(AddProperty, RunCasesSwitchesTheThreeLayersOfALayeredLegacyTest) {
    const std::vector<std::pair<std::string, Entries>> cases{
        {"5", {{"Run_Top", "True"}, {"Run_Inner", "False"}, {"Run_Bottom", "True"}}},
        {"1", {{"Run_Top", "False"}, {"Run_Inner", "False"}, {"Run_Bottom", "True"}}},
        {"6", {{"Run_Top", "True"}, {"Run_Inner", "True"}, {"Run_Bottom", "False"}}},
        {"7", {{"Run_Top", "True"}, {"Run_Inner", "True"}, {"Run_Bottom", "True"}}},
        {"0", {{"Run_Top", "False"}, {"Run_Inner", "False"}, {"Run_Bottom", "False"}}},
        {"8", {{"Run_Top", "False"}, {"Run_Inner", "False"}, {"Run_Bottom", "False"}}},
        {"5.0", {{"Run_Top", "True"}, {"Run_Inner", "False"}, {"Run_Bottom", "True"}}},
        {"five", {{"Run_Top", "False"}, {"Run_Inner", "False"}, {"Run_Bottom", "False"}}},
    };
    ScopedLocale locale({".", ","});
    for (const auto& [value, expected] : cases) {
        clsTestItem item = bareItem("Distance Check Vias and Vias");
        item.addProperty("Run_Cases", value);
        EXPECT_EQ(entriesOf(item), expected) << value;
    }
    clsTestItem current = bareItem("Via Edge To Via Edge");
    current.addProperty("Run_Cases", "5");
    EXPECT_EQ(entriesOf(current), (Entries{{"Run_Cases", "5"}}));
}

TEST(AddProperty, TranslatesLegacyNamesOnlyForTheirGroup) {
    ScopedLocale locale({".", ","});
    clsTestItem legacy = bareItem("Distance Check Vias and Vias");
    legacy.dictProperties().store("Marginal_Top", "0.02");
    legacy.addProperty("topMarginal_Distance", "0.030");
    legacy.addProperty("topAcceptable_Distance", "1");
    EXPECT_EQ(entriesOf(legacy), (Entries{{"Marginal_Top", "0.03"}}));

    clsTestItem current = bareItem("Via Edge To Via Edge");
    current.dictProperties().store("Marginal_Top", "0.02");
    current.addProperty("topMarginal_Distance", "0.030");
    EXPECT_EQ(entriesOf(current), (Entries{{"Marginal_Top", "0.02"}, {"topMarginal_Distance", "0.03"}}));
}

TEST(AddProperty, TheLaterOfTwoParametersWithTheSameKeyWins) {
    ScopedLocale locale({".", ","});
    clsTestItem item = bareItem("Angle Check Acid Traps");
    item.addProperty("Marginal_Angle", "10");
    item.addProperty("Marginal_Distance", "20");
    EXPECT_EQ(entriesOf(item), (Entries{{"Marginal_Distance", "20"}}));
}

TEST(AddProperty, AnEmptyParameterNameIsDroppedOnlyForThePanelGroup) {
    ScopedLocale locale({".", ","});
    for (const char* panel : {"Panel Dimensions", "Panel Tooling Hole Keepout", ""}) {
        clsTestItem item = bareItem(panel);
        item.addProperty("", "1");
        item.addProperty("Other", "2");
        EXPECT_EQ(entriesOf(item), (Entries{{"Other", "2"}})) << panel;
    }
    for (const char* other : {"Etch Width", "Board Fiducial Keepout", "Distance Check Vias and Vias"}) {
        clsTestItem item = bareItem(other);
        item.addProperty("", "1");
        EXPECT_EQ(entriesOf(item), (Entries{{"", "1"}})) << other;
    }
}

TEST(AddProperty, UnknownTestNamesStoreNothing) {
    for (const char* name : {"Panel Fiducials In Corners", "panel dimensions", "Etch Width "}) {
        clsTestItem item = bareItem(name);
        item.addProperty("Minimum_Width", "1");
        EXPECT_EQ(item.dictProperties().count(), 0u) << name;
    }
}
