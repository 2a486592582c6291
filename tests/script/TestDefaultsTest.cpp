#include "script/TestDefaults.h"
#include "script/LocaleService.h"
#include "script/TestCatalog.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace lumora;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const NumberFormat kPoint{".", ","};
const NumberFormat kComma{",", "."};

Entries entriesOf(const clsTestItem& item) {
    return Entries(item.dictProperties().begin(), item.dictProperties().end());
}

// What a script that gives only the test name leaves in the item.
Entries defaultsOf(const std::string& testName) {
    clsTestItem item;
    item.strName = testName;
    item.setDefaults();
    return entriesOf(item);
}

} // namespace

TEST(TestDefaults, NumbersAreStoredInTheLocaleNotation) {
    struct Case {
        NumberFormat format;
        const char* test;
        Entries expected;
    };
    const std::vector<Case> cases{
        {kPoint,
         "Panel Tooling Holes In Corners",
         {{"Min_Distance_From_Rail_Edge", "0.125"},
          {"Max_Distance_From_Rail_Edge", "0.3"},
          {"Min_Distance_From_Leading_Trailing_Edge", "0.125"},
          {"Max_Distance_From_Leading_Trailing_Edge", "0.3"},
          {"Min_Corners", "2"}}},
        {kComma,
         "Panel Tooling Holes In Corners",
         {{"Min_Distance_From_Rail_Edge", "0,125"},
          {"Max_Distance_From_Rail_Edge", "0,3"},
          {"Min_Distance_From_Leading_Trailing_Edge", "0,125"},
          {"Max_Distance_From_Leading_Trailing_Edge", "0,3"},
          {"Min_Corners", "2"}}},
        {kPoint,
         "Thru-hole Components Annular Ring",
         {{"Pad_Top_Annular_Ring_Minimum", "0.009"},
          {"Pad_Bottom_Annular_Ring_Minimum", "0.009"},
          {"Soldermask_Top_Annular_Ring_Minimum", "0"},
          {"Soldermask_Bottom_Annular_Ring_Minimum", "0"}}},
        {kComma,
         "Via Hole Size",
         {{"Minimum_Size", "0,025"}, {"Maximum_Size", "0,035"}, {"Ignore_Via_Holes_Below_Size", "0,008"}}},
        {kComma,
         "Etch Width",
         {{"Marginal_Top", "0,01"},
          {"Critical_Top", "0,005"},
          {"Marginal_Inner", "0,007"},
          {"Critical_Inner", "0,003"},
          {"Marginal_Bottom", "0,01"},
          {"Critical_Bottom", "0,005"},
          {"Exclude_Nets_Containing", "VCC,GND"}}},
        {kComma,
         "Panel Fiducials In Corners ",
         {{"Min_Distance_From_Rail_Edge", "0,125"},
          {"Max_Distance_From_Rail_Edge", "0,3"},
          {"Min_Distance_From_Leading_Trailing_Edge", "0,125"},
          {"Max_Distance_From_Leading_Trailing_Edge", "0,3"},
          {"Min_Corners", "3"},
          {"Test_Surface", "Both"}}},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.format);
        EXPECT_EQ(defaultsOf(c.test), c.expected) << c.test << " under " << c.format.decimalSeparator;
    }
}

TEST(TestDefaults, TextDefaultsAreStoredVerbatimInEveryLocale) {
    for (const NumberFormat& format : {kPoint, kComma}) {
        ScopedLocale locale(format);
        const std::string sep = format.decimalSeparator;
        EXPECT_EQ(defaultsOf("Custom Keepouts"),
                  (Entries{
                      {"Attribute_Keyword", ""},
                      {"Attribute_Value", ""},
                      {"Marginal_Distance", "0" + sep + "02"},
                      {"Critical_Distance", "0" + sep + "01"},
                      {"Component_Packages", "Yes"},
                      {"Component_Pins", "Yes"},
                      {"Vias", "Yes"},
                      {"Etches", "Yes"},
                      {"Fiducials", "Yes"},
                      {"Tooling_Holes", "Yes"},
                      {"Board_Outline", "Yes"},
                      {"Panel_Outline", "Yes"},
                      {"Outline_To_Measure", "Rubberband Outline Around Pins and Package"},
                  }));
        EXPECT_EQ(defaultsOf("Top Surface Thru-hole Component Orientation"),
                  (Entries{{"Allowed_Rotations", "0,180"}}));
        EXPECT_EQ(defaultsOf("Bottom Surface SMT Component Orientation"),
                  (Entries{{"Allowed_Rotations", "0,180"}}));
        EXPECT_EQ(defaultsOf("Testpad Density"), (Entries{{"Grid_Square_Size", "0" + sep + "5"},
                                                          {"Marginal_Count", "10"},
                                                          {"Critical_Count", "15"}}));
    }
}

TEST(TestDefaults, EveryCurrentTestHasDefaultsExceptTheThermalTieCheck) {
    for (const CurrentTest& test : currentTests()) {
        bool none = test.name == "Thru-hole Pin Thermal Ties to Plane Areas";
        EXPECT_EQ(defaultParametersFor(test.name).empty(), none) << test.name;
        EXPECT_EQ(defaultsOf(std::string(test.name)).empty(), none) << test.name;
    }
}

TEST(TestDefaults, NamesMustMatchExactly) {
    for (const char* name : {"Panel Fiducials In Corners", "panel dimensions", "Etch Width ",
                             "Distance check Vias and Vias", "Unknown Test"}) {
        EXPECT_TRUE(defaultsOf(name).empty()) << '"' << name << '"';
    }
}

TEST(TestDefaults, AnUnnamedTestGetsThePin1Parameters) {
    EXPECT_EQ(defaultsOf(""), (Entries{{"Test_Surface", "Both"},
                                       {"Test_Component_Type", "Thru-Hole and SMD"},
                                       {"Ignore_Geometries_With_Fewer_Than_n_Inserts", "10"}}));
}

TEST(TestDefaults, ScriptValuesReplaceDefaultsInPlace) {
    ScopedLocale locale(kComma);
    clsTestItem item;
    item.strName = "Panel Dimensions";
    item.setDefaults();
    item.addProperty("Maximum_Width", "2.50");
    item.addProperty("Comment", "wide panels");
    item.addProperty("Minimum_Width", "0.010");
    EXPECT_EQ(entriesOf(item), (Entries{{"Minimum_Width", "0,01"},
                                        {"Maximum_Width", "2,5"},
                                        {"Minimum_Length", "0"},
                                        {"Maximum_Length", "0"},
                                        {"Comment", "wide panels"}}));
}

TEST(TestDefaults, TranslatedLegacyValuesReplaceDefaultsInPlace) {
    ScopedLocale locale(kPoint);
    clsTestItem item;
    item.strName = "Distance Check Vias and Vias";
    item.setDefaults();
    item.addProperty("innerMarginal_Distance", "0.009");
    item.addProperty("Run_Cases", "5");
    item.addProperty("DRC_Limit", "25");
    EXPECT_EQ(entriesOf(item), (Entries{{"Run_Top", "True"},
                                        {"Marginal_Top", "0.015"},
                                        {"Critical_Top", "0.01"},
                                        {"Run_Inner", "False"},
                                        {"Marginal_Inner", "0.009"},
                                        {"Critical_Inner", "0.005"},
                                        {"Run_Bottom", "True"},
                                        {"Marginal_Bottom", "0.015"},
                                        {"Critical_Bottom", "0.01"},
                                        {"Attribute_Override", "False"},
                                        {"DRC_Limit", "25"}}));
}
