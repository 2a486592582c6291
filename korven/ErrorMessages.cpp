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
    {rc::Ok, ""},
    {rc::TooManyErrors, "Too Many Errors"},
    {rc::GeneralError, "A General Error Occured"},
    {rc::NoActiveDocument, "No Active Doucment"},
    {rc::ItemNotFound, "Item Not Found"},
    {rc::IllegalPosition, "Illegal Position"},
    {rc::NoAttributes, "No Attributes"},
    {rc::WrongType, "Wrong Type"},
    {rc::NothingSelected, "Nothing Selected"},
    {rc::IndexOutOfRange, "Index Out Of Range"},
    {rc::EmptyArray, "Empty Array Found"},
    {rc::Uninitialized, "Uninitialized Variables"},
    {rc::NotAllowed, "Not Allowed"},
    {rc::ValueOutOfRange, "Value Out Of Range"},
    {rc::HoleInArray, "Hole In The Array"},
    {rc::DfmTestFailed, "DFM Test Failed"},
    {rc::MissingDll, "Missing DLL"},
    {runnercode::Failed, "No connection to KORVEN"},
});

} // namespace

std::string reportError(int16_t CCReturnCode, const std::string& /*RoutineName*/) {
    auto found = std::ranges::find(kMessages, CCReturnCode, &CodeMessage::code);
    if (found != kMessages.end()) {
        return std::string(found->message);
    }
    // "Occured" is the spelling that readers of earlier run logs search for.
    return "# " + std::string(" ") + std::to_string(CCReturnCode) + " Occured.";
}

} // namespace lumora
