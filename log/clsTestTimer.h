#pragma once

#include "log/Clock.h"
#include "log/DesignSummary.h"
#include "log/LogSwitches.h"
#include "log/LogTextFile.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The time log, testtimes.csv: a summary of the design, then one line per timed step (the
// pre-processing, the soldermask pre-processing, each test) and, with expanded reporting, one
// line per sub-process of the step. While blnGenTestTimes is off every operation does nothing
// except that startTimer still marks the step as running.
class clsTestTimer {
  public:
    // switches must outlive the timer; it is read at every call.
    clsTestTimer(std::filesystem::path folder, const LogSwitches& switches,
                 const Clock& clock = systemClock());

    // Opens folder/testtimes.csv (truncated when startNew, appended to otherwise) and writes the
    // head with design's summary; does nothing when the log is already open. Throws the
    // LogFileError of LogTextFile::open when the folder cannot be written.
    void beginLog(std::string_view scriptFilename, std::string_view ccFilename, DesignSummarySource& design,
                  bool startNew);
    void startTimer(std::string_view testName);
    void stopTimer();
    // Empty counts are left out of the line: steps without counts have two fields, tests four.
    void reportTestTimes(std::string_view marginal = {}, std::string_view critical = {});
    // Sub-processes do not nest: starting one stops the one before.
    void startSubProcessTimer(std::string_view subProcess);
    void stopSubProcessTimer();
    void endLog();
    bool isOpen() const { return file_.isOpen(); }
    // The first count of the head that KORVEN could not give, empty when the head is whole.
    const std::string& summaryGap() const { return summaryGap_; }

  private:
    struct TimedSpan {
        std::string name;
        std::chrono::seconds start{};
        std::optional<std::chrono::seconds> stop; // nothing while it runs
    };

    bool enabled() const { return switches_.blnGenTestTimes; }
    void stopIfOpen(TimedSpan& span) const;
    void stopOpenSubProcess();
    void writeHead(std::string_view scriptFilename, std::string_view ccFilename, const DesignSummary& design);
    static std::string lineOf(std::string_view prefix, const TimedSpan& span);

    std::filesystem::path folder_;
    const LogSwitches& switches_;
    const Clock& clock_;
    LogTextFile file_;
    TimedSpan step_;
    bool stepRunning_ = false;
    std::vector<TimedSpan> subProcesses_;
    std::string summaryGap_;
};

} // namespace lumora
