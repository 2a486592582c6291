#include "engine/measure/ItemGroups.h"

#include "engine/findings/CheckContext.h"

#include <map>
#include <string_view>

namespace lumora::engine {

namespace {

// A view into the origin the graphic shares, which outlives the grouping.
std::string_view componentOf(const Graphic& graphic) {
    return graphic.origin ? graphic.origin->component.view() : std::string_view();
}

ItemGroup newGroup(FlatItem member) {
    const Graphic& graphic = *member.graphic;
    const std::string_view component = componentOf(graphic);
    ItemGroup group{component.empty() ? findingItemOf(graphic) : DrcItem{.component = component},
                    graphic.origin ? graphic.origin->surface : surface::Top,
                    member.footprint.box(),
                    {}};
    group.members.push_back(std::move(member));
    return group;
}

} // namespace

std::vector<ItemGroup> groupsByComponent(std::vector<FlatItem> items) {
    std::vector<ItemGroup> groups;
    std::map<std::string_view, std::size_t> byComponent;
    for (FlatItem& member : items) {
        const std::string_view component = componentOf(*member.graphic);
        const auto known = component.empty() ? byComponent.end() : byComponent.find(component);
        if (known == byComponent.end()) {
            if (!component.empty()) {
                byComponent.emplace(component, groups.size());
            }
            groups.push_back(newGroup(std::move(member)));
            continue;
        }
        ItemGroup& group = groups[known->second];
        bg::expand(group.box, member.footprint.box());
        group.members.push_back(std::move(member));
    }
    return groups;
}

} // namespace lumora::engine
