#include "engine/io/kicad/KicadBoard.h"

#include "engine/io/DesignFile.h"
#include "engine/io/DesignValues.h"
#include "engine/io/FileText.h"
#include "engine/io/PlacementBudget.h"
#include "engine/io/kicad/KicadFootprints.h"

#include <map>
#include <ranges>

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

PadMargins boardMargins(const sexpr::Expr& root) {
    const std::optional<sexpr::Expr> setup = root.find("setup");
    if (!setup) {
        return {};
    }
    return {setup->numberOf("pad_to_mask_clearance", 0), setup->numberOf("pad_to_paste_clearance", 0),
            setup->numberOf("pad_to_paste_clearance_ratio", 0)};
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
                                          .margins = boardMargins(root)} {
        board_.blockType = block_type::Board;
        board_.thickness = boardThickness(root);
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
    Geometry takeBoard() { return std::move(board_); }
    // What the file lacked that checks would need, for the user before the run.
    std::vector<std::string> notes() const {
        if (unfilled_.empty()) {
            return {};
        }
        std::string zones;
        for (const std::string& zone : unfilled_) {
            zones += (zones.empty() ? "" : ", ") + zone;
        }
        return {"zones without fill, so their copper is not checked (fill all zones in KiCad and save): " +
                zones};
    }

  private:
    void net(const sexpr::Expr& item) { nets_.add(item); }

    void footprint(const sexpr::Expr& item) {
        PlacedFootprint placed = readFootprint(item, footprints_);
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
                                         .net = nets_.nameOf(item)});
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
                      .net = nets_.nameOf(item)};
        insert.attributes.set("VIA_TYPE", item.hasAtom("blind")   ? "blind"
                                          : item.hasAtom("micro") ? "micro"
                                                                  : "through");
        board_.data.emplace_back(std::move(insert));
        ++counts_.vias;
    }

    // Only what a zone was filled with is copper; its outline and keep-out areas are not.
    void zone(const sexpr::Expr& item) {
        const std::string_view netName = item.textOf("net_name");
        const std::string net = netName.empty() ? nets_.nameOf(item) : std::string(netName);
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
                    .net = net});
            }
        }
        noteUnfilled(item, net);
        ++counts_.zones;
    }

    // A zone KiCad never filled holds no copper here, so that its net's clearances and connections
    // would pass unchecked without a word; keep-out areas hold none anyway.
    void noteUnfilled(const sexpr::Expr& item, std::string_view net) {
        if (item.find("keepout") || item.find("filled_polygon")) {
            return;
        }
        std::string layers;
        if (const auto several = item.find("layers")) {
            for (const sexpr::Expr& name : several->children() | std::views::drop(1)) {
                if (!name.isList()) {
                    layers += (layers.empty() ? "" : " ") + std::string(name.text());
                }
            }
        } else {
            layers = item.textOf("layer");
        }
        unfilled_.push_back((net.empty() ? std::string("no net") : "net " + std::string(net)) + " on " +
                            layers);
    }

    void drawing(const sexpr::Expr& item) {
        const std::optional<int16_t> layer = layers_.find(item.textOf("layer"));
        if (!layer) {
            return;
        }
        const int16_t graphicClass = *layer == layers_.outline() ? graphic_class::BoardOutline
                                     : layers_.isCopper(*layer)  ? graphic_class::Etch
                                                                 : graphic_class::Normal;
        for (Shape& shape : drawingShapes(item, board_frame_)) {
            board_.data.emplace_back(
                Graphic{.shape = std::move(shape), .layer = *layer, .graphicClass = graphicClass});
        }
    }

    LayerMap layers_;
    NetNames nets_;
    PadstackLibrary padstacks_;
    FootprintContext footprints_;
    Frame board_frame_{};
    Geometry board_{};
    BoardCounts counts_{};
    std::vector<std::string> unfilled_; // "net GND on F.Cu" for each zone without fill
};

// Every attribute keyword the inserts use, in the keyword table.
void declareKeywords(Design& design, const Geometry& board) {
    design.keywordNumber("PACKAGE_FAMILY");
    design.keywordNumber("COMPHEIGHT", keyword_type::UnitDouble);
    design.keywordNumber("TEST", keyword_type::Flag);
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
    const std::string baseName = std::filesystem::path(fileName).filename().string();
    BoardImport result;
    Design& design = result.design;
    design.name = designName(root, baseName);
    design.pageUnits = page_units::Millimetres;
    BoardReader reader(root, design, roles);
    reader.read(root);
    result.counts = reader.finish(std::filesystem::path(fileName).stem().string());
    result.notes = reader.notes();
    Geometry board = reader.takeBoard();
    declareKeywords(design, board);
    const int16_t boardNumber = design.addGeometry(std::move(board));
    design.files = {File{.number = 1, .name = baseName, .geometry = boardNumber}};
    refuseBeyondLimits(design, fileName);
    return result;
}

BoardImport loadKicadBoard(const std::filesystem::path& path) {
    std::optional<std::string> text = readFileText(path);
    if (!text) {
        throw DesignFormatError(sexpr::concat({"cannot open design file \"", path.string(), "\""}));
    }
    return readKicadBoard(std::move(*text), path.string(), roleRulesBeside(path));
}

} // namespace lumora::engine::kicad
