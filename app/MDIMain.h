#pragma once

#include "app/UserInterface.h"
#include "ui/frmTests.h"

#include <memory>
#include <string>
#include <vector>

namespace lumora {

// The main window without drawing: the open script windows in the order of opening.
class MDIMain {
  public:
    explicit MDIMain(UserInterface& ui) : ui_(ui) {}

    frmTests* frmCurChild = nullptr;
    bool blnTestRunning = false;
    long lngFormCounter = 0;

    // Asks for scripts and opens each in its own window.
    void openFile();
    // Opens one script window per name; a script that cannot be read is reported and skipped.
    void openScripts(const std::string& folder, const std::vector<std::string>& names, int filterIndex);
    void closeFile(const std::string& strID);

    const std::vector<std::unique_ptr<frmTests>>& windows() const { return windows_; }
    frmTests* window(const std::string& strID) const;

  private:
    void openScript(const std::string& folder, const std::string& name);

    UserInterface& ui_;
    std::vector<std::unique_ptr<frmTests>> windows_;
};

} // namespace lumora
