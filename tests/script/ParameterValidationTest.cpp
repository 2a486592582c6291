#include "script/ParameterValidation.h"
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

using Names = std::vector<std::string>;

const NumberFormat kPoint{".", ","};
const NumberFormat kComma{",", "."};

// An item as the loader leaves it: defaults first, then the script's parameters.
clsTestItem loadedItem(const std::string& testName,
                       const std::vector<std::pair<std::string, std::string>>& script) {
    clsTestItem item;
    item.strName = testName;
    item.setDefaults();
    for (const auto& [name, value] : script) {
        item.addProperty(name, value);
    }
    return item;
}

bool validWith(const std::string& testName, const std::string& parameter, const std::string& value) {
    clsTestItem item = loadedItem(testName, {});
    item.dictProperties().store(parameter, value);
    return item.validateParameters();
}

Names keysOf(const clsTestItem& item) {
    Names keys;
    for (const auto& [key, value] : item.dictProperties()) {
        keys.push_back(key);
    }
    return keys;
}

std::vector<std::string> allKnownNames() {
    std::vector<std::string> names{""};
    for (const CurrentTest& test : currentTests()) {
        names.emplace_back(test.name);
    }
    for (const LegacyTest& test : legacyTests()) {
        names.emplace_back(test.name);
    }
    return names;
}

} // namespace

TEST(ConvertsTo, EachKindAcceptsOnlyItsTexts) {
    ScopedLocale locale(kPoint);
    struct Case {
        const char* text;
        bool number;
        bool integer;
        bool switched;
    };
    const Case cases[] = {
        {"0.025", true, true, true},  {"2.5", true, true, true},    {"-3", true, true, true},
        {"40000", true, false, true}, {"True", false, false, true}, {"false", false, false, true},
        {"Yes", false, false, false}, {"No", false, false, false},  {"", false, false, false},
        {"abc", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertsTo(c.text, ParameterKind::Number), c.number) << '"' << c.text << '"';
        EXPECT_EQ(convertsTo(c.text, ParameterKind::Integer), c.integer) << '"' << c.text << '"';
        EXPECT_EQ(convertsTo(c.text, ParameterKind::Switch), c.switched) << '"' << c.text << '"';
    }
}

TEST(ValidateParameters, EveryDefaultPassesInEveryLocale) {
    // Also proves that every checked parameter has a default: no check reads an absent key.
    for (const NumberFormat& format : {kPoint, kComma}) {
        ScopedLocale locale(format);
        for (const std::string& name : allKnownNames()) {
            clsTestItem item = loadedItem(name, {});
            Names before = keysOf(item);
            EXPECT_TRUE(item.validateParameters()) << '"' << name << "\" under " << format.decimalSeparator;
            EXPECT_EQ(keysOf(item), before) << '"' << name << '"';
        }
    }
}

TEST(ValidateParameters, ABadOrEmptyValueIsInvalid) {
    ScopedLocale locale(kPoint);
    EXPECT_FALSE(loadedItem("Panel Dimensions", {{"Maximum_Width", "abc"}}).validateParameters());
    EXPECT_FALSE(loadedItem("Panel Dimensions", {{"Minimum_Width", ""}}).validateParameters());
    EXPECT_TRUE(loadedItem("Panel Dimensions", {{"Minimum_Width", "1.5"}}).validateParameters());
}

TEST(ValidateParameters, AnAbsentParameterReadsAsZeroAndIsAdded) {
    clsTestItem item;
    item.strName = "Panel Dimensions";
    item.dictProperties().store("Minimum_Width", "1");
    EXPECT_TRUE(item.validateParameters());
    EXPECT_EQ(keysOf(item), (Names{"Minimum_Width", "Maximum_Width", "Minimum_Length", "Maximum_Length"}));
    EXPECT_EQ(item.dictProperties().item("Maximum_Width"), "");
}

TEST(ValidateParameters, StopsAtTheFirstFailure) {
    clsTestItem item;
    item.strName = "Panel Dimensions";
    item.dictProperties().store("Maximum_Width", "wide");
    EXPECT_FALSE(item.validateParameters());
    // Minimum_Width was read before the failure, Minimum_Length never.
    EXPECT_EQ(keysOf(item), (Names{"Maximum_Width", "Minimum_Width"}));
}

TEST(ValidateParameters, ScriptNumbersAreValidUnderACommaLocale) {
    ScopedLocale locale(kComma);
    EXPECT_TRUE(loadedItem("Via Hole Size", {{"Minimum_Size", "0.025"}}).validateParameters());
    EXPECT_TRUE(loadedItem("Testpoints Per Net", {{"Testpoints_Per_Net", "2.5"}}).validateParameters());
    EXPECT_TRUE(validWith("Via Hole Size", "Minimum_Size", "0,025"));
}

TEST(ValidateParameters, TestpointCountsAreSixteenBitIntegersForAllThreeSurfaces) {
    ScopedLocale locale(kPoint);
    for (const char* test :
         {"Testpoints Per Net", "Top Surface Testpoints Per Net", "Bottom Surface Testpoints Per Net"}) {
        EXPECT_TRUE(validWith(test, "Testpoints_Per_Net", "2.5")) << test;
        EXPECT_TRUE(validWith(test, "Testpoints_Per_Net", "32767")) << test;
        EXPECT_FALSE(validWith(test, "Testpoints_Per_Net", "40000")) << test;
        EXPECT_FALSE(validWith(test, "Testpoints_Per_Net", "two")) << test;
    }
}

TEST(ValidateParameters, SignsAndRangesAreNotChecked) {
    ScopedLocale locale(kPoint);
    EXPECT_TRUE(validWith("Testpad Density", "Critical_Count", "-3"));
    EXPECT_TRUE(validWith("Panel Dimensions", "Maximum_Width", "-1"));
    EXPECT_TRUE(loadedItem("Panel Dimensions", {{"Minimum_Width", "5"}, {"Maximum_Width", "1"}})
                    .validateParameters());
}

TEST(ValidateParameters, LegacyLayerSwitchesMustReadAsBooleans) {
    ScopedLocale locale(kPoint);
    const std::string test = "Distance Check Fiducials and Vias";
    EXPECT_FALSE(validWith(test, "Run_Top", "Yes"));
    EXPECT_FALSE(validWith(test, "Run_Bottom", "No"));
    EXPECT_TRUE(validWith(test, "Run_Top", "true"));
    EXPECT_TRUE(validWith(test, "Run_Top", "1"));
    EXPECT_FALSE(validWith("Distance Check Visible Layers", "Attribute_Override", "Yes"));
}

TEST(ValidateParameters, OnlyTheAcidTrapAngleChecksDistancesAsIntegers) {
    ScopedLocale locale(kPoint);
    EXPECT_FALSE(validWith("Angle Check Acid Traps", "Marginal_Distance", "40000"));
    EXPECT_FALSE(validWith("Angle Check Acid Traps", "Critical_Distance", "40000"));
    EXPECT_TRUE(validWith("Angle Check Acid Traps", "Marginal_Distance", "80.4"));
    for (const char* test : {"Distance Check Visible Layers", "Distance Check By Component Package Top",
                             "Panel Fiducial Keepout", "Testpoint Center To Testpoint Center"}) {
        EXPECT_TRUE(validWith(test, "Marginal_Distance", "40000")) << test;
        EXPECT_FALSE(validWith(test, "Marginal_Distance", "far")) << test;
    }
}

TEST(ValidateParameters, ChecksDistinguishIntegersFromNumbers) {
    ScopedLocale locale(kPoint);
    struct Case {
        const char* test;
        const char* parameter;
    };
    const Case integers[] = {
        {"Panel Tooling Holes In Corners", "Min_Corners"},
        {"Panel Fiducials In Corners ", "Min_Corners"},
        {"Board Fiducials in Four Corners", "Min_Corners"},
        {"Board Fiducial Keepout", "Look_Through_n_Electrical_Stackups"},
        {"Testpad Density", "Marginal_Count"},
        {"Pin 1 Orientation", "Ignore_Geometries_With_Fewer_Than_n_Inserts"},
        {"", "Ignore_Geometries_With_Fewer_Than_n_Inserts"},
        {"Spacing Check Component Shadow", "DRC_Limit"},
        {"Distance Check Tool/Drill and Via", "DRC_Limit"},
    };
    for (const Case& c : integers) {
        EXPECT_FALSE(validWith(c.test, c.parameter, "40000")) << c.test << " / " << c.parameter;
        EXPECT_TRUE(validWith(c.test, c.parameter, "3")) << c.test << " / " << c.parameter;
    }
    EXPECT_TRUE(validWith("Testpad Density", "Grid_Square_Size", "40000"));
    EXPECT_TRUE(validWith("Board Fiducial Keepout", "Critical_Distance", "40000"));
}

TEST(ValidateParameters, UnknownTestsAreValidAndReadNothing) {
    for (const char* name : {"Panel Fiducials In Corners", "Not A Test", "etch width"}) {
        clsTestItem item;
        item.strName = name;
        item.dictProperties().store("Marginal_Distance", "abc");
        EXPECT_TRUE(item.validateParameters()) << name;
        EXPECT_EQ(keysOf(item), (Names{"Marginal_Distance"})) << name;
    }
}
