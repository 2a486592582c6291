#pragma once

#include <optional>
#include <string_view>

namespace lumora::manifest {

// How a design of a manifest fared, as the results and the merge name it.
enum class DesignOutcome {
    Passed,     // the run passed (violations count only with --fail-on)
    Violations, // violations of the severity --fail-on names
    Broken,     // the design or a script could not be read, or was refused
    Failed,     // tests or steps failed, KORVEN could not be reached, or files could not be written
    Stopped,    // stopped before its last test (Ctrl-C): not a result, the design runs again
    Crashed,    // its process ended without an exit status of ours (a signal)
    Missing,    // no complete result (the merge only)
};

std::string_view outcomeName(DesignOutcome outcome);
std::optional<DesignOutcome> outcomeNamed(std::string_view name);

} // namespace lumora::manifest
