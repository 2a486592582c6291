#include "app/MDIMain.h"

#include "app/OpenFileSelection.h"
#include "script/ScriptLoader.h"

#include <algorithm>

namespace lumora {

namespace {

const std::string kScriptFilter =
    std::string(kApplicationTitle) + " Files (*.dfm)|*.dfm|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

} // namespace

void MDIMain::openFile() {
    std::optional<FileDialogResult> chosen = ui_.chooseScriptFiles(kScriptFilter);
    if (!chosen) {
        return;
    }
    FileSelection selection = splitFileSelection(chosen->fileName);
    openScripts(selection.folder, selection.names, chosen->filterIndex);
}

void MDIMain::openScripts(const std::string& folder, const std::vector<std::string>& names, int filterIndex) {
    for (const std::string& chosenName : names) {
        std::string name = withFilterExtension(chosenName, filterIndex);
        try {
            openScript(folder, name);
        } catch (const std::exception& error) {
            ui_.showMessage(std::string("openFile {") + error.what() + "}");
        }
    }
}

void MDIMain::openScript(const std::string& folder, const std::string& name) {
    std::string path = joinPath(folder, name);
    windows_.push_back(std::make_unique<frmTests>(path, lngFormCounter));
    frmCurChild = windows_.back().get();
    if (std::optional<XMLErrorHandler> failure = loadScript(path, *frmCurChild)) {
        std::string strFormID = frmCurChild->strFormID;
        closeFile(strFormID);
        ui_.showMessage(scriptFailureMessage(name, *failure));
    }
}

void MDIMain::closeFile(const std::string& strID) {
    auto found = std::ranges::find(windows_, strID, [](const auto& w) { return w->strFormID; });
    if (found == windows_.end()) {
        return;
    }
    if (frmCurChild == found->get()) {
        frmCurChild = nullptr;
    }
    windows_.erase(found);
}

frmTests* MDIMain::window(const std::string& strID) const {
    auto found = std::ranges::find(windows_, strID, [](const auto& w) { return w->strFormID; });
    return found == windows_.end() ? nullptr : found->get();
}

} // namespace lumora
