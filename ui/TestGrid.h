#pragma once

#include "script/clsTestItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumora {

// Colours are 24-bit values in blue-green-red order.
namespace colour {
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
} // namespace colour

// What a drawing of the grid listens to, so that it redraws only what changed.
class GridObserver {
  public:
    virtual ~GridObserver() = default;
    // A row's check box or colours changed, or the row is new; 0 when every row or the columns did.
    virtual void rowChanged(long row) = 0;
    // One cell's text changed: during a test KORVEN's callbacks change a count tens of thousands of
    // times, so a drawing updates that cell only and may gather the changes into fewer repaints.
    virtual void cellChanged(long row, int column) = 0;
    // The grid scrolled the row into view or selected it.
    virtual void rowShown(long row) = 0;
};

// The script window's grid without any drawing: row 0 is the header, one row per test below.
class TestGrid {
  public:
    static constexpr int kColumns = 7;
    enum Column { Number = 0, Check = 1, Name = 2, Marginal = 3, Critical = 4, Notes = 5, Var = 6 };

    struct ColumnSpec {
        const char* header;
        int widthTwips; // 0: hidden
    };
    static const std::array<ColumnSpec, kColumns>& columns();

    TestGrid();

    // Number of rows including the header row.
    long rows() const { return static_cast<long>(rows_.size()) + 1; }
    long testRows() const { return static_cast<long>(rows_.size()); }

    void appendTest(std::unique_ptr<clsTestItem> item, std::string notes);
    void clear();
    // One observer at a time; nullptr for none.
    void setObserver(GridObserver* observer) { observer_ = observer; }

    // Rows are numbered as the grid shows them: 1 for the first test, 0 the header row, whose
    // texts are the headers.
    const std::string& text(long row, int column) const;
    void setText(long row, int column, std::string value);
    bool checked(long row) const;
    void setChecked(long row, bool value);
    void setAllChecked(bool value);
    uint32_t foreColor(long row, int column) const;
    uint32_t backColor(long row, int column) const;
    void setRowForeColor(long row, uint32_t value);
    void setRowBackColor(long row, uint32_t value);
    clsTestItem& item(long row);
    const clsTestItem& item(long row) const;

    // Widths start as columns() gives them.
    int columnWidth(int column) const { return widths_.at(static_cast<std::size_t>(column)); }
    void setColumnWidth(int column, int twips);
    // The selected row; 0 is the header.
    long selectedRow() const { return selectedRow_; }
    void selectRow(long row);
    // The row the grid last scrolled into view; 0 before any.
    long shownRow() const { return shownRow_; }
    void showRow(long row);

  private:
    struct Row {
        std::array<std::string, kColumns> texts;
        std::array<uint32_t, kColumns> fore{};
        std::array<uint32_t, kColumns> back{};
        bool checked = true;
        std::unique_ptr<clsTestItem> item;
    };
    Row& at(long row);
    const Row& at(long row) const;
    void changed(long row) const;
    void cellChanged(long row, int column) const;
    void shown(long row) const;

    std::vector<Row> rows_;
    std::array<int, kColumns> widths_{};
    long selectedRow_ = 0;
    long shownRow_ = 0;
    GridObserver* observer_ = nullptr;
};

} // namespace lumora
