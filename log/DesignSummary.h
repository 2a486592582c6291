#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

struct PanelSummary {
    std::string fileName;
    int32_t boards = 0; // board inserts
    int32_t fiducials = 0;
};

struct BoardSummary {
    std::string fileName;
    int32_t components = 0;
    int32_t pins = 0; // over all component inserts
    int32_t vias = 0;
    int32_t fiducials = 0;
};

// The design as the head of the time log describes it, panels and boards in document order.
struct DesignSummary {
    std::vector<PanelSummary> panels;
    std::vector<BoardSummary> boards;
    std::string gap{}; // the first count KORVEN could not give (written as 0), empty when none
};

// Answers from the design open in KORVEN. Every call costs KORVEN queries, so the time log asks
// only when it is about to write its head.
class DesignSummarySource {
  public:
    virtual ~DesignSummarySource() = default;
    virtual DesignSummary designSummary() = 0;
};

} // namespace lumora
