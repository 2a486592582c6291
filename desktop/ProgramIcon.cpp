#include "desktop/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace lumora::desktop {

namespace {

QPixmap drawnIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor("#1f6f3f"));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(4, 4, 56, 56, 6, 6);
    painter.setBrush(QColor("#e8c547"));
    for (QRect pad : {QRect(16, 18, 10, 6), QRect(38, 18, 10, 6), QRect(16, 40, 10, 6)}) {
        painter.drawRect(pad);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor("#ff4d4d"), 3));
    painter.drawEllipse(QPoint(43, 43), 8, 8);
    return pixmap;
}

} // namespace

QIcon programIcon() {
    return QIcon::fromTheme("lumora", QIcon(drawnIcon()));
}

} // namespace lumora::desktop
