// The design summary at the head of the time log, counted from KORVEN's inserts.

#include "korven/ErrorMessages.h"
#include "korven/clsKORVEN.h"

namespace lumora {

// A count that KORVEN cannot give is written as 0, and the first such failure is kept so that
// the run can say the summary is short.
int32_t clsKORVEN::countInserts(int32_t geomNum, int16_t insertType, std::vector<int32_t>* inserts) {
    std::vector<int32_t> found;
    const int16_t code = geomNum < INT16_MIN || geomNum > INT16_MAX
                             ? rc::IndexOutOfRange
                             : GetDataArrayByInsertType(static_cast<int16_t>(geomNum), insertType, found);
    if (code != rc::Ok) {
        if (code != rc::EmptyArray && summaryGap_.empty()) {
            summaryGap_ = lastError_;
        }
        return 0;
    }
    if (inserts != nullptr) {
        *inserts = found;
    }
    return static_cast<int32_t>(found.size());
}

int32_t clsKORVEN::countPins(int32_t boardGeomNum, const std::vector<int32_t>& components) {
    int32_t pins = 0;
    for (int32_t dataPos : components) {
        KorvenInsertRecord component;
        if (GetDataInsert(static_cast<int16_t>(boardGeomNum), dataPos, component) == rc::Ok) {
            pins += countInserts(component.geomNum, insert_type::Pin);
        } else if (summaryGap_.empty()) {
            summaryGap_ = lastError_;
        }
    }
    return pins;
}

DesignSummary clsKORVEN::designSummary() {
    summaryGap_.clear();
    DesignSummary summary;
    for (int16_t p = 0; p < arrPanels_.count(); ++p) {
        const FileInfo& panel = arrPanels_.at(p);
        summary.panels.push_back({.fileName = panel.FileName,
                                  .boards = countInserts(panel.GeomNum, insert_type::Board),
                                  .fiducials = countInserts(panel.GeomNum, insert_type::Fiducial)});
    }
    for (int16_t b = 0; b < arrBoards_.count(); ++b) {
        const FileInfo& board = arrBoards_.at(b);
        BoardSummary counts{.fileName = board.FileName};
        std::vector<int32_t> components;
        counts.components = countInserts(board.GeomNum, insert_type::Component, &components);
        counts.pins = countPins(board.GeomNum, components);
        counts.vias = countInserts(board.GeomNum, insert_type::Via);
        counts.fiducials = countInserts(board.GeomNum, insert_type::Fiducial);
        summary.boards.push_back(counts);
    }
    // Without objects the head describes no connection at all (a window's first run): no gap.
    summary.gap = objApplication_ ? summaryGap_ : std::string();
    return summary;
}

} // namespace lumora
