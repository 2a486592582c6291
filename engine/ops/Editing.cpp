#include "engine/ops/Editing.h"

#include "engine/model/Refusal.h"
#include "engine/ops/KeptItems.h"
#include "engine/runtime/WhileWaiting.h"

#include <malloc.h>

#include <algorithm>

namespace lumora::engine {

namespace {

// Flatten geometries hold graphics only (copies of placed graphics; the reader refuses an insert in
// one), and during a run they are the largest: skipping them keeps a deletion from reading them all.
bool isPlaced(const Design& design, int16_t geomNum) {
    for (const auto& [number, geometry] : design.geometries) {
        if (geometry.blockType == block_type::Flatten) {
            continue;
        }
        for (const DataItem& item : geometry.data) {
            const auto* insert = std::get_if<Insert>(&item);
            if (insert && insert->geometry == geomNum) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

void deleteByLayer(Design& design, int16_t layer, bool removeLayerFromList) {
    design.layer(layer);
    for (auto& [number, geometry] : design.geometries) {
        dropItemsInParts(geometry, [layer](const DataItem& item) {
            const auto* graphic = std::get_if<Graphic>(&item);
            return graphic && graphic->layer == layer;
        });
    }
    if (!removeLayerFromList) {
        return;
    }
    for (auto& slot : design.layers) {
        if (slot && slot->mirror == layer) {
            slot->mirror = slot->number;
        }
    }
    design.layers[layer].reset();
    while (!design.layers.empty() && !design.layers.back()) {
        design.layers.pop_back();
    }
}

// A flatten geometry this large was a board's worth of copies, freed in as many small blocks: the
// allocator would keep them, and the next test's peak would come on top of them.
constexpr std::size_t kLargeGeometry = 400'000;

void deleteGeometry(Design& design, int16_t geomNum) {
    // A flatten geometry is never a file's block nor placed: no reader or call makes one so, and
    // looking through every block's items for it took longer than the deletion itself.
    if (design.geometry(geomNum).blockType != block_type::Flatten) {
        const bool owned =
            std::ranges::any_of(design.files, [geomNum](const File& f) { return f.geometry == geomNum; });
        if (owned || isPlaced(design, geomNum)) {
            throw Refusal(rc::NotAllowed, "geometry " + std::to_string(geomNum) + " is in use");
        }
    }
    for (File& file : design.files) {
        if (file.shownGeometry == geomNum) {
            file.shownGeometry = 0;
        }
    }
    std::vector<DataItem>& data = design.geometry(geomNum).data;
    const bool large = data.size() >= kLargeGeometry;
    EventSlices events; // freeing a flattened board's million items takes a while
    while (!data.empty()) {
        data.pop_back();
        events.tick();
    }
    design.geometries.erase(geomNum);
    if (large) {
        malloc_trim(0);
    }
}

void setFileGeometry(Design& design, int32_t filePos, int16_t geomNum) {
    File& file = design.file(filePos);
    if (geomNum == -1 || geomNum == file.geometry) {
        file.shownGeometry = 0;
        return;
    }
    design.geometry(geomNum);
    file.shownGeometry = geomNum;
}

} // namespace lumora::engine
