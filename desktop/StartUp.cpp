#include "desktop/StartUp.h"

#include "log/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumora::desktop {

namespace {

const QLatin1String kRegisterOnly("/registeronly");

} // namespace

bool isRegisterOnly(const QStringList& arguments) {
    return arguments.size() == 2 && arguments[1] == kRegisterOnly;
}

std::optional<QString> designArgument(const QStringList& arguments) {
    qsizetype at = arguments.indexOf(QStringLiteral("--design"));
    if (at < 0 || at + 1 >= arguments.size()) {
        return std::nullopt;
    }
    return arguments[at + 1];
}

QStringList scriptArguments(const QStringList& arguments) {
    QStringList scripts;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--design")) {
            ++i;
        } else if (arguments[i].compare(kRegisterOnly, Qt::CaseInsensitive) != 0) {
            scripts << arguments[i];
        }
    }
    return scripts;
}

std::filesystem::path chooseLogFolder() {
    const std::filesystem::path folder = programFolder();
    if (!qEnvironmentVariableIsEmpty("LUMORA_HOME") ||
        QFileInfo(QString::fromStdString(folder.string())).isWritable()) {
        return folder;
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return std::filesystem::path(QFile::encodeName(data).toStdString());
}

std::unique_ptr<QLockFile> claimSingleInstance() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/lumora-runner.lock"));
    // A lock left by a crashed instance is taken over: QLockFile checks that its owner is alive.
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

} // namespace lumora::desktop
