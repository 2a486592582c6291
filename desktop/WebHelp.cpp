#include "desktop/WebHelp.h"

#include <QSettings>

namespace lumora::desktop {

QString helpServer() {
    QString server = QSettings().value("webHelp/server", QStringLiteral(LUMORA_HELP_SERVER)).toString();
    return server.endsWith('/') ? server : server + '/';
}

std::optional<QUrl> webHelpAddress(TestHelp& help, const std::string& testName, MessageDisplay& messages) {
    const QUrl address(QString::fromStdString(help.address(helpServer().toStdString(), testName)),
                       QUrl::StrictMode);
    if (!address.isValid()) {
        messages.showMessage("Error openning web page. {" + address.errorString().toStdString() + "}",
                             MessageKind::Error);
        return std::nullopt;
    }
    // The server is a setting anyone with the settings file can change: a "file:" or a program's
    // scheme would open whatever the desktop runs for it.
    if (address.scheme() != "http" && address.scheme() != "https") {
        messages.showMessage(
            "Error openning web page. {\"" + address.toString().toStdString() +
                "\" is not a web address: the help server's address starts with http:// or https://}",
            MessageKind::Error);
        return std::nullopt;
    }
    return address;
}

} // namespace lumora::desktop
