#pragma once

#include "drawing/ItemOwners.h"
#include "engine/model/Design.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora::drawing {

// The block KORVEN shows for a file: a geometry put in its place (SetFileGeometry) or its own.
const engine::Geometry& shownBlock(const engine::Design& design, const engine::File& file);

// Markers are painted by rank, lowest first: waived ones, then Marginal, then Critical, so that a
// Critical marker at the same place stays visible.
enum class MarkerRank { Waived, Marginal, Critical };
inline constexpr MarkerRank kMarkerRanks[] = {MarkerRank::Waived, MarkerRank::Marginal, MarkerRank::Critical};
MarkerRank markerRank(std::string_view severity, bool waived);

// What an insert is to a drawing: not drawn, drawn as one box standing for it, or entered.
enum class Entry { Skip, Stand, Enter };

// The walk over a block's placed items that every drawing of a board shares: each insert is
// placed inside its parent, named after its owner and mirrored when an odd number of mirrored
// inserts hold it; each graphic is met on the layer that mirroring moves it to. The visitor keeps
// the placements (its own transform type, `Visitor::Placement`) and decides what it enters:
//   Placement place(const engine::Insert&, const Placement& outer)
//   Entry enter(const engine::Insert&, const Placement& inner)
//   void stand(const engine::Insert&, const Placement& inner, bool mirrored, bool lit)
//   void graphic(const engine::Graphic&, int16_t layer, const Placement&, const ItemOwner&, bool lit)
template <class Visitor> class BoardWalk {
  public:
    using Placement = typename Visitor::Placement;

    // lit: the items a marker names, which the walk names its owners for.
    BoardWalk(const engine::Design& design, const std::vector<engine::DrcItem>& lit, Visitor& visitor)
        : design_(design), owners_(design, lit), visitor_(visitor) {}
    // The walk keeps the items it is given, so they must outlive it.
    BoardWalk(const engine::Design&, std::vector<engine::DrcItem>&&, Visitor&) = delete;

    const ItemOwners& owners() const { return owners_; }

    // An item of a block of the file, placed by `placement`.
    void item(const engine::DataItem& item, const Placement& placement) { walk(item, placement, {}, false); }

  private:
    void walk(const engine::DataItem& item, const Placement& placement, const ItemOwner& owner,
              bool mirrored) {
        if (const auto* insert = std::get_if<engine::Insert>(&item)) {
            const Placement inner = visitor_.place(*insert, placement);
            const Entry entry = visitor_.enter(*insert, inner);
            if (entry == Entry::Skip) {
                return;
            }
            const ItemOwner innerOwner = owners_.of(*insert, owner);
            const bool innerMirrored = mirrored != insert->mirror;
            if (entry == Entry::Stand) {
                visitor_.stand(*insert, inner, innerMirrored, innerOwner.lit);
                return;
            }
            for (const engine::DataItem& child : design_.geometry(insert->geometry).data) {
                walk(child, inner, innerOwner, innerMirrored);
            }
            return;
        }
        const auto& graphic = std::get<engine::Graphic>(item);
        const int16_t layer = mirrored ? design_.mirrorLayer(graphic.layer) : graphic.layer;
        visitor_.graphic(graphic, layer, placement, owner, owners_.lit(graphic, layer, owner));
    }

    const engine::Design& design_;
    ItemOwners owners_;
    Visitor& visitor_;
};

} // namespace lumora::drawing
