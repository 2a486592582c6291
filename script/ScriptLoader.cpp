#include "script/ScriptLoader.h"

#include "files/InputFile.h"
#include "script/LocaleConversions.h"
#include "script/RegionalNumbers.h"
#include "script/RunnerError.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace lumora {

namespace {

const XMLContentHandler::Attribute* findAttribute(const std::vector<XMLContentHandler::Attribute>& attributes,
                                                  const std::string& name) {
    for (const auto& attribute : attributes) {
        if (attribute.qualifiedName == name) {
            return &attribute;
        }
    }
    return nullptr;
}

const std::string& requireAttribute(const std::vector<XMLContentHandler::Attribute>& attributes,
                                    const std::string& name) {
    if (const auto* attribute = findAttribute(attributes, name)) {
        return attribute->value;
    }
    throw RunnerError(5, "XMLContentHandler", "The attribute \"" + name + "\" is missing.");
}

std::string toText(const xmlChar* text) {
    return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

std::string stripTrailingNewlines(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

// Scripts are handed to the parser in pieces of this size, which stops at the first that fails:
// a file of zeros is refused after its first piece.
constexpr std::size_t kChunkBytes = 64 * 1024;

// Everything libxml2's callbacks need; no exception may cross libxml2's C frames. libxml2's own
// SAX2 callbacks (kept for the document type declaration) expect the parser context as their
// user data, so the state travels in the context's _private field.
struct ParseState {
    XMLContentHandler content;
    XMLErrorHandler errors;
    xmlParserCtxtPtr context = nullptr;
    bool failed = false;

    void fail(int32_t line, std::string message) {
        errors.fatalError(line, std::move(message));
        failed = true;
    }
};

ParseState* stateOf(void* user) {
    return static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(user)->_private);
}

void onStartElement(void* user, const xmlChar* localName, const xmlChar* prefix, const xmlChar*, int,
                    const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    auto* state = stateOf(user);
    if (state->failed) {
        return;
    }
    (void)prefix;
    std::vector<XMLContentHandler::Attribute> list;
    list.reserve(static_cast<std::size_t>(attributeCount));
    for (int i = 0; i < attributeCount; ++i) {
        const xmlChar** a = attributes + 5 * i; // localname, prefix, URI, value, end of value
        std::string name = a[1] != nullptr ? toText(a[1]) + ":" + toText(a[0]) : toText(a[0]);
        list.push_back({std::move(name), std::string(reinterpret_cast<const char*>(a[3]),
                                                     reinterpret_cast<const char*>(a[4]))});
    }
    try {
        state->content.startElement(toText(localName), list);
    } catch (const RunnerError& error) {
        state->fail(xmlSAX2GetLineNumber(state->context), error.description());
        xmlStopParser(state->context);
    } catch (const std::exception& error) {
        state->fail(xmlSAX2GetLineNumber(state->context), error.what());
        xmlStopParser(state->context);
    }
}

void onStructuredError(void* user, xmlErrorPtr error) {
    auto* state = stateOf(user);
    if (error == nullptr || error->level != XML_ERR_FATAL) {
        return; // warnings and recoverable errors do not stop a script
    }
    state->fail(error->line, stripTrailingNewlines(toText(reinterpret_cast<const xmlChar*>(error->message))));
}

// Internal entities are expanded as any XML reader does; external ones would read other files (or
// /dev/zero), so their declaration ends the parse.
void onEntityDecl(void* user, const xmlChar* name, int type, const xmlChar* publicId, const xmlChar* systemId,
                  xmlChar* content) {
    const bool internal = type == XML_INTERNAL_GENERAL_ENTITY || type == XML_INTERNAL_PARAMETER_ENTITY;
    if (!internal) {
        auto* context = static_cast<xmlParserCtxtPtr>(user);
        stateOf(user)->fail(xmlSAX2GetLineNumber(context),
                            "The entity \"" + toText(name) +
                                "\" is external; a script declares only internal entities.");
        xmlStopParser(context);
        return;
    }
    xmlSAX2EntityDecl(user, name, type, publicId, systemId, content);
}

// libxml2's SAX2 handler keeps the document type declaration (so entities work); the tree it would
// build is switched off, only the start of an element reaches the content handler.
xmlSAXHandler scriptHandler() {
    xmlSAXHandler handler{};
    xmlSAXVersion(&handler, 2);
    handler.entityDecl = onEntityDecl;
    handler.startElementNs = onStartElement;
    handler.endElementNs = nullptr;
    handler.characters = nullptr;
    handler.ignorableWhitespace = nullptr;
    handler.cdataBlock = nullptr;
    handler.comment = nullptr;
    handler.processingInstruction = nullptr;
    handler.reference = nullptr;
    handler.serror = onStructuredError;
    handler.error = nullptr;
    handler.warning = nullptr;
    return handler;
}

// Feeds the text to the parser piece by piece; the failure text when it holds nothing.
std::optional<std::string> feedText(std::string_view text, xmlParserCtxtPtr context,
                                    const ParseState& state) {
    if (text.empty()) {
        return std::string("The file is empty.");
    }
    while (!state.failed) {
        const std::string_view piece = text.substr(0, kChunkBytes);
        text.remove_prefix(piece.size());
        xmlParseChunk(context, piece.data(), static_cast<int>(piece.size()), text.empty() ? 1 : 0);
        if (text.empty()) {
            break;
        }
    }
    return std::nullopt;
}

// What the loader says of a file the bounded reader refused, in the words it always used.
std::string refusalText(const files::InputFileError& error) {
    switch (error.fault()) {
    case files::InputFault::CannotOpen:
        return "The file could not be opened.";
    case files::InputFault::NotRegular:
        return "The file is " + error.reason().substr(0, error.reason().find(';')) + ".";
    case files::InputFault::TooLarge:
        return "The file is larger than " +
               std::to_string(files::input::Script.maxBytes / files::input::kMiB) + " MiB.";
    case files::InputFault::Unreadable:
        break;
    }
    return "The file could not be read.";
}

// Parses the text into the state; the parser's document (which holds the document type
// declaration) and context are freed whatever happens.
void parseInto(std::string_view text, const std::string& path, ParseState& state) {
    xmlSAXHandler handler = scriptHandler();
    state.context = xmlCreatePushParserCtxt(&handler, nullptr, nullptr, 0, path.c_str());
    if (state.context == nullptr) {
        state.errors.fatalError(0, "The XML reader could not be created.");
        state.failed = true;
        return;
    }
    state.context->_private = &state;
    xmlCtxtUseOptions(state.context, XML_PARSE_NONET | XML_PARSE_NOENT);
    std::optional<std::string> unreadable;
    try {
        unreadable = feedText(text, state.context, state);
    } catch (const std::exception& error) {
        unreadable = error.what();
    }
    const bool wellFormed = state.context->wellFormed != 0;
    const int32_t line = xmlSAX2GetLineNumber(state.context);
    if (state.context->myDoc != nullptr) {
        xmlFreeDoc(state.context->myDoc);
    }
    xmlFreeParserCtxt(state.context);
    state.context = nullptr;
    if (unreadable && !state.failed) {
        state.fail(line, *unreadable);
    } else if (!wellFormed && !state.failed) {
        state.fail(0, "The script is not well-formed XML.");
    }
}

} // namespace

void XMLErrorHandler::fatalError(int32_t line, std::string message) {
    lngLineError = line;
    strMsgError = std::move(message);
}

void XMLContentHandler::startElement(const std::string& localName, const std::vector<Attribute>& attributes) {
    if (localName == "DFM_Script") {
        // Without a version the first Test fails to convert it, as a Test before the root does.
        const auto* version = findAttribute(attributes, "version");
        version_ = version != nullptr ? version->value : std::string();
    } else if (localName == "Settings") {
        curChild_.setUnits(toLong(requireAttribute(attributes, "Units")));
    } else if (localName == "Test") {
        double version = toDouble(getRegionalStringFromEng(version_));
        const std::string& name = requireAttribute(attributes, version > 1.0 ? "name" : "Name");
        auto objTest = std::make_unique<clsTestItem>();
        objTest->strName = name;
        objTest->setDefaults();
        for (std::size_t i = 1; i < attributes.size(); ++i) { // the first attribute is never a parameter
            objTest->addProperty(attributes[i].qualifiedName, attributes[i].value);
        }
        curChild_.addTest(std::move(objTest));
    }
}

std::optional<XMLErrorHandler> loadScript(const std::string& path, ScriptSink& sink) {
    std::string text;
    try {
        text = files::readInputFile(path, files::input::Script);
    } catch (const files::InputFileError& error) {
        XMLErrorHandler failure;
        failure.fatalError(0, refusalText(error));
        return failure;
    }
    return loadScriptText(text, path, sink);
}

std::optional<XMLErrorHandler> loadScriptText(std::string_view text, const std::string& path,
                                              ScriptSink& sink) {
    ParseState state{XMLContentHandler(sink), {}, nullptr, false};
    parseInto(text, path, state);
    return state.failed ? std::optional(state.errors) : std::nullopt;
}

std::string scriptFailureMessage(const std::string& fileName, const XMLErrorHandler& failure) {
    return fileName + " could not be read.\r\r\tError = " + failure.strMsgError +
           "\tLine = " + std::to_string(failure.lngLineError);
}

} // namespace lumora
