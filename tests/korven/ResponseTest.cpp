#include "tests/korven/KorvenFixture.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class CountingPump : public EventPump {
  public:
    void doEvents() override { ++runs; }
    int runs = 0;
};

class ResponseTest : public KorvenFixture {
  protected:
    ResponseTest() { setEventPump(&pump); }
    ~ResponseTest() override { setEventPump(nullptr); }

    CountingPump pump;
};

TEST_F(ResponseTest, DrcAddedPassesTheSeverityToTheRunningWindow) {
    clsResponse response;

    response.Response("DRC Added", "Marginal");
    response.Response("DRC Added", "Critical");

    EXPECT_EQ(window.counted, (std::vector<std::string>{"Marginal", "Critical"}));
    EXPECT_EQ(pump.runs, 2);
}

TEST_F(ResponseTest, OtherEventsAreIgnored) {
    clsResponse response;

    response.Response("DRC Removed", "Marginal");
    response.Response("drc added", "Critical");

    EXPECT_TRUE(window.counted.empty());
    EXPECT_EQ(pump.runs, 0);
}

TEST_F(ResponseTest, WithoutARunningWindowNothingIsCounted) {
    setFrmCurChild(nullptr);
    clsResponse response;

    response.Response("DRC Added", "Marginal");

    EXPECT_TRUE(window.counted.empty());
}

TEST_F(ResponseTest, KorvenReachesTheRegisteredClassDuringACheck) {
    scriptOneBoard();
    connect();
    ASSERT_EQ(objKorven.SetResponse(true), 0);
    korven.queueDrcs(
        {{.value = "Critical"}, {.keyWord = "DRC Moved", .value = "Marginal"}, {.value = "Marginal"}});

    EXPECT_EQ(objKorven.dfmViaUnderPart(1, 2, "Via Under Component"), 0);

    EXPECT_EQ(window.getCurCritical(), 1);
    EXPECT_EQ(window.getCurMarginal(), 1);
    EXPECT_EQ(korven.trace(), "TurnOnResponse(\"Quillmark.Response\") -> 0\n"
                              "ViaUnderPart(1, 2, \"Via Under Component\") -> 0\n"
                              "  Response(\"DRC Added\", \"Critical\")\n"
                              "  Response(\"DRC Moved\", \"Marginal\")\n"
                              "  Response(\"DRC Added\", \"Marginal\")\n");
}

TEST_F(ResponseTest, UnregisteredClassCannotBeTurnedOn) {
    scriptOneBoard();
    connect();
    automationRegistry().unregisterResponseClass(kResponseProgId);

    EXPECT_EQ(objKorven.SetResponse(true), -3);
    EXPECT_EQ(objKorven.lastError(), "Item Not Found");
}

} // namespace
} // namespace lumora::test
