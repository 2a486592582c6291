#include "script/TestCatalog.h"
#include "testlogic/mdlTestLogic.h"
#include "tests/testlogic/TestLogicFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class DispatcherTest : public test::TestLogicFixture {
  protected:
    void SetUp() override { scriptBoards({"board.cc"}); }
};

} // namespace

TEST_F(DispatcherTest, InvalidParametersRunNothing) {
    connect();
    clsTestItem test = item("Panel Dimensions", {{"Maximum_Width", "abc"}});
    EXPECT_EQ(runTest(test), -999);
    EXPECT_EQ(logLines(), (Lines{"Test : Panel Dimensions", "   Invalid Parameters"}));
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(DispatcherTest, LegacyAndUnknownNamesAreNotValidTests) {
    connect();
    clsTestItem legacy = item("Distance Check Vias and Vias");
    clsTestItem misspelt = item("Panel Fiducials In Corners");
    EXPECT_EQ(runTest(legacy), -999);
    EXPECT_EQ(runTest(misspelt), -999);
    EXPECT_EQ(logLines(), (Lines{"Test : Distance Check Vias and Vias",
                                 "   Test Distance Check Vias and Vias : FAILED {Not A Valid Test}",
                                 "Test : Panel Fiducials In Corners",
                                 "   Test Panel Fiducials In Corners : FAILED {Not A Valid Test}"}));
}

TEST_F(DispatcherTest, PackageTestsNameTheirPackagesInTheHeading) {
    connect();
    clsTestItem test = item("Real Part To Real Part", {{"Package_1", "soic"}, {"Package_2", "QFP"}});
    runTest(test);
    ASSERT_FALSE(logLines().empty());
    EXPECT_EQ(logLines().front(), "Test : Real Part To Real Part - soic To QFP");
}

TEST_F(DispatcherTest, EveryCurrentTestReachesAFamilyThatReportsPerItem) {
    scriptPanels({"panel.cc"});
    connectCounting();
    for (const CurrentTest& current : currentTests()) {
        std::size_t before = logLines().size();
        clsTestItem test = item(std::string(current.name));
        runTest(test);
        Lines lines = logLines();
        ASSERT_GT(lines.size(), before + 1) << current.name;
        EXPECT_TRUE(lines[before].starts_with("Test : " + std::string(current.name))) << current.name;
        EXPECT_TRUE(lines[before + 1].starts_with("   Test On "))
            << current.name << ": " << lines[before + 1];
    }
}
