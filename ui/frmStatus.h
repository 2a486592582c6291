#pragma once

#include "testlogic/RunHost.h"

#include <cstdint>
#include <string>

namespace lumora {

// The progress window without drawing: a message and a bar that shows only while it has a range.
// Each change lets pending events run, so the window repaints while a run works.
class frmStatus : public StatusDisplay {
  public:
    std::string caption() const { return "Processing..."; }

    void showStatus(const std::string& msgString, int16_t min, int16_t max) override;
    void setProgress(int16_t progress) override;
    void hideStatus() override;

    bool visible() const { return visible_; }
    const std::string& message() const { return message_; }
    bool barVisible() const { return barVisible_; }
    int16_t minimum() const { return min_; }
    int16_t maximum() const { return max_; }
    int16_t value() const { return value_; }

  private:
    int16_t clamped(int16_t value) const;

    bool visible_ = false;
    std::string message_;
    bool barVisible_ = false;
    int16_t min_ = 0;
    int16_t max_ = 0;
    int16_t value_ = 0;
};

} // namespace lumora
