#include "engine/io/DesignFile.h"
#include "engine/io/DesignFormat.h"
#include "engine/io/JsonNode.h"
#include "engine/io/JsonNumbers.h"
#include "engine/io/MarkersJson.h"
#include "engine/model/GeometryItems.h"
#include "files/ReplaceFile.h"

#include <string>

namespace lumora::engine {

namespace {

Json ring(const Ring& r) {
    Json result = Json::array();
    for (Point p : r) {
        result.push_back(jsonPoint(p));
    }
    return result;
}

std::string name(std::span<const CodeName> table, int16_t code) {
    auto found = nameOf(table, code);
    return found ? std::string(*found) : std::to_string(code);
}

class Writer {
  public:
    explicit Writer(const Design& design) : design_(design) {}

    std::string write() {
        out_ += "{\n";
        field("format", Json(format::kName), false);
        field("version", Json(format::kVersion), false);
        field("name", Json(design_.name), false);
        field("units", Json(name(pageUnitNames(), design_.pageUnits)), false);
        list("keywords", keywords(), false);
        list("layers", layers(), false);
        geometries();
        list("files", files(), false);
        list("drcs", drcs(), true);
        out_ += "}\n";
        return std::move(out_);
    }

  private:
    static std::string compact(const Json& value) {
        return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }

    void field(std::string_view key, const Json& value, bool last) {
        out_ += "  " + compact(Json(key)) + ": " + compact(value) + (last ? "\n" : ",\n");
    }

    void list(std::string_view key, const std::vector<Json>& entries, bool last) {
        out_ += "  " + compact(Json(key)) + ": [";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            out_ += (i == 0 ? "\n    " : ",\n    ") + compact(entries[i]);
        }
        out_ += entries.empty() ? "]" : "\n  ]";
        out_ += last ? "\n" : ",\n";
    }

    std::vector<Json> keywords() const {
        std::vector<Json> result;
        for (const Keyword& k : design_.keywords) {
            Json entry{{"name", k.name}};
            if (k.inName != k.name) {
                entry["in"] = k.inName;
            }
            if (k.outName != k.name) {
                entry["out"] = k.outName;
            }
            entry["type"] = name(keywordTypeNames(), k.type);
            if (k.internal) {
                entry["internal"] = true;
            }
            result.push_back(std::move(entry));
        }
        return result;
    }

    std::vector<Json> layers() const {
        std::vector<Json> result;
        for (const auto& slot : design_.layers) {
            if (!slot) {
                continue;
            }
            const Layer& l = *slot;
            Json entry{{"number", l.number}, {"name", l.name}, {"type", name(layerTypeNames(), l.type)}};
            if (!l.show) {
                entry["show"] = false;
            }
            optionalInt(entry, "electrical", l.electrical);
            optionalInt(entry, "physical", l.physical);
            optionalInt(entry, "artwork", l.artwork);
            if (l.mirror != l.number) {
                entry["mirror"] = design_.layer(l.mirror).name;
            }
            optionalInt(entry, "color", l.color);
            if (!l.description.empty()) {
                entry["description"] = l.description;
            }
            attributes(entry, l.attributes);
            result.push_back(std::move(entry));
        }
        return result;
    }

    void geometries() {
        out_ += "  \"geometries\": [";
        bool first = true;
        for (const auto& entry : design_.geometries) {
            const Geometry& g = entry.second;
            Json head{{"number", g.number}, {"name", g.name}, {"type", name(blockTypeNames(), g.blockType)}};
            if (g.thickness != 0) {
                head["thickness"] = jsonNumber(g.thickness);
            }
            if (g.hole != Hole{}) {
                head["hole"] = {{"size", jsonNumber(g.hole.size)}, {"plated", g.hole.plated}};
            }
            if (g.blockType == block_type::Flatten) {
                head["file"] = g.flattenFile;
            }
            std::string text = compact(head);
            text.pop_back(); // the data list follows inside the object
            out_ += (first ? "\n    " : ",\n    ") + text + ",\"data\":[";
            first = false;
            bool firstItem = true;
            forEachItem(g, [&](const DataItem& data) {
                out_ += (firstItem ? "\n      " : ",\n      ") +
                        compact(std::visit([this](const auto& x) { return item(x); }, data));
                firstItem = false;
            });
            out_ += firstItem ? "]}" : "\n    ]}";
        }
        out_ += first ? "],\n" : "\n  ],\n";
    }

    Json item(const Insert& insert) const {
        Json entry{{"insert", name(insertTypeNames(), insert.insertType)},
                   {"geometry", design_.geometry(insert.geometry).name}};
        if (insert.at != Point{}) {
            entry["at"] = jsonPoint(insert.at);
        }
        if (insert.rotation != 0) {
            entry["rotation"] = jsonNumber(insert.rotation);
        }
        if (insert.mirror) {
            entry["mirror"] = true;
        }
        if (insert.scale != 1) {
            entry["scale"] = jsonNumber(insert.scale);
        }
        if (!insert.refName.empty()) {
            entry["ref"] = insert.refName;
        }
        if (!insert.net.empty()) {
            entry["net"] = insert.net;
        }
        if (!insert.pinNets.empty()) {
            Json nets = Json::object();
            for (const auto& [pin, net] : insert.pinNets) {
                nets[pin] = net;
            }
            entry["pinNets"] = std::move(nets);
        }
        attributes(entry, insert.attributes);
        return entry;
    }

    Json item(const Graphic& graphic) const {
        Json entry = std::visit([](const auto& shape) { return shapeJson(shape); }, graphic.shape);
        entry["layer"] = design_.layer(graphic.layer).name;
        if (graphic.graphicClass != graphic_class::Normal) {
            entry["class"] = name(graphicClassNames(), graphic.graphicClass);
        }
        if (!graphic.net.empty()) {
            entry["net"] = graphic.net;
        }
        attributes(entry, graphic.attributes);
        if (graphic.origin) {
            entry["origin"] = origin(*graphic.origin, graphic.sourcePosition);
        }
        return entry;
    }

    static Json shapeJson(const Pad& pad) {
        Json entry{{"pad", name(padShapeNames(), pad.shape)}};
        if (pad.at != Point{}) {
            entry["at"] = jsonPoint(pad.at);
        }
        const bool sizeless = pad.shape == pad_shape::Complex || pad.shape == pad_shape::Blank;
        if (!sizeless || pad.sizeX != 0 || pad.sizeY != 0) {
            entry["size"] =
                pad.sizeX == pad.sizeY ? jsonNumber(pad.sizeX) : jsonPoint({pad.sizeX, pad.sizeY});
        }
        if (innerOf(pad) != 0) {
            entry["inner"] = jsonNumber(innerOf(pad));
        }
        if (pad.rotation != 0) {
            entry["rotation"] = jsonNumber(pad.rotation);
        }
        if (pad.spokes != 0) {
            entry["spokes"] = pad.spokes;
        }
        if (spokeWidthOf(pad) != 0) {
            entry["spokeWidth"] = jsonNumber(spokeWidthOf(pad));
        }
        if (pad.complex && !pad.complex->outline.empty()) {
            entry["outline"] = ring(pad.complex->outline);
        }
        if (hasCornerRadii(pad)) {
            Json radii = Json::array();
            for (double radius : cornerRadiiOf(pad)) {
                radii.push_back(jsonNumber(radius));
            }
            entry["corners"] = std::move(radii);
        }
        return entry;
    }
    static Json shapeJson(const Line& line) {
        Json entry{{"line", Json::array({jsonPoint(line.from), jsonPoint(line.to)})}};
        if (line.width != 0) {
            entry["width"] = jsonNumber(line.width);
        }
        return entry;
    }
    static Json shapeJson(const Arc& arc) {
        Json entry{{"arc", jsonPoint(arc.center)}, {"radius", jsonNumber(arc.radius)}};
        if (arc.start != 0) {
            entry["start"] = jsonNumber(arc.start);
        }
        entry["sweep"] = jsonNumber(arc.sweep);
        if (arc.width != 0) {
            entry["width"] = jsonNumber(arc.width);
        }
        return entry;
    }
    static Json shapeJson(const Circle& circle) {
        Json entry{{"circle", jsonPoint(circle.center)}, {"radius", jsonNumber(circle.radius)}};
        if (circle.width != 0) {
            entry["width"] = jsonNumber(circle.width);
        }
        return entry;
    }
    static Json shapeJson(const Polygon& polygon) {
        Json entry{{"polygon", ring(polygon.outline)}};
        if (!polygon.holes.empty()) {
            Json holes = Json::array();
            for (const Ring& hole : polygon.holes) {
                holes.push_back(ring(hole));
            }
            entry["holes"] = std::move(holes);
        }
        return entry;
    }
    static Json shapeJson(const Mark& mark) { return Json{{"mark", jsonPoint(mark.at)}}; }

    // The file keeps one path from the file's block down to the item itself.
    static Json origin(const FlatOrigin& o, int32_t sourcePosition) {
        Json entry = Json::object();
        if (!o.component.empty()) {
            entry["component"] = o.component.str();
        }
        if (!o.pin.empty()) {
            entry["pin"] = o.pin.str();
        }
        if (o.insertType != insert_type::Any) {
            entry["insert"] = name(insertTypeNames(), o.insertType);
        }
        entry["surface"] = o.surface == surface::Bottom ? "bottom" : "top";
        std::vector<int32_t> path(o.insertPath.begin(), o.insertPath.end());
        if (sourcePosition >= 0) {
            path.push_back(sourcePosition);
        }
        entry["path"] = std::move(path);
        return entry;
    }

    std::vector<Json> files() const {
        std::vector<Json> result;
        for (const File& f : design_.files) {
            Json entry{{"number", f.number}, {"name", f.name}};
            if (!f.show) {
                entry["show"] = false;
            }
            entry["geometry"] = design_.geometry(f.geometry).name;
            if (f.shownGeometry != 0) {
                entry["display"] = design_.geometry(f.shownGeometry).name;
            }
            if (f.at != Point{}) {
                entry["at"] = jsonPoint(f.at);
            }
            if (f.rotation != 0) {
                entry["rotation"] = jsonNumber(f.rotation);
            }
            if (f.mirror) {
                entry["mirror"] = true;
            }
            if (f.scale != 1) {
                entry["scale"] = jsonNumber(f.scale);
            }
            result.push_back(std::move(entry));
        }
        return result;
    }

    std::vector<Json> drcs() const {
        std::vector<Json> result;
        for (const DrcMarker& marker : design_.drcs) {
            result.push_back(markerJson(marker));
        }
        return result;
    }

    static void optionalInt(Json& entry, const char* key, int16_t value) {
        if (value != 0) {
            entry[key] = value;
        }
    }

    static void attributes(Json& entry, const AttributeList& list) {
        if (list.empty()) {
            return;
        }
        Json values = Json::object();
        for (const Attribute& attribute : list) {
            values[attribute.keyword] = attribute.value;
        }
        entry["attributes"] = std::move(values);
    }

    const Design& design_;
    std::string out_;
};

} // namespace

std::string serializeDesign(const Design& design) {
    return Writer(design).write();
}

void saveDesign(const Design& design, const std::filesystem::path& path) {
    try {
        files::replaceFile(path, serializeDesign(design));
    } catch (const std::runtime_error& error) {
        throw DesignFormatError(std::string("design file: ") + error.what());
    }
}

} // namespace lumora::engine
