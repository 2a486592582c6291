#pragma once

// Template definitions of engine/Session.h.

#include "engine/KorvenCodes.h"
#include "engine/model/KorvenFailure.h"
#include "korven/KorvenAutomation.h"

#include <new>
#include <stdexcept>

namespace lumora::engine {

void refuseWhenExited(const Session& session);

template <class F> int16_t answer(const Session& session, F&& method) {
    refuseWhenExited(session);
    try {
        method();
        session.noteAnswer("");
        return rc::Ok;
    } catch (const KorvenFailure& failure) {
        session.noteAnswer(failure.what());
        return failure.code();
    } catch (const std::exception& error) {
        session.noteAnswer(error.what());
        return rc::GeneralError;
    }
}

template <class F> int16_t answerWithDocument(Session& session, F&& method) {
    return answer(session, [&] { method(session.design()); });
}

} // namespace lumora::engine
