#include "engine/ops/ItemAttributes.h"

#include "engine/model/CodeNames.h"

namespace lumora::engine {

const std::string* attributeOf(const Graphic& item, std::string_view keyword) {
    if (sameKeyword(keyword, keyword::NetName) && !item.net.empty()) {
        return &item.net;
    }
    return item.attributes.find(keyword);
}

} // namespace lumora::engine
