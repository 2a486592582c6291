#include "manifest/DesignOutcome.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lumora::manifest {

namespace {

constexpr std::array<std::pair<DesignOutcome, std::string_view>, 7> kNames{{
    {DesignOutcome::Passed, "passed"},
    {DesignOutcome::Violations, "violations"},
    {DesignOutcome::Broken, "broken"},
    {DesignOutcome::Failed, "failed"},
    {DesignOutcome::Stopped, "stopped"},
    {DesignOutcome::Crashed, "crashed"},
    {DesignOutcome::Missing, "missing"},
}};

} // namespace

std::string_view outcomeName(DesignOutcome outcome) {
    return std::ranges::find(kNames, outcome, &std::pair<DesignOutcome, std::string_view>::first)->second;
}

std::optional<DesignOutcome> outcomeNamed(std::string_view name) {
    const auto found = std::ranges::find(kNames, name, &std::pair<DesignOutcome, std::string_view>::second);
    return found == kNames.end() ? std::nullopt : std::optional(found->first);
}

} // namespace lumora::manifest
