#include "engine/session/Session.h"

namespace lumora::engine {

void refuseWhenExited(const Session& session, BlockUse use) {
    if (!session.running()) {
        throw AutomationError("The remote procedure call failed: KORVEN is not running");
    }
    if (use == BlockUse::MayChange) {
        session.forgetFlattenCache();
    }
}

Design& Session::design() {
    if (!design_) {
        throw Refusal(rc::NoActiveDocument, "no document loaded");
    }
    return *design_;
}

const Design& Session::design() const {
    if (!design_) {
        throw Refusal(rc::NoActiveDocument, "no document loaded");
    }
    return *design_;
}

int16_t Session::turnOnResponse(const std::string& progId) {
    std::shared_ptr<ResponseCallback> response = registry_.createResponse(progId);
    if (!response) {
        return rc::ItemNotFound;
    }
    responses_.insert_or_assign(progId, std::move(response));
    return rc::Ok;
}

int16_t Session::turnOffResponse(const std::string& progId) {
    return responses_.erase(progId) > 0 ? rc::Ok : rc::ItemNotFound;
}

void Session::placeDrc(DrcMarker marker) {
    const std::string severity = marker.severity.str();
    design().drcs.push_back(std::move(marker));
    // A response may turn itself off while it is called.
    const auto responses = responses_;
    for (const auto& [progId, response] : responses) {
        response->Response("DRC Added", severity);
    }
}

} // namespace lumora::engine
