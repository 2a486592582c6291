#include "picture/BoardScene.h"

#include "drawing/BoardWalk.h"
#include "engine/model/GeometryItems.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <boost/function_output_iterator.hpp>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ranges>

namespace lumora::picture {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using BoxPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using Box = bg::model::box<BoxPoint>;
using Entry = std::pair<Box, std::size_t>; // an item's bounds and data position

struct BoardScene::Index {
    bgi::rtree<Entry, bgi::quadratic<16>> tree;
};

namespace {

QRectF around(engine::Point center, double radius) {
    return {center.x - radius, center.y - radius, 2 * radius, 2 * radius};
}

QRectF ringBounds(std::span<const engine::Point> ring, engine::Point offset = {}) {
    if (ring.empty()) {
        return around(offset, 0);
    }
    auto [minX, maxX] = std::ranges::minmax(ring | std::views::transform(&engine::Point::x));
    auto [minY, maxY] = std::ranges::minmax(ring | std::views::transform(&engine::Point::y));
    return QRectF(QPointF(minX, minY), QPointF(maxX, maxY)).translated(offset.x, offset.y);
}

struct ShapeBounds {
    QRectF operator()(const engine::Pad& pad) const {
        if (pad.shape == pad_shape::Complex) {
            return ringBounds(engine::outlineOf(pad), pad.at);
        }
        return around(pad.at, std::hypot(pad.sizeX, pad.sizeY == 0 ? pad.sizeX : pad.sizeY) / 2);
    }
    QRectF operator()(const engine::Line& line) const {
        QRectF box = QRectF(QPointF(line.from.x, line.from.y), QPointF(line.to.x, line.to.y)).normalized();
        return box.adjusted(-line.width / 2, -line.width / 2, line.width / 2, line.width / 2);
    }
    QRectF operator()(const engine::Arc& arc) const { return around(arc.center, arc.radius + arc.width / 2); }
    QRectF operator()(const engine::Circle& circle) const {
        return around(circle.center, circle.radius + circle.width / 2);
    }
    QRectF operator()(const engine::Polygon& polygon) const { return ringBounds(polygon.outline); }
    QRectF operator()(const engine::Mark& mark) const { return around(mark.at, 0); }
};

Box toBox(const QRectF& rect) {
    return {{rect.left(), rect.top()}, {rect.right(), rect.bottom()}};
}

// Bounds of a few boxes; QRectF's own union drops boxes of no width, as points and straight lines are.
class BoundsSum {
  public:
    void add(const QRectF& b) {
        box_ = box_
                   ? QRectF(QPointF(std::min(box_->left(), b.left()), std::min(box_->top(), b.top())),
                            QPointF(std::max(box_->right(), b.right()), std::max(box_->bottom(), b.bottom())))
                   : b;
    }
    QRectF value() const { return box_.value_or(QRectF()); }

  private:
    std::optional<QRectF> box_;
};

} // namespace

QTransform insertTransform(const engine::Insert& insert) {
    QTransform transform;
    transform.translate(insert.at.x, insert.at.y);
    transform.rotate(insert.rotation);
    transform.scale(insert.mirror ? -insert.scale : insert.scale, insert.scale);
    return transform;
}

QRectF shapeBounds(const engine::Shape& shape) {
    return std::visit(ShapeBounds{}, shape);
}

BoardScene::BoardScene(const engine::Design& design, int32_t file)
    : design_(design), file_(design.file(file)), block_(drawing::shownBlock(design, file_)),
      index_(std::make_unique<Index>()) {
    BoundsSum sum;
    std::vector<Entry> entries;
    engine::forEachItem(block_, [this](const engine::DataItem& item) { items_.push_back(&item); });
    entries.reserve(items_.size());
    all_.reserve(items_.size());
    for (std::size_t position = 0; position < items_.size(); ++position) {
        SceneItem item;
        item.position = position;
        if (const auto* insert = std::get_if<engine::Insert>(items_[position])) {
            const GeometrySummary& placed = summary(insert->geometry);
            item.bounds = insertTransform(*insert).mapRect(placed.bounds);
            item.layer =
                insert->mirror && placed.layer >= 0 ? design.mirrorLayer(placed.layer) : placed.layer;
        } else {
            const auto& graphic = std::get<engine::Graphic>(*items_[position]);
            item.bounds = shapeBounds(graphic.shape);
            item.layer = graphic.layer;
            item.mark = std::holds_alternative<engine::Mark>(graphic.shape);
        }
        sum.add(item.bounds);
        entries.emplace_back(toBox(item.bounds), position);
        all_.push_back(item);
    }
    index_->tree = decltype(index_->tree)(entries.begin(), entries.end());
    itemBounds_ = sum.value();
    for (const engine::DrcMarker& marker : design.drcs) {
        if (marker.file == file) {
            sum.add(around(marker.at, 0));
        }
    }
    bounds_ = sum.value();
}

BoardScene::~BoardScene() = default;

std::span<const SceneItem> BoardScene::itemsIn(const QRectF& area) const {
    if (area.normalized().contains(bounds_)) {
        return all_; // the whole file: no search, no sorting
    }
    found_.clear();
    index_->tree.query(
        bgi::intersects(toBox(area.normalized())),
        boost::make_function_output_iterator([this](const Entry& entry) { found_.push_back(entry.second); }));
    std::ranges::sort(found_);
    shown_.clear();
    for (std::size_t position : found_) {
        shown_.push_back(all_[position]);
    }
    return shown_;
}

const GeometrySummary& BoardScene::summary(int16_t geometry) const {
    if (auto found = summaries_.find(geometry); found != summaries_.end()) {
        return found->second;
    }
    GeometrySummary result;
    BoundsSum sum;
    for (const engine::DataItem& item : design_.geometry(geometry).data) {
        if (const auto* insert = std::get_if<engine::Insert>(&item)) {
            const GeometrySummary& inner = summary(insert->geometry);
            sum.add(insertTransform(*insert).mapRect(inner.bounds));
            result.layer = result.layer < 0 && inner.layer >= 0
                               ? (insert->mirror ? design_.mirrorLayer(inner.layer) : inner.layer)
                               : result.layer;
        } else {
            const auto& graphic = std::get<engine::Graphic>(item);
            sum.add(shapeBounds(graphic.shape));
            result.layer = result.layer < 0 ? graphic.layer : result.layer;
        }
    }
    result.bounds = sum.value();
    return summaries_.emplace(geometry, result).first->second;
}

} // namespace lumora::picture
