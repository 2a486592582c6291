#pragma once

#include "desktop/MarkerTable.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableView;

namespace lumora::desktop {

class BoardView;

// KORVEN's window beside the runner: the design's boards and panels drawn with their layers and
// markers, and the marker list. Choosing a marker shows it and the items it names.
class BoardWindow : public QWidget {
    Q_OBJECT
  public:
    explicit BoardWindow(QWidget* parent = nullptr);
    ~BoardWindow() override;

    // The design KORVEN holds now (nullptr: none) and the tests recorded over it.
    void setDesign(const engine::Design* design, const QString& name, const std::vector<TestRecord>* records);
    // After a run: new markers and the tests that placed them.
    void refreshMarkers();
    // While a run's checks read and change the design, the window shows what it showed before and
    // its list is empty; afterwards it shows the run's markers.
    void setRunning(bool running);
    // Narrows the list to one test of a script and chooses its first marker; nullopt lists all tests.
    void showTest(std::optional<MarkerFilter::TestRow> test);
    // Shows a board or panel file of the design.
    void showFile(int32_t file);
    // Selects the list's row (as sorted and filtered) and shows its marker.
    void selectMarker(int listRow);

    BoardView& view() { return *view_; }
    QTableView& list() { return *list_; }
    MarkerFilter& filter() { return filter_; }
    const MarkerTable& table() const { return table_; }
    QListWidget& layers() { return *layers_; }

  private:
    void fillFiles();
    void fillLayers();
    void markerChosen(const QModelIndex& index);

    const engine::Design* design_ = nullptr;
    const std::vector<TestRecord>* records_ = nullptr;
    MarkerTable table_;
    MarkerFilter filter_;
    QComboBox* files_;
    QListWidget* layers_;
    BoardView* view_;
    QLineEdit* search_;
    QTableView* list_;
};

} // namespace lumora::desktop
