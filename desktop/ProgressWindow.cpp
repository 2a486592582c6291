#include "desktop/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumora::desktop {

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Tool), message_(new QLabel(this)), bar_(new QProgressBar(this)) {
    setObjectName("frmStatus");
    setModal(false);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(bar_);
}

void ProgressWindow::show(const frmStatus& status) {
    setWindowTitle(QString::fromStdString(status.caption()));
    message_->setText(QString::fromStdString(status.message()));
    bar_->setVisible(status.barVisible());
    bar_->setRange(status.minimum(), status.maximum());
    bar_->setValue(status.value());
    setVisible(status.visible());
}

} // namespace lumora::desktop
