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

} // namespace lumora
