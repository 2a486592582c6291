#pragma once

#include <QDialog>

namespace lumora::desktop {

// The About box: the program's picture, the version and the notice with this year; a click
// anywhere on it closes it, as does Esc.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* owner);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace lumora::desktop
