#include "engine/io/DesignFile.h"
#include "engine/io/DesignFormat.h"
#include "engine/io/FileText.h"
#include "engine/io/ItemTexts.h"
#include "engine/io/JsonDepth.h"
#include "engine/io/JsonNode.h"
#include "engine/io/JsonTree.h"
#include "engine/io/MarkersJson.h"
#include "engine/io/PlacementBudget.h"
#include "engine/model/RoundedCorners.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <map>

namespace lumora::engine {

namespace {

constexpr int64_t kInt16Max = std::numeric_limits<int16_t>::max();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

int16_t codeNamed(const JsonNode& node, std::span<const CodeName> table, std::string_view what) {
    const std::string name = node.text();
    auto code = codeOf(table, name);
    if (!code) {
        node.fail("unknown " + std::string(what) + " \"" + name + "\"");
    }
    return *code;
}

int16_t int16Member(const JsonNode& node, std::string_view key, int16_t fallback) {
    auto found = node.optionalMember(key);
    return found ? static_cast<int16_t>(found->integer(-kInt16Max - 1, kInt16Max)) : fallback;
}

double scaleOf(const JsonNode& node) {
    auto scale = node.optionalMember("scale");
    return scale ? scale->positive() : 1.0;
}

class Reader {
  public:
    Reader(const PlacementLimits& limits, const DataItemStore& items) : limits_(limits), items_(items) {}

    Design read(const JsonNode& root) {
        root.expectObject(
            {"format", "version", "name", "units", "keywords", "layers", "geometries", "files", "drcs"});
        if (root.member("format").text() != format::kName) {
            root.member("format").fail("not a design file: expected \"" + std::string(format::kName) + "\"");
        }
        const JsonNode version = root.member("version");
        if (version.integer(0, kInt32Max) != format::kVersion) {
            version.fail("unsupported version " + version.json().dump() + ", this KORVEN reads version " +
                         std::to_string(format::kVersion));
        }
        design_.name = root.textOr("name", "");
        design_.pageUnits = codeNamed(root.member("units"), pageUnitNames(), "page unit");
        if (auto keywords = root.optionalMember("keywords")) {
            readKeywords(*keywords);
        }
        readLayers(root.member("layers"));
        readGeometries(root.member("geometries"));
        readFiles(root.member("files"));
        checkFlattenFiles();
        checkPlacements(root);
        if (auto drcs = root.optionalMember("drcs")) {
            readDrcs(*drcs);
        }
        registerUsedKeywords();
        return std::move(design_);
    }

  private:
    void readKeywords(const JsonNode& list) {
        for (const JsonNode& node : list.elements()) {
            node.expectObject({"name", "in", "out", "type", "internal"});
            Keyword keyword;
            keyword.name = node.member("name").text();
            if (keyword.name.empty()) {
                node.member("name").fail("keyword names cannot be empty");
            }
            keyword.inName = node.textOr("in", keyword.name);
            keyword.outName = node.textOr("out", keyword.name);
            keyword.type = node.has("type")
                               ? codeNamed(node.member("type"), keywordTypeNames(), "keyword type")
                               : keyword_type::Text;
            keyword.internal = node.booleanOr("internal", false);
            for (const Keyword& known : design_.keywords) {
                if (sameKeyword(known.name, keyword.name)) {
                    node.member("name").fail("keyword \"" + keyword.name + "\" is declared twice");
                }
            }
            design_.keywords.push_back(std::move(keyword));
        }
    }

    void readLayers(const JsonNode& list) {
        std::vector<JsonNode> nodes = list.elements();
        for (const JsonNode& node : nodes) {
            node.expectObject({"number", "name", "type", "show", "electrical", "physical", "artwork",
                               "mirror", "color", "description", "attributes"});
            Layer layer;
            layer.number = static_cast<int16_t>(node.member("number").integer(0, kInt16Max - 1));
            layer.name = node.member("name").text();
            if (design_.findLayer(layer.name)) {
                node.member("name").fail("layer name \"" + layer.name + "\" is used twice");
            }
            if (static_cast<std::size_t>(layer.number) < design_.layers.size() &&
                design_.layers[layer.number]) {
                node.member("number").fail("layer number " + std::to_string(layer.number) + " is used twice");
            }
            layer.type = codeNamed(node.member("type"), layerTypeNames(), "layer type");
            layer.show = node.booleanOr("show", true);
            layer.electrical = int16Member(node, "electrical", 0);
            layer.physical = int16Member(node, "physical", 0);
            layer.artwork = int16Member(node, "artwork", 0);
            layer.mirror = layer.number;
            layer.color = int16Member(node, "color", 0);
            layer.description = node.textOr("description", "");
            layer.attributes = attributes(node.optionalMember("attributes"));
            if (design_.layers.size() <= static_cast<std::size_t>(layer.number)) {
                design_.layers.resize(layer.number + 1);
            }
            design_.layers[layer.number] = std::move(layer);
        }
        for (const JsonNode& node : nodes) {
            if (auto mirror = node.optionalMember("mirror")) {
                pairMirrors(node, *mirror);
            }
        }
    }

    void pairMirrors(const JsonNode& node, const JsonNode& mirrorNode) {
        Layer& layer = *design_.layers[node.member("number").integer(0, kInt16Max - 1)];
        Layer& twin = *design_.layers[layerRef(mirrorNode)];
        auto unpaired = [](const Layer& l, const Layer& other) {
            return l.mirror == l.number || l.mirror == other.number;
        };
        if (!unpaired(layer, twin) || !unpaired(twin, layer)) {
            mirrorNode.fail("layers \"" + layer.name + "\" and \"" + twin.name +
                            "\" already mirror other layers");
        }
        layer.mirror = twin.number;
        twin.mirror = layer.number;
    }

    void readGeometries(const JsonNode& list) {
        std::vector<JsonNode> nodes = list.elements();
        for (const JsonNode& node : nodes) {
            node.expectObject({"number", "name", "type", "thickness", "hole", "file", "data"});
            Geometry geometry;
            geometry.number = static_cast<int16_t>(node.member("number").integer(1, kInt16Max));
            geometry.name = node.member("name").text();
            if (design_.geometries.contains(geometry.number)) {
                node.member("number").fail("geometry number " + std::to_string(geometry.number) +
                                           " is used twice");
            }
            if (geometryNumbers_.contains(geometry.name)) {
                node.member("name").fail("geometry name \"" + geometry.name + "\" is used twice");
            }
            geometry.blockType = codeNamed(node.member("type"), blockTypeNames(), "block type");
            geometry.thickness = node.sizeOr("thickness", 0);
            if (auto hole = node.optionalMember("hole")) {
                hole->expectObject({"size", "plated"});
                geometry.hole = {hole->member("size").size(), hole->booleanOr("plated", true)};
            }
            if (auto file = node.optionalMember("file")) {
                if (geometry.blockType != block_type::Flatten) {
                    file->fail("only flatten geometries belong to a file");
                }
                geometry.flattenFile = static_cast<int32_t>(file->integer(1, kInt32Max));
                flattenFileNodes_.emplace(geometry.number, *file);
            } else if (geometry.blockType == block_type::Flatten) {
                node.fail("missing member \"file\" of a flatten geometry");
            }
            geometryNumbers_.emplace(geometry.name, geometry.number);
            geometryNodes_.emplace(geometry.number, node);
            design_.geometries.emplace(geometry.number, std::move(geometry));
        }
        for (std::size_t position = 0; position < nodes.size(); ++position) {
            const JsonNode& node = nodes[position];
            Geometry& geometry =
                design_.geometries.at(static_cast<int16_t>(node.member("number").integer(1, kInt16Max)));
            if (auto data = node.optionalMember("data")) {
                readData(*data, position, geometry);
            }
        }
        checkNesting(nodes);
    }

    // The tree holds the data list empty (it fails unless an array); its items are in the store,
    // under the geometry's position in the file. They are read on the worker pool, each into its
    // slot: a board's hundreds of thousands of items were most of loading it. Reading an item only
    // reads the design, and the first item in file order that fails is the one reported.
    void readData(const JsonNode& data, std::size_t stored, Geometry& geometry) {
        data.elements();
        geometry.data.resize(items_.count(stored));
        workerPool().run(geometry.data.size(), [&](std::size_t position) {
            const Json item = items_.item(stored, position);
            geometry.data[position] = dataItem(JsonNode(item, data.elementPath(position)), geometry);
        });
    }

    // Placements that run in a circle would have no end, and very deep nesting would exhaust the
    // stack of every walk through the design.
    void checkNesting(const std::vector<JsonNode>& nodes) {
        std::map<int16_t, int> depths;
        for (const JsonNode& node : nodes) {
            auto number = static_cast<int16_t>(node.member("number").integer(1, kInt16Max));
            const int depth = depthOf(number, 1, depths);
            if (depth == kInCircle) {
                node.fail("placements starting at geometry \"" + design_.geometries.at(number).name +
                          "\" run in a circle");
            }
            if (depth > kMaxNesting) {
                node.fail("geometry \"" + design_.geometries.at(number).name + "\" nests deeper than " +
                          std::to_string(kMaxNesting) + " levels");
            }
        }
    }

    static constexpr int kMaxNesting = 64;
    static constexpr int kInCircle = -1;

    // Levels of blocks from this one down to its deepest placement; kInCircle when the placements
    // below it return to a block being measured. Stops measuring below kMaxNesting.
    int depthOf(int16_t number, int level, std::map<int16_t, int>& depths) const {
        if (level > kMaxNesting) {
            return level;
        }
        auto [entry, fresh] = depths.try_emplace(number, kInCircle);
        if (!fresh) {
            return entry->second;
        }
        int depth = 1;
        for (const DataItem& item : design_.geometries.at(number).data) {
            if (const auto* insert = std::get_if<Insert>(&item)) {
                const int below = depthOf(insert->geometry, level + 1, depths);
                if (below == kInCircle) {
                    return kInCircle;
                }
                depth = std::max(depth, below + 1);
            }
        }
        entry->second = depth;
        return depth;
    }

    DataItem dataItem(const JsonNode& node, const Geometry& owner) {
        constexpr std::array kinds{"insert", "pad", "line", "arc", "circle", "polygon", "mark"};
        const char* kind = nullptr;
        for (const char* candidate : kinds) {
            if (node.has(candidate)) {
                if (kind) {
                    node.fail("an item is either \"" + std::string(kind) + "\" or \"" + candidate + "\"");
                }
                kind = candidate;
            }
        }
        if (!kind) {
            node.fail("expected an item: insert, pad, line, arc, circle, polygon or mark");
        }
        if (std::string_view(kind) == "insert") {
            if (owner.blockType == block_type::Flatten) {
                node.fail("flatten geometries hold no inserts");
            }
            return insert(node);
        }
        return graphic(node, kind, owner);
    }

    Insert insert(const JsonNode& node) {
        node.expectObject({"insert", "geometry", "at", "rotation", "mirror", "scale", "ref", "net", "pinNets",
                           "attributes"});
        Insert result;
        result.insertType = codeNamed(node.member("insert"), insertTypeNames(), "insert type");
        result.geometry = geometryRef(node.member("geometry"));
        if (design_.geometries.at(result.geometry).blockType == block_type::Flatten) {
            node.member("geometry").fail("flatten geometries cannot be placed");
        }
        if (auto at = node.optionalMember("at")) {
            result.at = at->point();
        }
        result.rotation = node.numberOr("rotation", 0);
        result.mirror = node.booleanOr("mirror", false);
        result.scale = scaleOf(node);
        result.refName = node.textOr("ref", "");
        result.net = node.textOr("net", "");
        if (auto pinNets = node.optionalMember("pinNets")) {
            for (const auto& [pin, net] : pinNets->members()) {
                result.pinNets.emplace(pin, net.text());
            }
        }
        result.attributes = attributes(node.optionalMember("attributes"));
        return result;
    }

    Graphic graphic(const JsonNode& node, std::string_view kind, const Geometry& owner) {
        Graphic result;
        if (kind == "pad") {
            node.expectObject({"pad", "at", "size", "inner", "rotation", "spokes", "spokeWidth", "outline",
                               "corners", "layer", "class", "net", "attributes", "origin"});
            result.shape = pad(node);
        } else if (kind == "line") {
            node.expectObject({"line", "width", "layer", "class", "net", "attributes", "origin"});
            Ring ends = node.member("line").ring(2);
            if (ends.size() != 2) {
                node.member("line").fail("a line has two points");
            }
            result.shape = Line{ends[0], ends[1], node.sizeOr("width", 0)};
        } else if (kind == "arc") {
            node.expectObject({"arc", "radius", "start", "sweep", "width", "layer", "class", "net",
                               "attributes", "origin"});
            result.shape =
                Arc{node.member("arc").point(), node.member("radius").size(), node.numberOr("start", 0),
                    node.member("sweep").number(), node.sizeOr("width", 0)};
        } else if (kind == "circle") {
            node.expectObject({"circle", "radius", "width", "layer", "class", "net", "attributes", "origin"});
            result.shape =
                Circle{node.member("circle").point(), node.member("radius").size(), node.sizeOr("width", 0)};
        } else if (kind == "polygon") {
            node.expectObject({"polygon", "holes", "layer", "class", "net", "attributes", "origin"});
            Polygon polygon{node.member("polygon").ring(3), {}};
            if (auto holes = node.optionalMember("holes")) {
                const std::vector<JsonNode> rings = holes->elements();
                polygon.holes.reserve(rings.size());
                for (const JsonNode& hole : rings) {
                    polygon.holes.push_back(hole.ring(3));
                }
            }
            result.shape = std::move(polygon);
        } else {
            node.expectObject({"mark", "layer", "class", "net", "attributes", "origin"});
            result.shape = Mark{node.member("mark").point()};
        }
        result.layer = layerRef(node.member("layer"));
        if (auto graphicClass = node.optionalMember("class")) {
            result.graphicClass = codeNamed(*graphicClass, graphicClassNames(), "graphic class");
        }
        result.net = node.textOr("net", "");
        result.attributes = attributes(node.optionalMember("attributes"));
        if (auto origin = node.optionalMember("origin")) {
            if (owner.blockType != block_type::Flatten) {
                origin->fail("only items of flatten geometries have an origin");
            }
            readOrigin(*origin, result);
        }
        return result;
    }

    Pad pad(const JsonNode& node) {
        Pad result;
        result.shape = codeNamed(node.member("pad"), padShapeNames(), "pad shape");
        if (auto at = node.optionalMember("at")) {
            result.at = at->point();
        }
        if (result.shape == pad_shape::Complex) {
            result.complex = ComplexShape{.outline = node.member("outline").ring(3)};
        } else if (node.has("outline")) {
            node.member("outline").fail("only complex pads have an outline");
        }
        if (auto corners = node.optionalMember("corners")) {
            std::vector<double> radii = cornerRadii(*corners, result); // refuses all but complex pads
            result.complex->cornerRadii = std::move(radii);
        }
        if (auto size = node.optionalMember("size")) {
            if (size->json().is_array()) {
                std::vector<JsonNode> both = size->elements();
                if (both.size() != 2) {
                    size->fail("expected a size or [width, height]");
                }
                result.sizeX = both[0].size();
                result.sizeY = both[1].size();
            } else {
                result.sizeX = result.sizeY = size->size();
            }
        } else if (result.shape != pad_shape::Complex && result.shape != pad_shape::Blank) {
            node.fail("missing member \"size\"");
        }
        const double inner = node.sizeOr("inner", 0);
        result.rotation = node.numberOr("rotation", 0);
        result.spokes = int16Member(node, "spokes", 0);
        result.ring = padRing(inner, node.sizeOr("spokeWidth", 0));
        return result;
    }

    // One radius for each point of a complex pad's outline.
    static std::vector<double> cornerRadii(const JsonNode& node, const Pad& pad) {
        if (pad.shape != pad_shape::Complex) {
            node.fail("only complex pads have corner radii");
        }
        std::vector<double> radii;
        for (const JsonNode& radius : node.elements()) {
            radii.push_back(radius.size());
        }
        if (const std::optional<std::string> problem = cornerRadiusProblem(outlineOf(pad), radii)) {
            node.fail("the outline " + *problem);
        }
        return radii;
    }

    // The file's path runs down to the item itself, unless the item is the mark of its insert.
    void readOrigin(const JsonNode& node, Graphic& graphic) {
        node.expectObject({"component", "pin", "insert", "surface", "path"});
        FlatOrigin origin;
        origin.component = node.textOr("component", "");
        origin.pin = node.textOr("pin", "");
        if (auto type = node.optionalMember("insert")) {
            origin.insertType = codeNamed(*type, insertTypeNames(), "insert type");
        }
        const std::string side = node.textOr("surface", "top");
        if (side != "top" && side != "bottom") {
            node.member("surface").fail("expected \"top\" or \"bottom\"");
        }
        origin.surface = side == "top" ? surface::Top : surface::Bottom;
        std::vector<int32_t> path;
        if (auto positions = node.optionalMember("path")) {
            for (const JsonNode& position : positions->elements()) {
                path.push_back(static_cast<int32_t>(position.integer(0, kInt32Max)));
            }
        }
        if (!std::holds_alternative<Mark>(graphic.shape) && !path.empty()) {
            graphic.sourcePosition = path.back();
            path.pop_back();
        }
        origin.insertPath = InsertPath(path);
        graphic.origin = std::move(origin);
    }

    void readFiles(const JsonNode& list) {
        for (const JsonNode& node : list.elements()) {
            node.expectObject(
                {"number", "name", "show", "geometry", "display", "at", "rotation", "mirror", "scale"});
            File file;
            file.number = static_cast<int32_t>(node.member("number").integer(1, kInt32Max));
            if (std::ranges::find(design_.files, file.number, &File::number) != design_.files.end()) {
                node.member("number").fail("file number " + std::to_string(file.number) + " is used twice");
            }
            file.name = node.member("name").text();
            file.show = node.booleanOr("show", true);
            file.geometry = geometryRef(node.member("geometry"));
            if (design_.geometries.at(file.geometry).blockType == block_type::Flatten) {
                node.member("geometry").fail("a file's own block cannot be a flatten geometry");
            }
            if (auto display = node.optionalMember("display")) {
                file.shownGeometry = geometryRef(*display);
            }
            if (auto at = node.optionalMember("at")) {
                file.at = at->point();
            }
            file.rotation = node.numberOr("rotation", 0);
            file.mirror = node.booleanOr("mirror", false);
            file.scale = scaleOf(node);
            design_.files.push_back(std::move(file));
        }
    }

    // Blocks placed in blocks multiply: the limits hold for the design with every insert expanded.
    void checkPlacements(const JsonNode& root) const {
        std::optional<PlacementProblem> problem = findPlacementProblem(design_, limits_);
        if (!problem) {
            return;
        }
        if (problem->file) {
            const auto files = root.member("files").elements();
            const auto at =
                std::ranges::find(design_.files, *problem->file, &File::number) - design_.files.begin();
            files[static_cast<std::size_t>(at)].fail(problem->text);
        }
        failAt(geometryNodes_.at(problem->geometry).member("data").elementPath(problem->item), problem->text);
    }

    void checkFlattenFiles() const {
        for (const auto& [number, node] : flattenFileNodes_) {
            const int32_t file = design_.geometries.at(number).flattenFile;
            if (std::ranges::find(design_.files, file, &File::number) == design_.files.end()) {
                node.fail("unknown file " + std::to_string(file));
            }
        }
    }

    void readDrcs(const JsonNode& list) {
        for (const JsonNode& node : list.elements()) {
            DrcMarker marker = markerFromJson(node);
            if (std::ranges::find(design_.files, marker.file, &File::number) == design_.files.end()) {
                node.member("file").fail("unknown file " + std::to_string(marker.file));
            }
            design_.drcs.push_back(std::move(marker));
        }
    }

    AttributeList attributes(const std::optional<JsonNode>& node) {
        AttributeList result;
        if (node) {
            for (const auto& [keyword, value] : node->members()) {
                if (keyword.empty()) {
                    node->fail("attribute keywords cannot be empty");
                }
                result.set(keyword, value.textOrNumber());
            }
        }
        return result;
    }

    int16_t layerRef(const JsonNode& node) const {
        const std::string name = node.text();
        const Layer* layer = design_.findLayer(name);
        if (!layer) {
            node.fail("unknown layer \"" + name + "\"");
        }
        return layer->number;
    }

    int16_t geometryRef(const JsonNode& node) const {
        const std::string name = node.text();
        auto found = geometryNumbers_.find(name);
        if (found == geometryNumbers_.end()) {
            node.fail("unknown geometry \"" + name + "\"");
        }
        return found->second;
    }

    // The keyword table lists every keyword the document uses.
    void registerUsedKeywords() {
        auto registerAll = [this](const AttributeList& list) {
            for (const Attribute& attribute : list) {
                design_.keywordNumber(attribute.keyword);
            }
        };
        for (const auto& slot : design_.layers) {
            if (slot) {
                registerAll(slot->attributes);
            }
        }
        for (const auto& [number, geometry] : design_.geometries) {
            for (const DataItem& item : geometry.data) {
                std::visit([&](const auto& x) { registerAll(x.attributes); }, item);
            }
        }
    }

    const PlacementLimits& limits_;
    const DataItemStore& items_;
    Design design_;
    std::map<std::string, int16_t> geometryNumbers_;
    std::map<int16_t, JsonNode> geometryNodes_;
    std::map<int16_t, JsonNode> flattenFileNodes_;
};

std::string withoutPrefix(std::string message, std::string_view upTo) {
    if (auto start = message.find(upTo); start != std::string::npos) {
        message.erase(0, start + upTo.size());
    }
    return message;
}

std::string syntaxError(const nlohmann::json::parse_error& error, std::string_view text) {
    const std::size_t byte = std::min<std::size_t>(error.byte, text.size() + 1);
    std::string message = withoutPrefix(error.what(), "] ");
    if (message.starts_with("parse error at line")) {
        message = withoutPrefix(message, ": ");
    }
    return "syntax error at " + textPosition(text, byte > 0 ? byte - 1 : 0) + ": " + message;
}

// The depth check and the scan for the items' texts each read the whole text: side by side on the
// pool for a large one; a small one is not worth handing over.
struct TextScan {
    std::optional<std::size_t> deep;
    std::optional<ItemTexts> texts;
};

TextScan scanText(std::string_view text) {
    constexpr std::size_t kSideBySideFrom = std::size_t{1} << 20;
    TextScan scan;
    if (text.size() < kSideBySideFrom) {
        scan.deep = firstTooDeep(text);
        scan.texts = scan.deep ? std::nullopt : findItemTexts(text);
        return scan;
    }
    const WithoutEvents noEvents; // no window may act on a design still being read
    workerPool().runEach(2, [&](std::size_t step) {
        if (step == 0) {
            scan.deep = firstTooDeep(text);
        } else {
            scan.texts = findItemTexts(text);
        }
    });
    return scan;
}

DesignTree parseTree(std::string_view text) {
    const auto [deep, texts] = scanText(text);
    if (deep) {
        throw DesignFormatError(tooDeepMessage(text, *deep));
    }
    try {
        return parseDesignTree(text, texts);
    } catch (const nlohmann::json::parse_error& error) {
        throw DesignFormatError(syntaxError(error, text));
    } catch (const nlohmann::json::exception& error) {
        throw DesignFormatError("syntax error: " + withoutPrefix(error.what(), "] "));
    }
}

Design readTree(const DesignTree& tree, const PlacementLimits& limits) {
    // The items are read on the worker pool; a window acting meanwhile would meet no design yet.
    const WithoutEvents noEvents;
    try {
        return Reader(limits, tree.items).read(JsonNode(tree.root, ""));
    } catch (const nlohmann::json::exception& error) {
        throw DesignFormatError(std::string("unreadable design: ") + error.what());
    }
}

} // namespace

Design parseDesign(std::string_view text, const PlacementLimits& limits) {
    return readTree(parseTree(text), limits);
}

Design loadDesign(const std::filesystem::path& path) {
    std::string text = readFileText(path);
    try {
        DesignTree tree = parseTree(text);
        text = std::string(); // the text is not needed to read the tree
        return readTree(tree, {});
    } catch (const DesignFormatError& error) {
        throw DesignFormatError(path.string() + ": " + error.what());
    }
}

} // namespace lumora::engine
