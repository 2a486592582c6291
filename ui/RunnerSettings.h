#pragma once

#include "testlogic/RunHost.h"
#include "ui/RunnerSwitches.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// The DRC limit as its text box gives it: a 16-bit integer in the user's notation, a fraction
// rounded half to even; nothing when the text does not convert.
std::optional<int16_t> drcLimitFromText(std::string_view text);

// The Runner Settings dialog without drawing. It edits the DRC limit of the switches it is given,
// which the main window keeps until the program ends.
class frmRunnerSettings {
  public:
    // The text box starts with the current limit.
    frmRunnerSettings(MessageDisplay& messages, RunnerSwitches& switches);

    std::string caption() const { return "Runner Settings"; }

    std::string text; // the text box next to "DFM Limit :"

    // Leaving the text box; false (after "Error: Invalid value") keeps the focus in it.
    bool lostFocus();
    // OK: stores the limit; false (after the same message) keeps the dialog open.
    bool ok();

  private:
    std::optional<int16_t> checkedLimit();

    MessageDisplay& messages_;
    RunnerSwitches& switches_;
};

} // namespace lumora
