#pragma once

#include "korven/CurrentWindow.h"

#include <functional>

namespace lumora::test {

// An event pump that runs what the test puts in it, as a user acting while a run lets window
// messages through.
class CallbackPump : public EventPump {
  public:
    void doEvents() override {
        if (onEvents) {
            onEvents();
        }
    }
    std::function<void()> onEvents;
};

} // namespace lumora::test
