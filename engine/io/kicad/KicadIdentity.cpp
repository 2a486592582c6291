#include "engine/io/kicad/KicadIdentity.h"

#include "korvenapi/KorvenCodes.h"

namespace lumora::engine::kicad {

std::string_view sourceIdOf(const sexpr::Expr& item) {
    const std::string_view uuid = item.textOf("uuid");
    return uuid.empty() ? item.textOf("tstamp") : uuid;
}

std::string partId(std::string_view id, int n) {
    return id.empty() ? std::string() : sexpr::concat({id, "/", std::to_string(n)});
}

AttributeList withSourceId(AttributeList attributes, std::string_view id) {
    if (!id.empty()) {
        attributes.set(keyword::SourceId, std::string(id));
    }
    return attributes;
}

} // namespace lumora::engine::kicad
