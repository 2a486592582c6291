#pragma once

#include "engine/io/JsonNode.h"
#include "engine/io/MemberNames.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

// The design reader's item store: MessagePack, which holds a design's items in a fraction of the
// memory of a tree of them. The writer takes a SAX parser's events, so that no item is ever built
// as a tree before it is read; the reader builds the tree nlohmann's parser would have built
// (whole numbers of 0 and more unsigned, the others signed), sizing every container from its
// header and walking nesting without recursion.

// Decodes one value MessagePackWriter wrote; throws DesignFormatError on other bytes.
Json unpackMessagePack(std::span<const std::uint8_t> bytes);

// Writes values as MessagePack event by event, as a SAX parser reports them, so that no tree is
// built: a container gets a 32-bit header whose count is filled in when it ends.
class MessagePackWriter {
  public:
    explicit MessagePackWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void null();
    void boolean(bool value);
    void integer(std::int64_t value);
    void unsignedInteger(std::uint64_t value);
    void number(double value);
    void text(std::string_view value);
    void startArray();
    void startObject();
    // False, and nothing written, when the open object already has a member of that name.
    bool key(std::string_view name);
    void end();

    // Containers open; 0 once a whole value has been written.
    std::size_t depth() const { return depth_; }
    // The JSON pointer, within the value, of the innermost open container ("" for the value).
    std::string pointer() const;

  private:
    struct Open {
        bool array = false;
        std::size_t header = 0;
        std::uint32_t count = 0;
        MemberNames names{}; // objects only
    };

    void textBytes(std::string_view value);
    void big(std::uint64_t value, int bytes);
    void bigAt(std::size_t at, std::uint64_t value, int bytes);
    void counted();
    void start(bool array);

    std::vector<std::uint8_t>& out_;
    std::vector<Open> open_; // entries beyond depth_ are kept for reuse
    std::size_t depth_ = 0;
};

} // namespace lumora::engine
