#include "engine/io/MemberNames.h"

#include <algorithm>

namespace lumora::engine {

bool MemberNames::add(std::string_view name) {
    if (names_.size() < kCompared) {
        if (std::ranges::find(names_, name) != names_.end()) {
            return false;
        }
    } else {
        if (hashed_.empty()) {
            hashed_.insert(names_.begin(), names_.end());
        }
        if (!hashed_.emplace(name).second) {
            return false;
        }
    }
    names_.emplace_back(name);
    return true;
}

const std::string& MemberNames::last() const {
    static const std::string kNone;
    return names_.empty() ? kNone : names_.back();
}

void MemberNames::clear() {
    names_.clear();
    hashed_.clear();
}

} // namespace lumora::engine
