#include "engine/io/kicad/KicadPadstacks.h"

namespace lumora::engine::kicad {

int16_t PadstackLibrary::add(Geometry padstack, const std::string& prefix) {
    std::vector<int16_t>& same = byKey_[{padstack.hole.size, padstack.hole.plated, padstack.data.size()}];
    for (int16_t number : same) {
        if (design_.geometry(number).data == padstack.data) {
            return number;
        }
    }
    padstack.blockType = block_type::Padstack;
    padstack.name = prefix + std::to_string(++named_[prefix]);
    const int16_t number = design_.addGeometry(std::move(padstack));
    same.push_back(number);
    return number;
}

} // namespace lumora::engine::kicad
