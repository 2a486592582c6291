#include "engine/io/ItemTexts.h"

namespace lumora::engine {

namespace {

// Reads the levels above the items strictly and skips every other value by its brackets and
// strings; the parsers check what it skips.
class StructureScan {
  public:
    explicit StructureScan(std::string_view text) : text_(text) {}

    std::optional<ItemTexts> run() {
        if (!eat('{')) {
            return std::nullopt;
        }
        if (!members(
                [&](std::string_view name) { return name == "geometries" ? geometries() : skipValue(); })) {
            return std::nullopt;
        }
        space();
        if (at_ != text_.size() || result_.items.empty()) {
            return std::nullopt;
        }
        result_.rest.append(text_.substr(copiedTo_));
        return std::move(result_);
    }

  private:
    // The members of an object whose '{' was read, each value read by value(name).
    template <class Value> bool members(Value&& value) {
        if (eat('}')) {
            return true;
        }
        do {
            const std::optional<std::string_view> name = plainName();
            if (!name || !eat(':') || !value(*name)) {
                return false;
            }
        } while (eat(','));
        return eat('}');
    }

    // The elements of an array whose '[' was read, each read by element().
    template <class Element> bool elements(Element&& element) {
        if (eat(']')) {
            return true;
        }
        do {
            space();
            if (!element()) {
                return false;
            }
        } while (eat(','));
        return eat(']');
    }

    bool geometries() {
        if (!eat('[')) {
            return skipValue();
        }
        return elements([&] {
            const bool read = geometry();
            ++geometry_;
            return read;
        });
    }

    // One element of the geometry list; an object's "data" list holds items.
    bool geometry() {
        if (!eat('{')) {
            return skipValue();
        }
        return members([&](std::string_view name) { return name == "data" ? dataList() : skipValue(); });
    }

    // The items of one list, whose text the rest leaves out.
    bool dataList() {
        if (!eat('[')) {
            return skipValue();
        }
        result_.rest.append(text_.substr(copiedTo_, at_ - copiedTo_));
        const bool read = elements([&] {
            const std::size_t start = at_;
            if (!skipValue()) {
                return false;
            }
            result_.items.push_back({geometry_, text_.substr(start, at_ - start)});
            return true;
        });
        copiedTo_ = at_ - 1; // the list's ']' belongs to the rest
        return read;
    }

    // A member name without escapes, whose text is the name.
    std::optional<std::string_view> plainName() {
        space();
        if (!peek('"')) {
            return std::nullopt;
        }
        const std::size_t start = ++at_;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\') {
                return std::nullopt;
            }
            ++at_;
        }
        if (at_ == text_.size()) {
            return std::nullopt;
        }
        return text_.substr(start, at_++ - start);
    }

    // One value: a string, a container to its matching bracket, or a word up to the next delimiter.
    bool skipValue() {
        space();
        if (at_ == text_.size()) {
            return false;
        }
        if (peek('"')) {
            return skipString();
        }
        if (peek('{') || peek('[')) {
            return skipContainer();
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && !isDelimiter(text_[at_])) {
            ++at_;
        }
        return at_ > start;
    }

    bool skipString() {
        for (++at_; at_ < text_.size(); ++at_) {
            if (text_[at_] == '\\') {
                ++at_;
            } else if (text_[at_] == '"') {
                ++at_;
                return true;
            }
        }
        return false;
    }

    bool skipContainer() {
        std::size_t depth = 0;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') {
                if (!skipString()) {
                    return false;
                }
                continue;
            }
            ++at_;
            if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                return true;
            }
        }
        return false;
    }

    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    static bool isDelimiter(char c) { return isSpace(c) || c == ',' || c == ']' || c == '}'; }

    void space() {
        while (at_ < text_.size() && isSpace(text_[at_])) {
            ++at_;
        }
    }
    bool peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
    bool eat(char c) {
        space();
        if (!peek(c)) {
            return false;
        }
        ++at_;
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t copiedTo_ = 0;
    std::size_t geometry_ = 0;
    ItemTexts result_;
};

} // namespace

std::optional<ItemTexts> findItemTexts(std::string_view text) {
    return StructureScan(text).run();
}

} // namespace lumora::engine
