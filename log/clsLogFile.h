#pragma once

#include "log/Clock.h"
#include "log/LogTextFile.h"

#include <filesystem>
#include <string_view>

namespace lumora {

// The run log, runner.log: a banner block per run, then the lines of the run as they happen.
// Writes while no file is open are dropped, so test routines may write whether or not a run
// log is open. Destroying the object closes the file.
class clsLogFile {
  public:
    explicit clsLogFile(std::filesystem::path folder, const Clock& clock = systemClock());

    // Opens folder/runner.log (truncated when startNew, appended to otherwise) and writes the
    // banner block; does nothing when the log is already open. Throws the LogFileError of
    // LogTextFile::open when the folder cannot be written.
    void beginLog(bool startNew);
    void writeString(std::string_view val = {});
    void endLog();
    bool isOpen() const { return file_.isOpen(); }

  private:
    std::filesystem::path folder_;
    const Clock& clock_;
    LogTextFile file_;
};

} // namespace lumora
