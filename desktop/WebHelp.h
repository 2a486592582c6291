#pragma once

#include "app/TestHelp.h"
#include "testlogic/RunHost.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace lumora::desktop {

// The web-help server's address, ending in "/": "webHelp/server" of the program's settings (the
// user's file, else the system-wide one an installation writes), else the build's default.
QString helpServer();

// The address of the test's help page; nothing after "Error openning web page. {...}" was shown for
// an address that cannot be built.
std::optional<QUrl> webHelpAddress(TestHelp& help, const std::string& testName, MessageDisplay& messages);

} // namespace lumora::desktop
