#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumora::engine {

// A request the engine refuses with one of KORVEN's negative return codes. Raised deep inside a
// lookup and turned into the method's return code at the automation boundary.
class Refusal : public std::runtime_error {
  public:
    Refusal(int16_t code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int16_t code() const { return code_; }

  private:
    int16_t code_;
};

} // namespace lumora::engine
