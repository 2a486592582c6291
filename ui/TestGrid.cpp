#include "ui/TestGrid.h"

#include <algorithm>
#include <stdexcept>

namespace lumora {

namespace {

// Columns 1 to 5 carry a row's colours; the number and the hidden item column do not.
constexpr int kFirstColouredColumn = TestGrid::Check;
constexpr int kLastColouredColumn = TestGrid::Notes;

constexpr std::array<TestGrid::ColumnSpec, TestGrid::kColumns> kColumnSpecs{{
    {"#", 400},
    {"", 300},
    {"Test Name", 2500},
    {"Marginal", 700},
    {"Critical", 700},
    {"Notes", 1500},
    {"Var", 0},
}};

} // namespace

const std::array<TestGrid::ColumnSpec, TestGrid::kColumns>& TestGrid::columns() {
    return kColumnSpecs;
}

TestGrid::TestGrid() {
    std::ranges::transform(kColumnSpecs, widths_.begin(), &ColumnSpec::widthTwips);
}

void TestGrid::appendTest(std::unique_ptr<clsTestItem> item, std::string notes) {
    Row row;
    row.texts[Number] = std::to_string(rows_.size() + 1);
    row.texts[Name] = item->strName;
    row.texts[Notes] = std::move(notes);
    row.fore.fill(colour::Black);
    row.back.fill(colour::White);
    row.item = std::move(item);
    rows_.push_back(std::move(row));
    changed(testRows());
}

void TestGrid::clear() {
    rows_.clear();
    selectedRow_ = shownRow_ = 0;
    changed(0);
}

void TestGrid::setColumnWidth(int column, int twips) {
    widths_.at(static_cast<std::size_t>(column)) = twips;
    changed(0);
}

void TestGrid::shown(long row) const {
    if (observer_ != nullptr) {
        observer_->rowShown(row);
    }
}

void TestGrid::changed(long row) const {
    if (observer_ != nullptr) {
        observer_->rowChanged(row);
    }
}

void TestGrid::cellChanged(long row, int column) const {
    if (observer_ != nullptr) {
        observer_->cellChanged(row, column);
    }
}

TestGrid::Row& TestGrid::at(long row) {
    if (row < 1 || row > testRows()) {
        throw std::out_of_range("grid row " + std::to_string(row));
    }
    return rows_[static_cast<std::size_t>(row - 1)];
}

const TestGrid::Row& TestGrid::at(long row) const {
    return const_cast<TestGrid*>(this)->at(row);
}

const std::string& TestGrid::text(long row, int column) const {
    static const std::array<std::string, kColumns> headers = [] {
        std::array<std::string, kColumns> texts;
        std::ranges::transform(kColumnSpecs, texts.begin(), &ColumnSpec::header);
        return texts;
    }();
    return row == 0 ? headers.at(static_cast<std::size_t>(column))
                    : at(row).texts.at(static_cast<std::size_t>(column));
}

void TestGrid::setText(long row, int column, std::string value) {
    at(row).texts.at(static_cast<std::size_t>(column)) = std::move(value);
    cellChanged(row, column);
}

bool TestGrid::checked(long row) const {
    return at(row).checked;
}

void TestGrid::setChecked(long row, bool value) {
    at(row).checked = value;
    changed(row);
}

void TestGrid::setAllChecked(bool value) {
    for (Row& row : rows_) {
        row.checked = value;
    }
    changed(0);
}

uint32_t TestGrid::foreColor(long row, int column) const {
    return at(row).fore.at(static_cast<std::size_t>(column));
}

uint32_t TestGrid::backColor(long row, int column) const {
    return at(row).back.at(static_cast<std::size_t>(column));
}

void TestGrid::setRowForeColor(long row, uint32_t value) {
    Row& r = at(row);
    for (int c = kFirstColouredColumn; c <= kLastColouredColumn; ++c) {
        r.fore[static_cast<std::size_t>(c)] = value;
    }
    changed(row);
}

void TestGrid::setRowBackColor(long row, uint32_t value) {
    Row& r = at(row);
    for (int c = kFirstColouredColumn; c <= kLastColouredColumn; ++c) {
        r.back[static_cast<std::size_t>(c)] = value;
    }
    changed(row);
}

clsTestItem& TestGrid::item(long row) {
    return *at(row).item;
}

const clsTestItem& TestGrid::item(long row) const {
    return *at(row).item;
}

void TestGrid::selectRow(long row) {
    if (row != 0) {
        at(row);
    }
    selectedRow_ = row;
    shown(row);
}

void TestGrid::showRow(long row) {
    at(row);
    shownRow_ = row;
    shown(row);
}

} // namespace lumora
