// libFuzzer target: any bytes as the roles file beside a KiCad board, and a footprint matched
// against the rules it makes (library name, reference and a property from the input too). A
// refused file says why; the rules of one that reads always give a footprint a role.

#include "engine/io/DesignFile.h"
#include "engine/io/Roles.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace lumora::engine;
    FuzzedDataProvider input(data, size);
    // Names of real length; the patterns may be as long as the input.
    const std::string library = input.ConsumeRandomLengthString(256);
    const std::string reference = input.ConsumeRandomLengthString(256);
    const std::string property = input.ConsumeRandomLengthString(256);
    const std::string roles = input.ConsumeRemainingBytesAsString();
    RoleRules rules;
    try {
        rules = readRoleRules(roles, "fuzz.roles.json");
    } catch (const DesignFormatError& error) {
        if (std::string_view(error.what()).empty()) {
            __builtin_trap(); // a refusal says why
        }
        return 0;
    }
    AttributeList properties;
    properties.set("Test", property);
    (void)roleOf({.libraryName = library, .reference = reference, .properties = properties}, rules);
    return 0;
}
