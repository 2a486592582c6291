#include "desktop/AboutDialog.h"

#include "desktop/ProgramIcon.h"
#include "log/Clock.h"
#include "ui/AboutBox.h"

#include <QGridLayout>
#include <QLabel>

namespace lumora::desktop {

namespace {

constexpr int kPictureSize = 64;

} // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("frmAbout");
    setWindowTitle(QString::fromStdString(aboutCaption()));
    auto* picture = new QLabel(this);
    picture->setObjectName("picture");
    picture->setPixmap(programIcon().pixmap(kPictureSize, kPictureSize));
    auto* version = new QLabel(QString::fromStdString(aboutVersionLabel()), this);
    version->setObjectName("version");
    auto* notice = new QLabel(QString::fromStdString(aboutNotice(systemClock().localTime())), this);
    notice->setObjectName("notice");
    notice->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The labels leave clicks to the box.
void AboutDialog::mousePressEvent(QMouseEvent*) {
    accept();
}

} // namespace lumora::desktop
