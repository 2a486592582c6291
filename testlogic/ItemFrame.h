#pragma once

#include "testlogic/FamilyGeometries.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lumora {

class clsKORVEN;
class clsTestItem;

enum class ItemList { Panels, Boards };

// In the panel frame a failing check is only reported by the item's result line; in the board
// frame it ends the item through the failure path.
enum class FrameKind { Panel, Board };

struct FrameOptions {
    FrameKind kind = FrameKind::Board;
    std::string routineName; // the source of failures that name none, such as "Type mismatch"
    bool limitPath = true;   // false: a check stopped at the DRC limit fails like any other
    bool skipHidden = false; // only visible panels and boards
};

// One panel or board as a family's branch sees it.
struct FrameItem {
    int32_t index;
    int32_t position;
    std::string fileName;
};

// The skeleton every family routine runs in: the loop over panels or boards, one result line per
// item, the failure path with save on fail, the DRC-limit flag, and the result code.
class ItemFrame {
  public:
    using Branch = std::function<void(const FrameItem&)>;
    using Cleanup = std::function<void()>;

    ItemFrame(clsTestItem& test, FamilyGeometries& geometries, FrameOptions options);

    clsTestItem& test() { return test_; }
    clsKORVEN& korven() { return korven_; }

    // Runs the branch for every item of the list. False when save on fail ended the routine.
    bool runItems(ItemList list, const Branch& branch, const Cleanup& cleanup = {});
    // A failure before any item (no panels, invalid parameters): reported with an empty file name,
    // saved on fail like any counted failure; the routine ends.
    void failRoutine(const std::string& source, const std::string& description);
    // A wrapper's return code becomes the item's status; in the board frame a non-zero code ends
    // the item with the wrapper's name as the source.
    void record(int16_t code, const std::string& wrapperName);
    // A code that becomes the item's status without ending it; only a negative one fails the item.
    void recordStatusOnly(int16_t code);
    // Deletes the geometries still standing (unless debug mode) and returns 0, 1 or -999.
    int16_t finish();

  private:
    FrameItem readItem(ItemList list, int32_t index) const;
    bool isHidden(ItemList list, int32_t index) const;
    // False when the routine must end.
    bool runItem(const FrameItem& item, const Branch& branch);
    void writeResultLine(const FrameItem& item);
    // False when save on fail ends the routine.
    bool takeFailurePath(const FrameItem& item, const std::string& source, const std::string& description);
    bool countFailure(const std::string& line);

    clsTestItem& test_;
    clsKORVEN& korven_;
    FamilyGeometries& geometries_;
    FrameOptions options_;
    int16_t status_ = 0;
    std::string statusText_;
    int16_t errorCount_ = 0;
    bool limitReached_ = false;
    bool statusOnly_ = false; // the item's status came from recordStatusOnly
};

} // namespace lumora
