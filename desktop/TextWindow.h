#pragma once

#include <QDialog>

#include <filesystem>

class QPlainTextEdit;

namespace lumora::desktop {

// A text file shown read-only in a window of our own, where the desktop has no application that
// opens it (the logs). One window per file: showing the file again reads it afresh.
class TextWindow : public QDialog {
    Q_OBJECT
  public:
    // The file's window below owner, made when first needed.
    static TextWindow& of(QWidget& owner, const std::filesystem::path& file);
    // Reads the file as it is now and brings the window forward.
    void showFile();
    const QPlainTextEdit& text() const { return *text_; }

  private:
    TextWindow(QWidget& owner, std::filesystem::path file);

    std::filesystem::path file_;
    QPlainTextEdit* text_;
};

} // namespace lumora::desktop
