#include "bench/BoardBenchmarks.h"

#include "engine/tools/SyntheticDesign.h"
#include "picture/BoardPainter.h"
#include "picture/DrawingCache.h"
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

QTransform zoomedView(const picture::BoardScene& scene, Zoom zoom) {
    const QRectF board = scene.bounds();
    QRectF shown(0, 0, board.width() * zoom.fraction, board.height() * zoom.fraction);
    shown.moveCenter(board.center());
    return picture::fitTransform(shown, kScreen, 0);
}

// The whole view drawn: what a zoom step costs.
void repaint(benchmark::State& state, std::size_t components, Zoom zoom) {
    const auto design = syntheticBoard(components);
    const picture::BoardScene scene(*design, design->files.front().number);
    const QTransform view = zoomedView(scene, zoom);
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

// A drag of the board view: the kept drawing moves by 12 x 7 pixels (back and forth), the strips that
// come into sight are drawn, and the markers over it, as the widget repaints.
void pan(benchmark::State& state, std::size_t components, Zoom zoom) {
    const auto design = syntheticBoard(components);
    const picture::BoardScene scene(*design, design->files.front().number);
    QTransform view = zoomedView(scene, zoom);
    picture::DrawingCache cache;
    cache.drawing(scene, {}, view, kScreen);
    QImage screen(kScreen, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        const double direction = (step++ / 20) % 2 == 0 ? 1 : -1;
        view *= QTransform::fromTranslate(12 * direction, 7 * direction);
        QPainter painter(&screen);
        painter.drawImage(0, 0, cache.drawing(scene, {}, view, kScreen));
        painter.setTransform(view);
        picture::paintMarkers(painter, scene, {});
    }
}

// A wheel step's preview: the kept drawing stretched by a fifth about the middle, markers over it.
void zoomPreview(benchmark::State& state, std::size_t components, Zoom zoom) {
    const auto design = syntheticBoard(components);
    const picture::BoardScene scene(*design, design->files.front().number);
    const QTransform view = zoomedView(scene, zoom);
    picture::DrawingCache cache;
    const QImage& kept = cache.drawing(scene, {}, view, kScreen);
    const QPointF middle(kScreen.width() / 2.0, kScreen.height() / 2.0);
    const QTransform stretch = QTransform::fromTranslate(-middle.x(), -middle.y()) *
                               QTransform::fromScale(1.2, 1.2) *
                               QTransform::fromTranslate(middle.x(), middle.y());
    QImage screen(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.setTransform(stretch);
        painter.drawImage(0, 0, kept);
        painter.setTransform(view * stretch);
        picture::paintMarkers(painter, scene, {});
    }
}

void buildScene(benchmark::State& state, std::size_t components) {
    const auto design = syntheticBoard(components);
    for (auto _ : state) {
        picture::BoardScene scene(*design, design->files.front().number);
        benchmark::DoNotOptimize(scene.bounds());
    }
}

using ViewBenchmark = void (*)(benchmark::State&, std::size_t, Zoom);
constexpr std::pair<const char*, ViewBenchmark> kViewBenchmarks[] = {
    {"BM_BoardRepaint/", repaint},
    {"BM_BoardPan/", pan},
    {"BM_BoardZoomPreview/", zoomPreview},
};

} // namespace

void registerBoardBenchmarks(std::size_t components) {
    const std::string size = "/components:" + std::to_string(components);
    for (const auto& [name, run] : kViewBenchmarks) {
        for (const Zoom& zoom : kZooms) {
            benchmark::RegisterBenchmark((name + std::string(zoom.name) + size).c_str(),
                                         [=](benchmark::State& state) { run(state, components, zoom); })
                ->Unit(benchmark::kMillisecond)
                // Qt's raster engine hands large fills to its thread pool: count every thread's time.
                ->MeasureProcessCPUTime()
                ->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark(("BM_BoardScene" + size).c_str(), [=](benchmark::State& state) {
        buildScene(state, components);
    })->Unit(benchmark::kMillisecond);
}

} // namespace lumora::bench
