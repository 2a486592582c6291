#include "engine/measure/PairDistances.h"

#include "engine/geom/PairSearch.h"
#include "engine/measure/FlatItems.h"
#include "engine/measure/Parallel.h"
#include "engine/model/KorvenFailure.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace lumora::engine {

namespace {

bool sameNonEmpty(const std::string& a, const std::string& b) {
    return !a.empty() && a == b;
}

// Copper of two different named nets that touches is a short.
bool differentNets(const Graphic& a, const Graphic& b) {
    return !a.net.empty() && !b.net.empty() && a.net != b.net;
}

bool skipped(const Graphic& a, const Graphic& b, const PairRules& rules) {
    if (rules.skipSameNets && sameNonEmpty(a.net, b.net)) {
        return true;
    }
    return rules.skipSameComps && a.origin && b.origin &&
           sameNonEmpty(a.origin->component, b.origin->component);
}

// The centre of the gap between two boxes, or of their overlap: where the marker goes.
Point between(const Box& a, const Box& b) {
    auto middle = [](double lowA, double highA, double lowB, double highB) {
        const double low = std::min(std::max(lowA, lowB), std::min(highA, highB));
        const double high = std::max(std::max(lowA, lowB), std::min(highA, highB));
        return (low + high) / 2;
    };
    return {middle(a.min_corner().x(), a.max_corner().x(), b.min_corner().x(), b.max_corner().x()),
            middle(a.min_corner().y(), a.max_corner().y(), b.min_corner().y(), b.max_corner().y())};
}

// A short is Critical whatever the flags; any other contact is a connection with CanTouch. Pairs
// the flags skip are measured only for shorts.
std::optional<Severity> judge(double distance, const PairRules& rules, bool mayShort, bool skip) {
    const bool contact = distance <= 0;
    if (contact && mayShort) {
        return Severity::Critical;
    }
    if (skip || (contact && rules.canTouch)) {
        return std::nullopt;
    }
    const std::optional<Severity> severity = severityBelow(distance, rules.limits);
    // Zero limits: any contact is a violation.
    return severity || !contact ? severity : std::optional(Severity::Critical);
}

bool closer(const Finding& a, const Finding& b) {
    return a.measured != b.measured ? a.measured < b.measured : reportedBefore(a, b);
}

// Of the findings between the same two objects (a via's pads and drill, the items of one
// component, the pieces of an outline), only the closest.
std::vector<Finding>
closestPerObjectPair(std::vector<std::pair<std::pair<ObjectKey, ObjectKey>, Finding>> found) {
    std::map<std::pair<ObjectKey, ObjectKey>, Finding> closest;
    for (auto& [objects, finding] : found) {
        if (objects.second < objects.first) {
            std::swap(objects.first, objects.second);
        }
        auto [kept, added] = closest.try_emplace(objects, finding);
        if (!added && closer(finding, kept->second)) {
            kept->second = std::move(finding);
        }
    }
    std::vector<Finding> findings;
    findings.reserve(closest.size());
    for (auto& entry : closest) {
        findings.push_back(std::move(entry.second));
    }
    return findings;
}

// The closest finding of every pair of nets; findings about items without a net stay.
std::vector<Finding> closestPerNetPair(std::vector<Finding> findings) {
    std::ranges::sort(findings, closer);
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<Finding> kept;
    for (Finding& finding : findings) {
        const std::string& a = finding.items[0].net;
        const std::string& b = finding.items[1].net;
        if (a.empty() || b.empty() || seen.insert(std::minmax(a, b)).second) {
            kept.push_back(std::move(finding));
        }
    }
    return kept;
}

} // namespace

void requireEdgeToEdge(int16_t algType) {
    if (algType != distance_algorithm::EdgeToEdge) {
        throw KorvenFailure(rc::ValueOutOfRange, "unknown algorithm type " + std::to_string(algType));
    }
}

namespace {

// Which items of the rough pairs need a footprint: those of the first geometry, of the second, or,
// when both sides index one geometry, of both.
enum class PairSide { First, Second, Both };

std::vector<char> wantedIn(const std::vector<IndexPair>& pairs, std::size_t count, PairSide side) {
    std::vector<char> wanted(count, 0);
    for (const auto& [first, second] : pairs) {
        if (side != PairSide::Second) {
            wanted[first] = 1;
        }
        if (side != PairSide::First) {
            wanted[second] = 1;
        }
    }
    return wanted;
}

std::vector<Finding> findClosePairs(const CheckContext& context, const Geometry& first,
                                    const Geometry& second, const PairRules& rules) {
    const bool oneGeometry = &first == &second;
    const RoughItems itemsA = roughItemsOf(first);
    const RoughItems itemsB = oneGeometry ? RoughItems() : roughItemsOf(second);
    const RoughItems& other = oneGeometry ? itemsA : itemsB;
    const double reach = std::max({rules.limits.marginal, rules.limits.critical, 0.0});
    // Pairs by rough boxes first, then by the footprints' boxes as nearPairs would have chosen
    // them: footprints are built only for items that have a partner nearby.
    auto onThePool = [](std::size_t count, const std::function<void(std::size_t)>& body) {
        workerPool().run(count, body);
    };
    const std::vector<IndexPair> rough = oneGeometry
                                             ? nearPairs(itemsA.boxes, reach, onThePool)
                                             : nearPairs(itemsA.boxes, itemsB.boxes, reach, onThePool);
    const SomeFootprints footprintsA(
        itemsA, wantedIn(rough, itemsA.graphics.size(), oneGeometry ? PairSide::Both : PairSide::First));
    const SomeFootprints footprintsB =
        oneGeometry ? SomeFootprints(itemsB, {})
                    : SomeFootprints(itemsB, wantedIn(rough, itemsB.graphics.size(), PairSide::Second));
    const SomeFootprints& otherFootprints = oneGeometry ? footprintsA : footprintsB;

    // Paths of items flattened from different files say nothing about each other.
    const Geometry* sharedBlock =
        first.flattenFile == second.flattenFile ? &context.fileBlock(first.flattenFile) : nullptr;
    auto onePadstack = [&](const Graphic& a, const Graphic& b) {
        return sharedBlock != nullptr && ofOnePadstack(context.design(), *sharedBlock, a, b);
    };

    // A pair's measure is kept in a few bytes until the pairs that break a limit are known: a finding
    // kept for every near pair was a tenth of the copper distance test's peak memory.
    struct Measured {
        double distance;
        Severity severity;
    };
    auto measure = [&](std::size_t n) -> std::optional<Measured> {
        const Footprint* footprintA = footprintsA.at(rough[n].first);
        const Footprint* footprintB = otherFootprints.at(rough[n].second);
        if (footprintA == nullptr || footprintB == nullptr ||
            !bg::intersects(footprintB->box(), grown(footprintA->box(), reach))) {
            return std::nullopt;
        }
        const Graphic& a = *itemsA.graphics[rough[n].first];
        const Graphic& b = *other.graphics[rough[n].second];
        const bool mayShort = differentNets(a, b);
        const bool skip = skipped(a, b, rules);
        if ((skip && !mayShort) || onePadstack(a, b)) {
            return std::nullopt;
        }
        const double distance = footprintA->distanceTo(*footprintB);
        const std::optional<Severity> severity = judge(distance, rules, mayShort, skip);
        return severity ? std::optional(Measured{distance, *severity}) : std::nullopt;
    };
    const std::vector<std::optional<Measured>> measured =
        measureInParallel<std::optional<Measured>>(rough.size(), measure);
    std::vector<std::pair<std::pair<ObjectKey, ObjectKey>, Finding>> found;
    for (std::size_t n = 0; n < measured.size(); ++n) {
        if (!measured[n]) {
            continue;
        }
        const Graphic& a = *itemsA.graphics[rough[n].first];
        const Graphic& b = *other.graphics[rough[n].second];
        const Point at =
            between(footprintsA.at(rough[n].first)->box(), otherFootprints.at(rough[n].second)->box());
        Finding finding = context.finding(measured[n]->severity, first.flattenFile, at);
        finding.measure = "distance";
        finding.measured = measured[n]->distance;
        finding.required = brokenLimit(measured[n]->severity, rules.limits);
        finding.items = {findingItemOf(a), findingItemOf(b)};
        found.push_back({{objectOf(a), objectOf(b)}, std::move(finding)});
    }
    std::vector<Finding> findings = closestPerObjectPair(std::move(found));
    return rules.oneDrcPerNet ? closestPerNetPair(std::move(findings)) : findings;
}

} // namespace

// The search runs beside the caller's thread, which meanwhile lets the front end's events through.
std::vector<Finding> closePairs(const CheckContext& context, const Geometry& first, const Geometry& second,
                                const PairRules& rules) {
    return awaitRunningTheHook([&] { return findClosePairs(context, first, second, rules); });
}

} // namespace lumora::engine
