#include "korven/ErrorMessages.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumora {

namespace {

struct CodeMessage {
    int16_t code;
    std::string_view message;
};

// KORVEN's own texts, misspellings included: users search the run log for them.
constexpr auto kMessages = std::to_array<CodeMessage>({
    {0, ""},
    {1, "Too Many Errors"},
    {-1, "A General Error Occured"},
    {-2, "No Active Doucment"},
    {-3, "Item Not Found"},
    {-4, "Illegal Position"},
    {-5, "No Attributes"},
    {-6, "Wrong Type"},
    {-7, "Nothing Selected"},
    {-8, "Index Out Of Range"},
    {-9, "Empty Array Found"},
    {-11, "Uninitialized Variables"},
    {-12, "Not Allowed"},
    {-13, "Value Out Of Range"},
    {-14, "Hole In The Array"},
    {-15, "DFM Test Failed"},
    {-16, "Missing DLL"},
    {-999, "No connection to KORVEN"},
});

} // namespace

std::string reportError(int16_t CCReturnCode, const std::string& /*RoutineName*/) {
    auto found = std::ranges::find(kMessages, CCReturnCode, &CodeMessage::code);
    if (found != kMessages.end()) {
        return std::string(found->message);
    }
    return "# " + std::string(" ") + std::to_string(CCReturnCode) + " Occured.";
}

} // namespace lumora
