#pragma once

#include "app/UserInterface.h"

#include <ostream>
#include <string>

namespace lumora::cli {

// Message boxes become lines on the error stream; there is no dialog to ask.
class TerminalInterface : public UserInterface {
  public:
    explicit TerminalInterface(std::ostream& err) : err_(err) {}

    std::optional<FileDialogResult> chooseScriptFiles(const std::string&) override { return std::nullopt; }
    void showMessage(const std::string& text) override;
    int messagesShown() const { return messagesShown_; }

  private:
    std::ostream& err_;
    int messagesShown_ = 0;
};

// CR-separated text as terminal lines: the first after the row number, the rest indented below it.
std::string indentedLines(const std::string& text, long row);

} // namespace lumora::cli
