#include "engine/io/JsonTree.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace lumora::engine {

namespace {

using Members = Json::object_t::Container;

// Builds the tree from nlohmann's SAX events. Only the innermost open container grows, so the
// pointers to the outer ones stay valid.
class TreeBuilder : public nlohmann::json_sax<Json> {
  public:
    explicit TreeBuilder(Json& root) : root_(root) {}

    bool null() override { return place(nullptr); }
    bool boolean(bool value) override { return place(value); }
    bool number_integer(number_integer_t value) override { return place(value); }
    bool number_unsigned(number_unsigned_t value) override { return place(value); }
    bool number_float(number_float_t value, const string_t&) override { return place(value); }
    bool string(string_t& value) override { return place(std::move(value)); }
    bool binary(binary_t& value) override { return place(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool key(string_t& name) override {
        Open& object = open_.back();
        if (!object.names.insert(name).second) {
            throw DesignFormatError("at " + pointer() + ": member \"" + name + "\" appears twice");
        }
        auto& members = static_cast<Members&>(*object.value->get_ptr<Json::object_t*>());
        members.emplace_back(name, nullptr);
        slot_ = &members.back().second;
        object.lastKey = name;
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
        if (error.id / 100 == 1) {
            throw static_cast<const nlohmann::detail::parse_error&>(error);
        }
        throw static_cast<const nlohmann::detail::out_of_range&>(error);
    }

  private:
    struct Open {
        Json* value;
        std::unordered_set<std::string> names; // objects only
        std::string lastKey;
    };

    // Where the next value goes: the root, the slot of the last key, or the end of an array.
    Json* target() {
        if (open_.empty()) {
            return &root_;
        }
        if (Json* array = open_.back().value; array->is_array()) {
            array->push_back(nullptr);
            return &array->back();
        }
        return slot_;
    }

    bool place(Json value) {
        *target() = std::move(value);
        return true;
    }

    bool open(Json container) {
        Json* placed = target();
        *placed = std::move(container);
        open_.push_back({placed, {}, {}});
        return true;
    }

    bool close() {
        open_.pop_back();
        return true;
    }

    std::string pointer() const {
        std::string path;
        for (std::size_t level = 0; level + 1 < open_.size(); ++level) {
            const Json& container = *open_[level].value;
            path +=
                "/" + (container.is_array() ? std::to_string(container.size() - 1) : open_[level].lastKey);
        }
        return path.empty() ? "/" : path;
    }

    Json& root_;
    std::vector<Open> open_;
    Json* slot_ = nullptr;
};

} // namespace

Json parseJsonTree(std::string_view text) {
    Json root;
    TreeBuilder builder(root);
    Json::sax_parse(text, &builder);
    return root;
}

} // namespace lumora::engine
