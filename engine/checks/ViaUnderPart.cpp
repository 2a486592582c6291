// ViaUnderPart: vias (first flatten geometry) against component bodies (second). Reports every via
// whose copper reaches into a body, once per via and component, at the via's centre; the measured
// value is the area of via copper under the body.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/BoxIndex.h"
#include "engine/measure/FlatItems.h"
#include "engine/runtime/Parallel.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::engine {

namespace {

// A via's copper is united only when a body's box reaches it: most vias lie under no body, and the
// union of their pads was most of the check's time.
struct Via {
    InsertItems items;
    Box box;

    const Graphic& graphic() const { return *items.front()->graphic; } // its first item, for the finding
    Area copper() const {
        Area copper;
        for (const FlatItem* item : items) {
            copper = unite(copper, areaOf(*item));
        }
        return copper;
    }
};

std::vector<Via> viasOf(const std::vector<FlatItem>& items) {
    std::vector<Via> vias;
    for (InsertItems& group : groupByInsert(items)) {
        Box box = group.front()->footprint.box();
        for (const FlatItem* item : group) {
            bg::expand(box, item->footprint.box());
        }
        vias.push_back({std::move(group), box});
    }
    return vias;
}

struct Body {
    std::string_view component;
    Area area;
};

std::string_view componentOf(const FlatItem& item) {
    return item.graphic->origin ? item.graphic->origin->component.view() : std::string_view();
}

// The body items of every component, united, in component name order. The components are united on
// the worker pool, each from its items in their order.
std::vector<Body> bodiesOf(const std::vector<FlatItem>& items) {
    std::vector<InsertItems> groups = groupItemsBy<std::string_view>(items, componentOf);
    std::ranges::sort(groups, {}, [](const InsertItems& group) { return componentOf(*group.front()); });
    return measureInParallel<Body>(groups.size(), [&](std::size_t g) {
        Body body{componentOf(*groups[g].front()), Area()};
        for (const FlatItem* item : groups[g]) {
            body.area = unite(body.area, areaOf(*item));
        }
        return body;
    });
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ViaUnderPartArgs& args) {
    const Geometry& viaGeometry = context.flattened(args.geomNum1);
    const Geometry& bodyGeometry = context.flattened(args.geomNum2);
    const std::vector<FlatItem> viaItems = flatItemsOf(viaGeometry);
    const std::vector<Via> vias = viasOf(viaItems);
    const std::vector<Body> bodies = bodiesOf(flatItemsOf(bodyGeometry));

    std::vector<Box> viaBoxes;
    for (const Via& via : vias) {
        viaBoxes.push_back(via.box);
    }
    const BoxIndex index(viaBoxes, onThePool);
    // Each body's vias measured on the pool, the findings joined in body order.
    const std::vector<std::vector<Finding>> perBody =
        measureInParallel<std::vector<Finding>>(bodies.size(), [&](std::size_t b) {
            std::vector<Finding> found;
            const Area& body = bodies[b].area;
            if (body.empty()) {
                return found;
            }
            for (std::size_t v : index.near(bg::return_envelope<Box>(body), 0)) {
                Area under;
                bg::intersection(vias[v].copper(), body, under);
                const double area = bg::area(under);
                if (area <= 0) {
                    continue;
                }
                Finding finding =
                    context.finding(Severity::Critical, viaGeometry.flattenFile, centreOf(vias[v].box));
                finding.measure = "copper under body";
                finding.measured = area;
                finding.items = {findingItemOf(vias[v].graphic()),
                                 {.component = std::string(bodies[b].component)}};
                found.push_back(std::move(finding));
            }
            return found;
        });
    std::vector<Finding> findings;
    for (const std::vector<Finding>& found : perBody) {
        findings.insert(findings.end(), found.begin(), found.end());
    }
    return findings;
}

} // namespace lumora::engine
