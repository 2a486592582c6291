#include "manifest/MergedIndex.h"

#include "files/MarkupText.h"
#include "log/ProductInfo.h"
#include "manifest/MergedResults.h"
#include "manifest/OutputFolder.h"

#include <string>

namespace lumora::manifest {

namespace {

using lumora::files::markupText;

// The design's page when its folder holds one, else its JSON report; none for a design without either.
std::string linkOf(const DesignResult& result, const std::filesystem::path& out) {
    for (const std::string_view file : {files::kPage, files::kReport}) {
        if (std::filesystem::is_regular_file(out / result.name / file)) {
            return result.name + "/" + std::string(file);
        }
    }
    return {};
}

std::string countText(const DesignResult& result, long report::MarkerCounts::*count) {
    return result.totals ? std::to_string((*result.totals).*count) : "";
}

void writeRow(const DesignResult& result, const std::filesystem::path& out, std::ostream& page) {
    const std::string link = linkOf(result, out);
    const std::string name = markupText(result.name);
    page << "<tr class=\"" << outcomeName(result.outcome) << "\"><td>"
         << (link.empty() ? name : "<a href=\"" + markupText(link) + "\">" + name + "</a>") << "</td><td>"
         << markupText(result.design) << "</td><td>" << outcomeName(result.outcome) << "</td><td>"
         << countText(result, &report::MarkerCounts::marginal) << "</td><td>"
         << countText(result, &report::MarkerCounts::critical) << "</td><td>"
         << countText(result, &report::MarkerCounts::waived) << "</td><td>" << markupText(result.message)
         << "</td></tr>\n";
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1.5em}table{border-collapse:collapse}"
    "td,th{border:1px solid #bbb;padding:.2em .6em;text-align:left;vertical-align:top}"
    ".violations td:nth-child(3){background:#f4b6b6}.passed td:nth-child(3){background:#b9e4b9}"
    ".broken td:nth-child(3),.failed td:nth-child(3),.crashed td:nth-child(3),"
    ".missing td:nth-child(3){background:#f2dc8f}";

} // namespace

void writeMergedIndex(const std::vector<DesignResult>& results, const std::filesystem::path& out,
                      std::ostream& page) {
    page << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" << kApplicationTitle
         << ": " << results.size() << " designs</title>\n<style>" << kStyle << "</style></head><body>\n<h1>"
         << kApplicationTitle << ": " << results.size() << " designs, outcome "
         << outcomeName(worstOutcome(results)) << "</h1>\n"
         << "<table id=\"designs\"><thead><tr><th>Design</th><th>File</th><th>Outcome</th><th>Marginal</th>"
            "<th>Critical</th><th>Waived</th><th>Message</th></tr></thead><tbody>\n";
    for (const DesignResult& result : results) {
        writeRow(result, out, page);
    }
    page << "</tbody></table>\n</body></html>\n";
}

} // namespace lumora::manifest
