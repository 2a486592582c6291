#include "manifest/Slice.h"

#include <charconv>

namespace lumora::manifest {

namespace {

std::optional<std::size_t> wholeNumber(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<Slice> parseSlice(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto number = wholeNumber(text.substr(0, slash));
    const auto count = wholeNumber(text.substr(slash + 1));
    if (!number || !count || *number < 1 || *number > *count) {
        return std::nullopt;
    }
    return Slice{*number, *count};
}

} // namespace lumora::manifest
