// Writes the page of a large run for the browser test: a board of 2500 parts and 50,000 markers
// (or as many as asked) from 100 tests, a tenth of them waived.
// Usage: write_big_page FILE [MARKERS]

#include "engine/io/DesignFile.h"
#include "report/HtmlReport.h"
#include "script/clsTestItem.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace lumora;

constexpr int kTests = 100;
constexpr int kSide = 50; // parts on each side of the board, 100 mils apart

engine::Design bigBoard() {
    std::string parts;
    for (int i = 0; i < kSide * kSide; ++i) {
        parts += ",{\"insert\": \"component\", \"geometry\": \"PART\", \"at\": [" +
                 std::to_string(50 + 100 * (i % kSide)) + ", " + std::to_string(50 + 100 * (i / kSide)) +
                 "], \"ref\": \"U" + std::to_string(i) + "\"}";
    }
    return engine::parseDesign(R"({"format": "korven-design", "version": 1, "name": "big", "units": "Mils",
      "layers": [{"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
                 {"number": 2, "name": "OUTLINE", "type": "board-outline"}],
      "geometries": [
        {"number": 1, "name": "PART", "type": "component", "data": [
          {"pad": "rectangle", "size": [30, 20], "at": [-20, 0], "layer": "TOP"},
          {"pad": "rectangle", "size": [30, 20], "at": [20, 0], "layer": "TOP"}]},
        {"number": 10, "name": "BOARD", "type": "board", "data": [
          {"polygon": [[0, 0], [5000, 0], [5000, 5000], [0, 5000]], "layer": "OUTLINE"})" +
                               parts + R"(]}],
      "files": [{"number": 1, "name": "big.cc", "geometry": "BOARD"}]})");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: write_big_page FILE [MARKERS]\n";
        return 2;
    }
    const long markers = argc > 2 ? std::stol(argv[2]) : 50000;
    const engine::Design design = bigBoard();
    std::vector<clsTestItem> items(kTests);
    std::vector<TestRecord> records(kTests);
    report::ReportedScript script{"/big.dfm", "big", {}};
    for (int t = 0; t < kTests; ++t) {
        items[t].strName = "Test " + std::to_string(t);
        records[t].name = items[t].strName;
        records[t].files.push_back({1, "big.cc"});
    }
    for (long m = 0; m < markers; ++m) {
        const long part = m % (kSide * kSide);
        const std::string ref = "U" + std::to_string(part);
        engine::DrcMarker marker{
            1,
            {static_cast<double>(50 + 100 * (part % kSide)), static_cast<double>(50 + 100 * (part / kSide))},
            m % 2 == 0 ? "Critical" : "Marginal",
            "Check " + std::to_string(m % 7),
            "distance",
            static_cast<double>(m % 97),
            100,
            {{ref, "", ""}}};
        TestRecord& record = records[m % kTests];
        record.markers.push_back(
            {std::make_shared<const engine::DrcMarker>(std::move(marker)), "big.cc", m % 10 == 0});
    }
    for (int t = 0; t < kTests; ++t) {
        script.tests.push_back({t + 1, &items[t], &records[t], "completed", {0, 0x00FF00, "", ""}});
    }
    std::ofstream out(argv[1]);
    report::writeHtmlReport({script}, {"big.json", {}, "2026-01-01T00:00:00Z", "", {}, {}, {}}, design, out);
    return out ? 0 : 1;
}
