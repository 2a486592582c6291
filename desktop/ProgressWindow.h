#pragma once

#include "ui/frmStatus.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace lumora::desktop {

// "Processing...": the message and the bar of the frmStatus model, shown without blocking.
class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* owner);
    void show(const frmStatus& status);

  private:
    QLabel* message_;
    QProgressBar* bar_;
};

} // namespace lumora::desktop
