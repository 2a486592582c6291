#include "engine/io/kicad/KicadBoard.h"

#include "engine/io/DesignFile.h"
#include "engine/io/DesignValues.h"
#include "engine/io/FileText.h"
#include "engine/io/PlacementBudget.h"
#include "engine/io/kicad/KicadFootprints.h"
#include "engine/io/kicad/KicadIdentity.h"
#include "engine/model/NumberText.h"
#include "engine/model/Refusal.h"
#include "files/Utf8.h"

#include <map>
#include <set>

namespace lumora::engine::kicad {

namespace {

constexpr std::string_view kBoardHead = "kicad_pcb";

// The stack-up's layers added up; the general thickness where the file has no stack-up.
double boardThickness(const sexpr::Expr& root) {
    double total = 0;
    if (const std::optional<sexpr::Expr> setup = root.find("setup")) {
        if (const std::optional<sexpr::Expr> stackup = setup->find("stackup")) {
            for (const sexpr::Expr& layer : stackup->findAll("layer")) {
                for (const sexpr::Expr& thickness : layer.findAll("thickness")) {
                    total += thickness.number(1);
                }
            }
        }
    }
    if (total > 0) {
        return total;
    }
    const std::optional<sexpr::Expr> general = root.find("general");
    return general ? general->sizeOf("thickness", 0) : 0;
}

// How far KiCad lets a zone's fill stray from the shape it stands for (its arcs are chords, its
// clearances rounded): the board's (max_error ...), else KiCad's default.
constexpr double kKicadMaxError = 0.005;

double maxError(const sexpr::Expr& root) {
    const std::optional<sexpr::Expr> setup = root.find("setup");
    return setup ? setup->sizeOf("max_error", kKicadMaxError) : kKicadMaxError;
}

PadMargins boardMargins(const sexpr::Expr& root) {
    const std::optional<sexpr::Expr> setup = root.find("setup");
    if (!setup) {
        return {};
    }
    return {setup->numberOf("pad_to_mask_clearance", 0), setup->numberOf("pad_to_paste_clearance", 0),
            setup->numberOf("pad_to_paste_clearance_ratio", 0)};
}

// KORVEN numbers geometries with 16 bits, and every footprint and every distinct pad takes one: a
// board beyond that is refused where it first does not fit, not after it has been read.
template <typename Read> auto withinGeometryNumbers(const sexpr::Expr& item, Read read) {
    try {
        return read();
    } catch (const Refusal& refusal) {
        item.fail(
            sexpr::concat({refusal.what(), ": the board has more footprints and distinct pads than that"}));
    }
}

class BoardReader {
  public:
    BoardReader(const sexpr::Expr& root, Design& design, const RoleRules& roles)
        : layers_(root.require("layers"), design),
          padstacks_(design), footprints_{.design = design,
                                          .layers = layers_,
                                          .nets = nets_,
                                          .padstacks = padstacks_,
                                          .roles = roles,
                                          .roleTally = RoleTally(roles),
                                          .margins = boardMargins(root)} {
        board_.blockType = block_type::Board;
        board_.thickness = boardThickness(root);
        fillAttributes_.set(keyword::MaxError, formatNumber(maxError(root)));
        counts_.copperLayers = layers_.copperCount();
    }

    void read(const sexpr::Expr& root) {
        using Handler = void (BoardReader::*)(const sexpr::Expr&);
        static const std::map<std::string_view, Handler> kHandlers{
            {"net", &BoardReader::net},          {"footprint", &BoardReader::footprint},
            {"module", &BoardReader::footprint}, {"segment", &BoardReader::segment},
            {"arc", &BoardReader::trackArc},     {"via", &BoardReader::via},
            {"zone", &BoardReader::zone},
        };
        root.forEachList([&](const sexpr::Expr& item) {
            if (const auto handler = kHandlers.find(item.head()); handler != kHandlers.end()) {
                (this->*handler->second)(item);
            } else if (item.head().starts_with("gr_")) {
                drawing(item);
            }
        });
    }

    BoardCounts finish(std::string name) {
        counts_.nets = nets_.count();
        board_.name = std::move(name);
        return counts_;
    }
    std::string rolesNote(const std::string& rolesFile) const {
        return footprints_.roleTally.note(rolesFile);
    }

    // "2 zones on B.Cu, F.Cu have no fill: ...", or nothing when every zone is filled.
    std::optional<std::string> unfilledZonesNote() const {
        if (unfilledZones_ == 0) {
            return std::nullopt;
        }
        std::string names;
        for (const std::string& layer : unfilledLayers_) {
            names += (names.empty() ? "" : ", ") + layer;
        }
        const bool one = unfilledZones_ == 1;
        return sexpr::concat({std::to_string(unfilledZones_), one ? " zone on " : " zones on ", names,
                              one ? " has" : " have", " no fill: fill the zones in KiCad before checking"});
    }
    Geometry takeBoard() { return std::move(board_); }

  private:
    void net(const sexpr::Expr& item) { nets_.add(item); }

    // A footprint past the last geometry number is refused where it stands.
    void footprint(const sexpr::Expr& item) {
        PlacedFootprint placed =
            withinGeometryNumbers(item, [&] { return readFootprint(item, footprints_); });
        board_.data.emplace_back(std::move(placed.insert));
        for (Graphic& edge : placed.edges) {
            board_.data.emplace_back(std::move(edge));
        }
        ++counts_.footprints;
        counts_.pads += placed.pads;
    }

    int16_t copperLayer(const sexpr::Expr& item) const {
        const std::string_view name = item.require("layer").at(1).text();
        const std::optional<int16_t> layer = layers_.find(name);
        if (!layer || !layers_.isCopper(*layer)) {
            item.fail(sexpr::concat(
                {"(", item.head(), " ...) is on \"", name, "\", which is not a copper layer of the board"}));
        }
        return *layer;
    }

    void etch(const sexpr::Expr& item, Shape shape) {
        board_.data.emplace_back(Graphic{.shape = std::move(shape),
                                         .layer = copperLayer(item),
                                         .graphicClass = graphic_class::Etch,
                                         .net = nets_.nameOf(item),
                                         .attributes = withSourceId({}, sourceIdOf(item))});
    }

    void segment(const sexpr::Expr& item) {
        etch(item, Line{board_frame_.point(item.require("start")), board_frame_.point(item.require("end")),
                        item.sizeOf("width", 0)});
        ++counts_.segments;
    }

    void trackArc(const sexpr::Expr& item) {
        const Point start = board_frame_.point(item.require("start"));
        const Point end = board_frame_.point(item.require("end"));
        const double width = item.sizeOf("width", 0);
        const std::optional<Arc> arc = arcThrough(start, board_frame_.point(item.require("mid")), end, width);
        etch(item, arc ? Shape{*arc} : Shape{Line{start, end, width}});
        ++counts_.arcs;
    }

    void via(const sexpr::Expr& item) {
        Insert insert{.insertType = insert_type::Via,
                      .geometry = padstacks_.add(viaPadstack(item, layers_), "VIA"),
                      .at = board_frame_.point(item.require("at")),
                      .net = nets_.nameOf(item),
                      .attributes = withSourceId({}, sourceIdOf(item))};
        insert.attributes.set("VIA_TYPE", item.hasAtom("blind")   ? "blind"
                                          : item.hasAtom("micro") ? "micro"
                                                                  : "through");
        board_.data.emplace_back(std::move(insert));
        ++counts_.vias;
    }

    // A copper zone KiCad has not filled holds no copper in the file: the board would be checked as if
    // it had no plane there. KiCad writes (fill yes ...) once a zone is filled.
    void noteUnfilled(const sexpr::Expr& item) {
        const std::optional<sexpr::Expr> fill = item.find("fill");
        if (item.find("keepout") || (fill && fill->hasAtom("yes")) || item.find("filled_polygon")) {
            return;
        }
        std::vector<std::string_view> names;
        if (const std::optional<sexpr::Expr> list = item.find("layers")) {
            for (std::size_t i = 1; i < list->size(); ++i) {
                names.push_back(list->at(i).text());
            }
        } else {
            names.push_back(item.textOf("layer"));
        }
        bool onCopper = false;
        for (std::string_view name : names) {
            const std::optional<int16_t> layer = layers_.find(name);
            if (layer && layers_.isCopper(*layer)) {
                unfilledLayers_.insert(std::string(name));
                onCopper = true;
            }
        }
        unfilledZones_ += onCopper ? 1 : 0;
    }

    // Only what a zone was filled with is copper; its outline and keep-out areas are not.
    void zone(const sexpr::Expr& item) {
        noteUnfilled(item);
        const std::string_view netName = item.textOf("net_name");
        const std::string net = netName.empty() || NetNames::isUnconnectedPadNet(netName)
                                    ? nets_.nameOf(item)
                                    : std::string(netName);
        const std::string_view zoneId = sourceIdOf(item);
        int filled = 0;
        for (const sexpr::Expr& fill : item.findAll("filled_polygon")) {
            const std::string_view layerName =
                fill.find("layer") ? fill.textOf("layer") : item.textOf("layer");
            const std::optional<int16_t> layer = layers_.find(layerName);
            if (!layer) {
                continue;
            }
            Ring outline = polygonPoints(fill.require("pts"), board_frame_);
            if (outline.size() >= 3) {
                board_.data.emplace_back(Graphic{
                    .shape = Polygon{std::move(outline), {}},
                    .layer = *layer,
                    .graphicClass = layers_.isCopper(*layer) ? graphic_class::Etch : graphic_class::Normal,
                    .net = net,
                    .attributes = withSourceId(fillAttributes_, partId(zoneId, ++filled))});
            }
        }
        ++counts_.zones;
    }

    void drawing(const sexpr::Expr& item) {
        const std::optional<int16_t> layer = layers_.find(item.textOf("layer"));
        if (!layer) {
            return;
        }
        const int16_t graphicClass = *layer == layers_.outline() ? graphic_class::BoardOutline
                                     : layers_.isCopper(*layer)  ? graphic_class::Etch
                                                                 : graphic_class::Normal;
        // Copper drawings are etch without a name: their identity tells them apart.
        const std::string_view id =
            graphicClass == graphic_class::Etch ? sourceIdOf(item) : std::string_view();
        std::vector<Shape> shapes = drawingShapes(item, board_frame_);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            board_.data.emplace_back(
                Graphic{.shape = std::move(shapes[i]),
                        .layer = *layer,
                        .graphicClass = graphicClass,
                        .attributes = withSourceId({}, shapes.size() > 1 ? partId(id, static_cast<int>(i) + 1)
                                                                         : std::string(id))});
        }
    }

    LayerMap layers_;
    NetNames nets_;
    PadstackLibrary padstacks_;
    FootprintContext footprints_;
    Frame board_frame_{};
    Geometry board_{};
    BoardCounts counts_{};
    AttributeList fillAttributes_; // every fill's: shared, one list for the board
    int unfilledZones_ = 0;
    std::set<std::string> unfilledLayers_;
};

// Every attribute keyword the inserts use, in the keyword table.
void declareKeywords(Design& design, const Geometry& board) {
    design.keywordNumber("PACKAGE_FAMILY");
    design.keywordNumber("COMPHEIGHT", keyword_type::UnitDouble);
    design.keywordNumber("TEST", keyword_type::Flag);
    design.keywordNumber(keyword::MaxError, keyword_type::UnitDouble);
    for (const DataItem& item : board.data) {
        if (const auto* insert = std::get_if<Insert>(&item)) {
            for (const Attribute& attribute : insert->attributes) {
                design.keywordNumber(attribute.keyword);
            }
        }
    }
}

std::string designName(const sexpr::Expr& root, const std::string& fileName) {
    const std::optional<sexpr::Expr> titleBlock = root.find("title_block");
    const std::string_view title = titleBlock ? titleBlock->textOf("title") : std::string_view{};
    return title.empty() ? fileName : std::string(title);
}

// Who is at fault, in the user's words: a footprint (or via) by its reference, else its block.
std::string placedItemName(const Design& design, const PlacementProblem& problem) {
    const Geometry& geometry = design.geometry(problem.geometry);
    const auto* insert = std::get_if<Insert>(&geometry.data.at(problem.item));
    if (insert != nullptr && !insert->refName.empty()) {
        return sexpr::concat({"\"", insert->refName, "\" in \"", geometry.name, "\": "});
    }
    return sexpr::concat({"an item of \"", geometry.name, "\": "});
}

// The values and limits every design is read with (a native file beyond them is refused), so that
// what is imported can be saved and read back, and no check meets coordinates beyond double
// precision. Values come first: a position that is not a number has no reach.
void refuseBeyondLimits(const Design& design, const std::string& fileName) {
    if (const std::optional<std::string> problem = findValueProblem(design)) {
        throw DesignFormatError(sexpr::concat({fileName, ": ", *problem}));
    }
    const std::optional<PlacementProblem> problem = findPlacementProblem(design, PlacementLimits{});
    if (problem) {
        throw DesignFormatError(
            sexpr::concat({fileName, ": ", problem->file ? std::string() : placedItemName(design, *problem),
                           problem->text}));
    }
}

} // namespace

bool isKicadBoard(std::string_view text) {
    if (text.starts_with(sexpr::kByteOrderMark)) {
        text.remove_prefix(sexpr::kByteOrderMark.size());
    }
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && text[start] == '(' &&
           text.substr(start + 1).starts_with(kBoardHead);
}

BoardImport readKicadBoard(std::string text, const std::string& fileName, const RoleRules& roles) {
    const sexpr::Document document(std::move(text), fileName);
    const sexpr::Expr root(document, sexpr::Document::kRoot);
    if (root.head() != kBoardHead) {
        root.fail(sexpr::concat(
            {"not a KiCad board: the file starts with (", root.head(), " ...), not (kicad_pcb ...)"}));
    }
    // A file's name is bytes; the design holds text, as the native format does.
    const std::string baseName = files::validUtf8(std::filesystem::path(fileName).filename().string());
    BoardImport result;
    Design& design = result.design;
    design.name = designName(root, baseName);
    design.pageUnits = page_units::Millimetres;
    BoardReader reader(root, design, roles);
    reader.read(root);
    result.counts = reader.finish(files::validUtf8(std::filesystem::path(fileName).stem().string()));
    if (std::optional<std::string> note = reader.unfilledZonesNote()) {
        result.notes.push_back(std::move(*note));
    }
    result.notes.push_back(reader.rolesNote(rolesFileBeside(fileName).string()));
    Geometry board = reader.takeBoard();
    declareKeywords(design, board);
    const int16_t boardNumber =
        withinGeometryNumbers(root, [&] { return design.addGeometry(std::move(board)); });
    design.files = {File{.number = 1, .name = baseName, .geometry = boardNumber}};
    refuseBeyondLimits(design, fileName);
    return result;
}

BoardImport loadKicadBoard(const std::filesystem::path& path) {
    return readKicadBoard(readFileText(path), path.string(), roleRulesBeside(path));
}

} // namespace lumora::engine::kicad
