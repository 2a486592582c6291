// The script window's grid while KORVEN reports violations and while the mouse moves over it.

#include "desktop/ScriptWindow.h"
#include "desktop/TipWindow.h"
#include "tests/desktop/DesktopSupport.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTableWidget>

#include <memory>

using namespace lumora;
using namespace lumora::desktop;
using namespace lumora::desktop::test;

namespace {

// Counts the repaints of a widget.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class ScriptGridTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<DesignHost> design_;
    std::unique_ptr<MainWindow> window_;
    frmTests* script_ = nullptr;

    QTableWidget& grid() { return window_->scriptWindow(*script_)->grid(); }

  private slots:
    void initTestCase() { surroundings_ = std::make_unique<ProgramSurroundings>(); }
    void cleanupTestCase() { surroundings_.reset(); }
    void init() {
        design_ = std::make_unique<DesignHost>();
        window_ = std::make_unique<MainWindow>(*design_, surroundings_->logFolder());
        window_->show();
        script_ = &openExample(*window_, "smt-assembly.dfm");
        window_->area().activeSubWindow()->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        design_.reset();
    }

    // Catches the grid's row made anew for every violation KORVEN reports (six new cells and a
    // repaint per callback: 45 s for a test that takes 1.2 s at the command line): the cell stays
    // the same object, thousands of callbacks repaint the grid a few times, and the count is in
    // sight soon after.
    void countsAreShownInPlaceAndTogether() {
        QTableWidgetItem* critical = grid().item(0, TestGrid::Critical);
        QVERIFY(critical != nullptr);
        PaintCounter counter(*grid().viewport());
        script_->runState().lngCurRow = 1;
        clsResponse response;
        constexpr int kCallbacks = 3000;
        for (int i = 0; i < kCallbacks; ++i) {
            response.Response("DRC Added", "Critical"); // lets the window's events through first
        }
        QVERIFY2(counter.paints < kCallbacks / 30, qPrintable(QString::number(counter.paints)));
        QCOMPARE(grid().item(0, TestGrid::Critical), critical);
        QTRY_COMPARE_WITH_TIMEOUT(critical->text(), QString::number(kCallbacks), 1000);
        script_->runState().lngCurRow = -1;
    }

    // Catches headers cut short at the columns' widths in twips ("Margina" for "Marginal").
    void theHeadersFitTheirColumns() {
        const QHeaderView& header = *grid().horizontalHeader();
        for (int column = 0; column < TestGrid::Var; ++column) {
            QVERIFY2(header.sectionSizeHint(column) <= grid().columnWidth(column),
                     qPrintable(grid().horizontalHeaderItem(column)->text()));
        }
        QVERIFY(grid().font().pointSizeF() <= 9);
    }

    // Catches the parameter tip left up when the mouse leaves the grid (over a menu or another
    // window), and a tip that was about to appear appearing after it left.
    void theTipGoesWhenTheMouseLeavesTheGrid() {
        TipWindow& tip = window_->tipWindow();
        const QPoint overRow = grid().visualItemRect(grid().item(1, TestGrid::Name)).center();
        QTest::mouseMove(grid().viewport(), overRow);
        QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
        QTest::mouseMove(window_->menuBar(), QPoint(5, 5));
        QTRY_VERIFY_WITH_TIMEOUT(!tip.isVisible(), 1000);

        QTest::mouseMove(grid().viewport(), overRow + QPoint(0, grid().rowHeight(0)));
        QTest::mouseMove(window_->menuBar(), QPoint(6, 6)); // before the tip's pause is over
        QTest::qWait(900);
        QVERIFY(!tip.isVisible());
    }
};

QTEST_MAIN(ScriptGridTest)
#include "ScriptGridTest.moc"
