#pragma once

#include "korven/CreatedGeometryList.h"
#include "korven/CurrentWindow.h"
#include "korven/LayerList.h"
#include "korven/clsKORVEN.h"
#include "korven/clsResponse.h"
#include "korvenapi/AutomationRegistry.h"
#include "tests/korven/FakeWindow.h"
#include "tests/korven/RecordingKorven.h"

#include <gtest/gtest.h>

namespace lumora::test {

// The Created Geometries window: "name|file|position|geometry" per geometry entered.
class RecordingGeometryList : public CreatedGeometryList {
  public:
    void addGeometry(const std::string& testName, const std::string& filename, int32_t filePos,
                     int16_t geomNum) override {
        added.push_back(testName + "|" + filename + "|" + std::to_string(filePos) + "|" +
                        std::to_string(geomNum));
    }
    std::vector<std::string> added;
};

// A recording KORVEN registered as the server, a connection object and a running window that
// owns it. Global state (layers, current window) is reset around every test.
class KorvenFixture : public ::testing::Test {
  protected:
    KorvenFixture() : registration_(automationRegistry(), korven) {
        registerResponseClass(automationRegistry());
        setFrmCurChild(&window);
        layerList().reset();
    }

    ~KorvenFixture() override {
        setFrmCurChild(nullptr);
        setFrmDebugList(nullptr);
        automationRegistry().unregisterResponseClass(kResponseProgId);
        layerList().reset();
    }

    // One visible board, file 1 "board.cc" with geometry 12.
    void scriptOneBoard() {
        korven.files = {{.number = 1, .name = "board.cc", .show = true, .blockType = 1, .geomNum = 12}};
    }

    // Connects with loadFiles and forgets the calls made so far.
    void connect(int32_t testUnits = 0) {
        ASSERT_TRUE(objKorven.openConnection(false, true, testUnits)) << objKorven.lastError();
        korven.clearCalls();
    }

    RecordingKorven korven;
    clsKORVEN objKorven;
    FakeWindow window{objKorven};

  private:
    ProviderRegistration registration_;
};

} // namespace lumora::test
