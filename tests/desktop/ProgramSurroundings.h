#pragma once

// The program's surroundings as main() sets them up, for the desktop tests and the window
// benchmarks: no QtTest in here, so that the benchmarks can have them too.

#include "desktop/QtEventPump.h"
#include "engine/runtime/WhileWaiting.h"
#include "korven/clsResponse.h"
#include "korvenapi/AutomationRegistry.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>

namespace lumora::desktop::test {

// A log folder of the test's own (logs, rdbset.dat) and test settings, empty at the start; the
// event pump and the engine's while-waiting hook installed as main() installs them.
class ProgramSurroundings {
  public:
    ProgramSurroundings() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        setEventPump(&pump_);
        registerResponseClass(automationRegistry());
        engine::setWhileWaiting([] { eventPump().doEvents(); });
    }
    ~ProgramSurroundings() {
        engine::setWhileWaiting(nullptr);
        setEventPump(nullptr);
    }
    ProgramSurroundings(const ProgramSurroundings&) = delete;
    ProgramSurroundings& operator=(const ProgramSurroundings&) = delete;

    QString home() const { return home_.path(); }
    std::filesystem::path logFolder() const { return home_.path().toStdString(); }
    QString filePath(const QString& name) const { return home_.filePath(name); }

  private:
    QTemporaryDir home_;
    QtEventPump pump_;
};

} // namespace lumora::desktop::test
