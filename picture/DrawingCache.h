#pragma once

#include "picture/BoardPainter.h"

#include <QImage>
#include <QTransform>

#include <optional>

namespace lumora::picture {

// The drawing of a scene without its markers, kept between repaints of a view: a pan by whole
// pixels moves the kept drawing and draws only the strips that come into sight; a zoom, another
// size, other layers or other highlighted items draw it all again.
class DrawingCache {
  public:
    // The drawing of `scene` through `view` (file to device) in an image of `size`.
    const QImage& drawing(const BoardScene& scene, const ViewOptions& options, const QTransform& view,
                          QSize size);
    void clear() { scene_ = nullptr; }

    // Whether the kept drawing is of this scene with these options at this size, whatever its view.
    bool keeps(const BoardScene& scene, const ViewOptions& options, QSize size) const;
    // The last drawing and its view, for a quick preview of another view while the user zooms.
    const QImage& image() const { return image_; }
    const QTransform& view() const { return view_; }

  private:
    void draw(const QRect& part);

    const BoardScene* scene_ = nullptr;
    ViewOptions options_;
    QTransform view_;
    QImage image_;
};

} // namespace lumora::picture
