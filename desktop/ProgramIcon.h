#pragma once

#include <QIcon>

namespace lumora::desktop {

// The program's icon: the installed theme icon "lumora" (desktop/lumora.svg), or the same
// picture drawn here when the theme has none (an uninstalled build).
QIcon programIcon();

} // namespace lumora::desktop
