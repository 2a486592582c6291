#include "desktop/DebugWindows.h"

#include "desktop/Units.h"
#include "desktop/WindowLayout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumora::desktop {

namespace {

constexpr const char* kWindowKey = "createdGeometries";

QString textOf(const CreatedGeometry& row, int column) {
    switch (column) {
    case 0:
        return QString::fromStdString(row.testName);
    case 1:
        return QString::fromStdString(row.fileName);
    case 3:
        return QString::fromStdString(row.geometryName);
    default:
        return QString(); // position, check box and number are cell data only
    }
}

} // namespace

DebugListWindow::DebugListWindow(frmCreatedGeometries& model, const RunHost& host, QWidget* owner)
    : QDialog(owner), model_(model), host_(host), table_(new QTableWidget(this)) {
    setObjectName("frmDebugList");
    setWindowTitle(QString::fromStdString(model.caption()));
    setModal(false);
    table_->setColumnCount(frmCreatedGeometries::kColumns);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    int column = 0;
    for (const frmCreatedGeometries::ColumnSpec& spec : frmCreatedGeometries::columns()) {
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromLatin1(spec.header)));
        table_->setColumnWidth(column, pixelsOf(spec.widthTwips, *this));
        table_->setColumnHidden(column, spec.hidden);
        ++column;
    }
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) {
        act([this, row] {
            if (static_cast<std::size_t>(row) >= model_.rows().size()) {
                return; // the list changed since the table was filled
            }
            model_.selectRow(row + 1);
            const CreatedGeometry& shown = model_.rows().at(static_cast<std::size_t>(row));
            emit geometriesChanged(shown.checked ? std::optional(shown.filePos) : std::nullopt);
        });
    });

    auto* buttons = new QHBoxLayout;
    const auto addButton = [this, buttons](const char* caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(caption);
        buttons->addWidget(button);
        return button;
    };
    connect(addButton("View Original"), &QPushButton::clicked, this,
            [this] { revert([this] { model_.viewOriginal(); }); });
    connect(addButton("Revert All"), &QPushButton::clicked, this,
            [this] { revert([this] { model_.revertAll(); }); });
    connect(addButton("Done"), &QPushButton::clicked, this, &QWidget::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(520, 300);
}

void DebugListWindow::open() {
    refresh();
    if (!placed_) {
        restoreWindow(*this, kWindowKey);
        placed_ = true;
    }
    show();
    raise();
}

void DebugListWindow::refresh() {
    const std::vector<CreatedGeometry>& rows = model_.rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        for (int c = 0; c < frmCreatedGeometries::kColumns; ++c) {
            table_->setItem(r, c, new QTableWidgetItem(textOf(rows[static_cast<std::size_t>(r)], c)));
        }
    }
}

void DebugListWindow::revert(const std::function<void()>& how) {
    act([this, &how] {
        how();
        emit geometriesChanged(std::nullopt);
    });
}

void DebugListWindow::act(const std::function<void()>& action) {
    if (!host_.testRunning()) {
        action();
    }
}

void DebugListWindow::closeEvent(QCloseEvent* event) {
    act([this] {
        model_.revertFiles();
        emit geometriesChanged(std::nullopt);
    });
    event->accept();
}

void DebugListWindow::hideEvent(QHideEvent* event) {
    saveWindow(*this, kWindowKey);
    QDialog::hideEvent(event);
}

void showDebugSettings(QWidget* owner, RunnerSwitches& switches) {
    QDialog dialog(owner);
    dialog.setWindowTitle("Debug Settings");
    auto* debugMode = new QCheckBox("Debug Mode", &dialog);
    debugMode->setChecked(switches.blnDebugOn);
    QObject::connect(debugMode, &QCheckBox::toggled, [&switches](bool on) { switches.blnDebugOn = on; });
    auto* ok = new QPushButton("OK", &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(debugMode);
    layout->addWidget(ok);
    dialog.exec();
}

} // namespace lumora::desktop
