#include "desktop/QtInterface.h"

#include "desktop/ProgressWindow.h"
#include "desktop/TextWindow.h"
#include "log/ProductInfo.h"

#include "korven/CurrentWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace lumora::desktop {

namespace {

// "Name (*.a)|*.a|..." as Qt's filters; "*.*" becomes "*" so that names without a dot show too.
QStringList qtFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        filters << description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    }
    return filters;
}

} // namespace

QtInterface::QtInterface(QWidget* owner)
    : owner_(owner), progress_(new ProgressWindow(owner)), openUrl_(&QDesktopServices::openUrl) {}

std::optional<FileDialogResult> QtInterface::chooseScriptFiles(const std::string& filter) {
    QStringList filters = qtFilters(filter);
    QFileDialog dialog(owner_, QStringLiteral("Open Script"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QStringList files = dialog.selectedFiles();
    FileDialogResult result;
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (files.size() == 1) {
        result.fileName = files.front().toStdString();
        return result;
    }
    // Several files: the folder, then the names, NUL-separated.
    result.fileName = QFileInfo(files.front()).absolutePath().toStdString();
    for (const QString& file : files) {
        result.fileName += '\0' + QFileInfo(file).fileName().toStdString();
    }
    return result;
}

// Where the desktop has no application for text, the file shows in a window of our own.
void QtInterface::openTextFile(const std::filesystem::path& file) {
    if (!openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())))) {
        TextWindow::of(*owner_, file).showFile();
    }
}

void QtInterface::showMessage(const std::string& text, MessageKind kind) {
    QString shown = QString::fromStdString(text);
    shown.replace('\r', '\n');
    const QString title =
        QString::fromUtf8(kApplicationTitle.data(), static_cast<qsizetype>(kApplicationTitle.size()));
    switch (kind) {
    case MessageKind::Information:
        QMessageBox::information(owner_, title, shown);
        break;
    case MessageKind::Warning:
        QMessageBox::warning(owner_, title, shown);
        break;
    case MessageKind::Error:
        QMessageBox::critical(owner_, title, shown);
        break;
    }
}

void QtInterface::showStatus(const std::string& msgString, int16_t min, int16_t max) {
    status_.showStatus(msgString, min, max);
    redrawStatus();
}

void QtInterface::setProgress(int16_t progress) {
    status_.setProgress(progress);
    redrawStatus();
}

void QtInterface::hideStatus() {
    status_.hideStatus();
    redrawStatus();
}

void QtInterface::redrawStatus() {
    progress_->show(status_);
    eventPump().doEvents();
}

} // namespace lumora::desktop
