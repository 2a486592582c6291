#pragma once

#include "korven/CurrentWindow.h"

#include <functional>

namespace lumora::cli {

// Ctrl-C asks the running script to stop before its next test, as the Stop button does; a second
// Ctrl-C before the run has noticed ends the program at once. Installed as the event pump, since
// runs let pending events happen before every test.
class StopOnInterrupt : public EventPump {
  public:
    explicit StopOnInterrupt(std::function<void()> stop);
    ~StopOnInterrupt() override;
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    void doEvents() override;

  private:
    std::function<void()> stop_;
};

} // namespace lumora::cli
