#include "script/ScriptLoader.h"

#include "script/LocaleConversions.h"
#include "script/RegionalNumbers.h"
#include "script/RunnerError.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <fstream>
#include <iterator>
#include <sstream>

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

// Everything libxml2's callbacks need; no exception may cross libxml2's C frames.
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

void onStartElement(void* user, const xmlChar* localName, const xmlChar* prefix, const xmlChar*, int,
                    const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    auto* state = static_cast<ParseState*>(user);
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
    auto* state = static_cast<ParseState*>(user);
    if (error == nullptr || error->level != XML_ERR_FATAL) {
        return; // warnings and recoverable errors do not stop a script
    }
    state->fail(error->line, stripTrailingNewlines(toText(reinterpret_cast<const xmlChar*>(error->message))));
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    ParseState state{XMLContentHandler(sink), {}, nullptr, false};
    std::optional<std::string> text = readWholeFile(path);
    if (!text) {
        state.errors.fatalError(0, "The file could not be opened.");
        return state.errors;
    }

    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = onStartElement;
    handler.serror = onStructuredError;

    state.context = xmlCreatePushParserCtxt(&handler, &state, nullptr, 0, path.c_str());
    if (state.context == nullptr) {
        state.errors.fatalError(0, "The XML reader could not be created.");
        return state.errors;
    }
    xmlCtxtUseOptions(state.context, XML_PARSE_NONET);
    xmlParseChunk(state.context, text->data(), static_cast<int>(text->size()), 1);
    bool wellFormed = state.context->wellFormed != 0;
    xmlFreeParserCtxt(state.context);

    if (state.failed || !wellFormed) {
        if (!state.failed) {
            state.errors.fatalError(0, "The script is not well-formed XML.");
        }
        return state.errors;
    }
    return std::nullopt;
}

std::string scriptFailureMessage(const std::string& fileName, const XMLErrorHandler& failure) {
    return fileName + " could not be read.\r\r\tError = " + failure.strMsgError +
           "\tLine = " + std::to_string(failure.lngLineError);
}

} // namespace lumora
