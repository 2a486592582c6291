#include "engine/measure/FileOutline.h"

#include "engine/model/Refusal.h"

namespace lumora::engine {

namespace {

int16_t outlineClass(const Geometry& block) {
    return block.blockType == block_type::Panel ? graphic_class::PanelOutline : graphic_class::BoardOutline;
}

template <class RingType> Path closedPath(const RingType& ring) {
    Path path(ring.begin(), ring.end());
    if (!path.empty() && !bg::equals(path.front(), path.back())) {
        path.push_back(path.front());
    }
    return path;
}

// Areas drawn as outlines stand for their borders.
void appendBorders(std::vector<Path>& paths, const Area& area) {
    for (const AreaPolygon& polygon : area) {
        paths.push_back(closedPath(polygon.outer()));
        for (const auto& inner : polygon.inners()) {
            paths.push_back(closedPath(inner));
        }
    }
}

void appendCentreLines(std::vector<Path>& paths, const Shape& shape) {
    if (const auto* line = std::get_if<Line>(&shape)) {
        paths.push_back(pathOf(*line));
    } else if (const auto* arc = std::get_if<Arc>(&shape)) {
        paths.push_back(pathOf(*arc));
    } else if (const auto* circle = std::get_if<Circle>(&shape)) {
        appendBorders(paths, areaOf(Circle{circle->center, circle->radius, 0}));
    } else {
        appendBorders(paths, areaOf(shape));
    }
}

const Geometry& fileBlock(const Design& design, int32_t filePos) {
    return design.geometry(design.file(filePos).geometry);
}

template <class F> void forEachGraphicOfClass(const Geometry& block, int16_t graphicClass, F&& visit) {
    for (const DataItem& item : block.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (graphic && graphic->graphicClass == graphicClass) {
            visit(*graphic);
        }
    }
}

} // namespace

std::vector<Path> outlinePaths(const Design& design, int32_t filePos) {
    std::vector<Path> paths;
    const Geometry& block = fileBlock(design, filePos);
    forEachGraphicOfClass(block, outlineClass(block),
                          [&](const Graphic& graphic) { appendCentreLines(paths, graphic.shape); });
    if (paths.empty()) {
        throw Refusal(rc::ItemNotFound, "file " + std::to_string(filePos) + " has no outline");
    }
    return paths;
}

std::vector<Footprint> outlineBorders(const Design& design, int32_t filePos) {
    std::vector<Footprint> borders;
    const Geometry& block = fileBlock(design, filePos);
    forEachGraphicOfClass(block, outlineClass(block), [&](const Graphic& graphic) {
        if (Footprint border(graphic.shape, Fill::Border); !border.empty()) {
            borders.push_back(std::move(border));
        }
    });
    if (borders.empty()) {
        throw Refusal(rc::ItemNotFound, "file " + std::to_string(filePos) + " has no outline");
    }
    return borders;
}

Box outlineBox(const Design& design, int32_t filePos) {
    const std::vector<Path> paths = outlinePaths(design, filePos);
    Box box = bg::return_envelope<Box>(paths.front());
    for (const Path& path : paths) {
        bg::expand(box, bg::return_envelope<Box>(path));
    }
    if (bg::area(box) <= 0) {
        throw Refusal(rc::ItemNotFound,
                      "the outline of file " + std::to_string(filePos) + " encloses nothing");
    }
    return box;
}

std::vector<Box> railBoxes(const Design& design, int32_t filePos) {
    std::vector<Box> boxes;
    forEachGraphicOfClass(fileBlock(design, filePos), graphic_class::PanelRail, [&](const Graphic& graphic) {
        if (const std::optional<Box> extent = extentOf(graphic.shape)) {
            boxes.push_back(*extent);
        }
    });
    return boxes;
}

} // namespace lumora::engine
