#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lumora::engine {

// The member names of one JSON object as it is read, to refuse a name used twice. Compared one by
// one while there are few (most objects of a design are items of a few members), hashed from 16
// on, so that an object of 200,000 members stays linear.
class MemberNames {
  public:
    // False, and nothing kept, when the object already has that name.
    bool add(std::string_view name);
    // The name added last; "" before the first.
    const std::string& last() const;
    void clear();

  private:
    static constexpr std::size_t kCompared = 16;
    std::vector<std::string> names_;
    std::unordered_set<std::string> hashed_;
};

} // namespace lumora::engine
