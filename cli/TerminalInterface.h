#pragma once

#include "app/UserInterface.h"

#include <ostream>
#include <string>

namespace lumora::cli {

// The front end of the command line: message boxes and status messages become lines on the error
// stream, there is no dialog to ask, and a text file to show is named rather than opened. Like the
// desktop program's progress window, every progress change lets pending events run, so that a
// Ctrl-C during pre-processing is seen (and discarded) before the first test.
class TerminalInterface : public UserInterface {
  public:
    TerminalInterface(std::ostream& err, bool quiet) : err_(err), quiet_(quiet) {}

    std::optional<FileDialogResult> chooseScriptFiles(const std::string&) override { return std::nullopt; }
    void openTextFile(const std::filesystem::path& file) override;
    // Every kind alike: the terminal shows no icons.
    void showMessage(const std::string& text, MessageKind kind) override;
    void showStatus(const std::string& msgString, int16_t min, int16_t max) override;
    void setProgress(int16_t) override;
    void hideStatus() override;

    int messagesShown() const { return messagesShown_; }

  private:
    std::ostream& err_;
    bool quiet_;
    int messagesShown_ = 0;
};

// CR-separated text as terminal lines: the first after the row number, the rest indented below it.
std::string indentedLines(const std::string& text, long row);

} // namespace lumora::cli
