#pragma once

#include "engine/session/Session.h"
#include "korvenapi/KorvenAutomation.h"

#include <memory>

namespace lumora::engine {

// "KORVEN.DFM" of the embedded KORVEN: the preparation of geometries (DfmPreparation.cpp) and the
// checks (DfmCheck.cpp).
class EmbeddedDfm : public KorvenDfm {
  public:
    explicit EmbeddedDfm(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    // Preparation (DfmPreparation.cpp)
    int16_t FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                           int32_t comparisonType) override;
    int16_t GenerateDFxOutlines() override;
    int16_t GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                 int16_t& bottomLayerNumber) override;
    int16_t CombinePolies(int16_t geomNum) override;
    int16_t createFlattenGeometry(int32_t filePos, int16_t& geomNum) override;
    int16_t Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) override;
    int16_t flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType, int16_t insertPointOnly,
                                int16_t surface) override;
    int16_t flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                  int16_t topLevelOnly) override;
    int16_t FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                            const std::string& value, int32_t comparisonType, int16_t insertType,
                            int16_t insertPointOnly, int16_t surface) override;
    int16_t ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) override;
    int16_t maxErrorsPerTest() const override;
    void setMaxErrorsPerTest(int16_t limit) override;

    // Checks (DfmCheck.cpp)
    int16_t Check(const DfmCheckCall& check) override;

  private:
    Session& session() const { return *session_; }

    std::shared_ptr<Session> session_;
};

// Performs the check on the session's document and reports its findings (DrcReport.h), named by the
// call's algName, else by the check's name. Returns 0, 1 at the DRC limit, or the negative code of
// a failure, which places no marker but is kept in the session's failed checks.
int16_t runCheck(Session& session, const DfmCheckCall& call);

} // namespace lumora::engine
