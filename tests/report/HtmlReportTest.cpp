// What the page makes of texts that come from a design, a script or a waivers file: shown as they
// are, never run, and read back unchanged by the page's script.

#include "report/HtmlReport.h"
#include "engine/io/DesignFile.h"
#include "engine/io/JsonNode.h"
#include "record/MarkerKeys.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace lumora::report::test {
namespace {

constexpr const char* kScriptTag = "<script>alert(1)</script>";

// A board whose only part is named like a script, with a net whose name closes one.
constexpr const char* kBoard = R"({
  "format": "korven-design", "version": 1, "name": "texts", "units": "Mils",
  "layers": [{"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1}],
  "geometries": [
    {"number": 1, "name": "PIN", "type": "padstack", "data": [{"pad": "round", "size": 10, "layer": "TOP"}]},
    {"number": 2, "name": "PART", "type": "component", "data": [{"insert": "pin", "geometry": "PIN", "ref": "1"}]},
    {"number": 10, "name": "BOARD", "type": "board", "data": [
      {"insert": "component", "geometry": "PART", "at": [100, 100], "ref": "<script>alert(1)</script>",
       "pinNets": {"1": "</script><b>"}}]}
  ],
  "files": [{"number": 1, "name": "b<i>.cc", "geometry": "BOARD"}]
})";

struct SmallRun {
    engine::Design design = engine::parseDesign(kBoard);
    clsTestItem item;
    TestRecord record;
    std::vector<ReportedScript> scripts;
    ReportContext context;

    SmallRun() {
        item.strName = "Pad <To> Pad";
        item.dictProperties().store("Marginal_Limit", "<10>");
        record.name = item.strName;
        record.parameters = {{"Marginal_Limit", "<10>"}};
        engine::DrcMarker marker{1,          {100, 100}, "Critical", "Pad <To> Pad - Top",
                                 "distance", 4,          5,          {{kScriptTag, "1", "</script><b>"}}};
        record.markers.push_back({std::make_shared<const engine::DrcMarker>(marker), "b<i>.cc", true});
        record.files.push_back({1, "b<i>.cc"});
        scripts.push_back({"/s/<b>.dfm", "<b>", {{1, &item, &record, "completed", {0, 0x00FF00, "0", "1"}}}});
        context.design = "a&b<c>.json";
        context.waivers = {{markerKeys(record)[0], "</script><img src=x onerror=alert(2)>", "me", "d"}};
        context.staleWaivers = {{"<img src=x onerror=alert(3)>", "r", "a", "d"}};
        context.failedChecks = {{"<check>", 1, -15, "board <PCB1> has no thickness"}};
        context.designNotes = {"step \"<b>\": no Component: no part is placed"};
    }
    std::string page() const {
        std::ostringstream out;
        writeHtmlReport(scripts, context, design, out);
        return out.str();
    }
};

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Catches a text written as markup: a part, net, test, parameter, file, waiver or KORVEN's words
// that open or close an element, or a tag smuggled in as an attribute's value.
TEST(HtmlReport, NoTextFromADesignOrScriptBecomesMarkup) {
    const std::string page = SmallRun().page();
    EXPECT_EQ(occurrences(page, "<script"), 2u); // the page's data and its script, nothing else
    EXPECT_EQ(occurrences(page, "</script"), 2u);
    EXPECT_EQ(occurrences(page, "<img"), 0u);
    EXPECT_EQ(occurrences(page, "<b>"), 0u);
    EXPECT_EQ(occurrences(page, "<i>"), 0u);
    for (const char* shown : {"a&amp;b&lt;c&gt;.json", "Pad &lt;To&gt; Pad", "Marginal_Limit = &lt;10&gt;",
                              "&lt;img src=x onerror=alert(3)&gt;", "board &lt;PCB1&gt; has no thickness",
                              "b&lt;i&gt;.cc", "&lt;b&gt;"}) {
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    }
}

// Catches the page's data escaped as HTML (the table would show "&lt;script&gt;") or cut short,
// and a waiver's reason or an item's name lost on the way to the script.
TEST(HtmlReport, ThePagesDataReadsBackTheTextsUnchanged) {
    const std::string page = SmallRun().page();
    const std::string start = "<script type=\"application/json\" id=\"report-data\">";
    const auto from = page.find(start) + start.size();
    const engine::Json data = engine::Json::parse(page.substr(from, page.find("</script>", from) - from));
    const engine::Json& marker = data["markers"][0];
    EXPECT_EQ(marker[9], std::string(kScriptTag) + "-1 </script><b>");
    EXPECT_EQ(marker[12], "</script><img src=x onerror=alert(2)>");
    EXPECT_EQ(marker[11], 1);
    EXPECT_EQ(data["tests"][0]["name"], "Pad <To> Pad");
    EXPECT_EQ(data["files"][0]["name"], "b<i>.cc");
}

// Catches the grid's colours read as red-green-blue: a completed test would show blue.
TEST(HtmlReport, TestsShowTheGridsColours) {
    const std::string page = SmallRun().page();
    EXPECT_NE(page.find("style=\"color:#000000;background:#00ff00\""), std::string::npos);
    SmallRun blue;
    blue.scripts[0].tests[0].grid.back = 0xFF0000; // the grid's blue after the DRC limit
    EXPECT_NE(blue.page().find("background:#0000ff"), std::string::npos);
}

// Catches a page that needs the network or another file: a script, style sheet, font or picture
// fetched from elsewhere would leave a mailed or archived page broken.
TEST(HtmlReport, NeedsNothingButItself) {
    SmallRun run;
    run.context.staleWaivers.clear(); // their texts hold "src=" on purpose
    run.context.waivers.clear();
    const std::string page = run.page();
    for (const char* fetch : {" src=", " href=", "url(", "@import", "//cdn", "fetch(", "XMLHttpRequest"}) {
        EXPECT_EQ(page.find(fetch), std::string::npos) << fetch;
    }
    // The only address is the drawing's namespace, which names and fetches nothing.
    const std::string svg = "http://www.w3.org/2000/svg";
    for (auto at = page.find("http"); at != std::string::npos; at = page.find("http", at + 1)) {
        EXPECT_EQ(page.compare(at, svg.size(), svg), 0) << page.substr(at, 60);
    }
}

// Catches a head that calls a run complete while the design file lacked what its checks need: the
// reader's notes belong under "Not checked", with the design they are about.
TEST(HtmlReport, NotCheckedNamesWhatTheDesignFileLacked) {
    const std::string page = SmallRun().page();
    const auto section = page.find("<section id=\"not-checked\">");
    const auto note = page.find(
        "<li>a&amp;b&lt;c&gt;.json: step &quot;&lt;b&gt;&quot;: no Component: no part is placed</li>");
    ASSERT_NE(section, std::string::npos);
    EXPECT_GT(note, section);
    EXPECT_LT(note, page.find("</section>", section));
}

} // namespace
} // namespace lumora::report::test
