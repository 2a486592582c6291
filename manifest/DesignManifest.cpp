#include "manifest/DesignManifest.h"

#include "engine/io/JsonDepth.h"
#include "files/InputFile.h"
#include "manifest/DesignFolders.h"

#include <nlohmann/json.hpp>

#include <map>

namespace lumora::manifest {

namespace {

using Json = nlohmann::ordered_json;

std::filesystem::path resolved(const std::filesystem::path& base, std::string_view text) {
    const std::filesystem::path path(text);
    return path.is_absolute() ? path : (base / path).lexically_normal();
}

// The entries read so far, refusing a design listed twice with the same scripts: it would be
// checked twice into two folders, which is never what a list of orders means.
class EntryList {
  public:
    void add(ManifestEntry entry, const std::string& where) {
        std::string key = entry.design.string();
        for (const std::filesystem::path& script : entry.scripts) {
            key += '\0' + script.string();
        }
        const auto [first, isNew] = places_.emplace(key, where);
        if (!isNew) {
            throw ManifestError(where + ": lists the design and scripts of " + first->second + " again");
        }
        entries_.push_back(std::move(entry));
    }

    std::vector<ManifestEntry> take() {
        if (entries_.empty()) {
            throw ManifestError("lists no design");
        }
        nameFolders(entries_);
        return std::move(entries_);
    }

  private:
    std::vector<ManifestEntry> entries_;
    std::map<std::string, std::string> places_;
};

std::vector<std::string_view> tabFields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const std::size_t tab = line.find('\t');
        if (tab != 0) {
            fields.push_back(line.substr(0, tab));
        }
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return fields;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

ManifestEntry entryOfLine(std::string_view line, const std::filesystem::path& base) {
    ManifestEntry entry;
    for (std::string_view field : tabFields(line)) {
        if (entry.design.empty()) {
            entry.design = resolved(base, field);
        } else {
            entry.scripts.push_back(resolved(base, field));
        }
    }
    return entry;
}

std::string nonEmptyText(const Json& value, const std::string& where) {
    if (!value.is_string() || value.get_ref<const std::string&>().empty()) {
        throw ManifestError(where + ": expected a path or name as a text that is not empty");
    }
    return value.get<std::string>();
}

ManifestEntry entryOfObject(const Json& object, const std::filesystem::path& base, const std::string& where) {
    ManifestEntry entry;
    for (const auto& [key, value] : object.items()) {
        const std::string inner = where + "/" + key;
        if (key == "design") {
            entry.design = resolved(base, nonEmptyText(value, inner));
        } else if (key == "scripts" && value.is_array()) {
            for (std::size_t i = 0; i < value.size(); ++i) {
                entry.scripts.push_back(
                    resolved(base, nonEmptyText(value[i], inner + "/" + std::to_string(i))));
            }
        } else if (key == "name") {
            entry.folder = nonEmptyText(value, inner);
            if (!isSafeFolderName(entry.folder)) {
                throw ManifestError(inner + ": \"" + entry.folder +
                                    "\" cannot name a folder: letters, digits and . _ - + only, not "
                                    "starting with a dot, at most 100, and not a file of the output folder");
            }
        } else {
            throw ManifestError(inner + ": expected \"design\", \"scripts\" (a list) or \"name\"");
        }
    }
    if (entry.design.empty()) {
        throw ManifestError(where + ": names no \"design\"");
    }
    return entry;
}

} // namespace

std::vector<ManifestEntry> parseTextManifest(std::string_view text, const std::filesystem::path& base) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    EntryList entries;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(number);
        if (line.find('\0') != std::string_view::npos) {
            throw ManifestError(where + ": holds a NUL byte, which no path can");
        }
        entries.add(entryOfLine(line, base), where);
    }
    return entries.take();
}

std::vector<ManifestEntry> parseJsonManifest(std::string_view text, const std::filesystem::path& base) {
    if (const std::optional<std::size_t> deep = engine::firstTooDeep(text)) {
        throw ManifestError(engine::tooDeepMessage(text, *deep));
    }
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& error) { // a syntax error, and a number beyond a double too
        throw ManifestError(std::string("not JSON: ") + error.what());
    }
    if (!document.is_object() || !document.contains("designs") || !document["designs"].is_array()) {
        throw ManifestError("expected an object with a \"designs\" list");
    }
    EntryList entries;
    const Json& designs = document["designs"];
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const std::string where = "/designs/" + std::to_string(i);
        const Json& element = designs[i];
        if (element.is_object()) {
            entries.add(entryOfObject(element, base, where), where);
        } else {
            entries.add(ManifestEntry{resolved(base, nonEmptyText(element, where)), {}, {}}, where);
        }
    }
    return entries.take();
}

std::vector<ManifestEntry> readManifest(const std::filesystem::path& file) {
    const std::string prefix = "the manifest \"" + file.string() + "\"";
    std::string content;
    try {
        content = lumora::files::readInputFile(file, lumora::files::input::Manifest);
    } catch (const lumora::files::InputFileError& error) {
        throw ManifestError(prefix + " cannot be read (" + error.what() + ")");
    }
    // Absolute, so that the results name each design the same from any folder.
    const std::filesystem::path base = std::filesystem::absolute(file).parent_path();
    try {
        return file.extension() == ".json" ? parseJsonManifest(content, base)
                                           : parseTextManifest(content, base);
    } catch (const ManifestError& fault) {
        throw ManifestError(prefix + ", " + fault.what());
    }
}

} // namespace lumora::manifest
