#pragma once

#include "script/LocaleService.h"
#include "script/clsTestItem.h"
#include "tests/korven/KorvenFixture.h"
#include "tests/log/FakeClock.h"
#include "tests/support/TempDir.h"
#include "ui/ScriptWindowHost.h"
#include "ui/frmDebugList.h"

#include <memory>
#include <string>
#include <vector>

namespace lumora::test {

// The main window as a script window sees it: the settings it gives each run, what the user was
// shown, and how often the run log was opened.
class RecordingWindowHost : public ScriptWindowHost, public StatusDisplay, public MessageDisplay {
  public:
    StatusDisplay& statusWindow() override { return *this; }
    MessageDisplay& messageBoxes() override { return *this; }
    bool testRunning() const override { return running; }
    void setTestRunning(bool value) override { running = value; }
    frmCreatedGeometries& debugList() override { return list; }
    void viewLog() override { ++logsViewed; }
    void openFile() override { ++filesAsked; }
    void windowActivated(frmTests&) override {}
    RunSettings runSettings() const override { return settings; }
    const LogSwitches& logSwitches() const override { return switches; }

    void showStatus(const std::string& msgString, int16_t, int16_t) override {
        statuses.push_back(msgString);
    }
    void setProgress(int16_t) override {}
    void hideStatus() override {}
    void showMessage(const std::string& text, MessageKind) override { messages.push_back(text); }

    RunSettings settings;
    LogSwitches switches;
    bool running = false;
    int logsViewed = 0;
    int filesAsked = 0;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    frmCreatedGeometries list{*this};
};

// A recording KORVEN with one board, a temporary folder for the logs, a fixed clock and a "."
// locale.
class UiFixture : public KorvenFixture {
  protected:
    UiFixture() { scriptOneBoard(); }

    static std::unique_ptr<clsTestItem> itemNamed(const std::string& name) {
        auto item = std::make_unique<clsTestItem>();
        item->strName = name;
        item->setDefaults();
        return item;
    }

    // The calls of the named methods, in order.
    std::vector<std::string> callsOf(const std::vector<std::string>& methods) const {
        std::vector<std::string> picked;
        for (const std::string& call : korven.calls()) {
            for (const std::string& method : methods) {
                if (call.starts_with(method + "(")) {
                    picked.push_back(call);
                }
            }
        }
        return picked;
    }

    ScopedLocale locale{{".", ","}};
    TempDir home;
    FakeClock clock{march7At0905()};
};

} // namespace lumora::test
