#pragma once

#include "files/InputFile.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::ipc2581 {

class XmlRecord;

// One element of a record, with its attributes and children: a view valid while its handler runs.
class XmlElement {
  public:
    XmlElement(const XmlRecord& record, int32_t index) : record_(&record), index_(index) {}

    std::string_view name() const;
    int32_t line() const;
    int32_t column() const;

    std::optional<std::string_view> attribute(std::string_view attributeName) const;
    // The attribute's text; refused with the element's position when it is missing.
    std::string_view text(std::string_view attributeName) const;
    // A finite number; refused where it stands when it is missing or not a number.
    double number(std::string_view attributeName) const;
    double numberOr(std::string_view attributeName, double fallback) const;
    // xsd:boolean: "true" or "1".
    bool flag(std::string_view attributeName) const;

    std::optional<XmlElement> child(std::string_view childName) const;
    std::optional<XmlElement> firstChild() const;
    std::optional<XmlElement> nextSibling() const;
    // Calls visit(XmlElement) for each child, in order.
    template <class Visit> void forEachChild(Visit&& visit) const {
        for (std::optional<XmlElement> c = firstChild(); c; c = c->nextSibling()) {
            visit(*c);
        }
    }

    // "FILE:LINE:COLUMN", where messages about the element point.
    std::string where() const;
    // Throws DesignFormatError "FILE:LINE:COLUMN: message".
    [[noreturn]] void fail(std::string_view message) const;

  private:
    const XmlRecord* record_;
    int32_t index_;
};

// What a handler wants of an element whose start the reader met outside any record.
enum class Interest {
    Skip,   // nothing of it or inside it
    Enter,  // its start now (attributes only), its children one by one, then its end
    Record, // the whole element, children included, once it has ended
};

class XmlRecordHandler {
  public:
    virtual ~XmlRecordHandler() = default;
    // The element's start: its attributes, no children yet.
    virtual Interest start(const XmlElement& element) = 0;
    virtual void record(const XmlElement& element) = 0;
    virtual void end(std::string_view elementName) = 0;
};

// Reads an XML file as a stream of small records (a component, a set of features...), never as a
// tree of the whole file, with libxml2's push parser. Element and attribute names are local:
// namespaces are not told apart. Malformed XML, and whatever a handler refuses, is thrown as
// DesignFormatError with the file, line and column.
void readXmlRecords(std::istream& in, const std::string& fileName, XmlRecordHandler& handler);
// The same for a text handed over in pieces: pieces(take) calls take with each piece in order until
// the text ends or take says stop (files::readInputPieces for a file).
void readXmlRecords(const std::function<void(const files::TakePiece& take)>& pieces,
                    const std::string& fileName, XmlRecordHandler& handler);

// The tree of one record as it is read: names point into the parser's dictionary, values into one
// buffer; all of it is cleared (keeping its capacity) for the next record.
class XmlRecord {
  public:
    struct Attribute {
        std::string_view name;
        uint32_t value = 0;
        uint32_t length = 0;
    };
    struct Node {
        std::string_view name;
        uint32_t firstAttribute = 0;
        uint32_t attributeCount = 0;
        int32_t firstChild = -1;
        int32_t lastChild = -1;
        int32_t nextSibling = -1;
        int32_t line = 0;
        int32_t column = 0;
    };

    explicit XmlRecord(const std::string& fileName) : fileName_(fileName) {}

    // Opens an element as a child of the innermost open one (or as the root); returns its index.
    int32_t open(std::string_view name, int32_t line, int32_t column);
    void addAttribute(std::string_view name, std::string_view value);
    void close() { open_.pop_back(); }
    void clear();

    const Node& node(int32_t index) const { return nodes_[static_cast<std::size_t>(index)]; }
    const Attribute& attributeAt(uint32_t index) const { return attributes_[index]; }
    std::string_view value(const Attribute& attribute) const {
        return std::string_view(values_).substr(attribute.value, attribute.length);
    }
    const std::string& fileName() const { return fileName_; }

  private:
    const std::string& fileName_;
    std::vector<Node> nodes_;
    std::vector<Attribute> attributes_;
    std::string values_;
    std::vector<int32_t> open_;
};

} // namespace lumora::engine::ipc2581
