#pragma once

#include "log/Clock.h"
#include "log/clsLogFile.h"
#include "script/LocaleService.h"
#include "script/clsTestItem.h"
#include "tests/korven/KorvenFixture.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lumora::test {

// A connected recording KORVEN, a running window with a real run log in a temporary folder, and
// a "." locale. Family tests script the document, run one test item and compare the call trace
// and the run log's lines with what the routine must do.
class TestLogicFixture : public KorvenFixture {
  protected:
    TestLogicFixture() : log_(dir_.path()) {
        log_.beginLog(true);
        window.log = &log_;
        runWith({});
    }

    // The run's settings as the run driver hands them to the connection; error.cc and error.txt
    // go to the test's own folder, since test processes run side by side.
    void runWith(RunSettings settings) {
        settings.logFolder = dir_.path();
        objKorven.useRunSettings(std::move(settings));
    }

    // Connects with the DRC callback on, as a run does, and forgets the calls made so far.
    void connectCounting() {
        connect();
        objKorven.SetResponse(true);
        korven.clearCalls();
    }

    // Files as GetFile2 reports them: boards have block type 1, panels 8.
    void scriptBoards(const std::vector<std::string>& names) { scriptFiles(names, kBoardBlock); }
    void scriptPanels(const std::vector<std::string>& names) { scriptFiles(names, kPanelBlock); }

    // A test item as the loader builds it: name, defaults, then the given parameters.
    clsTestItem item(const std::string& name,
                     std::vector<std::pair<std::string, std::string>> parameters = {}) {
        clsTestItem test;
        test.strName = name;
        test.setDefaults();
        for (const auto& [key, value] : parameters) {
            test.addProperty(key, value);
        }
        return test;
    }

    // The run log's lines after the banner block.
    std::vector<std::string> logLines() {
        std::string text = dir_.read("runner.log");
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                end = text.size();
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        auto banner = std::ranges::find_if(
            lines, [](const std::string& l) { return l.starts_with("Lumora Runner v."); });
        auto body = std::find(banner, lines.end(), std::string()); // the empty line that closes the banner
        return {body == lines.end() ? body : body + 1, lines.end()};
    }

    ScopedLocale locale_{{".", ","}};
    TempDir dir_;
    clsLogFile log_;
    static constexpr int16_t kBoardBlock = 1;
    static constexpr int16_t kPanelBlock = 8;

    void scriptFiles(const std::vector<std::string>& names, int16_t blockType) {
        for (const std::string& name : names) {
            const auto number = static_cast<int32_t>(korven.files.size()) + 1;
            korven.files.push_back({.number = number,
                                    .name = name,
                                    .show = true,
                                    .blockType = blockType,
                                    .geomNum = static_cast<int16_t>(10 + number)});
        }
    }
};

} // namespace lumora::test
