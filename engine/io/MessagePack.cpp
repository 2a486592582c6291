#include "engine/io/MessagePack.h"

#include <algorithm>
#include <bit>
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

    std::string key() {
        const std::uint8_t head = byte();
        if ((head & 0xE0) == 0xA0) {
            return text(head & 0x1F);
        }
        switch (head) {
        case 0xD9:
            return text(byte());
        case 0xDA:
            return text(bigEndian<std::uint16_t>());
        case 0xDB:
            return text(bigEndian<std::uint32_t>());
        default:
            fail(); // member names are texts
        }
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
        } else if ((head & 0xF0) == 0x80) {
            open(slot, Json::object(), head & 0x0F);
        } else if ((head & 0xF0) == 0x90) {
            open(slot, Json::array(), head & 0x0F);
        } else if ((head & 0xE0) == 0xA0) {
            slot = text(head & 0x1F);
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
        case 0xCA:
            slot = static_cast<double>(std::bit_cast<float>(bigEndian<std::uint32_t>()));
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
        case 0xD0:
            slot = static_cast<std::int64_t>(static_cast<std::int8_t>(byte()));
            return;
        case 0xD1:
            slot = static_cast<std::int64_t>(static_cast<std::int16_t>(bigEndian<std::uint16_t>()));
            return;
        case 0xD2:
            slot = static_cast<std::int64_t>(static_cast<std::int32_t>(bigEndian<std::uint32_t>()));
            return;
        case 0xD3:
            slot = static_cast<std::int64_t>(bigEndian<std::uint64_t>());
            return;
        case 0xD9:
            slot = text(byte());
            return;
        case 0xDA:
            slot = text(bigEndian<std::uint16_t>());
            return;
        case 0xDB:
            slot = text(bigEndian<std::uint32_t>());
            return;
        case 0xDC:
            open(slot, Json::array(), bigEndian<std::uint16_t>());
            return;
        case 0xDD:
            open(slot, Json::array(), bigEndian<std::uint32_t>());
            return;
        case 0xDE:
            open(slot, Json::object(), bigEndian<std::uint16_t>());
            return;
        case 0xDF:
            open(slot, Json::object(), bigEndian<std::uint32_t>());
            return;
        default:
            fail(); // binary and extension types: the design text holds none
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

} // namespace lumora::engine
