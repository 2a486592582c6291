// How the plane work grows: the thermal-tie check, which tests every plated pin against the plane
// pieces of its net on every plane layer, and CombinePolies joining a plane drawn as many touching
// pieces into one polygon.

#include "bench/PlaneBenchmarks.h"

#include "engine/checks/CheckFunctions.h"
#include "engine/ops/DfxOutlines.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/Polygons.h"
#include "engine/tools/SyntheticDesign.h"
#include "korvenapi/KorvenCodes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace lumora::bench {

namespace {

constexpr std::size_t kFirstThermalBoard = 1000;

void BM_ThermalTies(benchmark::State& state) {
    engine::Design design =
        engine::makeSyntheticDesign({.components = static_cast<std::size_t>(state.range(0)), .seed = 1});
    std::size_t findings = 0;
    for (auto _ : state) {
        engine::CheckContext context(design, "Thru-hole Pin Thermal Ties to Plane Areas");
        findings = engine::check(context, GerberThermalBarrelPlugCheckArgs{.filePos = 1}).size();
    }
    state.SetComplexityN(state.range(0));
    state.counters["findings"] = static_cast<double>(findings);
}

// A square plane tile of `side` at (x, y), overlapping its neighbours by `overlap`, with a
// clearance hole in its middle as a via of another net leaves it: every piece adds a hole to the
// joined plane, so the union grows with every piece.
engine::Graphic planeTile(double x, double y, double side, int16_t layer) {
    constexpr double kHole = 20;
    auto square = [](double left, double bottom, double size) {
        return engine::Ring{
            {left, bottom}, {left + size, bottom}, {left + size, bottom + size}, {left, bottom + size}};
    };
    const double middle = (side - kHole) / 2;
    engine::Graphic tile;
    tile.shape = engine::Polygon{square(x, y, side), {square(x + middle, y + middle, kHole)}};
    tile.layer = layer;
    tile.net = "GND";
    tile.origin = engine::FlatOrigin{};
    return tile;
}

void BM_CombinePolies(benchmark::State& state) {
    constexpr double kPitch = 100;
    constexpr double kOverlap = 5;
    engine::Design design = engine::makeSyntheticDesign({.components = 1, .seed = 1});
    const int16_t layer = design.findLayer("GND")->number;
    const int16_t geomNum = engine::createFlattenGeometry(design, 1);
    const auto pieces = static_cast<std::size_t>(state.range(0));
    const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(pieces))));
    std::vector<engine::DataItem> plane;
    for (std::size_t i = 0; i < pieces; ++i) {
        plane.emplace_back(planeTile(static_cast<double>(i % columns) * kPitch,
                                     static_cast<double>(i / columns) * kPitch, kPitch + kOverlap, layer));
    }
    std::size_t joined = 0;
    for (auto _ : state) {
        state.PauseTiming();
        design.geometry(geomNum).data = plane;
        state.ResumeTiming();
        engine::combinePolies(design, geomNum);
        joined = design.geometry(geomNum).data.size();
    }
    state.SetComplexityN(state.range(0));
    state.counters["polygons"] = static_cast<double>(joined);
}

// DFx outlines of one part of many pads (a BGA, a connector row) in a grid: the pads were united
// one at a time into the growing area, which took the square of their number.
void BM_DfxOutlinesManyPads(benchmark::State& state) {
    constexpr double kPitch = 40;
    engine::Design design = engine::makeSyntheticDesign({.components = 1, .seed = 1});
    engine::Geometry* part = nullptr;
    for (auto& [number, geometry] : design.geometries) {
        part = geometry.blockType == block_type::Component && part == nullptr ? &geometry : part;
    }
    const auto pin = std::ranges::find_if(part->data, [](const engine::DataItem& item) {
        const auto* insert = std::get_if<engine::Insert>(&item);
        return insert && insert->insertType == insert_type::Pin;
    });
    engine::Insert extra = std::get<engine::Insert>(*pin);
    const auto pads = static_cast<std::size_t>(state.range(0));
    const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(pads))));
    std::erase_if(part->data,
                  [](const engine::DataItem& item) { return std::holds_alternative<engine::Insert>(item); });
    for (std::size_t i = 0; i < pads; ++i) {
        extra.at = {static_cast<double>(i % columns) * kPitch, static_cast<double>(i / columns) * kPitch};
        part->data.emplace_back(extra);
    }
    for (auto _ : state) {
        engine::createDfxOutline(design, part->number, dfx_algorithm::All, true);
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

void registerPlaneBenchmarks(std::size_t largestBoard) {
    benchmark::internal::Benchmark* thermal = benchmark::RegisterBenchmark("BM_ThermalTies", BM_ThermalTies);
    thermal->ArgName("components");
    for (std::size_t components = kFirstThermalBoard; components <= largestBoard; components *= 10) {
        thermal->Arg(static_cast<int64_t>(components));
    }
    thermal->UseRealTime()->Unit(benchmark::kMillisecond)->Complexity();
    benchmark::RegisterBenchmark("BM_CombinePolies", BM_CombinePolies)
        ->ArgName("pieces")
        ->RangeMultiplier(4)
        ->Range(64, 4096)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Complexity();
    benchmark::RegisterBenchmark("BM_DfxOutlinesManyPads", BM_DfxOutlinesManyPads)
        ->ArgName("pads")
        ->RangeMultiplier(2)
        ->Range(1000, 8000)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Complexity();
}

} // namespace lumora::bench
