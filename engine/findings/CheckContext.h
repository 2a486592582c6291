#pragma once

#include "engine/findings/Finding.h"
#include "engine/model/Design.h"

#include <string>

namespace lumora::engine {

// What a check receives besides its own arguments: the document and the name its findings carry.
// Lookups raise Refusal with the code the check then returns.
class CheckContext {
  public:
    // `name` is the caller's algorithm name, or the check's own when the caller gives none.
    CheckContext(Design& design, std::string name) : design_(design), name_(std::move(name)) {}

    Design& design() const { return design_; }
    const std::string& name() const { return name_; }

    // A flatten geometry (-3 unknown, -6 not a flatten geometry); its file is flattenFile.
    const Geometry& flattened(int16_t geomNum) const;
    // The block of a board or panel file (-3 unknown file).
    const Geometry& fileBlock(int32_t filePos) const;

    // A finding of this check, the items still to add.
    Finding finding(Severity severity, int32_t file, Point at) const {
        return {.check = name_, .severity = severity, .file = file, .at = at};
    }

  private:
    Design& design_;
    std::string name_;
};

// The item a flattened graphic came from, for findings.
DrcItem findingItemOf(const Graphic& graphic);

} // namespace lumora::engine
