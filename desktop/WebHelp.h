#pragma once

#include "app/TestHelp.h"
#include "desktop/QtInterface.h"
#include "testlogic/RunHost.h"

#include <QString>

namespace lumora::desktop {

// The web-help server's address, ending in "/": "webHelp/server" of the program's settings (the
// user's file, else the system-wide one an installation writes), else the build's default.
QString helpServer();

// Opens the test's help page with the desktop's default handler; a failure to build the address
// shows "Error openning web page. {...}". A handler that fails on its own is not reported.
void openWebHelp(TestHelp& help, const std::string& testName, MessageDisplay& messages,
                 const UrlOpener& open);

} // namespace lumora::desktop
