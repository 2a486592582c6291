#pragma once

#include "engine/provider/EmbeddedKorven.h"
#include "korvenapi/AutomationRegistry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lumora::bench {

// Thresholds and switches of the copper distance test's defaults, in mils.
struct CopperRules {
    double marginal = 5;
    double critical = 3;
    bool skipSameNets = true;
};

// The embedded KORVEN serving a synthetic board (or any design) through its automation objects,
// with the DRC callback turned on, as a run finds it. Every call that answers with an error code
// throws.
class SyntheticKorven {
  public:
    SyntheticKorven(std::size_t components, std::size_t flawEvery);
    explicit SyntheticKorven(engine::Design design);
    ~SyntheticKorven();
    SyntheticKorven(const SyntheticKorven&) = delete;
    SyntheticKorven& operator=(const SyntheticKorven&) = delete;

    const engine::Design& design() { return korven_.session().design(); }
    int16_t maxStackup() { return design().maxElectrical(); }

    // A new flatten geometry with the copper of one electrical layer as the copper distance test
    // collects it: the layer's etch, and on the outer layers the pins and vias.
    int16_t flattenCopper(int16_t stackup);
    // DistanceCheck2 of a geometry against itself: touching allowed, one DRC per pair of nets.
    void checkCopper(int16_t geomNum, const CopperRules& rules = {});
    void deleteGeometry(int16_t geomNum);
    // Drops the markers of earlier checks.
    void clearDrcs();

    // "DRC Added" announcements since the last clearDrcs.
    std::size_t announced() const { return *announced_; }

  private:
    void require(int16_t code, const std::string& call) const;

    AutomationRegistry registry_;
    engine::EmbeddedKorven korven_;
    ProviderRegistration registration_;
    std::shared_ptr<KorvenApplication> app_;
    std::shared_ptr<KorvenDfm> dfm_;
    std::shared_ptr<std::size_t> announced_ = std::make_shared<std::size_t>(0);
};

} // namespace lumora::bench
