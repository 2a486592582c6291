#pragma once

#include "app/UserInterface.h"
#include "ui/frmStatus.h"

#include <QUrl>

#include <functional>

class QWidget;

namespace lumora::desktop {

class ProgressWindow;

// Opens a file or an address with the desktop's default application (QDesktopServices); false when
// none could be started.
using UrlOpener = std::function<bool(const QUrl&)>;

// The desktop program's answers to the main window model: Qt dialogs and message boxes, the
// progress window, and the desktop's text viewer for the logs (else a window of our own).
class QtInterface : public UserInterface {
  public:
    explicit QtInterface(QWidget* owner);

    std::optional<FileDialogResult> chooseScriptFiles(const std::string& filter) override;
    void openTextFile(const std::filesystem::path& file) override;
    // The box's icon follows the kind: information, warning or critical.
    void showMessage(const std::string& text, MessageKind kind) override;
    void showStatus(const std::string& msgString, int16_t min, int16_t max) override;
    void setProgress(int16_t progress) override;
    void hideStatus() override;

    const frmStatus& status() const { return status_; }
    bool openUrl(const QUrl& url) const { return openUrl_(url); }
    // Another way of opening files and addresses (a desktop without applications for them).
    void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  private:
    void redrawStatus();

    QWidget* owner_;
    frmStatus status_;
    ProgressWindow* progress_;
    UrlOpener openUrl_;
};

} // namespace lumora::desktop
