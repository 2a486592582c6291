#pragma once

#include "korvenapi/AutomationRegistry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lumora {

// How the chosen call fails: with a KORVEN error code, or as a broken automation call
// (AutomationError). Calls that return nothing always fail by throwing. Interrupt fails nothing:
// the user presses Ctrl-C (SIGINT) just before the call, which then goes through.
enum class FaultKind { Code, Throw, Interrupt };

struct FaultPlan {
    long failingCall = 0; // 1 for the first call to either object; 0 fails nothing
    FaultKind kind = FaultKind::Code;
    int16_t code = -1;
};

// What happened so far, shared by the provider and the objects it handed out.
struct FaultRecord {
    FaultPlan plan;
    long calls = 0;
    std::string failedCall{}; // the method that was failed, empty until then
};

// A failing KORVEN for fault-injection runs: registered before the real provider, it takes the
// real "KORVEN.Application" and "KORVEN.DFM" objects from the same registry and hands out wrappers
// that count every call to both and fail the one the plan names.
class FailingKorven : public AutomationProvider {
  public:
    FailingKorven(AutomationRegistry& registry, FaultPlan plan);

    std::shared_ptr<AutomationObject> createObject(std::string_view progId) override;
    bool isRunning() const override { return false; } // the real provider answers
    const FaultRecord& record() const { return *record_; }

  private:
    AutomationRegistry& registry_;
    std::shared_ptr<FaultRecord> record_;
    bool creating_ = false; // while the registry is asked for the real object
};

} // namespace lumora
