#include "engine/io/MessagePack.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>
#include <vector>

namespace lumora::engine {

namespace {

using Members = Json::object_t::Container;

class Unpacker {
  public:
    explicit Unpacker(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    Json value() {
        Json root;
        place(root);
        while (!open_.empty()) {
            Open& innermost = open_.back();
            if (innermost.left == 0) {
                open_.pop_back();
                continue;
            }
            --innermost.left;
            if (innermost.container->is_array()) {
                innermost.container->get_ref<Json::array_t&>().emplace_back();
                place(innermost.container->get_ref<Json::array_t&>().back());
            } else {
                auto& members = static_cast<Members&>(innermost.container->get_ref<Json::object_t&>());
                members.emplace_back(key(), nullptr);
                place(members.back().second);
            }
        }
        if (at_ != bytes_.size()) {
            fail();
        }
        return root;
    }

  private:
    // A container being filled and how many of its values are still to come. Only the innermost
    // grows, so the pointers to the outer ones stay valid.
    struct Open {
        Json* container;
        std::size_t left;
    };

    [[noreturn]] static void fail() { throw DesignFormatError("damaged item store of the design reader"); }

    std::uint8_t byte() {
        if (at_ >= bytes_.size()) {
            fail();
        }
        return bytes_[at_++];
    }

    template <typename T> T bigEndian() {
        if (bytes_.size() - at_ < sizeof(T)) {
            fail();
        }
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value = static_cast<T>((value << 8) | bytes_[at_++]);
        }
        return value;
    }

    std::string text(std::size_t length) {
        if (bytes_.size() - at_ < length) {
            fail();
        }
        std::string result(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length;
        return result;
    }

    // The length of a text that starts with this byte, or none when the byte starts something else.
    std::optional<std::size_t> textLength(std::uint8_t head) {
        if ((head & 0xE0) == 0xA0) {
            return head & 0x1F;
        }
        switch (head) {
        case 0xD9:
            return byte();
        case 0xDA:
            return bigEndian<std::uint16_t>();
        case 0xDB:
            return bigEndian<std::uint32_t>();
        default:
            return std::nullopt;
        }
    }

    std::string key() {
        const std::optional<std::size_t> length = textLength(byte());
        if (!length) {
            fail(); // member names are texts
        }
        return text(*length);
    }

    // Every value takes a byte at least: a count beyond the bytes left is damage, not a size.
    void open(Json& slot, Json container, std::size_t count) {
        slot = std::move(container);
        const std::size_t room = std::min(count, bytes_.size() - at_);
        if (slot.is_array()) {
            slot.get_ref<Json::array_t&>().reserve(room);
        } else {
            static_cast<Members&>(slot.get_ref<Json::object_t&>()).reserve(room);
        }
        open_.push_back({&slot, count});
    }

    // Reads the value that starts here into slot; a container is opened and filled later.
    void place(Json& slot) {
        const std::uint8_t head = byte();
        if (head <= 0x7F) {
            slot = static_cast<std::uint64_t>(head);
        } else if (head >= 0xE0) {
            slot = static_cast<std::int64_t>(static_cast<std::int8_t>(head));
        } else if (const std::optional<std::size_t> length = textLength(head)) {
            slot = text(*length);
        } else {
            placeTagged(slot, head);
        }
    }

    void placeTagged(Json& slot, std::uint8_t head) {
        switch (head) {
        case 0xC0:
            slot = nullptr;
            return;
        case 0xC2:
            slot = false;
            return;
        case 0xC3:
            slot = true;
            return;
        case 0xCB:
            slot = std::bit_cast<double>(bigEndian<std::uint64_t>());
            return;
        case 0xCC:
            slot = static_cast<std::uint64_t>(byte());
            return;
        case 0xCD:
            slot = static_cast<std::uint64_t>(bigEndian<std::uint16_t>());
            return;
        case 0xCE:
            slot = static_cast<std::uint64_t>(bigEndian<std::uint32_t>());
            return;
        case 0xCF:
            slot = bigEndian<std::uint64_t>();
            return;
        case 0xD3:
            slot = static_cast<std::int64_t>(bigEndian<std::uint64_t>());
            return;
        case 0xDD:
            open(slot, Json::array(), bigEndian<std::uint32_t>());
            return;
        case 0xDF:
            open(slot, Json::object(), bigEndian<std::uint32_t>());
            return;
        default:
            fail(); // nothing the writer writes
        }
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    std::vector<Open> open_;
};

} // namespace

Json unpackMessagePack(std::span<const std::uint8_t> bytes) {
    return Unpacker(bytes).value();
}

void MessagePackWriter::bigAt(std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * (bytes - 1 - i)));
    }
}

void MessagePackWriter::big(std::uint64_t value, int bytes) {
    out_.resize(out_.size() + static_cast<std::size_t>(bytes));
    bigAt(out_.size() - static_cast<std::size_t>(bytes), value, bytes);
}

// Every value written inside a container counts towards its header; a member counts at its name.
void MessagePackWriter::counted() {
    if (depth_ > 0 && open_[depth_ - 1].array) {
        ++open_[depth_ - 1].count;
    }
}

void MessagePackWriter::null() {
    counted();
    out_.push_back(0xC0);
}

void MessagePackWriter::boolean(bool value) {
    counted();
    out_.push_back(value ? 0xC3 : 0xC2);
}

void MessagePackWriter::unsignedInteger(std::uint64_t value) {
    counted();
    if (value <= 0x7F) {
        out_.push_back(static_cast<std::uint8_t>(value));
    } else if (value <= 0xFFFF) {
        out_.push_back(value <= 0xFF ? 0xCC : 0xCD);
        big(value, value <= 0xFF ? 1 : 2);
    } else {
        out_.push_back(value <= 0xFFFFFFFF ? 0xCE : 0xCF);
        big(value, value <= 0xFFFFFFFF ? 4 : 8);
    }
}

// As nlohmann writes them: whole numbers of 0 or more are unsigned, and read back so.
void MessagePackWriter::integer(std::int64_t value) {
    if (value >= 0) {
        unsignedInteger(static_cast<std::uint64_t>(value));
        return;
    }
    counted();
    if (value >= -32) {
        out_.push_back(static_cast<std::uint8_t>(value));
    } else {
        out_.push_back(0xD3);
        big(static_cast<std::uint64_t>(value), 8);
    }
}

void MessagePackWriter::number(double value) {
    counted();
    out_.push_back(0xCB);
    big(std::bit_cast<std::uint64_t>(value), 8);
}

// A text's header and bytes; member names are written so too, without counting as a value.
void MessagePackWriter::textBytes(std::string_view value) {
    const std::size_t length = value.size();
    if (length <= 31) {
        out_.push_back(static_cast<std::uint8_t>(0xA0 | length));
    } else if (length <= 0xFF) {
        out_.push_back(0xD9);
        big(length, 1);
    } else if (length <= 0xFFFF) {
        out_.push_back(0xDA);
        big(length, 2);
    } else {
        out_.push_back(0xDB);
        big(length, 4);
    }
    out_.insert(out_.end(), value.begin(), value.end());
}

void MessagePackWriter::text(std::string_view value) {
    counted();
    textBytes(value);
}

void MessagePackWriter::start(bool array) {
    counted();
    if (open_.size() == depth_) {
        open_.emplace_back();
    }
    Open& opened = open_[depth_++];
    opened.array = array;
    opened.header = out_.size();
    opened.count = 0;
    opened.names.clear();
    out_.push_back(array ? 0xDD : 0xDF);
    big(0, 4);
}

void MessagePackWriter::startArray() {
    start(true);
}

void MessagePackWriter::startObject() {
    start(false);
}

bool MessagePackWriter::key(std::string_view name) {
    Open& object = open_[depth_ - 1];
    if (!object.names.add(name)) {
        return false;
    }
    ++object.count;
    textBytes(name);
    return true;
}

void MessagePackWriter::end() {
    const Open& closed = open_[--depth_];
    bigAt(closed.header + 1, closed.count, 4);
}

std::string MessagePackWriter::pointer() const {
    std::string path;
    for (std::size_t level = 0; level + 1 < depth_; ++level) {
        const Open& container = open_[level];
        path += '/';
        path += container.array ? std::to_string(container.count - 1) : container.names.last();
    }
    return path;
}

} // namespace lumora::engine
