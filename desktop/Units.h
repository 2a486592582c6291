#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace lumora::desktop {

// Twips (1/1440 inch) in pixels of the widget's screen.
inline int pixelsOf(long twips, const QWidget& widget) {
    return static_cast<int>(twips * widget.logicalDpiX() / 1440);
}

// The models' colours are 24-bit values in blue-green-red order.
inline QColor colorOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace lumora::desktop
