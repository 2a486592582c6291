// The walk every drawing of a board shares: where mirroring moves an item, whose it is, what a
// marker's names light and what the visitor keeps out.

#include "drawing/BoardWalk.h"
#include "engine/io/DesignFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::drawing::test {
namespace {

// A panel placing board B1 mirrored; on the board a part U1 whose pin 1 (net GND) is a pad on TOP,
// a via of net GND whose pad is on the plane layer too, and the GND plane.
constexpr const char* kPanel = R"({
  "format": "korven-design", "version": 1, "name": "walk", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1, "mirror": "BOTTOM"},
    {"number": 2, "name": "BOTTOM", "type": "signal", "electrical": 2, "physical": 2, "artwork": 2, "mirror": "TOP"},
    {"number": 3, "name": "GND_PLANE", "type": "plane", "electrical": 3, "physical": 3, "artwork": 3}
  ],
  "geometries": [
    {"number": 1, "name": "PIN", "type": "padstack", "data": [{"pad": "round", "size": 10, "layer": "TOP"}]},
    {"number": 2, "name": "PART", "type": "component", "data": [{"insert": "pin", "geometry": "PIN", "ref": "1"}]},
    {"number": 3, "name": "VIA", "type": "padstack", "data": [{"pad": "round", "size": 8, "layer": "GND_PLANE"},
                                                              {"pad": "round", "size": 8, "layer": "TOP"}]},
    {"number": 10, "name": "BOARD", "type": "board", "data": [
      {"insert": "component", "geometry": "PART", "at": [100, 0], "ref": "U1", "pinNets": {"1": "GND"}},
      {"insert": "via", "geometry": "VIA", "at": [200, 0], "net": "GND"},
      {"polygon": [[0, 0], [300, 0], [300, 100]], "layer": "GND_PLANE", "net": "GND"}]},
    {"number": 20, "name": "PANEL", "type": "panel", "data": [
      {"insert": "board", "geometry": "BOARD", "at": [0, 0], "mirror": true, "ref": "B1"}]}
  ],
  "files": [{"number": 1, "name": "panel.cc", "geometry": "PANEL"}]
})";

// What the walk met: each graphic's layer, owner and light, each insert's depth.
struct Recorder {
    using Placement = int; // how deep the walk is
    struct Met {
        std::string layer;
        std::string owner;
        bool lit;
    };
    const engine::Design& design;
    std::vector<Met> met{};
    std::string skipped{}; // the reference of the insert not entered

    int place(const engine::Insert&, int depth) const { return depth + 1; }
    Entry enter(const engine::Insert& insert, int) const {
        return insert.refName == skipped ? Entry::Skip : Entry::Enter;
    }
    void stand(const engine::Insert&, int, bool, bool) {}
    void graphic(const engine::Graphic&, int16_t layer, int, const ItemOwner& owner, bool lit) {
        met.push_back({design.layer(layer).name, owner.component + "|" + owner.pin + "|" + owner.net, lit});
    }
};

std::vector<Recorder::Met> walked(const engine::Design& design, const std::vector<engine::DrcItem>& lit,
                                  const std::string& skipped = "(none)") {
    Recorder recorder{design, {}, skipped};
    BoardWalk<Recorder> walk(design, lit, recorder);
    for (const engine::DataItem& item : shownBlock(design, design.file(1)).data) {
        walk.item(item, 0);
    }
    return recorder.met;
}

// Catches a mirrored board's items left on their own layer, a component named without its board
// ("U1" instead of "B1/U1"), a pin's net not taken from its component, and the plane of a net
// lit with it, which would light the whole board (the via's own pad on that layer is the via's).
TEST(BoardWalk, MirroredBoardsItemsAreNamedLitAndMovedAsTheyArePlaced) {
    const engine::Design design = engine::parseDesign(kPanel);
    const auto met = walked(design, {{"B1/U1", "1", ""}, {"", "", "GND"}});
    ASSERT_EQ(met.size(), 4u);
    EXPECT_EQ(met[0].layer, "BOTTOM");
    EXPECT_EQ(met[0].owner, "B1/U1|1|GND");
    EXPECT_TRUE(met[0].lit);
    EXPECT_EQ(met[1].layer, "GND_PLANE");
    EXPECT_TRUE(met[1].lit);
    EXPECT_EQ(met[2].layer, "BOTTOM");
    EXPECT_TRUE(met[2].lit);
    EXPECT_EQ(met[3].layer, "GND_PLANE");
    EXPECT_FALSE(met[3].lit);
}

// Catches names built when no marker asks for them (every repaint of a large board would build
// millions of strings), and an insert the visitor skips walked all the same.
TEST(BoardWalk, NothingIsNamedUnlessAskedAndSkippedInsertsAreNotEntered) {
    const engine::Design design = engine::parseDesign(kPanel);
    const auto unnamed = walked(design, {});
    ASSERT_EQ(unnamed.size(), 4u);
    EXPECT_EQ(unnamed[0].owner, "||");
    EXPECT_FALSE(unnamed[0].lit);
    EXPECT_EQ(walked(design, {}, "U1").size(), 3u);
}

} // namespace
} // namespace lumora::drawing::test
