// The five keepout tests: nothing may come too close to a fiducial, a tooling hole or a
// component that the user marked with an attribute. Each measures a subject geometry against the
// inspection features the eight switches select, once per surface.

#include "korven/clsKORVEN.h"
#include "script/RunnerError.h"
#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/FamilyTests.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <array>

namespace lumora {

namespace {

enum Slot : std::size_t { Subject = 0, Inspection = 1 };

struct KeepoutPass {
    const char* word; // "Top" or "Bot"
    const char* otherWord;
    Sides side;
    Sides otherSide;
    const char* bodyOutline;
    const char* extentsOutline;
};

constexpr std::array<KeepoutPass, 2> kPasses{{
    {"Top", "Bot", Sides::Top, Sides::Bottom, "Comp Body Top", "Pin/Body Extents Top"},
    {"Bot", "Top", Sides::Bottom, Sides::Top, "Comp Body Bottom", "Pin/Body Extents Bottom"},
}};

// The eight inspection switches, read once per call; each is on only for the exact text "Yes".
struct InspectionSwitches {
    bool componentPackages, componentPins, vias, etches, fiducials, toolingHoles, boardOutline, panelOutline;

    static InspectionSwitches read(clsTestItem& test) {
        auto on = [&](const char* name) { return textParameter(test, name) == "Yes"; };
        return {on("Component_Packages"), on("Component_Pins"), on("Vias"),          on("Etches"),
                on("Fiducials"),          on("Tooling_Holes"),  on("Board_Outline"), on("Panel_Outline")};
    }
};

// Which subject the test measures, and so which switch it leaves out of the inspection features.
enum class Measured { Fiducials, ToolingHoles, AttributedComponents };

bool isPanelTest(const std::string& name) {
    return name == "Panel Fiducial Keepout" || name == "Panel Tooling Hole Keepout";
}

class KeepoutTests : public FamilyTests {
  public:
    KeepoutTests(ItemFrame& frame, FamilyGeometries& geometries)
        : FamilyTests(frame, geometries), maxStackup_(frame.korven().getMaxElectricalStackup()),
          switches_(InspectionSwitches::read(frame.test())) {}

    void fiducialKeepout(const FrameItem& item) {
        std::string surface = text("Test_Surface");
        int16_t lookThrough = integer("Look_Through_n_Electrical_Stackups");
        for (const KeepoutPass& pass : kPasses) {
            if (!choosesSide(pass.side, surface)) {
                continue;
            }
            createdGeometry(test_.strName + " - Fiducial_" + pass.word, item, subject());
            flattenInserts(insert_type::Fiducial, pass.side, InsertShape::Whole, subject());
            buildInspectionFeatures(item, pass, Measured::Fiducials, lookThroughStackups(pass, lookThrough));
            distanceCheck(subject(), inspection(), checkName(pass.word));
            if (switches_.fiducials) {
                distanceCheck(subject(), subject(), checkName(pass.word));
            }
            deleteUnlessDebug(subject());
            deleteUnlessDebug(inspection());
        }
    }

    void toolingHoleKeepout(const FrameItem& item) {
        for (const KeepoutPass& pass : kPasses) {
            createdGeometry(test_.strName + " - Tooling_" + pass.word, item, subject());
            flattenInserts(insert_type::ToolingHole, pass.side, InsertShape::Whole, subject());
            buildInspectionFeatures(item, pass, Measured::ToolingHoles, {outerStackup(pass)});
            distanceCheck(subject(), inspection(), checkName(pass.word));
            if (switches_.toolingHoles) {
                distanceCheck(subject(), subject(), checkName(pass.word));
            }
            deleteUnlessDebug(subject());
            deleteUnlessDebug(inspection());
        }
    }

    void customKeepouts(const FrameItem& item) {
        std::string keyword = text("Attribute_Keyword");
        std::string value = text("Attribute_Value");
        if (keyword.empty() || value.empty()) {
            throw RunnerError(errnum::ApplicationBase, "Invalid Parameters",
                              "Parameters Attribute_Keyword and/or Attribute_Value are not valid.");
        }
        for (const KeepoutPass& pass : kPasses) {
            createdGeometry(test_.strName + " - " + pass.word, item, subject());
            flattenDftOutline(subject(), pass.bodyOutline, insert_type::Component, keyword, value,
                              comparison::Equal);
            filterSmd(comparison::LacksKeyword);
            buildInspectionFeatures(item, pass, Measured::AttributedComponents, {outerStackup(pass)});
            distanceCheck(subject(), inspection(), checkName(pass.word));
            deleteUnlessDebug(subject());

            createdGeometry(test_.strName + " - Thru-Hole_" + pass.word, item, subject());
            flattenDftOutline(subject(), pass.extentsOutline, insert_type::Component, keyword, value,
                              comparison::Equal);
            filterSmd(comparison::HasKeyword);
            distanceCheck(subject(), inspection(), checkName(pass.word));
            deleteUnlessDebug(subject());

            // Thru-hole pins of the attributed components, where they come out on the other side.
            createdGeometry(test_.strName + " - Thru-Hole_" + pass.otherWord, item, subject());
            InsertTypeSelection pins;
            pins.insertType = insert_type::Pin;
            pins.top = pass.otherSide == Sides::Top;
            pins.bottom = pass.otherSide == Sides::Bottom;
            pins.keyword = keyword;
            pins.value = value;
            flattenByInsertType(pins, subject());
            filterSmd(comparison::HasKeyword);
            distanceCheck(subject(), inspection(), checkName(pass.otherWord));
            deleteUnlessDebug(subject());
            deleteUnlessDebug(inspection());
        }
    }

  private:
    int16_t& subject() { return geometries_[Subject]; }
    int16_t& inspection() { return geometries_[Inspection]; }
    std::string checkName(const char* word) const { return test_.strName + "_" + word; }

    // Stack-ups 1 to n + 1 from the top, or the highest down to the highest minus n from the bottom.
    std::vector<int16_t> lookThroughStackups(const KeepoutPass& pass, int16_t lookThrough) const {
        std::vector<int16_t> stackups;
        if (pass.side == Sides::Top) {
            for (int32_t s = 1; s <= lookThrough + 1; ++s) {
                stackups.push_back(static_cast<int16_t>(s));
            }
        } else {
            for (int32_t s = maxStackup_; s >= maxStackup_ - lookThrough; --s) {
                stackups.push_back(static_cast<int16_t>(s));
            }
        }
        return stackups;
    }

    int16_t outerStackup(const KeepoutPass& pass) const { return pass.side == Sides::Top ? 1 : maxStackup_; }

    void buildInspectionFeatures(const FrameItem& item, const KeepoutPass& pass, Measured measured,
                                 const std::vector<int16_t>& etchStackups) {
        createdGeometry(test_.strName + " - InspectionFeatures_" + pass.word, item, inspection());
        int16_t geomNum = inspection();
        if (switches_.componentPackages) {
            flattenDftOutline(geomNum, pass.bodyOutline, insert_type::Component, "", "", comparison::Equal);
        }
        if (switches_.componentPins) {
            flattenInserts(insert_type::Pin, pass.side, InsertShape::Whole, geomNum);
        }
        if (switches_.vias) {
            flattenInserts(insert_type::Via, pass.side, InsertShape::Whole, geomNum);
        }
        if (switches_.etches) {
            for (int16_t stackup : etchStackups) {
                flattenStackup(stackup, geomNum, graphic_class::Etch, false);
            }
        }
        if (switches_.fiducials && measured != Measured::Fiducials) {
            flattenInserts(insert_type::Fiducial, pass.side, InsertShape::Whole, geomNum);
        }
        if (switches_.toolingHoles && measured != Measured::ToolingHoles) {
            flattenInserts(insert_type::ToolingHole, pass.side, InsertShape::Whole, geomNum);
        }
        if (switches_.boardOutline) {
            flattenByGraphicClass(geomNum, graphic_class::BoardOutline, false);
        }
        if (switches_.panelOutline) {
            flattenByGraphicClass(geomNum, graphic_class::PanelOutline, false);
        }
    }

    void filterSmd(int32_t comparisonType) { filterGeometry(frame_, subject(), "SMD", "", comparisonType); }

    void distanceCheck(int16_t geomNum1, int16_t geomNum2, const std::string& name) {
        lumora::distanceCheck(frame_, geomNum1, geomNum2, number("Marginal_Distance"),
                              number("Critical_Distance"), name, {.skipSameComps = true});
    }

    int16_t maxStackup_;
    InspectionSwitches switches_;
};

constexpr std::array<FamilyTest<KeepoutTests>, 5> kTests{{
    {"Panel Fiducial Keepout", &KeepoutTests::fiducialKeepout},
    {"Board Fiducial Keepout", &KeepoutTests::fiducialKeepout},
    {"Panel Tooling Hole Keepout", &KeepoutTests::toolingHoleKeepout},
    {"Board Tooling Hole Keepout", &KeepoutTests::toolingHoleKeepout},
    {"Custom Keepouts", &KeepoutTests::customKeepouts},
}};

} // namespace

int16_t runKeepoutTests(clsTestItem& test) {
    bool panels = isPanelTest(test.strName);
    FamilyWalk walk{
        .options = {.kind = FrameKind::Board, .routineName = "runKeepoutTests", .limitPath = false},
        .geometrySlots = 2,
        .lists = {panels ? ItemList::Panels : ItemList::Boards},
        .deleteAfterEachItem = true,
        .withoutPanels = panels ? "No visible panels" : nullptr};
    return runNamedFamily(test, kTests, walk);
}

} // namespace lumora
