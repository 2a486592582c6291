#include "bench/SyntheticKorven.h"

#include "engine/tools/SyntheticDesign.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace lumora::bench {

namespace {

using engine::Layer;

// Counts the announcements, as the runner's counters do.
class Counter : public ResponseCallback {
  public:
    explicit Counter(std::shared_ptr<std::size_t> count) : count_(std::move(count)) {}
    void Response(const std::string&, const std::string&) override { ++*count_; }

  private:
    std::shared_ptr<std::size_t> count_;
};

// Layers outside the stack-up whose pins and vias the runner adds to an outer layer's copper.
constexpr std::array kTopInsertLayers{layer_type::PadTop, layer_type::SignalTop,
                                      layer_type::Drill,  layer_type::DrillUnplated,
                                      layer_type::PadAll, layer_type::SignalAll};
constexpr std::array kBottomInsertLayers{layer_type::PadBottom, layer_type::SignalBottom,
                                         layer_type::Drill,     layer_type::DrillUnplated,
                                         layer_type::PadAll,    layer_type::SignalAll};

bool carriesInserts(const Layer& layer, int16_t stackup, int16_t maxStackup) {
    if (stackup != 1 && stackup != maxStackup) {
        return false;
    }
    if (layer.electrical != 0) {
        return layer.electrical == stackup;
    }
    const auto& types = stackup == 1 ? kTopInsertLayers : kBottomInsertLayers;
    return std::ranges::find(types, layer.type) != types.end();
}

} // namespace

SyntheticKorven::SyntheticKorven(std::size_t components, std::size_t flawEvery)
    : SyntheticKorven(
          engine::makeSyntheticDesign({.components = components, .seed = 1, .flawEvery = flawEvery})) {}

SyntheticKorven::SyntheticKorven(engine::Design design)
    : korven_(std::move(design), registry_), registration_(registry_, korven_) {
    app_ = registry_.create<KorvenApplication>(kApplicationProgId);
    dfm_ = registry_.create<KorvenDfm>(kDfmProgId);
    registry_.registerResponseClass(std::string(kResponseProgId),
                                    [count = announced_] { return std::make_shared<Counter>(count); });
    require(app_->TurnOnResponse(std::string(kResponseProgId)), "TurnOnResponse");
}

SyntheticKorven::~SyntheticKorven() = default;

int16_t SyntheticKorven::flattenCopper(int16_t stackup) {
    constexpr int32_t kFile = 1;
    constexpr int16_t kBothSurfaces = 3;
    int16_t geomNum = 0;
    require(dfm_->createFlattenGeometry(kFile, geomNum), "createFlattenGeometry");
    const int16_t last = maxStackup();
    for (const auto& slot : design().layers) {
        if (slot && slot->electrical == stackup) {
            require(dfm_->flattenByGraphicClass(geomNum, slot->number, graphic_class::Etch, 1),
                    "flattenByGraphicClass");
        }
    }
    for (int16_t insertType : {insert_type::Pin, insert_type::Via}) {
        for (const auto& slot : design().layers) {
            if (slot && carriesInserts(*slot, stackup, last)) {
                require(dfm_->flattenByInsertType(geomNum, slot->number, insertType, 0, kBothSurfaces),
                        "flattenByInsertType");
            }
        }
    }
    return geomNum;
}

void SyntheticKorven::checkCopper(int16_t geomNum, const CopperRules& rules) {
    require(dfm_->Check(DistanceCheck2Args{.geomNum1 = geomNum,
                                           .geomNum2 = geomNum,
                                           .limits = {rules.marginal, rules.critical},
                                           .algName = "Distance Between Copper on Electrical Stackup Layers",
                                           .canTouch = true,
                                           .skipSameNets = rules.skipSameNets,
                                           .oneDrcPerNet = true}),
            "DistanceCheck2");
}

void SyntheticKorven::deleteGeometry(int16_t geomNum) {
    require(app_->DeleteGeometry(geomNum), "DeleteGeometry");
}

void SyntheticKorven::clearDrcs() {
    require(app_->ClearAllDRCs(), "ClearAllDRCs");
    *announced_ = 0;
}

void SyntheticKorven::require(int16_t code, const std::string& call) const {
    if (code != rc::Ok) {
        throw std::runtime_error(call + " answered " + std::to_string(code));
    }
}

} // namespace lumora::bench
