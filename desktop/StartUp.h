#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lumora::desktop {

// The whole command line is exactly "/registeronly" (case-sensitive, nothing after it).
bool isRegisterOnly(const QStringList& arguments);

// The design named by "--design FILE", if any.
std::optional<QString> designArgument(const QStringList& arguments);

// The other arguments: scripts to open instead of asking for them. "/registeronly" in another
// letter case, or followed by more, starts the program as usual and names no script.
QStringList scriptArguments(const QStringList& arguments);

// An installed program cannot write beside itself: unless LUMORA_HOME says otherwise, the logs and
// rdbset.dat then live in the user's data folder.
void chooseProgramFolder();

// The lock that keeps a second instance out, in the user's runtime folder; nothing when another
// instance holds it.
std::unique_ptr<QLockFile> claimSingleInstance();

inline constexpr const char* kAnotherInstance = "Another instance of Lumora Runner is already running.";

} // namespace lumora::desktop
