#pragma once

#include "engine/model/Design.h"
#include "testlogic/RunHost.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumora {

// A board or panel that a test ran on.
struct TestedFile {
    int32_t number = 0;
    std::string name;
};

// A violation of one test. Its key, which a later run of an edited board finds again, is made from
// the test's record when asked (markerKeys).
struct RecordedMarker {
    std::shared_ptr<const engine::DrcMarker> marker{}; // the one the design holds while it does
    std::string fileName{};
    bool waived = false;
};

// One test as it ran: what was asked, how it ended and what it found.
struct TestRecord {
    std::string script; // full path of the script file
    long row = 0;
    std::string name;
    std::vector<std::pair<std::string, std::string>> parameters; // as the test ran with them
    int16_t result = 0;
    double seconds = 0;
    std::vector<TestedFile> files;
    std::vector<RecordedMarker> markers;
};

// Collects a TestRecord for every test of the runs it listens to, with the markers KORVEN placed
// while the test ran.
class RunRecorder : public TestRunListener {
  public:
    explicit RunRecorder(const engine::Design& design) : design_(design) {}

    void testStarted(RunWindow& window, long row) override;
    void testFinished(RunWindow& window, long row, int16_t result) override;

    std::vector<TestRecord>& tests() { return tests_; }
    const std::vector<TestRecord>& tests() const { return tests_; }

  private:
    const engine::Design& design_;
    std::vector<TestRecord> tests_;
    std::size_t firstMarker_ = 0;
    std::chrono::steady_clock::time_point started_{};
};

} // namespace lumora
