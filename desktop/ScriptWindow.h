#pragma once

#include "ui/frmTests.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <set>
#include <utility>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace lumora::desktop {

class MainWindow;

// frmTests drawn: script location, the run buttons, the totals, and the grid with its colours,
// check boxes, right-click menu and parameter tips.
class ScriptWindow : public QWidget, public GridObserver {
    Q_OBJECT
  public:
    ScriptWindow(frmTests& model, MainWindow& main);
    ~ScriptWindow() override;

    // The model is going: nothing of it is read any more.
    void detach();
    frmTests* model() const { return model_; }
    QTableWidget& grid() { return *grid_; }
    // Buttons, totals and the hourglass from the model.
    void refreshState();
    // The right-click menu's Check All and Uncheck All.
    void checkAll(bool checked);
    // Selects a test's row without narrowing KORVEN's marker list to it anew (the list chose it).
    void selectRowQuietly(long row);

    void rowChanged(long row) override;
    void cellChanged(long row, int column) override;
    void rowShown(long row) override;
    // Shows the cells changed since the last repaint of the counts; a run's end shows them at once.
    void showChangedCells();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildGrid();
    void fitGridFont();
    bool headersFit() const;
    void fillRow(long row);
    QTableWidgetItem& cell(long row, int column);
    void hideTip();
    void mouseMovedTo(QPoint position);
    void showTip();
    void openPopup(QPoint position);
    void onItemChanged(QTableWidgetItem* item);

    frmTests* model_;
    MainWindow& main_;
    QPushButton* run_;
    QPushButton* stop_;
    QPushButton* resume_;
    QLabel* marginalTotal_;
    QLabel* criticalTotal_;
    QTableWidget* grid_;
    QTimer tipTimer_;
    QTimer cellsTimer_;
    std::set<std::pair<long, int>> changedCells_;
    QPoint mouse_{-1, -1};
    bool filling_ = false;
};

} // namespace lumora::desktop
