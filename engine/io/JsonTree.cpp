#include "engine/io/JsonTree.h"

#include "engine/io/DesignFile.h"
#include "engine/io/ItemTexts.h"
#include "engine/io/MemberNames.h"
#include "engine/io/MessagePack.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace lumora::engine {

void DataItemStore::beginItem(std::size_t geometry) {
    if (bounds_.size() <= geometry) {
        bounds_.resize(geometry + 1);
    }
    if (bounds_[geometry].empty()) {
        bounds_[geometry].push_back(bytes_.size());
    }
}

void DataItemStore::endItem(std::size_t geometry) {
    bounds_[geometry].push_back(bytes_.size());
}

void DataItemStore::addItem(std::size_t geometry, std::span<const std::uint8_t> item) {
    beginItem(geometry);
    bytes_.insert(bytes_.end(), item.begin(), item.end());
    endItem(geometry);
}

std::size_t DataItemStore::count(std::size_t geometry) const {
    return geometry < bounds_.size() && !bounds_[geometry].empty() ? bounds_[geometry].size() - 1 : 0;
}

Json DataItemStore::item(std::size_t geometry, std::size_t position) const {
    const std::vector<std::size_t>& bounds = bounds_.at(geometry);
    const std::size_t begin = bounds.at(position);
    return unpackMessagePack(std::span(bytes_).subspan(begin, bounds.at(position + 1) - begin));
}

namespace {

using Members = Json::object_t::Container;

// Builds the tree from nlohmann's SAX events. Only the innermost open container grows, so the
// pointers to the outer ones stay valid. An item of a geometry's data list is no part of the tree:
// its events are written to the item store as they come.
class TreeBuilder : public nlohmann::json_sax<Json> {
  public:
    explicit TreeBuilder(DesignTree& tree) : tree_(tree), packer_(tree.items.bytes()) {}

    bool null() override {
        return intoItem() ? itemValue([&] { packer_.null(); }) : place(nullptr);
    }
    bool boolean(bool value) override {
        return intoItem() ? itemValue([&] { packer_.boolean(value); }) : place(value);
    }
    bool number_integer(number_integer_t value) override {
        return intoItem() ? itemValue([&] { packer_.integer(value); }) : place(value);
    }
    bool number_unsigned(number_unsigned_t value) override {
        return intoItem() ? itemValue([&] { packer_.unsignedInteger(value); }) : place(value);
    }
    bool number_float(number_float_t value, const string_t&) override {
        return intoItem() ? itemValue([&] { packer_.number(value); }) : place(value);
    }
    bool string(string_t& value) override {
        return intoItem() ? itemValue([&] { packer_.text(value); }) : place(std::move(value));
    }
    bool binary(binary_t& value) override { return place(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override {
        return intoItem() ? itemValue([&] { packer_.startObject(); }) : open(Json::object());
    }
    bool key(string_t& name) override {
        if (packer_.depth() > 0) {
            if (!packer_.key(name)) {
                repeated(name);
            }
            return true;
        }
        Open& object = open_.back();
        if (!object.names.add(name)) {
            repeated(name);
        }
        auto& members = static_cast<Members&>(*object.value->get_ptr<Json::object_t*>());
        members.emplace_back(std::move(name), nullptr);
        slot_ = &members.back().second;
        return true;
    }
    bool end_object() override {
        return packer_.depth() > 0 ? itemValue([&] { packer_.end(); }) : close();
    }
    bool start_array(std::size_t) override {
        return intoItem() ? itemValue([&] { packer_.startArray(); }) : open(Json::array());
    }
    bool end_array() override {
        return packer_.depth() > 0 ? itemValue([&] { packer_.end(); }) : close();
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
        if (error.id / 100 == 1) {
            throw static_cast<const nlohmann::detail::parse_error&>(error);
        }
        throw static_cast<const nlohmann::detail::out_of_range&>(error);
    }

  private:
    struct Open {
        Json* value;
        MemberNames names{};      // objects only
        std::size_t elements = 0; // arrays only: the elements begun so far
    };

    // Open containers down to an element of /geometries/N/data.
    static constexpr std::size_t kItemLevel = 4;

    // True when the next value is an element of a geometry's data list.
    bool startsDataItem() const {
        return open_.size() == kItemLevel && open_[0].names.last() == "geometries" &&
               open_[1].value->is_array() && open_[2].value->is_object() && open_[2].names.last() == "data" &&
               open_[3].value->is_array();
    }

    // Whether the next event belongs to a data item: inside one, or starting one.
    bool intoItem() {
        if (packer_.depth() > 0) {
            return true;
        }
        if (!startsDataItem()) {
            return false;
        }
        ++open_.back().elements;
        tree_.items.beginItem(itemGeometry());
        return true;
    }

    std::size_t itemGeometry() const { return open_[1].elements - 1; }

    // Writes an item's event; the item is complete once no container of it is open.
    template <class Write> bool itemValue(Write&& write) {
        write();
        if (packer_.depth() == 0) {
            tree_.items.endItem(itemGeometry());
        }
        return true;
    }

    [[noreturn]] void repeated(const std::string& name) const {
        throw DesignFormatError("at " + pointer() + ": member \"" + name + "\" appears twice");
    }

    // Where the next value goes: the root, the slot of the last key or the end of an array.
    Json* target() {
        if (open_.empty()) {
            return &tree_.root;
        }
        Open& innermost = open_.back();
        if (!innermost.value->is_array()) {
            return slot_;
        }
        ++innermost.elements;
        innermost.value->push_back(nullptr);
        return &innermost.value->back();
    }

    bool place(Json value) {
        *target() = std::move(value);
        return true;
    }

    bool open(Json container) {
        Json* placed = target();
        *placed = std::move(container);
        open_.push_back({placed});
        return true;
    }

    bool close() {
        open_.pop_back();
        return true;
    }

    // Inside an item, the tree's innermost container (the data list) is part of the path.
    std::string pointer() const {
        std::string path;
        const std::size_t levels = packer_.depth() > 0 || open_.empty() ? open_.size() : open_.size() - 1;
        for (std::size_t level = 0; level < levels; ++level) {
            const Open& container = open_[level];
            path += "/" + (container.value->is_array() ? std::to_string(container.elements - 1)
                                                       : container.names.last());
        }
        path += packer_.pointer();
        return path.empty() ? "/" : path;
    }

    DesignTree& tree_;
    std::vector<Open> open_;
    Json* slot_ = nullptr;
    MessagePackWriter packer_;
};

// Writes one item's events; any fault stops the parse, which then reads the whole text again.
class ItemPacker : public nlohmann::json_sax<Json> {
  public:
    explicit ItemPacker(std::vector<std::uint8_t>& bytes) : packer_(bytes) {}

    bool null() override {
        packer_.null();
        return true;
    }
    bool boolean(bool value) override {
        packer_.boolean(value);
        return true;
    }
    bool number_integer(number_integer_t value) override {
        packer_.integer(value);
        return true;
    }
    bool number_unsigned(number_unsigned_t value) override {
        packer_.unsignedInteger(value);
        return true;
    }
    bool number_float(number_float_t value, const string_t&) override {
        packer_.number(value);
        return true;
    }
    bool string(string_t& value) override {
        packer_.text(value);
        return true;
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override {
        packer_.startObject();
        return true;
    }
    bool key(string_t& name) override { return packer_.key(name); }
    bool end_object() override {
        packer_.end();
        return true;
    }
    bool start_array(std::size_t) override {
        packer_.startArray();
        return true;
    }
    bool end_array() override {
        packer_.end();
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

  private:
    MessagePackWriter packer_;
};

// The items of one range, packed one after another, and where each ends.
struct PackedRange {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> ends;
    bool failed = false;
};

void packRange(std::span<const ItemTexts::Item> items, PackedRange& range) {
    for (const ItemTexts::Item& item : items) {
        ItemPacker packer(range.bytes);
        if (!Json::sax_parse(item.text, &packer)) {
            range.failed = true;
            return;
        }
        range.ends.push_back(range.bytes.size());
    }
}

// The items parsed on the pool, in ranges, and added to the store in file order; false at the first
// item the parser refuses.
bool packItems(const ItemTexts& texts, DataItemStore& store) {
    constexpr std::size_t kRange = 1024;
    const std::span<const ItemTexts::Item> items(texts.items);
    std::vector<PackedRange> ranges((items.size() + kRange - 1) / kRange);
    {
        const WithoutEvents noEvents; // no window may act on a design still being read
        workerPool().runEach(ranges.size(), [&](std::size_t r) {
            packRange(items.subspan(r * kRange, std::min(kRange, items.size() - r * kRange)), ranges[r]);
        });
    }
    std::size_t total = 0;
    for (const PackedRange& range : ranges) {
        if (range.failed) {
            return false;
        }
        total += range.bytes.size();
    }
    store.bytes().reserve(store.bytes().size() + total);
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < ranges[r].ends.size(); ++i) {
            const std::size_t end = ranges[r].ends[i];
            store.addItem(items[r * kRange + i].geometry,
                          std::span(ranges[r].bytes).subspan(begin, end - begin));
            begin = end;
        }
        std::vector<std::uint8_t>().swap(ranges[r].bytes);
    }
    return true;
}

DesignTree parseWhole(std::string_view text) {
    DesignTree tree;
    TreeBuilder builder(tree);
    Json::sax_parse(text, &builder);
    return tree;
}

// The rest and the items parsed apart; nothing when either has a fault, which one parser of the
// whole text then reports where it lies.
std::optional<DesignTree> parseInParts(const ItemTexts& texts) {
    DesignTree tree;
    try {
        TreeBuilder builder(tree);
        Json::sax_parse(texts.rest, &builder);
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    } catch (const DesignFormatError&) {
        return std::nullopt;
    }
    if (!packItems(texts, tree.items)) {
        return std::nullopt;
    }
    return tree;
}

} // namespace

DesignTree parseDesignTree(std::string_view text) {
    return parseDesignTree(text, findItemTexts(text));
}

DesignTree parseDesignTree(std::string_view text, const std::optional<ItemTexts>& texts) {
    if (texts) {
        if (std::optional<DesignTree> tree = parseInParts(*texts)) {
            return std::move(*tree);
        }
    }
    return parseWhole(text);
}

} // namespace lumora::engine
