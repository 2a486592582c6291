#include "ui/frmTests.h"

#include <algorithm>
#include <cctype>

namespace lumora {

namespace {

std::string upperCased(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void incrementCell(TestGrid& grid, long row, int column) {
    const std::string& current = grid.text(row, column);
    long value = current.empty() ? 0 : std::stol(current);
    grid.setText(row, column, std::to_string(value + 1));
}

} // namespace

std::string scriptNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    return last.substr(0, last.find('.'));
}

std::string notesFor(clsTestItem& item) {
    if (item.strName != "Real Part To Real Part" &&
        item.strName != "Component Package To Component Package") {
        return std::string();
    }
    return upperCased(item.dictProperties().item("Package_1")) + " To " +
           upperCased(item.dictProperties().item("Package_2"));
}

frmTests::frmTests(std::string filename, long& lngFormCounter)
    : strFilename(std::move(filename)), strFormID("Form" + std::to_string(lngFormCounter)),
      strScriptName_(scriptNameOf(strFilename)) {
    ++lngFormCounter;
}

void frmTests::addTest(std::unique_ptr<clsTestItem> objTest) {
    if (blnRunning_) {
        return;
    }
    std::string notes = notesFor(*objTest);
    grid_.appendTest(std::move(objTest), std::move(notes));
}

void frmTests::resetTests() {
    for (long row = 1; row <= grid_.testRows(); ++row) {
        grid_.setRowForeColor(row, colour::Black);
        grid_.setRowBackColor(row, colour::White);
        grid_.setText(row, TestGrid::Marginal, "");
        grid_.setText(row, TestGrid::Critical, "");
    }
}

void frmTests::updateTests(const std::string& value) {
    if (lngCurRow_ == -1) {
        return;
    }
    if (value == "Marginal") {
        incrementCell(grid_, lngCurRow_, TestGrid::Marginal);
        ++lngCurMarginal_;
    } else if (value == "Critical") {
        incrementCell(grid_, lngCurRow_, TestGrid::Critical);
        ++lngCurCritical_;
    }
}

RunButtons frmTests::updateButtons() const {
    if (blnRunning_) {
        return {false, true, false};
    }
    return {true, false, lngNextRow_ > 1};
}

std::optional<std::string> frmTests::closeRefusal() const {
    if (blnRunning_) {
        return strScriptName_ + " is currently running.";
    }
    return std::nullopt;
}

} // namespace lumora
