#pragma once

#include "korven/CurrentWindow.h"

#include <QCoreApplication>

namespace lumora::desktop {

// Lets Qt's pending events run while a run works: Stop, repaints, tips and activation.
class QtEventPump : public EventPump {
  public:
    void doEvents() override { QCoreApplication::processEvents(); }
};

} // namespace lumora::desktop
