#include "picture/DrawingCache.h"

#include "picture/LayerStyle.h"

#include <QPainter>
#include <QRegion>

#include <cmath>

namespace lumora::picture {

namespace {

// The shift from one view to another when they differ by whole pixels only.
std::optional<QPoint> wholePixelShift(const QTransform& from, const QTransform& to) {
    if (from.m11() != to.m11() || from.m12() != to.m12() || from.m21() != to.m21() ||
        from.m22() != to.m22()) {
        return std::nullopt;
    }
    const QPointF shift(to.dx() - from.dx(), to.dy() - from.dy());
    const QPoint whole = shift.toPoint();
    if (std::abs(shift.x() - whole.x()) > 1e-6 || std::abs(shift.y() - whole.y()) > 1e-6) {
        return std::nullopt;
    }
    return whole;
}

} // namespace

bool DrawingCache::keeps(const BoardScene& scene, const ViewOptions& options, QSize size) const {
    return scene_ == &scene && image_.size() == size && options.hiddenLayers == options_.hiddenLayers &&
           options.highlighted == options_.highlighted;
}

const QImage& DrawingCache::drawing(const BoardScene& scene, const ViewOptions& options,
                                    const QTransform& view, QSize size) {
    const std::optional<QPoint> shift =
        keeps(scene, options, size) ? wholePixelShift(view_, view) : std::nullopt;
    scene_ = &scene;
    options_ = options;
    options_.markers = false;
    view_ = view;
    if (shift && *shift == QPoint()) {
        return image_;
    }
    if (!shift) {
        image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        draw(image_.rect());
        return image_;
    }
    const QImage kept = image_.copy();
    image_.fill(QColor::fromRgba(kBackground));
    {
        QPainter painter(&image_);
        painter.drawImage(*shift, kept);
    }
    for (const QRect& part : QRegion(image_.rect()) - QRegion(image_.rect().translated(*shift))) {
        draw(part);
    }
    return image_;
}

void DrawingCache::draw(const QRect& part) {
    QPainter painter(&image_);
    painter.setClipRect(part);
    painter.fillRect(part, QColor::fromRgba(kBackground));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(view_);
    paintScene(painter, *scene_, options_, view_.inverted().mapRect(QRectF(part)));
}

} // namespace lumora::picture
