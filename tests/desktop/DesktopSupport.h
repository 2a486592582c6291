#pragma once

// What the desktop program's tests share: the program's surroundings (its own home folder and
// settings, KORVEN's callbacks let through as the program lets them), a reader of message boxes,
// and checks made while a run lets events through.

#include "desktop/BoardWindow.h"
#include "desktop/MainWindow.h"
#include "desktop/ScriptWindow.h"
#include "tests/desktop/ProgramSurroundings.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace lumora::desktop::test {

inline const QString kScripts = LUMORA_SOURCE_DIR "/examples/scripts";
inline const QString kExamples = LUMORA_SOURCE_DIR "/examples/designs";

// Answers every message box with OK and keeps its text and icon, as a user reading it would.
class MessageReader : public QObject {
  public:
    MessageReader() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                icons << box->icon();
                box->accept();
            }
        });
        timer_.start(10);
    }
    QStringList texts;
    QList<QMessageBox::Icon> icons;

  private:
    QTimer timer_;
};

// Runs `user` once the modal dialog `name` is up, then closes it if `user` left it open.
inline void inDialog(const char* name, std::function<void(QDialog&)> user) {
    QTimer::singleShot(0, [name, user = std::move(user)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr && dialog->objectName() == name);
        user(*dialog);
        dialog->reject();
    });
}

// Runs check on every pass of the event loop while a run lets events through.
class DuringRun : public QObject {
  public:
    explicit DuringRun(std::function<void()> check) {
        connect(&timer_, &QTimer::timeout, this, std::move(check));
        timer_.start(0);
    }

  private:
    QTimer timer_;
};

// Opens an example script in its window, as the open-script dialog would.
inline frmTests& openExample(MainWindow& window, const char* script) {
    window.model().openScripts(kScripts.toStdString(), {script}, 1);
    return *window.model().windows().back();
}

// The program after the full example script ran on a copy of the example board (the waivers file
// is written beside the copy, not into the examples): KORVEN's window holds the run's markers.
struct ExampleRun {
    explicit ExampleRun(const ProgramSurroundings& surroundings)
        : designFile(surroundings.filePath("single-board.json")), window(design, surroundings.logFolder()) {
        QFile::copy(kExamples + "/single-board.json", designFile);
        window.chooseDesign(designFile);
        window.show();
        script = &openExample(window, "all-tests.dfm");
        script->runScript();
    }
    BoardWindow& board() { return window.boardWindow(); }
    const engine::Design& drawn() const { return *design.design(); }
    long gridRowOf(const std::string& test) const {
        for (long row = 1; row <= script->grid().testRows(); ++row) {
            if (script->grid().text(row, TestGrid::Name) == test) {
                return row;
            }
        }
        return 0;
    }
    void selectGridRow(long row) {
        window.scriptWindow(*script)->grid().setCurrentCell(row - 1, TestGrid::Name);
    }

    QString designFile;
    DesignHost design;
    MainWindow window;
    frmTests* script = nullptr;
};

} // namespace lumora::desktop::test
