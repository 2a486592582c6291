// The eight via tests: pad and hole sizes, and how close vias come to pads, testpoints, other
// vias and features, to component bodies above them and to SMD pads.

#include "korven/clsKORVEN.h"
#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/FamilyTests.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumora {

namespace {

struct ViaPass {
    SurfacePass surface;
    const char* marginal;
    const char* critical;
};

constexpr std::array<ViaPass, 2> kViaPasses{{
    {kSurfacePasses[0], "Marginal_Top", "Critical_Top"},
    {kSurfacePasses[1], "Marginal_Bottom", "Critical_Bottom"},
}};

// The items a via edge test measures the vias against: the board's soldermask geometry of them,
// or a geometry the test fills itself.
struct OtherItems {
    MaskedItems masked;
    const char* geometryWord; // the surface word follows it
    int16_t insertType;
};

class ViaTests : public FamilyTests {
  public:
    ViaTests(ItemFrame& frame, FamilyGeometries& geometries, SoldermaskSwitch& maskSwitch)
        : FamilyTests(frame, geometries), maskSwitch_(maskSwitch) {}

    void padSize(const FrameItem& item) {
        frame_.record(korven().dfmViaPadSize(item.position, number("Top_Minimum_Size"),
                                             number("Top_Maximum_Size"), number("Bottom_Minimum_Size"),
                                             number("Bottom_Maximum_Size"),
                                             number("Ignore_Via_Holes_Below_Size")),
                      "dfmViaPadSize");
    }

    void holeSize(const FrameItem& item) {
        frame_.record(korven().dfmViaHoleSize(item.position, number("Minimum_Size"), number("Maximum_Size"),
                                              number("Ignore_Via_Holes_Below_Size")),
                      "dfmViaHoleSize");
    }

    void edgeToComponentPadEdge(const FrameItem& item) {
        edgeToOtherItems(item, {MaskedItems::Pins, " - Pin_", insert_type::Pin});
    }

    void edgeToTestpoint(const FrameItem& item) {
        edgeToOtherItems(item, {MaskedItems::Testpoints, " - TP_", insert_type::Testpoint});
    }

    // Every via is measured against the other vias of the same geometry.
    void edgeToViaEdge(const FrameItem& item) {
        maskSwitch_.set("Include_Soldermask");
        for (const ViaPass& pass : kViaPasses) {
            chooseVias(item, pass.surface, " - Via_", pass.surface.side);
            distanceCheck(frame_, first(), first(), number(pass.marginal), number(pass.critical),
                          checkName(pass.surface));
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

    // A via of either surface may come too close to a feature of the pass's surface.
    void edgeToFeature(const FrameItem& item) {
        maskSwitch_.set("Include_Soldermask");
        for (const ViaPass& pass : kViaPasses) {
            chooseVias(item, pass.surface, " - Via_", Sides::Both);
            if (maskSwitch_.isOn()) {
                second() = boardSoldermaskGeometry(MaskedItems::Features, pass.surface, test_.strName, item);
            } else {
                createdGeometry(test_.strName + " - Feature_" + pass.surface.word, item, second());
                fillFeatureGeometry(frame_, pass.surface, second());
            }
            distanceCheck(frame_, first(), second(), number(pass.marginal), number(pass.critical),
                          checkName(pass.surface), {.skipSameNets = skipsSameNets()});
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

    // With "Skip_Masked_Vias" on, the component bodies of each pass stay in the design: the pass
    // clean-up keeps both geometries.
    void underComponent(const FrameItem& item) {
        maskSwitch_.set("Skip_Masked_Vias");
        for (const SurfacePass& pass : kSurfacePasses) {
            chooseVias(item, pass, " - ", pass.side);
            createdGeometry(test_.strName + " - " + pass.word, item, second());
            std::string keyword =
                text("Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute") == "Yes" ? "ALLOW_VIA_UNDER_PART" : "";
            flattenDftOutline(second(), pass.bodyOutline, insert_type::Component, keyword, "",
                              comparison::LacksKeyword);
            frame_.record(korven().dfmViaUnderPart(first(), second(), checkName(pass)), "dfmViaUnderPart");
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

    void inSmtPad(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            chooseVias(item, pass, " - Via_", pass.side);
            createdGeometry(test_.strName + " - Pin_" + pass.word, item, second());
            flattenByInsertType({.insertType = insert_type::Pin,
                                 .top = pass.side == Sides::Top,
                                 .bottom = pass.side == Sides::Bottom,
                                 .keyword = "SMD",
                                 .comparisonType = comparison::HasKeyword},
                                second());
            if (text("No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute") == "Yes") {
                filterGeometry(frame_, second(), "ALLOW_VIA_IN_PIN", "", comparison::HasKeyword);
            }
            distanceCheck(frame_, first(), second(), 0, 0, checkName(pass));
            geometries_.deleteUnlessDebug();
        }
    }

  private:
    bool skipsSameNets() { return text("No_Violation_If_On_Same_Net") == "Yes"; }

    // The first geometry: the board's soldermask vias of the pass's surface while the switch is
    // on, otherwise the vias of the given sides in a geometry named by the word and the surface.
    void chooseVias(const FrameItem& item, const SurfacePass& pass, const char* geometryWord, Sides sides) {
        if (maskSwitch_.isOn()) {
            first() = boardSoldermaskGeometry(MaskedItems::Vias, pass, test_.strName, item);
            return;
        }
        createdGeometry(test_.strName + geometryWord + pass.word, item, first());
        flattenInserts(insert_type::Via, sides, InsertShape::Whole, first());
    }

    void edgeToOtherItems(const FrameItem& item, const OtherItems& other) {
        maskSwitch_.set("Include_Soldermask");
        for (const ViaPass& pass : kViaPasses) {
            chooseVias(item, pass.surface, " - Via_", pass.surface.side);
            if (maskSwitch_.isOn()) {
                second() = boardSoldermaskGeometry(other.masked, pass.surface, test_.strName, item);
            } else {
                createdGeometry(test_.strName + other.geometryWord + pass.surface.word, item, second());
                flattenInserts(other.insertType, pass.surface.side, InsertShape::Whole, second());
            }
            distanceCheck(frame_, first(), second(), number(pass.marginal), number(pass.critical),
                          checkName(pass.surface), {.skipSameNets = skipsSameNets()});
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

    SoldermaskSwitch& maskSwitch_;
};

constexpr std::array<FamilyTest<ViaTests>, 8> kTests{{
    {"Via Pad Size", &ViaTests::padSize},
    {"Via Hole Size", &ViaTests::holeSize},
    {"Via Edge To Component Pad Edge", &ViaTests::edgeToComponentPadEdge},
    {"Via Edge To Testpoint", &ViaTests::edgeToTestpoint},
    {"Via Edge To Via Edge", &ViaTests::edgeToViaEdge},
    {"Via Edge To Feature", &ViaTests::edgeToFeature},
    {"Via Under Component", &ViaTests::underComponent},
    {"Via In SMT Pad", &ViaTests::inSmtPad},
}};

} // namespace

int16_t runViaTests(clsTestItem& test) {
    return runMaskableFamily(test, kTests, "runViaTests");
}

} // namespace lumora
