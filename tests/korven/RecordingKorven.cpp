#include "tests/korven/RecordingKorven.h"

#include <algorithm>
#include <charconv>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>

namespace lumora::test {

namespace {

std::string text(const std::string& value) {
    return "\"" + value + "\"";
}
std::string text(bool value) {
    return value ? "1" : "0";
}

template <class Number>
requires std::is_arithmetic_v<Number> std::string text(Number value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

// A check's two limits as two arguments, marginal first.
std::string text(const Limits& limits) {
    return text(limits.marginal) + ", " + text(limits.critical);
}

template <class Element> std::string text(const std::vector<Element>& values) {
    std::string joined = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        joined += (i > 0 ? "," : "") + text(values[i]);
    }
    return joined + "]";
}

// The fields of a check's arguments in their order, so that a check is recorded as KORVEN's
// positional call would be. Aggregates of up to nine fields.
struct AnyField {
    template <class T> operator T() const; // declared only: named in unevaluated checks alone
};

template <class T, std::size_t... I> constexpr bool takesFields(std::index_sequence<I...>) {
    return requires {
        T{(void(I), AnyField{})...};
    };
}

template <class T, std::size_t N = 9> constexpr std::size_t fieldCount() {
    if constexpr (N == 0 || takesFields<T>(std::make_index_sequence<N>{})) {
        return N;
    } else {
        return fieldCount<T, N - 1>();
    }
}

template <class T> auto fieldsOf(const T& value) {
    constexpr std::size_t count = fieldCount<T>();
    static_assert(count > 0, "a check's arguments have one to nine fields");
    if constexpr (count == 1) {
        const auto& [a] = value;
        return std::tie(a);
    } else if constexpr (count == 2) {
        const auto& [a, b] = value;
        return std::tie(a, b);
    } else if constexpr (count == 3) {
        const auto& [a, b, c] = value;
        return std::tie(a, b, c);
    } else if constexpr (count == 4) {
        const auto& [a, b, c, d] = value;
        return std::tie(a, b, c, d);
    } else if constexpr (count == 5) {
        const auto& [a, b, c, d, e] = value;
        return std::tie(a, b, c, d, e);
    } else if constexpr (count == 6) {
        const auto& [a, b, c, d, e, f] = value;
        return std::tie(a, b, c, d, e, f);
    } else if constexpr (count == 7) {
        const auto& [a, b, c, d, e, f, g] = value;
        return std::tie(a, b, c, d, e, f, g);
    } else if constexpr (count == 8) {
        const auto& [a, b, c, d, e, f, g, h] = value;
        return std::tie(a, b, c, d, e, f, g, h);
    } else {
        const auto& [a, b, c, d, e, f, g, h, i] = value;
        return std::tie(a, b, c, d, e, f, g, h, i);
    }
}

template <class... Values> std::string args(const Values&... values) {
    std::string joined;
    ((joined += (joined.empty() ? "" : ", ") + text(values)), ...);
    return joined;
}

// outs("name", name, "show", show) -> name="x", show=1
std::string outs() {
    return "";
}
template <class Value, class... Rest>
std::string outs(const char* key, const Value& value, const Rest&... rest) {
    std::string tail = outs(rest...);
    return std::string(key) + "=" + text(value) + (tail.empty() ? "" : ", " + tail);
}

} // namespace

void RecordingKorven::addInsert(int16_t parentGeom, int16_t insertType, int32_t dataPos, int16_t insGeomNum) {
    insertsByType_[{parentGeom, insertType}].push_back(dataPos);
    inserts_[{parentGeom, dataPos}] = Insert{insGeomNum, insertType};
}

void RecordingKorven::queueCode(const std::string& method, int16_t code) {
    queuedCodes_[method].push_back(code);
}

void RecordingKorven::setCode(const std::string& method, int16_t code) {
    fixedCodes_[method] = code;
}

void RecordingKorven::failOn(const std::string& method, const std::string& description) {
    failures_[method] = description;
}

void RecordingKorven::queueDrcs(std::vector<ScriptedEvent> events) {
    queuedDrcs_.push_back(std::move(events));
}

std::string RecordingKorven::trace() const {
    std::string joined;
    for (const std::string& line : calls_) {
        joined += line + "\n";
    }
    return joined;
}

std::size_t RecordingKorven::begin(const std::string& method, const std::string& arguments) {
    calls_.push_back(method + "(" + arguments + ")");
    if (auto failure = failures_.find(method); failure != failures_.end()) {
        calls_.back() += " !! " + failure->second;
        throw AutomationError(failure->second);
    }
    return calls_.size() - 1;
}

int16_t RecordingKorven::finish(std::size_t line, const std::string& method, int16_t natural,
                                const std::string& written) {
    int16_t code = natural;
    if (auto queued = queuedCodes_.find(method); queued != queuedCodes_.end() && !queued->second.empty()) {
        code = queued->second.front();
        queued->second.pop_front();
    } else if (auto fixed = fixedCodes_.find(method); fixed != fixedCodes_.end()) {
        code = fixed->second;
    }
    calls_[line] += " -> " + text(code) + (written.empty() ? "" : " [" + written + "]");
    return code;
}

int16_t RecordingKorven::check(const std::string& method, const std::string& arguments) {
    std::size_t line = begin(method, arguments);
    std::vector<ScriptedEvent> events;
    if (!queuedDrcs_.empty()) {
        events = std::move(queuedDrcs_.front());
        queuedDrcs_.pop_front();
    }
    int16_t placed = 0;
    bool limitReached = false;
    for (const ScriptedEvent& event : events) {
        if (maxErrors_ > 0 && placed >= maxErrors_) {
            limitReached = true;
            break;
        }
        if (event.keyWord == "DRC Added") {
            ++placed;
        }
        if (response_) {
            calls_.push_back("  Response(" + args(event.keyWord, event.value) + ")");
            response_->Response(event.keyWord, event.value);
        }
    }
    return finish(line, method, limitReached ? 1 : 0);
}

const ScriptedFile* RecordingKorven::findFile(int32_t number) const {
    auto found = std::ranges::find(files, number, &ScriptedFile::number);
    return found != files.end() ? &*found : nullptr;
}

const ScriptedLayer* RecordingKorven::findLayer(int16_t number) const {
    return number >= 0 && static_cast<std::size_t>(number) < layers.size() ? &layers[number] : nullptr;
}

int16_t RecordingKorven::keywordNumber(const std::string& keyword) {
    auto found = std::ranges::find(keywords_, keyword);
    if (found == keywords_.end()) {
        keywords_.push_back(keyword);
        return static_cast<int16_t>(keywords_.size());
    }
    return static_cast<int16_t>(found - keywords_.begin() + 1);
}

// --- AutomationProvider ---

std::shared_ptr<AutomationObject> RecordingKorven::createObject(std::string_view progId) {
    // Non-owning: the test keeps the double alive for as long as the runner holds its objects.
    std::shared_ptr<AutomationObject> self(std::shared_ptr<void>(), static_cast<KorvenApplication*>(this));
    bool serves = (progId == kApplicationProgId && servesApplication) || (progId == kDfmProgId && servesDfm);
    calls_.push_back("CreateObject(" + text(std::string(progId)) + ")" + (serves ? "" : " -> none"));
    return serves ? self : nullptr;
}

// --- KORVEN.Application ---

int16_t RecordingKorven::GetAPIVersion(int16_t& major, int16_t& minor) {
    std::size_t line = begin("GetAPIVersion", "");
    major = versionMajor;
    minor = versionMinor;
    return finish(line, "GetAPIVersion", 0, outs("major", major, "minor", minor));
}

int16_t RecordingKorven::GetActiveDocument(int32_t& docId) {
    std::size_t line = begin("GetActiveDocument", "");
    docId = activeDocument;
    return finish(line, "GetActiveDocument", 0, outs("doc", docId));
}

void RecordingKorven::GetDocument(int32_t docId, std::string& name) {
    std::size_t line = begin("GetDocument", args(docId));
    name = documentName;
    calls_[line] += " [" + outs("name", name) + "]";
}

void RecordingKorven::GetPageUnits(std::string& units) {
    std::size_t line = begin("GetPageUnits", "");
    units = pageUnits;
    calls_[line] += " [" + outs("units", units) + "]";
}

int16_t RecordingKorven::GetFileArray(std::vector<int32_t>& fileNumbers) {
    std::size_t line = begin("GetFileArray", "");
    fileNumbers.clear();
    for (const ScriptedFile& file : files) {
        fileNumbers.push_back(file.number);
    }
    return finish(line, "GetFileArray", 0, outs("files", fileNumbers));
}

int16_t RecordingKorven::GetFile2(int32_t fileNumber, std::string& name, int16_t& fileType, bool& show,
                                  float& x, float& y, float& scale, float& rotation, int16_t& mirror,
                                  int16_t& blockType, int16_t& geomNum) {
    std::size_t line = begin("GetFile2", args(fileNumber));
    const ScriptedFile* file = findFile(fileNumber);
    if (file == nullptr) {
        return finish(line, "GetFile2", -3);
    }
    name = file->name;
    fileType = 0;
    show = file->show;
    x = y = rotation = 0.0f;
    scale = 1.0f;
    mirror = 0;
    blockType = file->blockType;
    geomNum = file->geomNum;
    return finish(line, "GetFile2", 0, outs("name", name, "show", show, "type", blockType, "geom", geomNum));
}

int16_t RecordingKorven::GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                                  std::vector<int32_t>& inserts) {
    std::size_t line = begin("GetDataArrayByInsertType", args(geomNum, insertType));
    auto found = insertsByType_.find({geomNum, insertType});
    if (found == insertsByType_.end()) {
        return finish(line, "GetDataArrayByInsertType", -9);
    }
    inserts = found->second;
    return finish(line, "GetDataArrayByInsertType", 0, outs("inserts", inserts));
}

int16_t RecordingKorven::GetDataInsert(int16_t geomNum, int32_t dataPos, int16_t& insGeomNum, float& insX,
                                       float& insY, float& insScale, float& insRotation, int16_t& insMirror,
                                       int16_t& insertType, std::string& refName) {
    std::size_t line = begin("GetDataInsert", args(geomNum, dataPos));
    auto found = inserts_.find({geomNum, dataPos});
    if (found == inserts_.end()) {
        return finish(line, "GetDataInsert", -3);
    }
    insGeomNum = found->second.insGeomNum;
    insX = insY = insRotation = 0.0f;
    insScale = 1.0f;
    insMirror = 0;
    insertType = found->second.insertType;
    refName.clear();
    return finish(line, "GetDataInsert", 0, outs("geom", insGeomNum));
}

void RecordingKorven::AutoRedraw(bool on) {
    begin("AutoRedraw", args(on));
}

int16_t RecordingKorven::Redraw() {
    return finish(begin("Redraw", ""), "Redraw", 0);
}

int16_t RecordingKorven::SaveDataFileAs(const std::string& filename) {
    return finish(begin("SaveDataFileAs", args(filename)), "SaveDataFileAs", 0);
}

int16_t RecordingKorven::TurnOnResponse(const std::string& progId) {
    std::size_t line = begin("TurnOnResponse", args(progId));
    response_ = automationRegistry().createResponse(progId);
    return finish(line, "TurnOnResponse", response_ ? 0 : -3);
}

int16_t RecordingKorven::TurnOffResponseByID(const std::string& progId) {
    std::size_t line = begin("TurnOffResponseByID", args(progId));
    response_.reset();
    return finish(line, "TurnOffResponseByID", 0);
}

int16_t RecordingKorven::GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show,
                                   int16_t& color, std::string& description, int16_t& fillStyle,
                                   int16_t& lineStyle, int16_t& lineWidth, int16_t& penNumber) {
    std::size_t line = begin("GetLayer3", args(layer));
    const ScriptedLayer* scripted = findLayer(layer);
    if (scripted == nullptr) {
        return finish(line, "GetLayer3", -8);
    }
    if (scripted->code != 0) {
        return finish(line, "GetLayer3", scripted->code);
    }
    name = scripted->name;
    type = scripted->type;
    show = scripted->show;
    color = fillStyle = lineStyle = lineWidth = penNumber = 0;
    description.clear();
    return finish(line, "GetLayer3", 0, outs("name", name, "type", type, "show", show));
}

void RecordingKorven::GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical,
                                      int16_t& artwork) {
    std::size_t line = begin("GetLayerStackup", args(layer));
    if (const ScriptedLayer* scripted = findLayer(layer)) {
        electrical = scripted->electrical;
        physical = scripted->physical;
        artwork = scripted->artwork;
    }
    calls_[line] += " [" + outs("electrical", electrical, "physical", physical, "artwork", artwork) + "]";
}

int16_t RecordingKorven::SetLayerCurrentAttrib(int16_t layerNum) {
    std::size_t line = begin("SetLayerCurrentAttrib", args(layerNum));
    currentAttribLayer_ = layerNum;
    return finish(line, "SetLayerCurrentAttrib", findLayer(layerNum) != nullptr ? 0 : -8);
}

int16_t RecordingKorven::GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                                     int16_t& itemCount) {
    std::size_t line = begin("GetGeometry", args(geomNum));
    auto found = geometryNames.find(geomNum);
    if (found == geometryNames.end()) {
        return finish(line, "GetGeometry", -3);
    }
    geomName = found->second;
    blockType = 0;
    itemCount = 0;
    return finish(line, "GetGeometry", 0, outs("name", geomName));
}

int16_t RecordingKorven::GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) {
    std::size_t line = begin("GetGeometryArrayByType", args(blockType));
    geoms.clear();
    for (const ScriptedFile& file : files) {
        if (file.blockType == blockType) {
            geoms.push_back(file.geomNum);
        }
    }
    return finish(line, "GetGeometryArrayByType", 0, outs("geoms", geoms));
}

int16_t RecordingKorven::SetFileGeometry(int32_t filePos, int16_t geomNum) {
    return finish(begin("SetFileGeometry", args(filePos, geomNum)), "SetFileGeometry", 0);
}

int16_t RecordingKorven::SetFileShow(int32_t filePos, bool setOn) {
    return finish(begin("SetFileShow", args(filePos, setOn)), "SetFileShow", 0);
}

int16_t RecordingKorven::DeleteByLayer(int16_t layerNum, bool removeLayerFromList) {
    return finish(begin("DeleteByLayer", args(layerNum, removeLayerFromList)), "DeleteByLayer", 0);
}

int16_t RecordingKorven::DeleteGeometry(int16_t geomNum) {
    return finish(begin("DeleteGeometry", args(geomNum)), "DeleteGeometry", 0);
}

int16_t RecordingKorven::GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                                    std::string& outKeyword, int16_t& keywdType, bool& internal) {
    std::size_t line = begin("GetKeyword", args(keyWord));
    if (keyWord < 1 || static_cast<std::size_t>(keyWord) > keywords_.size()) {
        return finish(line, "GetKeyword", -8);
    }
    inKeyword = ccKeyword = outKeyword = keywords_[keyWord - 1];
    keywdType = 0;
    internal = false;
    return finish(line, "GetKeyword", 0, outs("cc", ccKeyword));
}

int16_t RecordingKorven::GetAttribKeywordArray(std::vector<int16_t>& keywords) {
    std::size_t line = begin("GetAttribKeywordArray", "");
    const ScriptedLayer* layer = findLayer(currentAttribLayer_);
    if (layer == nullptr || layer->attributes.empty()) {
        return finish(line, "GetAttribKeywordArray", -5);
    }
    keywords.clear();
    for (const auto& attribute : layer->attributes) {
        keywords.push_back(keywordNumber(attribute.first));
    }
    return finish(line, "GetAttribKeywordArray", 0, outs("keywords", keywords));
}

int16_t RecordingKorven::GetAttribValue(int16_t keyWord, std::string& value) {
    std::size_t line = begin("GetAttribValue", args(keyWord));
    const ScriptedLayer* layer = findLayer(currentAttribLayer_);
    if (layer != nullptr && keyWord >= 1 && static_cast<std::size_t>(keyWord) <= keywords_.size()) {
        for (const auto& [keyword, attributeValue] : layer->attributes) {
            if (keyword == keywords_[keyWord - 1]) {
                value = attributeValue;
                return finish(line, "GetAttribValue", 0, outs("value", value));
            }
        }
    }
    return finish(line, "GetAttribValue", -3);
}

int16_t RecordingKorven::IssueCommand(int32_t command) {
    return finish(begin("IssueCommand", args(command)), "IssueCommand", 0);
}

int16_t RecordingKorven::ClearAllDRCs() {
    return finish(begin("ClearAllDRCs", ""), "ClearAllDRCs", 0);
}

int16_t RecordingKorven::dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) {
    return finish(begin("dfmCreateDFxOutline", args(geomNum, algorithm, overWrite)), "dfmCreateDFxOutline",
                  0);
}

// --- KORVEN.DFM ---

int16_t RecordingKorven::FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                                        int32_t comparisonType) {
    return finish(begin("FilterGeometry", args(geomNum, keyWord, value, comparisonType)), "FilterGeometry",
                  0);
}

int16_t RecordingKorven::GenerateDFxOutlines() {
    return finish(begin("GenerateDFxOutlines", ""), "GenerateDFxOutlines", 0);
}

int16_t RecordingKorven::GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                              int16_t& bottomLayerNumber) {
    std::size_t line = begin("GenerateEtchBlockers", args(maxPinPitch));
    topLayerNumber = etchBlockerTop;
    bottomLayerNumber = etchBlockerBottom;
    return finish(line, "GenerateEtchBlockers", 0, outs("top", topLayerNumber, "bottom", bottomLayerNumber));
}

int16_t RecordingKorven::CombinePolies(int16_t geomNum) {
    return finish(begin("CombinePolies", args(geomNum)), "CombinePolies", 0);
}

int16_t RecordingKorven::createFlattenGeometry(int32_t filePos, int16_t& geomNum) {
    std::size_t line = begin("createFlattenGeometry", args(filePos));
    geomNum = nextGeomNum++;
    return finish(line, "createFlattenGeometry", 0, outs("geom", geomNum));
}

int16_t RecordingKorven::Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) {
    return finish(begin("Flatten", args(geomNum, layerNum, topLevelOnly)), "Flatten", 0);
}

int16_t RecordingKorven::flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType,
                                             int16_t insertPointOnly, int16_t surface) {
    return finish(begin("flattenByInsertType", args(geomNum, layerNum, insType, insertPointOnly, surface)),
                  "flattenByInsertType", 0);
}

int16_t RecordingKorven::flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                               int16_t topLevelOnly) {
    return finish(begin("flattenByGraphicClass", args(geomNum, layerNum, graphicClass, topLevelOnly)),
                  "flattenByGraphicClass", 0);
}

int16_t RecordingKorven::FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                                         const std::string& value, int32_t comparisonType, int16_t insertType,
                                         int16_t insertPointOnly, int16_t surface) {
    return finish(begin("FlattenByAttrib", args(geomNum, layerNum, keyWord, value, comparisonType, insertType,
                                                insertPointOnly, surface)),
                  "FlattenByAttrib", 0);
}

int16_t RecordingKorven::Check(const DfmCheckCall& call) {
    return std::visit(
        [&](const auto& arguments) {
            return check(
                std::string(dfmCheckName(call)),
                std::apply([](const auto&... fields) { return args(fields...); }, fieldsOf(arguments)));
        },
        call);
}

int16_t RecordingKorven::ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) {
    return finish(begin("ProcessSolderMask", args(soldermaskGeomNum, copperGeomNum)), "ProcessSolderMask", 0);
}

void RecordingKorven::setMaxErrorsPerTest(int16_t limit) {
    begin("maxErrorsPerTest", args(limit));
    calls_.back() = "maxErrorsPerTest = " + text(limit);
    maxErrors_ = limit;
}

} // namespace lumora::test
