#include "script/ParameterValidation.h"

#include "script/LocaleConversions.h"

namespace lumora {

std::span<const ParameterCheck> parameterChecksFor(std::string_view) { return {}; }

bool convertsTo(const std::string& text, ParameterKind kind) {
    try {
        switch (kind) {
        case ParameterKind::Number:
            toDouble(text);
            break;
        case ParameterKind::Integer:
            toInteger(text);
            break;
        case ParameterKind::Switch:
            toBoolean(text);
            break;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace lumora
