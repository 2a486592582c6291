#pragma once

#include "testlogic/RunHost.h"
#include "ui/RunnerSwitches.h"
#include "ui/frmDebugList.h"

#include <QDialog>

#include <functional>
#include <optional>

class QTableWidget;

namespace lumora::desktop {

// "Created Geometries": the list of frmCreatedGeometries, shown without blocking. A click on a
// row shows its geometry in KORVEN; "Done" hides the window, its close box reverts the files.
// During a run the rows and buttons do nothing: the run's checks are reading the design.
class DebugListWindow : public QDialog {
    Q_OBJECT
  public:
    DebugListWindow(frmCreatedGeometries& model, const RunHost& host, QWidget* owner);
    // Fills the table from the list and shows the window.
    void open();
    // Fills the table from the list again (a run ended: Run Script emptied it, the run refilled it).
    void refresh();
    QTableWidget& table() { return *table_; }

  signals:
    // An action changed which geometry KORVEN shows for a file; `file` is the file of a row whose
    // geometry is now shown in its place, nullopt after the originals came back.
    void geometriesChanged(std::optional<int32_t> file);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Where the user had it is kept for the next start.
    void hideEvent(QHideEvent* event) override;

  private:
    // Runs the model's action unless a run is in progress.
    void act(const std::function<void()>& action);
    // Brings files back to their own drawing (View Original, Revert All), unless a run is in progress.
    void revert(const std::function<void()>& how);

    frmCreatedGeometries& model_;
    const RunHost& host_;
    QTableWidget* table_;
    bool placed_ = false;
};

// "Debug Settings": the "Debug Mode" box sets the switch at once, which the next run follows;
// shown modally.
void showDebugSettings(QWidget* owner, RunnerSwitches& switches);

} // namespace lumora::desktop
