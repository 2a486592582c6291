#include "report/HtmlReport.h"

#include "drawing/BoardWalk.h"
#include "drawing/LayerColours.h"
#include "engine/io/JsonNode.h"
#include "files/MarkupText.h"
#include "log/ProductInfo.h"
#include "record/MarkerKeys.h"
#include "report/BoardSvg.h"
#include "report/HtmlPageTexts.h"
#include "report/MarkupText.h"
#include "script/clsTestItem.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace lumora::report {

namespace {

using engine::Json;

// A marker of the page: the test that placed it (its position in the page's tests) and the record.
struct PageMarker {
    std::size_t test = 0;
    const RecordedMarker* recorded = nullptr;
    std::string key{};
};

// Every test of every script, in the grid's order, and every marker they placed.
struct PageRun {
    std::vector<std::pair<const ReportedScript*, const ReportedTest*>> tests;
    std::vector<PageMarker> markers;
};

PageRun pageRun(const std::vector<ReportedScript>& scripts) {
    PageRun run;
    for (const ReportedScript& script : scripts) {
        for (const ReportedTest& test : script.tests) {
            if (test.record != nullptr) {
                std::vector<std::string> keys = markerKeys(*test.record);
                for (std::size_t i = 0; i < keys.size(); ++i) {
                    run.markers.push_back({run.tests.size(), &test.record->markers[i], std::move(keys[i])});
                }
            }
            run.tests.emplace_back(&script, &test);
        }
    }
    return run;
}

std::string gridColour(uint32_t blueGreenRed) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", blueGreenRed & 0xffU, (blueGreenRed >> 8) & 0xffU,
                  (blueGreenRed >> 16) & 0xffU);
    return text;
}

std::string testName(const ReportedScript& script, const ReportedTest& test) {
    return "\"" + test.item->strName + "\" (row " + std::to_string(test.row) + " of " + script.name + ")";
}

// The file a failed check was given, by name when it is one of the design's.
std::string checkedFile(const engine::Design& design, int32_t number) {
    const auto file = std::ranges::find(design.files, number, &engine::File::number);
    return file != design.files.end() ? file->name : "file " + std::to_string(number);
}

// Whatever this run did not check, in words: tests that failed, were unchecked or not reached,
// the checks KORVEN could not perform, and what the design file lacked.
std::vector<std::string> notChecked(const PageRun& run, const ReportContext& context,
                                    const engine::Design& design) {
    static const std::map<std::string, std::string> kWhy{{"failed", ": failed to run (see runner.log)"},
                                                         {"unchecked", ": unchecked"},
                                                         {"stopped", ": not run, the run stopped before it"}};
    std::vector<std::string> lines;
    for (const auto& [script, test] : run.tests) {
        if (auto why = kWhy.find(test->outcome); why != kWhy.end()) {
            lines.push_back(testName(*script, *test) + why->second);
        }
    }
    for (const engine::FailedCheck& failed : context.failedChecks) {
        lines.push_back("KORVEN could not perform \"" + failed.check + "\" on " +
                        checkedFile(design, failed.file) + " (code " + std::to_string(failed.code) +
                        "): " + failed.description);
    }
    for (const std::string& note : context.designNotes) {
        lines.push_back(context.design + ": " + note);
    }
    return lines;
}

std::string outcomeText(const PageRun& run) {
    const auto count = [&](const char* outcome) {
        return std::ranges::count_if(run.tests,
                                     [&](const auto& entry) { return entry.second->outcome == outcome; });
    };
    std::string text = count("stopped") > 0 ? "Stopped before its last test" : "Completed";
    if (const auto failed = count("failed"); failed > 0) {
        text += "; " + std::to_string(failed) + (failed == 1 ? " test" : " tests") + " failed to run";
    }
    return text;
}

MarkerCounts totals(const PageRun& run) {
    MarkerCounts total;
    for (const auto& [script, test] : run.tests) {
        if (test->record != nullptr) {
            total += countMarkers(*test->record);
        }
    }
    return total;
}

void writeFact(std::ostream& out, const char* name, const std::string& value, const char* id = nullptr) {
    out << "<tr><th>" << name << "</th><td" << (id != nullptr ? std::string(" id=\"") + id + "\"" : "") << ">"
        << files::markupText(value) << "</td></tr>\n";
}

void writeSummary(std::ostream& out, const PageRun& run, const std::vector<ReportedScript>& scripts,
                  const ReportContext& context, const engine::Design& design) {
    out << "<header id=\"summary\"><h1>DFM report: " << files::markupText(context.design) << "</h1>\n"
        << "<table class=\"facts\">\n";
    writeFact(out, "Design", context.design);
    writeFact(out, "Date", context.date);
    writeFact(out, "Program", std::string(kApplicationTitle) + " " + versionText());
    std::string names;
    for (const ReportedScript& script : scripts) {
        names += (names.empty() ? "" : ", ") + script.name + " (" + script.file + ")";
    }
    writeFact(out, "Scripts", names);
    writeFact(out, "Outcome", outcomeText(run), "outcome");
    const MarkerCounts total = totals(run);
    writeFact(out, "Violations",
              std::to_string(total.critical) + " Critical, " + std::to_string(total.marginal) +
                  " Marginal, " + std::to_string(total.waived) + " waived",
              "totals");
    writeFact(out, "Waivers", context.waiversFile.empty() ? "none" : context.waiversFile);
    out << "</table>\n<section id=\"not-checked\"><h2>Not checked</h2>\n";
    const std::vector<std::string> lines = notChecked(run, context, design);
    if (lines.empty()) {
        out << "<p>Every checked test ran, and KORVEN performed every check.</p>\n";
    } else {
        out << "<ul>\n";
        for (const std::string& line : lines) {
            out << "<li>" << files::markupText(line) << "</li>\n";
        }
        out << "</ul>\n";
    }
    out << "</section></header>\n";
}

// The layers the drawings use, in the design's order, each with its switch.
void writeLayerSwitches(std::ostream& out, const engine::Design& design,
                        const std::vector<BoardSvg>& boards) {
    std::set<int16_t> used;
    for (const BoardSvg& board : boards) {
        used.insert(board.layers.begin(), board.layers.end());
    }
    out << "<div id=\"layers\">";
    for (int16_t number : used) {
        const bool known =
            number >= 0 && static_cast<std::size_t>(number) < design.layers.size() && design.layers[number];
        const engine::Layer layer = known ? *design.layers[number] : engine::Layer{.number = number};
        out << "<label><input type=\"checkbox\" data-layer=\"" << number << "\""
            << (layer.show ? " checked" : "")
            << "><span class=\"swatch\" style=\"background:" << cssColour(drawing::layerLook(layer).color)
            << "\"></span>" << files::markupText(known ? layer.name : "layer " + std::to_string(number))
            << "</label>";
    }
    out << "</div>\n";
}

void writeBoards(std::ostream& out, const engine::Design& design, const std::vector<BoardSvg>& boards) {
    out << "<section id=\"board-section\"><h2>Boards and panels</h2>\n<div class=\"board-tools\">"
        << "<label>File <select id=\"file\">";
    for (std::size_t i = 0; i < design.files.size(); ++i) {
        out << "<option value=\"" << i << "\">" << files::markupText(design.files[i].name) << "</option>";
    }
    out << "</select></label> <button type=\"button\" id=\"fit\">Fit</button> <span class=\"hint\">Drag to "
           "pan, "
           "wheel or + and - to zoom, arrows to move, 0 to fit</span></div>\n";
    writeLayerSwitches(out, design, boards);
    out << "<div id=\"view\" tabindex=\"0\">";
    for (const BoardSvg& board : boards) {
        out << board.svg;
    }
    out << "<canvas id=\"overlay\"></canvas></div></section>\n";
}

void writeMarkerTable(std::ostream& out, const PageRun& run) {
    out << "<section id=\"marker-section\"><h2>Markers</h2>\n<div class=\"filters\">"
        << "<input type=\"search\" id=\"marker-filter\" placeholder=\"Filter: test, check, items, board...\">"
        << "<select id=\"test-filter\"><option value=\"\">All tests</option>";
    // Every test, so that a click on one without markers shows none rather than all.
    for (std::size_t i = 0; i < run.tests.size(); ++i) {
        const auto& [script, test] = run.tests[i];
        out << "<option value=\"" << i << "\">" << files::markupText(test->item->strName) << " ("
            << files::markupText(script->name) << " row " << test->row << ")</option>";
    }
    out << "</select><select id=\"severity-filter\"><option value=\"\">All severities</option>"
        << "<option>Critical</option><option>Marginal</option></select>"
        << "<select id=\"waived-filter\"><option value=\"\">Waived or not</option>"
        << "<option value=\"no\">Not waived</option><option value=\"yes\">Waived</option></select>"
        << "<span id=\"marker-count\"></span></div>\n"
        << "<div id=\"marker-scroll\"><table id=\"markers\"><thead><tr>"
        << "<th data-column=\"0\">Test</th><th data-column=\"1\">Check</th><th "
           "data-column=\"2\">Severity</th>"
        << "<th data-column=\"3\">Measured</th><th data-column=\"4\">Required</th><th "
           "data-column=\"5\">Items</th>"
        << "<th data-column=\"6\">Board</th><th "
           "data-column=\"7\">Waiver</th></tr></thead><tbody></tbody></table>"
        << "</div></section>\n";
}

std::string parametersText(const ReportedTest& test) {
    std::vector<std::pair<std::string, std::string>> parameters;
    if (test.record != nullptr) {
        parameters = test.record->parameters;
    } else {
        for (const auto& entry : test.item->dictProperties()) {
            parameters.push_back(entry);
        }
    }
    std::string text;
    for (const auto& [name, value] : parameters) {
        text += "<div>" + files::markupText(name) + " = " + files::markupText(value) + "</div>";
    }
    return text;
}

std::string secondsText(const ReportedTest& test) {
    if (test.record == nullptr) {
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", test.record->seconds);
    return text;
}

void writeTests(std::ostream& out, const PageRun& run) {
    out << "<section id=\"tests-section\"><h2>Tests</h2>\n";
    const ReportedScript* current = nullptr;
    for (std::size_t i = 0; i < run.tests.size(); ++i) {
        const auto& [script, test] = run.tests[i];
        if (script != current) {
            out << (current != nullptr ? "</tbody></table>\n" : "") << "<h3>"
                << files::markupText(script->name) << " <span class=\"path\">"
                << files::markupText(script->file) << "</span></h3>\n"
                << "<table "
                   "class=\"tests\"><thead><tr><th>#</th><th>Test</th><th>Parameters</th><th>Marginal</th>"
                << "<th>Critical</th><th>Outcome</th><th>Seconds</th></tr></thead><tbody>\n";
            current = script;
        }
        out << "<tr data-test=\"" << i << "\" style=\"color:" << gridColour(test->grid.fore)
            << ";background:" << gridColour(test->grid.back) << "\"><td>" << test->row << "</td><td>"
            << files::markupText(test->item->strName) << "</td><td class=\"params\">" << parametersText(*test)
            << "</td><td>" << files::markupText(test->grid.marginal) << "</td><td>"
            << files::markupText(test->grid.critical) << "</td><td>" << test->outcome << "</td><td>"
            << secondsText(*test) << "</td></tr>\n";
    }
    out << (current != nullptr ? "</tbody></table>\n" : "<p>No script ran.</p>\n") << "</section>\n";
}

void writeStaleWaivers(std::ostream& out, const ReportContext& context) {
    out << "<section id=\"stale-section\"><h2>Stale waivers</h2>\n";
    if (context.staleWaivers.empty()) {
        out << "<p>None: every waiver matched a violation of this run.</p>\n";
    } else {
        out << "<table "
               "id=\"stale\"><thead><tr><th>Key</th><th>Reason</th><th>Author</th><th>Date</th></tr></thead>"
               "<tbody>\n";
        for (const Waiver& waiver : context.staleWaivers) {
            out << "<tr><td>" << files::markupText(waiver.key) << "</td><td>"
                << files::markupText(waiver.reason) << "</td><td>" << files::markupText(waiver.author)
                << "</td><td>" << files::markupText(waiver.date) << "</td></tr>\n";
        }
        out << "</tbody></table>\n";
    }
    out << "</section>\n";
}

std::string itemsText(const std::vector<engine::DrcItem>& items) {
    std::string text;
    for (const engine::DrcItem& item : items) {
        const std::string named = engine::itemText(item);
        text += (text.empty() ? "" : ", ") + (named.empty() ? std::string("(unnamed)") : named);
    }
    return text;
}

// The drawing of every file, taking in its markers' places and the boxes of the items they name.
std::vector<BoardSvg> drawBoards(const engine::Design& design, const PageRun& run) {
    std::vector<BoardSvg> boards;
    for (const engine::File& file : design.files) {
        std::vector<engine::Point> places;
        std::vector<engine::DrcItem> named;
        for (const PageMarker& marker : run.markers) {
            if (marker.recorded->marker->file == file.number) {
                places.push_back(marker.recorded->marker->at);
                named.insert(named.end(), marker.recorded->marker->items.begin(),
                             marker.recorded->marker->items.end());
            }
        }
        std::ranges::sort(named);
        named.erase(std::unique(named.begin(), named.end()), named.end());
        boards.push_back(boardSvg(design, file, places, named));
    }
    return boards;
}

// Markers as rows of values, in the order of the table's columns where they have one: test, file,
// x, y (drawing units), severity, check, measure, measured, required, items, key, waived, waiver
// reason, paint rank, the texts of the items.
Json markerRow(const PageMarker& page, const engine::Design& design, const std::vector<BoardSvg>& boards,
               const std::map<std::string, const Waiver*>& waivers) {
    const RecordedMarker& recorded = *page.recorded;
    const engine::DrcMarker& marker = *recorded.marker;
    const auto file = std::ranges::find(design.files, marker.file, &engine::File::number);
    const long fileIndex = file == design.files.end() ? -1 : file - design.files.begin();
    Json at =
        fileIndex < 0
            ? Json::array({0, 0})
            : Json::array({boards[fileIndex].grid.toX(marker.at.x), boards[fileIndex].grid.toY(marker.at.y)});
    Json names = Json::array();
    for (const engine::DrcItem& item : marker.items) {
        names.push_back(engine::itemText(item));
    }
    const auto waiver = waivers.find(page.key);
    return Json::array(
        {page.test, fileIndex, at[0], at[1], marker.severity.str(), marker.check.str(), marker.measure.str(),
         marker.measured, marker.required, itemsText(marker.items), page.key, recorded.waived ? 1 : 0,
         recorded.waived && waiver != waivers.end() ? waiver->second->reason : "",
         static_cast<int>(drawing::markerRank(marker.severity, recorded.waived)), std::move(names)});
}

Json pageData(const PageRun& run, const ReportContext& context, const engine::Design& design,
              const std::vector<BoardSvg>& boards) {
    Json files = Json::array();
    for (std::size_t i = 0; i < design.files.size(); ++i) {
        Json boxes = Json::object();
        for (const auto& [text, list] : boards[i].itemBoxes) {
            boxes[text] = list;
        }
        files.push_back(Json{{"name", design.files[i].name},
                             {"width", boards[i].grid.width},
                             {"height", boards[i].grid.height},
                             {"unitsPerPage", boards[i].grid.scale},
                             {"boxes", std::move(boxes)}});
    }
    Json tests = Json::array();
    for (const auto& [script, test] : run.tests) {
        tests.push_back(Json{{"name", test->item->strName}, {"script", script->name}, {"row", test->row}});
    }
    std::map<std::string, const Waiver*> waivers;
    for (const Waiver& waiver : context.waivers) {
        waivers.emplace(waiver.key, &waiver);
    }
    Json markers = Json::array();
    for (const PageMarker& marker : run.markers) {
        markers.push_back(markerRow(marker, design, boards, waivers));
    }
    Json colours{{"Critical", cssColour(drawing::severityColour("Critical"))},
                 {"Marginal", cssColour(drawing::severityColour("Marginal"))},
                 {"other", cssColour(drawing::severityColour(""))},
                 {"waived", cssColour(drawing::kWaived)},
                 {"highlight", cssColour(drawing::kHighlight)}};
    return Json{{"files", std::move(files)},
                {"tests", std::move(tests)},
                {"markers", std::move(markers)},
                {"colours", std::move(colours)}};
}

} // namespace

void writeHtmlReport(const std::vector<ReportedScript>& scripts, const ReportContext& context,
                     const engine::Design& design, std::ostream& out) {
    const PageRun run = pageRun(scripts);
    const std::vector<BoardSvg> boards = drawBoards(design, run);
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<title>DFM report: " << files::markupText(context.design) << "</title>\n<style>\n"
        << kPageStyle << "</style>\n</head>\n<body>\n";
    writeSummary(out, run, scripts, context, design);
    writeBoards(out, design, boards);
    writeMarkerTable(out, run);
    writeTests(out, run);
    writeStaleWaivers(out, context);
    out << "<footer>Written by " << kApplicationTitle << " " << versionText() << "</footer>\n"
        << "<script type=\"application/json\" id=\"report-data\">"
        << scriptSafeJson(
               pageData(run, context, design, boards).dump(-1, ' ', false, Json::error_handler_t::replace))
        << "</script>\n<script>\n"
        << kPageScript << "</script>\n</body>\n</html>\n";
}

} // namespace lumora::report
