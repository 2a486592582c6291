#include "script/clsTestItem.h"

#include "script/ParameterValidation.h"
#include "script/RegionalNumbers.h"
#include "script/TestCatalog.h"
#include "script/TestDefaults.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace lumora {

namespace {

using G = ParameterGroup;

// Legacy parameter names: stored under a new name, or dropped when storedAs is empty.
struct Translation {
    G group;
    std::string_view propName;
    std::string_view storedAs;
};

constexpr std::array kTranslations{
    Translation{G::SingleDistance, "Acceptable_Distance", ""},
    Translation{G::LayeredDistance, "topAcceptable_Distance", ""},
    Translation{G::LayeredDistance, "innerAcceptable_Distance", ""},
    Translation{G::LayeredDistance, "bottomAcceptable_Distance", ""},
    Translation{G::LayeredDistance, "topMarginal_Distance", "Marginal_Top"},
    Translation{G::LayeredDistance, "topCritical_Distance", "Critical_Top"},
    Translation{G::LayeredDistance, "innerMarginal_Distance", "Marginal_Inner"},
    Translation{G::LayeredDistance, "innerCritical_Distance", "Critical_Inner"},
    Translation{G::LayeredDistance, "bottomMarginal_Distance", "Marginal_Bottom"},
    Translation{G::LayeredDistance, "bottomCritical_Distance", "Critical_Bottom"},
    Translation{G::Angle, "Acceptable_Angle", ""},
    Translation{G::Angle, "Marginal_Angle", "Marginal_Distance"},
    Translation{G::Angle, "Critical_Angle", "Critical_Distance"},
    Translation{G::PackageDistance, "Acceptable_Distance", ""},
    Translation{G::PackageDistance, "PackageType_1", "Package_1"},
    Translation{G::PackageDistance, "PackageType_2", "Package_2"},
    Translation{G::PackageDistance, "PackageAttribute", "Pkg_Attribute"},
    Translation{G::Shadow, "Acceptable_Top_Distance", ""},
    Translation{G::Shadow, "Acceptable_Bottom_Distance", ""},
    Translation{G::Shadow, "Acceptable_Left_Distance", ""},
    Translation{G::Shadow, "Acceptable_Right_Distance", ""},
    Translation{G::Shadow, "Marginal_Top_Distance", "Marginal_Top"},
    Translation{G::Shadow, "Marginal_Bottom_Distance", "Marginal_Bottom"},
    Translation{G::Shadow, "Marginal_Left_Distance", "Marginal_Left"},
    Translation{G::Shadow, "Marginal_Right_Distance", "Marginal_Right"},
    Translation{G::Shadow, "Critical_Top_Distance", "Critical_Top"},
    Translation{G::Shadow, "Critical_Bottom_Distance", "Critical_Bottom"},
    Translation{G::Shadow, "Critical_Left_Distance", "Critical_Left"},
    Translation{G::Shadow, "Critical_Right_Distance", "Critical_Right"},
    Translation{G::Panel, "", ""},
};

// An unnamed test takes its parameters like a panel-group test.
std::optional<G> groupOfItem(const std::string& testName) {
    return testName.empty() ? std::optional<G>(G::Panel) : parameterGroupOf(testName);
}

// The key a parameter is stored under; nothing when it is dropped.
std::optional<std::string> keyFor(G group, const std::string& propName) {
    auto found = std::ranges::find_if(
        kTranslations, [&](const Translation& t) { return t.group == group && t.propName == propName; });
    if (found == kTranslations.end()) {
        return propName;
    }
    if (found->storedAs.empty()) {
        return std::nullopt;
    }
    return std::string(found->storedAs);
}

// "Run_Cases" is a three-bit mask of the layers: 4 top, 2 inner, 1 bottom.
void storeRunCases(TextDictionary& dict, const std::string& value) {
    int mask = 0;
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '7') {
        mask = value[0] - '0';
    }
    auto word = [mask](int bit) { return (mask & bit) != 0 ? "True" : "False"; };
    dict.store("Run_Top", word(4));
    dict.store("Run_Inner", word(2));
    dict.store("Run_Bottom", word(1));
}

} // namespace

void clsTestItem::addProperty(const std::string& propName, const std::string& propValue) {
    if (propName == "Key") {
        return;
    }
    std::string value = propValue;
    if (!isOrientationTest(strName)) {
        std::string regional;
        if (tryGetRegionalStringFromEng(propValue, regional)) {
            value = regional;
        }
    }
    std::optional<G> group = groupOfItem(strName);
    if (!group) {
        return;
    }
    if (*group == G::LayeredDistance && propName == "Run_Cases") {
        storeRunCases(dictProperties_, value);
        return;
    }
    if (std::optional<std::string> key = keyFor(*group, propName)) {
        dictProperties_.store(*key, std::move(value));
    }
}

void clsTestItem::setDefaults() {
    for (const DefaultParameter& parameter : defaultParametersFor(strName)) {
        std::string value(parameter.value);
        dictProperties_.store(std::string(parameter.name),
                              parameter.isNumber ? getRegionalStringFromEng(value) : value);
    }
}

bool clsTestItem::validateParameters() {
    for (const ParameterCheck& check : parameterChecksFor(strName)) {
        std::string key(check.name);
        if (!dictProperties_.holdsValue(key)) {
            dictProperties_.item(key); // an absent parameter reads as empty, converts to 0, and is added
            continue;
        }
        if (!convertsTo(dictProperties_.item(key), check.kind)) {
            return false;
        }
    }
    return true;
}

bool isPackageTest(const std::string& testName) {
    return testName == "Real Part To Real Part" || testName == "Component Package To Component Package";
}

std::string loggedName(clsTestItem& test) {
    if (!isPackageTest(test.strName)) {
        return test.strName;
    }
    return test.strName + " - " + test.dictProperties().item("Package_1") + " To " +
           test.dictProperties().item("Package_2");
}

} // namespace lumora
