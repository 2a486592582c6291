#pragma once

#include "log/ProductInfo.h"
#include "testlogic/RunHost.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lumora {

// The answer of the open-file dialog, or nothing when the user cancelled.
struct FileDialogResult {
    std::string fileName; // as splitFileSelection expects it
    int filterIndex = 1;
};

// What the main window asks of its front end: the desktop program shows dialogs and windows, the
// command line answers from its arguments and prints. Besides the members below a front end
// fills in the progress window (showStatus, setProgress, hideStatus: StatusDisplay) and message
// boxes (showMessage: MessageDisplay), both used by runs.
class UserInterface : public StatusDisplay, public MessageDisplay {
  public:
    virtual std::optional<FileDialogResult> chooseScriptFiles(const std::string& filter) = 0;
    // View Log File and View Time Log: shows a text file to the user (the desktop program opens
    // it in the system's text editor). The file may not exist yet.
    virtual void openTextFile(const std::filesystem::path& file) = 0;
};

} // namespace lumora
