#pragma once

#include "engine/model/Design.h"
#include "engine/model/FailedCheck.h"
#include "engine/ops/Flatten.h"
#include "korvenapi/AutomationRegistry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora::engine {

// The running KORVEN: its document and the state its automation objects share.
class Session {
  public:
    explicit Session(AutomationRegistry& registry) : registry_(registry) {}
    Session(AutomationRegistry& registry, Design design) : registry_(registry), design_(std::move(design)) {}

    bool hasDocument() const { return design_.has_value(); }
    // Raises Refusal -2 when no document is loaded.
    Design& design();
    const Design& design() const;

    // The main window closes: every later call fails as a broken automation call.
    void exit() { running_ = false; }
    bool running() const { return running_; }

    // The layer whose attributes GetAttribKeywordArray and GetAttribValue read.
    std::optional<int16_t> currentAttribLayer;
    bool autoRedraw = true;
    int16_t maxErrorsPerTest = 0; // 0: no limit
    // The checks that failed since the markers were last cleared, for the user's list of markers;
    // not part of the document.
    std::vector<FailedCheck> failedChecks;

    // TurnOnResponse / TurnOffResponseByID: -3 when no class is registered under progId or it is
    // not turned on.
    int16_t turnOnResponse(const std::string& progId);
    int16_t turnOffResponse(const std::string& progId);

    // Stores a DRC marker and announces it, synchronously, to every response turned on.
    void placeDrc(DrcMarker marker);

    // The indexes of the design's blocks that flatten calls read and the items they made; dropped by
    // every call that may change a block (see BlockUse).
    FlattenCache& flattenCache() { return flattenCache_; }
    void forgetFlattenCache() const { flattenCache_.clear(); }

    // What the engine said about the last call it refused, "" after a call that succeeded: more
    // than KORVEN's return code carries.
    const std::string& lastFailure() const { return lastFailure_; }
    void noteAnswer(const std::string& failure) const { lastFailure_ = failure; }

  private:
    AutomationRegistry& registry_;
    std::optional<Design> design_;
    bool running_ = true;
    std::map<std::string, std::shared_ptr<ResponseCallback>> responses_;
    // A record of the calls, not part of the document: answer() keeps it on const sessions too.
    mutable std::string lastFailure_;
    mutable FlattenCache flattenCache_; // not part of the document
};

// How a call treats the design's blocks (boards, components, padstacks; not flatten geometries):
// any call may change them, and drops the flatten cache, except those known to leave them alone:
// the flatten family, which changes flatten geometries only, and the checks, which add markers.
enum class BlockUse { MayChange, LeavesBlocks };

// Refuses every call once KORVEN has exited (AutomationError); the calls run on then drop the flatten
// cache, unless they leave the blocks alone.
void refuseWhenExited(const Session& session, BlockUse use = BlockUse::MayChange);

// Runs one automation method: refuses it when KORVEN has exited (AutomationError), and turns the
// engine's refusals into KORVEN's return codes, unexpected failures into -1.
template <class F> int16_t answer(const Session& session, F&& method, BlockUse use = BlockUse::MayChange);

// Like answer, for methods that need the document.
template <class F>
int16_t answerWithDocument(Session& session, F&& method, BlockUse use = BlockUse::MayChange);

} // namespace lumora::engine

#include "engine/session/SessionAnswer.h"
