// Every case of tests/engine/regressions/: a tiny design, the check to call with its arguments and
// the findings worked out by hand. Each case runs in the design's own unit and again with the design
// and every length converted to the other unit (inches <-> mils): the findings must not change.
// The cases of tests/engine/ipc2581/ name an IPC-2581 file beside them instead of a design: one per
// rule of the import, each proving its geometry by a finding worked out from the file by hand.

#include "engine/checks/PerformCheck.h"
#include "engine/io/DesignFile.h"
#include "engine/io/JsonNode.h"
#include "engine/io/ipc2581/Ipc2581File.h"
#include "engine/model/NumberText.h"
#include "engine/ops/Flatten.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

namespace lumora::engine::test {
namespace {

const std::filesystem::path kCases = std::filesystem::path(LUMORA_SOURCE_DIR) / "tests/engine/regressions";
const std::filesystem::path kIpc2581Cases = std::filesystem::path(LUMORA_SOURCE_DIR) / "tests/engine/ipc2581";

// Members of a design file that hold no length.
const std::set<std::string> kNotLengths{"number", "version", "electrical", "physical", "artwork", "rotation",
                                        "start",  "sweep",   "spokes",     "color",    "scale"};

// Scales every length of a design; attributes only when their keyword is a unit-double.
void scaleLengths(Json& value, double factor, const std::set<std::string>& unitKeywords) {
    if (value.is_number() && !value.is_boolean()) {
        value = value.get<double>() * factor;
    } else if (value.is_array()) {
        for (Json& element : value) {
            scaleLengths(element, factor, unitKeywords);
        }
    } else if (value.is_object()) {
        for (auto& [key, member] : value.items()) {
            if (key == "attributes") {
                for (auto& [keyword, attribute] : member.items()) {
                    if (unitKeywords.contains(keyword)) {
                        attribute = formatNumber(std::stod(attribute.get<std::string>()) * factor);
                    }
                }
            } else if (!kNotLengths.contains(key)) {
                scaleLengths(member, factor, unitKeywords);
            }
        }
    }
}

Json inOtherUnit(Json design, double factor) {
    std::set<std::string> unitKeywords;
    for (const Json& keyword : design.value("keywords", Json::array())) {
        if (keyword.value("type", "") == "unit-double") {
            unitKeywords.insert(keyword["name"].get<std::string>());
        }
    }
    design["units"] = factor > 1 ? "Mils" : "Inches";
    scaleLengths(design["geometries"], factor, unitKeywords);
    return design;
}

// The arguments of one case: `lengths` scale with the unit, `values` do not; `geomNum...` values
// number the case's flatten geometries from 1.
struct CaseArguments {
    const Json& lengths;
    const Json& values;
    const std::vector<int16_t>& geometries;
    double factor;

    double length(const char* key) const { return lengths.value(key, 0.0) * factor; }
    double value(const char* key) const { return values.value(key, 0.0); }
    bool flag(const char* key) const { return values.value(key, false); }
    int16_t geometry(const char* key) const { return geometries.at(values.value(key, 1) - 1); }
    Limits limits() const { return {length("marginal"), length("critical")}; }
};

using ArgumentsOf = std::function<DfmCheckCall(const CaseArguments&)>;

const std::map<std::string, ArgumentsOf> kArgumentsOf{
    {"DistanceCheck2",
     [](const CaseArguments& a) -> DfmCheckCall {
         return DistanceCheck2Args{.geomNum1 = a.geometry("geomNum1"),
                                   .geomNum2 = a.geometry("geomNum2"),
                                   .limits = a.limits(),
                                   .canTouch = a.flag("canTouch"),
                                   .skipSameNets = a.flag("skipSameNets"),
                                   .oneDrcPerNet = a.flag("oneDrcPerNet"),
                                   .skipSameComps = a.flag("skipSameComps")};
     }},
    {"ComponentFlushWithOutline",
     [](const CaseArguments& a) -> DfmCheckCall {
         return ComponentFlushWithOutlineArgs{.geomNum = a.geometry("geomNum"),
                                              .maxDistance = a.length("maxDistance")};
     }},
    {"PanelDimensions",
     [](const CaseArguments& a) -> DfmCheckCall {
         return PanelDimensionsArgs{.filePos = 1,
                                    .minWidth = a.length("minWidth"),
                                    .maxWidth = a.length("maxWidth"),
                                    .minHeight = a.length("minHeight"),
                                    .maxHeight = a.length("maxHeight")};
     }},
    {"PanelLengthToWidthRatio",
     [](const CaseArguments& a) -> DfmCheckCall {
         return PanelLengthToWidthRatioArgs{.filePos = 1, .minRatio = a.value("minRatio")};
     }},
    {"ViaHoleSize",
     [](const CaseArguments& a) -> DfmCheckCall {
         return ViaHoleSizeArgs{.filePos = 1, .minSize = a.length("minSize"), .maxSize = a.length("maxSize")};
     }},
    {"ItemsInCorners",
     [](const CaseArguments& a) -> DfmCheckCall {
         return ItemsInCornersArgs{.geomNum = a.geometry("geomNum"),
                                   .minRailEdge = a.length("minRailEdge"),
                                   .maxRailEdge = a.length("maxRailEdge"),
                                   .minNonRailEdge = a.length("minNonRailEdge"),
                                   .maxNonRailEdge = a.length("maxNonRailEdge"),
                                   .minCorners = static_cast<int16_t>(a.value("minCorners"))};
     }},
    {"BoardThicknessToDrillDiameter",
     [](const CaseArguments& a) -> DfmCheckCall {
         return BoardThicknessToDrillDiameterArgs{.filePos = 1, .maxRatio = a.value("maxRatio")};
     }},
    {"ClearanceToPanelEdge",
     [](const CaseArguments& a) -> DfmCheckCall {
         return ClearanceToPanelEdgeArgs{.geomNum = a.geometry("geomNum"),
                                         .minRailEdge = a.length("minRailEdge"),
                                         .minNonRailEdge = a.length("minNonRailEdge")};
     }},
    {"AnnularRing",
     [](const CaseArguments& a) -> DfmCheckCall {
         return AnnularRingArgs{
             .filePos = 1, .padTop = a.length("padTop"), .padBottom = a.length("padBottom")};
     }},
};

// A flatten geometry of file 1 as the case describes it.
int16_t flattened(Design& design, const Json& spec) {
    const int16_t number = createFlattenGeometry(design, 1);
    FlattenSelection selection{.layer = spec.contains("layer")
                                            ? design.findLayer(spec["layer"].get<std::string>())->number
                                            : int16_t{-1},
                               .insertPointOnly = spec.value("insertPointOnly", false)};
    if (spec.contains("insertType")) {
        selection.insertType = spec["insertType"].get<int16_t>();
    }
    if (spec.contains("class")) {
        selection.graphicClass = spec["class"].get<int16_t>();
    }
    if (spec.contains("condition")) {
        const Json& condition = spec["condition"];
        selection.condition.emplace(condition["keyword"].get<std::string>(),
                                    condition["value"].get<std::string>(),
                                    condition["comparison"].get<int32_t>());
    }
    flatten(design, number, selection);
    return number;
}

// "R1-1 V1 distance 4.98 Critical": who (by name, else net, else "board"), what, how much (to a
// millionth of a unit), how bad.
std::string findingText(const Finding& finding) {
    std::string text;
    for (const DrcItem& item : finding.items) {
        const std::string name = item.component.str() + (item.pin.empty() ? "" : "-" + item.pin.str());
        text += (!name.empty() ? name : !item.net.empty() ? item.net.str() : "board") + " ";
    }
    const double rounded = std::round(finding.measured * 1e6) / 1e6;
    return text + finding.measure + " " + formatNumber(rounded + 0.0) + " " +
           std::string(severityText(finding.severity));
}

std::string expectedText(const Json& expected, double factor) {
    const bool isLength = expected.contains("length");
    const double value =
        isLength ? expected["length"].get<double>() * factor : expected["measured"].get<double>();
    const std::string items = expected["items"];
    return (items.empty() ? "" : items + " ") + expected["measure"].get<std::string>() + " " +
           formatNumber(std::round(value * 1e6) / 1e6 + 0.0) + " " + expected["severity"].get<std::string>();
}

std::vector<std::string> run(const Json& theCase, const Json& caseDesign, double factor) {
    Design design = parseDesign((factor == 1 ? caseDesign : inOtherUnit(caseDesign, factor)).dump());
    std::vector<int16_t> geometries;
    for (const Json& spec : theCase.value("flatten", Json::array())) {
        geometries.push_back(flattened(design, spec));
    }
    const std::string check = theCase["check"];
    const Json lengths = theCase.value("lengths", Json::object());
    const Json values = theCase.value("values", Json::object());
    const CaseArguments arguments{lengths, values, geometries, factor};
    CheckContext context(design, check);
    std::vector<Finding> findings = performCheck(context, kArgumentsOf.at(check)(arguments));
    std::ranges::sort(findings, reportedBefore);
    std::vector<std::string> texts;
    for (const Finding& finding : findings) {
        texts.push_back(findingText(finding));
    }
    return texts;
}

// The case's design, or the IPC-2581 file it names as the native format writes it.
Json designOf(const Json& theCase, const std::filesystem::path& folder) {
    if (!theCase.contains("ipc2581")) {
        return theCase["design"];
    }
    const std::filesystem::path file = folder / theCase["ipc2581"].get<std::string>();
    std::ifstream in(file, std::ios::binary);
    return Json::parse(serializeDesign(ipc2581::readIpc2581(in, file.string()).design));
}

// A case's file, by its full path.
class RegressionCase : public ::testing::TestWithParam<std::string> {};

TEST_P(RegressionCase, FindsWhatWasWorkedOutByHandInEitherUnit) {
    const std::filesystem::path file = GetParam();
    std::ifstream in(file);
    const Json theCase = Json::parse(in);
    const Json design = designOf(theCase, file.parent_path());
    const double toOther = design["units"] == "Mils" ? 0.001 : 1000;
    for (const double factor : {1.0, toOther}) {
        std::vector<std::string> expected;
        for (const Json& finding : theCase["expect"]) {
            expected.push_back(expectedText(finding, factor));
        }
        std::ranges::sort(expected);
        std::vector<std::string> found = run(theCase, design, factor);
        std::ranges::sort(found);
        EXPECT_EQ(found, expected) << file.stem() << " scaled by " << factor << ": " << theCase["guards"];
    }
}

std::vector<std::string> casesIn(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".json") {
            files.push_back(entry.path().string());
        }
    }
    std::ranges::sort(files);
    return files;
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    std::ranges::replace(name, '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Regressions, RegressionCase, ::testing::ValuesIn(casesIn(kCases)), caseName);
INSTANTIATE_TEST_SUITE_P(Ipc2581Rules, RegressionCase, ::testing::ValuesIn(casesIn(kIpc2581Cases)), caseName);

} // namespace
} // namespace lumora::engine::test
