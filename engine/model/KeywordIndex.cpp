#include "engine/model/KeywordIndex.h"

#include <algorithm>

namespace lumora::engine {

namespace {

std::string folded(std::string_view keyword) {
    std::string text(keyword);
    std::ranges::transform(text, text.begin(), keywordUpper);
    return text;
}

} // namespace

std::optional<std::size_t> KeywordIndex::find(std::string_view keyword) const {
    auto found = positions_.find(folded(keyword));
    return found != positions_.end() ? std::optional(found->second) : std::nullopt;
}

void KeywordIndex::add(std::string_view keyword, std::size_t position) {
    positions_.try_emplace(folded(keyword), position);
    ++added_;
}

void KeywordIndex::clear() {
    positions_.clear();
    added_ = 0;
}

} // namespace lumora::engine
