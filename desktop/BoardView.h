#pragma once

#include "picture/DrawingCache.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace lumora::desktop {

// KORVEN's drawing of one board or panel file: pan by dragging, zoom with the wheel about the
// mouse, fit to the window. Draws only what the window shows, small parts as boxes, and keeps the
// drawing between repaints (markers are drawn over it each time). Tells where the mouse is in the
// file's coordinates, and where the left button was clicked without dragging.
class BoardView : public QWidget {
    Q_OBJECT
  public:
    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    // Shows another file (nullptr: nothing) and fits it.
    void setScene(std::unique_ptr<picture::BoardScene> scene);
    const picture::BoardScene* scene() const { return scene_.get(); }
    picture::ViewOptions& options() { return options_; }
    // After options() changed.
    void refresh() { update(); }

    // A frozen view repeats its last picture instead of reading the design.
    void setFrozen(bool frozen);
    void fit();
    // Shows `area` of the file whole, with a margin.
    void frame(const QRectF& area);
    void zoomBy(double factor, QPointF about);
    void panBy(QPointF pixels);
    // Puts a point of the file in the middle of the window, zoomed in to at least `span` file units
    // across the smaller side.
    void centreOn(QPointF point, double span);
    // Where a point of the file is in the widget.
    QPointF toWidget(QPointF point) const { return view_.map(point); }
    const QTransform& view() const { return view_; }

  signals:
    void clicked(QPointF pixel);
    void cursorMoved(QPointF point); // in the file's coordinates
    void cursorLeft();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    std::unique_ptr<picture::BoardScene> scene_;
    picture::ViewOptions options_;
    QTransform view_;
    picture::DrawingCache drawing_;
    // How long the wheel must rest before a zoom is drawn afresh.
    static constexpr int kZoomRestMs = 150;
    QTimer zoomRest_;
    QPointF dragFrom_;
    bool dragged_ = false;       // since the button went down: a release then is no click
    std::optional<QRectF> kept_; // fitted or framed: kept whole when the window is resized
    bool frozen_ = false;
    QPixmap last_;
};

} // namespace lumora::desktop
