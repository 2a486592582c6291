// The eight testpoint tests: pad size, testpoints per net on both, the top or the bottom surface,
// and how close testpoints come to one another, to component bodies, to pins and to features.

#include "korven/clsKORVEN.h"
#include "script/LocaleConversions.h"
#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumora {

namespace {

constexpr int16_t kPinInsert = 2;
constexpr int16_t kComponentInsert = 3;
constexpr int32_t kTallBodies = 1;
constexpr int32_t kShortBodies = -2;
constexpr int32_t kLacksKeyword = 6;

enum Slot : std::size_t { First = 0, Second = 1 };

struct PadSizePass {
    SurfacePass surface;
    const char* minimum;
    const char* maximum;
};

constexpr std::array<PadSizePass, 2> kPadSizePasses{{
    {kSurfacePasses[0], "Minimum_Top_Pad_Size", "Maximum_Top_Pad_Size"},
    {kSurfacePasses[1], "Minimum_Bottom_Pad_Size", "Maximum_Bottom_Pad_Size"},
}};

class TestpointTests {
  public:
    TestpointTests(ItemFrame& frame, FamilyGeometries& geometries, SoldermaskSwitch& maskSwitch)
        : frame_(frame), test_(frame.test()), geometries_(geometries), maskSwitch_(maskSwitch) {}

    void padSize(const FrameItem& item) {
        for (const PadSizePass& pass : kPadSizePasses) {
            maskSwitch_.set("Include_Soldermask");
            if (maskSwitch_.isOn()) {
                first() = boardSoldermaskGeometry(MaskedItems::Testpoints, pass.surface, test_.strName, item);
            } else {
                createdGeometry(test_.strName + " - " + pass.surface.word, item, first());
                flattenInserts(inserttype::Testpoint, pass.surface.side, InsertShape::Whole, first());
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
            flattenInserts(inserttype::Testpoint, pass.side, InsertShape::PointOnly, first());
            distanceCheck(frame_, first(), first(), number("Marginal_Distance"), number("Critical_Distance"),
                          checkName(pass), {.skipSameComps = true});
            deleteUnlessDebug(first());
        }
    }

    // Bodies are split at the dividing height; a body without a height counts as short.
    void centerToComponentBody(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            createdGeometry(test_.strName + "1 - " + pass.word, item, first());
            flattenInserts(inserttype::Testpoint, pass.side, InsertShape::PointOnly, first());
            std::string height =
                numberToText(number("Compheight_Differenciating_Short_From_Tall_Components"));

            createdGeometry(test_.strName + " - Tall" + pass.word, item, second());
            flattenDftOutline(second(), pass.bodyOutline, kComponentInsert, "COMPHEIGHT", height,
                              kTallBodies);
            distanceCheck(frame_, first(), second(), number("Marginal_To_Tall_Component"),
                          number("Critical_To_Tall_Component"), checkName(pass));
            deleteUnlessDebug(second());

            createdGeometry(test_.strName + " - Short" + pass.word, item, second());
            flattenDftOutline(second(), pass.bodyOutline, kComponentInsert, "COMPHEIGHT", height,
                              kShortBodies);
            flattenDftOutline(second(), pass.bodyOutline, kComponentInsert, "COMPHEIGHT", "", kLacksKeyword);
            distanceCheck(frame_, first(), second(), number("Marginal_To_Short_Component"),
                          number("Critical_To_Short_Component"), checkName(pass), {.skipSameComps = true});
            geometries_.deleteUnlessDebug();
        }
    }

    void edgeToComponentPinEdge(const FrameItem& item) {
        for (const SurfacePass& pass : kSurfacePasses) {
            ownTestpoints(item, pass);
            createdGeometry(test_.strName + " - Pin" + pass.word, item, second());
            flattenInserts(kPinInsert, pass.side, InsertShape::Whole, second());
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
    clsKORVEN& korven() { return frame_.korven(); }
    int16_t& first() { return geometries_[First]; }
    int16_t& second() { return geometries_[Second]; }
    double number(const char* parameter) { return numberParameter(test_, parameter); }
    std::string checkName(const SurfacePass& pass) const { return test_.strName + " - " + pass.word; }

    void ownTestpoints(const FrameItem& item, const SurfacePass& pass) {
        createdGeometry(test_.strName + "1 - " + pass.word, item, first());
        flattenInserts(inserttype::Testpoint, pass.side, InsertShape::Whole, first());
    }

    // The count's code is the board's status only: the result line reports it, and a limit
    // reached is a FAILED line that is neither counted nor raises the limit flag.
    void countPerNet(const FrameItem& item, Sides sides) {
        createdGeometry(test_.strName, item, first());
        flattenInserts(inserttype::Testpoint, sides, InsertShape::Whole, first());
        frame_.recordStatusOnly(korven().dfmTestpointsPerNet(
            first(), integerParameter(test_, "Testpoints_Per_Net"), test_.strName));
        deleteUnlessDebug(first());
    }

    ItemFrame& frame_;
    clsTestItem& test_;
    FamilyGeometries& geometries_;
    SoldermaskSwitch& maskSwitch_;
};

constexpr std::array<NamedTest<TestpointTests>, 8> kTests{{
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
