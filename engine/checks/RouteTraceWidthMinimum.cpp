// RouteTraceWidthMinimum: the pen width of every trace (line or arc) of a flatten geometry of etch.
// Reports each trace narrower than the limits, at its middle; traces whose net contains one of the
// comma-separated texts of excludeNets (ignoring case) are not measured.

#include "engine/checks/CheckFunctions.h"

#include "engine/model/GeometryItems.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>

namespace lumora::engine {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The texts of excludeNets, lower case, blanks around them and empty entries dropped.
std::vector<std::string> exclusions(std::string_view excludeNets) {
    std::vector<std::string> texts;
    std::size_t start = 0;
    while (start <= excludeNets.size()) {
        const std::size_t comma = std::min(excludeNets.find(',', start), excludeNets.size());
        if (const std::string_view text = trimmed(excludeNets.substr(start, comma - start)); !text.empty()) {
            texts.push_back(lowerCase(text));
        }
        start = comma + 1;
    }
    return texts;
}

bool excluded(std::string_view net, const std::vector<std::string>& texts) {
    const std::string lower = lowerCase(net);
    return !net.empty() && std::ranges::any_of(texts, [&](const std::string& text) {
        return lower.find(text) != std::string::npos;
    });
}

struct Trace {
    double width;
    Point middle;
};

std::optional<Trace> traceOf(const Shape& shape) {
    if (const auto* line = std::get_if<Line>(&shape)) {
        return Trace{line->width, {(line->from.x + line->to.x) / 2, (line->from.y + line->to.y) / 2}};
    }
    if (const auto* arc = std::get_if<Arc>(&shape)) {
        const double angle = (arc->start + arc->sweep / 2) * std::numbers::pi / 180;
        return Trace{
            arc->width,
            {arc->center.x + arc->radius * std::cos(angle), arc->center.y + arc->radius * std::sin(angle)}};
    }
    return std::nullopt;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const RouteTraceWidthMinimumArgs& args) {
    const Geometry& geometry = context.flattened(args.geomNum);
    const std::vector<std::string> texts = exclusions(args.excludeNets);
    std::vector<Finding> findings;
    forEachItem(geometry, [&](const DataItem& item) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (!graphic || excluded(graphic->net, texts)) {
            return;
        }
        const std::optional<Trace> trace = traceOf(graphic->shape);
        const std::optional<Severity> severity =
            trace ? severityBelow(trace->width, args.limits) : std::nullopt;
        if (!severity) {
            return;
        }
        Finding finding = context.finding(*severity, geometry.flattenFile, trace->middle);
        finding.measure = "width";
        finding.measured = trace->width;
        finding.required = brokenLimit(*severity, args.limits);
        finding.items = {findingItemOf(*graphic)};
        findings.push_back(std::move(finding));
    });
    return findings;
}

} // namespace lumora::engine
