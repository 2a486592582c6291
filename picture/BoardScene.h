#pragma once

#include "engine/model/Design.h"

#include <QRectF>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace lumora::picture {

// What the view needs to know of a placed geometry without walking it: its bounds in its own
// coordinates, and the layer that stands for it when it is too small to draw (-1: nothing drawn).
struct GeometrySummary {
    QRectF bounds;
    int16_t layer = -1;
};

// An item of a file's block: its data position, its bounds in the file's coordinates and the layer
// that stands for it when it is too small to draw (-1: nothing drawn).
struct SceneItem {
    std::size_t position = 0;
    QRectF bounds;
    int16_t layer = -1;
    bool mark = false; // a point that a flatten geometry marks, drawn at every size
};

// One board or panel file of a design, ready for drawing: the items of its block in a spatial
// index, in the file's coordinates, so that a view draws only what it shows. The block is the one
// KORVEN shows for the file: a geometry put in its place (SetFileGeometry) or its own.
class BoardScene {
  public:
    BoardScene(const engine::Design& design, int32_t file);
    ~BoardScene();

    const engine::Design& design() const { return design_; }
    const engine::File& file() const { return file_; }
    const engine::Geometry& block() const { return block_; }
    // The block's item at a SceneItem's position: its own items, then those a flatten geometry
    // shares with others.
    const engine::DataItem& item(std::size_t position) const { return *items_[position]; }
    // Everything of the file, markers included.
    QRectF bounds() const { return bounds_; }
    // The block's items only.
    QRectF itemBounds() const { return itemBounds_; }
    // Whether a geometry is shown in place of the file's own.
    bool showsOtherGeometry() const { return file_.shownGeometry != 0; }
    // The block's items whose bounds meet area, in data order; valid until the next call. The
    // buffer is kept between calls so that a repaint allocates nothing for them.
    std::span<const SceneItem> itemsIn(const QRectF& area) const;
    const GeometrySummary& summary(int16_t geometry) const;

  private:
    struct Index;
    const engine::Design& design_;
    const engine::File& file_;
    const engine::Geometry& block_;
    std::vector<const engine::DataItem*> items_;
    mutable std::map<int16_t, GeometrySummary> summaries_;
    std::unique_ptr<Index> index_;
    std::vector<SceneItem> all_;
    mutable std::vector<std::size_t> found_;
    mutable std::vector<SceneItem> shown_;
    QRectF bounds_;
    QRectF itemBounds_;
};

// The placement of an insert's geometry in its parent's coordinates.
QTransform insertTransform(const engine::Insert& insert);
// The bounds of a shape in its block's coordinates, pen widths included.
QRectF shapeBounds(const engine::Shape& shape);

} // namespace lumora::picture
