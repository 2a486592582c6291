#pragma once

#include "engine/io/ItemTexts.h"
#include "engine/io/JsonNode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lumora::engine {

// The items of the geometries' data lists, kept as MessagePack (a fraction of the size of a tree of
// them) until the reader takes them one at a time, so that a large design is never held as a tree.
class DataItemStore {
  public:
    // An item of the geometry at this position of the file's geometry list is written to bytes()
    // between the two calls; a geometry's items come one after another.
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    void beginItem(std::size_t geometry);
    void endItem(std::size_t geometry);
    // A whole item written elsewhere.
    void addItem(std::size_t geometry, std::span<const std::uint8_t> item);
    std::size_t count(std::size_t geometry) const;
    Json item(std::size_t geometry, std::size_t position) const;

  private:
    std::vector<std::uint8_t> bytes_;
    // Per geometry, where each of its items begins in bytes_ and where the last one ends: a
    // geometry's items are parsed one after another.
    std::vector<std::vector<std::size_t>> bounds_;
};

// A design file parsed: the document's tree with every geometry's "data" list left empty, and what
// those lists held.
struct DesignTree {
    Json root;
    DataItemStore items;
};

// Parses a design file's text, keeping the members of each object in file order; the items of the
// geometries' data lists on the worker pool, as they are most of a large file. Unlike Json::parse
// it stays linear in the size of an object (ordered_json's own insertion scans the members already
// read; see MemberNames) and refuses a member name used twice in one object with a
// DesignFormatError at that object's JSON pointer. Syntax errors are thrown as Json::parse throws
// them.
DesignTree parseDesignTree(std::string_view text);
// The same with the scan of the text's structure made already (findItemTexts), by a caller that
// reads the text for something else meanwhile.
DesignTree parseDesignTree(std::string_view text, const std::optional<ItemTexts>& texts);

} // namespace lumora::engine
