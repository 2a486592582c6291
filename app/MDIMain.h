#pragma once

#include "app/MainWindowObserver.h"
#include "app/UserInterface.h"
#include "ui/RunnerSwitches.h"
#include "ui/ScriptWindowHost.h"
#include "ui/frmDebugList.h"
#include "ui/frmTests.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lumora {

// The check marks of the main window's Settings menu.
struct MainMenuChecks {
    bool clearDRCOnRun = true; // only follows setClearDRCOnRun
    bool genTestTimes = true;
};

// The main window without drawing: the open script windows in the order of opening, the switches
// of its menus and dialogs, the Created Geometries list and the batch run.
// The desktop program's single-instance rule and its "/registeronly" mode are the business of
// that program's own start-up.
class MDIMain : public ScriptWindowHost {
  public:
    // Loading the main window: no script window, Generate Test Times on, the Created Geometries
    // list installed as frmDebugList(). logFolder holds runner.log, testtimes.csv, rdbset.dat and
    // error.cc; the front end chooses it. One MDIMain at a time.
    MDIMain(UserInterface& ui, std::filesystem::path logFolder);
    ~MDIMain() override;
    MDIMain(const MDIMain&) = delete;
    MDIMain& operator=(const MDIMain&) = delete;

    bool blnTestRunning = false; // set for the length of every run
    long lngFormCounter = 0;
    MainMenuChecks menuChecks;

    std::string caption() const; // "Lumora Runner v. 1.2.68"
    const std::filesystem::path& logFolder() const { return logFolder_; }

    // The rest of start-up: registers the Response class (KORVEN reports DRCs through it), reads
    // the debug settings and asks for scripts.
    void startUp();
    // Reads rdbset.dat of the log folder; without the file the debug menus stay hidden.
    void loadDebugSettings();

    // The script window that is current (each window makes itself current when it is created
    // and activated), or nullptr.
    frmTests* frmCurChild() const;
    long childCount() const { return static_cast<long>(windows_.size()); }
    const std::vector<std::unique_ptr<frmTests>>& windows() const { return windows_; }
    frmTests* window(const std::string& strID) const;

    // The script window the user brought to the front last, or nullptr. Unlike frmCurChild it
    // moves during a run too.
    frmTests* activeWindow() const { return active_; }
    // One observer at a time; nullptr for none.
    void setObserver(MainWindowObserver* observer) { observer_ = observer; }

    // Asks for scripts and opens each in its own window; does nothing during a run, whose
    // windows take no new tests.
    void openFile() override;
    // Opens one script window per name; a script that cannot be read is reported and skipped.
    void openScripts(const std::string& folder, const std::vector<std::string>& names, int filterIndex);
    // Close Script and the window's close box: refused with a message while the window runs.
    bool closeScript(const std::string& strID);
    // Removes the window (its unload): the Created Geometries list is emptied with it.
    void closeFile(const std::string& strID);

    // Runs every window from its first row, in the order of opening; a stopped run counts as
    // done. Returns 0 when all ran, -998 when some had failures (the run log is then shown), or
    // the status of a run that could not start, which ends the batch at once.
    int16_t runBatch();

    void viewLog() override;
    void viewTimeLog();
    // Exit and closing the main window. True: the program may end now. During a run the running
    // script is asked to stop, no further window of a batch runs, and the program is to end when
    // the run returns (exitPending()).
    bool exitApp();
    bool exitPending() const { return exitPending_; }
    void onHelpContents();
    // The switch and the check marks of the main menu and of every open window.
    void setGenTestTimes(bool setOn);
    // Each run reads its own window's mark.
    void setClearDRCOnRun(bool setOn);
    // Edited by the menus and the settings dialogs; a run reads them when it starts.
    RunnerSwitches& switches() { return switches_; }
    const RunnerSwitches& switches() const { return switches_; }

    frmCreatedGeometries& debugList() override { return debugList_; }
    StatusDisplay& statusWindow() override { return ui_; }
    MessageDisplay& messageBoxes() override { return ui_; }
    bool testRunning() const override { return blnTestRunning; }
    // The end of a run hands frmCurChild back to the window the user looks at.
    void setTestRunning(bool running) override;
    void windowActivated(frmTests& window) override { active_ = &window; }
    RunSettings runSettings() const override;
    const LogSwitches& logSwitches() const override;
    TestRunListener* testListener() override { return testListener_; }
    // One listener at a time; nullptr for none.
    void setTestListener(TestRunListener* listener) { testListener_ = listener; }

  private:
    void openScript(const std::string& folder, const std::string& name);
    // Without telling the observer; the Created Geometries list is emptied with the window.
    void removeWindow(const std::string& strID);

    UserInterface& ui_;
    std::filesystem::path logFolder_;
    RunnerSwitches switches_;
    frmCreatedGeometries debugList_;
    std::vector<std::unique_ptr<frmTests>> windows_;
    frmTests* active_ = nullptr;
    MainWindowObserver* observer_ = nullptr;
    bool exitPending_ = false;
    TestRunListener* testListener_ = nullptr;
};

} // namespace lumora
