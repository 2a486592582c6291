#include "engine/measure/PairDistances.h"

#include "engine/geom/PairSearch.h"
#include "engine/measure/FlatItems.h"
#include "engine/model/NumberText.h"
#include "engine/model/Refusal.h"
#include "engine/runtime/Parallel.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace lumora::engine {

namespace {

bool sameNonEmpty(std::string_view a, std::string_view b) {
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

// How far an item's polygon may lie from the shape it stands for, as its source says (MAX_ERROR: a
// KiCad zone fill); 0 for everything drawn exactly, which is all that is not a polygon.
double approximationOf(const Graphic& graphic) {
    if (!std::holds_alternative<Polygon>(graphic.shape)) {
        return 0;
    }
    const std::string* error = graphic.attributes.find(keyword::MaxError);
    const std::optional<double> length = error ? parseNumber(*error) : std::nullopt;
    return length && *length > 0 ? *length : 0;
}

// A short is Critical whatever the flags; any other contact is a connection with CanTouch. Pairs
// the flags skip are measured only for shorts. The limits allow the items' approximation: a gap
// that an approximated polygon narrows by no more than its error is no violation; contact is.
std::optional<Severity> judge(double distance, double allowance, const PairRules& rules, bool mayShort,
                              bool skip) {
    const bool contact = distance <= 0;
    if (contact && mayShort) {
        return Severity::Critical;
    }
    if (skip || (contact && rules.canTouch)) {
        return std::nullopt;
    }
    const std::optional<Severity> severity =
        severityBelow(contact ? distance : distance + allowance, rules.limits);
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
    std::set<std::pair<std::string_view, std::string_view>> seen; // views into the kept findings
    std::vector<Finding> kept;
    kept.reserve(findings.size());
    for (Finding& finding : findings) {
        const std::string_view a = finding.items[0].net;
        const std::string_view b = finding.items[1].net;
        if (a.empty() || b.empty() || seen.insert(std::minmax(a, b)).second) {
            kept.push_back(std::move(finding));
        }
    }
    return kept;
}

} // namespace

void requireEdgeToEdge(int16_t algType) {
    if (algType != distance_algorithm::EdgeToEdge) {
        throw Refusal(rc::ValueOutOfRange, "unknown algorithm type " + std::to_string(algType));
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

// The graphics of both sides and their pairs by rough boxes. The boxes are dropped once the pairs
// are found: on a large board they were an eighth of what the footprints then add.
struct RoughPairs {
    std::vector<const Graphic*> graphicsA;
    std::vector<const Graphic*> graphicsB; // empty when both sides are one geometry
    std::vector<IndexPair> pairs;
};

RoughPairs roughPairsOf(const Geometry& first, const Geometry& second, double reach) {
    RoughItems itemsA = roughItemsOf(first);
    if (&first == &second) {
        std::vector<IndexPair> pairs = nearPairs(itemsA.boxes, reach, onThePool);
        return {std::move(itemsA.graphics), {}, std::move(pairs)};
    }
    RoughItems itemsB = roughItemsOf(second);
    std::vector<IndexPair> pairs = nearPairs(itemsA.boxes, itemsB.boxes, reach, onThePool);
    return {std::move(itemsA.graphics), std::move(itemsB.graphics), std::move(pairs)};
}

// The pairs of items of two flatten geometries, or of one with itself, that come closer than the
// rules allow. Pairs by rough boxes first, then by the footprints' boxes as nearPairs would have
// chosen them: footprints are built only for items that have a partner nearby.
class ClosePairSearch {
  public:
    ClosePairSearch(const CheckContext& context, const Geometry& first, const Geometry& second,
                    const PairRules& rules)
        : context_(context), first_(first), rules_(rules), oneGeometry_(&first == &second),
          reach_(std::max({rules.limits.marginal, rules.limits.critical, 0.0})),
          rough_(roughPairsOf(first, second, reach_)),
          footprintsA_(rough_.graphicsA, wantedIn(rough_.pairs, rough_.graphicsA.size(),
                                                  oneGeometry_ ? PairSide::Both : PairSide::First)),
          footprintsB_(rough_.graphicsB,
                       oneGeometry_ ? std::vector<char>()
                                    : wantedIn(rough_.pairs, rough_.graphicsB.size(), PairSide::Second)),
          // Paths of items flattened from different files say nothing about each other.
          sharedBlock_(first.flattenFile == second.flattenFile ? &context.fileBlock(first.flattenFile)
                                                               : nullptr) {}

    std::vector<Finding> run() const {
        std::vector<std::pair<std::pair<ObjectKey, ObjectKey>, Finding>> found;
        for (const auto& [n, measured] :
             foundInParallel<Measured>(rough_.pairs.size(), [this](std::size_t n) { return measure(n); })) {
            found.push_back({{objectOf(graphicA(n)), objectOf(graphicB(n))}, findingOf(n, measured)});
        }
        std::vector<Finding> findings = closestPerObjectPair(std::move(found));
        return rules_.oneDrcPerNet ? closestPerNetPair(std::move(findings)) : findings;
    }

  private:
    // What a pair that breaks a limit measured; its finding is made on the caller's thread.
    struct Measured {
        double distance;
        Severity severity;
    };

    // The second side of every pair: the first geometry again when it is searched against itself.
    const std::vector<const Graphic*>& graphicsB() const {
        return oneGeometry_ ? rough_.graphicsA : rough_.graphicsB;
    }
    const SomeFootprints& footprintsB() const { return oneGeometry_ ? footprintsA_ : footprintsB_; }
    const Graphic& graphicA(std::size_t n) const { return *rough_.graphicsA[rough_.pairs[n].first]; }
    const Graphic& graphicB(std::size_t n) const { return *graphicsB()[rough_.pairs[n].second]; }

    bool onePadstack(const Graphic& a, const Graphic& b) const {
        return sharedBlock_ != nullptr && ofOnePadstack(context_.design(), *sharedBlock_, a, b);
    }

    std::optional<Measured> measure(std::size_t n) const {
        const Footprint* footprintA = footprintsA_.at(rough_.pairs[n].first);
        const Footprint* footprintB = footprintsB().at(rough_.pairs[n].second);
        if (footprintA == nullptr || footprintB == nullptr ||
            !bg::intersects(footprintB->box(), grown(footprintA->box(), reach_))) {
            return std::nullopt;
        }
        const Graphic& a = graphicA(n);
        const Graphic& b = graphicB(n);
        const bool mayShort = differentNets(a, b);
        const bool skip = skipped(a, b, rules_);
        if ((skip && !mayShort) || onePadstack(a, b)) {
            return std::nullopt;
        }
        const double distance = footprintA->distanceTo(*footprintB);
        const std::optional<Severity> severity =
            judge(distance, approximationOf(a) + approximationOf(b), rules_, mayShort, skip);
        return severity ? std::optional(Measured{distance, *severity}) : std::nullopt;
    }

    Finding findingOf(std::size_t n, const Measured& measured) const {
        const Point at = between(footprintsA_.at(rough_.pairs[n].first)->box(),
                                 footprintsB().at(rough_.pairs[n].second)->box());
        Finding finding = context_.finding(measured.severity, first_.flattenFile, at);
        finding.measure = "distance";
        finding.measured = measured.distance;
        finding.required = brokenLimit(measured.severity, rules_.limits);
        finding.items = {findingItemOf(graphicA(n)), findingItemOf(graphicB(n))};
        return finding;
    }

    const CheckContext& context_;
    const Geometry& first_;
    const PairRules& rules_;
    const bool oneGeometry_;
    const double reach_;
    const RoughPairs rough_;
    const SomeFootprints footprintsA_;
    const SomeFootprints footprintsB_;
    const Geometry* const sharedBlock_;
};

} // namespace

// The search runs beside the caller's thread, which meanwhile lets the front end's events through.
std::vector<Finding> closePairs(const CheckContext& context, const Geometry& first, const Geometry& second,
                                const PairRules& rules) {
    return awaitRunningTheHook([&] { return ClosePairSearch(context, first, second, rules).run(); });
}

} // namespace lumora::engine
