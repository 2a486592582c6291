#include "desktop/ScriptWindow.h"

#include "app/MenuModel.h"
#include "desktop/MainWindow.h"
#include "desktop/MenuBuilder.h"
#include "desktop/TipWindow.h"
#include "desktop/Units.h"
#include "ui/ToolTip.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumora::desktop {

namespace {

constexpr int kTipDelayMs = 700;
constexpr long kTipOffsetXTwips = 400;
constexpr long kTipOffsetYTwips = 1200;
// Counts changed by KORVEN's callbacks are shown together, twenty times a second: drawn one by
// one, the repaints cost far more than the test.
constexpr int kCountsRefreshMs = 50;
// The grid's font: at most this size, smaller where the headers would not fit the columns' widths.
constexpr double kGridPointSize = 9;
constexpr double kSmallestGridPointSize = 6;

QPushButton* button(const char* caption, const char* name, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    return made;
}

} // namespace

ScriptWindow::ScriptWindow(frmTests& model, MainWindow& main)
    : model_(&model), main_(main), run_(button("Run Script", "runButton", this)),
      stop_(button("Stop Script", "stopButton", this)),
      resume_(button("Continue Script", "continueButton", this)), marginalTotal_(new QLabel(this)),
      criticalTotal_(new QLabel(this)), grid_(new QTableWidget(this)) {
    setWindowTitle(QString::fromStdString(model.caption()));
    marginalTotal_->setObjectName("marginalTotal");
    criticalTotal_->setObjectName("criticalTotal");

    auto* location = new QLineEdit(QString::fromStdString(model.strFilename), this);
    location->setReadOnly(true);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Script Location :", this));
    top->addWidget(location, 1);

    auto* totals = new QGroupBox("Test Markers Placed", this);
    auto* totalsGrid = new QGridLayout(totals);
    totalsGrid->addWidget(new QLabel("Marginal", totals), 0, 0);
    totalsGrid->addWidget(marginalTotal_, 0, 1);
    totalsGrid->addWidget(new QLabel("Critical", totals), 1, 0);
    totalsGrid->addWidget(criticalTotal_, 1, 1);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {run_, stop_, resume_}) {
        buttons->addWidget(b);
    }
    auto* middle = new QHBoxLayout;
    middle->addLayout(buttons);
    middle->addStretch(1);
    middle->addWidget(totals);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(grid_, 1);

    connect(run_, &QPushButton::clicked, this,
            [this] { main_.runThenFinish([this] { model_->runScript(); }); });
    connect(resume_, &QPushButton::clicked, this,
            [this] { main_.runThenFinish([this] { model_->continueScript(); }); });
    connect(stop_, &QPushButton::clicked, this, [this] { model_->stopScript(); });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (model_ != nullptr && row >= 0) {
            model_->grid().selectRow(row + 1);
            main_.showTestMarkers(*model_, row + 1);
        }
    });
    tipTimer_.setSingleShot(true);
    tipTimer_.setInterval(kTipDelayMs);
    connect(&tipTimer_, &QTimer::timeout, this, &ScriptWindow::showTip);
    cellsTimer_.setSingleShot(true);
    cellsTimer_.setInterval(kCountsRefreshMs);
    connect(&cellsTimer_, &QTimer::timeout, this, &ScriptWindow::showChangedCells);

    buildGrid();
    model.grid().setObserver(this);
    refreshState();
}

ScriptWindow::~ScriptWindow() {
    detach();
}

void ScriptWindow::detach() {
    if (model_ != nullptr) {
        model_->grid().setObserver(nullptr);
        model_ = nullptr;
    }
    tipTimer_.stop();
    cellsTimer_.stop();
    changedCells_.clear();
}

void ScriptWindow::buildGrid() {
    grid_->setObjectName("grid");
    grid_->setColumnCount(TestGrid::kColumns);
    QStringList headers;
    for (const TestGrid::ColumnSpec& column : TestGrid::columns()) {
        headers << QString::fromLatin1(column.header);
    }
    grid_->setHorizontalHeaderLabels(headers);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->setMouseTracking(true);
    grid_->viewport()->setMouseTracking(true);
    grid_->viewport()->installEventFilter(this);
    connect(grid_, &QTableWidget::customContextMenuRequested, this, &ScriptWindow::openPopup);
    connect(grid_, &QTableWidget::itemChanged, this, &ScriptWindow::onItemChanged);
    rowChanged(0);
    fitGridFont();
}

// The headers read whole ("Marginal", not "Margina") at the columns' widths in twips.
void ScriptWindow::fitGridFont() {
    QFont font = grid_->font();
    font.setPointSizeF(std::min(font.pointSizeF(), kGridPointSize));
    grid_->setFont(font);
    while (!headersFit() && font.pointSizeF() > kSmallestGridPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        grid_->setFont(font);
    }
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
}

bool ScriptWindow::headersFit() const {
    const QHeaderView& header = *grid_->horizontalHeader();
    for (int c = 0; c < TestGrid::kColumns; ++c) {
        if (!grid_->isColumnHidden(c) && header.sectionSizeHint(c) > grid_->columnWidth(c)) {
            return false;
        }
    }
    return true;
}

void ScriptWindow::rowChanged(long row) {
    const TestGrid& grid = model_->grid();
    if (row != 0) {
        fillRow(row);
    } else {
        grid_->setRowCount(static_cast<int>(grid.testRows()));
        for (int c = 0; c < TestGrid::kColumns; ++c) {
            grid_->setColumnWidth(c, pixelsOf(grid.columnWidth(c), *this));
            grid_->setColumnHidden(c, grid.columnWidth(c) == 0);
        }
        for (long r = 1; r <= grid.testRows(); ++r) {
            fillRow(r);
        }
    }
    refreshState();
}

// The row's cells are changed where they are: made anew, each would be laid out and drawn anew.
void ScriptWindow::fillRow(long row) {
    const TestGrid& grid = model_->grid();
    filling_ = true;
    if (grid_->rowCount() < grid.testRows()) {
        grid_->setRowCount(static_cast<int>(grid.testRows()));
    }
    for (int c = 0; c < TestGrid::Var; ++c) {
        QTableWidgetItem& item = cell(row, c);
        item.setText(QString::fromStdString(grid.text(row, c)));
        if (c == TestGrid::Check) {
            item.setCheckState(grid.checked(row) ? Qt::Checked : Qt::Unchecked);
        }
        if (c != TestGrid::Number) {
            item.setForeground(colorOf(grid.foreColor(row, c)));
            item.setBackground(colorOf(grid.backColor(row, c)));
        }
    }
    filling_ = false;
}

QTableWidgetItem& ScriptWindow::cell(long row, int column) {
    if (QTableWidgetItem* item = grid_->item(static_cast<int>(row - 1), column)) {
        return *item;
    }
    auto* item = new QTableWidgetItem;
    item->setFlags(column == TestGrid::Check
                       ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                       : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid_->setItem(static_cast<int>(row - 1), column, item);
    return *item;
}

void ScriptWindow::cellChanged(long row, int column) {
    changedCells_.emplace(row, column);
    if (!cellsTimer_.isActive()) {
        cellsTimer_.start();
    }
}

void ScriptWindow::showChangedCells() {
    cellsTimer_.stop();
    if (model_ == nullptr) {
        return;
    }
    const TestGrid& grid = model_->grid();
    for (auto [row, column] : changedCells_) {
        if (row <= grid.testRows()) {
            cell(row, column).setText(QString::fromStdString(grid.text(row, column)));
        }
    }
    changedCells_.clear();
}

// Only the check box column can change; the model holds what it shows.
void ScriptWindow::onItemChanged(QTableWidgetItem* item) {
    if (filling_ || model_ == nullptr || item->column() != TestGrid::Check) {
        return;
    }
    model_->grid().setChecked(item->row() + 1, item->checkState() == Qt::Checked);
}

void ScriptWindow::rowShown(long row) {
    if (row == 0) {
        grid_->clearSelection();
        return;
    }
    grid_->scrollToItem(grid_->item(static_cast<int>(row - 1), TestGrid::Name));
}

void ScriptWindow::refreshState() {
    if (model_ == nullptr) {
        return;
    }
    showChangedCells();
    RunButtons buttons = model_->updateButtons();
    run_->setEnabled(buttons.run);
    stop_->setEnabled(buttons.stop);
    resume_->setEnabled(buttons.resume);
    marginalTotal_->setText(QString::number(model_->totals().marginal));
    criticalTotal_->setText(QString::number(model_->totals().critical));
}

void ScriptWindow::selectRowQuietly(long row) {
    {
        QSignalBlocker quiet(grid_);
        grid_->setCurrentCell(static_cast<int>(row - 1), TestGrid::Name);
    }
    model_->grid().selectRow(row);
}

void ScriptWindow::checkAll(bool checked) {
    model_->grid().setAllChecked(checked);
}

void ScriptWindow::closeEvent(QCloseEvent* event) {
    if (model_ != nullptr && !main_.model().closeScript(model_->strFormID)) {
        event->ignore();
        return;
    }
    event->accept();
}

bool ScriptWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            mouseMovedTo(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::Leave) {
            hideTip(); // over a menu or another window the tip would hide what the user looks at
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScriptWindow::hideTip() {
    tipTimer_.stop();
    mouse_ = QPoint(-1, -1);
    main_.tipWindow().hide();
}

// Tracked only while "Popup Test Info" is checked or a run is in progress.
void ScriptWindow::mouseMovedTo(QPoint position) {
    if (model_ == nullptr || (!model_->menuChecks.popupTestInfo && !model_->isRunning()) ||
        position == mouse_) {
        return;
    }
    mouse_ = position;
    main_.tipWindow().hide();
    tipTimer_.stop();
    if (grid_->rowAt(position.y()) >= 0) {
        tipTimer_.start();
    }
}

void ScriptWindow::showTip() {
    int row = grid_->rowAt(mouse_.y());
    if (model_ == nullptr || mouse_.y() < 0 || row < 0 || grid_->columnAt(mouse_.x()) < 0) {
        return;
    }
    TipWindow& tip = main_.tipWindow();
    tip.setText(toolTipText(model_->grid().item(row + 1)));
    QPoint offset(pixelsOf(kTipOffsetXTwips, *this), pixelsOf(kTipOffsetYTwips, *this));
    tip.move(grid_->viewport()->mapToGlobal(mouse_) + offset);
    tip.show();
}

void ScriptWindow::openPopup(QPoint position) {
    hideTip();
    QMenu popup(this);
    MenuBuilder::addItems(popup, gridPopupMenu(), [this](Command command) {
        if (model_ != nullptr) {
            checkAll(command == Command::CheckAll);
        }
    });
    popup.exec(grid_->viewport()->mapToGlobal(position));
}

} // namespace lumora::desktop
