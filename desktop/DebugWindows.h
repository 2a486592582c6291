#pragma once

#include "ui/frmDebugList.h"

#include <QDialog>

class QTableWidget;

namespace lumora::desktop {

// "Created Geometries": the list of frmCreatedGeometries, shown without blocking. A click on a
// row shows its geometry in KORVEN; "Done" hides the window, its close box reverts the files.
class DebugListWindow : public QDialog {
    Q_OBJECT
  public:
    DebugListWindow(frmCreatedGeometries& model, QWidget* owner);
    // Fills the table from the list and shows the window.
    void open();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    frmCreatedGeometries& model_;
    QTableWidget* table_;
};

// "Debug Settings": the "Debug Mode" box sets debug mode at once; shown modally.
void showDebugSettings(QWidget* owner);

} // namespace lumora::desktop
