#pragma once

#include "engine/session/Session.h"
#include "korvenapi/AutomationRegistry.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lumora::engine {

// KORVEN running inside the process: serves "KORVEN.Application" and "KORVEN.DFM" to whoever
// registers it with an AutomationRegistry, over one shared document. DRCs reach the Response class
// that the same registry holds under the ProgID given to TurnOnResponse, synchronously, on the
// caller's thread.
class EmbeddedKorven : public AutomationProvider {
  public:
    // Running without a document.
    explicit EmbeddedKorven(AutomationRegistry& registry = automationRegistry());
    EmbeddedKorven(Design design, AutomationRegistry& registry = automationRegistry());
    // Running with the document of a design file; throws DesignFormatError.
    static std::unique_ptr<EmbeddedKorven> open(const std::filesystem::path& designFile,
                                                AutomationRegistry& registry = automationRegistry());
    // What the design file lacked that checks would need (an IPC-2581 file without components,
    // say), as its reader noted it; empty for designs opened otherwise.
    const std::vector<std::string>& importNotes() const { return importNotes_; }

    std::shared_ptr<AutomationObject> createObject(std::string_view progId) override;
    bool isRunning() const override { return session_->running(); }

    // KORVEN closes: objects handed out before fail every later call with AutomationError.
    void exit() { session_->exit(); }

    Session& session() { return *session_; }

  private:
    std::shared_ptr<Session> session_;
    std::vector<std::string> importNotes_;
};

} // namespace lumora::engine
