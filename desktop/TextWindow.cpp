#include "desktop/TextWindow.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace lumora::desktop {

namespace {

constexpr QSize kWindowSize{760, 520};

QString windowName(const std::filesystem::path& file) {
    return QStringLiteral("text:") + QString::fromStdString(file.string());
}

} // namespace

TextWindow::TextWindow(QWidget& owner, std::filesystem::path file)
    : QDialog(&owner), file_(std::move(file)), text_(new QPlainTextEdit(this)) {
    setObjectName(windowName(file_));
    setWindowTitle(QString::fromStdString(file_.filename().string()));
    setModal(false);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(kWindowSize);
}

TextWindow& TextWindow::of(QWidget& owner, const std::filesystem::path& file) {
    if (auto* shown = owner.findChild<TextWindow*>(windowName(file), Qt::FindDirectChildrenOnly)) {
        return *shown;
    }
    return *new TextWindow(owner, file);
}

void TextWindow::showFile() {
    QFile file(QString::fromStdString(file_.string()));
    if (file.open(QIODevice::ReadOnly)) {
        // The logs end their lines with CR LF.
        text_->setPlainText(
            QString::fromLocal8Bit(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        text_->setPlaceholderText({});
    } else {
        text_->clear();
        text_->setPlaceholderText(file.exists()
                                      ? file.errorString()
                                      : QString::fromStdString(file_.filename().string()) +
                                            QStringLiteral(" does not exist yet: no run has written it."));
    }
    show();
    raise();
    activateWindow();
}

} // namespace lumora::desktop
