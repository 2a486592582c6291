// TestPadDensityCheck: the number of testpoints (inserts of type testpoint or with the "TEST"
// attribute, on either side) in every square of a grid laid over a board from the lower left corner
// of its outline (of its testpoints when it has none). A square with more than critical testpoints
// is Critical, else more than marginal is Marginal; a count of 0 is no limit. With
// addTPDensityAttrib every testpoint gets "TP_DENSITY", the count of its square.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/Areas.h"
#include "engine/measure/PlacedInserts.h"
#include "engine/model/NumberText.h"
#include "engine/model/Refusal.h"

#include <cmath>
#include <map>
#include <optional>

namespace lumora::engine {

namespace {

inline constexpr std::string_view kDensityKeyword = "TP_DENSITY";

struct Testpoint {
    Point at;
    DrcItem item;
    const Insert* insert;
};

bool isTestpoint(const Insert& insert) {
    return insert.insertType == insert_type::Testpoint || insert.attributes.has(keyword::Test);
}

std::vector<Testpoint> testpointsOf(const Design& design, int32_t filePos) {
    std::vector<Testpoint> testpoints;
    forEachPlacedInsert(design, filePos, [&](const PlacedInsert& placed) {
        if (isTestpoint(placed.insert)) {
            testpoints.push_back({placed.at(), placed.item(), &placed.insert});
        }
    });
    return testpoints;
}

// The lower left corner of the board outline, else of the testpoints.
Point gridOrigin(const Geometry& board, const std::vector<Testpoint>& testpoints) {
    std::optional<Box> outline;
    for (const DataItem& item : board.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        const auto extent = graphic && graphic->graphicClass == graphic_class::BoardOutline
                                ? extentOf(graphic->shape)
                                : std::nullopt;
        if (extent && outline) {
            bg::expand(*outline, *extent);
        } else if (extent) {
            outline = extent;
        }
    }
    if (outline) {
        return {outline->min_corner().x(), outline->min_corner().y()};
    }
    Point origin = testpoints.front().at;
    for (const Testpoint& testpoint : testpoints) {
        origin = {std::min(origin.x, testpoint.at.x), std::min(origin.y, testpoint.at.y)};
    }
    return origin;
}

void refuseNegative(double value, const char* what) {
    if (value < 0) {
        throw Refusal(rc::ValueOutOfRange, std::string(what) + " must not be negative");
    }
}

} // namespace

std::vector<Finding> check(CheckContext& context, const TestPadDensityCheckArgs& args) {
    refuseNegative(args.marginal, "marginal count");
    refuseNegative(args.critical, "critical count");
    if (args.gridSize <= 0) {
        throw Refusal(rc::ValueOutOfRange, "the grid square size must be above 0");
    }
    const std::vector<Testpoint> testpoints = testpointsOf(context.design(), args.filePos);
    if (testpoints.empty()) {
        return {};
    }
    const Point origin = gridOrigin(context.fileBlock(args.filePos), testpoints);
    using Square = std::pair<double, double>;
    std::map<Square, std::vector<const Testpoint*>> squares;
    for (const Testpoint& testpoint : testpoints) {
        squares[{std::floor((testpoint.at.x - origin.x) / args.gridSize),
                 std::floor((testpoint.at.y - origin.y) / args.gridSize)}]
            .push_back(&testpoint);
    }

    const Limits limits{static_cast<double>(args.marginal), static_cast<double>(args.critical)};
    std::vector<Finding> findings;
    for (const auto& [square, members] : squares) {
        const double count = static_cast<double>(members.size());
        if (args.addTPDensityAttrib) {
            for (const Testpoint* testpoint : members) {
                // The document is the context's to change; the walk only handed the insert out as const.
                const_cast<Insert*>(testpoint->insert)->attributes.set(kDensityKeyword, formatNumber(count));
            }
        }
        const std::optional<Severity> severity = severityAbove(count, limits);
        if (!severity) {
            continue;
        }
        const Point centre{origin.x + (square.first + 0.5) * args.gridSize,
                           origin.y + (square.second + 0.5) * args.gridSize};
        Finding finding = context.finding(*severity, args.filePos, centre);
        finding.measure = "testpoints in square";
        finding.measured = count;
        finding.required = brokenLimit(*severity, limits);
        for (const Testpoint* testpoint : members) {
            finding.items.push_back(testpoint->item);
        }
        findings.push_back(std::move(finding));
    }
    if (args.addTPDensityAttrib) {
        context.design().keywordNumber(kDensityKeyword, keyword_type::Integer);
    }
    return findings;
}

} // namespace lumora::engine
