#include "script/TestDefaults.h"
#include "script/LocaleService.h"
#include "script/TestCatalog.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace lumora;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;
using Names = std::vector<std::string>;

const NumberFormat kPoint{".", ","};
const NumberFormat kComma{",", "."};

Entries entriesOf(const clsTestItem& item) {
    return Entries(item.dictProperties().begin(), item.dictProperties().end());
}

Names namesOf(const Entries& entries) {
    Names names;
    for (const auto& [name, value] : entries) {
        names.push_back(name);
    }
    return names;
}

// What a script that gives only the test name leaves in the item.
Entries defaultsOf(const std::string& testName) {
    clsTestItem item;
    item.strName = testName;
    item.setDefaults();
    return entriesOf(item);
}

bool hasParameter(const std::string& testName, const std::string& parameter) {
    Names names = namesOf(defaultsOf(testName));
    return std::ranges::find(names, parameter) != names.end();
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

TEST(TestDefaults, LegacyGroupsShareTheirDefaults) {
    ScopedLocale locale(kComma);
    const Entries singleDistance{{"Marginal_Distance", "0,015"},
                                 {"Critical_Distance", "0,01"},
                                 {"Attribute_Override", "False"},
                                 {"DRC_Limit", "0"}};
    const Entries layeredDistance{{"Run_Top", "True"},         {"Marginal_Top", "0,015"},
                                  {"Critical_Top", "0,01"},    {"Run_Inner", "True"},
                                  {"Marginal_Inner", "0,008"}, {"Critical_Inner", "0,005"},
                                  {"Run_Bottom", "True"},      {"Marginal_Bottom", "0,015"},
                                  {"Critical_Bottom", "0,01"}, {"Attribute_Override", "False"},
                                  {"DRC_Limit", "0"}};
    Entries packageDistance = singleDistance;
    packageDistance.insert(packageDistance.end(),
                           {{"Package_1", "DIP"}, {"Package_2", "DIP"}, {"Pkg_Attribute", "DFM_PACKAGE"}});
    const std::map<ParameterGroup, Entries> expected{
        {ParameterGroup::SingleDistance, singleDistance},
        {ParameterGroup::LayeredDistance, layeredDistance},
        {ParameterGroup::Angle,
         {{"Marginal_Distance", "80"},
          {"Critical_Distance", "70"},
          {"Attribute_Override", "False"},
          {"DRC_Limit", "0"}}},
        {ParameterGroup::PackageDistance, packageDistance},
        {ParameterGroup::Shadow,
         {{"Marginal_Top", "0,015"},
          {"Critical_Top", "0,01"},
          {"Marginal_Bottom", "0,015"},
          {"Critical_Bottom", "0,01"},
          {"Marginal_Left", "0,015"},
          {"Critical_Left", "0,01"},
          {"Marginal_Right", "0,015"},
          {"Critical_Right", "0,01"},
          {"DRC_Limit", "0"}}},
    };
    for (const LegacyTest& test : legacyTests()) {
        EXPECT_EQ(defaultsOf(std::string(test.name)), expected.at(test.group)) << test.name;
    }
}

TEST(TestDefaults, EveryCurrentTestHasDefaultsExceptTheThermalTieCheck) {
    for (const CurrentTest& test : currentTests()) {
        bool none = test.name == "Thru-hole Pin Thermal Ties to Plane Areas";
        EXPECT_EQ(defaultParametersFor(test.name).empty(), none) << test.name;
        EXPECT_EQ(defaultsOf(std::string(test.name)).empty(), none) << test.name;
    }
}

TEST(TestDefaults, SharedListsGoToEveryNamedTest) {
    ScopedLocale locale(kPoint);
    for (const char* test :
         {"Testpoints Per Net", "Top Surface Testpoints Per Net", "Bottom Surface Testpoints Per Net"}) {
        EXPECT_EQ(defaultsOf(test), (Entries{{"Testpoints_Per_Net", "1"}})) << test;
    }
    for (const char* test : {"Minimum Component Clearance To Board Outline",
                             "Minimum Testpoint Pad Edge Clearance To Board Outline",
                             "Minimum Via Pad Edge Clearance To Board Outline",
                             "Minimum Etch Edge Clearance To Board Outline"}) {
        EXPECT_EQ(defaultsOf(test),
                  (Entries{{"Minimum_Distance_From_Edge", "0.125"}, {"Test_Surface", "Both"}}))
            << test;
    }
    EXPECT_EQ(defaultsOf("Fiducial Clearance To Board Outline"),
              (Entries{{"Min_Clearance_From_Board_Edge", "0.125"}}));
    EXPECT_EQ(defaultsOf("Gold Fingers Flush With Panel Edge"),
              defaultsOf("Goldfinger Flush With Board Outline"));
}

TEST(TestDefaults, KeepoutsDifferOnlyWhereTheirTablesDo) {
    ScopedLocale locale(kPoint);
    const Names targets{
        "Marginal_Distance", "Critical_Distance", "Component_Packages", "Component_Pins", "Vias", "Etches",
        "Fiducials",         "Tooling_Holes",     "Board_Outline",      "Panel_Outline"};
    Names fiducial{"Test_Surface"};
    fiducial.insert(fiducial.end(), targets.begin(), targets.end());
    Names boardFiducial = fiducial;
    boardFiducial.push_back("Look_Through_n_Electrical_Stackups");

    EXPECT_EQ(namesOf(defaultsOf("Panel Fiducial Keepout")), fiducial);
    EXPECT_EQ(namesOf(defaultsOf("Board Fiducial Keepout")), boardFiducial);
    EXPECT_EQ(namesOf(defaultsOf("Panel Tooling Hole Keepout")), targets);
    EXPECT_EQ(namesOf(defaultsOf("Board Tooling Hole Keepout")), targets);
    EXPECT_EQ(defaultsOf("Board Fiducial Keepout").back(),
              (std::pair<std::string, std::string>{"Look_Through_n_Electrical_Stackups", "1"}));
    EXPECT_EQ(defaultsOf("Panel Fiducial Keepout").front().second, "Both");
}

TEST(TestDefaults, NeighbouringTestsKeepTheirOwnDifferences) {
    EXPECT_TRUE(hasParameter("Component Package To Component Package", "Pkg_Attribute"));
    EXPECT_FALSE(hasParameter("Real Part To Real Part", "Pkg_Attribute"));
    EXPECT_FALSE(hasParameter("Via Edge To Via Edge", "No_Violation_If_On_Same_Net"));
    for (const char* test :
         {"Via Edge To Component Pad Edge", "Via Edge To Testpoint", "Via Edge To Feature"}) {
        Entries defaults = defaultsOf(test);
        ASSERT_EQ(defaults.size(), 6u) << test;
        EXPECT_EQ(defaults.back(),
                  (std::pair<std::string, std::string>{"No_Violation_If_On_Same_Net", "Yes"}))
            << test;
        EXPECT_EQ(defaults[4], (std::pair<std::string, std::string>{"Include_Soldermask", "No"})) << test;
    }
    EXPECT_EQ(namesOf(defaultsOf("Testpoint Edge To Feature")),
              (Names{"Marginal_Distance", "Critical_Distance", "Include_Soldermask"}));
    EXPECT_EQ(namesOf(defaultsOf("Testpoint Edge To Component Pin Edge")),
              (Names{"Marginal_Distance", "Critical_Distance"}));
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
