#include "cli/ResultTable.h"

#include "testlogic/RowColours.h"

#include <algorithm>
#include <array>
#include <iomanip>

namespace lumora::cli {

namespace {

struct ColourWord {
    uint32_t background;
    const char* word;
};

// The run colours a row's background by its result; a row still yellow never finished.
constexpr std::array kBackgroundWords{
    ColourWord{colour::Green, "completed"},
    ColourWord{colour::Blue, "DRC limit reached"},
    ColourWord{colour::Red, "failed"},
    ColourWord{colour::Yellow, "did not finish"},
};

constexpr int kNumberWidth = 4;
constexpr int kCountWidth = 10;

std::size_t nameWidth(const TestGrid& grid) {
    std::size_t width = 4; // "Test"
    for (long row = 1; row <= grid.testRows(); ++row) {
        width = std::max(width, grid.text(row, TestGrid::Name).size());
    }
    return width;
}

} // namespace

std::string outcomeOf(const TestGrid& grid, long row) {
    uint32_t background = grid.backColor(row, TestGrid::Name);
    for (const ColourWord& entry : kBackgroundWords) {
        if (background == entry.background) {
            return entry.word;
        }
    }
    return grid.foreColor(row, TestGrid::Name) == colour::GrayText ? "not checked" : "not run";
}

void printResultTable(std::ostream& out, const std::string& title, const TestGrid& grid,
                      const RunTotals& totals) {
    const int width = static_cast<int>(nameWidth(grid));
    out << title << '\n';
    out << std::right << std::setw(kNumberWidth) << "#"
        << "  " << std::left << std::setw(width) << "Test" << std::right << std::setw(kCountWidth)
        << "Marginal" << std::setw(kCountWidth) << "Critical"
        << "  Outcome\n";
    for (long row = 1; row <= grid.testRows(); ++row) {
        out << std::right << std::setw(kNumberWidth) << row << "  " << std::left << std::setw(width)
            << grid.text(row, TestGrid::Name) << std::right << std::setw(kCountWidth)
            << grid.text(row, TestGrid::Marginal) << std::setw(kCountWidth)
            << grid.text(row, TestGrid::Critical) << "  " << outcomeOf(grid, row) << '\n';
    }
    out << std::setw(kNumberWidth) << ""
        << "  " << std::left << std::setw(width) << "Total" << std::right << std::setw(kCountWidth)
        << totals.marginal << std::setw(kCountWidth) << totals.critical << '\n';
}

} // namespace lumora::cli
