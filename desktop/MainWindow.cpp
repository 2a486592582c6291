#include "desktop/MainWindow.h"

#include "desktop/AboutDialog.h"
#include "desktop/BoardWindow.h"
#include "desktop/DebugWindows.h"
#include "desktop/ProgramIcon.h"
#include "desktop/ReportExport.h"
#include "desktop/RunnerSettingsDialog.h"
#include "desktop/ScriptWindow.h"
#include "desktop/TipWindow.h"
#include "desktop/WebHelp.h"
#include "desktop/WindowLayout.h"
#include "engine/io/DesignFormats.h"
#include "log/Clock.h"
#include "log/LogFolderLock.h"
#include "ui/AboutBox.h"
#include "ui/frmDebugList.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace lumora::desktop {

namespace {

constexpr const char* kMainWindowKey = "main";
constexpr const char* kBoardWindowKey = "board";

// DESIGN.report.json beside the design, as a first offer.
QString reportFileBeside(const QString& design) {
    const QFileInfo info(design);
    return design.isEmpty() ? QString() : info.dir().filePath(info.completeBaseName() + ".report.json");
}

// The screen the user starts the program on: the one under the mouse.
const QScreen& startingScreen() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen != nullptr ? *screen : *QGuiApplication::primaryScreen();
}

} // namespace

MainWindow::MainWindow(DesignHost& design, const std::filesystem::path& logFolder)
    : design_(design), area_(new QMdiArea(this)), designLabel_(new QLabel(this)), tip_(new TipWindow(this)),
      board_(new BoardWindow(this)), main_(ui_, logFolder) {
    setObjectName("MDIMain");
    setWindowTitle(QString::fromStdString(main_.caption()));
    setCentralWidget(area_);
    statusBar()->addWidget(designLabel_);
    designLabel_->setText(design_.statusText());
    if (!restoreWindow(*this, kMainWindowKey)) {
        setGeometry(mainWindowAtFirstStart(startingScreen().availableGeometry()));
    }
    showDesign();
    help_.loadTestCatalogue();
    bindCommands();
    main_.setObserver(this);
    connect(board_, &BoardWindow::testRowChosen, this, &MainWindow::selectTestRow);
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (sub != nullptr) {
            if (auto* window = qobject_cast<ScriptWindow*>(sub->widget()); window && window->model()) {
                window->model()->activate();
            }
        }
        rebuildMenus();
    });
    rebuildMenus();
}

MainWindow::~MainWindow() {
    main_.setObserver(nullptr);
    // The drawings go before the models they draw.
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        delete sub;
    }
}

ScriptWindow* MainWindow::scriptWindow(const frmTests& window) const {
    auto found = windows_.find(&window);
    return found == windows_.end() ? nullptr : qobject_cast<ScriptWindow*>(found->second->widget());
}

frmTests* MainWindow::activeModel() const {
    QMdiSubWindow* sub = area_->activeSubWindow();
    auto* window = sub == nullptr ? nullptr : qobject_cast<ScriptWindow*>(sub->widget());
    return window == nullptr ? nullptr : window->model();
}

MenuContext MainWindow::menuContext() const {
    frmTests* active = activeModel();
    return active == nullptr ? mainMenuContext(main_) : scriptMenuContext(main_, *active);
}

void MainWindow::rebuildMenus() {
    bool scriptBar = activeModel() != nullptr;
    if (scriptBar != scriptBarShown_ || menus_.action(Command::OpenScript) == nullptr) {
        scriptBarShown_ = scriptBar;
        menus_.build(
            *menuBar(), scriptBar ? scriptMenuBar() : mainMenuBar(),
            [this](Command command) { perform(command); }, [this] { return menuContext(); });
    }
    menus_.refresh(menuContext());
}

void MainWindow::bindCommands() {
    auto onActive = [this](void (frmTests::*operation)()) {
        return [this, operation] {
            if (frmTests* active = activeModel()) {
                (active->*operation)();
            }
        };
    };
    commands_ = {
        {Command::OpenScript,
         [this] {
             if (frmTests* active = activeModel()) {
                 active->openScript();
             } else {
                 main_.openFile();
             }
         }},
        {Command::ChooseDesign,
         [this] {
             QString file = QFileDialog::getOpenFileName(
                 this, "Design", design_.file(), QString::fromStdString(engine::designDialogFilter()));
             if (!file.isEmpty()) {
                 chooseDesign(file);
             }
         }},
        {Command::ExportReport,
         [this] {
             const QString file =
                 QFileDialog::getSaveFileName(this, "Export Report", reportFileBeside(design_.file()),
                                              "JSON report (*.json);;Page for people (*.html)");
             if (!file.isEmpty()) {
                 exportReport(file);
             }
         }},
        {Command::CloseScript,
         [this] {
             if (QMdiSubWindow* sub = area_->activeSubWindow()) {
                 sub->close();
             }
         }},
        {Command::Exit, [this] { close(); }},
        {Command::RunScript,
         [this] {
             runThenFinish([this] {
                 if (frmTests* active = activeModel()) {
                     active->runScript();
                 }
             });
         }},
        {Command::StopScript, onActive(&frmTests::stopScript)},
        {Command::RunBatch, [this] { runThenFinish([this] { main_.runBatch(); }); }},
        {Command::ViewLog, [this] { main_.viewLog(); }},
        {Command::ViewTimeLog, [this] { main_.viewTimeLog(); }},
        {Command::ShowDebuggedGeometries, [this] { showDebuggedGeometries(); }},
        {Command::RunnerSettings, [this] { showRunnerSettings(); }},
        {Command::DebugSettings, [this] { showDebugSettings(this, main_.switches()); }},
        {Command::ClearDRCOnRun, [this] { main_.setClearDRCOnRun(!menuContext().clearDRCOnRun); }},
        {Command::GenerateTestTimes,
         [this] { main_.setGenTestTimes(!main_.switches().logSwitches.blnGenTestTimes); }},
        {Command::PopupTestInfo,
         [this] {
             if (frmTests* active = activeModel()) {
                 active->menuChecks.popupTestInfo = !active->menuChecks.popupTestInfo;
             }
         }},
        {Command::HelpContents, [this] { main_.onHelpContents(); }},
        {Command::WebHelp, [this] { showWebHelp(); }},
        {Command::About, [this] { showAbout(); }},
    };
}

void MainWindow::perform(Command command) {
    if (auto found = commands_.find(command); found != commands_.end()) {
        found->second();
    }
    menus_.refresh(menuContext());
}

void MainWindow::runThenFinish(const std::function<void()>& run) {
    // Another run writing the same logs (lumora-cli with the same folder) would mix them; the
    // desktop does not wait for it, it says who holds the folder.
    LogFolderLock logFolder(main_.logFolder());
    if (!logFolder.tryTake(thisRunAsHolder("lumora"))) {
        ui_.showMessage("The log folder \"" + main_.logFolder().string() + "\" is in use by " +
                            logFolder.holder() +
                            "; the run did not start. Run it again when that one has finished.",
                        MessageKind::Warning);
        return;
    }
    run();
    if (main_.exitPending()) {
        close();
    }
}

void MainWindow::chooseDesign(const QString& file) {
    if (main_.blnTestRunning) {
        return; // the run holds the design it started with
    }
    if (std::optional<QString> failure = design_.open(file)) {
        ui_.showMessage(failure->toStdString(), MessageKind::Error);
        return; // the old design stays, and all that refers to it
    }
    // The created geometries were made in the old design: their numbers mean nothing in this one.
    main_.debugList().clear();
    if (debugList_ != nullptr) {
        debugList_->refresh();
    }
    designLabel_->setText(design_.statusText());
    showDesign();
}

bool MainWindow::exportReport(const QString& file) {
    const engine::Design* design = design_.design();
    if (design == nullptr || !recorder_) {
        ui_.showMessage(design_.statusText().toStdString(), MessageKind::Information);
        return false;
    }
    try {
        desktop::exportReport(main_, recorder_->tests(), design_, file.toStdString());
    } catch (const std::exception& failure) {
        ui_.showMessage(failure.what(), MessageKind::Error);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Report written: ") + file);
    return true;
}

// KORVEN's window follows the design; the recorder names the test of each marker it places.
void MainWindow::showDesign() {
    const engine::Design* design = design_.design();
    recorder_ = design != nullptr ? std::make_unique<RunRecorder>(*design) : nullptr;
    main_.setTestListener(recorder_.get());
    board_->setDesign(design, design != nullptr ? design_.file() : QString(),
                      recorder_ ? &recorder_->tests() : nullptr);
    if (design != nullptr) {
        showBoardWindow();
    }
}

// Beside the runner, as KORVEN runs beside it, where the user had it last.
void MainWindow::showBoardWindow() {
    if (board_->isVisible()) {
        return;
    }
    if (!boardPlaced_ && !restoreWindow(*board_, kBoardWindowKey)) {
        const QScreen* shown = screen() != nullptr ? screen() : &startingScreen();
        // Its frame will be as wide as the main window's.
        const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
        board_->setGeometry(
            boardWindowBeside(frameGeometry(), shown->availableGeometry()).marginsRemoved(frame));
    }
    boardPlaced_ = true;
    board_->show();
}

void MainWindow::showTestMarkers(const frmTests& window, long row) {
    const auto ran = [&](const TestRecord& test) {
        return test.script == window.strFilename && test.row == row;
    };
    if (main_.blnTestRunning || !recorder_ || std::ranges::none_of(recorder_->tests(), ran)) {
        return; // the list follows the grid once the row's test has run
    }
    board_->showTest(MarkerFilter::TestRow{window.strFilename, row});
    showBoardWindow();
}

void MainWindow::selectTestRow(const QString& script, long row) {
    for (const auto& [model, sub] : windows_) {
        if (model->strFilename == script.toStdString() && row <= model->grid().testRows()) {
            area_->setActiveSubWindow(sub);
            qobject_cast<ScriptWindow*>(sub->widget())->selectRowQuietly(row);
            return;
        }
    }
}

void MainWindow::windowOpened(frmTests& window) {
    auto* drawing = new ScriptWindow(window, *this);
    QMdiSubWindow* sub = area_->addSubWindow(drawing);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(programIcon());
    sub->resize(660, 460);
    windows_[&window] = sub;
    sub->show();
    area_->setActiveSubWindow(sub);
}

void MainWindow::windowClosing(frmTests& window) {
    if (ScriptWindow* drawing = scriptWindow(window)) {
        drawing->detach();
    }
    windows_.erase(&window);
}

void MainWindow::windowBroughtForward(frmTests& window) {
    if (auto found = windows_.find(&window); found != windows_.end()) {
        area_->setActiveSubWindow(found->second);
    }
}

// The hourglass over the main window and its script windows while any window runs.
void MainWindow::runStateChanged() {
    if (main_.blnTestRunning) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
    for (auto [model, sub] : windows_) {
        if (auto* drawing = qobject_cast<ScriptWindow*>(sub->widget())) {
            drawing->refreshState();
        }
    }
    board_->setRunning(main_.blnTestRunning);
    if (debugList_ != nullptr && !main_.blnTestRunning) {
        debugList_->refresh();
    }
    menus_.refresh(menuContext());
}

// Exit and the close box: during a run the program ends once the run has returned.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!main_.exitApp()) {
        event->ignore();
        return;
    }
    tip_->hide();
    saveWindow(*this, kMainWindowKey);
    if (boardPlaced_) {
        saveWindow(*board_, kBoardWindowKey);
    }
    board_->saveSplitters();
    event->accept();
}

void MainWindow::showDebuggedGeometries() {
    if (debugList_ == nullptr) {
        debugList_ = new DebugListWindow(main_.debugList(), main_, this);
        connect(debugList_, &DebugListWindow::geometriesChanged, this, [this](std::optional<int32_t> framed) {
            board_->showGeometries(framed);
            if (framed) {
                showBoardWindow();
            }
        });
    }
    debugList_->open();
}

// As a failing shell call, a browser that does not start shows no message box; the status bar
// says so.
void MainWindow::showWebHelp() {
    frmTests* active = activeModel();
    if (active == nullptr) {
        return;
    }
    const TestGrid& grid = active->grid();
    const std::optional<QUrl> address =
        webHelpAddress(help_, grid.text(grid.selectedRow(), TestGrid::Name), ui_);
    if (address && !ui_.openUrl(*address)) {
        statusBar()->showMessage(QStringLiteral("No browser could be started for ") + address->toString());
    }
}

void MainWindow::showRunnerSettings() {
    desktop::showRunnerSettings(this, ui_, main_.switches());
}

void MainWindow::showAbout() {
    AboutDialog(this).exec();
}

} // namespace lumora::desktop
