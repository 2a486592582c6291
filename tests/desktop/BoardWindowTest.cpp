// KORVEN's window after the full example script on the example board: markers drawn where they are,
// pan, zoom, fit and layers, the list sorted, filtered and following the grid, a chosen marker
// centred with its items, markers waived and un-waived; and the web help of the selected test.

#include "desktop/BoardWindow.h"
#include "desktop/BoardView.h"
#include "desktop/MainWindow.h"
#include "desktop/QtEventPump.h"
#include "desktop/ScriptWindow.h"
#include "desktop/WebHelp.h"
#include "engine/runtime/WhileWaiting.h"
#include "korven/clsResponse.h"
#include "picture/DrawingCache.h"
#include "picture/LayerStyle.h"
#include "picture/PictureExport.h"
#include "record/Waivers.h"
#include "tests/desktop/DesktopSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lumora;
using namespace lumora::desktop;
using namespace lumora::desktop::test;

namespace {

constexpr QSize kImageSize{1200, 900};

QString cell(const QAbstractItemModel& model, int row, int column) {
    return model.index(row, column).data().toString();
}

// Whether another marker of another severity is drawn within two marker sizes of a point.
bool coveredByOther(const engine::Design& design, const QTransform& fit, const engine::DrcMarker& marker) {
    const QPointF at = fit.map(QPointF(marker.at.x, marker.at.y));
    return std::ranges::any_of(design.drcs, [&](const engine::DrcMarker& other) {
        return other.severity != marker.severity &&
               QLineF(at, fit.map(QPointF(other.at.x, other.at.y))).length() < 2 * picture::kMarkerRadius;
    });
}

double distanceToNearestMarker(const engine::Design& design, const QTransform& fit, QPointF pixel) {
    double nearest = 1e9;
    for (const engine::DrcMarker& marker : design.drcs) {
        nearest = std::min(nearest, QLineF(pixel, fit.map(QPointF(marker.at.x, marker.at.y))).length());
    }
    return nearest;
}

// What the view shows, drawn afresh: the drawing without anything kept, the markers over it.
QImage freshDrawing(BoardView& view) {
    picture::DrawingCache fresh;
    QImage image = fresh.drawing(*view.scene(), view.options(), view.view(), view.size());
    QPainter painter(&image);
    painter.setTransform(view.view());
    picture::paintMarkers(painter, *view.scene(), view.options());
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage shown(BoardView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void sendTo(QWidget& widget, QEvent&& event) {
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<ExampleRun> run_;
    QStringList opened_;
    QStringList messages_;

    BoardWindow& board() { return run_->board(); }
    const engine::Design& design() { return run_->drawn(); }
    // Every pixel of the view that is not background lies on a marker's ring.
    bool onlyMarkersShown() {
        const QImage drawn = shown(board().view());
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if ((drawn.pixel(x, y) | 0xff000000) != picture::kBackground &&
                    distanceToNearestMarker(design(), board().view().view(), QPointF(x + 0.5, y + 0.5)) >
                        picture::kMarkerRadius + 2.5) {
                    return false;
                }
            }
        }
        return true;
    }
    long gridRowOf(const std::string& test) { return run_->gridRowOf(test); }
    void selectGridRow(long row) { run_->selectGridRow(row); }

    // The next message box is answered with OK, its text kept.
    void keepNextMessage() {
        QTimer::singleShot(0, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages_ << box->text();
                box->accept();
            }
        });
    }

  public slots:
    void openUrl(const QUrl& url) { opened_ << url.toString(); }

  private slots:
    void initTestCase() {
        surroundings_ = std::make_unique<ProgramSurroundings>();
        run_ = std::make_unique<ExampleRun>(*surroundings_);
        QVERIFY(design().drcs.size() > 20);
        QVERIFY(board().isVisible());
    }
    void cleanupTestCase() {
        run_.reset();
        surroundings_.reset();
    }

    void markerPixelsLieAtTheMarkers() {
        const picture::BoardScene scene(design(), 1);
        const QTransform fit = picture::fitTransform(scene.bounds(), kImageSize);
        const QImage drawn = picture::renderFile(scene, kImageSize);
        for (const engine::DrcMarker& marker : design().drcs) {
            const QPoint at = fit.map(QPointF(marker.at.x, marker.at.y)).toPoint();
            const QColor seen = drawn.pixelColor(at);
            QVERIFY2(seen == picture::severityColor(marker.severity) || coveredByOther(design(), fit, marker),
                     qPrintable(QString::fromStdString(engine::markerText(marker))));
        }
        // With every layer hidden only the markers remain, each pixel of them within a marker's ring.
        picture::ViewOptions bare;
        for (const auto& layer : design().layers) {
            if (layer) {
                bare.hiddenLayers.insert(layer->number);
            }
        }
        const QImage markersOnly = picture::renderFile(scene, kImageSize, bare);
        for (int y = 0; y < markersOnly.height(); ++y) {
            for (int x = 0; x < markersOnly.width(); ++x) {
                if (markersOnly.pixel(x, y) != picture::kBackground) {
                    // the ring's pen and its antialiased edge reach past the radius
                    QVERIFY2(distanceToNearestMarker(design(), fit, QPointF(x + 0.5, y + 0.5)) <=
                                 picture::kMarkerRadius + 2.5,
                             qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
        QVERIFY(markersOnly != drawn); // the layers did draw
    }

    // A drag moves the picture with the mouse, the wheel zooms about the mouse; what the view keeps
    // between repaints equals a drawing made afresh. Fit shows the whole file again.
    void panZoomAndFit() {
        BoardView& view = board().view();
        board().refreshMarkers(); // nothing chosen, the file fitted
        const QImage before = shown(view);
        const QPoint from(view.width() / 2, view.height() / 2);
        const QPointF grabbed = view.view().inverted().map(QPointF(from));
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        const QPoint to = from + QPoint(37, -23);
        sendTo(view,
               QMouseEvent(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {}));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
        QVERIFY(QLineF(view.toWidget(grabbed), to).length() < 1e-6);
        const QImage moved = shown(view);
        QCOMPARE(moved.pixel(from + QPoint(37, -23)), before.pixel(from));
        QCOMPARE(moved, freshDrawing(view));

        const double scale = view.view().m11();
        const QPointF under = view.view().inverted().map(QPointF(to));
        sendTo(view, QWheelEvent(to, view.mapToGlobal(to), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase,
                                 false));
        QVERIFY(QLineF(view.toWidget(under), to).length() < 1e-6);
        QVERIFY(view.view().m11() > 1.4 * scale);
        QTRY_COMPARE(shown(view), freshDrawing(view)); // once the wheel rests

        board().findChild<QPushButton*>("fitButton")->click();
        const QRectF whole = view.view().mapRect(view.scene()->bounds());
        QVERIFY(QRectF(view.rect()).adjusted(19, 19, -19, -19).contains(whole));
        QVERIFY(std::abs(whole.left() - 20) < 1 || std::abs(whole.top() - 20) < 1);
    }

    // Unticking a layer takes its items out of the picture; ticking it brings them back.
    void aLayerBoxHidesItsItems() {
        board().refreshMarkers();
        QListWidget& layers = board().layers();
        std::vector<Qt::CheckState> before;
        QListWidgetItem* top = layers.findItems("TOP", Qt::MatchExactly).value(0);
        QVERIFY(top != nullptr);
        for (int i = 0; i < layers.count(); ++i) {
            before.push_back(layers.item(i)->checkState());
            layers.item(i)->setCheckState(layers.item(i) == top ? Qt::Checked : Qt::Unchecked);
        }
        const QImage topOnly = shown(board().view());
        QVERIFY(!onlyMarkersShown());
        top->setCheckState(Qt::Unchecked);
        QVERIFY(onlyMarkersShown());
        top->setCheckState(Qt::Checked);
        QCOMPARE(shown(board().view()), topOnly);
        for (int i = 0; i < layers.count(); ++i) {
            layers.item(i)->setCheckState(before[static_cast<std::size_t>(i)]);
        }
    }

    void theListSortsAndAChosenMarkerIsCentredWithItsItems() {
        board().showTest(std::nullopt);
        QTableView& list = board().list();
        QCOMPARE(list.model()->rowCount(), static_cast<int>(design().drcs.size()));
        list.sortByColumn(MarkerTable::Measured, Qt::AscendingOrder);
        for (int row = 1; row < list.model()->rowCount(); ++row) {
            QVERIFY(
                list.model()->index(row - 1, MarkerTable::Measured).data(MarkerTable::kSortRole).toDouble() <=
                list.model()->index(row, MarkerTable::Measured).data(MarkerTable::kSortRole).toDouble());
        }
        const int chosen = list.model()->rowCount() - 1;
        board().selectMarker(chosen);
        const int source = board().filter().mapToSource(board().filter().index(chosen, 0)).row();
        const engine::DrcMarker& marker = board().table().marker(source);
        BoardView& view = board().view();
        const QPointF centre(view.width() / 2.0, view.height() / 2.0);
        QVERIFY(QLineF(view.toWidget(QPointF(marker.at.x, marker.at.y)), centre).length() < 1);
        QCOMPARE(view.options().highlighted, marker.items);
        QCOMPARE(view.options().selectedMarker, std::optional(board().table().row(source).marker));
    }

    // A grid row after the run: its markers only, all of them, the first one chosen.
    void aGridRowNarrowsTheListToItsTest() {
        const long row = gridRowOf("Etch Width");
        QVERIFY(row > 0);
        selectGridRow(row);
        const QAbstractItemModel& list = *board().list().model();
        const RowCounts counts = run_->script->rowCounts(row);
        const int critical = std::stoi(counts.critical);
        QCOMPARE(list.rowCount(), std::stoi(counts.marginal) + critical);
        for (int shown = 0; shown < list.rowCount(); ++shown) {
            QCOMPARE(cell(list, shown, MarkerTable::Test), QString("Etch Width"));
            QCOMPARE(cell(list, shown, MarkerTable::Board), QString("ctrl_board.cc"));
        }
        QCOMPARE(board().list().currentIndex().row(), 0);
        board().filter().setText("critical");
        QCOMPARE(list.rowCount(), critical);
        board().filter().setText("");
    }

    // The waivers file beside the design gains the chosen marker's key with a reason, and loses it
    // again; a waiver already in the file stays.
    void aChosenMarkerIsWaivedAndUnwaived() {
        const std::filesystem::path file = surroundings_->filePath("single-board.waivers.json").toStdString();
        const Waiver older{"Etch Width / ctrl_board.cc / Etch Width / old", "kept", "a", "2026-01-01"};
        saveWaivers(file, {older});
        board().showTest(std::nullopt);
        board().selectMarker(0);
        const int source = board().filter().mapToSource(board().list().currentIndex()).row();
        const std::string key = board().table().row(source).key;
        QVERIFY(key.starts_with(board().table().row(source).test + " / ctrl_board.cc / "));
        auto* waive = board().findChild<QPushButton*>("waiveButton");
        auto* unwaive = board().findChild<QPushButton*>("unwaiveButton");
        QVERIFY(waive->isEnabled() && !unwaive->isEnabled());

        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->setTextValue("fixture clears it");
            dialog->accept();
        });
        waive->click();
        std::vector<Waiver> waivers = loadWaivers(file);
        QCOMPARE(waivers.size(), 2U);
        QCOMPARE(waivers[1].key, key);
        QCOMPARE(waivers[1].reason, std::string("fixture clears it"));
        QCOMPARE(board().list().currentIndex().siblingAtColumn(MarkerTable::Waiver).data().toString(),
                 QString("fixture clears it"));
        QVERIFY(!waive->isEnabled() && unwaive->isEnabled());
        QCOMPARE(board().view().options().waivedMarkers, std::set{board().table().row(source).marker});

        unwaive->click();
        waivers = loadWaivers(file);
        QCOMPARE(waivers.size(), 1U);
        QCOMPARE(waivers[0].key, older.key);
        QVERIFY(
            board().list().currentIndex().siblingAtColumn(MarkerTable::Waiver).data().toString().isEmpty());
    }

    // Catches the header row (selected after every run) ending the program instead of opening the
    // help's base address.
    void webHelpOpensTheSelectedTestsPage() {
        QDesktopServices::setUrlHandler("https", this, "openUrl");
        run_->script->grid().selectRow(0);
        run_->window.perform(Command::WebHelp);
        selectGridRow(gridRowOf("Via Edge To Feature"));
        run_->window.perform(Command::WebHelp);
        QCOMPARE(opened_, (QStringList{helpServer() + "GettingResults/Lumora/",
                                       helpServer() + "GettingResults/Lumora/via/via_edge_to_feature.htm"}));

        QSettings().setValue("webHelp/server", "https://help example/");
        keepNextMessage();
        run_->window.perform(Command::WebHelp);
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].startsWith("Error openning web page. {") && messages_[0].endsWith("}"),
                 qPrintable(messages_[0]));

        // Any scheme was opened: a "file:" server showed local files, another scheme ran its program.
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        for (const char* server : {"file:///etc/", "ftp://help.example/"}) {
            QSettings().setValue("webHelp/server", server);
            keepNextMessage();
            run_->window.perform(Command::WebHelp);
        }
        QSettings().remove("webHelp/server");
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(opened_.size(), 2);
        QCOMPARE(messages_.size(), 3);
        QVERIFY2(
            messages_[1].startsWith("Error openning web page. {\"file:///etc/GettingResults/Lumora/via/"),
            qPrintable(messages_[1]));
        QVERIFY2(
            messages_[2].endsWith("is not a web address: the help server's address starts with http:// or "
                                  "https://}"),
            qPrintable(messages_[2]));
    }

    // Not a test: the README's pictures of KORVEN's window, taken when LUMORA_SCREENSHOTS names a folder.
    void screenshots() {
        const QString folder = qEnvironmentVariable("LUMORA_SCREENSHOTS");
        if (folder.isEmpty()) {
            QSKIP("LUMORA_SCREENSHOTS not set");
        }
        board().resize(1200, 860);
        board().refreshMarkers(); // nothing chosen
        board().showTest(std::nullopt);
        board().view().fit();
        QVERIFY(board().grab().save(folder + "/board-view.png"));
        selectGridRow(gridRowOf("Via Edge To Via Edge"));
        QVERIFY(board().grab().save(folder + "/board-marker.png"));
    }
};

QTEST_MAIN(BoardWindowTest)
#include "BoardWindowTest.moc"
