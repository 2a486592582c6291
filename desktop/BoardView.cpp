#include "desktop/BoardView.h"

#include "picture/LayerStyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace lumora::desktop {

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setObjectName("boardView");
    zoomRest_.setSingleShot(true);
    zoomRest_.setInterval(kZoomRestMs);
    connect(&zoomRest_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

BoardView::~BoardView() = default;

void BoardView::setScene(std::unique_ptr<picture::BoardScene> scene) {
    drawing_.clear(); // before the old scene goes
    scene_ = std::move(scene);
    options_.selectedMarker.reset();
    options_.highlighted.clear();
    fit();
}

void BoardView::setFrozen(bool frozen) {
    if (frozen && !frozen_) {
        last_ = grab();
    }
    frozen_ = frozen;
    update();
}

void BoardView::fit() {
    kept_.reset();
    if (scene_) {
        kept_ = scene_->bounds();
        view_ = picture::fitTransform(*kept_, size());
    }
    update();
}

void BoardView::frame(const QRectF& area) {
    constexpr double kMargin = 0.05; // of the area, each side
    kept_ = area.adjusted(-kMargin * area.width(), -kMargin * area.height(), kMargin * area.width(),
                          kMargin * area.height());
    view_ = picture::fitTransform(*kept_, size());
    update();
}

void BoardView::zoomBy(double factor, QPointF about) {
    view_ = view_ * QTransform::fromTranslate(-about.x(), -about.y()) *
            QTransform::fromScale(factor, factor) * QTransform::fromTranslate(about.x(), about.y());
    kept_.reset();
    update();
}

void BoardView::panBy(QPointF pixels) {
    view_ = view_ * QTransform::fromTranslate(pixels.x(), pixels.y());
    kept_.reset();
    update();
}

void BoardView::centreOn(QPointF point, double span) {
    const double scale = std::sqrt(std::abs(view_.determinant()));
    const double wanted = std::min(width(), height()) / span;
    if (scale < wanted) {
        zoomBy(wanted / scale, toWidget(point));
    }
    panBy(QPointF(width() / 2.0, height() / 2.0) - toWidget(point));
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(picture::kBackground));
    if (frozen_) {
        painter.drawPixmap(0, 0, last_);
        return;
    }
    if (!scene_) {
        return;
    }
    if (zoomRest_.isActive() && drawing_.keeps(*scene_, options_, size())) {
        // While the wheel turns the kept drawing is stretched; it is drawn afresh once the wheel rests.
        painter.setTransform(drawing_.view().inverted() * view_);
        painter.drawImage(0, 0, drawing_.image());
    } else {
        painter.drawImage(0, 0, drawing_.drawing(*scene_, options_, view_, size()));
    }
    painter.setTransform(view_);
    picture::paintMarkers(painter, *scene_, options_);
}

void BoardView::resizeEvent(QResizeEvent*) {
    if (kept_) {
        view_ = picture::fitTransform(*kept_, size());
    }
}

void BoardView::wheelEvent(QWheelEvent* event) {
    zoomRest_.start();
    zoomBy(std::pow(1.0015, event->angleDelta().y()), event->position());
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position();
    dragged_ = false;
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & (Qt::LeftButton | Qt::MiddleButton)) {
        const QPointF moved = event->position() - dragFrom_;
        dragged_ = dragged_ || moved.manhattanLength() > 0;
        panBy(moved);
        dragFrom_ = event->position();
    }
    if (scene_) {
        emit cursorMoved(view_.inverted().map(event->position()));
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !dragged_) {
        emit clicked(event->position());
    }
}

void BoardView::leaveEvent(QEvent*) {
    emit cursorLeft();
}

} // namespace lumora::desktop
