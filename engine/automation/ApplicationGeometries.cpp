#include "engine/automation/EmbeddedApplication.h"

#include "engine/model/GeometryItems.h"
#include "engine/ops/Editing.h"

#include <limits>

namespace lumora::engine {

int16_t EmbeddedApplication::GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                                         int16_t& itemCount) {
    return answerWithDocument(session(), [&](Design& design) {
        const Geometry& geometry = design.geometry(geomNum);
        geomName = geometry.name;
        blockType = geometry.blockType;
        constexpr std::size_t kMost = std::numeric_limits<int16_t>::max();
        itemCount = static_cast<int16_t>(std::min(engine::itemCount(geometry), kMost));
    });
}

int16_t EmbeddedApplication::GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) {
    geoms.clear();
    return answerWithDocument(session(), [&](Design& design) {
        for (const auto& [number, geometry] : design.geometries) {
            if (geometry.blockType == blockType) {
                geoms.push_back(number);
            }
        }
    });
}

int16_t EmbeddedApplication::SetFileGeometry(int32_t filePos, int16_t geomNum) {
    return answerWithDocument(session(), [&](Design& design) { setFileGeometry(design, filePos, geomNum); });
}

int16_t EmbeddedApplication::SetFileShow(int32_t filePos, bool setOn) {
    return answerWithDocument(session(), [&](Design& design) { design.file(filePos).show = setOn; });
}

int16_t EmbeddedApplication::DeleteGeometry(int16_t geomNum) {
    // A geometry in use is refused; any other is not a file's block nor placed in one.
    return answerWithDocument(
        session(), [&](Design& design) { deleteGeometry(design, geomNum); }, BlockUse::LeavesBlocks);
}

} // namespace lumora::engine
