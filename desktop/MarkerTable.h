#pragma once

#include "engine/model/Design.h"
#include "record/RunRecord.h"
#include "record/Waivers.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <optional>
#include <string>
#include <vector>

namespace lumora::desktop {

// A marker of the design with the test that placed it; markers that came with the design file
// have no test.
struct MarkerRow {
    std::size_t marker = 0; // position in the design's markers
    std::string test;
    std::string script; // the script and grid row of that test
    long gridRow = 0;
    std::string board;
    std::string key; // the stable key a waiver names; empty without a test
};

// The design's markers, each with the newest recorded test that placed an equal marker.
std::vector<MarkerRow> markerRows(const engine::Design& design, const std::vector<TestRecord>& records);

// The marker list's columns: test, check, severity, measured, required, items, board, and the
// reason of the marker's waiver ("waived" when it gives none); waived rows are grey.
class MarkerTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Test, Check, Severity, Measured, Required, Items, Board, Waiver, ColumnCount };
    // Numbers sort as numbers.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(const engine::Design* design, std::vector<MarkerRow> rows);
    const MarkerRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const engine::DrcMarker& marker(int index) const { return design_->drcs.at(row(index).marker); }
    // The waivers the list shows; the list refers to them until the next call.
    void setWaivers(const std::vector<lumora::Waiver>* waivers);
    // The waiver of a row's marker, nullptr when it has none.
    const lumora::Waiver* waiverOf(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant text(const MarkerRow& row, int column) const;
    const lumora::Waiver* waiverOf(const MarkerRow& row) const;

    const engine::Design* design_ = nullptr;
    std::vector<MarkerRow> rows_;
    const std::vector<lumora::Waiver>* waivers_ = nullptr;
};

// The list as the user narrows it: to the markers of one test of a script, and to rows holding a
// text in any column (case-insensitive).
class MarkerFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    struct TestRow {
        std::string script;
        long gridRow = 0;
    };
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setText(const QString& text);
    void setTest(std::optional<TestRow> test);
    const std::optional<TestRow>& test() const { return test_; }

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    QString text_;
    std::optional<TestRow> test_;
};

} // namespace lumora::desktop
