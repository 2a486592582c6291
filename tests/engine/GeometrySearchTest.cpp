#include "engine/geom/ClosestStrokes.h"
#include "engine/geom/Depth.h"
#include "engine/geom/Footprint.h"
#include "engine/geom/PairSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace lumora::engine {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

Box box(double x0, double y0, double x1, double y1) {
    return Box({x0, y0}, {x1, y1});
}

Shape square(double x0, double y0, double size) {
    return Polygon{{{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}}, {}};
}

TEST(PairSearchTest, PairsOfBoxesWithinTheDistanceTouchingIncluded) {
    const std::vector<Box> boxes{box(0, 0, 10, 10), box(15, 0, 25, 10), box(25, 0, 30, 10),
                                 box(100, 100, 110, 110)};

    EXPECT_THAT(nearPairs(boxes, 0), ElementsAre(IndexPair{1, 2}));
    EXPECT_THAT(nearPairs(boxes, 5), ElementsAre(IndexPair{0, 1}, IndexPair{1, 2}));
}

TEST(PairSearchTest, PairsAcrossTwoListsKeepTheirSides) {
    const std::vector<Box> first{box(0, 0, 10, 10), box(50, 0, 60, 10)};
    const std::vector<Box> second{box(55, 5, 70, 20), box(-3, 0, -1, 2)};

    EXPECT_THAT(nearPairs(first, second, 1), ElementsAre(IndexPair{0, 1}, IndexPair{1, 0}));
    EXPECT_THAT(nearPairs(first, std::vector<Box>{}, 1000), IsEmpty());
}

// Catches a search that indexes the smaller list (a few keepouts against a board) finding other
// pairs, or giving them in another order, than the first list's queries: on tenths, boxes lie at
// exactly the distance, where bounds grown from the other side round differently.
TEST(PairSearchTest, AFewBoxesAgainstManyPairAsTheirOwnQueriesWould) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> tenths(0, 300);
    auto randomBox = [&] {
        const double x = tenths(random) * 0.1;
        const double y = tenths(random) * 0.1;
        return box(x, y, x + tenths(random) % 7 * 0.1, y + tenths(random) % 7 * 0.1);
    };
    std::vector<Box> few(12);
    std::vector<Box> many(3000);
    std::ranges::generate(few, randomBox);
    std::ranges::generate(many, randomBox);
    // 0.1 + 0.2 reaches 3 * 0.1, but 3 * 0.1 - 0.2 lies beyond 0.1.
    few.push_back(box(0, 0, 0.1, 1));
    many.push_back(box(3 * 0.1, 0, 1, 1));
    for (const double distance : {0.0, 0.2, 0.3, 0.7}) {
        std::vector<IndexPair> expected;
        for (std::size_t i = 0; i < few.size(); ++i) {
            for (std::size_t j = 0; j < many.size(); ++j) {
                if (bg::intersects(grown(few[i], distance), many[j])) {
                    expected.emplace_back(i, j);
                }
            }
        }
        ASSERT_EQ(nearPairs(few, many, distance), expected) << distance;
    }
}

// Catches an index in cells that loses boxes: a split that drops or repeats entries, or a search
// that passes over a cell it only touches (70,000 boxes, enough to be split).
TEST(BoxIndexTest, ALargeListInCellsFindsWhatComparingEveryBoxFinds) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> tenths(0, 2000);
    std::vector<Box> boxes(70000);
    std::ranges::generate(boxes, [&] {
        const double x = tenths(random) * 0.1;
        const double y = tenths(random) * 0.1;
        return box(x, y, x + tenths(random) % 9 * 0.1, y + tenths(random) % 3 * 0.1);
    });
    boxes.push_back(box(-500, 40, 500, 40)); // across every cell, flat
    const BoxIndex index(boxes);
    for (int q = 0; q < 60; ++q) {
        const double x = tenths(random) * 0.1;
        const Box query = box(x, x, x + tenths(random) % 50 * 0.1, x);
        for (const double distance : {0.0, 0.3}) {
            std::vector<std::size_t> expected;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                if (bg::intersects(grown(query, distance), boxes[i])) {
                    expected.push_back(i);
                }
            }
            ASSERT_EQ(index.near(query, distance), expected) << q << " " << distance;
        }
    }
}

TEST(FootprintTest, DistancesBetweenAreasPathsAndPoints) {
    const Footprint area(square(0, 0, 10));
    const Footprint hairline(Line{{20, -5}, {20, 5}, 0});
    const Footprint point(Mark{{0, 14}});

    EXPECT_DOUBLE_EQ(area.distanceTo(hairline), 10);
    EXPECT_DOUBLE_EQ(area.distanceTo(point), 4);
    EXPECT_DOUBLE_EQ(point.distanceTo(hairline), std::hypot(20, 9));
    EXPECT_DOUBLE_EQ(area.distanceTo(Footprint(square(10, 0, 5))), 0) << "touching";
}

TEST(FootprintTest, OverlapNeedsTheInsideNotJustTheBorder) {
    const Shape area = square(0, 0, 10);
    auto solidOverlap = [&](const Shape& other) { return overlaps(area, Fill::Solid, other, Fill::Solid); };
    EXPECT_TRUE(solidOverlap(square(5, 5, 10)));
    EXPECT_FALSE(solidOverlap(square(10, 0, 5)));
    EXPECT_TRUE(solidOverlap(Mark{{5, 5}}));
    EXPECT_FALSE(solidOverlap(Mark{{10, 5}}));
    EXPECT_FALSE(overlaps(area, Fill::Border, Mark{{5, 5}}, Fill::Solid)) << "an outline has no inside";
}

// Catches a filled footprint that tells its inside unlike its polygon would (a concave ring's notch
// or a hole counted in, the inside counted out), whichever way it tells it: by the edges of one
// ring, by a copy of a polygon with a hole, by the edge index of a polygon of 64 edges or more.
TEST(FootprintTest, AFilledFootprintTellsItsInsideAsItsPolygonDoes) {
    const Ring notch{{0, 0}, {40, 0}, {40, 40}, {25, 40}, {25, 15}, {15, 15}, {15, 40}, {0, 40}};
    Ring many;
    for (int step = 0; step < 64; ++step) { // a notched square with many vertices along its bottom
        many.push_back({step * 40.0 / 64, step % 2 == 0 ? 0.0 : 1.0});
    }
    many.insert(many.end(), {{40, 0}, {40, 40}, {25, 40}, {25, 15}, {15, 15}, {15, 40}, {0, 40}});
    const Polygon polygons[] = {{notch, {}}, {notch, {{{5, 5}, {10, 5}, {10, 10}, {5, 10}}}}, {many, {}}};
    for (const Polygon& polygon : polygons) {
        const Footprint footprint(polygon);
        const Area area = areaOf(polygon);
        for (double x = -5; x <= 45; x += 2.5) {
            for (double y = -5; y <= 45; y += 2.5) {
                ASSERT_EQ(footprint.depthAt({x, y}) >= 0, bg::covered_by(AreaPoint(x, y), area))
                    << polygon.outline.size() << " points, " << x << " " << y;
            }
        }
        EXPECT_DOUBLE_EQ(footprint.depthAt({20, 30}), -5) << "in the notch, 5 from its sides";
    }
}

TEST(FootprintTest, EmptyShapesOccupyNothing) {
    EXPECT_TRUE(Footprint(Circle{{0, 0}, 0, 0}).empty());
    EXPECT_FALSE(Footprint(Mark{{0, 0}}).empty());
}

// The rough box decides which items get a footprint at all: it must hold the footprint's box for
// every shape, pad shape and turn, and leave out only what is certainly empty.
TEST(FootprintTest, TheRoughBoxHoldsTheFootprintsBox) {
    std::vector<Shape> shapes{Line{{1e4, 3}, {1e4 + 7, -2}, 0.4},
                              Line{{5, 5}, {5, 5}, 0},
                              Arc{{-3, 2}, 2.5, 200, -250, 0.3},
                              Circle{{2, 2}, 1.5, 0.5},
                              Circle{{2, 2}, 1.5, 0},
                              Mark{{-7, 1e5}},
                              Polygon{{{0, 0}, {6, 1}, {3, 5}}, {{{2, 1}, {3, 1}, {3, 2}}}}};
    const ComplexShape outline{.outline = {{-1, -1}, {2, 0}, {0, 1.5}}};
    for (int16_t shape = pad_shape::Round; shape <= pad_shape::Oblong; ++shape) {
        for (double rotation : {0.0, 30.0, 90.0, 135.0}) {
            shapes.push_back(Pad{shape, 4, {1234.5, -17}, 3, 1.2, rotation, padRing(0.8, 0.2), outline});
        }
    }
    shapes.push_back(Pad{.shape = pad_shape::Complex,
                         .at = {-40, 3},
                         .complex = ComplexShape{.outline = {{-2, -1}, {2, -1}, {2, 1}, {-2, 1}},
                                                 .cornerRadii = std::vector<double>{1, 0.5, 0, 1}}});
    for (const Shape& shape : shapes) {
        for (Fill fill : {Fill::Solid, Fill::Border}) {
            const Footprint footprint(shape, fill);
            const std::optional<Box> rough = roughBoxOf(shape);
            ASSERT_TRUE(rough.has_value()) << shape.index();
            EXPECT_TRUE(bg::covered_by(footprint.box(), *rough)) << shape.index();
        }
    }
    EXPECT_FALSE(roughBoxOf(Pad{pad_shape::Round, 0, {0, 0}, 0}).has_value());
    EXPECT_FALSE(roughBoxOf(Polygon{{{0, 0}, {1, 1}}, {}}).has_value());
}

// A plane of 400 edges with a grid of clearance holes, on round coordinates: points on its vertices
// and edges and items square to its edges give the ties that the searches must settle as a search
// of every edge does.
TEST(EdgeIndexTest, AnswersExactlyAsEveryEdgeDoes) {
    Ring outline;
    for (int side = 0; side < 4; ++side) {
        for (int step = 0; step < 100; ++step) {
            const double along = step * 10.0;
            const Point corners[] = {{along, 0}, {1000, along}, {1000 - along, 1000}, {0, 1000 - along}};
            outline.push_back(corners[side]);
        }
    }
    std::vector<Ring> holes;
    for (double x = 100; x < 1000; x += 200) {
        for (double y = 100; y < 1000; y += 200) {
            holes.push_back({{x, y}, {x + 30, y}, {x + 30, y + 30}, {x, y + 30}});
        }
    }
    const AreaPolygon plane = areaOf(Polygon{outline, holes}).front();
    const EdgeIndex index(plane);
    std::vector<Stroke> edges;
    auto addEdges = [&](const auto& ring) {
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            edges.push_back({Segment{{ring[i].x(), ring[i].y()}, {ring[i + 1].x(), ring[i + 1].y()}}, 0});
        }
    };
    addEdges(plane.outer());
    std::ranges::for_each(plane.inners(), addEdges);
    const Box planeBox = bg::return_envelope<Box>(plane);

    std::mt19937_64 random(16);
    std::uniform_int_distribution<int> grid(-4, 204);
    for (int trial = 0; trial < 1000; ++trial) {
        const Point p{grid(random) * 5.0, grid(random) * 5.0};
        ASSERT_EQ(index.covers(p), bg::covered_by(AreaPoint(p.x, p.y), plane)) << p.x << " " << p.y;
        const Point q{p.x + grid(random) % 7 * 2.5, p.y + grid(random) % 3 * 2.5};
        const std::vector<Stroke> item{{Segment{p, q}, trial % 4 * 1.25}};
        const Box itemBox = boxOf(item.front());
        const Strokes searched{edges, planeBox, &index};
        const Strokes everyEdge{edges, planeBox, nullptr};
        const Strokes other{item, itemBox, nullptr};
        ASSERT_EQ(closestStrokes(searched, other), closestStrokes(everyEdge, other)) << p.x << " " << p.y;
        ASSERT_EQ(closestStrokes(other, searched), closestStrokes(other, everyEdge)) << p.x << " " << p.y;
    }
}

TEST(DepthTest, DistanceToTheNearestUncoveredPoint) {
    const Area area = areaOf(square(0, 0, 40));
    EXPECT_DOUBLE_EQ(depthIn(area, {20, 20}), 20);
    EXPECT_DOUBLE_EQ(depthIn(area, {5, 20}), 5);
    EXPECT_DOUBLE_EQ(depthIn(area, {50, 20}), 0);
}

TEST(DepthTest, HolesAreUncovered) {
    const Area ring =
        areaOf(Polygon{{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{{15, 15}, {25, 15}, {25, 25}, {15, 25}}}});
    EXPECT_DOUBLE_EQ(depthIn(ring, {10, 20}), 5);
    EXPECT_DOUBLE_EQ(depthIn(ring, {20, 20}), 0);
}

} // namespace
} // namespace lumora::engine
