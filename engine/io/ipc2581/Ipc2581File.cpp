#include "engine/io/ipc2581/Ipc2581File.h"

#include "engine/io/DesignFile.h"
#include "engine/io/DesignValues.h"
#include "engine/io/FileText.h"
#include "engine/io/PlacementBudget.h"
#include "engine/io/Roles.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace lumora::engine::ipc2581 {

namespace {

constexpr std::string_view kRoot = "IPC-2581";
constexpr int kMaxNesting = 64;

struct DictionaryName {
    std::string_view element;
    Dictionaries::Kind kind;
};

constexpr std::array<DictionaryName, 4> kDictionaries{{
    {"DictionaryStandard", Dictionaries::Kind::Standard},
    {"DictionaryUser", Dictionaries::Kind::User},
    {"DictionaryLineDesc", Dictionaries::Kind::LineDesc},
    {"DictionaryFillDesc", Dictionaries::Kind::FillDesc},
}};

std::optional<Dictionaries::Kind> dictionaryKind(std::string_view element) {
    for (const DictionaryName& d : kDictionaries) {
        if (d.element == element) {
            return d.kind;
        }
    }
    return std::nullopt;
}

std::string checkedUnits(const XmlElement& element) {
    const std::string_view units = element.text("units");
    if (!millimetresPer(units)) {
        element.fail("units \"" + std::string(units) + "\" are not MILLIMETER, MICRON or INCH");
    }
    return std::string(units);
}

// Reads the document's elements as they stream past: the dictionaries, the CAD header's units,
// the layers and stack-ups, and each step through a StepReader; everything else is skipped.
class FileReader : public XmlRecordHandler {
  public:
    FileReader(const std::string& fileName, const RoleRules& roles)
        : fileName_(fileName), roles_(roles), roleTally_(roles) {}

    Interest start(const XmlElement& element) override {
        const Interest interest = interestIn(path_.empty() ? std::string_view{} : path_.back(), element);
        if (interest == Interest::Enter) {
            path_.push_back(element.name());
        }
        return interest;
    }

    void record(const XmlElement& element) override {
        const std::string_view parent = path_.back();
        if (const std::optional<Dictionaries::Kind> kind = dictionaryKind(parent)) {
            readEntry(*kind, element);
        } else if (element.name() == "Layer") {
            if (layers_.built()) {
                element.fail("<Layer> after the first Step");
            }
            layers_.addLayer(element);
        } else if (element.name() == "Stackup") {
            layers_.addStackup(element, lengths());
        } else if (step_) {
            step_->record(element);
        }
    }

    void end(std::string_view elementName) override {
        path_.pop_back();
        if (elementName == "Step") {
            steps_.push_back(step_->finish());
            step_.reset();
        } else if (step_) {
            step_->leave(elementName);
        }
    }

    Ipc2581Import finish();

  private:
    Interest interestIn(std::string_view parent, const XmlElement& element);
    Interest interestInStep(std::string_view parent, const XmlElement& element);
    void readHeader(const XmlElement& header);
    void startStep(const XmlElement& step);
    void readEntry(Dictionaries::Kind kind, const XmlElement& entry);
    void placeRepeats();
    void addFiles();
    void declareKeywords();
    void refuseBeyondLimits() const;
    [[noreturn]] void fail(const std::string& message) const {
        throw DesignFormatError(fileName_ + ": " + message);
    }

    Lengths lengths() const { return {unitFactor(cadUnits_, designUnits_)}; }
    ShapeReading reading() const { return {dictionaries_, designUnits_, lengths()}; }

    const std::string& fileName_;
    const RoleRules& roles_;
    RoleTally roleTally_;
    std::vector<std::string_view> path_; // the entered elements; names live in the parser's dictionary
    Design design_;
    LayerTable layers_;
    Dictionaries dictionaries_;
    std::string cadUnits_;
    std::string designUnits_;
    bool sawEcad_ = false;
    GeometryNames names_;
    PadstackStore padstacks_{design_, names_};
    ImportCounts counts_;
    std::vector<std::string> notes_;
    std::unique_ptr<StepReader> step_;
    std::vector<StepResult> steps_;
};

Interest FileReader::interestIn(std::string_view parent, const XmlElement& element) {
    const std::string_view name = element.name();
    if (parent.empty()) {
        if (name != kRoot) {
            element.fail("not an IPC-2581 file: the root element is <" + std::string(name) +
                         ">, not <IPC-2581>");
        }
        return Interest::Enter;
    }
    if (parent == kRoot) {
        sawEcad_ = sawEcad_ || name == "Ecad";
        return name == "Content" || name == "Ecad" ? Interest::Enter : Interest::Skip;
    }
    if (parent == "Content") {
        const std::optional<Dictionaries::Kind> kind = dictionaryKind(name);
        if (!kind) {
            return Interest::Skip;
        }
        dictionaries_.setUnits(*kind, element.attribute("units") ? checkedUnits(element) : std::string());
        return Interest::Enter;
    }
    if (dictionaryKind(parent)) {
        return name.starts_with("Entry") ? Interest::Record : Interest::Skip;
    }
    if (parent == "Ecad") {
        if (name == "CadHeader") {
            readHeader(element);
        }
        return name == "CadData" ? Interest::Enter : Interest::Skip;
    }
    if (parent == "CadData") {
        if (name == "Step") {
            startStep(element);
            return Interest::Enter;
        }
        return name == "Layer" || name == "Stackup" ? Interest::Record : Interest::Skip;
    }
    return interestInStep(parent, element);
}

Interest FileReader::interestInStep(std::string_view parent, const XmlElement& element) {
    if (!step_) {
        return Interest::Skip;
    }
    if (parent == "Step") {
        return step_->enters(element)         ? Interest::Enter
               : step_->reads(element.name()) ? Interest::Record
                                              : Interest::Skip;
    }
    const bool read = (parent == "LayerFeature" && element.name() == "Set") ||
                      (parent == "PhyNetGroup" && element.name() == "PhyNet");
    return read ? Interest::Record : Interest::Skip;
}

// The CAD header's units are the design's page units: inches stay inches, microns become
// millimetres.
void FileReader::readHeader(const XmlElement& header) {
    cadUnits_ = checkedUnits(header);
    designUnits_ = cadUnits_ == "INCH" ? "INCH" : "MILLIMETER";
    design_.pageUnits = cadUnits_ == "INCH" ? page_units::Inches : page_units::Millimetres;
}

void FileReader::startStep(const XmlElement& step) {
    if (cadUnits_.empty()) {
        step.fail("<Step> before a CadHeader with units");
    }
    layers_.build(design_);
    step_ = std::make_unique<StepReader>(step, StepSetup{.design = design_,
                                                         .layers = layers_,
                                                         .reading = reading(),
                                                         .roles = roles_,
                                                         .roleTally = roleTally_,
                                                         .names = names_,
                                                         .padstacks = padstacks_,
                                                         .counts = counts_,
                                                         .notes = notes_});
}

// Entries keep their dictionary's units; a reference scales them to the design's.
void FileReader::readEntry(Dictionaries::Kind kind, const XmlElement& entry) {
    const std::string id(entry.text("id"));
    const std::string& units = dictionaries_.units(kind);
    const ShapeReading own{dictionaries_, units, {1}};
    if (kind == Dictionaries::Kind::LineDesc) {
        if (const std::optional<XmlElement> desc = entry.child("LineDesc")) {
            dictionaries_.addLineWidth(id, own.lengths.size(*desc, "lineWidth"));
        }
    } else if (kind == Dictionaries::Kind::FillDesc) {
        const std::optional<XmlElement> desc = entry.child("FillDesc");
        dictionaries_.addFill(id, desc && desc->attribute("fillProperty") == "HOLLOW");
    } else {
        std::optional<Shapes> shapes = childFeatureShapes(entry, own);
        if (!shapes && kind == Dictionaries::Kind::Standard) {
            entry.fail("<EntryStandard id=\"" + id + "\"> holds no standard primitive");
        }
        dictionaries_.addShapes(kind, id, shapes.value_or(Shapes{}));
    }
}

// Each StepRepeat places nx by ny boards: the repeated step's datum goes to x, y plus the steps
// dx, dy, the board turned by the angle and then mirrored, as components are.
void FileReader::placeRepeats() {
    std::map<std::string_view, const StepResult*> byName;
    for (const StepResult& step : steps_) {
        byName.emplace(step.name, &step);
    }
    for (const StepResult& panel : steps_) {
        int board = 0;
        for (const StepRepeatSpec& repeat : panel.repeats) {
            const auto placed = byName.find(repeat.step);
            if (placed == byName.end()) {
                throw DesignFormatError(repeat.where + ": <StepRepeat> names step \"" + repeat.step +
                                        "\", which the file does not hold");
            }
            const Transform turn({}, repeat.mirror ? -repeat.angle : repeat.angle, repeat.mirror, 1);
            const Point datum = turn.apply(placed->second->datum);
            for (int j = 0; j < repeat.ny; ++j) {
                for (int i = 0; i < repeat.nx; ++i) {
                    design_.geometry(panel.geometry)
                        .data.emplace_back(Insert{
                            .insertType = insert_type::Board,
                            .geometry = placed->second->geometry,
                            .mirror = repeat.mirror,
                            .at = {repeat.at.x + i * repeat.dx - datum.x,
                                   repeat.at.y + j * repeat.dy - datum.y},
                            .rotation = normalizedDegrees(repeat.mirror ? -repeat.angle : repeat.angle),
                            .refName = "B" + std::to_string(++board)});
                }
            }
        }
    }
}

// A step that places itself, directly or through others, would never end.
void refuseCycles(const std::vector<StepResult>& steps, const std::string& fileName) {
    std::map<std::string_view, const StepResult*> byName;
    for (const StepResult& step : steps) {
        byName.emplace(step.name, &step);
    }
    std::function<void(const StepResult&, int)> visit = [&](const StepResult& step, int depth) {
        if (depth > kMaxNesting) {
            throw DesignFormatError(fileName + ": step \"" + step.name +
                                    "\" is placed inside itself or more than " + std::to_string(kMaxNesting) +
                                    " steps deep");
        }
        for (const StepRepeatSpec& repeat : step.repeats) {
            if (const auto placed = byName.find(repeat.step); placed != byName.end()) {
                visit(*placed->second, depth + 1);
            }
        }
    };
    for (const StepResult& step : steps) {
        visit(step, 0);
    }
}

// Steps no StepRepeat places are the document's visible files (boards and panels); the boards
// panels place are files too, hidden, as the runner finds them through their panels.
void FileReader::addFiles() {
    std::set<std::string_view> placed;
    for (const StepResult& step : steps_) {
        for (const StepRepeatSpec& repeat : step.repeats) {
            placed.insert(repeat.step);
        }
    }
    for (const bool shown : {true, false}) {
        for (const StepResult& step : steps_) {
            if (placed.contains(step.name) != shown) {
                design_.files.push_back(File{.number = static_cast<int32_t>(design_.files.size() + 1),
                                             .name = step.name,
                                             .show = shown,
                                             .geometry = step.geometry});
            }
        }
    }
}

// Every attribute keyword the inserts use, in the keyword table.
void FileReader::declareKeywords() {
    design_.keywordNumber("PACKAGE_FAMILY");
    design_.keywordNumber("COMPHEIGHT", keyword_type::UnitDouble);
    design_.keywordNumber(keyword::Test, keyword_type::Flag);
    for (const auto& [number, geometry] : design_.geometries) {
        for (const DataItem& item : geometry.data) {
            if (const auto* insert = std::get_if<Insert>(&item)) {
                for (const Attribute& attribute : insert->attributes) {
                    design_.keywordNumber(attribute.keyword);
                }
            }
        }
    }
}

// The values and limits every design is read with, so that what is imported can be saved and read
// back and no check meets coordinates beyond double precision. Values come first: a position that
// is not a number has no reach.
void FileReader::refuseBeyondLimits() const {
    if (const std::optional<std::string> problem = findValueProblem(design_)) {
        fail(*problem);
    }
    if (const std::optional<PlacementProblem> problem = findPlacementProblem(design_, PlacementLimits{})) {
        std::string who;
        if (!problem->file) {
            const Geometry& geometry = design_.geometry(problem->geometry);
            const auto* insert = std::get_if<Insert>(&geometry.data.at(problem->item));
            who = insert && !insert->refName.empty()
                      ? "\"" + insert->refName.str() + "\" in \"" + geometry.name + "\": "
                      : "an item of \"" + geometry.name + "\": ";
        }
        fail(who + problem->text);
    }
}

Ipc2581Import FileReader::finish() {
    if (!sawEcad_) {
        fail("no ECAD section: nothing to check");
    }
    if (steps_.empty()) {
        fail("the ECAD section holds no Step: nothing to check");
    }
    if (std::ranges::all_of(steps_,
                            [&](const StepResult& s) { return design_.geometry(s.geometry).data.empty(); })) {
        fail("no step holds a Profile, Component or LayerFeature: nothing to check");
    }
    refuseCycles(steps_, fileName_);
    placeRepeats();
    addFiles();
    design_.name = std::filesystem::path(fileName_).filename().string();
    declareKeywords();
    refuseBeyondLimits();
    notes_.push_back(roleTally_.note(rolesFileBeside(fileName_).string()));
    return {std::move(design_), std::move(notes_), counts_};
}

// Blanks, and the XML declaration, comments and a document type declaration before the root.
std::string_view afterProlog(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    while (true) {
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
        const std::string_view close = text.starts_with("<?")     ? "?>"
                                       : text.starts_with("<!--") ? "-->"
                                       : text.starts_with("<!")   ? ">"
                                                                  : "";
        if (close.empty()) {
            return text;
        }
        const std::size_t end = text.find(close);
        if (end == std::string_view::npos) {
            return {};
        }
        text.remove_prefix(end + close.size());
    }
}

} // namespace

bool isIpc2581(std::string_view start) {
    std::string_view text = afterProlog(start);
    if (!text.starts_with('<')) {
        return false;
    }
    text.remove_prefix(1);
    const std::size_t nameEnd = std::min(text.size(), text.find_first_of(" \t\r\n/>"));
    std::string_view name = text.substr(0, nameEnd);
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
        name.remove_prefix(colon + 1);
    }
    return name == kRoot && nameEnd < text.size();
}

Ipc2581Import readIpc2581(std::istream& in, const std::string& fileName, const RoleRules& roles) {
    FileReader reader(fileName, roles);
    readXmlRecords(in, fileName, reader);
    return reader.finish();
}

Ipc2581Import loadIpc2581(const std::filesystem::path& path) {
    // The reader keeps references to both.
    const std::string fileName = path.string();
    const RoleRules roles = roleRulesBeside(path);
    FileReader reader(fileName, roles);
    readXmlRecords([&](const files::TakePiece& take) { readFilePieces(path, take); }, fileName, reader);
    return reader.finish();
}

} // namespace lumora::engine::ipc2581
