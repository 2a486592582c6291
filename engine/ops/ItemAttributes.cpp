#include "engine/ops/ItemAttributes.h"

#include "engine/model/CodeNames.h"

namespace lumora::engine {

std::optional<std::string_view> attributeOf(const Graphic& item, std::string_view keyword) {
    if (sameKeyword(keyword, keyword::NetName) && !item.net.empty()) {
        return item.net.view();
    }
    return item.attributes.value(keyword);
}

} // namespace lumora::engine
