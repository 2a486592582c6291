#include "desktop/BoardView.h"
#include "desktop/BoardWindow.h"
#include "desktop/DebugWindows.h"
#include "desktop/MainWindow.h"
#include "desktop/ProgramIcon.h"
#include "desktop/QtEventPump.h"
#include "desktop/ScriptWindow.h"
#include "desktop/StartUp.h"
#include "desktop/TipWindow.h"
#include "desktop/Units.h"
#include "engine/model/GeometryItems.h"
#include "engine/runtime/WhileWaiting.h"
#include "korven/clsResponse.h"
#include "tests/desktop/DesktopSupport.h"
#include "ui/ToolTip.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lumora;
using namespace lumora::desktop;

using namespace lumora::desktop::test;

namespace {

const QString kDesign = kExamples + "/panel-two-up.json";

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  public slots:
    // The desktop's text viewer, as QDesktopServices would start it.
    void viewText(const QUrl& url) { viewed_ << url.toLocalFile(); }

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<DesignHost> design_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<MessageReader> messages_;
    QStringList viewed_;

    frmTests& open(const char* script) { return openExample(*window_, script); }
    ScriptWindow& drawing(const frmTests& model) { return *window_->scriptWindow(model); }
    QPushButton& button(const frmTests& model, const char* name) {
        return *drawing(model).findChild<QPushButton*>(name);
    }
    QString total(const frmTests& model, const char* name) {
        return drawing(model).findChild<QLabel*>(name)->text();
    }
    QStringList menuCaptions() {
        QStringList captions;
        for (QAction* menu : window_->menuBar()->actions()) {
            captions << menu->text();
        }
        return captions;
    }

  private slots:
    void initTestCase() {
        surroundings_ = std::make_unique<ProgramSurroundings>();
        QDesktopServices::setUrlHandler("file", this, "viewText");
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler("file");
        surroundings_.reset();
    }
    void init() {
        design_ = std::make_unique<DesignHost>();
        window_ = std::make_unique<MainWindow>(*design_, surroundings_->logFolder());
        window_->chooseDesign(kDesign);
        window_->show();
        messages_ = std::make_unique<MessageReader>();
    }
    void cleanup() {
        window_.reset();
        design_.reset();
        messages_.reset();
    }

    void theGridDrawsTheModelAfterARun() {
        QCOMPARE(window_->windowTitle(), QString("Lumora Runner v. 1.2.68"));
        QCOMPARE(menuCaptions(), (QStringList{"&File", "S&ettings", "&Help"}));
        frmTests& model = open("smt-assembly.dfm");
        QCOMPARE(menuCaptions(), (QStringList{"&File", "&Script", "&View", "S&ettings", "&Help"}));
        QTableWidget& grid = drawing(model).grid();
        QCOMPARE(grid.horizontalHeaderItem(TestGrid::Name)->text(), QString("Test Name"));
        QCOMPARE(grid.columnWidth(TestGrid::Name), pixelsOf(2500, grid));
        QVERIFY(grid.isColumnHidden(TestGrid::Var));
        QVERIFY(grid.item(0, TestGrid::Check)->flags().testFlag(Qt::ItemIsUserCheckable));
        QVERIFY(!grid.item(0, TestGrid::Name)->flags().testFlag(Qt::ItemIsEditable));

        grid.item(0, TestGrid::Check)->setCheckState(Qt::Unchecked); // the user unticks row 1
        QVERIFY(!model.grid().checked(1));
        QTest::mouseClick(&button(model, "runButton"), Qt::LeftButton);
        QCOMPARE(grid.item(5, TestGrid::Marginal)->text(), QString("1"));
        QCOMPARE(grid.item(5, TestGrid::Critical)->text(), QString("1"));
        QCOMPARE(grid.item(5, TestGrid::Name)->background().color(), QColor(0, 255, 0));
        QCOMPARE(grid.item(0, TestGrid::Name)->foreground().color(), colorOf(0x808080));
        QCOMPARE(total(model, "marginalTotal"), QString("1"));
        QCOMPARE(total(model, "criticalTotal"), QString("16"));
    }

    void stopContinueAndClosingDuringARun() {
        frmTests& model = open("smt-assembly.dfm");
        QCursor duringRun;
        bool closed = true;
        bool stopped = false;
        bool progressShown = false;
        auto* progress = window_->findChild<QDialog*>("frmStatus");
        DuringRun user([&] {
            progressShown |= progress->isVisible() && progress->windowTitle() == "Processing...";
            if (model.runState().lngCurRow == 3 && !stopped) {
                stopped = true;
                duringRun = window_->cursor();
                closed = window_->area().activeSubWindow()->close();
                button(model, "stopButton").click();
            }
        });
        button(model, "runButton").click();
        QVERIFY(!closed);
        QVERIFY(progressShown);
        QVERIFY(!progress->isVisible());
        QCOMPARE(messages_->texts, QStringList{"smt-assembly is currently running."});
        QCOMPARE(messages_->icons, QList{QMessageBox::Warning}); // a refusal, not a failure
        QCOMPARE(duringRun.shape(), Qt::WaitCursor);
        QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(model.nextRow(), 4L);
        QVERIFY(button(model, "continueButton").isEnabled());
        QVERIFY(!button(model, "stopButton").isEnabled());

        button(model, "continueButton").click();
        QCOMPARE(model.nextRow(), 1L);
        QCOMPARE(drawing(model).grid().item(6, TestGrid::Critical)->text(), QString("8"));
        QCOMPARE(drawing(model).grid().columnWidth(TestGrid::Name), pixelsOf(800, drawing(model)));
    }

    // Catches File > Design... left enabled during a run, whose dialog then ignored the choice.
    void theDesignCannotBeChosenDuringARun() {
        frmTests& model = open("smt-assembly.dfm");
        std::optional<bool> enabledDuringRun;
        DuringRun user([&] {
            if (model.runState().lngCurRow == 2) {
                enabledDuringRun = window_->menus().action(Command::ChooseDesign)->isEnabled();
            }
        });
        button(model, "runButton").click();
        QCOMPARE(enabledDuringRun, std::optional(false));
        QVERIFY(window_->menus().action(Command::ChooseDesign)->isEnabled());
    }

    void checkAllFromThePopupDuringARunReachesTheRowsAhead() {
        frmTests& model = open("smt-assembly.dfm");
        for (long row = 2; row <= model.grid().testRows(); ++row) {
            model.grid().setChecked(row, false);
        }
        QTableWidget& grid = drawing(model).grid();
        bool asked = false;
        DuringRun user([&] {
            if (auto* popup = drawing(model).findChild<QMenu*>(); popup && popup->isVisible()) {
                popup->actions().at(0)->trigger(); // "Check All"
                popup->close();
            } else if (model.runState().lngCurRow == 1 && !asked) {
                asked = true;
                // Posted: the popup's own event loop must not run inside this timer's call.
                QMetaObject::invokeMethod(
                    &grid, [&grid] { emit grid.customContextMenuRequested(QPoint(5, 5)); },
                    Qt::QueuedConnection);
            }
        });
        button(model, "runButton").click();
        QVERIFY(asked);
        QCOMPARE(grid.item(7, TestGrid::Name)->background().color(), QColor(0, 255, 0));
        QCOMPARE(model.totals().critical, 16L);
    }

    void exitDuringARunEndsTheProgramWhenTheRunReturns() {
        frmTests& model = open("smt-assembly.dfm");
        bool closedAtOnce = true;
        DuringRun user([&] {
            if (model.runState().lngCurRow == 2 && window_->isVisible() && !model.runState().blnStop) {
                closedAtOnce = window_->close();
            }
        });
        button(model, "runButton").click();
        QVERIFY(!closedAtOnce);
        QCOMPARE(model.nextRow(), 3L);
        QVERIFY(!window_->isVisible());
    }

    void batchOverTwoWindowsAndItsMenuRule() {
        frmTests& first = open("smt-assembly.dfm");
        QAction* batch = window_->menus().action(Command::RunBatch);
        window_->perform(Command::ViewTimeLog); // refreshes the rules
        QCOMPARE(viewed_.last(), surroundings_->filePath("testtimes.csv"));
        QVERIFY(!batch->isEnabled());
        frmTests& second = open("legacy-v1.dfm");
        batch = window_->menus().action(Command::RunBatch);
        window_->perform(Command::HelpContents);
        QVERIFY(batch->isEnabled());
        QCOMPARE(messages_->texts.last(), QString("There is no help avaliable."));
        batch->trigger();
        QCOMPARE(first.totals().critical, 16L);
        QCOMPARE(drawing(first).grid().item(0, TestGrid::Marginal)->text(), QString("0"));
        QVERIFY(!drawing(second).grid().item(0, TestGrid::Marginal)->text().isEmpty());
        QCOMPARE(window_->area().activeSubWindow()->widget(), &drawing(second));
    }

    // Catches View Log File, the log opened after a failed run, and Web help doing nothing visible
    // where the desktop has no viewer or browser: the log shows read-only in a window of our own,
    // and the status bar says that no browser could be started for the help page.
    void withoutViewersTheLogShowsInAWindowOfOurOwn() {
        QStringList asked;
        window_->userInterface().setUrlOpener([&asked](const QUrl& url) {
            asked << url.toString();
            return false;
        });
        frmTests& model = open("smt-assembly.dfm");
        button(model, "runButton").click();
        window_->perform(Command::ViewLog);
        QCOMPARE(asked.size(), 1);
        auto* shown = window_->findChild<QPlainTextEdit*>();
        QVERIFY(shown != nullptr && shown->isVisible());
        QVERIFY(shown->isReadOnly());
        QVERIFY(shown->toPlainText().contains("Test : Routes Between SMT Pads\n"));
        QVERIFY(shown->window()->windowTitle().startsWith("runner.log"));

        window_->perform(Command::WebHelp);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(window_->statusBar()->currentMessage(), "No browser could be started for " + asked.last());
        QVERIFY(messages_->texts.isEmpty());
    }

    void theTipShowsTheParametersAfterAPause() {
        frmTests& model = open("smt-assembly.dfm");
        window_->area().activeSubWindow()->showMaximized();
        QTableWidget& grid = drawing(model).grid();
        window_->boardWindow().hide(); // on the tests' small screen it lies over the main window
        QPoint overRow2 = grid.visualItemRect(grid.item(1, TestGrid::Name)).center();
        QTest::mouseMove(grid.viewport(), overRow2);
        TipWindow& tip = window_->tipWindow();
        QVERIFY(!tip.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
        std::string text = toolTipText(model.grid().item(2));
        QVERIFY(tip.text().startsWith("Routes Between SMT Pads\nPin_Pitch_Maximum -> 20\n"));
        TwipSize size = toolTipSize(text);
        QCOMPARE(tip.size(), QSize(pixelsOf(size.width, tip), pixelsOf(size.height, tip)));
        QCOMPARE(tip.pos(),
                 grid.viewport()->mapToGlobal(overRow2) + QPoint(pixelsOf(400, tip), pixelsOf(1200, tip)));

        model.menuChecks.popupTestInfo = false;
        QTest::mouseMove(grid.viewport(), overRow2 + QPoint(0, grid.rowHeight(0)));
        QTest::qWait(900);
        QVERIFY(tip.isVisible()); // not tracked: the old tip stays until the mouse is tracked again
    }

    // A bad limit is refused when the box is left and by OK; a good one is stored, rounded half to even.
    void theSettingsDialogsCheckWhatTheyAreGiven() {
        window_->model().switches().intDRCLimit = 7;
        bool stored = false;
        inDialog("frmRunnerSettings", [&](QDialog& dialog) {
            auto* limit = dialog.findChild<QLineEdit*>();
            QCOMPARE(limit->text(), QString("7"));
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            limit->setFocus();
            limit->setText("32768");
            QTest::keyClick(limit, Qt::Key_Tab);
            QTRY_COMPARE(messages_->texts, QStringList{"Error: Invalid value"});
            QTRY_COMPARE(dialog.focusWidget(), limit); // Tab had moved it to OK
            limit->setText("ten");
            dialog.findChild<QPushButton*>()->click();
            QTRY_COMPARE(messages_->texts.size(), 2);
            QVERIFY(dialog.isVisible());
            QCOMPARE(window_->model().switches().intDRCLimit, int16_t{7});
            limit->setText("2.5");
            dialog.findChild<QPushButton*>()->click();
            stored = !dialog.isVisible();
        });
        window_->perform(Command::RunnerSettings);
        QVERIFY(stored);
        QCOMPARE(window_->model().switches().intDRCLimit, int16_t{2});
        QCOMPARE(messages_->texts.size(), 2);

        inDialog("", [this](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Debug Settings"));
            dialog.findChild<QCheckBox*>()->click();
            QVERIFY(window_->model().switches().blnDebugOn); // at once, before OK
            dialog.findChild<QPushButton*>()->click();
            QVERIFY(!dialog.isVisible());
        });
        window_->perform(Command::DebugSettings);
        QVERIFY(window_->model().switches().blnDebugOn);
    }

    // A row shows its geometry framed in KORVEN's window, View Original the file's own; during a run
    // a click does nothing (the run keeps its connection and finds what it finds).
    void createdGeometriesShowInTheBoardViewBetweenRuns() {
        window_->model().switches().blnDebugOn = true;
        frmTests& model = open("smt-assembly.dfm");
        button(model, "runButton").click();
        window_->perform(Command::ShowDebuggedGeometries);
        auto* list = window_->findChild<DebugListWindow*>();
        QVERIFY(list->table().rowCount() > 0);
        DuringRun user([&] {
            if (model.runState().lngCurRow == 3) {
                emit list->table().cellClicked(0, 0);
            }
        });
        button(model, "runButton").click();
        QCOMPARE(model.totals().critical, 16L);
        BoardView& view = window_->boardWindow().view();
        QVERIFY(!view.scene()->showsOtherGeometry());

        // A geometry with items, of another file than the one shown first.
        const std::vector<CreatedGeometry>& rows = window_->model().debugList().rows();
        const auto shown = std::ranges::find_if(rows, [this](const CreatedGeometry& row) {
            return row.checked && row.filePos != 1 &&
                   engine::itemCount(design_->design()->geometry(row.geomNum)) > 1;
        });
        QVERIFY(shown != rows.end());
        const int row = static_cast<int>(shown - rows.begin());
        const CreatedGeometry created = *shown;
        emit list->table().cellClicked(row, 0);
        QCOMPARE(view.scene()->file().number, created.filePos);
        QCOMPARE(view.scene()->block().number, created.geomNum);
        QVERIFY(window_->boardWindow().shownGeometry().text().contains(
            QString::fromStdString(created.geometryName)));
        const QRectF framed = view.view().mapRect(view.scene()->itemBounds());
        QVERIFY(QRectF(view.rect()).contains(framed));
        QVERIFY(framed.width() > 0.8 * view.width() || framed.height() > 0.8 * view.height());

        list->findChild<QPushButton*>("View Original")->click();
        QCOMPARE(view.scene()->block().number, view.scene()->file().geometry);
        QVERIFY(window_->boardWindow().shownGeometry().isHidden());
    }

    // Catches the program ending ("no file 2" thrown through Qt's event loop) when a row of Created
    // Geometries made in the last design is clicked after File > Design... chose another: the list
    // is emptied with the design, and KORVEN's window told of a file or geometry the design lacks
    // keeps what it shows and says so.
    void aNewDesignLeavesNoStaleNumbersBehind() {
        window_->model().switches().blnDebugOn = true;
        frmTests& model = open("smt-assembly.dfm");
        button(model, "runButton").click();
        window_->perform(Command::ShowDebuggedGeometries);
        auto* list = window_->findChild<DebugListWindow*>();
        const auto& rows = window_->model().debugList().rows();
        QVERIFY(std::ranges::any_of(rows, [](const CreatedGeometry& row) { return row.filePos == 2; }));

        window_->chooseDesign(kExamples + "/single-board.json");
        QVERIFY(rows.empty());
        QCOMPARE(list->table().rowCount(), 0);
        BoardWindow& board = window_->boardWindow();
        const int32_t shown = board.view().scene()->file().number;
        board.showFile(2);
        board.showGeometries(2);
        QCOMPARE(board.view().scene()->file().number, shown);
        QVERIFY(board.findChild<QStatusBar*>()->currentMessage().contains("no file 2"));
    }

    // Catches failures shown with the information icon, as facts are.
    // Catches an About box without its picture, and one that a click on its body leaves open.
    void theAboutBoxShowsItsPictureAndAClickClosesIt() {
        bool closedByClick = false;
        inDialog("frmAbout", [&](QDialog& about) {
            QCOMPARE(about.windowTitle(), QString("About Lumora Runner"));
            QVERIFY(!about.findChild<QLabel*>("picture")->pixmap().isNull());
            QCOMPARE(about.findChild<QLabel*>("version")->text(), QString("Lumora Runner V.1.2.68"));
            QTest::mouseClick(about.findChild<QLabel*>("notice"), Qt::LeftButton);
            closedByClick = !about.isVisible();
        });
        window_->perform(Command::About);
        QVERIFY(closedByClick);
    }

    void theDesignIsRememberedAndABadOneKeepsTheOld() {
        window_->chooseDesign(kScripts + "/smt-assembly.dfm");
        window_->perform(Command::HelpContents);
        QCOMPARE(messages_->icons, (QList{QMessageBox::Critical, QMessageBox::Information}));
        QCOMPARE(design_->file(), kDesign);
        QCOMPARE(window_->statusBar()->findChild<QLabel*>()->text(), "Design: " + kDesign);
        DesignHost next;
        next.openRemembered();
        QCOMPARE(next.file(), kDesign);
    }

    // Not a test: the README's pictures, taken when LUMORA_SCREENSHOTS names a folder.
    void screenshots() {
        QString folder = qEnvironmentVariable("LUMORA_SCREENSHOTS");
        if (folder.isEmpty()) {
            QSKIP("LUMORA_SCREENSHOTS not set");
        }
        window_->resize(1200, 640);
        window_->setWindowIcon(programIcon());
        open("all-tests.dfm");
        frmTests& smt = open("smt-assembly.dfm");
        window_->area().tileSubWindows();
        button(smt, "runButton").click();
        QTest::qWait(100);
        QVERIFY(window_->grab().save(folder + "/main-window.png"));
        QTableWidget& grid = drawing(smt).grid();
        QTest::mouseMove(grid.viewport(), grid.visualItemRect(grid.item(0, TestGrid::Name)).center());
        QTRY_VERIFY(window_->tipWindow().isVisible());
        QVERIFY(window_->tipWindow().grab().save(folder + "/tool-tip.png"));
    }

    void singleInstanceAndRegisterOnly() {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LUMORA_HOME", surroundings_->home());
        auto start = [&](const QStringList& arguments) {
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(env);
            process->start(LUMORA_EXE, arguments);
            return process;
        };
        auto registerOnly = start({"/registeronly"});
        QVERIFY(registerOnly->waitForFinished(10000));
        QCOMPARE(registerOnly->exitCode(), 0);
        // Catches the word in another letter case, or followed by more, taken for a script's name.
        QCOMPARE(scriptArguments({"lumora", "/RegisterOnly"}), QStringList());
        QCOMPARE(scriptArguments({"lumora", "/registeronly", "a.dfm"}), QStringList{"a.dfm"});
        auto otherCase = start({"/RegisterOnly"});
        QVERIFY(!otherCase->waitForFinished(1500)); // started normally: it waits for its user

        auto second = start({});
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += second->readAllStandardError()).contains(kAnotherInstance), 10000);
        second->kill();
        otherCase->kill();
        second->waitForFinished();
        otherCase->waitForFinished();
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
