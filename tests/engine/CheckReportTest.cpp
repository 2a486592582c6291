#include "engine/automation/EmbeddedDfm.h"
#include "engine/io/MarkersJson.h"
#include "engine/provider/EmbeddedKorven.h"
#include "engine/session/DrcReport.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

class CountingResponse : public ResponseCallback {
  public:
    explicit CountingResponse(std::vector<std::string>& values) : values_(values) {}
    void Response(const std::string&, const std::string& Value) override { values_.push_back(Value); }

  private:
    std::vector<std::string>& values_;
};

class CheckReportTest : public ::testing::Test {
  protected:
    AutomationRegistry registry;
    Session session{registry, tinyBoard()};
    std::vector<std::string> announced;

    void SetUp() override {
        registry.registerResponseClass("Test.Response",
                                       [this] { return std::make_shared<CountingResponse>(announced); });
        ASSERT_EQ(session.turnOnResponse("Test.Response"), rc::Ok);
    }

    static Finding at(double x, Severity severity = Severity::Critical) {
        return {.check = "c", .severity = severity, .file = 1, .at = {x, 0}};
    }

    std::vector<double> placedXs() const {
        std::vector<double> xs;
        for (const DrcMarker& marker : session.design().drcs) {
            xs.push_back(marker.at.x);
        }
        return xs;
    }
};

TEST_F(CheckReportTest, PlacesFindingsSortedByLocationWhateverOrderTheyCameIn) {
    EXPECT_EQ(reportFindings(session, {at(3), at(1, Severity::Marginal), at(2)}), rc::Ok);
    EXPECT_THAT(placedXs(), ElementsAre(1, 2, 3));
    EXPECT_THAT(announced, ElementsAre("Marginal", "Critical", "Critical"));
}

TEST_F(CheckReportTest, StopsAtExactlyTheLimitAndSaysSo) {
    session.maxErrorsPerTest = 2;
    EXPECT_EQ(reportFindings(session, {at(3), at(1), at(2)}), rc::TooManyErrors);
    EXPECT_THAT(placedXs(), ElementsAre(1, 2)) << "the first two in order, not the first two found";
    EXPECT_EQ(announced.size(), 2u);
}

TEST_F(CheckReportTest, ReachingTheLimitWithTheLastFindingStillCounts) {
    session.maxErrorsPerTest = 2;
    EXPECT_EQ(reportFindings(session, {at(1), at(2)}), rc::TooManyErrors);
    session.design().drcs.clear();
    EXPECT_EQ(reportFindings(session, {at(1)}), rc::Ok);
}

TEST_F(CheckReportTest, NoLimitWhenZeroOrLess) {
    session.maxErrorsPerTest = -1;
    EXPECT_EQ(reportFindings(session, {at(1), at(2), at(3)}), rc::Ok);
    EXPECT_EQ(placedXs().size(), 3u);
}

TEST_F(CheckReportTest, MarkerKeepsNameSeverityLocationValuesAndItems) {
    Finding finding{.check = "Pad To Pad",
                    .severity = Severity::Marginal,
                    .file = 1,
                    .at = {10, 20},
                    .measure = "distance",
                    .measured = 10,
                    .required = 15,
                    .items = {{"R1", "1", "VCC"}, {"", "", "GND"}}};
    reportFindings(session, {finding});

    ASSERT_EQ(session.design().drcs.size(), 1u);
    const DrcMarker& marker = session.design().drcs[0];
    EXPECT_EQ(marker.check, "Pad To Pad");
    EXPECT_EQ(marker.severity, "Marginal");
    EXPECT_EQ(marker.at, (Point{10, 20}));
    EXPECT_EQ(marker.measure, "distance");
    EXPECT_EQ(marker.measured, 10);
    EXPECT_EQ(marker.required, 15);
    EXPECT_EQ(marker.items, (std::vector<DrcItem>{{"R1", "1", "VCC"}, {"", "", "GND"}}));
    EXPECT_EQ(markerText(marker), "distance 10, required 15: R1-1 VCC, GND");
}

TEST_F(CheckReportTest, MarkersAsJsonForUsers) {
    reportFindings(session, {{.check = "Etch Width - Top",
                              .severity = Severity::Critical,
                              .file = 1,
                              .at = {12.5, -3},
                              .measure = "width",
                              .measured = 6,
                              .required = 8,
                              .items = {{.net = "GND"}}}});
    std::ostringstream out;

    writeMarkersJson(session.design(), session.failedChecks, out);

    EXPECT_EQ(out.str(), R"([
  {
    "file": 1,
    "at": [
      12.5,
      -3
    ],
    "severity": "Critical",
    "check": "Etch Width - Top",
    "measure": "width",
    "measured": 6,
    "required": 8,
    "items": [
      {
        "net": "GND"
      }
    ],
    "fileName": "tiny.cc",
    "text": "width 6, required 8: GND"
  }
]
)");
}

TEST_F(CheckReportTest, NoMarkersIsAnEmptyList) {
    std::ostringstream out;
    writeMarkersJson(session.design(), session.failedChecks, out);
    EXPECT_EQ(out.str(), "[]\n");
}

TEST_F(CheckReportTest, AFailingCheckPlacesNothingAndReturnsItsCode) {
    const int16_t code =
        runCheck(session, ViaUnderPartArgs{.geomNum1 = 99, .geomNum2 = 98, .algName = "Via Under Component"});
    EXPECT_EQ(code, rc::ItemNotFound);
    EXPECT_TRUE(session.design().drcs.empty());
}

} // namespace
} // namespace lumora::engine::test
