// lumora: the desktop program of Lumora Runner.

#include "desktop/DesignHost.h"
#include "desktop/MainWindow.h"
#include "desktop/ProgramIcon.h"
#include "desktop/QtEventPump.h"
#include "desktop/StartUp.h"
#include "engine/runtime/WhileWaiting.h"
#include "korven/clsResponse.h"
#include "log/ProductInfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <iostream>

using namespace lumora;
using namespace lumora::desktop;

namespace {

// Named files open as they are, whatever their extension, as under "All Files".
constexpr int kAllFilesFilter = 3;

} // namespace

int main(int argc, char** argv) {
    QStringList arguments; // before Qt takes its own options out of argv
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QApplication app(argc, argv);
    app.setOrganizationName("Lumora");
    app.setApplicationName("Lumora Runner");
    app.setWindowIcon(programIcon());

    std::unique_ptr<QLockFile> instance = claimSingleInstance();
    if (!instance) {
        std::cerr << kAnotherInstance << '\n';
        QMessageBox::information(nullptr, "Lumora Runner", kAnotherInstance);
        return 1;
    }
    if (isRegisterOnly(arguments)) {
        registerResponseClass(automationRegistry());
        return 0;
    }

    const std::filesystem::path logFolder = chooseLogFolder();
    QtEventPump pump;
    setEventPump(&pump);
    engine::setWhileWaiting([] { eventPump().doEvents(); });
    DesignHost design;
    std::optional<QString> designFile = designArgument(arguments);
    if (!designFile) {
        design.openRemembered();
    }
    MainWindow window(design, logFolder);
    if (designFile) {
        window.chooseDesign(*designFile);
    }
    window.show();
    QTimer::singleShot(0, &window, [&window, scripts = scriptArguments(arguments)] {
        MDIMain& main = window.model();
        if (scripts.isEmpty()) {
            main.startUp();
            return;
        }
        // Scripts named on the command line (as the file manager passes them) open instead of the dialog.
        registerResponseClass(automationRegistry());
        main.loadDebugSettings();
        for (const QString& script : scripts) {
            QFileInfo info(script);
            main.openScripts(info.absolutePath().toStdString(), {info.fileName().toStdString()},
                             kAllFilesFilter);
        }
    });
    int status = app.exec();
    engine::setWhileWaiting(nullptr);
    setEventPump(nullptr);
    return status;
}
