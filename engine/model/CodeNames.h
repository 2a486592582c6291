#pragma once

// The texts that name KORVEN's numbers in design files: the numbers themselves are named once, for
// both sides, in korvenapi/KorvenCodes.h.

#include "korvenapi/KorvenCodes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lumora::engine {

// A code with the text that names it in design files and documentation.
struct CodeName {
    int16_t code;
    std::string_view name;
};

std::span<const CodeName> insertTypeNames();
std::span<const CodeName> blockTypeNames();
std::span<const CodeName> layerTypeNames();
std::span<const CodeName> graphicClassNames();
std::span<const CodeName> padShapeNames();
std::span<const CodeName> keywordTypeNames();
std::span<const CodeName> pageUnitNames(); // the texts GetPageUnits writes

std::optional<int16_t> codeOf(std::span<const CodeName> table, std::string_view name);
std::optional<std::string_view> nameOf(std::span<const CodeName> table, int16_t code);

// One kind of DFx outline: its algorithm and the DFX_OUTLINE_TYPE values of its two layers.
struct DfxOutlineKind {
    int16_t algorithm;
    std::string_view topType;
    std::string_view bottomType;
    std::string_view topLayerName;
    std::string_view bottomLayerName;
};
std::span<const DfxOutlineKind> dfxOutlineKinds();

} // namespace lumora::engine
