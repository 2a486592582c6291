#include "log/clsTestTimer.h"

#include "log/ElapsedTime.h"
#include "log/LogBanner.h"

#include <utility>

namespace lumora {

namespace {

// The script as the user finds it again, whatever folder the program was started from.
std::string fullPath(std::string_view path) {
    return path.empty() ? std::string() : std::filesystem::absolute(path).string();
}

// "Fiducals" and the trailing comma of board lines are what readers of earlier time logs expect.
std::string panelLine(const PanelSummary& panel) {
    return panel.fileName + "," + std::to_string(panel.boards) + " Boards," +
           std::to_string(panel.fiducials) + " Fiducals";
}

std::string boardLine(const BoardSummary& board) {
    return board.fileName + "," + std::to_string(board.components) + " Components," +
           std::to_string(board.pins) + " Pins," + std::to_string(board.vias) + " Vias," +
           std::to_string(board.fiducials) + " Fiducals,";
}

} // namespace

clsTestTimer::clsTestTimer(std::filesystem::path folder, const LogSwitches& switches, const Clock& clock)
    : folder_(std::move(folder)), switches_(switches), clock_(clock) {}

void clsTestTimer::beginLog(std::string_view scriptFilename, std::string_view ccFilename,
                            DesignSummarySource& design, bool startNew) {
    if (!enabled() || file_.isOpen()) {
        return;
    }
    // Asked before the file is touched, so a failing query leaves the file as it was.
    DesignSummary summary = design.designSummary();
    summaryGap_ = summary.gap;
    file_.open(folder_ / "testtimes.csv", startNew);
    writeHead(scriptFilename, ccFilename, summary);
}

void clsTestTimer::writeHead(std::string_view scriptFilename, std::string_view ccFilename,
                             const DesignSummary& design) {
    file_.writeLine("");
    file_.writeLine("");
    file_.writeLine(logBanner("Time Log File", clock_.localTime()));
    file_.writeLine("Script file: " + fullPath(scriptFilename));
    file_.writeLine("ccFilename: " + std::string(ccFilename));
    file_.writeLine("");
    file_.writeLine("Number of Panels : " + std::to_string(design.panels.size()));
    for (const PanelSummary& panel : design.panels) {
        file_.writeLine(panelLine(panel));
    }
    file_.writeLine("");
    file_.writeLine("Number of Boards : " + std::to_string(design.boards.size()));
    for (const BoardSummary& board : design.boards) {
        file_.writeLine(boardLine(board));
    }
    file_.writeLine("");
    file_.writeLine("");
    file_.writeLine("Test Name,Test Time,Marginal Violations,Critical Violations");
    file_.writeLine("");
}

void clsTestTimer::startTimer(std::string_view testName) {
    stepRunning_ = true;
    if (!enabled()) {
        return;
    }
    subProcesses_.clear();
    step_ = TimedSpan{std::string(testName), clock_.ticks(), std::nullopt};
}

void clsTestTimer::stopTimer() {
    if (!enabled()) {
        return;
    }
    stopOpenSubProcess();
    step_.stop = clock_.ticks();
}

void clsTestTimer::reportTestTimes(std::string_view marginal, std::string_view critical) {
    if (!enabled()) {
        return;
    }
    stopOpenSubProcess();
    stopIfOpen(step_);
    std::string line = lineOf("", step_);
    for (std::string_view count : {marginal, critical}) {
        if (!count.empty()) {
            line += ',';
            line += count;
        }
    }
    file_.writeLine(line);
    if (switches_.blnExpandedRep) {
        for (const TimedSpan& subProcess : subProcesses_) {
            file_.writeLine(lineOf("_____", subProcess));
        }
    }
    stepRunning_ = false;
}

void clsTestTimer::startSubProcessTimer(std::string_view subProcess) {
    if (!enabled()) {
        return;
    }
    stopOpenSubProcess();
    subProcesses_.push_back(TimedSpan{std::string(subProcess), clock_.ticks(), std::nullopt});
}

void clsTestTimer::stopSubProcessTimer() {
    if (!enabled() || subProcesses_.empty()) {
        return;
    }
    subProcesses_.back().stop = clock_.ticks();
}

void clsTestTimer::endLog() {
    if (!enabled()) {
        return;
    }
    if (stepRunning_) {
        reportTestTimes();
    }
    if (file_.isOpen()) {
        file_.writeLine("");
        file_.writeLine("");
        file_.close();
    }
}

void clsTestTimer::stopOpenSubProcess() {
    if (!subProcesses_.empty()) {
        stopIfOpen(subProcesses_.back());
    }
}

void clsTestTimer::stopIfOpen(TimedSpan& span) const {
    if (!span.stop) {
        span.stop = clock_.ticks();
    }
}

std::string clsTestTimer::lineOf(std::string_view prefix, const TimedSpan& span) {
    return std::string(prefix) + span.name + "," + elapsedText(span.stop.value_or(span.start) - span.start);
}

} // namespace lumora
