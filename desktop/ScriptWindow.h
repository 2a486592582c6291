#pragma once

#include "ui/frmTests.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

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

    void rowChanged(long row) override;
    void rowShown(long row) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildGrid();
    void fillRow(long row);
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
    QPoint mouse_{-1, -1};
    bool filling_ = false;
};

} // namespace lumora::desktop
