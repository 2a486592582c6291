#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumora {

// Error numbers that the runner's messages and callers depend on.
namespace errnum {
constexpr int32_t Overflow = 6;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t PathFileAccess = 75;           // a file that cannot be opened for writing
constexpr int32_t ApplicationBase = -2147221504; // first application-defined error number
} // namespace errnum

// An error as the runner reports it: a number, the routine that raised it and a description.
class RunnerError : public std::runtime_error {
  public:
    RunnerError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), number_(number), source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

  private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

} // namespace lumora
