#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <filesystem>
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

// The folder of the logs and rdbset.dat: LUMORA_HOME when the user set it, else the program's
// folder, unless the program cannot write beside itself (installed): then the user's data folder.
std::filesystem::path chooseLogFolder();

// The lock that keeps a second instance out, in the user's runtime folder; nothing when another
// instance holds it.
std::unique_ptr<QLockFile> claimSingleInstance();

inline constexpr const char* kAnotherInstance = "Another instance of Lumora Runner is already running.";

} // namespace lumora::desktop
