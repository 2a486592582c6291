#include "desktop/RunnerSettingsDialog.h"

#include "ui/RunnerSettings.h"

#include <QDialog>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace lumora::desktop {

namespace {

// Checks the limit's text when the user moves the focus away from its box. The check runs after the
// focus has moved, as its message box takes the focus too.
class LeavingTheLimit : public QObject {
  public:
    LeavingTheLimit(QLineEdit& box, frmRunnerSettings& settings)
        : QObject(&box), box_(box), settings_(settings) {
        box.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && byTheUser(static_cast<QFocusEvent*>(event)->reason())) {
            QTimer::singleShot(0, &box_, [this] {
                settings_.text = box_.text().toStdString();
                if (!settings_.lostFocus()) {
                    box_.setFocus();
                }
            });
        }
        return false;
    }

  private:
    static bool byTheUser(Qt::FocusReason reason) {
        return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
               reason == Qt::MouseFocusReason;
    }

    QLineEdit& box_;
    frmRunnerSettings& settings_;
};

} // namespace

void showRunnerSettings(QWidget* owner, MessageDisplay& messages, RunnerSwitches& switches) {
    frmRunnerSettings settings(messages, switches);
    QDialog dialog(owner);
    dialog.setObjectName("frmRunnerSettings");
    dialog.setWindowTitle(QString::fromStdString(settings.caption()));
    auto* limit = new QLineEdit(QString::fromStdString(settings.text), &dialog);
    new LeavingTheLimit(*limit, settings);
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    ok->setFocusPolicy(Qt::TabFocus);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow("DFM Limit :", limit);
    layout->addRow(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
        settings.text = limit->text().toStdString();
        if (settings.ok()) {
            dialog.accept();
        } else {
            limit->setFocus();
        }
    });
    dialog.exec();
}

} // namespace lumora::desktop
