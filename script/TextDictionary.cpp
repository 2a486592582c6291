#include "script/TextDictionary.h"

namespace lumora {

std::string TextDictionary::item(const std::string& key) {
    auto found = index_.find(key);
    if (found != index_.end()) {
        return entries_[found->second].second;
    }
    index_.emplace(key, entries_.size());
    entries_.emplace_back(key, std::string());
    stored_.push_back(false);
    return std::string();
}

bool TextDictionary::holdsValue(const std::string& key) const {
    auto found = index_.find(key);
    return found != index_.end() && stored_[found->second];
}

void TextDictionary::store(const std::string& key, std::string value) {
    auto found = index_.find(key);
    if (found != index_.end()) {
        entries_[found->second].second = std::move(value);
        stored_[found->second] = true;
        return;
    }
    index_.emplace(key, entries_.size());
    entries_.emplace_back(key, std::move(value));
    stored_.push_back(true);
}

} // namespace lumora
