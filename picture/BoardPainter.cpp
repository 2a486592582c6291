#include "picture/BoardPainter.h"

#include "picture/LayerStyle.h"

#include <QPaintEngine>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

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
        path.addPolygon(polygonOf(pad.outline));
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

// Boxes in device pixels. On a raster device they are written straight into an image laid over
// the drawing (the last box of a pixel wins); elsewhere (SVG) they are drawn as rectangles.
class Boxes {
  public:
    explicit Boxes(QPainter& painter) : painter_(painter) {
        if (painter.paintEngine()->type() == QPaintEngine::Raster) {
            image_ = QImage(painter.device()->width(), painter.device()->height(),
                            QImage::Format_ARGB32_Premultiplied);
            image_.fill(Qt::transparent);
        }
    }

    void add(const QRectF& box, const QColor& color) {
        if (image_.isNull()) {
            rects_.emplace_back(box, color);
            return;
        }
        const QRect pixels = box.toAlignedRect() & image_.rect();
        const QRgb value = qPremultiply(color.rgba());
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            std::fill(line + pixels.left(), line + pixels.right() + 1, value);
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
            painter_.drawImage(0, 0, image_);
        }
        painter_.restore();
    }

  private:
    QPainter& painter_;
    QImage image_;
    std::vector<std::pair<QRectF, QColor>> rects_;
};

class ScenePainter {
  public:
    ScenePainter(QPainter& painter, const BoardScene& scene, const ViewOptions& options)
        : painter_(painter), scene_(scene), options_(options) {
        const QTransform& t = painter.worldTransform();
        pixelsPerUnit_ = std::sqrt(std::abs(t.determinant()));
    }

    // Items of the block too small to draw in detail become boxes of their bounds in their
    // layer's colour: a whole large board is then a cheap fill of small rectangles, not millions of
    // antialiased shapes.
    void paintBlock(const std::vector<SceneItem>& items) {
        const Owner top;
        const QTransform toDevice = painter_.worldTransform();
        Boxes boxes(painter_);
        for (const SceneItem& item : items) {
            const engine::DataItem& data = scene_.block().data[item.position];
            if (std::max(item.bounds.width(), item.bounds.height()) * pixelsPerUnit_ >= kDetailFromPixels) {
                paintItem(data, top, false);
            } else if (const int16_t layer = boxLayer(data); layer >= 0 && shown(layer)) {
                boxes.add(toDevice.mapRect(item.bounds), styleOf(layer).color);
            }
        }
        boxes.paint();
    }

  private:
    int16_t boxLayer(const engine::DataItem& item) const {
        if (const auto* insert = std::get_if<engine::Insert>(&item)) {
            const int16_t layer = scene_.summary(insert->geometry).layer;
            return insert->mirror && layer >= 0 ? scene_.design().mirrorLayer(layer) : layer;
        }
        return std::get<engine::Graphic>(item).layer;
    }

    void paintItem(const engine::DataItem& item, const Owner& owner, bool mirrored) {
        if (const auto* insert = std::get_if<engine::Insert>(&item)) {
            paintInsert(*insert, owner, mirrored);
        } else {
            paintGraphic(std::get<engine::Graphic>(item), owner, mirrored);
        }
    }

    void paintInsert(const engine::Insert& insert, const Owner& owner, bool mirrored) {
        const GeometrySummary& summary = scene_.summary(insert.geometry);
        const double pixels =
            std::max(summary.bounds.width(), summary.bounds.height()) * insert.scale * pixelsPerUnit_;
        if (pixels < kSkipBelowPixels) {
            return;
        }
        const Owner inner = ownerOf(insert, owner);
        const bool innerMirrored = mirrored != insert.mirror;
        painter_.save();
        painter_.setTransform(insertTransform(insert), true);
        if (pixels < kBoxBelowPixels) {
            paintBox(summary, inner, innerMirrored);
        } else {
            for (const engine::DataItem& child : scene_.design().geometry(insert.geometry).data) {
                paintItem(child, inner, innerMirrored);
            }
        }
        painter_.restore();
    }

    void paintBox(const GeometrySummary& summary, const Owner& owner, bool mirrored) {
        const int16_t layer = mirrored ? scene_.design().mirrorLayer(summary.layer) : summary.layer;
        if (summary.layer < 0 || !shown(layer)) {
            return;
        }
        painter_.fillRect(summary.bounds,
                          owner.highlighted ? QColor::fromRgba(kHighlight) : styleOf(layer).color);
    }

    void paintGraphic(const engine::Graphic& graphic, const Owner& owner, bool mirrored) {
        const int16_t layer = mirrored ? scene_.design().mirrorLayer(graphic.layer) : graphic.layer;
        if (!shown(layer) || std::holds_alternative<engine::Mark>(graphic.shape)) {
            return;
        }
        LayerStyle style = styleOf(layer);
        if (owner.highlighted || (netHighlighted(graphic.net, owner) && !isPlane(layer))) {
            style.color = QColor::fromRgba(kHighlight);
        }
        std::visit([&](const auto& shape) { paintShape(shape, style); }, graphic.shape);
    }

    void paintShape(const engine::Pad& pad, const LayerStyle& style) {
        painter_.save();
        painter_.translate(qt(pad.at));
        painter_.rotate(pad.rotation);
        fillOrOutline(padPath(pad), style);
        painter_.restore();
    }
    void paintShape(const engine::Line& line, const LayerStyle& style) {
        painter_.setPen(strokePen(style.color, line.width));
        painter_.drawLine(qt(line.from), qt(line.to));
    }
    void paintShape(const engine::Arc& arc, const LayerStyle& style) {
        QPainterPath path;
        const QRectF box(arc.center.x - arc.radius, arc.center.y - arc.radius, 2 * arc.radius,
                         2 * arc.radius);
        // Qt's angles run clockwise in these y-up coordinates.
        path.arcMoveTo(box, -arc.start);
        path.arcTo(box, -arc.start, -arc.sweep);
        painter_.setPen(strokePen(style.color, arc.width));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    }
    void paintShape(const engine::Circle& circle, const LayerStyle& style) {
        if (circle.width > 0) {
            painter_.setPen(strokePen(style.color, circle.width));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawEllipse(qt(circle.center), circle.radius, circle.radius);
            return;
        }
        QPainterPath path;
        path.addEllipse(qt(circle.center), circle.radius, circle.radius);
        fillOrOutline(path, style);
    }
    void paintShape(const engine::Polygon& polygon, const LayerStyle& style) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addPolygon(polygonOf(polygon.outline));
        path.closeSubpath();
        for (const engine::Ring& hole : polygon.holes) {
            path.addPolygon(polygonOf(hole));
            path.closeSubpath();
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

    static QPen strokePen(const QColor& color, double width) {
        QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setCosmetic(width == 0);
        return pen;
    }

    Owner ownerOf(const engine::Insert& insert, const Owner& outer) const {
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

    bool shown(int16_t layer) const { return !options_.hiddenLayers.contains(layer); }

    LayerStyle styleOf(int16_t layer) const {
        const auto& layers = scene_.design().layers;
        if (layer >= 0 && static_cast<std::size_t>(layer) < layers.size() && layers[layer]) {
            return layerStyle(*layers[layer]);
        }
        return layerStyle(engine::Layer{});
    }

    QPainter& painter_;
    const BoardScene& scene_;
    const ViewOptions& options_;
    double pixelsPerUnit_ = 1;
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

void paintMarkers(QPainter& painter, const BoardScene& scene, const ViewOptions& options) {
    const QTransform toDevice = painter.worldTransform();
    const auto& markers = scene.design().drcs;
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Marginal first, so that a Critical marker at the same place stays visible.
    for (bool critical : {false, true}) {
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const engine::DrcMarker& marker = markers[i];
            if (marker.file == scene.file().number && (marker.severity == "Critical") == critical) {
                paintMarker(painter, toDevice.map(qt(marker.at)), severityColor(marker.severity),
                            options.selectedMarker == i);
            }
        }
    }
    painter.restore();
}

} // namespace

void paintScene(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area) {
    ScenePainter(painter, scene, options).paintBlock(scene.itemsIn(area));
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
