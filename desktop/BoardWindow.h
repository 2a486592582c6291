#pragma once

#include "desktop/MarkerTable.h"

#include <QWidget>

#include <filesystem>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTableView;

namespace lumora::desktop {

class BoardView;

// KORVEN's window beside the runner: the design's boards and panels drawn with their layers and
// markers, and the marker list. Choosing a marker shows it and the items it names; a click on a
// marker on the board chooses it in the list, the mouse resting on one shows its text, and the
// status bar reads out where the mouse is in the design's units. Keys: F fits, + and - zoom, N and
// P (F3, Shift+F3) choose the next and previous marker of the list, Esc chooses none.
class BoardWindow : public QWidget {
    Q_OBJECT
  public:
    explicit BoardWindow(QWidget* parent = nullptr);
    ~BoardWindow() override;

    // The design KORVEN holds now (nullptr: none), its file, and the tests recorded over it. The
    // waivers are those of DESIGN.waivers.json beside the design file.
    void setDesign(const engine::Design* design, const QString& file, const std::vector<TestRecord>* records);
    // After a run: new markers and the tests that placed them.
    void refreshMarkers();
    // While a run's checks read and change the design, the window shows what it showed before and
    // its list is empty; afterwards it shows the run's markers.
    void setRunning(bool running);
    // Narrows the list to one test of a script and chooses its first marker; nullopt lists all tests.
    void showTest(std::optional<MarkerFilter::TestRow> test);
    // Shows a board or panel file of the design; false, with a note in the status bar, when the
    // design has no such file (a number of another design) and what was shown stays.
    bool showFile(int32_t file);
    // After the Created Geometries window changed which geometry KORVEN shows for a file: draws the
    // files afresh and, when `framed` names the file of a geometry now shown, shows that file with
    // the geometry framed.
    void showGeometries(std::optional<int32_t> framed);
    // Selects the list's row (as sorted and filtered) and shows its marker.
    void selectMarker(int listRow);
    // Chooses a marker of the design (its position in the design's markers) in the list, which
    // narrows to the marker's test; tells which grid row that test ran in.
    void chooseMarker(std::size_t marker);
    // The next (+1) or previous (-1) marker of the list; the first or last when none is chosen.
    void stepMarker(int step);
    // No marker chosen, nothing lit on the board.
    void clearChoice();
    // What the mouse resting on a marker shows: severity, test, check, measured against required, items,
    // waiver.
    QString markerTip(std::size_t marker) const;
    // The splitters' positions are kept for the next start.
    void saveSplitters() const;
    // The list as the filter shows it, as CSV; a failure is shown.
    bool exportList(const QString& file);
    // Waives the chosen marker with a reason, or takes its waiver back, in the waivers file.
    void waiveChosen(const std::string& reason);
    void unwaiveChosen();

    BoardView& view() { return *view_; }
    QTableView& list() { return *list_; }
    MarkerFilter& filter() { return filter_; }
    const MarkerTable& table() const { return table_; }
    QListWidget& layers() { return *layers_; }
    // Names the geometry shown in place of the file's own; hidden when the file shows its own.
    const QLabel& shownGeometry() const { return *shownGeometry_; }
    // Where the mouse is, in the design's units.
    const QLabel& coordinates() const { return *coordinates_; }

  signals:
    // A marker chosen on the board was placed by the test of this script's grid row.
    void testRowChosen(const QString& script, long gridRow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void readWaivers();
    // Applies a change to the waivers as the file holds them now and writes the file.
    void changeWaivers(const std::function<void(std::vector<Waiver>&)>& change);
    void refreshWaiverButtons();
    // The board draws waived markers grey.
    void markWaivedMarkers();
    // Waivers written before items were named by identity take the keys of the markers they name.
    void migrateWaivers(std::vector<Waiver>& waivers) const;
    // The chosen row of the list, in the table's rows; nullopt when none is chosen.
    std::optional<int> chosenRow() const;
    void setUpList();
    void layOut();
    void connectControls();
    void connectView();
    void addKeys();
    void fillFiles();
    void fillLayers();
    void markerChosen(const QModelIndex& index);
    void showCoordinates(QPointF point);
    // The table's row of a marker of the design; -1 when the list holds none.
    int tableRowOf(std::size_t marker) const;

    const engine::Design* design_ = nullptr;
    const std::vector<TestRecord>* records_ = nullptr;
    MarkerTable table_;
    MarkerFilter filter_;
    QComboBox* files_;
    QLabel* shownGeometry_;
    QListWidget* layers_;
    BoardView* view_;
    QLineEdit* search_;
    QTableView* list_;
    QPushButton* allTests_;
    QPushButton* fit_;
    QPushButton* waive_;
    QPushButton* unwaive_;
    QPushButton* exportList_;
    QStatusBar* status_;
    QLabel* coordinates_;
    QSplitter* sides_;     // layers | drawing
    QSplitter* boardList_; // board above the marker list
    std::filesystem::path waiversFile_;
    std::vector<Waiver> waivers_;
    bool waiversWritable_ = false; // false after the file could not be read: it is left alone
};

} // namespace lumora::desktop
