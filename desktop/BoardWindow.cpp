#include "desktop/BoardWindow.h"

#include "desktop/BoardView.h"
#include "desktop/MarkerListExport.h"
#include "desktop/WindowLayout.h"
#include "engine/model/CodeNames.h"
#include "engine/model/Refusal.h"
#include "files/ReplaceFile.h"
#include "picture/LayerStyle.h"
#include "picture/MarkerHits.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

namespace lumora::desktop {

namespace {

// How much of the board shows around a chosen marker: a twentieth of the board at least, more for
// large measured or required values, so that both items stay in sight.
constexpr double kSpanPerLimit = 24;
constexpr double kBoardFraction = 1.0 / 20;
constexpr int kLayerRole = Qt::UserRole;
constexpr int kNoteMs = 8000;
constexpr const char* kSidesKey = "boardSides";
constexpr const char* kBoardListKey = "boardAndList";
constexpr double kZoomStep = 1.25; // + and -
constexpr int kMostDecimals = 6;

// As many decimals as tell one pixel from the next at the view's scale (pixels per design unit).
int decimalsFor(double pixelsPerUnit) {
    const double decimals = std::ceil(std::log10(std::max(pixelsPerUnit, 1e-12)));
    return static_cast<int>(std::clamp(decimals, 0.0, double(kMostDecimals)));
}

QIcon swatch(const QColor& color) {
    QPixmap pixmap(12, 12);
    pixmap.fill(QColor(color.red(), color.green(), color.blue()));
    return QIcon(pixmap);
}

} // namespace

BoardWindow::BoardWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), files_(new QComboBox(this)), shownGeometry_(new QLabel(this)),
      layers_(new QListWidget(this)), view_(new BoardView(this)), search_(new QLineEdit(this)),
      list_(new QTableView(this)), allTests_(new QPushButton("All Tests", this)),
      fit_(new QPushButton("Fit", this)), waive_(new QPushButton("Waive...", this)),
      unwaive_(new QPushButton("Remove Waiver", this)), exportList_(new QPushButton("Export List...", this)),
      status_(new QStatusBar(this)), coordinates_(new QLabel(this)),
      sides_(new QSplitter(Qt::Horizontal, this)), boardList_(new QSplitter(Qt::Vertical, this)) {
    setObjectName("boardWindow");
    setWindowTitle("KORVEN");
    // It appears beside the runner, which keeps the keyboard and the grid's tips.
    setAttribute(Qt::WA_ShowWithoutActivating);
    fit_->setObjectName("fitButton");
    waive_->setObjectName("waiveButton");
    unwaive_->setObjectName("unwaiveButton");
    exportList_->setObjectName("exportListButton");
    coordinates_->setObjectName("coordinates");
    setUpList();
    layOut();
    connectControls();
    connectView();
    addKeys();
    table_.setWaivers(&waivers_);
    refreshWaiverButtons();
}

void BoardWindow::setUpList() {
    filter_.setSourceModel(&table_);
    filter_.setSortRole(MarkerTable::kSortRole);
    list_->setModel(&filter_);
    list_->setSortingEnabled(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    search_->setPlaceholderText("Filter markers");
    search_->setClearButtonEnabled(true);
}

// Files and layers at the left, the drawing beside them, the marker list below, the status bar last;
// the splitters where the user left them.
void BoardWindow::layOut() {
    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(files_);
    sideLayout->addWidget(fit_);
    sideLayout->addWidget(new QLabel("Layers", side));
    sideLayout->addWidget(layers_, 1);

    auto* markers = new QWidget(this);
    auto* markersLayout = new QVBoxLayout(markers);
    markersLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(search_, 1);
    for (QPushButton* button : {allTests_, waive_, unwaive_, exportList_}) {
        searchRow->addWidget(button);
    }
    markersLayout->addLayout(searchRow);
    markersLayout->addWidget(list_, 1);

    auto* drawing = new QWidget(this);
    auto* drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->setContentsMargins(0, 0, 0, 0);
    drawingLayout->addWidget(shownGeometry_);
    drawingLayout->addWidget(view_, 1);
    shownGeometry_->hide();
    sides_->setObjectName("sides");
    sides_->addWidget(side);
    sides_->addWidget(drawing);
    sides_->setStretchFactor(1, 1);
    boardList_->setObjectName("boardAndList");
    boardList_->addWidget(sides_);
    boardList_->addWidget(markers);
    boardList_->setStretchFactor(0, 3);
    boardList_->setStretchFactor(1, 1);
    restoreSplitter(*sides_, kSidesKey);
    restoreSplitter(*boardList_, kBoardListKey);
    status_->setSizeGripEnabled(false);
    status_->addPermanentWidget(coordinates_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boardList_, 1);
    layout->addWidget(status_);
}

void BoardWindow::connectControls() {
    connect(files_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            showFile(files_->itemData(index).toInt());
        }
    });
    connect(fit_, &QPushButton::clicked, view_, &BoardView::fit);
    connect(layers_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const auto layer = static_cast<int16_t>(item->data(kLayerRole).toInt());
        if (item->checkState() == Qt::Checked) {
            view_->options().hiddenLayers.erase(layer);
        } else {
            view_->options().hiddenLayers.insert(layer);
        }
        view_->refresh();
    });
    connect(search_, &QLineEdit::textChanged, &filter_, &MarkerFilter::setText);
    connect(allTests_, &QPushButton::clicked, this, [this] { showTest(std::nullopt); });
    connect(waive_, &QPushButton::clicked, this, [this] {
        bool given = false;
        const QString reason = QInputDialog::getText(this, "Waive Marker", "Why is this violation accepted?",
                                                     QLineEdit::Normal, {}, &given);
        if (given && !reason.trimmed().isEmpty()) {
            waiveChosen(reason.trimmed().toStdString());
        }
    });
    connect(unwaive_, &QPushButton::clicked, this, &BoardWindow::unwaiveChosen);
    connect(exportList_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, "Export List", {}, "CSV files (*.csv)");
        if (!file.isEmpty()) {
            exportList(file);
        }
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { markerChosen(current); });
}

// A click on a marker chooses it; the mouse's place shows in the status bar, its rest on a marker
// the marker's text (eventFilter).
void BoardWindow::connectView() {
    connect(view_, &BoardView::clicked, this, [this](QPointF pixel) {
        if (const picture::BoardScene* scene = view_->scene()) {
            if (const auto marker = picture::markerAt(*scene, view_->options(), view_->view(), pixel)) {
                chooseMarker(*marker);
            }
        }
    });
    connect(view_, &BoardView::cursorMoved, this, &BoardWindow::showCoordinates);
    connect(view_, &BoardView::cursorLeft, coordinates_, &QLabel::clear);
    view_->installEventFilter(this);
}

// Letters typed into the filter box stay there: a line edit keeps the keys it types.
void BoardWindow::addKeys() {
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_F), [this] { view_->fit(); }},
        {QKeySequence(Qt::Key_Plus), [this] { view_->zoomBy(kZoomStep, QRectF(view_->rect()).center()); }},
        {QKeySequence(Qt::Key_Equal), [this] { view_->zoomBy(kZoomStep, QRectF(view_->rect()).center()); }},
        {QKeySequence(Qt::Key_Minus),
         [this] { view_->zoomBy(1 / kZoomStep, QRectF(view_->rect()).center()); }},
        {QKeySequence(Qt::Key_N), [this] { stepMarker(1); }},
        {QKeySequence(Qt::Key_F3), [this] { stepMarker(1); }},
        {QKeySequence(Qt::Key_P), [this] { stepMarker(-1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { stepMarker(-1); }},
        {QKeySequence(Qt::Key_Escape), [this] { clearChoice(); }},
    };
    for (const auto& [sequence, action] : keys) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);
    }
}

BoardWindow::~BoardWindow() = default;

void BoardWindow::saveSplitters() const {
    saveSplitter(*sides_, kSidesKey);
    saveSplitter(*boardList_, kBoardListKey);
}

void BoardWindow::setDesign(const engine::Design* design, const QString& file,
                            const std::vector<TestRecord>* records) {
    // Nothing may draw the old design from here on: a message box below lets repaints through.
    view_->setScene(nullptr);
    table_.setRows(nullptr, {});
    design_ = design;
    records_ = records;
    const QString name = QFileInfo(file).fileName();
    setWindowTitle(name.isEmpty() ? QStringLiteral("KORVEN") : QStringLiteral("KORVEN - ") + name);
    waiversFile_ = file.isEmpty() ? std::filesystem::path() : waiversFileBeside(file.toStdString());
    readWaivers();
    view_->options().hiddenLayers.clear();
    layers_->clear();
    fillLayers();
    fillFiles();
    refreshMarkers();
}

void BoardWindow::fillFiles() {
    QSignalBlocker quiet(files_);
    files_->clear();
    if (design_ != nullptr) {
        for (const engine::File& file : design_->files) {
            files_->addItem(QString::fromStdString(file.name), file.number);
        }
    }
    view_->setScene(nullptr);
    if (files_->count() > 0) {
        showFile(files_->itemData(0).toInt());
    }
}

// Layers listed already keep the user's choice; new ones (a run adds some) start as the table says.
void BoardWindow::fillLayers() {
    QSignalBlocker quiet(layers_);
    std::set<int16_t> listed;
    for (int i = 0; i < layers_->count(); ++i) {
        listed.insert(static_cast<int16_t>(layers_->item(i)->data(kLayerRole).toInt()));
    }
    layers_->clear();
    if (design_ == nullptr) {
        return;
    }
    for (const auto& layer : design_->layers) {
        if (!layer) {
            continue;
        }
        const bool shown = listed.contains(layer->number)
                               ? !view_->options().hiddenLayers.contains(layer->number)
                               : layer->show;
        auto* item = new QListWidgetItem(swatch(picture::layerStyle(*layer).color),
                                         QString::fromStdString(layer->name), layers_);
        item->setData(kLayerRole, layer->number);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        if (!shown) {
            view_->options().hiddenLayers.insert(layer->number);
        }
    }
}

void BoardWindow::refreshMarkers() {
    static const std::vector<TestRecord> kNoRecords;
    table_.setRows(design_, design_ == nullptr
                                ? std::vector<MarkerRow>{}
                                : markerRows(*design_, records_ != nullptr ? *records_ : kNoRecords));
    list_->resizeColumnsToContents();
    migrateWaivers(waivers_);
    markWaivedMarkers();
    refreshWaiverButtons();
    view_->options().selectedMarker.reset();
    view_->options().highlighted.clear();
    if (const picture::BoardScene* scene = view_->scene()) {
        showFile(scene->file().number); // the bounds take in the new markers
    }
}

void BoardWindow::setRunning(bool running) {
    view_->setFrozen(running);
    if (running) {
        table_.setRows(design_, {});
        markWaivedMarkers();
        refreshWaiverButtons();
    } else {
        fillLayers();
        refreshMarkers();
    }
}

void BoardWindow::migrateWaivers(std::vector<Waiver>& waivers) const {
    if (records_ != nullptr) {
        migrateWaiverKeys(waivers, *records_);
    }
}

void BoardWindow::readWaivers() {
    waivers_.clear();
    waiversWritable_ = !waiversFile_.empty();
    std::error_code ignored;
    if (waiversWritable_ && std::filesystem::exists(waiversFile_, ignored)) {
        try {
            waivers_ = lumora::loadWaivers(waiversFile_);
            migrateWaivers(waivers_);
        } catch (const WaiverFileError& failure) {
            waiversWritable_ = false;
            QMessageBox::critical(this, windowTitle(), QString::fromStdString(failure.what()));
        }
    }
    table_.setWaivers(&waivers_);
    markWaivedMarkers();
}

void BoardWindow::changeWaivers(const std::function<void(std::vector<Waiver>&)>& change) {
    if (!waiversWritable_) {
        return;
    }
    // The file as it is now: another program (lumora-cli --write-waivers) may have written it.
    std::vector<Waiver> changed;
    std::error_code ignored;
    try {
        if (std::filesystem::exists(waiversFile_, ignored)) {
            changed = lumora::loadWaivers(waiversFile_);
            migrateWaivers(changed);
        }
        change(changed);
        saveWaivers(waiversFile_, changed);
    } catch (const std::exception& failure) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(failure.what()));
        return;
    }
    waivers_ = std::move(changed);
    table_.setWaivers(&waivers_);
    markWaivedMarkers();
    refreshWaiverButtons();
}

void BoardWindow::markWaivedMarkers() {
    std::set<std::size_t>& waived = view_->options().waivedMarkers;
    waived.clear();
    for (int row = 0; row < table_.rowCount(); ++row) {
        if (table_.waiverOf(row) != nullptr) {
            waived.insert(table_.row(row).marker);
        }
    }
    view_->refresh();
}

bool BoardWindow::exportList(const QString& file) {
    try {
        files::replaceFile(file.toStdString(), markerListCsv(filter_));
    } catch (const std::exception& failure) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(failure.what()));
        return false;
    }
    status_->showMessage(QStringLiteral("List written: ") + file, kNoteMs);
    return true;
}

void BoardWindow::waiveChosen(const std::string& reason) {
    const std::optional<int> row = chosenRow();
    if (row && !table_.row(*row).key.empty()) {
        Waiver waiver{table_.row(*row).key, reason, waiverAuthor(), waiverDate()};
        changeWaivers([&waiver](std::vector<Waiver>& waivers) { setWaiver(waivers, waiver); });
    }
}

void BoardWindow::unwaiveChosen() {
    if (const std::optional<int> row = chosenRow()) {
        const std::string key = table_.row(*row).key;
        changeWaivers([&key](std::vector<Waiver>& waivers) { removeWaiver(waivers, key); });
    }
}

std::optional<int> BoardWindow::chosenRow() const {
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? std::optional(filter_.mapToSource(current).row()) : std::nullopt;
}

// Markers that came with the design have no key, and a file that could not be read is left alone.
void BoardWindow::refreshWaiverButtons() {
    const std::optional<int> row = chosenRow();
    const bool waived = row && table_.waiverOf(*row) != nullptr;
    waive_->setEnabled(waiversWritable_ && row && !waived && !table_.row(*row).key.empty());
    unwaive_->setEnabled(waiversWritable_ && waived);
}

bool BoardWindow::showFile(int32_t file) {
    if (design_ == nullptr) {
        return false;
    }
    std::unique_ptr<picture::BoardScene> scene;
    try {
        scene = std::make_unique<picture::BoardScene>(*design_, file);
    } catch (const engine::Refusal& stale) {
        status_->showMessage(QStringLiteral("Nothing to show: ") + QString::fromStdString(stale.what()),
                             kNoteMs);
        return false;
    }
    if (view_->scene() == nullptr || view_->scene()->file().number != file) {
        QSignalBlocker quiet(files_);
        files_->setCurrentIndex(files_->findData(file));
    }
    view_->setScene(std::move(scene));
    shownGeometry_->setVisible(view_->scene()->showsOtherGeometry());
    shownGeometry_->setText(QStringLiteral("Geometry \"%1\" in place of %2")
                                .arg(QString::fromStdString(view_->scene()->block().name),
                                     QString::fromStdString(view_->scene()->file().name)));
    return true;
}

void BoardWindow::showGeometries(std::optional<int32_t> framed) {
    if (design_ == nullptr || (!framed && view_->scene() == nullptr)) {
        return;
    }
    if (!showFile(framed.value_or(view_->scene() != nullptr ? view_->scene()->file().number : 0))) {
        return;
    }
    const picture::BoardScene& scene = *view_->scene();
    if (framed && scene.showsOtherGeometry() && !scene.itemBounds().isNull()) {
        view_->frame(scene.itemBounds());
    }
}

void BoardWindow::showTest(std::optional<MarkerFilter::TestRow> test) {
    const bool oneTest = test.has_value();
    filter_.setTest(std::move(test));
    if (oneTest && filter_.rowCount() > 0) {
        selectMarker(0);
    }
}

void BoardWindow::selectMarker(int listRow) {
    list_->setCurrentIndex(filter_.index(listRow, 0));
}

int BoardWindow::tableRowOf(std::size_t marker) const {
    for (int row = 0; row < table_.rowCount(); ++row) {
        if (table_.row(row).marker == marker) {
            return row;
        }
    }
    return -1;
}

// The list shows the marker's test, as a click on that test's grid row would; a filter text that
// hides the marker goes.
void BoardWindow::chooseMarker(std::size_t marker) {
    const int row = tableRowOf(marker);
    if (row < 0) {
        return;
    }
    const MarkerRow& chosen = table_.row(row);
    if (chosen.test.empty()) {
        filter_.setTest(std::nullopt);
    } else {
        filter_.setTest(MarkerFilter::TestRow{chosen.script, chosen.gridRow});
    }
    QModelIndex shown = filter_.mapFromSource(table_.index(row, 0));
    if (!shown.isValid()) {
        search_->clear();
        shown = filter_.mapFromSource(table_.index(row, 0));
    }
    list_->setCurrentIndex(shown);
    list_->scrollTo(shown);
    if (!chosen.test.empty()) {
        emit testRowChosen(QString::fromStdString(chosen.script), chosen.gridRow);
    }
}

void BoardWindow::stepMarker(int step) {
    const int count = filter_.rowCount();
    if (count == 0) {
        return;
    }
    const int current = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
    const int next = current < 0 ? (step > 0 ? 0 : count - 1) : std::clamp(current + step, 0, count - 1);
    selectMarker(next);
    list_->scrollTo(list_->currentIndex());
}

void BoardWindow::clearChoice() {
    list_->setCurrentIndex(QModelIndex());
    list_->clearSelection();
    view_->options().selectedMarker.reset();
    view_->options().highlighted.clear();
    view_->refresh();
    refreshWaiverButtons();
}

QString BoardWindow::markerTip(std::size_t marker) const {
    const int row = tableRowOf(marker);
    const engine::DrcMarker& shown = design_->drcs.at(marker);
    QString tip = QString::fromStdString(shown.severity.str()) + QStringLiteral(": ");
    tip += row >= 0 && !table_.row(row).test.empty() ? QString::fromStdString(table_.row(row).test)
                                                     : QStringLiteral("from the design file");
    tip +=
        QStringLiteral("\n") + QString::fromStdString(shown.check.str() + ": " + engine::markerText(shown));
    if (const lumora::Waiver* waiver = row >= 0 ? table_.waiverOf(row) : nullptr) {
        tip += QStringLiteral("\nWaived: ") +
               QString::fromStdString(waiver->reason.empty() ? std::string("waived") : waiver->reason);
    }
    return tip;
}

bool BoardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::ToolTip && view_->scene() != nullptr) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto marker = picture::markerAt(*view_->scene(), view_->options(), view_->view(), help->pos());
        if (marker) {
            QToolTip::showText(help->globalPos(), markerTip(*marker), view_);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardWindow::showCoordinates(QPointF point) {
    if (design_ == nullptr) {
        return;
    }
    const int decimals = decimalsFor(std::sqrt(std::abs(view_->view().determinant())));
    const auto units = engine::nameOf(engine::pageUnitNames(), design_->pageUnits);
    coordinates_->setText(QStringLiteral("X %1  Y %2 %3")
                              .arg(point.x(), 0, 'f', decimals)
                              .arg(point.y(), 0, 'f', decimals)
                              .arg(QString::fromUtf8(units.value_or("").data(),
                                                     static_cast<qsizetype>(units.value_or("").size()))));
}

void BoardWindow::markerChosen(const QModelIndex& index) {
    refreshWaiverButtons();
    if (!index.isValid() || design_ == nullptr) {
        return;
    }
    const int row = filter_.mapToSource(index).row();
    if (table_.row(row).marker >= design_->drcs.size()) {
        return; // a run cleared the markers; the list follows when it ends
    }
    const engine::DrcMarker& marker = table_.marker(row);
    if ((view_->scene() == nullptr || view_->scene()->file().number != marker.file) &&
        !showFile(marker.file)) {
        return;
    }
    picture::ViewOptions& options = view_->options();
    options.selectedMarker = table_.row(row).marker;
    options.highlighted = marker.items;
    const QRectF board = view_->scene()->bounds();
    const double span = std::min(std::max(board.width(), board.height()),
                                 std::max(kBoardFraction * std::max(board.width(), board.height()),
                                          kSpanPerLimit * std::max(marker.measured, marker.required)));
    view_->centreOn(QPointF(marker.at.x, marker.at.y), span);
}

} // namespace lumora::desktop
