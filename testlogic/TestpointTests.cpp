// The eight testpoint tests: pad size, testpoints per net on both, the top or the bottom surface,
// and how close testpoints come to one another, to component bodies, to pins and to features.

#include "korven/clsKORVEN.h"
#include "script/LocaleConversions.h"
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

// Component heights compared with the limit (KORVEN's comparison types).
constexpr int32_t kTallBodies = comparison::Greater;
constexpr int32_t kShortBodies = comparison::LessOrEqual;

struct PadSizePass {
    SurfacePass surface;
    const char* minimum;
    const char* maximum;
};

constexpr std::array<PadSizePass, 2> kPadSizePasses{{
    {kSurfacePasses[0], "Minimum_Top_Pad_Size", "Maximum_Top_Pad_Size"},
    {kSurfacePasses[1], "Minimum_Bottom_Pad_Size", "Maximum_Bottom_Pad_Size"},
}};

class TestpointTests : public FamilyTests {
  public:
    TestpointTests(ItemFrame& frame, FamilyGeometries& geometries, SoldermaskSwitch& maskSwitch)
        : FamilyTests(frame, geometries), maskSwitch_(maskSwitch) {}

    void padSize(const FrameItem& item) {
        for (const PadSizePass& pass : kPadSizePasses) {
            maskSwitch_.set("Include_Soldermask");
            if (maskSwitch_.isOn()) {
                first() = boardSoldermaskGeometry(MaskedItems::Testpoints, pass.surface, test_.strName, item);
            } else {
                createdGeometry(test_.strName + " - " + pass.surface.word, item, first());
                flattenInserts(insert_type::Testpoint, pass.surface.side, InsertShape::Whole, first());
            }
            frame_.record(korven().dfmExposedTestpointPadSize(first(), number(pass.minimum),
                                                              number(pass.maximum), checkName(pass.surface)),
                          "dfmExposedTestpointPadSize");
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

    void testpointsPerNet(const FrameItem& item) { countPerNet(item, Sides::Both); }
    void topTestpointsPerNet(const FrameItem& item) { countPerNet(item, Sides::Top); }
    void bottomTestpointsPerNet(const FrameItem& item) { countPerNet(item, Sides::Bottom); }

    void centerToCenter(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            createdGeometry(test_.strName + " - " + pass.word, item, first());
            flattenInserts(insert_type::Testpoint, pass.side, InsertShape::PointOnly, first());
            distanceCheck(frame_, first(), first(), number("Marginal_Distance"), number("Critical_Distance"),
                          checkName(pass), {.skipSameComps = true});
            deleteUnlessDebug(first());
        }
    }

    // Bodies are split at the dividing height; a body without a height counts as short.
    void centerToComponentBody(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            createdGeometry(test_.strName + "1 - " + pass.word, item, first());
            flattenInserts(insert_type::Testpoint, pass.side, InsertShape::PointOnly, first());
            std::string height =
                numberToText(number("Compheight_Differenciating_Short_From_Tall_Components"));

            createdGeometry(test_.strName + " - Tall" + pass.word, item, second());
            flattenDftOutline(second(), pass.bodyOutline, insert_type::Component, "COMPHEIGHT", height,
                              kTallBodies);
            distanceCheck(frame_, first(), second(), number("Marginal_To_Tall_Component"),
                          number("Critical_To_Tall_Component"), checkName(pass));
            deleteUnlessDebug(second());

            createdGeometry(test_.strName + " - Short" + pass.word, item, second());
            flattenDftOutline(second(), pass.bodyOutline, insert_type::Component, "COMPHEIGHT", height,
                              kShortBodies);
            flattenDftOutline(second(), pass.bodyOutline, insert_type::Component, "COMPHEIGHT", "",
                              comparison::LacksKeyword);
            distanceCheck(frame_, first(), second(), number("Marginal_To_Short_Component"),
                          number("Critical_To_Short_Component"), checkName(pass), {.skipSameComps = true});
            geometries_.deleteUnlessDebug();
        }
    }

    void edgeToComponentPinEdge(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            ownTestpoints(item, pass);
            createdGeometry(test_.strName + " - Pin" + pass.word, item, second());
            flattenInserts(insert_type::Pin, pass.side, InsertShape::Whole, second());
            distanceCheck(frame_, first(), second(), number("Marginal_Distance"), number("Critical_Distance"),
                          checkName(pass), {.skipSameComps = true});
            geometries_.deleteUnlessDebug();
        }
    }

    void edgeToFeature(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            maskSwitch_.set("Include_Soldermask");
            if (maskSwitch_.isOn()) {
                first() = boardSoldermaskGeometry(MaskedItems::Testpoints, pass, test_.strName, item);
                second() = boardSoldermaskGeometry(MaskedItems::Features, pass, test_.strName, item);
            } else {
                ownTestpoints(item, pass);
                createdGeometry(test_.strName + " - Feature_" + pass.word, item, second());
                fillFeatureGeometry(frame_, pass, second());
            }
            distanceCheck(frame_, first(), second(), number("Marginal_Distance"), number("Critical_Distance"),
                          checkName(pass));
            maskSwitch_.deleteUnlessOn(geometries_);
        }
    }

  private:
    void ownTestpoints(const FrameItem& item, const SurfacePass& pass) {
        createdGeometry(test_.strName + "1 - " + pass.word, item, first());
        flattenInserts(insert_type::Testpoint, pass.side, InsertShape::Whole, first());
    }

    // The count's code is the board's status only: the result line reports it, and a limit
    // reached is a FAILED line that is neither counted nor raises the limit flag.
    void countPerNet(const FrameItem& item, Sides sides) {
        createdGeometry(test_.strName, item, first());
        flattenInserts(insert_type::Testpoint, sides, InsertShape::Whole, first());
        frame_.recordStatusOnly(
            korven().dfmTestpointsPerNet(first(), integer("Testpoints_Per_Net"), test_.strName));
        deleteUnlessDebug(first());
    }

    SoldermaskSwitch& maskSwitch_;
};

constexpr std::array<FamilyTest<TestpointTests>, 8> kTests{{
    {"Testpoint Pad Size", &TestpointTests::padSize},
    {"Testpoints Per Net", &TestpointTests::testpointsPerNet},
    {"Top Surface Testpoints Per Net", &TestpointTests::topTestpointsPerNet},
    {"Bottom Surface Testpoints Per Net", &TestpointTests::bottomTestpointsPerNet},
    {"Testpoint Center To Testpoint Center", &TestpointTests::centerToCenter},
    {"Testpoint Center To Component Body", &TestpointTests::centerToComponentBody},
    {"Testpoint Edge To Component Pin Edge", &TestpointTests::edgeToComponentPinEdge},
    {"Testpoint Edge To Feature", &TestpointTests::edgeToFeature},
}};

} // namespace

int16_t runTestpointTests(clsTestItem& test) {
    return runMaskableFamily(test, kTests, "runTestpointTests");
}

} // namespace lumora
