#include "script/TextDictionary.h"

namespace lumora {

std::string TextDictionary::item(const std::string& key) {
    auto found = index_.find(key);
    if (found != index_.end()) {
        return entries_[found->second].second;
    }
    store(key, std::string());
    return std::string();
}

void TextDictionary::store(const std::string& key, std::string value) {
    auto found = index_.find(key);
    if (found != index_.end()) {
        entries_[found->second].second = std::move(value);
        return;
    }
    index_.emplace(key, entries_.size());
    entries_.emplace_back(key, std::move(value));
}

} // namespace lumora
