#include "engine/io/DesignFile.h"
#include "engine/ops/Flatten.h"
#include "engine/runtime/WhileWaiting.h"
#include "tests/engine/EngineTestDesigns.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace lumora::engine::test {
namespace {

using ::testing::HasSubstr;

std::string errorOf(const std::string& text) {
    try {
        parseDesign(text);
    } catch (const DesignFormatError& error) {
        return error.what();
    }
    return "(loaded)";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Sets the process's numeric locale for one test, as a desktop toolkit might.
class ScopedCLocale {
  public:
    explicit ScopedCLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
        available_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedCLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    bool available() const { return available_; }

  private:
    std::string previous_;
    bool available_ = false;
};

TEST(DesignFormatTest, WhatIsWrittenLoadsBackEqualAndWritesTheSameText) {
    const Design design = tinyBoard();
    const std::string text = serializeDesign(design);

    const Design again = parseDesign(text);
    EXPECT_EQ(again, design);
    EXPECT_EQ(serializeDesign(again), text);
}

TEST(DesignFormatTest, CreatedGeometriesMarkersAndShownBlocksSurviveASave) {
    Design design = tinyBoard();
    const int16_t flat = createFlattenGeometry(design, 1);
    flatten(design, flat, {.layer = -1, .insertType = insert_type::Pin});
    flatten(design, flat, {.layer = 3, .insertType = insert_type::Fiducial, .insertPointOnly = true});
    design.files[0].shownGeometry = flat;
    design.drcs.push_back({.file = 1,
                           .at = {12.5, -3.25},
                           .severity = "Critical",
                           .check = "Via Edge To Via Edge - Top",
                           .measure = "distance",
                           .measured = 0.004,
                           .required = 0.008,
                           .items = {{.component = "U1", .pin = "3", .net = "GND"}, {.net = "VCC"}}});
    design.layers.resize(20); // trailing holes are not kept, so only test holes in the middle
    design.layers.resize(13);
    design.layers[0].reset();

    lumora::test::TempDir folder;
    saveDesign(design, folder.path() / "saved.json");
    const Design loaded = loadDesign(folder.path() / "saved.json");

    EXPECT_EQ(loaded, design);
    EXPECT_EQ(loaded.geometry(flat).flattenFile, 1);
    EXPECT_EQ(graphicsOf(loaded, flat).back().origin->component, "FID1");
}

TEST(DesignFormatTest, NumbersIgnoreTheProcesssLocale) {
    ScopedCLocale german("de_DE.UTF-8");
    if (!german.available()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    Design design = tinyBoard();
    design.geometry(10).thickness = 62.5;

    const std::string text = serializeDesign(design);
    EXPECT_THAT(text, HasSubstr("\"thickness\":62.5"));
    EXPECT_DOUBLE_EQ(parseDesign(text).geometry(10).thickness, 62.5);
    EXPECT_DOUBLE_EQ(
        parseDesign(replaced(kTinyBoard, "\"thickness\": 62", "\"thickness\": 0.125")).geometry(10).thickness,
        0.125);
}

TEST(DesignFormatTest, HandWrittenShortcutsLoad) {
    // Attribute numbers may be written as numbers; a mirror named on one side pairs both layers.
    const Design design = parseDesign(replaced(kTinyBoard, "\"COMPHEIGHT\": \"20\"", "\"COMPHEIGHT\": 20.5"));
    const auto& r1 = std::get<Insert>(design.geometry(10).data[0]);
    EXPECT_EQ(*r1.attributes.find("COMPHEIGHT"), "20.5");
    EXPECT_EQ(design.layer(4).mirror, 3);
    EXPECT_EQ(design.layer(3).mirror, 4);
    EXPECT_EQ(design.layer(1).mirror, 1);
}

TEST(DesignFormatTest, KeywordTableListsEveryAttributeUsed) {
    const Design design = tinyBoard();
    std::vector<std::string> names;
    for (const Keyword& keyword : design.keywords) {
        names.push_back(keyword.name);
    }
    EXPECT_THAT(names, ::testing::ElementsAre("PACKAGE_FAMILY", "COMPHEIGHT", "TEST"));
}

// count levels of open, around inner, each closed by close.
std::string nested(const std::string& open, const std::string& inner, const std::string& close, int count) {
    std::string text;
    for (int level = 0; level < count; ++level) {
        text += open;
    }
    text += inner;
    for (int level = 0; level < count; ++level) {
        text += close;
    }
    return text;
}

struct Malformed {
    const char* name;
    std::string text;
    const char* expected;
};

std::vector<Malformed> malformedFiles() {
    const std::string tiny = kTinyBoard;
    return {
        {"truncated", tiny.substr(0, 1200), "syntax error at byte 1201 (line 21, column"},
        {"empty", "",
         "syntax error at byte 1 (line 1, column 1): syntax error while parsing value - unexpected end of "
         "input"},
        {"not JSON", "KORVEN design v1\n",
         "syntax error at byte 1 (line 1, column 1): syntax error while parsing value - invalid literal"},
        {"missing comma", replaced(tiny, "\"version\": 1,", "\"version\": 1"),
         "syntax error at byte 50 (line 2, column 48): syntax error while parsing object - unexpected string "
         "literal"},
        {"not an object", "[1, 2]", "at /: expected an object, found array"},
        // 100,000 nested objects overflowed the stack (members are copied recursively as a list grows).
        {"deep nesting", nested("{\"a\": ", "1", "}", 100000),
         "nested deeper than 256 levels at byte 1537 (line 1, column 1537)"},
        {"deep lists", nested("[", "", "]", 100000),
         "nested deeper than 256 levels at byte 257 (line 1, column 257)"},
        {"other format", replaced(tiny, "korven-design", "gerber"), "at /format: not a design file"},
        {"newer version", replaced(tiny, "\"version\": 1", "\"version\": 2"),
         "at /version: unsupported version 2"},
        {"unknown units", replaced(tiny, "\"Mils\"", "\"cubits\""),
         "at /units: unknown page unit \"cubits\""},
        {"missing layers", replaced(tiny, "\"layers\"", "\"lagers\""), "at /: unknown member \"lagers\""},
        {"layer number as text",
         replaced(tiny, "\"number\": 1, \"name\": \"TOP\"", "\"number\": \"1\", \"name\": \"TOP\""),
         "at /layers/0/number: expected a whole number, found string"},
        {"layer number too large", replaced(tiny, "\"number\": 12,", "\"number\": 40000,"),
         "at /layers/11/number: number out of range 0 to 32766"},
        {"unknown layer type", replaced(tiny, "\"type\": \"drill\"", "\"type\": \"drillz\""),
         "at /layers/4/type: unknown layer type \"drillz\""},
        {"layer named twice", replaced(tiny, "\"name\": \"SSB\"", "\"name\": \"SST\""),
         "at /layers/11/name: layer name \"SST\" is used twice"},
        {"mirror clash",
         replaced(tiny, "\"name\": \"SSB\", \"type\": \"silkscreen-bottom\"",
                  "\"name\": \"SSB\", \"type\": \"silkscreen-bottom\", \"mirror\": \"SMB\""),
         "at /layers/11/mirror: layers \"SSB\" and \"SMB\" already mirror other layers"},
        {"dangling layer", replaced(tiny, "\"layer\": \"SST\"", "\"layer\": \"SILK\""),
         "at /geometries/2/data/3/layer: unknown layer \"SILK\""},
        {"dangling geometry", replaced(tiny, "\"geometry\": \"FID\"", "\"geometry\": \"FIDUCIAL\""),
         "at /geometries/6/data/5/geometry: unknown geometry \"FIDUCIAL\""},
        {"geometry number twice",
         replaced(tiny, "\"number\": 6, \"name\": \"TOOL\"", "\"number\": 5, \"name\": \"TOOL\""),
         "at /geometries/5/number: geometry number 5 is used twice"},
        {"places itself",
         replaced(tiny, "{\"pad\": \"round\", \"size\": 40, \"layer\": \"PAD_TOP\"}",
                  "{\"insert\": \"pin\", \"geometry\": \"BOARD\"}"),
         "at /geometries/4: placements starting at geometry \"FID\" run in a circle"},
        {"unknown pad shape",
         replaced(tiny, "\"pad\": \"round\", \"size\": 40", "\"pad\": \"circle\", \"size\": 40"),
         "at /geometries/4/data/0/pad: unknown pad shape \"circle\""},
        {"misspelt member", replaced(tiny, "\"size\": 40", "\"sise\": 40"),
         "at /geometries/4/data/0: unknown member \"sise\""},
        {"two kinds",
         replaced(tiny, "{\"pad\": \"round\", \"size\": 40,",
                  "{\"pad\": \"round\", \"mark\": [0, 0], \"size\": 40,"),
         "at /geometries/4/data/0: an item is either \"pad\" or \"mark\""},
        {"no kind", replaced(tiny, "{\"pad\": \"round\", \"size\": 40,", "{\"size\": 40,"),
         "at /geometries/4/data/0: expected an item"},
        {"point of three", replaced(tiny, "\"at\": [100, 100]", "\"at\": [100, 100, 0]"),
         "at /geometries/6/data/5/at: expected a point [x, y]"},
        {"coordinate as text", replaced(tiny, "\"at\": [100, 100]", "\"at\": [100, \"100\"]"),
         "at /geometries/6/data/5/at/1: expected a number, found string"},
        {"infinite number", replaced(tiny, "\"thickness\": 62", "\"thickness\": 1e999"),
         "syntax error: number overflow parsing '1e999'"},
        {"polygon of two points",
         replaced(tiny, "[[-80, -30], [80, -30], [80, 30], [-80, 30]]", "[[-80, -30], [80, -30]]"),
         "at /geometries/2/data/2/polygon: expected at least 3 points"},
        {"attribute value as list", replaced(tiny, "\"COMPHEIGHT\": \"20\"", "\"COMPHEIGHT\": [20]"),
         "at /geometries/6/data/0/attributes/COMPHEIGHT: expected a text, found array"},
        {"flag as text", replaced(tiny, "\"mirror\": true", "\"mirror\": \"yes\""),
         "at /geometries/6/data/1/mirror: expected true or false, found string"},
        {"file of unknown block", replaced(tiny, "\"geometry\": \"BOARD\"}]", "\"geometry\": \"BORAD\"}]"),
         "at /files/0/geometry: unknown geometry \"BORAD\""},
        {"file numbered twice",
         replaced(tiny, "\"geometry\": \"BOARD\"}]",
                  "\"geometry\": \"BOARD\"}, {\"number\": 1, \"name\": \"b\", \"geometry\": \"BOARD\"}]"),
         "at /files/1/number: file number 1 is used twice"},
        {"flatten geometry without file", replaced(tiny, "\"type\": \"board\"", "\"type\": \"flatten\""),
         "at /geometries/6: missing member \"file\" of a flatten geometry"},
        {"origin outside a flatten geometry",
         replaced(tiny, "\"size\": 40,", "\"size\": 40, \"origin\": {},"),
         "at /geometries/4/data/0/origin: only items of flatten geometries have an origin"},
        {"marker of unknown file",
         replaced(tiny, "\"files\"",
                  "\"drcs\": [{\"file\": 9, \"at\": [0, 0], \"severity\": \"Critical\"}], \"files\""),
         "at /drcs/0/file: unknown file 9"},
        {"marker of unknown severity",
         replaced(tiny, "\"files\"",
                  "\"drcs\": [{\"file\": 1, \"at\": [0, 0], \"severity\": \"Bad\"}], \"files\""),
         "at /drcs/0/severity: expected \"Marginal\" or \"Critical\""},
        {"marker item with a misspelt member",
         replaced(tiny, "\"files\"",
                  "\"drcs\": [{\"file\": 1, \"at\": [0, 0], \"severity\": \"Critical\", \"items\": "
                  "[{\"net\": \"GND\"}, {\"comp\": \"R1\"}]}], \"files\""),
         "at /drcs/0/items/1: unknown member \"comp\""},
        {"marker measured as text",
         replaced(tiny, "\"files\"",
                  "\"drcs\": [{\"file\": 1, \"at\": [0, 0], \"severity\": \"Critical\", \"measured\": "
                  "\"0,5\"}], \"files\""),
         "at /drcs/0/measured: expected a number, found string"},
        {"ill-formed text", replaced(tiny, "\"tiny\"", "\"ti\xff\xfeny\""), "syntax error at byte"},
    };
}

TEST(DesignFormatTest, MalformedFilesSayWhereTheyAreWrong) {
    for (const Malformed& file : malformedFiles()) {
        EXPECT_THAT(errorOf(file.text), HasSubstr(file.expected)) << file.name;
    }
}

// Catches the error of whichever item failed first on the threads that read a board's items instead
// of the first bad item in the file: a board of many items, two of them bad.
TEST(DesignFormatTest, OfTwoBadItemsTheFirstInTheFileIsReported) {
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        const std::string width = i == 700 || i == 1500 ? "\"wide\"" : "5";
        lines += R"({"line": [[0, 0], [100, 0]], "width": )" + width + R"(, "layer": "TOP"}, )";
    }
    const std::string text =
        replaced(kTinyBoard, "\"thickness\": 62, \"data\": [", "\"thickness\": 62, \"data\": [" + lines);
    EXPECT_THAT(errorOf(text), HasSubstr("at /geometries/6/data/700/width"));
}

// Catches the desktop's events let through while a design is read on the worker pool: a window could
// then start a run or open another design with none installed yet.
TEST(DesignFormatTest, ReadingADesignLetsNoEventsThrough) {
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        lines += R"({"line": [[0, 0], [100, 0]], "width": 5, "layer": "TOP"}, )";
    }
    const std::string text =
        replaced(kTinyBoard, "\"thickness\": 62, \"data\": [", "\"thickness\": 62, \"data\": [" + lines);
    int events = 0;
    setWhileWaiting([&] { ++events; });
    std::this_thread::sleep_for(2 * kWaitSlice); // a wait would run the hook at once
    const Design design = parseDesign(text);
    const bool hookKept = waitsRunTheHook();
    setWhileWaiting(nullptr);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(hookKept) << "the hook is back once the design is read";
    EXPECT_EQ(design.geometry(10).data.size(), tinyBoard().geometry(10).data.size() + 2000);
}

TEST(DesignFormatTest, TheDocumentedExampleLoads) {
    std::ifstream doc(std::filesystem::path(LUMORA_SOURCE_DIR) / "docs" / "design-format.md");
    std::ostringstream text;
    text << doc.rdbuf();
    const std::string markdown = text.str();
    const auto start = markdown.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = markdown.find("```", start + 8);
    const Design design = parseDesign(markdown.substr(start + 8, end - start - 8));

    EXPECT_EQ(design.files.at(0).name, "minimal.cc");
    EXPECT_EQ(*std::get<Insert>(design.geometry(3).data[0]).attributes.find("COMPHEIGHT"), "25");
}

TEST(DesignFormatTest, RefusesNestingDeeperThanSixtyFourLevels) {
    auto chain = [](int levels) {
        std::string geometries = R"({"number": 1, "name": "G1", "type": "symbol", "data": []})";
        for (int n = 2; n <= levels; ++n) {
            geometries +=
                ",{\"number\": " + std::to_string(n) + ", \"name\": \"G" + std::to_string(n) +
                "\", \"type\": \"symbol\", \"data\": [{\"insert\": \"unclassified\", \"geometry\": \"G" +
                std::to_string(n - 1) + "\"}]}";
        }
        return R"({"format": "korven-design", "version": 1, "units": "mm", "layers": [], "geometries": [)" +
               geometries + R"(], "files": []})";
    };
    EXPECT_EQ(parseDesign(chain(64)).geometries.size(), 64u);
    EXPECT_THAT(errorOf(chain(65)),
                HasSubstr("at /geometries/64: geometry \"G65\" nests deeper than 64 levels"));
    EXPECT_THAT(errorOf(chain(5000)), HasSubstr("nests deeper than 64 levels"));
}

TEST(DesignFormatTest, DamagedFilesNeverFailOtherwiseThanWithAFormatError) {
    const std::string tiny = kTinyBoard;
    auto outcome = [](const std::string& text) {
        try {
            parseDesign(text);
            return std::string("loaded");
        } catch (const DesignFormatError&) {
            return std::string("refused");
        } catch (const std::exception& error) {
            return std::string("failed: ") + error.what();
        }
    };
    for (std::size_t cut = 0; cut < tiny.size(); cut += 29) {
        EXPECT_EQ(outcome(tiny.substr(0, cut)), "refused") << "cut at " << cut;
    }
    for (std::size_t at = 0; at < tiny.size(); at += 29) {
        for (const char replacement : {'0', '"', '['}) {
            std::string damaged = tiny;
            damaged[at] = replacement;
            EXPECT_NE(outcome(damaged).substr(0, 6), "failed") << "byte " << at << " set to " << replacement;
        }
    }
}

TEST(DesignFormatTest, FileErrorsNameTheFile) {
    lumora::test::TempDir folder;
    const auto broken = folder.write("broken.json", "{");
    try {
        loadDesign(broken);
        FAIL() << "loaded a broken file";
    } catch (const DesignFormatError& error) {
        EXPECT_THAT(error.what(), HasSubstr(broken.string() + ": syntax error at byte 2 (line 1, column 2)"));
    }
    EXPECT_THROW(loadDesign(folder.path() / "missing.json"), DesignFormatError);
    EXPECT_THROW(saveDesign(tinyBoard(), folder.path() / "no-such-folder" / "x.json"), DesignFormatError);
}

} // namespace
} // namespace lumora::engine::test
