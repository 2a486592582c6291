#include "picture/BoardPainter.h"

#include "drawing/BoardWalk.h"
#include "drawing/PadOutline.h"
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

// A complex pad's outline, its rounded corners as arcs (Qt's angles run clockwise in y-up units).
QPainterPath complexPath(const engine::Pad& pad) {
    QPainterPath path;
    for (const engine::DrawnCorner& corner :
         engine::drawnCorners(engine::outlineOf(pad), engine::cornerRadiiOf(pad))) {
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
    if (pad.shape == pad_shape::Complex) {
        return complexPath(pad);
    }
    const drawing::PadOutline outline = drawing::padOutline(pad);
    const double w = outline.width;
    const double h = outline.height;
    QPainterPath path;
    using Kind = drawing::PadOutline::Kind;
    switch (outline.kind) {
    case Kind::Rectangle:
        path.addRect(-w / 2, -h / 2, w, h);
        break;
    case Kind::Rounded:
        path.addRoundedRect(-w / 2, -h / 2, w, h, outline.corner, outline.corner);
        break;
    case Kind::Polygon:
        path.addPolygon(polygonOf(outline.points));
        break;
    case Kind::Disc:
        path.addEllipse(QPointF(), w / 2, w / 2);
        if (outline.hole > 0) {
            path.addEllipse(QPointF(), outline.hole / 2, outline.hole / 2);
        }
        break;
    case Kind::None:
        break;
    }
    return path;
}

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
// a shape drawn by the painter. It is the visitor of the board walk (drawing/BoardWalk.h), its
// placements the transforms from an item's block to the device.
class ScenePainter {
  public:
    using Placement = QTransform;

    ScenePainter(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area)
        : painter_(painter), scene_(scene), styles_(scene.design(), options.hiddenLayers),
          boxes_(painter, painter.worldTransform().mapRect(area).toAlignedRect() &
                              QRect(0, 0, painter.device()->width(), painter.device()->height())),
          walk_(scene.design(), options.highlighted, *this) {}

    // Items of the block too small to draw in detail become boxes of their bounds in their
    // layer's colour: a whole large board is then a cheap fill of small rectangles, not millions of
    // antialiased shapes.
    void paintBlock(std::span<const SceneItem> items) {
        const QTransform toDevice = painter_.worldTransform();
        const BoxMapping boxMapping(toDevice);
        for (const SceneItem& item : items) {
            const QRectF device = boxMapping.map(item.bounds);
            if (largerSide(device) >= kDetailFromPixels || item.mark) {
                walk_.item(scene_.item(item.position), toDevice);
            } else if (item.layer >= 0) {
                addBox(device, item.layer, false);
            }
        }
        boxes_.paint();
        painter_.setTransform(toDevice);
    }

    QTransform place(const engine::Insert& insert, const QTransform& outer) const {
        return insertTransform(insert) * outer;
    }

    drawing::Entry enter(const engine::Insert& insert, const QTransform& toDevice) {
        inserted_ = toDevice.mapRect(scene_.summary(insert.geometry).bounds);
        return largerSide(inserted_) < kSkipBelowPixels  ? drawing::Entry::Skip
               : largerSide(inserted_) < kBoxBelowPixels ? drawing::Entry::Stand
                                                         : drawing::Entry::Enter;
    }

    // The insert entered last, as a box of its bounds.
    void stand(const engine::Insert& insert, const QTransform&, bool mirrored, bool lit) {
        const GeometrySummary& summary = scene_.summary(insert.geometry);
        if (summary.layer >= 0) {
            addBox(inserted_, mirrored ? scene_.design().mirrorLayer(summary.layer) : summary.layer, lit);
        }
    }

    void graphic(const engine::Graphic& graphic, int16_t layer, const QTransform& toDevice,
                 const drawing::ItemOwner&, bool lit) {
        const LayerStyle* shownStyle = styles_.style(layer);
        if (shownStyle == nullptr) {
            return;
        }
        LayerStyle style = *shownStyle;
        if (lit) {
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

  private:
    void addBox(const QRectF& device, int16_t layer, bool lit) {
        if (const QRgb color = styles_.boxColor(layer); color != 0) {
            boxes_.add(device, lit ? kHighlight : color);
        }
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

    QPainter& painter_;
    const BoardScene& scene_;
    LayerStyles styles_;
    Boxes boxes_;
    drawing::BoardWalk<ScenePainter> walk_;
    QRectF inserted_;
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
    for (drawing::MarkerRank rank : drawing::kMarkerRanks) {
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const engine::DrcMarker& marker = markers[i];
            if (marker.file == scene.file().number &&
                drawing::markerRank(marker.severity, options.waivedMarkers.contains(i)) == rank) {
                paintMarker(painter, toDevice.map(qt(marker.at)),
                            rank == drawing::MarkerRank::Waived ? QColor::fromRgba(kWaived)
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
