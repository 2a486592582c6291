#include "app/MDIMain.h"

#include "app/OpenFileSelection.h"
#include "files/InputFile.h"
#include "korven/CreatedGeometryList.h"
#include "korven/CurrentWindow.h"
#include "korven/clsResponse.h"
#include "korvenapi/AutomationRegistry.h"
#include "script/ScriptLoader.h"
#include "testlogic/RunDriver.h"
#include "ui/DebugSettingsFile.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace lumora {

namespace {

const std::string kScriptFilter =
    std::string(kApplicationTitle) + " Files (*.dfm)|*.dfm|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

void applyDebugSettings(const DebugSettings& settings, RunnerSwitches& switches) {
    switches.blnDebugMenus = settings.debugMenus;
    switches.logSwitches.blnExpandedRep = settings.expandedRep;
    switches.blnSaveOnFail = settings.saveOnFail;
    if (settings.drcLimit) {
        switches.intDRCLimit = *settings.drcLimit;
    }
}

} // namespace

MDIMain::MDIMain(UserInterface& ui, std::filesystem::path logFolder)
    : ui_(ui), logFolder_(std::move(logFolder)), debugList_(ui) {
    setFrmCurChild(nullptr);
    setFrmDebugList(&debugList_);
}

MDIMain::~MDIMain() {
    windows_.clear();
    if (lumora::frmDebugList() == &debugList_) {
        setFrmDebugList(nullptr);
    }
}

std::string MDIMain::caption() const {
    return std::string(kApplicationTitle) + " v. " + versionText();
}

void MDIMain::startUp() {
    registerResponseClass(automationRegistry());
    loadDebugSettings();
    openFile();
}

void MDIMain::loadDebugSettings() {
    switches_.blnDebugMenus = false;
    switches_.logSwitches.blnExpandedRep = false;
    const std::filesystem::path file = logFolder_ / "rdbset.dat";
    std::optional<std::string> text;
    try {
        text = files::readInputFileIfPresent(file, files::input::Settings);
    } catch (const files::InputFileError& error) {
        ui_.showMessage("loadDebugSettings {Path/File access error (" + std::string(error.what()) + ")}",
                        MessageKind::Error);
        return;
    }
    if (text) {
        std::istringstream in(*text);
        applyDebugSettings(readDebugSettings(in), switches_);
    }
}

frmTests* MDIMain::frmCurChild() const {
    CurrentWindow* current = lumora::frmCurChild();
    auto found = std::ranges::find_if(windows_, [&](const auto& w) { return w.get() == current; });
    return found == windows_.end() ? nullptr : found->get();
}

frmTests* MDIMain::window(const std::string& strID) const {
    auto found = std::ranges::find(windows_, strID, [](const auto& w) { return w->strFormID; });
    return found == windows_.end() ? nullptr : found->get();
}

void MDIMain::openFile() {
    if (blnTestRunning) {
        return;
    }
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
            ui_.showMessage(std::string("openFile {") + error.what() + "}", MessageKind::Error);
        }
    }
}

void MDIMain::openScript(const std::string& folder, const std::string& name) {
    std::string path = joinPath(folder, name);
    windows_.push_back(std::make_unique<frmTests>(path, lngFormCounter, *this));
    frmTests& loaded = *windows_.back();
    if (std::optional<XMLErrorHandler> failure = loadScript(path, loaded)) {
        std::string strFormID = loaded.strFormID;
        removeWindow(strFormID); // the drawing never heard of it
        ui_.showMessage(scriptFailureMessage(name, *failure), MessageKind::Error);
    } else if (observer_ != nullptr) {
        observer_->windowOpened(loaded);
    }
}

bool MDIMain::closeScript(const std::string& strID) {
    frmTests* closing = window(strID);
    if (closing == nullptr) {
        return false;
    }
    if (std::optional<std::string> refusal = closing->closeRefusal()) {
        ui_.showMessage(*refusal, MessageKind::Warning);
        return false;
    }
    closeFile(strID);
    return true;
}

void MDIMain::closeFile(const std::string& strID) {
    frmTests* closing = window(strID);
    if (closing != nullptr && observer_ != nullptr) {
        observer_->windowClosing(*closing);
    }
    removeWindow(strID);
}

void MDIMain::removeWindow(const std::string& strID) {
    auto found = std::ranges::find(windows_, strID, [](const auto& w) { return w->strFormID; });
    if (found == windows_.end()) {
        return;
    }
    if (active_ == found->get()) {
        active_ = nullptr;
    }
    debugList_.clear();
    windows_.erase(found);
}

int16_t MDIMain::runBatch() {
    if (blnTestRunning) {
        return runstatus::Done;
    }
    // By key, so that a window closed while another runs is simply passed over.
    std::vector<std::string> keys;
    std::ranges::transform(windows_, std::back_inserter(keys), [](const auto& w) { return w->strFormID; });
    bool failures = false;
    for (const std::string& key : keys) {
        if (exitPending_) {
            return runstatus::Done;
        }
        frmTests* running = window(key);
        if (running == nullptr) {
            continue;
        }
        if (observer_ != nullptr) {
            observer_->windowBroughtForward(*running);
        }
        running->activate();
        running->resetTests(false);
        int16_t status = running->runTests(1, true);
        if (status == runstatus::Failures) {
            failures = true;
        } else if (status != runstatus::Done) {
            return status;
        }
    }
    if (!failures) {
        return runstatus::Done;
    }
    viewLog();
    return runstatus::Failures;
}

void MDIMain::viewLog() {
    ui_.openTextFile(logFolder_ / "runner.log");
}

bool MDIMain::exitApp() {
    auto running = std::ranges::find_if(windows_, [](const auto& w) { return w->isRunning(); });
    if (running == windows_.end()) {
        return true;
    }
    (*running)->stopScript();
    exitPending_ = true;
    return false;
}

void MDIMain::setTestRunning(bool running) {
    blnTestRunning = running;
    if (!running) {
        setFrmCurChild(active_);
    }
    if (observer_ != nullptr) {
        observer_->runStateChanged();
    }
}

RunSettings MDIMain::runSettings() const {
    return RunSettings{.intDRCLimit = switches_.intDRCLimit,
                       .blnDebugOn = switches_.blnDebugOn,
                       .blnSaveOnFail = switches_.blnSaveOnFail,
                       .logFolder = logFolder_};
}

const LogSwitches& MDIMain::logSwitches() const {
    return switches_.logSwitches;
}

void MDIMain::viewTimeLog() {
    ui_.openTextFile(logFolder_ / "testtimes.csv");
}

void MDIMain::onHelpContents() {
    ui_.showMessage("There is no help avaliable.", MessageKind::Information);
}

void MDIMain::setGenTestTimes(bool setOn) {
    switches_.logSwitches.blnGenTestTimes = setOn;
    menuChecks.genTestTimes = setOn;
    for (const auto& w : windows_) {
        w->menuChecks.genTestTimes = setOn;
    }
}

void MDIMain::setClearDRCOnRun(bool setOn) {
    menuChecks.clearDRCOnRun = setOn;
    for (const auto& w : windows_) {
        w->menuChecks.clearDRCOnRun = setOn;
    }
}

} // namespace lumora
