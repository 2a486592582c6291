#include "bench/BoardBenchmarks.h"

#include "engine/tools/SyntheticDesign.h"
#include "picture/BoardPainter.h"
#include "picture/LayerStyle.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <memory>
#include <string>

namespace lumora::bench {

namespace {

constexpr QSize kScreen{1600, 1000};
constexpr std::size_t kFlawEvery = 100;

struct Zoom {
    const char* name;
    double fraction; // of the board's width shown
};
constexpr Zoom kZooms[] = {{"whole", 1.0}, {"eighth", 1.0 / 8}, {"sixty-fourth", 1.0 / 64}};

std::shared_ptr<const engine::Design> syntheticBoard(std::size_t components) {
    static std::shared_ptr<const engine::Design> design;
    if (!design) {
        design = std::make_shared<const engine::Design>(
            engine::makeSyntheticDesign({.components = components, .seed = 1, .flawEvery = kFlawEvery}));
    }
    return design;
}

void repaint(benchmark::State& state, std::size_t components, Zoom zoom) {
    const auto design = syntheticBoard(components);
    const picture::BoardScene scene(*design, design->files.front().number);
    const QRectF board = scene.bounds();
    QRectF shown(0, 0, board.width() * zoom.fraction, board.height() * zoom.fraction);
    shown.moveCenter(board.center());
    const QTransform view = picture::fitTransform(shown, kScreen, 0);
    const QRectF area = view.inverted().mapRect(QRectF(QPointF(), kScreen));
    QImage image(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor::fromRgba(picture::kBackground));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setTransform(view);
        picture::paintScene(painter, scene, {}, area);
    }
    state.counters["items_in_view"] = static_cast<double>(scene.itemsIn(area).size());
}

void buildScene(benchmark::State& state, std::size_t components) {
    const auto design = syntheticBoard(components);
    for (auto _ : state) {
        picture::BoardScene scene(*design, design->files.front().number);
        benchmark::DoNotOptimize(scene.bounds());
    }
}

} // namespace

void registerBoardBenchmarks(std::size_t components) {
    const std::string size = "/components:" + std::to_string(components);
    for (const Zoom& zoom : kZooms) {
        benchmark::RegisterBenchmark(("BM_BoardRepaint/" + std::string(zoom.name) + size).c_str(),
                                     [=](benchmark::State& state) { repaint(state, components, zoom); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("BM_BoardScene" + size).c_str(), [=](benchmark::State& state) {
        buildScene(state, components);
    })->Unit(benchmark::kMillisecond);
}

} // namespace lumora::bench
