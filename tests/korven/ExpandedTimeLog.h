#pragma once

#include "log/clsTestTimer.h"
#include "tests/korven/FakeWindow.h"
#include "tests/support/TempDir.h"

#include <sstream>
#include <string>
#include <vector>

namespace lumora::test {

// A time log with one line per sub-process, running one step for the window while it lives.
class ExpandedTimeLog {
  public:
    ExpandedTimeLog(FakeWindow& window, DesignSummarySource& design)
        : window_(window), timeLog_(folder_.path(), switches_) {
        window_.timeLog = &timeLog_;
        timeLog_.beginLog("script.dfm", "design.cc", design, true);
        timeLog_.startTimer("Step");
    }
    ~ExpandedTimeLog() { window_.timeLog = nullptr; }
    ExpandedTimeLog(const ExpandedTimeLog&) = delete;
    ExpandedTimeLog& operator=(const ExpandedTimeLog&) = delete;

    // Ends the log; the names of the step's sub-processes, in order.
    std::vector<std::string> subProcesses() {
        timeLog_.reportTestTimes();
        timeLog_.endLog();
        std::vector<std::string> names;
        std::istringstream lines(folder_.read("testtimes.csv"));
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("_____")) {
                names.push_back(line.substr(5, line.rfind(',') - 5));
            }
        }
        return names;
    }

  private:
    FakeWindow& window_;
    TempDir folder_;
    LogSwitches switches_{.blnGenTestTimes = true, .blnExpandedRep = true};
    clsTestTimer timeLog_;
};

} // namespace lumora::test
