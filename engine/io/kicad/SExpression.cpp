#include "engine/io/kicad/SExpression.h"

#include "engine/io/DesignFile.h"
#include "files/InputFile.h"
#include "files/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumora::engine::sexpr {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool endsBareAtom(char c) {
    return isBlank(c) || c == '(' || c == ')' || c == '"';
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && !isBlank(c);
}

std::string located(std::string_view fileName, Position at, std::string_view message) {
    return concat({fileName, ":", std::to_string(at.line), ":", std::to_string(at.column), ": ", message});
}

} // namespace

std::string concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        text += part;
    }
    return text;
}

void Tokenizer::fail(Position at, std::string_view message) const {
    throw DesignFormatError(located(fileName_, at, message));
}

// A KiCad board is UTF-8; a name with other bytes would change when the design is saved, and two
// names that differ only there would become one.
void Tokenizer::refuseInvalidUtf8(std::string_view atom, Position at) const {
    if (const std::size_t bad = files::firstInvalidUtf8(atom); bad != std::string_view::npos) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(atom[bad]);
        fail(at, concat({"text that is not UTF-8 (byte 0x", std::string{kHex[byte >> 4], kHex[byte & 0xF]},
                         " in this atom)"}));
    }
}

void Tokenizer::advance(std::size_t count) {
    for (const std::size_t end = offset_ + count; offset_ < end; ++offset_) {
        if (text_[offset_] == '\n') {
            ++position_.line;
            position_.column = 1;
        } else {
            ++position_.column;
        }
    }
}

void Tokenizer::skipBlanks() {
    while (offset_ < text_.size() && isBlank(text_[offset_])) {
        advance(1);
    }
}

Token Tokenizer::next() {
    skipBlanks();
    const Position at = position_;
    if (offset_ >= text_.size()) {
        return {TokenKind::End, {}, at, false};
    }
    const char c = text_[offset_];
    if (c == '(' || c == ')') {
        advance(1);
        return {c == '(' ? TokenKind::Open : TokenKind::Close, text_.substr(offset_ - 1, 1), at, false};
    }
    if (c == '"') {
        return quotedAtom(at);
    }
    if (isControl(c)) {
        fail(at, concat({"unexpected control character ", std::to_string(static_cast<int>(c))}));
    }
    return bareAtom(at);
}

Token Tokenizer::quotedAtom(Position at) {
    std::size_t end = offset_ + 1;
    while (end < text_.size() && text_[end] != '"') {
        end += text_[end] == '\\' ? 2 : 1;
    }
    if (end >= text_.size()) {
        fail(at, "text string not closed (no '\"' before the end of the file)");
    }
    const std::string_view quoted = text_.substr(offset_, end + 1 - offset_);
    refuseInvalidUtf8(quoted, at);
    advance(quoted.size());
    return {TokenKind::Atom, quoted, at, true};
}

Token Tokenizer::bareAtom(Position at) {
    std::size_t end = offset_;
    while (end < text_.size() && !endsBareAtom(text_[end])) {
        if (isControl(text_[end])) {
            advance(end - offset_);
            fail(position_,
                 concat({"unexpected control character ", std::to_string(static_cast<int>(text_[end]))}));
        }
        ++end;
    }
    const std::string_view atom = text_.substr(offset_, end - offset_);
    refuseInvalidUtf8(atom, at);
    advance(atom.size());
    return {TokenKind::Atom, atom, at, false};
}

Document::Document(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {
    Tokenizer tokens(text_, fileName_);
    if (text_.size() >= kEscaped) {
        tokens.fail({}, "the file is too large (1 GB at most)");
    }
    add({}); // index 0 stands for "none"
    const Token first = tokens.next();
    if (first.kind == TokenKind::End) {
        tokens.fail(first.at, "the file is empty");
    }
    if (first.kind != TokenKind::Open) {
        tokens.fail(first.at, "expected '(' at the start of the file");
    }
    readLists(tokens, first.at);
    const Token after = tokens.next();
    if (after.kind != TokenKind::End) {
        tokens.fail(after.at, "unexpected text after the closing ')' of the file's list");
    }
}

uint32_t Document::add(Node node) {
    if ((count_ & kBlockMask) == 0) {
        // Every node but the first takes at least one character of text, so a small file gets a
        // block of its own size instead of a full one (which made reading it cost a megabyte).
        const std::size_t mostNodes = text_.size() + 1;
        blocks_.push_back(
            std::make_unique<Node[]>(std::min<std::size_t>(kBlockMask + 1, mostNodes - count_)));
    }
    nodeAt(count_) = node;
    return count_++;
}

// Iterative, so that deeply nested input cannot exhaust the stack.
void Document::readLists(Tokenizer& tokens, Position at) {
    struct Open {
        uint32_t list;
        uint32_t last;
    };
    std::vector<Open> open{{add({.length = kList, .at = at}), 0}};
    auto link = [&](uint32_t child) {
        Open& parent = open.back();
        (parent.last == 0 ? nodeAt(parent.list).first : nodeAt(parent.last).next) = child;
        parent.last = child;
    };
    while (!open.empty()) {
        const Token token = tokens.next();
        switch (token.kind) {
        case TokenKind::Open: {
            if (open.size() >= static_cast<std::size_t>(files::kMaxNesting)) {
                tokens.fail(token.at,
                            concat({"nested deeper than ", std::to_string(files::kMaxNesting), " levels"}));
            }
            const uint32_t list = add({.length = kList, .at = token.at});
            link(list);
            open.push_back({list, 0});
            break;
        }
        case TokenKind::Atom:
            link(add(atom(token)));
            break;
        case TokenKind::Close:
            open.pop_back();
            break;
        case TokenKind::End: {
            const Position opened = nodeAt(open.back().list).at;
            tokens.fail(token.at,
                        concat({"the file ends inside the list opened at line ", std::to_string(opened.line),
                                ", column ", std::to_string(opened.column), " (missing ')')"}));
        }
        }
    }
}

Document::Node Document::atom(const Token& token) {
    std::string_view value = token.text;
    if (token.quoted) {
        value = value.substr(1, value.size() - 2);
    }
    if (!token.quoted || value.find('\\') == std::string_view::npos) {
        return {.offset = static_cast<uint32_t>(value.data() - text_.data()),
                .length = static_cast<uint32_t>(value.size()),
                .at = token.at};
    }
    const auto offset = static_cast<uint32_t>(unescaped_.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            unescaped_ += value[i];
            continue;
        }
        const char escaped = value[++i];
        unescaped_ += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    return {.offset = offset,
            .length = static_cast<uint32_t>(unescaped_.size() - offset) | kEscaped,
            .at = token.at};
}

std::string_view Document::text(const Node& atom) const {
    const std::string& source = (atom.length & kEscaped) != 0 ? unescaped_ : text_;
    return std::string_view(source).substr(atom.offset, atom.length & ~(kList | kEscaped));
}

std::string_view Expr::head() const {
    const uint32_t first = node().first;
    return first != 0 && !document_->node(first).isList() ? document_->text(document_->node(first))
                                                          : std::string_view{};
}

std::string_view Expr::text() const {
    if (node().isList()) {
        fail("expected a value, found a list");
    }
    return document_->text(node());
}

std::vector<Expr> Expr::children() const {
    std::vector<Expr> all;
    for (uint32_t i = node().first; i != 0; i = document_->node(i).next) {
        all.emplace_back(*document_, i);
    }
    return all;
}

std::size_t Expr::size() const {
    std::size_t count = 0;
    for (uint32_t i = node().first; i != 0; i = document_->node(i).next) {
        ++count;
    }
    return count;
}

Expr Expr::at(std::size_t index) const {
    uint32_t i = node().first;
    for (std::size_t k = 0; i != 0 && k < index; ++k) {
        i = document_->node(i).next;
    }
    if (i == 0) {
        fail(concat({"(", head(), " ...) needs at least ", std::to_string(index), " values"}));
    }
    return {*document_, i};
}

std::optional<Expr> Expr::find(std::string_view wanted) const {
    for (uint32_t i = node().first; i != 0; i = document_->node(i).next) {
        const Expr child(*document_, i);
        if (child.isList() && child.head() == wanted) {
            return child;
        }
    }
    return std::nullopt;
}

Expr Expr::require(std::string_view wanted) const {
    const std::optional<Expr> found = find(wanted);
    if (!found) {
        fail(concat({"(", head(), " ...) has no (", wanted, " ...)"}));
    }
    return *found;
}

std::vector<Expr> Expr::findAll(std::string_view wanted) const {
    std::vector<Expr> found;
    forEachList([&](Expr child) {
        if (child.head() == wanted) {
            found.push_back(child);
        }
    });
    return found;
}

double Expr::number(std::size_t index) const {
    const Expr atom = at(index);
    const std::string_view text = atom.text();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // from_chars also reads "nan" and "inf", which no length or position can be.
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        atom.fail(concat({"expected a number in (", head(), " ...), found \"", text, "\""}));
    }
    return value;
}

double Expr::numberOf(std::string_view wanted, double fallback) const {
    const std::optional<Expr> child = find(wanted);
    return child ? child->number(1) : fallback;
}

double Expr::nonNegative(std::size_t index) const {
    const double value = number(index);
    if (value < 0) {
        at(index).fail(concat({"(", head(), " ...) cannot be negative"}));
    }
    return value;
}

double Expr::sizeOf(std::string_view wanted, double fallback) const {
    const std::optional<Expr> child = find(wanted);
    return child ? child->nonNegative(1) : fallback;
}

std::string_view Expr::textOf(std::string_view wanted) const {
    const std::optional<Expr> child = find(wanted);
    return child && child->size() > 1 ? child->at(1).text() : std::string_view{};
}

bool Expr::hasAtom(std::string_view word) const {
    for (uint32_t i = node().first; i != 0; i = document_->node(i).next) {
        if (!document_->node(i).isList() && document_->text(document_->node(i)) == word) {
            return true;
        }
    }
    return false;
}

void Expr::fail(std::string_view message) const {
    throw DesignFormatError(located(document_->fileName(), node().at, message));
}

} // namespace lumora::engine::sexpr
