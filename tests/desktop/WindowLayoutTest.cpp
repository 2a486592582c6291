// Where the windows appear and that they come back where the user left them.

#include "desktop/WindowLayout.h"
#include "desktop/BoardWindow.h"
#include "tests/desktop/DesktopSupport.h"

#include <QScreen>
#include <QSettings>
#include <QSplitter>

#include <memory>

using namespace lumora::desktop;
using namespace lumora::desktop::test;

namespace {

const QString kDesign = kExamples + "/single-board.json";

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<DesignHost> design_;
    std::unique_ptr<MainWindow> window_;

    void start() {
        design_ = std::make_unique<DesignHost>();
        window_ = std::make_unique<MainWindow>(*design_, surroundings_->logFolder());
        window_->show();
        window_->chooseDesign(kDesign);
        QVERIFY(window_->boardWindow().isVisible());
    }
    // As the user ends the program: the main window closes, then everything goes.
    void end() {
        QVERIFY(window_->close());
        window_.reset();
        design_.reset();
    }
    QSplitter& splitter(const char* name) { return *window_->boardWindow().findChild<QSplitter*>(name); }

  private slots:
    void initTestCase() { surroundings_ = std::make_unique<ProgramSurroundings>(); }
    void cleanupTestCase() { surroundings_.reset(); }
    void init() { QSettings().remove("windows"); }

    // Catches KORVEN's window placed right of a 1000-pixel main window whatever the screen: on a
    // 1600- or 1920-pixel screen half of it, with the marker list and Waive..., lay off the screen.
    void atTheFirstStartBothWindowsLieOnTheScreen() {
        for (const QRect& screen : {QRect(0, 0, 1280, 720), QRect(0, 0, 1600, 900), QRect(0, 0, 1920, 1040),
                                    QRect(1920, 0, 1600, 900), QRect(0, 0, 800, 600)}) {
            const QRect main = mainWindowAtFirstStart(screen);
            const QRect board = boardWindowBeside(main, screen);
            QVERIFY(screen.contains(main));
            QVERIFY2(screen.contains(board), qPrintable(QString("screen %1 wide").arg(screen.width())));
            if (screen.width() >= 1600) { // room enough: side by side
                QVERIFY(!board.intersects(main));
                QVERIFY(board.width() >= 900);
            }
        }
        start();
        const QRect available = window_->screen()->availableGeometry();
        QVERIFY(available.contains(window_->boardWindow().frameGeometry()));
        QVERIFY(available.contains(window_->frameGeometry()));
        end();
    }

    // Catches windows and splitters that start where the program first put them, whatever the
    // user made of them before.
    void windowsAndSplittersAreRememberedBetweenStarts() {
        start();
        const QRect main(40, 30, 420, 380);
        const QRect board(300, 60, 460, 500);
        window_->setGeometry(main);
        window_->boardWindow().setGeometry(board);
        splitter("sides").setSizes({60, 400});
        splitter("boardAndList").setSizes({200, 260});
        const QList<int> sides = splitter("sides").sizes();
        const QList<int> boardAndList = splitter("boardAndList").sizes();
        end();

        start();
        QCOMPARE(window_->geometry(), main);
        QCOMPARE(window_->boardWindow().geometry(), board);
        QCOMPARE(splitter("sides").sizes(), sides);
        QCOMPARE(splitter("boardAndList").sizes(), boardAndList);
        end();
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
