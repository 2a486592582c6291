// A design built in memory (by an import) must hold only what the design format reads back: the
// value check names the first value it would refuse, and agrees with the reader on each.

#include "engine/io/DesignValues.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace lumora::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <typename ShapeType> ShapeType& shapeAt(Design& design, int16_t geometry, std::size_t item) {
    return std::get<ShapeType>(std::get<Graphic>(design.geometry(geometry).data.at(item)).shape);
}

TEST(DesignValues, AValidDesignHasNoProblem) {
    EXPECT_EQ(findValueProblem(test::tinyBoard()), std::nullopt);
}

TEST(DesignValues, NamesTheFirstValueTheReaderWouldRefuseAndTheReaderDoesRefuseIt) {
    struct Case {
        std::function<void(Design&)> spoil;
        std::string_view problem;
    };
    const Case kCases[] = {
        {[](Design& d) { shapeAt<Line>(d, 3, 3).width = -0.5; },
         "geometry \"CHIP\", item 4 (line): width cannot be negative (-0.5)"},
        {[](Design& d) { shapeAt<Line>(d, 3, 3).to.y = kInfinity; },
         "geometry \"CHIP\", item 4 (line): end is not a finite number"},
        {[](Design& d) { shapeAt<Circle>(d, 2, 2).radius = kNaN; },
         "geometry \"TH\", item 3 (circle): radius is not a finite number"},
        {[](Design& d) { shapeAt<Polygon>(d, 3, 2).outline.resize(2); },
         "geometry \"CHIP\", item 3 (polygon): outline has 2 points (at least 3 allowed)"},
        {[](Design& d) {
             shapeAt<Polygon>(d, 3, 2).holes.push_back({{0, 0}, {1, 0}, {0, kNaN}});
         },
         "geometry \"CHIP\", item 3 (polygon): hole holds a point that is not finite"},
        {[](Design& d) {
             shapeAt<Pad>(d, 5, 0).complex = ComplexShape{.outline = {{0, 0}, {1, 0}, {0, 1}}};
         },
         "geometry \"FID\", item 1 (pad): outline has 3 points (none allowed)"},
        {[](Design& d) { shapeAt<Pad>(d, 5, 0).sizeY = -40; },
         "geometry \"FID\", item 1 (pad): height cannot be negative (-40)"},
        {[](Design& d) { std::get<Insert>(d.geometry(10).data.at(0)).scale = 0; },
         "geometry \"BOARD\", item 1 (insert): scale must be above 0 (0)"},
        {[](Design& d) { d.geometry(10).thickness = -62; },
         "geometry \"BOARD\": thickness cannot be negative (-62)"},
        {[](Design& d) { d.files.at(0).rotation = -kInfinity; },
         "file \"tiny.cc\": rotation is not a finite number"},
    };
    for (const Case& c : kCases) {
        Design design = test::tinyBoard();
        c.spoil(design);
        EXPECT_EQ(findValueProblem(design).value_or("none"), c.problem);
        EXPECT_THROW(parseDesign(serializeDesign(design)), DesignFormatError) << c.problem;
    }
}

} // namespace
} // namespace lumora::engine
