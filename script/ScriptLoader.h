#pragma once

#include "script/clsTestItem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// What a script declares goes to its window through this; the window implements it.
class ScriptSink {
  public:
    virtual ~ScriptSink() = default;
    virtual void setUnits(int32_t units) = 0;
    virtual void addTest(std::unique_ptr<clsTestItem> objTest) = 0;
};

// Keeps the text and line of the last fatal parse error.
struct XMLErrorHandler {
    int32_t lngLineError = 0;
    std::string strMsgError;

    void fatalError(int32_t line, std::string message);
};

// Turns script elements into settings and test items; only the start of an element does work.
class XMLContentHandler {
  public:
    explicit XMLContentHandler(ScriptSink& curChild) : curChild_(curChild) {}

    struct Attribute {
        std::string qualifiedName;
        std::string value;
    };
    // Throws RunnerError when the element cannot be taken (missing attribute, bad version...).
    void startElement(const std::string& localName, const std::vector<Attribute>& attributes);

  private:
    ScriptSink& curChild_;
    std::string version_;
};

// Parses one script into the sink. Returns the failure when the file could not be read whole;
// tests read before the failure have already reached the sink. A file that is not a regular one,
// or larger than 64 MiB, is refused unread (files/InputFile.h).
std::optional<XMLErrorHandler> loadScript(const std::string& path, ScriptSink& sink);
// The same for a script's text; path names it in libxml2's messages.
std::optional<XMLErrorHandler> loadScriptText(std::string_view text, const std::string& path,
                                              ScriptSink& sink);

// The message a user sees when a script could not be read.
std::string scriptFailureMessage(const std::string& fileName, const XMLErrorHandler& failure);

} // namespace lumora
