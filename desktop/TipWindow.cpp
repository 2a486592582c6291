#include "desktop/TipWindow.h"

#include "desktop/Units.h"
#include "ui/ToolTip.h"

#include <algorithm>

namespace lumora::desktop {

TipWindow::TipWindow(QWidget* owner) : QLabel(owner, Qt::ToolTip) {
    setObjectName("tipWindow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setStyleSheet("background: #ffffe1; color: black; border: 1px solid black;");
    setContentsMargins(1, 0, 0, 0);
    // A font whose lines fit the size rule's 210 twips per line.
    QFont small = font();
    small.setPixelSize(std::max(8, pixelsOf(210, *this) * 3 / 4));
    setFont(small);
}

void TipWindow::setText(const std::string& msg) {
    QString text = QString::fromStdString(msg);
    text.replace('\r', '\n');
    QLabel::setText(text.trimmed());
    TwipSize size = toolTipSize(msg);
    setFixedSize(pixelsOf(size.width, *this), pixelsOf(size.height, *this));
}

} // namespace lumora::desktop
