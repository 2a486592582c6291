#pragma once

#include "korven/CurrentWindow.h"

#include <functional>
#include <ostream>

namespace lumora::cli {

// Ctrl-C asks the running script to stop before its next test, as the Stop button does; a second
// Ctrl-C before the run has noticed ends the program at once. Installed as the event pump, since
// runs let pending events happen before every test. Once the tests are over, Ctrl-C no longer
// stops anything: the results and files are written to their end, and a second Ctrl-C ends the
// program at once.
class StopOnInterrupt : public EventPump {
  public:
    explicit StopOnInterrupt(std::function<void()> stop);
    ~StopOnInterrupt() override;
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    void doEvents() override;
    // The tests are over; what follows writes the run's results and files.
    void finishOutputs();
    // Says on err, the first time it is asked after a Ctrl-C, that the outputs are finished first.
    void sayOnceIfInterrupted(std::ostream& err);

  private:
    std::function<void()> stop_;
    bool said_ = false;
};

} // namespace lumora::cli
