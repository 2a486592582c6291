#pragma once

#include "korven/CurrentWindow.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lumora::test {

// A running script window reduced to what the korven layer reaches: its logs, its connection
// and the counts that DRC callbacks raise.
class FakeWindow : public CurrentWindow {
  public:
    explicit FakeWindow(clsKORVEN& korven) : korven_(korven) {}

    clsLogFile* logFile() override { return log; }
    clsTestTimer* timeLogFile() override { return timeLog; }
    clsKORVEN& objKorven() override { return korven_; }
    void updateTests(const std::string& value) override { counted.push_back(value); }
    void resetTestCnt() override { counted.clear(); }
    long getCurMarginal() const override { return std::ranges::count(counted, std::string("Marginal")); }
    long getCurCritical() const override { return std::ranges::count(counted, std::string("Critical")); }

    clsLogFile* log = nullptr;
    clsTestTimer* timeLog = nullptr;
    std::vector<std::string> counted; // every value passed to updateTests, in order

  private:
    clsKORVEN& korven_;
};

} // namespace lumora::test
