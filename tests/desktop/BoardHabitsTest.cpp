// What the mouse and the keys do in KORVEN's window after the full example script ran on the
// example board: a click on a marker chooses it, the mouse resting on one shows its text, the
// status bar reads out where the mouse is, and the keys fit, zoom and step through the markers.

#include "desktop/BoardView.h"
#include "picture/MarkerHits.h"
#include "tests/desktop/DesktopSupport.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QToolTip>

#include <memory>

using namespace lumora;
using namespace lumora::desktop;
using namespace lumora::desktop::test;

class BoardHabitsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<ExampleRun> run_;

    BoardWindow& board() { return run_->board(); }
    BoardView& view() { return board().view(); }
    // The marker the list has chosen, as a position in the design's markers; nothing when none.
    std::optional<std::size_t> chosen() {
        const QModelIndex current = board().list().currentIndex();
        if (!current.isValid()) {
            return std::nullopt;
        }
        return board().table().row(board().filter().mapToSource(current).row()).marker;
    }
    // A marker of the shown file with no other within two rings of it, and where it is drawn.
    std::pair<std::size_t, QPoint> lonelyMarker() {
        const auto& markers = run_->drawn().drcs;
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const QPointF at = view().toWidget(QPointF(markers[i].at.x, markers[i].at.y));
            const bool alone = std::ranges::none_of(markers, [&](const engine::DrcMarker& other) {
                return &other != &markers[i] &&
                       QLineF(at, view().toWidget(QPointF(other.at.x, other.at.y))).length() <
                           2 * picture::kMarkerRadius;
            });
            if (alone && markers[i].file == view().scene()->file().number &&
                QRectF(view().rect()).contains(at)) {
                return {i, at.toPoint()};
            }
        }
        return {markers.size(), {}};
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&board().list(), static_cast<Qt::Key>(key), modifiers);
    }

  private slots:
    void initTestCase() {
        surroundings_ = std::make_unique<ProgramSurroundings>();
        run_ = std::make_unique<ExampleRun>(*surroundings_);
        board().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&board()));
    }
    void cleanupTestCase() {
        run_.reset();
        surroundings_.reset();
    }
    void init() {
        board().showTest(std::nullopt);
        board().clearChoice();
        view().fit();
    }

    // Catches a click on a marker on the board that does nothing: it is chosen in the list, which
    // narrows to its test, and the grid selects the row that test ran in.
    void aClickOnAMarkerChoosesItAndItsTestsRow() {
        const auto [marker, at] = lonelyMarker();
        QVERIFY(marker < run_->drawn().drcs.size());
        QTest::mouseClick(&view(), Qt::LeftButton, {}, at);
        QCOMPARE(chosen(), std::optional(marker));
        const MarkerRow& row =
            board().table().row(board().filter().mapToSource(board().list().currentIndex()).row());
        QCOMPARE(board().filter().test()->gridRow, row.gridRow);
        QCOMPARE(run_->script->grid().selectedRow(), row.gridRow);
        QCOMPARE(run_->window.scriptWindow(*run_->script)->grid().currentRow() + 1, row.gridRow);
        QCOMPARE(view().options().selectedMarker, std::optional(marker)); // the grid left the choice alone

        const QPoint beside = at + QPoint(3 * static_cast<int>(picture::kMarkerRadius), 0);
        if (!picture::markerAt(*view().scene(), view().options(), view().view(), beside)) {
            QTest::mouseClick(&view(), Qt::LeftButton, {}, beside);
            QCOMPARE(chosen(), std::optional(marker)); // a click beside every marker changes nothing
        }
    }

    // Catches a marker whose text cannot be read without choosing it: the mouse resting on it shows
    // its severity, test, check and measure.
    void theMouseRestingOnAMarkerShowsItsText() {
        const auto [marker, at] = lonelyMarker();
        QHelpEvent rest(QEvent::ToolTip, at, view().mapToGlobal(at));
        QApplication::sendEvent(&view(), &rest);
        QTRY_VERIFY(QToolTip::isVisible());
        const engine::DrcMarker& shown = run_->drawn().drcs[marker];
        QCOMPARE(QToolTip::text(), board().markerTip(marker));
        QVERIFY(QToolTip::text().startsWith(QString::fromStdString(shown.severity.str()) + ": "));
        QVERIFY(QToolTip::text().contains(QString::fromStdString(engine::markerText(shown))));
        QToolTip::hideText();
    }

    // Catches a status bar that does not say where the mouse is, or says it in pixels.
    void theStatusBarReadsOutTheCursorInTheDesignsUnits() {
        const QPoint at(view().width() / 3, view().height() / 4);
        QTest::mouseMove(&view(), at);
        const QPointF point = view().view().inverted().map(QPointF(at));
        const QStringList words = board().coordinates().text().split(' ', Qt::SkipEmptyParts);
        QCOMPARE(words.size(), 5);
        QCOMPARE(words[0], QString("X"));
        QVERIFY(std::abs(words[1].toDouble() - point.x()) < 1 / view().view().m11());
        QVERIFY(std::abs(words[3].toDouble() - point.y()) < 1 / view().view().m11());
        QCOMPARE(words[4], QString("Mils"));
    }

    // Catches keys that do nothing in KORVEN's window: F fits, + and - zoom about the middle,
    // N and P (F3, Shift+F3) step through the list, Esc chooses nothing.
    void theKeysFitZoomAndStepThroughTheMarkers() {
        const QTransform fitted = view().view();
        const QPointF middle = QRectF(view().rect()).center();
        const QPointF underMiddle = fitted.inverted().map(middle);
        press(Qt::Key_Plus);
        QVERIFY(std::abs(view().view().m11() / fitted.m11() - 1.25) < 1e-9);
        QVERIFY(QLineF(view().toWidget(underMiddle), middle).length() < 1e-6);
        press(Qt::Key_Minus);
        press(Qt::Key_Minus);
        QVERIFY(std::abs(view().view().m11() / fitted.m11() - 0.8) < 1e-9);
        press(Qt::Key_F);
        QCOMPARE(view().view(), fitted);

        press(Qt::Key_N);
        QCOMPARE(board().list().currentIndex().row(), 0);
        press(Qt::Key_F3);
        press(Qt::Key_N);
        QCOMPARE(board().list().currentIndex().row(), 2);
        press(Qt::Key_P);
        press(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(board().list().currentIndex().row(), 0);
        QVERIFY(view().options().selectedMarker.has_value());
        press(Qt::Key_Escape);
        QCOMPARE(chosen(), std::nullopt);
        QVERIFY(!view().options().selectedMarker.has_value());
        QVERIFY(view().options().highlighted.empty());
        press(Qt::Key_P);
        QCOMPARE(board().list().currentIndex().row(), board().list().model()->rowCount() - 1);

        auto* filterBox = board().findChild<QLineEdit*>();
        filterBox->setFocus();
        QTest::keyClicks(filterBox, "np");
        QCOMPARE(filterBox->text(), QString("np")); // typed, not taken as keys of the window
        QCOMPARE(board().list().currentIndex().row(), board().list().model()->rowCount() - 1);
        filterBox->clear();
    }
};

QTEST_MAIN(BoardHabitsTest)
#include "BoardHabitsTest.moc"
