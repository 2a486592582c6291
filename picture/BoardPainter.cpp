#include "picture/BoardPainter.h"

#include "picture/LayerStyle.h"

#include "engine/model/RoundedCorners.h"

#include <QPaintEngine>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <span>

namespace lumora::picture {

namespace {

namespace ps = pad_shape;

QPointF qt(engine::Point point) {
    return {point.x, point.y};
}

QPolygonF polygonOf(const engine::Ring& ring, engine::Point offset = {}) {
    QPolygonF polygon;
    for (const engine::Point& point : ring) {
        polygon << QPointF(point.x + offset.x, point.y + offset.y);
    }
    return polygon;
}

QPolygonF octagon(double diameter) {
    QPolygonF polygon;
    const double radius = diameter / 2 / std::cos(std::numbers::pi / 8);
    for (int i = 0; i < 8; ++i) {
        const double angle = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        polygon << QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return polygon;
}

// A complex pad's outline, its rounded corners as arcs (Qt's angles run clockwise in y-up units).
QPainterPath complexPath(const engine::Pad& pad) {
    QPainterPath path;
    for (const engine::DrawnCorner& corner : engine::drawnCorners(pad.outline, engine::cornerRadiiOf(pad))) {
        if (path.elementCount() == 0) {
            path.moveTo(qt(corner.from));
        }
        if (corner.rounded()) {
            const QRectF box(corner.center.x - corner.radius, corner.center.y - corner.radius,
                             2 * corner.radius, 2 * corner.radius);
            path.arcTo(box, -corner.startDegrees, -corner.sweepDegrees);
        } else {
            path.lineTo(qt(corner.to));
        }
    }
    path.closeSubpath();
    return path;
}

// A pad's area around its own centre, unrotated.
QPainterPath padPath(const engine::Pad& pad) {
    QPainterPath path;
    const double w = pad.sizeX;
    const double h = pad.sizeY == 0 ? pad.sizeX : pad.sizeY;
    switch (pad.shape) {
    case ps::Square:
        path.addRect(-w / 2, -w / 2, w, w);
        break;
    case ps::Rectangle:
        path.addRect(-w / 2, -h / 2, w, h);
        break;
    case ps::Oblong:
        path.addRoundedRect(-w / 2, -h / 2, w, h, std::min(w, h) / 2, std::min(w, h) / 2);
        break;
    case ps::Octagon:
        path.addPolygon(octagon(w));
        break;
    case ps::Complex:
        path = complexPath(pad);
        break;
    case ps::Blank:
        break;
    default: // round, target, donut, thermal
        path.addEllipse(QPointF(), w / 2, w / 2);
        if (pad.inner > 0) {
            path.addEllipse(QPointF(), pad.inner / 2, pad.inner / 2);
        }
    }
    return path;
}

// Who an item belongs to, for highlighting the items a marker names.
struct Owner {
    std::string boards{}; // "B1/" inside a panel's board
    std::string component{};
    std::string pin{};
    std::string net{}; // of a via, testpoint or free pad, or of a component's pin
    const std::map<std::string, std::string>* pinNets = nullptr;
    bool highlighted = false;
};

// Boxes in device pixels. On a raster device they are written straight into an image of the
// area being drawn, laid over the drawing (the last box of a pixel wins); elsewhere (SVG) they are
// drawn as rectangles.
class Boxes {
  public:
    Boxes(QPainter& painter, const QRect& deviceArea) : painter_(painter), origin_(deviceArea.topLeft()) {
        if (painter.paintEngine()->type() == QPaintEngine::Raster && !deviceArea.isEmpty()) {
            image_ = QImage(deviceArea.size(), QImage::Format_ARGB32_Premultiplied);
            image_.fill(Qt::transparent);
            bits_ = reinterpret_cast<QRgb*>(image_.bits());
            stride_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
        }
    }

    // color: premultiplied
    void add(const QRectF& box, QRgb color) {
        if (image_.isNull()) {
            rects_.emplace_back(box, QColor::fromRgba(qUnpremultiply(color)));
            return;
        }
        // The pixels the box touches, as QRectF::toAlignedRect counts them, within the image.
        const int left = std::max(pixel(std::floor(box.left())) - origin_.x(), 0);
        const int top = std::max(pixel(std::floor(box.top())) - origin_.y(), 0);
        const int right = std::min(pixel(std::ceil(box.right())) - origin_.x(), image_.width());
        const int bottom = std::min(pixel(std::ceil(box.bottom())) - origin_.y(), image_.height());
        if (left >= right) {
            return;
        }
        for (int y = top; y < bottom; ++y) {
            QRgb* line = bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
            std::fill(line + left, line + right, color);
        }
    }

    void paint() {
        painter_.save();
        painter_.resetTransform();
        if (image_.isNull()) {
            painter_.setPen(Qt::NoPen);
            for (const auto& [rect, color] : rects_) {
                painter_.fillRect(rect, color);
            }
        } else {
            painter_.drawImage(origin_, image_);
        }
        painter_.restore();
    }

  private:
    // Far outside any image, without overflowing an int at extreme zoom.
    static int pixel(double coordinate) {
        constexpr double kFar = 1 << 30;
        return static_cast<int>(std::clamp(coordinate, -kFar, kFar));
    }

    QPainter& painter_;
    QPoint origin_;
    QImage image_;
    QRgb* bits_ = nullptr;
    qsizetype stride_ = 0; // in pixels
    std::vector<std::pair<QRectF, QColor>> rects_;
};

// File coordinates to the device for the many boxes of a repaint: the view only scales and moves,
// so a box maps without QTransform's general path.
class BoxMapping {
  public:
    explicit BoxMapping(const QTransform& transform)
        : transform_(transform), upright_(transform.type() <= QTransform::TxScale) {}

    QRectF map(const QRectF& box) const {
        if (!upright_) {
            return transform_.mapRect(box);
        }
        const double x0 = box.left() * transform_.m11() + transform_.dx();
        const double x1 = box.right() * transform_.m11() + transform_.dx();
        const double y0 = box.top() * transform_.m22() + transform_.dy();
        const double y1 = box.bottom() * transform_.m22() + transform_.dy();
        return QRectF(QPointF(std::min(x0, x1), std::min(y0, y1)),
                      QPointF(std::max(x0, x1), std::max(y0, y1)));
    }

  private:
    QTransform transform_;
    bool upright_;
};

double largerSide(const QRectF& rect) {
    return std::max(rect.width(), rect.height());
}

bool isUprightRectangle(const QPolygonF& ring) {
    QPolygonF corners = ring;
    if (corners.size() == 5 && corners.front() == corners.back()) {
        corners.removeLast();
    }
    if (corners.size() != 4) {
        return false;
    }
    for (qsizetype i = 0; i < 4; ++i) {
        const QPointF from = corners[i];
        const QPointF to = corners[(i + 1) % 4];
        if (from.x() != to.x() && from.y() != to.y()) {
            return false;
        }
    }
    return true;
}

// Each layer's style for one repaint, looked up by number; hidden layers have none.
class LayerStyles {
  public:
    LayerStyles(const engine::Design& design, const std::set<int16_t>& hidden) : hidden_(hidden) {
        const std::size_t count = design.layers.size();
        styles_.reserve(count);
        for (std::size_t number = 0; number < count; ++number) {
            const auto& layer = design.layers[number];
            styles_.push_back(entry(layer ? layerStyle(*layer) : other_.style,
                                    !hidden.contains(static_cast<int16_t>(number))));
        }
    }

    // nullptr for a hidden layer
    const LayerStyle* style(int16_t layer) const {
        const Entry& found = find(layer);
        return found.shown ? &found.style : nullptr;
    }
    // premultiplied; 0 for a hidden layer
    QRgb boxColor(int16_t layer) const {
        const Entry& found = find(layer);
        return found.shown ? found.box : 0;
    }

  private:
    struct Entry {
        LayerStyle style;
        QRgb box = 0;
        bool shown = true;
    };
    static Entry entry(const LayerStyle& style, bool shown) {
        return {style, qPremultiply(style.color.rgba()), shown};
    }
    const Entry& find(int16_t layer) const {
        if (layer >= 0 && static_cast<std::size_t>(layer) < styles_.size()) {
            return styles_[static_cast<std::size_t>(layer)];
        }
        return hidden_.contains(layer) ? hiddenOther_ : other_;
    }

    const std::set<int16_t>& hidden_;
    Entry other_ = entry(layerStyle(engine::Layer{}), true);
    Entry hiddenOther_ = entry(layerStyle(engine::Layer{}), false);
    std::vector<Entry> styles_;
};

// Draws the block with the painter's transform kept in hand rather than saved and restored for every
// insert: what ends up smaller than kBoxBelowPixels on the device is a box of pixels, what is larger
// a shape drawn by the painter.
class ScenePainter {
  public:
    ScenePainter(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area)
        : painter_(painter), scene_(scene), options_(options), styles_(scene.design(), options.hiddenLayers),
          boxes_(painter, painter.worldTransform().mapRect(area).toAlignedRect() &
                              QRect(0, 0, painter.device()->width(), painter.device()->height())) {}

    // Items of the block too small to draw in detail become boxes of their bounds in their
    // layer's colour: a whole large board is then a cheap fill of small rectangles, not millions of
    // antialiased shapes.
    void paintBlock(std::span<const SceneItem> items) {
        const QTransform toDevice = painter_.worldTransform();
        const BoxMapping boxMapping(toDevice);
        const Owner top;
        for (const SceneItem& item : items) {
            const QRectF device = boxMapping.map(item.bounds);
            if (largerSide(device) >= kDetailFromPixels || item.mark) {
                paintItem(scene_.block().data[item.position], toDevice, top, false);
            } else if (item.layer >= 0) {
                addBox(device, item.layer, top);
            }
        }
        boxes_.paint();
        painter_.setTransform(toDevice);
    }

  private:
    void paintItem(const engine::DataItem& item, const QTransform& toDevice, const Owner& owner,
                   bool mirrored) {
        if (const auto* insert = std::get_if<engine::Insert>(&item)) {
            paintInsert(*insert, toDevice, owner, mirrored);
        } else {
            paintGraphic(std::get<engine::Graphic>(item), toDevice, owner, mirrored);
        }
    }

    void paintInsert(const engine::Insert& insert, const QTransform& outer, const Owner& owner,
                     bool mirrored) {
        const GeometrySummary& summary = scene_.summary(insert.geometry);
        const QTransform toDevice = insertTransform(insert) * outer;
        const QRectF device = toDevice.mapRect(summary.bounds);
        if (largerSide(device) < kSkipBelowPixels) {
            return;
        }
        const Owner inner = ownerOf(insert, owner);
        const bool innerMirrored = mirrored != insert.mirror;
        if (largerSide(device) < kBoxBelowPixels) {
            if (summary.layer >= 0) {
                addBox(device, innerMirrored ? scene_.design().mirrorLayer(summary.layer) : summary.layer,
                       inner);
            }
            return;
        }
        for (const engine::DataItem& child : scene_.design().geometry(insert.geometry).data) {
            paintItem(child, toDevice, inner, innerMirrored);
        }
    }

    void addBox(const QRectF& device, int16_t layer, const Owner& owner) {
        if (const QRgb color = styles_.boxColor(layer); color != 0) {
            boxes_.add(device, owner.highlighted ? kHighlight : color);
        }
    }

    void paintGraphic(const engine::Graphic& graphic, const QTransform& toDevice, const Owner& owner,
                      bool mirrored) {
        const int16_t layer = mirrored ? scene_.design().mirrorLayer(graphic.layer) : graphic.layer;
        const LayerStyle* shownStyle = styles_.style(layer);
        if (shownStyle == nullptr) {
            return;
        }
        LayerStyle style = *shownStyle;
        if (owner.highlighted || (netHighlighted(graphic.net, owner) && !isPlane(layer))) {
            style.color = QColor::fromRgba(kHighlight);
        }
        if (const auto* mark = std::get_if<engine::Mark>(&graphic.shape)) {
            paintMark(toDevice.map(qt(mark->at)), style.color);
            return;
        }
        const QRectF device = toDevice.mapRect(shapeBounds(graphic.shape));
        if (largerSide(device) < kBoxBelowPixels) {
            boxes_.add(device, qPremultiply(style.color.rgba()));
            return;
        }
        painter_.setTransform(toDevice);
        std::visit([&](const auto& shape) { paintShape(shape, style); }, graphic.shape);
    }

    // A point that a flatten geometry marks (an insert's origin): a small cross of fixed size.
    void paintMark(QPointF at, const QColor& color) {
        constexpr double kArm = 4;
        painter_.setTransform(QTransform());
        painter_.setPen(QPen(color, 1.5));
        painter_.drawLine(at - QPointF(kArm, kArm), at + QPointF(kArm, kArm));
        painter_.drawLine(at - QPointF(kArm, -kArm), at + QPointF(kArm, -kArm));
    }

    void paintShape(const engine::Pad& pad, const LayerStyle& style) {
        painter_.setTransform(QTransform::fromTranslate(pad.at.x, pad.at.y).rotate(pad.rotation) *
                              painter_.worldTransform());
        fillOrOutline(padPath(pad), style);
    }
    void paintShape(const engine::Line& line, const LayerStyle& style) {
        painter_.setPen(strokePen(style.color, visibleWidth(line.width)));
        painter_.drawLine(qt(line.from), qt(line.to));
    }
    void paintShape(const engine::Arc& arc, const LayerStyle& style) {
        QPainterPath path;
        const QRectF box(arc.center.x - arc.radius, arc.center.y - arc.radius, 2 * arc.radius,
                         2 * arc.radius);
        // Qt's angles run clockwise in these y-up coordinates.
        path.arcMoveTo(box, -arc.start);
        path.arcTo(box, -arc.start, -arc.sweep);
        painter_.setPen(strokePen(style.color, visibleWidth(arc.width)));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    }
    void paintShape(const engine::Circle& circle, const LayerStyle& style) {
        if (circle.width > 0) {
            painter_.setPen(strokePen(style.color, visibleWidth(circle.width)));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawEllipse(qt(circle.center), circle.radius, circle.radius);
            return;
        }
        QPainterPath path;
        path.addEllipse(qt(circle.center), circle.radius, circle.radius);
        fillOrOutline(path, style);
    }
    // Holes too small to see are left out (a plane's clearances at a distance), and what is left of
    // an upright rectangle is filled as one, without the path rasterizer.
    void paintShape(const engine::Polygon& polygon, const LayerStyle& style) {
        const QTransform& toDevice = painter_.worldTransform();
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        const QPolygonF outline = polygonOf(polygon.outline);
        path.addPolygon(outline);
        path.closeSubpath();
        bool holes = false;
        for (const engine::Ring& ring : polygon.holes) {
            const QPolygonF hole = polygonOf(ring);
            if (largerSide(toDevice.mapRect(hole.boundingRect())) >= kHoleFromPixels) {
                path.addPolygon(hole);
                path.closeSubpath();
                holes = true;
            }
        }
        if (!holes && style.filled && toDevice.type() <= QTransform::TxScale && isUprightRectangle(outline)) {
            painter_.fillRect(outline.boundingRect(), style.color);
            return;
        }
        fillOrOutline(path, style);
    }
    void paintShape(const engine::Mark&, const LayerStyle&) {}

    void fillOrOutline(const QPainterPath& path, const LayerStyle& style) {
        if (style.filled) {
            painter_.fillPath(path, style.color);
        } else {
            painter_.strokePath(path, strokePen(style.color, 0));
        }
    }

    // A pen narrower than a pixel on the device is drawn one pixel wide, without the stroker.
    double visibleWidth(double width) const {
        const double pixels = width * std::sqrt(std::abs(painter_.worldTransform().determinant()));
        return pixels < 1 ? 0 : width;
    }

    static QPen strokePen(const QColor& color, double width) {
        QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setCosmetic(width == 0);
        return pen;
    }

    Owner ownerOf(const engine::Insert& insert, const Owner& outer) const {
        if (options_.highlighted.empty()) {
            return {}; // no names to build
        }
        Owner owner = outer;
        if (insert.insertType == insert_type::Board) {
            owner = Owner{.boards = outer.boards + insert.refName + "/"};
        } else if (insert.insertType == insert_type::Pin) {
            owner.pin = insert.refName;
            owner.net = netOfPin(outer, insert.refName);
        } else {
            owner = Owner{.boards = outer.boards,
                          .component = outer.boards + insert.refName,
                          .net = insert.net,
                          .pinNets = &insert.pinNets};
        }
        owner.highlighted =
            outer.highlighted || std::ranges::any_of(options_.highlighted, [&](const engine::DrcItem& item) {
                return item.component.empty()
                           ? !item.net.empty() && item.net == owner.net
                           : item.component == owner.component && (item.pin.empty() || item.pin == owner.pin);
            });
        return owner;
    }

    static std::string netOfPin(const Owner& component, const std::string& pin) {
        if (component.pinNets == nullptr) {
            return {};
        }
        auto net = component.pinNets->find(pin);
        return net == component.pinNets->end() ? std::string() : net->second;
    }

    bool netHighlighted(const std::string& net, const Owner& owner) const {
        return !net.empty() && owner.component.empty() &&
               std::ranges::any_of(options_.highlighted, [&](const engine::DrcItem& item) {
                   return item.component.empty() && item.net == net;
               });
    }

    // A marker that names a net lights its vias, pads and etch, not the plane that fills the board.
    bool isPlane(int16_t layer) const {
        const auto& layers = scene_.design().layers;
        if (layer < 0 || static_cast<std::size_t>(layer) >= layers.size() || !layers[layer]) {
            return false;
        }
        return layers[layer]->type == layer_type::Plane || layers[layer]->type == layer_type::SplitPlane;
    }

    QPainter& painter_;
    const BoardScene& scene_;
    const ViewOptions& options_;
    LayerStyles styles_;
    Boxes boxes_;
};

void paintMarker(QPainter& painter, QPointF at, const QColor& color, bool selected) {
    if (selected) {
        painter.setPen(QPen(QColor::fromRgba(kHighlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, 2 * kMarkerRadius, 2 * kMarkerRadius);
    }
    painter.setPen(QPen(color, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(at, kMarkerRadius / 2, kMarkerRadius / 2);
}

} // namespace

void paintMarkers(QPainter& painter, const BoardScene& scene, const ViewOptions& options) {
    const QTransform toDevice = painter.worldTransform();
    const auto& markers = scene.design().drcs;
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Waived ones first, then Marginal, so that a Critical marker at the same place stays visible.
    enum class Layer { Waived, Marginal, Critical };
    const auto layerOf = [&](std::size_t i) {
        return options.waivedMarkers.contains(i)   ? Layer::Waived
               : markers[i].severity == "Critical" ? Layer::Critical
                                                   : Layer::Marginal;
    };
    for (Layer layer : {Layer::Waived, Layer::Marginal, Layer::Critical}) {
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const engine::DrcMarker& marker = markers[i];
            if (marker.file == scene.file().number && layerOf(i) == layer) {
                paintMarker(painter, toDevice.map(qt(marker.at)),
                            layer == Layer::Waived ? QColor::fromRgba(kWaived)
                                                   : severityColor(marker.severity),
                            options.selectedMarker == i);
            }
        }
    }
    painter.restore();
}

void paintScene(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area) {
    ScenePainter(painter, scene, options, area).paintBlock(scene.itemsIn(area));
    if (options.markers) {
        paintMarkers(painter, scene, options);
    }
}

QTransform fitTransform(const QRectF& area, QSizeF size, double margin) {
    const double width = std::max(area.width(), 1e-9);
    const double height = std::max(area.height(), 1e-9);
    const double scale = std::min((size.width() - 2 * margin) / width, (size.height() - 2 * margin) / height);
    QTransform transform;
    transform.translate(size.width() / 2, size.height() / 2);
    transform.scale(scale, -scale);
    transform.translate(-area.center().x(), -area.center().y());
    return transform;
}

} // namespace lumora::picture
