#pragma once

#include "script/TextDictionary.h"

#include <string>

namespace lumora {

// One test of a script: its name and its named parameters.
class clsTestItem {
  public:
    std::string strName;

    TextDictionary& dictProperties() { return dictProperties_; }
    const TextDictionary& dictProperties() const { return dictProperties_; }

    // Stores one script parameter: numbers normalised to regional text, legacy names translated.
    void addProperty(const std::string& propName, const std::string& propValue);
    // Stores the test's default parameters; call after strName and before addProperty.
    void setDefaults();
    // True when every parameter the test's routines convert reads as its kind.
    bool validateParameters();

  private:
    TextDictionary dictProperties_;
};

// "Real Part To Real Part" and "Component Package To Component Package" measure two packages, the
// parameters Package_1 and Package_2, and are named with them in the logs and in the grid.
bool isPackageTest(const std::string& testName);

// The test's name as both logs show it: the package tests add " - " Package_1 " To " Package_2.
std::string loggedName(clsTestItem& test);

} // namespace lumora
