#include "engine/checks/MarkersJson.h"

#include <nlohmann/json.hpp>

namespace lumora::engine {

void writeMarkersJson(const Design& design, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const DrcMarker& marker : design.drcs) {
        const auto file = std::ranges::find(design.files, marker.file, &File::number);
        list.push_back({{"file", marker.file},
                        {"fileName", file == design.files.end() ? std::string() : file->name},
                        {"at", {marker.at.x, marker.at.y}},
                        {"severity", marker.severity},
                        {"check", marker.check},
                        {"text", marker.text}});
    }
    out << list.dump(2) << '\n';
}

} // namespace lumora::engine
