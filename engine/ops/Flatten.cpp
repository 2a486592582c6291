#include "engine/ops/Flatten.h"

#include "engine/geom/Transform.h"
#include "engine/model/GeometryItems.h"
#include "engine/model/Refusal.h"
#include "engine/ops/EmittedItems.h"
#include "engine/ops/InsertNames.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace lumora::engine {

namespace {

// What a block holds at any depth, to pass over inserts whose blocks cannot yield a selected item:
// each graphic as its layer, class and whether the inserts down to it mirror it (an odd number of
// mirrored inserts), and the types of the inserts.
struct BlockContents {
    struct Kind {
        int16_t layer;
        int16_t graphicClass;
        bool flipped;
        auto operator<=>(const Kind&) const = default;
    };
    const Geometry* block = nullptr; // a walk enters it without looking it up again
    std::set<Kind> graphics;
    std::set<int16_t> insertTypes;
    // Whether it holds a graphic the selection takes, placed as is and mirrored.
    std::array<bool, 2> holdsSelected{};
};

const AttributeList kNoAttributes;

// The selection's questions about a graphic's layer and class and an insert's type.
class SelectionRules {
  public:
    SelectionRules(const Design& design, const FlattenSelection& selection)
        : design_(design), selection_(selection) {}

    const FlattenSelection& selection() const { return selection_; }
    bool selectsInserts() const { return selection_.insertType.has_value(); }

    // Whether a graphic on this layer (where it lands) and of this class is selected.
    bool mayTake(int16_t layer, int16_t graphicClass, bool insideChosen) const {
        return (insideChosen || !selectsInserts()) && takes(layer, graphicClass);
    }

    // Whether a block placed mirrored or not holds a graphic of a layer and class the selection takes.
    bool holdsSelected(const BlockContents& contents, bool mirrored) const {
        return std::ranges::any_of(contents.graphics, [&](const BlockContents::Kind& kind) {
            return takes(placedLayer(kind.layer, mirrored != kind.flipped), kind.graphicClass);
        });
    }

    // Whether the insert or one inside its block has the selection's insert type.
    bool mayChoose(int16_t insertType, const BlockContents& contents) const {
        const int16_t type = *selection_.insertType;
        return type == insert_type::Any || insertType == type || contents.insertTypes.contains(type);
    }

    // Whether an insert of a block with these contents and of this type, mirrored or not once every
    // insert above it is counted, may lead to a selected item.
    bool mayEnter(const BlockContents& contents, bool mirrored, int16_t insertType, bool insideChosen) const {
        return contents.holdsSelected[mirrored ? 1 : 0] &&
               (insideChosen || !selectsInserts() || mayChoose(insertType, contents));
    }

    int16_t placedLayer(int16_t layer, bool mirrored) const {
        return mirrored ? design_.mirrorLayer(layer) : layer;
    }

  private:
    bool takes(int16_t layer, int16_t graphicClass) const {
        return (!selection_.graphicClass || graphicClass == *selection_.graphicClass) &&
               (selection_.layer < 0 || layer == selection_.layer);
    }

    const Design& design_;
    const FlattenSelection& selection_;
};

using MarkPath = std::vector<int32_t>; // an insert's path, compared with a walk's

// The board's own items a call reads lie apart in a block of hundreds of thousands: asked for a few
// items ahead, they are on their way while the items before them are placed, where the walk and
// the remake each waited for memory at every one.
constexpr std::size_t kItemsAhead = 8;

void prefetchItem(const Geometry& block, std::size_t position) {
    if (position < block.data.size()) {
        const auto* bytes = reinterpret_cast<const char*>(block.data.data() + position);
        __builtin_prefetch(bytes);
        __builtin_prefetch(bytes + sizeof(DataItem) - 1); // the alternative's index is at the end
    }
}

// The net of the innermost insert of a chain (outermost first) that has one: its own, or the net
// its component gives the pin.
std::string_view netOfInserts(std::span<const Insert* const> chain) {
    for (std::size_t i = chain.size(); i-- > 0;) {
        const Insert& insert = *chain[i];
        if (!insert.net.empty()) {
            return insert.net;
        }
        if (insert.insertType != insert_type::Pin) {
            continue;
        }
        for (std::size_t j = i; j-- > 0;) {
            auto found = chain[j]->pinNets.find(insert.refName.view());
            if (found != chain[j]->pinNets.end()) {
                return found->second;
            }
        }
    }
    return {};
}

// Where the items an insert chain (outermost first) places come from: insertType is that of the
// insert the selection chose them by, or of the innermost.
FlatOrigin originOf(std::span<const Insert* const> chain, InsertPath path, int16_t insertType,
                    bool mirrored) {
    FlatOrigin result;
    InsertNames names = namesFromInserts(chain);
    result.component = std::move(names.component);
    result.pin = std::move(names.pin);
    result.insertType = insertType;
    result.surface = mirrored ? surface::Bottom : surface::Top;
    result.insertPath = std::move(path);
    return result;
}

// A graphic of a block as a flatten geometry holds it, placed by the chain of inserts above it:
// its net, where it has none of its own, is the chain's.
Graphic placedGraphic(const Design& design, const Graphic& graphic, const Transform& transform,
                      std::span<const Insert* const> chain) {
    Graphic copy;
    copy.shape = transform.apply(graphic.shape);
    copy.layer = transform.mirrored() ? design.mirrorLayer(graphic.layer) : graphic.layer;
    copy.graphicClass = graphic.graphicClass;
    copy.net = graphic.net.empty() ? ShortText(netOfInserts(chain)) : graphic.net;
    return copy;
}

// What the parts of one call share, settled before they run and only read while they do.
struct FlattenPlan {
    std::unordered_map<int16_t, BlockContents> contents; // every block a walk may enter
    std::vector<uint32_t> positions;                     // the source's items that may yield one
    std::set<MarkPath> marked;                           // inserts whose points the target has
};

// Decides, on the caller's thread, which of the source's own items may yield a selected item: once
// for each kind of entry, reading an item's block only where its entry says it may.
class Planner {
  public:
    Planner(const Design& design, const SelectionRules& rules) : design_(design), rules_(rules) {}

    FlattenPlan plan(const BlockIndex& index, const Geometry& target) {
        std::vector<int8_t> kindYields(index.kinds, -1);
        EventSlices events;
        for (const BlockEntry& entry : index.entries) {
            events.tick();
            int8_t& yields = kindYields[entry.kind];
            if (yields < 0) {
                yields = mayYield(entry) ? 1 : 0;
            }
            if (yields != 0) {
                plan_.positions.push_back(entry.position);
            }
        }
        // Only insertion points are placed once per insert: other calls need not read a large target.
        if (rules_.selection().insertPointOnly) {
            plan_.marked = markedPaths(target);
        }
        return std::move(plan_);
    }

  private:
    bool mayYield(const BlockEntry& entry) {
        return entry.insert
                   ? !rules_.selection().topLevelOnly &&
                         rules_.mayEnter(contentsOf(entry.geometry), entry.mirror, entry.insertType, false)
                   : rules_.mayTake(entry.layer, entry.graphicClass, false);
    }

    const BlockContents& contentsOf(int16_t geomNum) {
        if (auto known = plan_.contents.find(geomNum); known != plan_.contents.end()) {
            return known->second;
        }
        BlockContents contents;
        contents.block = &design_.geometry(geomNum);
        for (const DataItem& item : contents.block->data) {
            if (const auto* graphic = std::get_if<Graphic>(&item)) {
                contents.graphics.insert({graphic->layer, graphic->graphicClass, false});
                continue;
            }
            const Insert& insert = std::get<Insert>(item);
            contents.insertTypes.insert(insert.insertType);
            const BlockContents& inner = contentsOf(insert.geometry);
            contents.insertTypes.insert(inner.insertTypes.begin(), inner.insertTypes.end());
            for (BlockContents::Kind kind : inner.graphics) {
                kind.flipped = kind.flipped != insert.mirror;
                contents.graphics.insert(kind);
            }
        }
        contents.holdsSelected = {rules_.holdsSelected(contents, false),
                                  rules_.holdsSelected(contents, true)};
        return plan_.contents.emplace(geomNum, std::move(contents)).first->second;
    }

    static std::set<MarkPath> markedPaths(const Geometry& target) {
        std::set<MarkPath> marked;
        forEachItem(target, [&](const DataItem& item) {
            const auto* graphic = std::get_if<Graphic>(&item);
            if (graphic && graphic->origin && std::holds_alternative<Mark>(graphic->shape)) {
                marked.insert({graphic->origin->insertPath.begin(), graphic->origin->insertPath.end()});
            }
        });
        return marked;
    }

    const Design& design_;
    const SelectionRules& rules_;
    FlattenPlan plan_;
};

// Walks some of the source's own items, and the blocks they place, for the selected items. Parts
// of one call run on several threads: a part only reads the design and the plan.
class Flattener {
  public:
    Flattener(const Design& design, const SelectionRules& rules, const FlattenPlan& plan,
              EmittedItems& emitted)
        : design_(design), rules_(rules), selection_(rules.selection()), plan_(plan), emitted_(emitted) {}

    void walkPart(const Geometry& source, std::span<const uint32_t> positions) {
        for (std::size_t k = 0; k < positions.size(); ++k) {
            if (k + kItemsAhead < positions.size()) {
                prefetchItem(source, positions[k + kItemsAhead]);
            }
            step(source, positions[k], Transform(), false);
        }
    }

  private:
    void walk(const Geometry& geometry, const Transform& transform, bool insideChosen) {
        for (std::size_t position = 0; position < geometry.data.size(); ++position) {
            step(geometry, position, transform, insideChosen);
        }
    }

    void step(const Geometry& geometry, std::size_t position, const Transform& transform, bool insideChosen) {
        path_.push_back(static_cast<int32_t>(position));
        if (const auto* graphic = std::get_if<Graphic>(&geometry.data[position])) {
            if (rules_.mayTake(placedLayer(*graphic, transform), graphic->graphicClass, insideChosen)) {
                emit(*graphic, transform);
            }
        } else if (!selection_.topLevelOnly) {
            visit(std::get<Insert>(geometry.data[position]), transform, insideChosen);
        }
        path_.pop_back();
    }

    void visit(const Insert& insert, const Transform& parent, bool insideChosen) {
        const BlockContents& contents = plan_.contents.at(insert.geometry);
        if (!rules_.mayEnter(contents, parent.mirrored() != insert.mirror, insert.insertType, insideChosen)) {
            return;
        }
        const Transform placed = Transform::of(insert).then(parent);
        const Geometry& child = *contents.block;
        chain_.push_back(&insert);
        chainOrigin_.reset();
        if (!insideChosen && rules_.selectsInserts() && chosen(insert, placed)) {
            chosenDepth_ = chain_.size() - 1;
            if (!selection_.insertPointOnly) {
                walk(child, placed, true);
            } else if (contents.holdsSelected[placed.mirrored() ? 1 : 0]) {
                emitMark(placed);
            }
            chosenDepth_.reset();
        } else {
            walk(child, placed, insideChosen);
        }
        chain_.pop_back();
        chainOrigin_.reset();
    }

    bool chosen(const Insert& insert, const Transform& placed) const {
        const int16_t type = *selection_.insertType;
        if (type != insert_type::Any && insert.insertType != type) {
            return false;
        }
        const int16_t side = placed.mirrored() ? surface::Bottom : surface::Top;
        if (selection_.surface != surface::Both && selection_.surface != side) {
            return false;
        }
        if (!selection_.condition) {
            return true;
        }
        const std::string& keyword = selection_.condition->keyword();
        if (sameKeyword(keyword, keyword::NetName)) {
            const std::string_view net = insertNet();
            return selection_.condition->matches(net.empty() ? std::nullopt : std::optional(net));
        }
        return selection_.condition->matches(insertAttribute(keyword));
    }

    // Nearest insert first, as an attribute of a pin's component also describes the pin.
    std::optional<std::string_view> insertAttribute(std::string_view keyword) const {
        for (auto level = chain_.rbegin(); level != chain_.rend(); ++level) {
            if (std::optional<std::string_view> value = (*level)->attributes.value(keyword)) {
                return value;
            }
        }
        return std::nullopt;
    }

    std::string_view insertNet() const { return netOfInserts(chain_); }

    // One origin for the items of the current insert chain: a pad's layers, a component's drawing,
    // the file's own items. Dropped whenever the chain changes.
    const SharedValue<FlatOrigin>& chainOrigin(const Transform& transform) {
        if (!chainOrigin_) {
            chainOrigin_ = origin(transform);
        }
        return chainOrigin_;
    }

    FlatOrigin origin(const Transform& transform) const {
        const Insert* source = chosenDepth_     ? chain_[*chosenDepth_]
                               : chain_.empty() ? nullptr
                                                : chain_.back();
        // path_ holds the chain's positions, then the item's own unless it is the chain's mark
        return originOf(chain_, InsertPath(std::span<const int32_t>(path_).first(chain_.size())),
                        source ? source->insertType : insert_type::Any, transform.mirrored());
    }

    // The lists merged, innermost first, for the last item: the items of one component (its pads
    // on every pin) merge equal lists, and share the one result. Equal, not only shared: the pins of
    // a component each have a list of their own, mostly alike, and a merge for each pin was a copy
    // of the component's list for every pin of the board.
    AttributeList mergedAttributes(const Graphic* graphic) {
        const AttributeList& own = graphic ? graphic->attributes : kNoAttributes;
        if (!sameSources(own)) {
            lastSources_.assign(1, own);
            for (auto level = chain_.rbegin(); level != chain_.rend(); ++level) {
                lastSources_.push_back((*level)->attributes);
            }
            lastMerged_ = AttributeList();
            for (const AttributeList& source : lastSources_) {
                lastMerged_.addMissing(source);
            }
        }
        return lastMerged_;
    }

    bool sameSources(const AttributeList& own) const {
        if (lastSources_.size() != chain_.size() + 1 || lastSources_.front() != own) {
            return false;
        }
        return std::equal(
            chain_.rbegin(), chain_.rend(), std::next(lastSources_.begin()),
            [](const Insert* insert, const AttributeList& source) { return insert->attributes == source; });
    }

    void emit(const Graphic& graphic, const Transform& transform) {
        Graphic copy = placedGraphic(design_, graphic, transform, chain_);
        copy.attributes = mergedAttributes(&graphic);
        copy.sourcePosition = path_.back();
        copy.origin = chainOrigin(transform);
        emitted_.add(std::move(copy));
    }

    void emitMark(const Transform& placed) {
        if (plan_.marked.contains(path_)) {
            return;
        }
        Graphic mark;
        mark.shape = Mark{placed.offset()};
        mark.layer = selection_.layer >= 0 ? selection_.layer : firstLayer();
        mark.net = insertNet();
        mark.attributes = mergedAttributes(nullptr);
        mark.origin = chainOrigin(placed);
        emitted_.add(std::move(mark));
    }

    int16_t placedLayer(const Graphic& graphic, const Transform& transform) const {
        return rules_.placedLayer(graphic.layer, transform.mirrored());
    }

    int16_t firstLayer() const {
        for (const auto& slot : design_.layers) {
            if (slot) {
                return slot->number;
            }
        }
        return 0;
    }

    const Design& design_;
    const SelectionRules& rules_;
    const FlattenSelection& selection_;
    const FlattenPlan& plan_;
    EmittedItems& emitted_;
    std::vector<const Insert*> chain_; // the inserts above the current item, outermost first
    std::vector<int32_t> path_;
    std::optional<std::size_t> chosenDepth_;
    SharedValue<FlatOrigin> chainOrigin_;
    std::vector<AttributeList> lastSources_; // an item's own list, then its inserts', innermost first
    AttributeList lastMerged_;
};

// The source's items that may yield one, walked in parts of about this many on the worker pool: a
// board's walk is most of a flatten call, and a run makes hundreds of calls.
constexpr std::size_t kPositionsPerPart = 128;

SharedItems flattenInParts(const Design& design, const SelectionRules& rules, const Geometry& source,
                           const BlockIndex& index, const Geometry& target) {
    const FlattenPlan plan = Planner(design, rules).plan(index, target);
    const std::size_t parts = (plan.positions.size() + kPositionsPerPart - 1) / kPositionsPerPart;
    std::vector<EmittedItems> emitted(parts);
    workerPool().runEach(parts, [&](std::size_t part) {
        const std::span<const uint32_t> all(plan.positions);
        const std::size_t first = part * kPositionsPerPart;
        Flattener(design, rules, plan, emitted[part])
            .walkPart(source, all.subspan(first, std::min(kPositionsPerPart, all.size() - first)));
    });
    return itemsInOrder(emitted);
}

// Makes a memo's items again from their sources: each source's graphic placed by the inserts down
// its path as the walk that first made it placed it, the items of one path sharing an origin.
// Sources come in the walk's order, so a new path mostly shares its start with the one before (a
// component's pins): only its rest is followed again.
class Remaker {
  public:
    Remaker(const Design& design, const Geometry& file) : design_(design), file_(file) {}

    Graphic remade(const ItemSource& source) {
        if (!origin_ || !(source.path == origin_->insertPath) || source.insertType != origin_->insertType) {
            follow(source.path);
            const bool mirrored = !levels_.empty() && levels_.back().placed.mirrored();
            origin_ = originOf(chain_, source.path, source.insertType, mirrored);
        }
        const Geometry& block = levels_.empty() ? file_ : *levels_.back().block;
        const auto& graphic = std::get<Graphic>(block.data.at(static_cast<std::size_t>(source.position)));
        Graphic copy =
            placedGraphic(design_, graphic, levels_.empty() ? Transform() : levels_.back().placed, chain_);
        copy.attributes = source.attributes;
        copy.sourcePosition = source.position;
        copy.origin = origin_;
        return copy;
    }

  private:
    struct Level {
        int32_t position;
        Transform placed;
        const Geometry* block;
    };

    void follow(const InsertPath& path) {
        std::size_t same = 0;
        while (same < levels_.size() && same < path.size() && levels_[same].position == path.begin()[same]) {
            ++same;
        }
        levels_.resize(same);
        chain_.resize(same);
        for (std::size_t depth = same; depth < path.size(); ++depth) {
            const Geometry& block = levels_.empty() ? file_ : *levels_.back().block;
            const int32_t position = path.begin()[depth];
            const auto& insert = std::get<Insert>(block.data.at(static_cast<std::size_t>(position)));
            const Transform parent = levels_.empty() ? Transform() : levels_.back().placed;
            levels_.push_back(
                {position, Transform::of(insert).then(parent), &design_.geometry(insert.geometry)});
            chain_.push_back(&insert);
        }
    }

    const Design& design_;
    const Geometry& file_;
    SharedValue<FlatOrigin> origin_;   // of the items made last
    std::vector<Level> levels_;        // the inserts of the path followed last, outermost first
    std::vector<const Insert*> chain_; // the same inserts, for their net
};

constexpr std::size_t kSourcesPerPart = 1024;

// The file's item a source's path starts at: the one a remake reads first.
void prefetchFirstItem(const Geometry& file, const ItemSource& source) {
    prefetchItem(file,
                 static_cast<std::size_t>(source.path.empty() ? source.position : source.path.begin()[0]));
}

// Made in place on the pool: the count is known, so no part gathers its items first.
SharedItems remadeInParts(const Design& design, const Geometry& file, std::span<const ItemSource> sources) {
    auto items = std::make_shared<ItemArray>(sources.size());
    workerPool().runEach((sources.size() + kSourcesPerPart - 1) / kSourcesPerPart, [&](std::size_t part) {
        Remaker remaker(design, file);
        const std::size_t end = std::min(sources.size(), (part + 1) * kSourcesPerPart);
        std::size_t next = part * kSourcesPerPart;
        try {
            for (; next < end; ++next) {
                if (next + kItemsAhead < end) {
                    prefetchFirstItem(file, sources[next + kItemsAhead]);
                }
                items->make(next, remaker.remade(sources[next]));
            }
        } catch (...) {
            for (; next < end; ++next) { // every place is made before the array goes
                items->make(next, Graphic{});
            }
            throw;
        }
    });
    return items;
}

void checkLayer(const Design& design, int16_t layer) {
    if (layer != kAllLayers) {
        design.layer(layer); // raises -8 or -14
    }
}

} // namespace

Geometry& flattenGeometry(Design& design, int16_t geomNum) {
    Geometry& geometry = design.geometry(geomNum);
    if (geometry.blockType != block_type::Flatten) {
        throw Refusal(rc::WrongType, "geometry " + std::to_string(geomNum) + " is not a flatten geometry");
    }
    return geometry;
}

int16_t createFlattenGeometry(Design& design, int32_t filePos) {
    design.file(filePos);
    Geometry geometry;
    geometry.blockType = block_type::Flatten;
    geometry.flattenFile = filePos;
    const int16_t number = design.addGeometry(std::move(geometry));
    design.geometry(number).name = "Flatten " + std::to_string(number);
    return number;
}

namespace {

// Page units in an inch, in the order of the page_units codes.
constexpr std::array kUnitsPerInch{1.0, 1000.0, 25.4, 1016.0, 2540000.0};

bool isUnitDouble(const Design& design, std::string_view keyword) {
    return std::ranges::any_of(design.keywords, [&](const Keyword& entry) {
        return entry.type == keyword_type::UnitDouble && sameKeyword(entry.name, keyword);
    });
}

// A number compared with a unit-double keyword (a height, a pitch) comes from a script's length,
// which KORVEN reads in inches; the attribute values are in page units.
FlattenSelection inPageUnits(const Design& design, FlattenSelection selection) {
    if (selection.condition && isUnitDouble(design, selection.condition->keyword())) {
        selection.condition =
            selection.condition->scaled(kUnitsPerInch.at(static_cast<std::size_t>(design.pageUnits)));
    }
    return selection;
}

FlattenSelection checkedInPageUnits(const Design& design, const FlattenSelection& given) {
    checkLayer(design, given.layer);
    if (given.surface < surface::Top || given.surface > surface::Both) {
        throw Refusal(rc::ValueOutOfRange, "unknown surface " + std::to_string(given.surface));
    }
    return inPageUnits(design, given);
}

// The selected items of the target's file, in the order of one walk of its block.
SharedItems flattenFile(const Design& design, const FlattenSelection& selection, const Geometry& target,
                        BlockIndexes& blocks) {
    const int16_t sourceNumber = design.file(target.flattenFile).geometry;
    const Geometry& source = design.geometry(sourceNumber);
    return flattenInParts(design, SelectionRules(design, selection), source, blocks.of(sourceNumber, source),
                          target);
}

} // namespace

void flatten(Design& design, int16_t target, const FlattenSelection& given, FlattenCache& cache) {
    Geometry& geometry = flattenGeometry(design, target);
    const FlattenSelection selection = checkedInPageUnits(design, given);
    // Insertion points are placed once per target, so they depend on what the target holds.
    const bool repeatable = !selection.insertPointOnly;
    auto remake = [&](std::span<const ItemSource> sources) {
        return remadeInParts(design, design.geometry(design.file(geometry.flattenFile).geometry), sources);
    };
    SharedItems items = repeatable ? cache.results.find(geometry.flattenFile, selection, remake) : nullptr;
    if (!items) {
        items = flattenFile(design, selection, geometry, cache.blocks);
        if (repeatable) {
            cache.results.keep(geometry.flattenFile, selection, items);
        }
    }
    if (!items->empty()) {
        geometry.sharedData.push_back(std::move(items));
    }
}

void flatten(Design& design, int16_t target, const FlattenSelection& given) {
    Geometry& geometry = flattenGeometry(design, target);
    const FlattenSelection selection = checkedInPageUnits(design, given);
    BlockIndexes blocks;
    geometry.sharedData.push_back(flattenFile(design, selection, geometry, blocks));
    ownItems(geometry); // the items are this call's alone: moved, not copied
}

} // namespace lumora::engine
