#include "korven/CurrentWindow.h"
#include "log/ProductInfo.h"
#include "script/LocaleService.h"
#include "tests/log/FakeClock.h"
#include "tests/ui/UiFixture.h"
#include "ui/AboutBox.h"
#include "ui/RunnerSettings.h"
#include "ui/frmStatus.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

class CountingPump : public EventPump {
  public:
    void doEvents() override { ++calls; }
    int calls = 0;
};

class StatusWindow : public ::testing::Test {
  protected:
    StatusWindow() { setEventPump(&pump); }
    ~StatusWindow() override { setEventPump(nullptr); }

    CountingPump pump;
    frmStatus status;
};

class RunnerSettings : public ::testing::Test {
  protected:
    test::RecordingWindowHost host;
    RunnerSwitches switches;
};

} // namespace

TEST_F(StatusWindow, ARangeShowsTheBarAtItsFirstStepAndZeroToZeroHidesIt) {
    EXPECT_EQ(status.caption(), "Processing...");
    EXPECT_EQ(status.message(), "");
    status.showStatus("Pre-processing test data", 0, 12);
    EXPECT_TRUE(status.visible());
    EXPECT_TRUE(status.barVisible());
    EXPECT_EQ(status.value(), 1);
    EXPECT_EQ(status.maximum(), 12);
    EXPECT_EQ(pump.calls, 2);

    status.showStatus("Clearing DRCs", 0, 0);
    EXPECT_EQ(status.message(), "Clearing DRCs");
    EXPECT_FALSE(status.barVisible());
}

TEST_F(StatusWindow, ProgressIsClampedAndHidingFillsTheBarAndEmptiesTheMessage) {
    status.showStatus("Pre-processing test data", 2, 5);
    EXPECT_EQ(status.value(), 2); // the first step lies inside the range
    status.setProgress(9);
    EXPECT_EQ(status.value(), 5);
    status.setProgress(-3);
    EXPECT_EQ(status.value(), 2);
    status.setProgress(4);
    status.hideStatus();
    EXPECT_EQ(status.value(), 5);
    EXPECT_EQ(status.message(), "");
    EXPECT_FALSE(status.visible());
}

TEST(DrcLimitText, RoundsHalvesToEvenAndRefusesWhatIsNoSixteenBitNumber) {
    ScopedLocale locale({".", ","});
    EXPECT_EQ(drcLimitFromText("2.5"), 2);
    EXPECT_EQ(drcLimitFromText("3.5"), 4);
    EXPECT_EQ(drcLimitFromText("-32768"), -32768);
    EXPECT_EQ(drcLimitFromText("32767"), 32767);
    EXPECT_EQ(drcLimitFromText("32768"), std::nullopt);
    EXPECT_EQ(drcLimitFromText("ten"), std::nullopt);
    EXPECT_EQ(drcLimitFromText(""), std::nullopt);
}

TEST(DrcLimitText, FollowsTheUsersDecimalSeparator) {
    ScopedLocale locale({",", "."});
    EXPECT_EQ(drcLimitFromText("2,5"), 2);
    EXPECT_EQ(drcLimitFromText("4,51"), 5);
}

TEST_F(RunnerSettings, OpensWithTheLimitAndStoresOnlyAValidOne) {
    ScopedLocale locale({".", ","});
    switches.intDRCLimit = 25;
    frmRunnerSettings dialog(host, switches);
    EXPECT_EQ(dialog.caption(), "Runner Settings");
    EXPECT_EQ(dialog.text, "25");

    dialog.text = "32768";
    EXPECT_FALSE(dialog.lostFocus());
    EXPECT_FALSE(dialog.ok());
    EXPECT_EQ(switches.intDRCLimit, 25);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"Error: Invalid value", "Error: Invalid value"}));

    dialog.text = "3.5";
    EXPECT_TRUE(dialog.lostFocus());
    EXPECT_TRUE(dialog.ok());
    EXPECT_EQ(switches.intDRCLimit, 4);
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST(AboutBox, NamesTheProductItsVersionAndTheYear) {
    EXPECT_EQ(aboutCaption(), "About Lumora Runner");
    EXPECT_EQ(aboutVersionLabel(), "Lumora Runner V." + versionText());
    EXPECT_NE(aboutNotice(test::march7At0905()).find("2024"), std::string::npos);
}
