#include "script/TestDefaults.h"

namespace lumora {

std::span<const DefaultParameter> defaultParametersFor(std::string_view) { return {}; }

} // namespace lumora
