#include "engine/model/Design.h"

#include "engine/model/GeometryItems.h"
#include "engine/model/Refusal.h"

#include <algorithm>
#include <limits>

namespace lumora::engine {

namespace {

template <class D> auto& geometryIn(D& design, int16_t number) {
    auto found = design.geometries.find(number);
    if (found == design.geometries.end()) {
        throw Refusal(rc::ItemNotFound, "no geometry " + std::to_string(number));
    }
    return found->second;
}

template <class D> auto& fileIn(D& design, int32_t number) {
    auto found = std::ranges::find(design.files, number, &File::number);
    if (found == design.files.end()) {
        throw Refusal(rc::ItemNotFound, "no file " + std::to_string(number));
    }
    return *found;
}

template <class D> auto& layerIn(D& design, int16_t number) {
    if (number < 0 || static_cast<std::size_t>(number) >= design.layers.size()) {
        throw Refusal(rc::IndexOutOfRange, "no layer " + std::to_string(number));
    }
    if (!design.layers[number]) {
        throw Refusal(rc::HoleInArray, "layer " + std::to_string(number) + " is a hole");
    }
    return *design.layers[number];
}

std::vector<const DataItem*> itemsOf(const Geometry& geometry) {
    std::vector<const DataItem*> items;
    items.reserve(itemCount(geometry));
    forEachItem(geometry, [&](const DataItem& item) { items.push_back(&item); });
    return items;
}

} // namespace

bool Geometry::operator==(const Geometry& other) const {
    return number == other.number && name == other.name && blockType == other.blockType &&
           thickness == other.thickness && hole == other.hole && flattenFile == other.flattenFile &&
           std::ranges::equal(itemsOf(*this), itemsOf(other),
                              [](const DataItem* a, const DataItem* b) { return *a == *b; });
}

Geometry& Design::geometry(int16_t number) {
    return geometryIn(*this, number);
}
const Geometry& Design::geometry(int16_t number) const {
    return geometryIn(*this, number);
}
File& Design::file(int32_t number) {
    return fileIn(*this, number);
}
const File& Design::file(int32_t number) const {
    return fileIn(*this, number);
}
Layer& Design::layer(int16_t number) {
    return layerIn(*this, number);
}
const Layer& Design::layer(int16_t number) const {
    return layerIn(*this, number);
}

const Layer* Design::findLayer(std::string_view layerName) const {
    for (const auto& slot : layers) {
        if (slot && slot->name == layerName) {
            return &*slot;
        }
    }
    return nullptr;
}

const Layer* Design::findLayerByAttribute(std::string_view keyword, std::string_view value) const {
    for (const auto& slot : layers) {
        const std::string* found = slot ? slot->attributes.find(keyword) : nullptr;
        if (found && *found == value) {
            return &*slot;
        }
    }
    return nullptr;
}

int16_t Design::addGeometry(Geometry geometry) {
    constexpr int16_t kLast = std::numeric_limits<int16_t>::max();
    int16_t number = geometries.empty() ? int16_t{1} : geometries.rbegin()->first;
    if (number < kLast) {
        number = static_cast<int16_t>(std::max<int>(number + 1, 1));
    } else {
        number = 1;
        while (geometries.contains(number)) {
            if (number == kLast) {
                throw Refusal(rc::ValueOutOfRange,
                              "no geometry number left: a design holds at most 32,767 geometries "
                              "(footprints, pad shapes, boards and panels), numbered in 16 bits");
            }
            ++number;
        }
    }
    geometry.number = number;
    geometries.emplace(number, std::move(geometry));
    return number;
}

int16_t Design::addLayer(Layer layer) {
    if (layers.size() >= static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        throw Refusal(rc::ValueOutOfRange, "no layer number left");
    }
    auto number = static_cast<int16_t>(layers.size());
    layer.number = number;
    layer.mirror = number;
    layers.emplace_back(std::move(layer));
    return number;
}

std::string Design::unusedLayerName(std::string_view base) const {
    std::string candidate(base);
    for (int n = 2; findLayer(candidate); ++n) {
        candidate = std::string(base) + " " + std::to_string(n);
    }
    return candidate;
}

int16_t Design::keywordNumber(std::string_view keywordName, int16_t typeWhenNew) {
    if (keywordIndex_.added() > keywords.size()) {
        keywordIndex_.clear(); // the table was replaced
    }
    for (std::size_t position = keywordIndex_.added(); position < keywords.size(); ++position) {
        keywordIndex_.add(keywords[position].name, position);
    }
    if (std::optional<std::size_t> position = keywordIndex_.find(keywordName)) {
        return static_cast<int16_t>(*position);
    }
    keywordIndex_.add(keywordName, keywords.size());
    keywords.push_back(
        {std::string(keywordName), std::string(keywordName), std::string(keywordName), typeWhenNew, false});
    return static_cast<int16_t>(keywords.size() - 1);
}

int16_t Design::mirrorLayer(int16_t number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= layers.size() || !layers[number]) {
        return number;
    }
    return layers[number]->mirror;
}

int16_t Design::maxElectrical() const {
    int16_t highest = 0;
    for (const auto& slot : layers) {
        if (slot) {
            highest = std::max(highest, slot->electrical);
        }
    }
    return highest;
}

} // namespace lumora::engine
