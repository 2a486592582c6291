#include "engine/ops/Editing.h"
#include "engine/model/Refusal.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

int16_t codeOfFailure(const std::function<void()>& action) {
    try {
        action();
    } catch (const Refusal& failure) {
        return failure.code();
    }
    return rc::Ok;
}

bool anyItemOn(const Design& design, int16_t layer) {
    for (const auto& [number, geometry] : design.geometries) {
        for (const Graphic& graphic : graphicsOf(design, number)) {
            if (graphic.layer == layer) {
                return true;
            }
        }
    }
    return false;
}

TEST(DeleteByLayerTest, RemovesItemsEverywhereAndTheLayerOnlyWhenAsked) {
    Design design = tinyBoard();
    const int16_t flat = createFlattenGeometry(design, 1);
    flatten(design, flat, {.layer = 11});

    deleteByLayer(design, 11, false);
    EXPECT_FALSE(anyItemOn(design, 11));
    EXPECT_EQ(design.layer(11).name, "SST");

    deleteByLayer(design, 12, true);
    EXPECT_EQ(design.layers.size(), 12u) << "a trailing hole is dropped";
    EXPECT_EQ(design.layer(11).mirror, 11) << "SST no longer mirrors to a removed layer";

    deleteByLayer(design, 5, true);
    EXPECT_EQ(codeOfFailure([&] { design.layer(5); }), rc::HoleInArray);
    EXPECT_EQ(codeOfFailure([&] { deleteByLayer(design, 5, true); }), rc::HoleInArray);
    EXPECT_EQ(codeOfFailure([&] { deleteByLayer(design, 40, true); }), rc::IndexOutOfRange);
}

TEST(DeleteGeometryTest, OnlyUnusedGeometriesGoAndFilesShowingThemGetTheirOwnBack) {
    Design design = tinyBoard();
    const int16_t flat = createFlattenGeometry(design, 1);
    setFileGeometry(design, 1, flat);
    EXPECT_EQ(design.file(1).shownGeometry, flat);

    EXPECT_EQ(codeOfFailure([&] { deleteGeometry(design, 3); }), rc::NotAllowed) << "placed by R1 and R2";
    EXPECT_EQ(codeOfFailure([&] { deleteGeometry(design, 10); }), rc::NotAllowed) << "the file's own block";
    EXPECT_EQ(codeOfFailure([&] { deleteGeometry(design, 999); }), rc::ItemNotFound);

    deleteGeometry(design, flat);
    EXPECT_FALSE(design.geometries.contains(flat));
    EXPECT_EQ(design.file(1).shownGeometry, 0);
}

TEST(SetFileGeometryTest, MinusOneAndTheOwnBlockRestore) {
    Design design = tinyBoard();
    setFileGeometry(design, 1, 3);
    EXPECT_EQ(design.file(1).shownGeometry, 3);
    setFileGeometry(design, 1, -1);
    EXPECT_EQ(design.file(1).shownGeometry, 0);
    setFileGeometry(design, 1, 3);
    setFileGeometry(design, 1, 10);
    EXPECT_EQ(design.file(1).shownGeometry, 0);

    EXPECT_EQ(codeOfFailure([&] { setFileGeometry(design, 1, 77); }), rc::ItemNotFound);
    EXPECT_EQ(codeOfFailure([&] { setFileGeometry(design, 2, -1); }), rc::ItemNotFound);
    EXPECT_EQ(design.file(1).geometry, 10);
}

TEST(CreatedGeometryTest, NumbersFollowTheHighestAndFlattenUsesTheFilesOwnBlock) {
    Design design = tinyBoard();
    const int16_t first = createFlattenGeometry(design, 1);
    EXPECT_EQ(first, 11);
    EXPECT_EQ(design.geometry(first).name, "Flatten 11");
    setFileGeometry(design, 1, first);
    const int16_t second = createFlattenGeometry(design, 1);
    flatten(design, second, {.layer = -1, .graphicClass = graphic_class::BoardOutline});
    EXPECT_EQ(graphicsOf(design, second).size(), 1u)
        << "a shown flatten geometry does not replace the source";
}

} // namespace
} // namespace lumora::engine::test
