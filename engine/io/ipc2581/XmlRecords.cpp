#include "engine/io/ipc2581/XmlRecords.h"

#include "engine/io/DesignFile.h"
#include "files/InputFile.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <array>
#include <charconv>
#include <cmath>
#include <exception>
#include <memory>

namespace lumora::engine::ipc2581 {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

std::string_view textOf(const xmlChar* text) {
    return text == nullptr ? std::string_view{} : std::string_view(reinterpret_cast<const char*>(text));
}

// xsd:double and xsd:boolean values may have blanks around them.
std::string_view trimmed(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}

std::string positioned(const std::string& fileName, int32_t line, int32_t column, std::string_view message) {
    return fileName + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + std::string(message);
}

// Everything libxml2's callbacks need. No exception may cross libxml2's C frames: a failure is kept
// here, the parser stopped, and the failure thrown once the parser has returned.
struct ParseState {
    ParseState(XmlRecordHandler& h, const std::string& fileName) : handler(h), record(fileName) {}

    XmlRecordHandler& handler;
    XmlRecord record;
    int32_t depth = 0;       // of the element being read, the root's 1
    int32_t skipDepth = 0;   // inside an element the handler skips
    int32_t recordDepth = 0; // inside a record being gathered
    std::exception_ptr failure;
    xmlParserCtxtPtr context = nullptr;

    void stop(std::exception_ptr error) {
        if (!failure) {
            failure = std::move(error);
        }
        xmlStopParser(context);
    }
};

ParseState& stateOf(void* user) {
    return *static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(user)->_private);
}

struct Position {
    int32_t line = 0;
    int32_t column = 0;
};

// Where the element whose start tag the parser just read begins. libxml2 tells where the tag ends,
// and its column lags behind in attribute values; its buffer still holds the tag (a value cannot
// hold a '<') and, on the short lines of real files, the line's start.
Position elementStart(xmlParserCtxtPtr context) {
    const xmlParserInputPtr input = context->input;
    const xmlChar* tag = input->cur;
    while (tag > input->base && *tag != '<') {
        --tag;
    }
    if (*tag != '<') {
        return {xmlSAX2GetLineNumber(context), xmlSAX2GetColumnNumber(context)};
    }
    int32_t line = input->line;
    for (const xmlChar* p = tag; p < input->cur; ++p) {
        line -= *p == '\n' ? 1 : 0;
    }
    const xmlChar* lineStart = tag;
    while (lineStart > input->base && lineStart[-1] != '\n') {
        --lineStart;
    }
    const bool documentStart = input->consumed == 0; // nothing of the buffer was dropped yet
    const bool known = lineStart > input->base || documentStart;
    return {line, known ? static_cast<int32_t>(tag - lineStart) + 1 : xmlSAX2GetColumnNumber(context)};
}

// libxml2 hands attributes over as five pointers each: local name, prefix, URI, value, value's end.
void openElement(ParseState& state, const xmlChar* localName, int attributeCount,
                 const xmlChar** attributes) {
    const Position start = elementStart(state.context);
    state.record.open(textOf(localName), start.line, start.column);
    for (int i = 0; i < attributeCount; ++i) {
        const xmlChar** a = attributes + 5 * i;
        state.record.addAttribute(textOf(a[0]), std::string_view(reinterpret_cast<const char*>(a[3]),
                                                                 static_cast<std::size_t>(a[4] - a[3])));
    }
}

// libxml2's push parser sets no bound on nesting: no IPC-2581 file nests deeper than a few tens.
void checkNesting(ParseState& state) {
    if (++state.depth > files::kMaxNesting) {
        const Position start = elementStart(state.context);
        throw DesignFormatError(
            positioned(state.record.fileName(), start.line, start.column,
                       "nested deeper than " + std::to_string(files::kMaxNesting) + " levels"));
    }
}

void startElement(ParseState& state, const xmlChar* localName, int attributeCount,
                  const xmlChar** attributes) {
    checkNesting(state);
    if (state.skipDepth > 0) {
        ++state.skipDepth;
        return;
    }
    openElement(state, localName, attributeCount, attributes);
    if (state.recordDepth > 0) {
        ++state.recordDepth;
        return;
    }
    switch (state.handler.start(XmlElement(state.record, 0))) {
    case Interest::Skip:
        state.skipDepth = 1;
        state.record.clear();
        break;
    case Interest::Enter:
        state.record.clear();
        break;
    case Interest::Record:
        state.recordDepth = 1;
        break;
    }
}

void endElement(ParseState& state, const xmlChar* localName) {
    --state.depth;
    if (state.skipDepth > 0) {
        --state.skipDepth;
        return;
    }
    if (state.recordDepth > 0) {
        state.record.close();
        if (--state.recordDepth == 0) {
            state.handler.record(XmlElement(state.record, 0));
            state.record.clear();
        }
        return;
    }
    state.handler.end(textOf(localName));
}

void onStartElement(void* user, const xmlChar* localName, const xmlChar*, const xmlChar*, int,
                    const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    ParseState& state = stateOf(user);
    if (state.failure) {
        return;
    }
    try {
        startElement(state, localName, attributeCount, attributes);
    } catch (...) {
        state.stop(std::current_exception());
    }
}

void onEndElement(void* user, const xmlChar* localName, const xmlChar*, const xmlChar*) {
    ParseState& state = stateOf(user);
    if (state.failure) {
        return;
    }
    try {
        endElement(state, localName);
    } catch (...) {
        state.stop(std::current_exception());
    }
}

// Malformed XML refuses the file. Namespace faults do not: real exports use prefixes they never
// declare, and the reader compares local names only.
void onError(void* user, xmlErrorPtr error) {
    ParseState& state = stateOf(user);
    if (error == nullptr || error->level < XML_ERR_ERROR || error->domain == XML_FROM_NAMESPACE ||
        state.failure) {
        return;
    }
    std::string message = error->message != nullptr ? error->message : "malformed XML";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    state.stop(std::make_exception_ptr(
        DesignFormatError(positioned(state.record.fileName(), error->line, error->int2, message))));
}

// Only the element callbacks: no tree is built, no entity is declared or expanded, nothing is
// fetched from the network.
xmlSAXHandler recordHandler() {
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = onStartElement;
    handler.endElementNs = onEndElement;
    handler.serror = onError;
    return handler;
}

using Context = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;

// A stream in chunks, within a design file's bound.
void readChunks(std::istream& in, const std::string& fileName, const files::TakePiece& take) {
    std::array<char, kChunkBytes> chunk{};
    std::uintmax_t total = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto count = static_cast<std::size_t>(in.gcount());
        total += count;
        if (total > files::input::Design.maxBytes) {
            throw DesignFormatError(fileName + ": larger than " +
                                    std::to_string(files::input::Design.maxBytes / files::input::kMiB) +
                                    " MiB, not a design file");
        }
        if (count == 0 || !take(std::string_view(chunk.data(), count))) {
            return;
        }
    }
}

} // namespace

void readXmlRecords(const std::function<void(const files::TakePiece& take)>& pieces,
                    const std::string& fileName, XmlRecordHandler& handler) {
    xmlSAXHandler sax = recordHandler();
    ParseState state(handler, fileName);
    Context context(xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, fileName.c_str()), xmlFreeParserCtxt);
    if (!context) {
        throw DesignFormatError(fileName + ": the XML reader could not be created");
    }
    state.context = context.get();
    context->_private = &state;
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET);
    pieces([&](std::string_view piece) {
        xmlParseChunk(state.context, piece.data(), static_cast<int>(piece.size()), 0);
        return !state.failure;
    });
    if (!state.failure) {
        xmlParseChunk(state.context, nullptr, 0, 1);
    }
    if (state.failure) {
        std::rethrow_exception(state.failure);
    }
    if (context->wellFormed == 0) {
        throw DesignFormatError(fileName + ": not well-formed XML");
    }
}

void readXmlRecords(std::istream& in, const std::string& fileName, XmlRecordHandler& handler) {
    readXmlRecords([&](const files::TakePiece& take) { readChunks(in, fileName, take); }, fileName, handler);
}

int32_t XmlRecord::open(std::string_view name, int32_t line, int32_t column) {
    const auto index = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(Node{.name = name,
                          .firstAttribute = static_cast<uint32_t>(attributes_.size()),
                          .line = line,
                          .column = column});
    if (!open_.empty()) {
        Node& parent = nodes_[static_cast<std::size_t>(open_.back())];
        if (parent.lastChild < 0) {
            parent.firstChild = index;
        } else {
            nodes_[static_cast<std::size_t>(parent.lastChild)].nextSibling = index;
        }
        parent.lastChild = index;
    }
    open_.push_back(index);
    return index;
}

void XmlRecord::addAttribute(std::string_view name, std::string_view value) {
    attributes_.push_back(
        Attribute{name, static_cast<uint32_t>(values_.size()), static_cast<uint32_t>(value.size())});
    values_.append(value);
    ++nodes_.back().attributeCount;
}

void XmlRecord::clear() {
    nodes_.clear();
    attributes_.clear();
    values_.clear();
    open_.clear();
}

std::string_view XmlElement::name() const {
    return record_->node(index_).name;
}

int32_t XmlElement::line() const {
    return record_->node(index_).line;
}

int32_t XmlElement::column() const {
    return record_->node(index_).column;
}

std::optional<std::string_view> XmlElement::attribute(std::string_view attributeName) const {
    const XmlRecord::Node& node = record_->node(index_);
    for (uint32_t i = 0; i < node.attributeCount; ++i) {
        const XmlRecord::Attribute& a = record_->attributeAt(node.firstAttribute + i);
        if (a.name == attributeName) {
            return record_->value(a);
        }
    }
    return std::nullopt;
}

std::string_view XmlElement::text(std::string_view attributeName) const {
    const std::optional<std::string_view> value = attribute(attributeName);
    if (!value) {
        fail("<" + std::string(name()) + "> has no " + std::string(attributeName));
    }
    return *value;
}

double XmlElement::number(std::string_view attributeName) const {
    const std::string_view written = text(attributeName);
    std::string_view value = trimmed(written);
    if (value.size() > 1 && value.front() == '+' && value[1] != '-') {
        value.remove_prefix(1); // xsd:double allows the sign, from_chars does not
    }
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc{} || end != value.data() + value.size() || !std::isfinite(number)) {
        fail("expected a number in " + std::string(attributeName) + "=\"" + std::string(written) + "\" of <" +
             std::string(name()) + ">");
    }
    return number;
}

double XmlElement::numberOr(std::string_view attributeName, double fallback) const {
    return attribute(attributeName) ? number(attributeName) : fallback;
}

bool XmlElement::flag(std::string_view attributeName) const {
    const std::optional<std::string_view> value = attribute(attributeName);
    return value && (trimmed(*value) == "true" || trimmed(*value) == "1");
}

std::optional<XmlElement> XmlElement::child(std::string_view childName) const {
    for (std::optional<XmlElement> c = firstChild(); c; c = c->nextSibling()) {
        if (c->name() == childName) {
            return c;
        }
    }
    return std::nullopt;
}

std::optional<XmlElement> XmlElement::firstChild() const {
    const int32_t first = record_->node(index_).firstChild;
    return first < 0 ? std::nullopt : std::optional<XmlElement>(XmlElement(*record_, first));
}

std::optional<XmlElement> XmlElement::nextSibling() const {
    const int32_t next = record_->node(index_).nextSibling;
    return next < 0 ? std::nullopt : std::optional<XmlElement>(XmlElement(*record_, next));
}

std::string XmlElement::where() const {
    return record_->fileName() + ":" + std::to_string(line()) + ":" + std::to_string(column());
}

void XmlElement::fail(std::string_view message) const {
    throw DesignFormatError(where() + ": " + std::string(message));
}

} // namespace lumora::engine::ipc2581
