#pragma once

#include "testlogic/RunWindow.h"
#include "ui/TestGrid.h"

#include <ostream>
#include <string>

namespace lumora::cli {

// A row's outcome in words, read from the colours the run gave it.
std::string outcomeOf(const TestGrid& grid, long row);

// One script's results: row number, test name, Marginal, Critical and outcome per row, then the
// totals of the run.
void printResultTable(std::ostream& out, const std::string& title, const TestGrid& grid,
                      const RunTotals& totals);

} // namespace lumora::cli
