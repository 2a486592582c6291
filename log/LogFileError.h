#pragma once

#include <stdexcept>
#include <string>

namespace lumora {

// A log file that cannot be opened. The run reports it like any failure of its routine: the
// routine ("beginLog") and the description.
class LogFileError : public std::runtime_error {
  public:
    LogFileError(std::string source, const std::string& description)
        : std::runtime_error(description), source_(std::move(source)) {}

    const std::string& source() const { return source_; }

  private:
    std::string source_;
};

} // namespace lumora
