#pragma once

#include "log/ProductInfo.h"

#include <optional>
#include <string>

namespace lumora {

// The answer of the open-file dialog, or nothing when the user cancelled.
struct FileDialogResult {
    std::string fileName; // as splitFileSelection expects it
    int filterIndex = 1;
};

// What the main window asks of its front end: the desktop program shows dialogs, the command line
// answers from its arguments and prints messages.
class UserInterface {
  public:
    virtual ~UserInterface() = default;
    virtual std::optional<FileDialogResult> chooseScriptFiles(const std::string& filter) = 0;
    // A message box with an OK button and the application title.
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace lumora
