#pragma once

// Template definitions of engine/session/Session.h.

#include "engine/model/CodeNames.h"
#include "engine/model/Refusal.h"
#include "korvenapi/KorvenAutomation.h"

#include <new>
#include <stdexcept>

namespace lumora::engine {

template <class F> int16_t answer(const Session& session, F&& method, BlockUse use) {
    refuseWhenExited(session, use);
    try {
        method();
        session.noteAnswer("");
        return rc::Ok;
    } catch (const Refusal& failure) {
        session.noteAnswer(failure.what());
        return failure.code();
    } catch (const std::exception& error) {
        session.noteAnswer(error.what());
        return rc::GeneralError;
    }
}

template <class F> int16_t answerWithDocument(Session& session, F&& method, BlockUse use) {
    return answer(
        session, [&] { method(session.design()); }, use);
}

} // namespace lumora::engine
