#include "desktop/DesignHost.h"

#include <QSettings>

namespace lumora::desktop {

namespace {

constexpr const char* kDesignKey = "design/file";

} // namespace

DesignHost::DesignHost() {
    install(std::make_unique<engine::EmbeddedKorven>());
}

DesignHost::~DesignHost() {
    registration_.reset();
}

void DesignHost::install(std::unique_ptr<engine::EmbeddedKorven> korven) {
    registration_.reset();
    korven_ = std::move(korven);
    registration_ = std::make_unique<ProviderRegistration>(automationRegistry(), *korven_);
}

std::optional<QString> DesignHost::open(const QString& file) {
    try {
        install(engine::EmbeddedKorven::open(file.toStdString()));
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    }
    file_ = file;
    QSettings().setValue(kDesignKey, file_);
    return std::nullopt;
}

void DesignHost::openRemembered() {
    QString remembered = QSettings().value(kDesignKey).toString();
    if (!remembered.isEmpty()) {
        open(remembered);
    }
}

QString DesignHost::statusText() const {
    return file_.isEmpty() ? QStringLiteral("No design: File > Design... chooses one")
                           : QStringLiteral("Design: ") + file_;
}

} // namespace lumora::desktop
