#include "desktop/MarkerTable.h"

#include "record/MarkerKeys.h"

#include <QColor>

#include <algorithm>
#include <map>
#include <tuple>

namespace lumora::desktop {

namespace {

constexpr const char* kHeaders[] = {"Test",     "Check", "Severity", "Measured",
                                    "Required", "Items", "Board",    "Waiver"};
constexpr QRgb kWaivedText = 0xff808080;

QString number(double value) {
    return QString::number(value, 'g', 6);
}

// A pad shape by its word, other values as numbers.
QString valueText(std::string_view measure, double value) {
    const std::optional<std::string> word = engine::valueWord(measure, value);
    return word ? QString::fromStdString(*word) : number(value);
}

QString itemsText(const engine::DrcMarker& marker) {
    QStringList names;
    for (const engine::DrcItem& item : marker.items) {
        names << QString::fromStdString(engine::itemText(item));
    }
    return names.join(", ");
}

} // namespace

std::vector<MarkerRow> markerRows(const engine::Design& design, const std::vector<TestRecord>& records) {
    using Place = std::tuple<int32_t, double, double>;
    std::map<Place, std::vector<std::size_t>> unclaimed;
    std::vector<MarkerRow> rows(design.drcs.size());
    for (std::size_t i = design.drcs.size(); i-- > 0;) {
        const engine::DrcMarker& marker = design.drcs[i];
        unclaimed[{marker.file, marker.at.x, marker.at.y}].push_back(i);
        rows[i].marker = i;
        auto file = std::ranges::find(design.files, marker.file, &engine::File::number);
        rows[i].board = file == design.files.end() ? std::string() : file->name;
    }
    // The newest run claims a marker first, as earlier runs' markers may have been cleared.
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const std::vector<std::string> keys = markerKeys(*record);
        for (std::size_t m = 0; m < keys.size(); ++m) {
            const engine::DrcMarker& marker = *record->markers[m].marker;
            auto& candidates = unclaimed[{marker.file, marker.at.x, marker.at.y}];
            auto equal =
                std::ranges::find_if(candidates, [&](std::size_t i) { return design.drcs[i] == marker; });
            if (equal != candidates.end()) {
                rows[*equal].test = record->name;
                rows[*equal].script = record->script;
                rows[*equal].gridRow = record->row;
                rows[*equal].key = keys[m];
                candidates.erase(equal);
            }
        }
    }
    return rows;
}

void MarkerTable::setRows(const engine::Design* design, std::vector<MarkerRow> rows) {
    beginResetModel();
    design_ = design;
    rows_ = design == nullptr ? std::vector<MarkerRow>{} : std::move(rows);
    endResetModel();
}

int MarkerTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MarkerTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MarkerTable::text(const MarkerRow& row, int column) const {
    const engine::DrcMarker& marker = design_->drcs.at(row.marker);
    switch (column) {
    case Test:
        return QString::fromStdString(row.test);
    case Check:
        return QString::fromStdString(marker.check.str());
    case Severity:
        return QString::fromStdString(marker.severity.str());
    case Measured:
        return QString::fromStdString(marker.measure.str() + " ") +
               valueText(marker.measure, marker.measured);
    case Required:
        return valueText(marker.measure, marker.required);
    case Items:
        return itemsText(marker);
    case Board:
        return QString::fromStdString(row.board);
    case Waiver:
        if (const lumora::Waiver* waiver = waiverOf(row)) {
            return waiver->reason.empty() ? QStringLiteral("waived") : QString::fromStdString(waiver->reason);
        }
        return QString();
    }
    return {};
}

void MarkerTable::setWaivers(const std::vector<lumora::Waiver>* waivers) {
    waivers_ = waivers;
    if (!rows_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

const lumora::Waiver* MarkerTable::waiverOf(const MarkerRow& row) const {
    if (waivers_ == nullptr || row.key.empty()) {
        return nullptr;
    }
    auto found = std::ranges::find(*waivers_, row.key, &lumora::Waiver::key);
    return found == waivers_->end() ? nullptr : &*found;
}

const lumora::Waiver* MarkerTable::waiverOf(int index) const {
    return waiverOf(row(index));
}

QVariant MarkerTable::data(const QModelIndex& index, int role) const {
    // During a run that cleared the markers, rows name markers that are gone until the list is refreshed.
    if (!index.isValid() || row(index.row()).marker >= design_->drcs.size()) {
        return {};
    }
    const MarkerRow& shown = row(index.row());
    if (role == kSortRole) {
        const engine::DrcMarker& marker = design_->drcs.at(shown.marker);
        if (index.column() == Measured) {
            return marker.measured;
        }
        if (index.column() == Required) {
            return marker.required;
        }
        return text(shown, index.column());
    }
    if (role == Qt::ForegroundRole && waiverOf(shown) != nullptr) {
        return QColor::fromRgba(kWaivedText);
    }
    return role == Qt::DisplayRole ? text(shown, index.column()) : QVariant();
}

QVariant MarkerTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount) {
        return kHeaders[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void MarkerFilter::setText(const QString& text) {
    text_ = text;
    invalidateFilter();
}

void MarkerFilter::setTest(std::optional<TestRow> test) {
    test_ = std::move(test);
    invalidateFilter();
}

bool MarkerFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto& table = static_cast<const MarkerTable&>(*sourceModel());
    const MarkerRow& row = table.row(sourceRow);
    if (test_ && (row.script != test_->script || row.gridRow != test_->gridRow)) {
        return false;
    }
    if (text_.isEmpty()) {
        return true;
    }
    for (int column = 0; column < MarkerTable::ColumnCount; ++column) {
        if (table.index(sourceRow, column, sourceParent)
                .data()
                .toString()
                .contains(text_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

} // namespace lumora::desktop
