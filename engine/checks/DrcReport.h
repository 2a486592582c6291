#pragma once

#include "engine/Session.h"

#include <string>

namespace lumora::engine {

// The DRC markers of one check call: placed and announced one by one until the session's DRC limit
// (maxErrorsPerTest, 0 or less for none) is reached.
class DrcReport {
  public:
    DrcReport(Session& session, int32_t file, std::string check)
        : session_(session), file_(file), check_(std::move(check)) {}

    // Places one marker; false once the limit is reached, when the check must stop.
    bool add(Point at, std::string severity, std::string text);
    // 1 when the check stopped at the limit, else 0.
    int16_t result() const { return limitReached() ? rc::TooManyErrors : rc::Ok; }
    int placed() const { return placed_; }

  private:
    bool limitReached() const {
        return session_.maxErrorsPerTest > 0 && placed_ >= session_.maxErrorsPerTest;
    }

    Session& session_;
    int32_t file_;
    std::string check_;
    int placed_ = 0;
};

} // namespace lumora::engine
