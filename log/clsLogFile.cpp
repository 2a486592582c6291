#include "log/clsLogFile.h"

#include "log/LogBanner.h"

#include <utility>

namespace lumora {

namespace {

constexpr std::string_view kRule = "========================================================";

} // namespace

clsLogFile::clsLogFile(std::filesystem::path folder, const Clock& clock)
    : folder_(std::move(folder)), clock_(clock) {}

void clsLogFile::beginLog(bool startNew) {
    if (file_.isOpen()) {
        return;
    }
    file_.open(folder_ / "runner.log", startNew);
    file_.writeLine("");
    file_.writeLine("");
    file_.writeLine(kRule);
    file_.writeLine(kRule);
    file_.writeLine(logBanner("Log File", clock_.localTime()));
    file_.writeLine("");
}

void clsLogFile::writeString(std::string_view val) {
    file_.writeLine(val);
}

void clsLogFile::endLog() {
    file_.close();
}

} // namespace lumora
