#pragma once

#include "app/MDIMain.h"
#include "app/TestHelp.h"
#include "desktop/DesignHost.h"
#include "desktop/MenuBuilder.h"
#include "desktop/QtInterface.h"
#include "record/RunRecord.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <map>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace lumora::desktop {

class BoardWindow;
class DebugListWindow;
class ScriptWindow;
class TipWindow;

// MDIMain drawn: the script windows in an MDI area, the menus of the model (a script window's
// bar while one is active), the design in the status bar, and the hourglass during runs.
class MainWindow : public QMainWindow, public MainWindowObserver {
    Q_OBJECT
  public:
    // logFolder: where runs write their logs and rdbset.dat is read (the model's log folder).
    MainWindow(DesignHost& design, const std::filesystem::path& logFolder);
    ~MainWindow() override;

    MDIMain& model() { return main_; }
    QMdiArea& area() { return *area_; }
    TipWindow& tipWindow() { return *tip_; }
    QtInterface& userInterface() { return ui_; }
    const MenuBuilder& menus() const { return menus_; }
    ScriptWindow* scriptWindow(const frmTests& window) const;
    BoardWindow& boardWindow() { return *board_; }
    // A grid row was selected: KORVEN's window lists that test's markers.
    void showTestMarkers(const frmTests& window, long row);
    // A marker was chosen on the board: the grid row of its test is selected, its window brought
    // forward.
    void selectTestRow(const QString& script, long row);

    // Runs what starts a run, then ends the program if Exit was asked for meanwhile.
    void runThenFinish(const std::function<void()>& run);
    void perform(Command command);
    void chooseDesign(const QString& file);
    // The run's report as lumora-cli --report writes it; a failure, or the lack of a design, is shown.
    bool exportReport(const QString& file);

    // MainWindowObserver
    void windowOpened(frmTests& window) override;
    void windowClosing(frmTests& window) override;
    void windowBroughtForward(frmTests& window) override;
    void runStateChanged() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    frmTests* activeModel() const;
    MenuContext menuContext() const;
    void rebuildMenus();
    void bindCommands();
    void showDebuggedGeometries();
    void showWebHelp();
    void showRunnerSettings();
    void showAbout();
    void showDesign();
    void showBoardWindow();

    DesignHost& design_;
    QMdiArea* area_;
    QLabel* designLabel_;
    TipWindow* tip_;
    BoardWindow* board_;
    std::unique_ptr<RunRecorder> recorder_;
    TestHelp help_;
    DebugListWindow* debugList_ = nullptr; // made when first shown
    QtInterface ui_{this};
    MDIMain main_;
    MenuBuilder menus_;
    bool scriptBarShown_ = false;
    bool boardPlaced_ = false; // KORVEN's window has its place once it was shown
    std::map<Command, std::function<void()>> commands_;
    std::map<const frmTests*, QMdiSubWindow*> windows_;
};

} // namespace lumora::desktop
