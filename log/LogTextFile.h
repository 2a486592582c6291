#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace lumora {

// One log file: lines end with CR LF and the bytes of the text are written unchanged.
class LogTextFile {
  public:
    // Truncates the file when startNew is set and appends to it otherwise. Throws a LogFileError
    // (errnum::PathFileAccess, source "beginLog", the path and the reason) when it cannot be opened.
    void open(const std::filesystem::path& path, bool startNew);
    bool isOpen() const { return out_.is_open(); }
    // Ignored while the file is closed. A line that cannot be written (a full disk) is noted with
    // noteFileFailure, and the file takes no further lines until it is opened again.
    void writeLine(std::string_view text);
    void close();

  private:
    std::ofstream out_;
    std::filesystem::path path_;
    bool writeFailed_ = false;
};

} // namespace lumora
