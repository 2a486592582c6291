#pragma once

#include "engine/checks/CheckFunctions.h"
#include "engine/model/NumberText.h"
#include "engine/provider/EmbeddedKorven.h"
#include "korvenapi/AutomationRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace lumora::engine::test {

// "U3-1 top pad shape 1/2 Critical": who, what was measured against what, how bad; in the order
// the findings' markers are placed.
inline std::vector<std::string> findingTexts(std::vector<Finding> findings) {
    std::ranges::sort(findings, reportedBefore);
    std::vector<std::string> texts;
    for (const Finding& finding : findings) {
        std::string who;
        for (const DrcItem& item : finding.items) {
            who += item.component.str() + (item.pin.empty() ? "" : "-" + item.pin.str()) + " ";
        }
        texts.push_back(who + finding.measure + " " + formatNumber(finding.measured) + "/" +
                        formatNumber(finding.required) + " " + std::string(severityText(finding.severity)));
    }
    return texts;
}

inline std::vector<Point> findingPoints(std::vector<Finding> findings) {
    std::ranges::sort(findings, reportedBefore);
    std::vector<Point> points;
    for (const Finding& finding : findings) {
        points.push_back(finding.at);
    }
    return points;
}

// A design served as KORVEN.DFM, with the severities its DRC callback announced.
class DfmHarness {
  public:
    explicit DfmHarness(Design design)
        : korven_(std::move(design), registry_), registration_(registry_, korven_) {
        dfm = registry_.create<KorvenDfm>(kDfmProgId);
        registry_.registerResponseClass(std::string(kResponseProgId),
                                        [this] { return std::make_shared<Announcements>(announced); });
        EXPECT_EQ(korven_.session().turnOnResponse(std::string(kResponseProgId)), rc::Ok);
    }

    const DrcMarkers& markers() { return korven_.session().design().drcs; }

    std::shared_ptr<KorvenDfm> dfm;
    std::vector<std::string> announced;

  private:
    class Announcements : public ResponseCallback {
      public:
        explicit Announcements(std::vector<std::string>& values) : values_(values) {}
        void Response(const std::string&, const std::string& Value) override { values_.push_back(Value); }

      private:
        std::vector<std::string>& values_;
    };

    AutomationRegistry registry_;
    EmbeddedKorven korven_;
    ProviderRegistration registration_;
};

} // namespace lumora::engine::test
