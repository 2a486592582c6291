#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::sexpr {

// Where a token starts: 1-based line and column.
struct Position {
    uint32_t line = 1;
    uint32_t column = 1;
};

enum class TokenKind : uint8_t { Open, Close, Atom, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text{}; // atoms: as written, quotes and escapes included for quoted ones
    Position at{};
    bool quoted = false;
};

// UTF-8's byte-order mark.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Cuts S-expression text into tokens one at a time, keeping track of lines and columns. Raises
// DesignFormatError ("file:line:column: ...") for a string left open or a character it cannot
// read.
class Tokenizer {
  public:
    // A byte-order mark at the start is passed over: editors on some systems write one, and no
    // position counts it.
    Tokenizer(std::string_view text, std::string_view fileName)
        : text_(text), fileName_(fileName),
          offset_(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0) {}
    Token next();
    [[noreturn]] void fail(Position at, std::string_view message) const;

  private:
    void skipBlanks();
    Token quotedAtom(Position at);
    Token bareAtom(Position at);
    void refuseInvalidUtf8(std::string_view atom, Position at) const;
    void advance(std::size_t count);

    std::string_view text_;
    std::string_view fileName_;
    std::size_t offset_ = 0;
    Position position_{};
};

// The text of a file read as one S-expression, held as a table of nodes: an atom, or a list whose
// children follow through first/next links. Nodes are small and stored in fixed blocks (a small
// file's one block no larger than its text allows), so that a large board needs a few bytes of
// table per byte of text and is never copied while it grows.
class Document {
  public:
    // Reads the whole text; a fault anywhere refuses it with its position.
    Document(std::string text, std::string fileName);

    struct Node {
        uint32_t offset = 0; // atoms: where the value starts, in the text or the unescaped copies
        uint32_t length = 0; // with the flags below
        uint32_t first = 0;  // lists: the first child; 0 for none
        uint32_t next = 0;   // the next sibling; 0 for none
        Position at{};
        bool isList() const { return (length & kList) != 0; }
    };

    const Node& node(uint32_t index) const { return blocks_[index >> kBlockBits][index & kBlockMask]; }
    // An atom's value, unescaped.
    std::string_view text(const Node& atom) const;
    const std::string& fileName() const { return fileName_; }
    static constexpr uint32_t kRoot = 1;

  private:
    static constexpr uint32_t kList = 1u << 31;
    static constexpr uint32_t kEscaped = 1u << 30;
    static constexpr uint32_t kBlockBits = 16;
    static constexpr uint32_t kBlockMask = (1u << kBlockBits) - 1;

    // Reads the root list opened at `at` and everything in it.
    void readLists(Tokenizer& tokens, Position at);
    Node& nodeAt(uint32_t index) { return blocks_[index >> kBlockBits][index & kBlockMask]; }
    uint32_t add(Node node);
    Node atom(const Token& token);

    std::string text_;
    std::string fileName_;
    std::vector<std::unique_ptr<Node[]>> blocks_;
    uint32_t count_ = 0;
    std::string unescaped_; // the values of quoted atoms with escapes, one after another
};

// The parts one after another: messages built without `"text" + std::string(...)`, which GCC 12's
// optimiser misreads as overlapping copies.
std::string concat(std::initializer_list<std::string_view> parts);

// A view of one node of a Document: what readers of a file walk through.
class Expr {
  public:
    Expr(const Document& document, uint32_t index) : document_(&document), index_(index) {}

    bool isList() const { return node().isList(); }
    // The first atom of a list ("footprint" for (footprint ...)), or "" when it has none.
    std::string_view head() const;
    // An atom's own text.
    std::string_view text() const;
    Position position() const { return node().at; }

    // Children of a list, its head included.
    std::vector<Expr> children() const;
    // The child at index (0 is the head); raises the "expected" fault when missing.
    Expr at(std::size_t index) const;
    std::size_t size() const;
    // The first child list with this head.
    std::optional<Expr> find(std::string_view head) const;
    // The same for a member the list cannot do without: its absence is a positioned fault.
    Expr require(std::string_view head) const;
    // Every child list with this head.
    std::vector<Expr> findAll(std::string_view head) const;
    // Calls visit for every child list, in order.
    template <class F> void forEachList(F&& visit) const {
        for (uint32_t i = node().first; i != 0; i = document_->node(i).next) {
            if (document_->node(i).isList()) {
                visit(Expr(*document_, i));
            }
        }
    }

    // The atom at index read as a number; raises a positioned fault when it is not one.
    double number(std::size_t index) const;
    // The child list `head`'s atom at 1 as a number, or fallback when there is no such list.
    double numberOf(std::string_view head, double fallback) const;
    // A size, width or thickness: a negative one is refused where it stands, as the native format
    // refuses it. nonNegative reads the number at index, sizeOf the one of a child list like numberOf.
    double nonNegative(std::size_t index) const;
    double sizeOf(std::string_view head, double fallback) const;
    // The child list `head`'s atom at 1, or "" when there is no such list.
    std::string_view textOf(std::string_view head) const;
    // Whether an atom equal to word is among the children.
    bool hasAtom(std::string_view word) const;

    [[noreturn]] void fail(std::string_view message) const;

  private:
    const Document::Node& node() const { return document_->node(index_); }

    const Document* document_;
    uint32_t index_;
};

} // namespace lumora::engine::sexpr
